#pragma once

#include "DocumentCommandArea.h"

#include <functional>

class Link;

// Messages written in the user's mail client (a mailto: address): the blank message and the
// template messages of the Send Message menus, one per selected partner. Writing to a partner may
// change the link's status, which goes through the store as one step.
class MailClientCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit MailClientCommands(MyDocument *document);

    void validateMenuItems() override;

public slots:
    void newCustomEmail();
    void newTemplateEmail(int templateIndex);
    void sendTemplateEmailWithIndex(int templateIndex);

private:
    void sendEmailToSelectedLink(const std::function<bool(Link &)> &send);
};
