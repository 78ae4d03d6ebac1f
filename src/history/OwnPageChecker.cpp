#include "OwnPageChecker.h"

#include "SiteRecords.h"

#include "model/Clock.h"
#include "verify/FetchSettings.h"
#include "verify/PageDecoder.h"
#include "verify/PageFetcher.h"

#include <QNetworkAccessManager>
#include <QThreadPool>
#include <utility>

OwnPageChecker::OwnPageChecker(QObject *parent) : QObject(parent), m_network(new QNetworkAccessManager(this))
{
    qRegisterMetaType<OwnPageCheck::Result>();
}

OwnPageChecker::~OwnPageChecker() = default;

bool OwnPageChecker::start(const CollectionManager &collectionManager, const QString &databasePath,
                           QString *error)
{
    cancel();
    m_plan = OwnPageCheck::planFor(collectionManager, error);
    if (m_plan.pages.isEmpty())
        return false;
    m_databasePath = databasePath;
    m_bodies.clear();
    m_next = 0;
    m_running = true;
    ++m_run;
    emit progress(0, int(m_plan.pages.size()));
    fetchNext();
    return true;
}

void OwnPageChecker::cancel()
{
    if (m_fetcher) {
        m_fetcher->cancel();
        m_fetcher->deleteLater();
    }
    m_running = false;
    ++m_run;
}

void OwnPageChecker::fetchNext()
{
    if (m_next >= m_plan.pages.size()) {
        judge();
        return;
    }
    if (m_fetcher)
        m_fetcher->deleteLater();
    m_fetcher = new PageFetcher(m_network, this);
    connect(m_fetcher, &PageFetcher::finished, this, &OwnPageChecker::pageFetched);
    m_fetcher->start(m_plan.pages.at(m_next).url, FetchSettings::fromPreferences(), {429, 502, 503, 504},
                     PageFetcher::Body::Keep);
}

void OwnPageChecker::pageFetched(const FetchOutcome &outcome)
{
    OwnPageCheck::Page &page = m_plan.pages[m_next];
    if (!outcome.loaded()) {
        page.error = outcome.errorText;
    } else if (outcome.httpStatus >= 400) {
        page.error = tr("the server answered with status %1").arg(outcome.httpStatus);
    } else {
        page.loaded = true;
        m_bodies[m_next] = outcome.body; // decoded on the worker that judges: a page may be large
        page.finalURL = outcome.finalURL;
        page.robotsTag = outcome.robotsTag;
    }
    ++m_next;
    emit progress(m_next, int(m_plan.pages.size()));
    fetchNext();
}

void OwnPageChecker::judge()
{
    // Parsing a large page takes a while: the reading and the recording go to a worker, with plain
    // values, and the result comes back through the event loop. The global pool is waited for when the
    // application object goes, so the recording finishes before main() returns.
    const quint64 run = m_run;
    QPointer<OwnPageChecker> self(this);
    QThreadPool::globalInstance()->start([self, run, plan = m_plan, bodies = std::exchange(m_bodies, {}),
                                          databasePath = m_databasePath]() mutable {
        for (auto body = bodies.cbegin(); body != bodies.cend(); ++body)
            plan.pages[body.key()].text = PageDecoder::decode(body.value());
        OwnPageCheck::Result result;
        result.checkedOn = Clock::now();
        result.findings = OwnPageCheck::findingsFor(plan);
        result.pages = plan.pages;
        for (OwnPageCheck::Page &page : result.pages)
            page.text.clear();
        FileError historyError;
        if (!databasePath.isEmpty()) {
            SiteRecords records(databasePath);
            if (!records.recordOwnPageCheck(result))
                historyError = records.error();
        }
        QMetaObject::invokeMethod(
            self.data(),
            [self, run, result, historyError] {
                if (!self || run != self->m_run)
                    return;
                self->m_running = false;
                emit self->finished(result, historyError);
            },
            Qt::QueuedConnection);
    });
}
