#pragma once

#include "DocumentCommandArea.h"
#include "history/ui/OwnPageCheckDialogController.h"

#include <QPointer>

class OwnPageChecker;

// Check My Links Page (Tools menu): reads the published links page from the web in the background
// and shows what it gets wrong in a window beside the document.
class OwnPageCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit OwnPageCommands(MyDocument *document);

    void validateMenuItems() override;
    void checkOwnPage();
    OwnPageCheckDialogController *window() const { return m_window; }
    OwnPageChecker *checker() const { return m_checker; }

private:
    QPointer<OwnPageCheckDialogController> m_window;
    OwnPageChecker *m_checker;
};
