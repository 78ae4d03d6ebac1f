#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class NewSiteCreatedDialog;
}

// The message after a new database was made: what to do next, the tutorial, and a switch that
// stops the message for later databases. It runs application-modal.
class NewSiteCreatedDialogController : public QDialog
{
    Q_OBJECT

public:
    explicit NewSiteCreatedDialogController(QWidget *parent = nullptr);
    ~NewSiteCreatedDialogController() override;

    // Ticks the switch from "ShowNewSiteCreatedMessage".
    void initializeFields();
    bool showNextTime() const;
    void setShowNextTime(bool show);

    // However it closes, the switch is stored in "ShowNewSiteCreatedMessage".
    void done(int result) override;

signals:
    // The tutorial button; the application shows the tutorial.
    void tutorialRequested();

private slots:
    void doHelp();

private:
    std::unique_ptr<Ui::NewSiteCreatedDialog> m_ui;
};
