#pragma once

#include "CheckQueue.h"
#include "FetchSettings.h"
#include "LinkInfo.h"
#include "VerificationTarget.h"
#include "model/VerificationLimits.h"

#include <QAbstractTableModel>
#include <QNetworkAccessManager>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CollectionManager;
class HostScheduler;
class VerificationManager;

// The verification sheet without its widgets: the rows of every verifiable link with their ticks,
// a run that checks the ticked rows in row order within its limits (checks under way, fetches to
// one host, hosts that asked for a pause), stop, and saving the outcomes into the links. A table view shows
// it directly (five columns: the tick, the status image, the link's title, its category, the result text);
// the button titles and states are read from it and change with `buttonsChanged`.
class VerificationRun : public QAbstractTableModel, public VerificationTarget
{
    Q_OBJECT
public:
    enum Column
    {
        VerifyColumn,
        StatusColumn,
        LinkColumn,
        CategoryColumn,
        WarningColumn,
        ColumnCount
    };
    enum Role
    {
        ResultCodeRole = Qt::UserRole + 1, // the row's VerificationResult as an int
        ImageNameRole,                     // "verifysuccess", "warning", "verifyprogress" or empty
        DetailsRole,                       // the one-line details of the check
        LinkIDRole,
    };
    // What the sheet does after a button: stay, close with 1 (results saved) or with 0.
    enum class Outcome
    {
        StayOpen,
        Saved,
        Cancelled
    };

    explicit VerificationRun(CollectionManager *store, QObject *parent = nullptr);
    ~VerificationRun() override;

    // Builds the rows for the given link IDs (ticked) or, without a list, for every link; false
    // when the database holds no verifiable link.
    bool initializeFieldsWithSelectedLinkIDs(const std::optional<QStringList> &ids = std::nullopt);

    // The verify button: starts the run, or saves once it has ended; nothing while it runs.
    Outcome confirm();
    // The cancel button: stops a running run, else closes without saving.
    Outcome cancel();
    void selectAll();
    void selectNone();
    void setSelected(int row, bool selected);

    // Button titles and states.
    QString verifyButtonTitle() const;
    bool verifyButtonEnabled() const;
    QString cancelButtonTitle() const;
    bool selectButtonsEnabled() const { return !m_verificationStarted; }
    bool ticksEditable() const { return !m_verificationStarted; }
    // The row to scroll into view after the rows were built (-1: the first).
    int firstRowToShow() const { return m_firstRowToShow; }

    // Run control.
    void start();
    void stop();
    // Writes date and result into every ticked row's link that has a result, through the store
    // (which also recomputes the notifications); false before the run has ended and when no row had
    // a result to write (stopped at once). The caller marks the document edited when it is true.
    bool save();
    int assignVerifier();
    void verificationCompleted(VerificationManager *manager) override;
    void setResult(VerificationResult result, int index);
    void checkVerificationEnded();
    bool verifiersAreRunning() const { return m_inProgressCount > 0; }
    int checksUnderWay() const { return m_inProgressCount; }
    // Ticked rows whose check has not started yet (0 once the run has ended).
    int checksWaiting() const { return m_pending.size(); }
    int pausedHostCount() const;
    bool verificationStarted() const { return m_verificationStarted; }
    bool verificationStopped() const { return m_verificationStopped; }
    void updateLinkCount();
    int selectedCount() const { return m_selectedCount; }

    int numLinks() const { return int(m_linkInfos.size()); }
    const LinkInfo &linkInfo(int row) const { return m_linkInfos.at(size_t(row)); }
    const std::vector<LinkInfo> &linkInfos() const { return m_linkInfos; }

    // Fetch settings for every check; without them each fetch reads the preferences.
    void setFetchSettings(const std::optional<FetchSettings> &settings) { m_fetchSettings = settings; }
    // Limits for the next run; without them the preferences are read when it starts.
    void setLimits(const std::optional<VerificationLimits> &limits) { m_limits = limits; }
    // The limits of the run under way, or of the last one.
    const VerificationLimits &activeLimits() const { return m_activeLimits; }
    // Tests hand in an HTTP client that answers without a network, and a clock they move by hand.
    void setNetworkAccessManager(QNetworkAccessManager *network) { m_networkOverride = network; }
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }
    HostScheduler *hostScheduler() const { return m_hosts.get(); }

    static QString imageNameForResult(VerificationResult result);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void buttonsChanged();
    void scrollToRow(int row);
    void rowCompleted(int row);
    void runEnded();
    // A host was paused, or its pause ended.
    void pausesChanged();

private:
    void releaseVerifiers();
    // Starts checks until the limits are reached or no row can start; the last row started or -1.
    int fillSlots();
    void resumeChecks();
    QNetworkAccessManager *network() { return m_networkOverride ? m_networkOverride : &m_network; }
    void refreshTable();
    void emitRowChanged(int row);

    CollectionManager *m_collectionManager;
    QNetworkAccessManager m_network;
    std::vector<LinkInfo> m_linkInfos;
    std::vector<std::unique_ptr<VerificationManager>> m_verifiers;
    std::optional<FetchSettings> m_fetchSettings;
    std::optional<VerificationLimits> m_limits;
    VerificationLimits m_activeLimits;
    QNetworkAccessManager *m_networkOverride = nullptr;
    std::function<qint64()> m_clock;
    std::unique_ptr<HostScheduler> m_hosts; // of the run under way
    CheckQueue m_pending;                   // ticked rows not started yet
    bool m_verificationStarted = false;
    bool m_verificationStopped = false;
    int m_selectedCount = 0;
    int m_inProgressCount = 0;
    bool m_assigning = false; // inside assignVerifier: reports only record their result
    int m_firstRowToShow = -1;
};
