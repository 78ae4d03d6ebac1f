#pragma once

#include "mail/MailAccount.h"

#include <QCoreApplication>
#include <functional>
#include <optional>

class QWidget;

// The password of a mail server for a window: from this session or the keyring, else asked of the
// user once (when `mayAsk`) and kept for the session. `done` gets none when there is none.
class MailPasswordPrompt
{
    Q_DECLARE_TR_FUNCTIONS(MailPasswordPrompt)
public:
    static void obtain(const MailServer &server, QWidget *parent, bool mayAsk,
                       std::function<void(const std::optional<QString> &password)> done);
};
