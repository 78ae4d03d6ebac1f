#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class WelcomeDialog;
}

// The welcome window: the starting points of the application (new database, open database,
// tutorial, help, quit) and the switch that shows it at start-up. It runs application-modal; the
// caller carries out the chosen action afterwards.
class WelcomeDialogController : public QDialog
{
    Q_OBJECT

public:
    enum ActionCode
    {
        ClosedWithoutChoice = 0,
        NewDocument = 1,
        OpenDocument = 2,
        Quit = 3
    };

    explicit WelcomeDialogController(QWidget *parent = nullptr);
    ~WelcomeDialogController() override;

    // Ticks the start-up switch when "StartupAction" is the welcome window, and forgets any earlier choice.
    void initializeFields();
    int actionCode() const { return m_actionCode; }

    // Closing by any means stores the start-up switch in "StartupAction".
    void done(int result) override;

private slots:
    void newDoc();
    void openDoc();
    void quit();
    void showTutorial();
    void doHelp();

private:
    void closeWithAction(int actionCode);

    std::unique_ptr<Ui::WelcomeDialog> m_ui;
    int m_actionCode = ClosedWithoutChoice;
};
