#pragma once

class QWidget;

// Said when the mail client did not take a message: how to set one up, and "Copy Message", which
// puts the recipient, subject and body on the clipboard so webmail users can go on.
namespace MailClientAlert {

void show(QWidget *parent);

} // namespace MailClientAlert
