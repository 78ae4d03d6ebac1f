#include "PasswordKeyring.h"

#include <QEventLoop>
#include <qt6keychain/keychain.h>

namespace PasswordKeyring {

namespace {
const QString Service = QStringLiteral("Quillmarsh");
}

void readPassword(const QString &key, QObject *context,
                  const std::function<void(std::optional<QString>, const QString &)> &done)
{
    auto *job = new QKeychain::ReadPasswordJob(Service);
    job->setAutoDelete(true);
    job->setKey(key);
    QObject::connect(job, &QKeychain::Job::finished, context, [done](QKeychain::Job *finished) {
        const auto *read = static_cast<QKeychain::ReadPasswordJob *>(finished);
        if (read->error() == QKeychain::NoError)
            done(read->textData(), QString());
        else
            done(std::nullopt, read->errorString());
    });
    job->start();
}

void writePassword(const QString &key, const QString &password, QObject *context,
                   const std::function<void(bool, const QString &)> &done)
{
    auto *job = new QKeychain::WritePasswordJob(Service);
    job->setAutoDelete(true);
    job->setKey(key);
    job->setTextData(password);
    QObject::connect(job, &QKeychain::Job::finished, context, [done](QKeychain::Job *finished) {
        done(finished->error() == QKeychain::NoError, finished->errorString());
    });
    job->start();
}

std::optional<QString> readPasswordAndWait(const QString &key, QString *error)
{
    QEventLoop loop;
    std::optional<QString> result;
    QObject context;
    readPassword(key, &context, [&](std::optional<QString> password, const QString &why) {
        result = password;
        if (error)
            *error = why;
        loop.quit();
    });
    loop.exec();
    return result;
}

} // namespace PasswordKeyring
