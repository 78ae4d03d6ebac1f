#include "PasswordStore.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>
#include <QHash>
#include <QMutex>

namespace {

QMutex sessionMutex;
QHash<QString, QString> &sessionPasswords()
{
    static QHash<QString, QString> passwords;
    return passwords;
}

bool keyringMissing(QKeychain::Error error)
{
    return error == QKeychain::NoBackendAvailable || error == QKeychain::NotImplemented;
}

} // namespace

QString PasswordStore::service()
{
    return QStringLiteral("Quillmarsh");
}

void PasswordStore::read(const QString &key, QObject *context, std::function<void(const Answer &)> done)
{
    if (const std::optional<QString> known = sessionPassword(key)) {
        QMetaObject::invokeMethod(
            context,
            [done, known] {
                done(Answer{known, false, QString()});
            },
            Qt::QueuedConnection);
        return;
    }
    auto *job = new QKeychain::ReadPasswordJob(service());
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(key);
    QObject::connect(job, &QKeychain::Job::finished, context, [done](QKeychain::Job *finished) {
        auto *reader = static_cast<QKeychain::ReadPasswordJob *>(finished);
        Answer answer;
        if (finished->error() == QKeychain::NoError) {
            answer.password = reader->textData();
        } else if (finished->error() != QKeychain::EntryNotFound) {
            answer.keyringMissing = keyringMissing(finished->error());
            answer.error = tr("The desktop keyring cannot be read: %1").arg(finished->errorString());
        }
        done(answer);
    });
    job->start();
}

void PasswordStore::write(const QString &key, const QString &password, QObject *context,
                          std::function<void(bool, const QString &)> done)
{
    auto *job = new QKeychain::WritePasswordJob(service());
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(key);
    job->setTextData(password);
    QObject::connect(
        job, &QKeychain::Job::finished, context, [done, key, password](QKeychain::Job *finished) {
            if (finished->error() == QKeychain::NoError) {
                done(true, QString());
                return;
            }
            if (keyringMissing(finished->error()))
                setSessionPassword(key, password); // kept for this session, as the user would expect
            done(false,
                 tr("The password cannot be kept in the desktop keyring: %1").arg(finished->errorString()));
        });
    job->start();
}

void PasswordStore::remove(const QString &key, QObject *context,
                           std::function<void(bool, const QString &)> done)
{
    {
        QMutexLocker lock(&sessionMutex);
        sessionPasswords().remove(key);
    }
    auto *job = new QKeychain::DeletePasswordJob(service());
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(key);
    QObject::connect(job, &QKeychain::Job::finished, context, [done](QKeychain::Job *finished) {
        const bool ok =
            finished->error() == QKeychain::NoError || finished->error() == QKeychain::EntryNotFound;
        done(ok, ok ? QString()
                    : tr("The password cannot be removed from the desktop keyring: %1")
                          .arg(finished->errorString()));
    });
    job->start();
}

PasswordStore::Answer PasswordStore::readNow(const QString &key)
{
    QObject context;
    QEventLoop loop;
    Answer result;
    read(key, &context, [&](const Answer &answer) {
        result = answer;
        loop.quit();
    });
    loop.exec();
    return result;
}

bool PasswordStore::writeNow(const QString &key, const QString &password, QString *error)
{
    QObject context;
    QEventLoop loop;
    bool result = false;
    write(key, password, &context, [&](bool ok, const QString &why) {
        result = ok;
        if (error)
            *error = why;
        loop.quit();
    });
    loop.exec();
    return result;
}

void PasswordStore::setSessionPassword(const QString &key, const QString &password)
{
    QMutexLocker lock(&sessionMutex);
    sessionPasswords().insert(key, password);
}

std::optional<QString> PasswordStore::sessionPassword(const QString &key)
{
    QMutexLocker lock(&sessionMutex);
    const auto found = sessionPasswords().constFind(key);
    if (found == sessionPasswords().cend())
        return std::nullopt;
    return *found;
}

void PasswordStore::forgetSessionPasswords()
{
    QMutexLocker lock(&sessionMutex);
    sessionPasswords().clear();
}
