#include "SelfInfo.h"

#include "ByteFields.h"
#include "LocalTime.h"
#include "TextUtils.h"

#include <cstring>

using namespace ByteFields;
using TextUtils::oneLineString;

SelfInfo::SelfInfo() : m_createdOn(LocalTime::now()) {}

void SelfInfo::setTitle(const SiteProfileTexts &t)
{
    m_title = oneLineString(t.title);
    m_URL = oneLineString(t.URL);
    m_description = oneLineString(t.description);
    m_keywords = oneLineString(t.keywords);
    m_linksURL = oneLineString(t.linksURL);
    m_contactFirstName = oneLineString(t.contactFirstName);
    m_contactLastName = oneLineString(t.contactLastName);
    m_contactEmail = oneLineString(t.contactEmail);
}

SiteProfileTexts SelfInfo::texts() const
{
    return {m_title,           m_URL,         m_description, m_keywords, m_linksURL, m_contactFirstName,
            m_contactLastName, m_contactEmail};
}

void SelfInfo::setNotifyNegotiationNotStarted(const NotificationSettings &settings)
{
    m_settings = settings;
}

NotificationSettings SelfInfo::notificationSettings() const
{
    return m_settings;
}

void SelfInfo::setExportNewLinks(bool exportNewLinks, bool exportNegotiatingLinks)
{
    m_exportNewLinks = exportNewLinks;
    m_exportNegotiatingLinks = exportNegotiatingLinks;
}

QString SelfInfo::HTMLTitle() const
{
    return TextUtils::HTMLString(m_title);
}

void SelfInfo::loadDataRepresentation(const char *b)
{
    SiteProfileTexts t;
    t.title = readFixedText(b + 0, 100, b + 200);
    t.URL = readByteText(b + 204, 250);
    t.description = readFixedText(b + 454, 400, b + 1256);
    t.keywords = readFixedText(b + 1260, 250, b + 1760);
    t.linksURL = readByteText(b + 1764, 250);
    t.contactFirstName = readFixedText(b + 2014, 50, b + 2116);
    t.contactLastName = readFixedText(b + 2120, 50, b + 2220);
    t.contactEmail = readByteText(b + 2224, 100);
    setTitle(t);
    m_renderMode = readSignedWord(b + 2380);
    m_exportNewLinks = readWord(b + 2372) != 0;
    m_exportNegotiatingLinks = readWord(b + 2376) != 0;
    NotificationSettings s;
    s.notifyNegotiationNotStarted = readWord(b + 2336) != 0;
    s.negotiationStartTimeout = readSignedWord(b + 2340);
    s.notifyLastingNegotiation = readWord(b + 2344) != 0;
    s.lastingNegotiationTimeout = readSignedWord(b + 2348);
    s.notifyLinkVerification = readWord(b + 2352) != 0;
    s.linkVerificationTimeout = readSignedWord(b + 2356);
    s.notifyLinksInCategory = readWord(b + 2360) != 0;
    s.linksInCategoryNumber = readSignedWord(b + 2364);
    s.notifyVerificationUnsuccessful = readWord(b + 2368) != 0;
    m_settings = s;
    m_createdOn = LocalTime::dayStart(readDateText(b + 2324));
}

char *SelfInfo::getDataRepresentation(char *b) const
{
    std::memset(b, 0, RecordSize);
    writeFixedText(b + 0, 100, b + 200, m_title);
    writeByteText(b + 204, 250, m_URL);
    writeFixedText(b + 454, 400, b + 1256, m_description);
    writeFixedText(b + 1260, 250, b + 1760, m_keywords);
    writeByteText(b + 1764, 250, m_linksURL);
    writeFixedText(b + 2014, 50, b + 2116, m_contactFirstName);
    writeFixedText(b + 2120, 50, b + 2220, m_contactLastName);
    writeByteText(b + 2224, 100, m_contactEmail);
    writeDateText(b + 2324, m_createdOn.date());
    writeWord(b + 2336, m_settings.notifyNegotiationNotStarted ? 1 : 0);
    writeWord(b + 2340, uint32_t(m_settings.negotiationStartTimeout));
    writeWord(b + 2344, m_settings.notifyLastingNegotiation ? 1 : 0);
    writeWord(b + 2348, uint32_t(m_settings.lastingNegotiationTimeout));
    writeWord(b + 2352, m_settings.notifyLinkVerification ? 1 : 0);
    writeWord(b + 2356, uint32_t(m_settings.linkVerificationTimeout));
    writeWord(b + 2360, m_settings.notifyLinksInCategory ? 1 : 0);
    writeWord(b + 2364, uint32_t(m_settings.linksInCategoryNumber));
    writeWord(b + 2368, m_settings.notifyVerificationUnsuccessful ? 1 : 0);
    writeWord(b + 2372, m_exportNewLinks ? 1 : 0);
    writeWord(b + 2376, m_exportNegotiatingLinks ? 1 : 0);
    writeWord(b + 2380, uint32_t(m_renderMode));
    return b;
}
