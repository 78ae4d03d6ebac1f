#include "MailPasswordPrompt.h"

#include "model/PasswordStore.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

void MailPasswordPrompt::obtain(const MailServer &server, QWidget *parent, bool mayAsk,
                                std::function<void(const std::optional<QString> &)> done)
{
    if (server.user.isEmpty()) {
        done(QString());
        return;
    }
    QPointer<QWidget> guard(parent);
    PasswordStore::read(
        server.passwordKey(), parent, [server, guard, mayAsk, done](const PasswordStore::Answer &answer) {
            if (answer.password) {
                done(answer.password);
                return;
            }
            if (!guard || !mayAsk) {
                done(std::nullopt);
                return;
            }
            bool ok = false;
            const QString typed = QInputDialog::getText(
                guard, tr("Password"), tr("Password of %1 on %2:").arg(server.user, server.host),
                QLineEdit::Password, QString(), &ok);
            if (!ok) {
                done(std::nullopt);
                return;
            }
            PasswordStore::setSessionPassword(server.passwordKey(), typed);
            done(typed);
        });
}
