#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

// The user's preferences: one table of keys with registered defaults. Every read goes to the
// settings store at the moment of use, so a change takes effect at the next read.
class Preferences
{
public:
    // Keys, exactly as stored.
    static inline const QString AutoSaveDocuments = QStringLiteral("AutoSaveDocuments");
    static inline const QString AutoSaveInterval = QStringLiteral("AutoSaveInterval");
    // Days after which an open database checks its links by itself; 0: never.
    static inline const QString AutoVerifyDays = QStringLiteral("AutoVerifyDays");
    static inline const QString CreateBackupFiles = QStringLiteral("CreateBackupFiles");
    static inline const QString EmailEncoding = QStringLiteral("EmailEncoding");
    static inline const QString FileExportEncoding = QStringLiteral("FileExportEncoding");
    static inline const QString StartupAction = QStringLiteral("StartupAction");
    static inline const QString ShowNewSiteCreatedMessage = QStringLiteral("ShowNewSiteCreatedMessage");
    static inline const QString InstantLinkRequestType = QStringLiteral("InstantLinkRequestType");
    static inline const QString InstantLinkSendMessage = QStringLiteral("InstantLinkSendMessage");
    static inline const QString InstantLinkTemplateIndex = QStringLiteral("InstantLinkTemplateIndex");
    static inline const QString VerificationTimeout = QStringLiteral("VerificationTimeout");
    static inline const QString VerificationUserAgent = QStringLiteral("VerificationUserAgent");
    static inline const QString VerificationConcurrency = QStringLiteral("VerificationConcurrency");
    static inline const QString VerificationPerHost = QStringLiteral("VerificationPerHost");
    // Seconds before a link that went missing is looked for again; 0-600.
    static inline const QString ConfirmLossDelay = QStringLiteral("ConfirmLossDelay");
    // Days a site must stay unreachable or closed after a found link before it is reported; 1-90.
    static inline const QString UnreachableAlertDays = QStringLiteral("UnreachableAlertDays");
    // The search engine whose robots.txt rules decide whether a links page is followed.
    static inline const QString RobotsUserAgent = QStringLiteral("RobotsUserAgent");
    // Pages of a partner's site searched for a link that left the links page; 0: none.
    static inline const QString MovedSearchPages = QStringLiteral("MovedSearchPages");
    // Followed links to other sites above which a links page is called crowded.
    static inline const QString CrowdedPageLinks = QStringLiteral("CrowdedPageLinks");
    // The mail account that sends messages to partners and reads their replies (passwords live in
    // the desktop keyring, never here).
    static inline const QString MailSenderName = QStringLiteral("MailSenderName");
    static inline const QString MailSenderAddress = QStringLiteral("MailSenderAddress");
    static inline const QString SmtpHost = QStringLiteral("SmtpHost");
    static inline const QString SmtpPort = QStringLiteral("SmtpPort");
    static inline const QString SmtpSecurity = QStringLiteral("SmtpSecurity"); // 0 STARTTLS, 1 TLS, 2 none
    static inline const QString SmtpUser = QStringLiteral("SmtpUser");
    static inline const QString SmtpCertificate = QStringLiteral("SmtpCertificate"); // accepted SHA-256
    static inline const QString ImapHost = QStringLiteral("ImapHost");
    static inline const QString ImapPort = QStringLiteral("ImapPort");
    static inline const QString ImapSecurity = QStringLiteral("ImapSecurity");
    static inline const QString ImapUser = QStringLiteral("ImapUser");
    static inline const QString ImapCertificate = QStringLiteral("ImapCertificate");
    static inline const QString ImapFolders = QStringLiteral("ImapFolders"); // comma-separated
    // 0: messages go through the mail client (mailto:); 1: this application sends them.
    static inline const QString SendWith = QStringLiteral("SendWith");
    static inline const QString SendFollowUpsWithoutAsking = QStringLiteral("SendFollowUpsWithoutAsking");
    static inline const QString MailPace = QStringLiteral("MailPace"); // messages per minute; 0: no pause
    // The template a lost link queues; empty: the starter template "Your link to us is missing".
    static inline const QString LostLinkTemplate = QStringLiteral("LostLinkTemplate");

    // The registered default of a key (an invalid QVariant for unknown keys).
    static QVariant defaultValue(const QString &key);

    static bool boolValue(const QString &key);
    static int intValue(const QString &key);
    static QString stringValue(const QString &key);
    static void setValue(const QString &key, const QVariant &value);
    static void remove(const QString &key);

    // Tests point the store at a private file so they never touch the user's settings.
    static void useSettingsFile(const QString &path);

private:
    static QVariant value(const QString &key);
};
