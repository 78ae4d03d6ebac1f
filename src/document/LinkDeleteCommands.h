#pragma once

#include "DocumentCommandArea.h"

// Delete Link: asks first, then deletes the selected links as one step.
class LinkDeleteCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit LinkDeleteCommands(MyDocument *document);

    void validateMenuItems() override;

public slots:
    void deleteLink();
    void deleteLinkSheetDidEnd(int returnCode);
};
