#include "RetiredClients.h"

#include <QCoreApplication>
#include <QMutex>
#include <QNetworkAccessManager>
#include <QThread>
#include <utility>

namespace {

// Plain pointers, never objects with destructors of their own: the thread must be gone before
// static destruction begins, not be torn down by it.
QMutex *mutex()
{
    static QMutex *const instance = new QMutex;
    return instance;
}
QThread *thread = nullptr;
bool shutDownDone = false;

} // namespace

void RetiredClients::retire(QNetworkAccessManager *network)
{
    if (!network)
        return;
    network->setParent(nullptr);
    QMutexLocker lock(mutex());
    if (shutDownDone || !QCoreApplication::instance()) {
        // The application is going or gone: nothing is left to keep waiting for it.
        lock.unlock();
        delete network;
        return;
    }
    if (!thread) {
        thread = new QThread;
        thread->setObjectName(QStringLiteral("Retired HTTP clients"));
        thread->start();
        qAddPostRoutine(&RetiredClients::shutDown);
    }
    network->moveToThread(thread);
    // A thread that finishes deletes what was handed to deleteLater, so none is lost at shut-down.
    network->deleteLater();
}

void RetiredClients::shutDown()
{
    QThread *joined = nullptr;
    {
        QMutexLocker lock(mutex());
        shutDownDone = true;
        joined = std::exchange(thread, nullptr);
    }
    if (!joined)
        return;
    joined->quit();
    joined->wait();
    delete joined;
}
