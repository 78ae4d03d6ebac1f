#pragma once

#include "FetchOutcome.h"
#include "FetchSettings.h"
#include "HostScheduler.h"
#include "PageFetcher.h"
#include "VerificationDetails.h"
#include "model/Codes.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QUrl>
#include <optional>

class Link;
class QNetworkAccessManager;
class VerificationTarget;

// Checks one link partner in two steps: the partner's site must answer, then the partner's links
// page must hold the user's own address. Reports one result code to its target, once, unless it is
// cancelled. One manager serves one check and is never restarted.
class VerificationManager : public QObject
{
    Q_OBJECT
public:
    explicit VerificationManager(QNetworkAccessManager *network, QObject *parent = nullptr);
    ~VerificationManager() override;

    // True when a fetch is under way and the result comes later; false when the result was decided
    // from the addresses alone and has already been reported. `link` must outlive the check.
    bool verifyLink(const Link *link, int index, const QString &ownURL, VerificationTarget *target);
    bool startBrokenLinkDetection();
    bool startPartnerLinkVerification();
    // Stops whatever fetch runs; nothing is reported.
    void cancel();

    int index() const { return m_index; }
    VerificationResult result() const { return m_result; }
    const VerificationDetails &details() const { return m_details; }
    bool isRunning() const;

    // Settings for both fetches; without them the preferences are read when each fetch starts.
    void setFetchSettings(const std::optional<FetchSettings> &settings) { m_settings = settings; }
    // The run's hosts: each fetch waits for a slot on its host there and gives it back when it
    // ends. Without them fetches start at once.
    void setHostScheduler(HostScheduler *hosts) { m_hosts = hosts; }

    // The address a fetch of `text` (a link's URL or links page) goes to.
    static QUrl fetchURL(const QString &text);

    // Whether the decoded page text contains `string`.
    static bool data(const QByteArray &bytes, const QString &string);
    // Where this check leaves the links page it loaded ("verify<index>.html"); empty when the
    // private temporary folder cannot be made.
    QString tempFilePath() const;

private:
    void brokenLinkDetectionFinished(const FetchOutcome &outcome);
    void partnerLinkVerificationFinished(const FetchOutcome &outcome);
    void fetchLinksPage(const QUrl &url, const QList<RedirectHop> &earlierHops);
    void report(VerificationResult result);
    void releaseHandles();
    void releaseSlot();
    void startFetch(PageFetcher *fetcher, const QUrl &url, const QSet<int> &retryStatuses,
                    PageFetcher::Body body, const QList<RedirectHop> &earlierHops = {});
    FetchSettings fetchSettings() const;

    QNetworkAccessManager *m_network;
    QPointer<PageFetcher> m_download1;
    QPointer<PageFetcher> m_download2;
    const Link *m_link = nullptr;
    QString m_ownURL;
    VerificationTarget *m_target = nullptr;
    int m_index = -1;
    VerificationResult m_result = VerificationNotVerified;
    bool m_verifyingBrokenLink = false;
    VerificationDetails m_details;
    std::optional<FetchSettings> m_settings;
    QPointer<HostScheduler> m_hosts;
    QString m_slotHost; // the host whose slot the current fetch holds or waits for
    bool m_holdsSlot = false;
    quint64 m_slotTicket = 0; // while waiting for the slot
};
