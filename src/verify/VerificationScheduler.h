#pragma once

#include "CheckQueue.h"
#include "FetchSettings.h"
#include "VerificationDetails.h"
#include "VerificationTarget.h"
#include "model/CheckSettings.h"
#include "model/Codes.h"
#include "model/VerificationLimits.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class HostScheduler;
class Link;
class RobotsFiles;
class VerificationManager;

// Runs the checks of one verification: in the order given, within its limits (checks under way,
// fetches to one host, hosts that asked for a pause), until every check has reported or the run is
// stopped. It keeps no rows: what happens is told through its signals, by the row each check stands for.
class VerificationScheduler : public QObject, private VerificationTarget
{
    Q_OBJECT
public:
    struct Check
    {
        int row;
        const Link *link; // must outlive the run
    };

    explicit VerificationScheduler(QObject *parent = nullptr);
    ~VerificationScheduler() override;

    // Fetch settings for every check; without them each fetch reads the preferences.
    void setFetchSettings(const std::optional<FetchSettings> &settings) { m_fetchSettings = settings; }
    // How checks judge what they load; without them the preferences are read when a run starts.
    void setCheckSettings(const std::optional<CheckSettings> &settings) { m_checkSettings = settings; }
    // Which links' checks look at a page again before they call the link missing (the links that
    // were found before); asked once per check when a run starts. Without it none do.
    void setLossConfirmation(std::function<bool(const Link *)> wasLinked)
    {
        m_wasLinked = std::move(wasLinked);
    }
    // Limits for the next run; without them the preferences are read when it starts.
    void setLimits(const std::optional<VerificationLimits> &limits) { m_limits = limits; }
    // The limits of the run under way, or of the last one.
    const VerificationLimits &activeLimits() const { return m_activeLimits; }
    // Tests hand in an HTTP client that answers without a network, and a clock they move by hand.
    void setNetworkAccessManager(QNetworkAccessManager *network) { m_networkOverride = network; }
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }
    HostScheduler *hostScheduler() const { return m_hosts.get(); }
    RobotsFiles *robotsFiles() const { return m_robots.get(); }

    // Starts the checks, each looking for `ownURL` on the partner's links page. Checks decided from
    // the addresses alone report at once, so a run of only such checks ends inside this call.
    // Nothing when a run was started since the last reset().
    void start(const std::vector<Check> &checks, const QString &ownURL);
    // Ends a run under way: waiting checks never start and those under way end without a report.
    void stop();
    // Forgets the last run (its checks are cancelled) so that another can start.
    void reset();

    bool hasStarted() const { return m_started; }
    bool hasEnded() const { return m_ended; }
    bool isRunning() const { return m_started && !m_ended; }
    int checksUnderWay() const { return m_underWay; }
    // Checks pausing before a second look at a links page; they hold no slot meanwhile.
    int checksPaused() const { return m_paused; }
    // Checks that have not started yet (0 once the run has ended).
    int checksWaiting() const { return m_pending.size(); }
    int checkCount() const { return int(m_checks.size()); }
    int pausedHostCount() const;

signals:
    // Before the first check starts.
    void runStarted();
    // A check took its turn; one decided from the addresses reports right after.
    void checkStarted(int row);
    void checkFinished(int row, const Link *link, VerificationResult result,
                       const VerificationDetails &details);
    void progressChanged(int finished, int total);
    // A host was paused, or its pause ended.
    void pausesChanged();
    // Every check reported, or the run was stopped.
    void runEnded(bool stopped);

private:
    void verificationCompleted(VerificationManager *manager) override;
    void verificationPaused(VerificationManager *manager) override;
    void verificationReadyToResume(VerificationManager *manager) override;
    // Starts checks until the limits are reached or none can start now.
    void fillSlots();
    bool startNextChecks();
    void finishCheck(VerificationManager *manager);
    void resumeChecks();
    void endIfDone();
    void releaseVerifiers();
    QNetworkAccessManager *network() { return m_networkOverride ? m_networkOverride : &m_network; }

    QNetworkAccessManager m_network;
    QNetworkAccessManager *m_networkOverride = nullptr;
    std::function<qint64()> m_clock;
    std::optional<FetchSettings> m_fetchSettings;
    std::optional<VerificationLimits> m_limits;
    std::optional<CheckSettings> m_checkSettings;
    CheckSettings m_activeCheckSettings;
    std::function<bool(const Link *)> m_wasLinked;
    std::vector<bool> m_confirmLoss; // by position in m_checks
    VerificationLimits m_activeLimits;
    std::vector<Check> m_checks;
    QString m_ownURL;
    std::vector<std::unique_ptr<VerificationManager>> m_verifiers;
    std::unique_ptr<HostScheduler> m_hosts; // of the run under way
    std::unique_ptr<RobotsFiles> m_robots;  // of the run under way
    CheckQueue m_pending;                   // positions in m_checks not started yet
    bool m_started = false;
    bool m_ended = false;
    bool m_assigning = false;      // inside startNextChecks: reports only record their result
    bool m_reportedInside = false; // the check being started reported before verifyLink returned
    int m_underWay = 0;
    int m_paused = 0;                              // paused checks, also those ready to go on
    std::vector<VerificationManager *> m_resuming; // ready to go on, waiting for room
    int m_finished = 0;
};
