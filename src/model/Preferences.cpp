#include "Preferences.h"

#include <QHash>
#include <memory>

namespace {

QString &settingsFile()
{
    static QString path;
    return path;
}

std::unique_ptr<QSettings> openStore()
{
    if (!settingsFile().isEmpty())
        return std::make_unique<QSettings>(settingsFile(), QSettings::IniFormat);
    return std::make_unique<QSettings>(QStringLiteral("Quillmarsh"), QStringLiteral("Quillmarsh"));
}

const QHash<QString, QVariant> &defaults()
{
    static const QHash<QString, QVariant> table{
        {Preferences::AutoSaveDocuments, false},
        {Preferences::AutoSaveInterval, 5},
        {Preferences::AutoVerifyDays, 0},
        {Preferences::CreateBackupFiles, false},
        {Preferences::EmailEncoding, 0},
        // UTF-8 holds every character; a stored choice of another encoding is kept as it is.
        {Preferences::FileExportEncoding, 3},
        {Preferences::StartupAction, 2},
        {Preferences::ShowNewSiteCreatedMessage, true},
        {Preferences::InstantLinkRequestType, int('R')},
        {Preferences::InstantLinkSendMessage, true},
        {Preferences::InstantLinkTemplateIndex, -1},
        {Preferences::VerificationTimeout, 30},
        {Preferences::VerificationConcurrency, 4},
        {Preferences::VerificationPerHost, 4},
        {Preferences::ConfirmLossDelay, 30},
        {Preferences::UnreachableAlertDays, 7},
        {Preferences::RobotsUserAgent, QStringLiteral("Googlebot")},
        {Preferences::MovedSearchPages, 20},
        {Preferences::CrowdedPageLinks, 100},
        {Preferences::MailSenderName, QString()},
        {Preferences::MailSenderAddress, QString()},
        {Preferences::SmtpHost, QString()},
        {Preferences::SmtpPort, 587},
        {Preferences::SmtpSecurity, 0},
        {Preferences::SmtpUser, QString()},
        {Preferences::SmtpCertificate, QString()},
        {Preferences::ImapHost, QString()},
        {Preferences::ImapPort, 993},
        {Preferences::ImapSecurity, 1},
        {Preferences::ImapUser, QString()},
        {Preferences::ImapCertificate, QString()},
        {Preferences::ImapFolders, QStringLiteral("INBOX")},
        {Preferences::SendWith, 0},
        {Preferences::SendFollowUpsWithoutAsking, false},
        {Preferences::MailPace, 20},
        {Preferences::LostLinkTemplate, QString()},
        {Preferences::VerificationUserAgent,
         QStringLiteral("Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko) "
                        "Chrome/120.0 Safari/537.36 Quillmarsh/1.0")},
    };
    return table;
}

} // namespace

QVariant Preferences::defaultValue(const QString &key)
{
    return defaults().value(key);
}

QVariant Preferences::value(const QString &key)
{
    return openStore()->value(key, defaultValue(key));
}

bool Preferences::boolValue(const QString &key)
{
    const QVariant v = value(key);
    // Stored text such as "YES" or "true" counts as true, as a number other than 0 does.
    if (v.typeId() == QMetaType::QString) {
        const QString text = v.toString().trimmed().toLower();
        return text == QLatin1String("yes") || text == QLatin1String("true") || text.toInt() != 0;
    }
    return v.toBool();
}

int Preferences::intValue(const QString &key)
{
    bool ok = false;
    const int result = value(key).toInt(&ok);
    return ok ? result : defaultValue(key).toInt();
}

QString Preferences::stringValue(const QString &key)
{
    return value(key).toString();
}

void Preferences::setValue(const QString &key, const QVariant &v)
{
    openStore()->setValue(key, v);
}

void Preferences::remove(const QString &key)
{
    openStore()->remove(key);
}

void Preferences::useSettingsFile(const QString &path)
{
    settingsFile() = path;
}
