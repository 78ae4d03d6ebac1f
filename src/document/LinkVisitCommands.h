#pragma once

#include "DocumentCommandArea.h"

// Visit Website and Visit Partner Website: the selected link's addresses in the browser.
class LinkVisitCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit LinkVisitCommands(MyDocument *document);

    void validateMenuItems() override;

public slots:
    void visitLinkWebsite();
    void visitLinkPartnerWebsite();

private:
    // Opens a web address; anything else is refused with the title and message (%1: the text).
    void visitURL(const QString &text, const QString &title, const QString &message);
};
