#pragma once

#include "FetchOutcome.h"
#include "FetchSettings.h"
#include "HostScheduler.h"
#include "PageFetcher.h"
#include "RobotsFiles.h"
#include "VerificationDetails.h"
#include "model/CheckSettings.h"
#include "model/Codes.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QUrl>
#include <optional>

class Link;
class MovedLinkSearch;
class PageAnalysisTask;
struct PageAnalysis;
class QNetworkAccessManager;
class VerificationTarget;

// Checks one link partner in two steps: the partner's site must answer, then the partner's links
// page must hold the user's own address. A page that loaded is judged with the origin's robots.txt.
// When the link is missing where the link's last judged check found it, the page is looked at again
// after a pause (the target may run other checks meanwhile), and a loss that holds is searched for
// on the rest of the partner's site. Reports one result code with its outcome to its target, once,
// unless it is cancelled. One manager serves one check and is never restarted. A loaded page is kept
// and read on the PageAnalysisPool, so the thread that runs the check goes on meanwhile.
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
    // Looks at the links page again once the pause before it is over (see VerificationTarget).
    void resume();
    // Stops whatever fetch or pause runs; nothing is reported.
    void cancel();

    int index() const { return m_index; }
    VerificationResult result() const { return m_result; }
    const VerificationDetails &details() const { return m_details; }
    // Between the start and the report: fetching, reading a page, pausing or searching.
    bool isRunning() const;
    bool isPaused() const { return m_step == Step::Pause || m_step == Step::WaitingToResume; }

    // Settings for the fetches and the judging; without them the preferences are read when needed.
    void setFetchSettings(const std::optional<FetchSettings> &settings) { m_settings = settings; }
    void setCheckSettings(const std::optional<CheckSettings> &settings) { m_checkSettings = settings; }
    // The run's hosts: each fetch waits for a slot on its host there and gives it back when it
    // ends. Without them fetches start at once.
    void setHostScheduler(HostScheduler *hosts) { m_hosts = hosts; }
    // The run's robots.txt files; without them robots.txt is not read.
    void setRobotsFiles(RobotsFiles *robots) { m_robots = robots; }
    // Whether a missing link is looked for again before the check says so: the link's last judged
    // check found it.
    void setConfirmLoss(bool confirm) { m_confirmLoss = confirm; }

    // The address a fetch of `text` (a link's URL or links page) goes to.
    static QUrl fetchURL(const QString &text);

    // Whether the decoded page text contains `string`.
    static bool data(const QByteArray &bytes, const QString &string);
    // Where this check leaves the links page it loaded ("verify<index>.html"); empty when the
    // private temporary folder cannot be made.
    QString tempFilePath() const;

private:
    enum class Step
    {
        Idle,
        Site,
        Page,
        Analysis,
        Robots,
        Pause,
        WaitingToResume,
        Search,
        Done,
    };

    void brokenLinkDetectionFinished(const FetchOutcome &outcome);
    void partnerLinkVerificationFinished(const FetchOutcome &outcome);
    void pageAnalysed(const PageAnalysis &analysis);
    void judged(CheckOutcome outcome, VerificationResult result);
    void robotsRead(const RobotsFiles::File &file);
    void pauseBeforeSecondLook();
    void searchElsewhere();
    void searchFinished(const QUrl &foundOn);
    void fetchLinksPage(const QUrl &url, const QList<RedirectHop> &earlierHops);
    void report(VerificationResult result);
    void releaseHandles();
    void releaseSlot();
    void startFetch(PageFetcher *fetcher, const QUrl &url, const QSet<int> &retryStatuses,
                    PageFetcher::Body body, const FetchSettings &settings,
                    const QList<RedirectHop> &earlierHops = {});
    void startPageFetch();
    FetchSettings fetchSettings() const;
    const CheckSettings &checkSettings();

    QNetworkAccessManager *m_network;
    QPointer<PageFetcher> m_download1;
    QPointer<PageFetcher> m_download2;
    QPointer<PageAnalysisTask> m_analysis;
    const Link *m_link = nullptr;
    QString m_ownURL;
    VerificationTarget *m_target = nullptr;
    int m_index = -1;
    VerificationResult m_result = VerificationNotVerified;
    bool m_verifyingBrokenLink = false;
    VerificationDetails m_details;
    std::optional<FetchSettings> m_settings;
    std::optional<CheckSettings> m_checkSettings;
    QPointer<HostScheduler> m_hosts;
    QPointer<RobotsFiles> m_robots;
    QString m_slotHost; // the host whose slot the current fetch holds or waits for
    bool m_holdsSlot = false;
    quint64 m_slotTicket = 0; // while waiting for the slot
    Step m_step = Step::Idle;
    quint64 m_generation = 0; // bumped by cancel: answers for an earlier step are ignored
    bool m_confirmLoss = false;
    bool m_secondLook = false; // the page being judged is the second look
    VerificationResult m_judgedResult = VerificationNotVerified;
    RobotsFiles::File m_robotsFile;
    QStringList m_sameSiteLinks;
    QTimer m_pauseTimer;
    MovedLinkSearch *m_search = nullptr;
};
