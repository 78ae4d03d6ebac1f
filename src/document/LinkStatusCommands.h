#pragma once

#include "DocumentCommandArea.h"
#include "model/Codes.h"

// The exchange status of the selected links (New, Negotiating, Approved, Blocked) and Mark as
// Verified. The status items are ticked for the status of the one selected link.
class LinkStatusCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit LinkStatusCommands(MyDocument *document);

    void validateMenuItems() override;

public slots:
    void setStatusNew() { setSelectedLinkStatus(LinkStatusNew); }
    void setStatusNegotiating() { setSelectedLinkStatus(LinkStatusNegotiating); }
    void setStatusApproved() { setSelectedLinkStatus(LinkStatusApproved); }
    void setStatusBlocked() { setSelectedLinkStatus(LinkStatusBlocked); }
    void setSelectedLinkStatus(LinkStatus status);
    void markAsVerified();
};
