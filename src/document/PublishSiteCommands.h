#pragma once

#include "DocumentCommandArea.h"
#include "publish/ui/PublishDialogController.h"

#include "history/SitePublisher.h"

#include <QPointer>

// File > Publish Links Page: the destination sheet, the upload on a worker thread with its progress
// in the sheet, the question about a server key seen for the first time, the password kept in the
// keyring, and Check My Links Page once something was sent.
class PublishSiteCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit PublishSiteCommands(MyDocument *document);

    void validateMenuItems() override;
    void publishLinksPage();
    PublishDialogController *dialog() const { return m_dialog; }
    bool isRunning() const { return m_running; }

signals:
    // A publish ended (after any question about the server key was answered).
    void publishFinished(const SitePublisher::Report &report);
    // The links page went up to the server: it can be checked as partners see it.
    void linksPageUploaded();

private:
    void start(bool dryRun, const QString &acceptedKey = QString());
    void finished(const SitePublisher::Report &report, bool dryRun);

    QPointer<PublishDialogController> m_dialog;
    bool m_running = false;
};
