#pragma once

#include "Codes.h"

#include <QDateTime>
#include <QString>
#include <cstdint>

// The eight texts of the user's own site profile.
struct SiteProfileTexts
{
    QString title;
    QString URL;
    QString description;
    QString keywords;
    QString linksURL;
    QString contactFirstName;
    QString contactLastName;
    QString contactEmail;
};

// The reminder thresholds and switches of one database.
struct NotificationSettings
{
    bool notifyNegotiationNotStarted = true;
    int32_t negotiationStartTimeout = 3;
    bool notifyLastingNegotiation = true;
    int32_t lastingNegotiationTimeout = 5;
    bool notifyLinkVerification = true;
    int32_t linkVerificationTimeout = 30;
    bool notifyLinksInCategory = true;
    int32_t linksInCategoryNumber = 100;
    bool notifyVerificationUnsuccessful = true;
    bool operator==(const NotificationSettings &) const = default;
};

// The user's own site profile with the reminder and publishing settings; one per database.
class SelfInfo
{
public:
    static constexpr int32_t RecordSize = 2384;

    SelfInfo();

    void setTitle(const SiteProfileTexts &texts); // all eight flattened to one line
    SiteProfileTexts texts() const;
    void setNotifyNegotiationNotStarted(const NotificationSettings &settings);
    NotificationSettings notificationSettings() const;
    void setExportNewLinks(bool exportNewLinks, bool exportNegotiatingLinks);
    void setRenderMode(int32_t renderMode) { m_renderMode = renderMode; }
    void setCreatedOn(const QDateTime &createdOn) { m_createdOn = createdOn; }
    QString HTMLTitle() const;

    const QString &title() const { return m_title; }
    const QString &URL() const { return m_URL; }
    const QString &description() const { return m_description; }
    const QString &keywords() const { return m_keywords; }
    const QString &linksURL() const { return m_linksURL; }
    const QString &contactFirstName() const { return m_contactFirstName; }
    const QString &contactLastName() const { return m_contactLastName; }
    const QString &contactEmail() const { return m_contactEmail; }
    const QDateTime &createdOn() const { return m_createdOn; }
    bool notifyNegotiationNotStarted() const { return m_settings.notifyNegotiationNotStarted; }
    int32_t negotiationStartTimeout() const { return m_settings.negotiationStartTimeout; }
    bool notifyLastingNegotiation() const { return m_settings.notifyLastingNegotiation; }
    int32_t lastingNegotiationTimeout() const { return m_settings.lastingNegotiationTimeout; }
    bool notifyLinkVerification() const { return m_settings.notifyLinkVerification; }
    int32_t linkVerificationTimeout() const { return m_settings.linkVerificationTimeout; }
    bool notifyLinksInCategory() const { return m_settings.notifyLinksInCategory; }
    int32_t linksInCategoryNumber() const { return m_settings.linksInCategoryNumber; }
    bool notifyVerificationUnsuccessful() const { return m_settings.notifyVerificationUnsuccessful; }
    bool exportNewLinks() const { return m_exportNewLinks; }
    bool exportNegotiatingLinks() const { return m_exportNegotiatingLinks; }
    int32_t renderMode() const { return m_renderMode; }

    int32_t sizeOfDataRepresentation() const { return RecordSize; }
    void loadDataRepresentation(const char *bytes);
    char *getDataRepresentation(char *buffer) const;

private:
    QString m_title;
    QString m_URL;
    QString m_description;
    QString m_keywords;
    QString m_linksURL;
    QString m_contactFirstName;
    QString m_contactLastName;
    QString m_contactEmail;
    QDateTime m_createdOn;
    NotificationSettings m_settings;
    bool m_exportNewLinks = true;
    bool m_exportNegotiatingLinks = true;
    int32_t m_renderMode = RenderModeSinglePage;
};
