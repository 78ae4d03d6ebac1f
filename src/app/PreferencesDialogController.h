#pragma once

#include "workflow/PreferencesForm.h"

#include <QDialog>
#include <memory>

class MailPreferencesPage;

namespace Ui {
class PreferencesDialog;
}

// The preferences dialog: shows the preferences and hands back what the user chose. It runs
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
    // The Mail page keeps its own values (the account lives apart from the other preferences).
    MailPreferencesPage *mailPage() const { return m_mailPage; }

private slots:
    void doHelp();

private:
    std::unique_ptr<Ui::PreferencesDialog> m_ui;
    MailPreferencesPage *m_mailPage;
};
