#pragma once

#include "workflow/PreferencesForm.h"

#include <QDialog>
#include <memory>

namespace Ui {
class PreferencesDialog;
}

// The preferences dialog: shows the seven preferences and hands back what the user chose. It runs
// application-modal; the caller writes the values only when the user confirmed.
class PreferencesDialogController : public QDialog
{
    Q_OBJECT

public:
    explicit PreferencesDialogController(QWidget *parent = nullptr);
    ~PreferencesDialogController() override;

    void initializeFields(const PreferencesForm &values);
    PreferencesForm values() const;
    bool userConfirmed() const { return result() == QDialog::Accepted; }

private slots:
    void doHelp();

private:
    std::unique_ptr<Ui::PreferencesDialog> m_ui;
};
