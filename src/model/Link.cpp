#include "Link.h"

#include "ByteFields.h"
#include "Clock.h"
#include "LocalTime.h"
#include "RecordIdentifier.h"
#include "TextUtils.h"

#include <cstring>

using namespace ByteFields;
using TextUtils::oneLineString;

Link::Link() : m_ID(RecordIdentifier::next(RecordIdentifier::LinkKind))
{
    setCreatedOn(LocalTime::now());
}

void Link::setTitle(const LinkFields &f)
{
    m_title = oneLineString(f.title);
    m_categoryID = f.categoryID;
    m_URL = oneLineString(f.URL);
    m_description = oneLineString(f.description);
    m_keywords = oneLineString(f.keywords);
    m_counterpartURL = oneLineString(f.counterpartURL);
    m_counterpartCategoryName = oneLineString(f.counterpartCategoryName);
    m_contactFirstName = oneLineString(f.contactFirstName);
    m_contactLastName = oneLineString(f.contactLastName);
    m_contactEmail = oneLineString(f.contactEmail);
    m_lastVerifiedOn = f.lastVerifiedOn;
    if (f.status != m_status || m_lastStatusChangedOn.isNull())
        m_lastStatusChangedOn = f.lastStatusChangedOn;
    m_type = f.type;
    m_status = f.status;
    m_draft = f.draft;
    m_lastVerificationResult = f.lastVerificationResult;
    m_notes = f.notes;
}

LinkFields Link::fields() const
{
    LinkFields f;
    f.title = m_title;
    f.categoryID = m_categoryID;
    f.URL = m_URL;
    f.description = m_description;
    f.keywords = m_keywords;
    f.counterpartURL = m_counterpartURL;
    f.counterpartCategoryName = m_counterpartCategoryName;
    f.contactFirstName = m_contactFirstName;
    f.contactLastName = m_contactLastName;
    f.contactEmail = m_contactEmail;
    f.lastVerifiedOn = m_lastVerifiedOn;
    f.lastVerificationResult = m_lastVerificationResult;
    f.lastStatusChangedOn = m_lastStatusChangedOn;
    f.type = m_type;
    f.status = m_status;
    f.draft = m_draft;
    f.notes = m_notes;
    return f;
}

void Link::setStatus(LinkStatus status)
{
    if (status == m_status && !m_lastStatusChangedOn.isNull())
        return;
    m_status = status;
    m_lastStatusChangedOn = Clock::today();
}

void Link::setLastVerifiedOn(const QDate &date, VerificationResult result)
{
    m_lastVerifiedOn = date;
    m_lastVerificationResult = result;
}

QString Link::HTMLTitle() const
{
    return TextUtils::HTMLString(m_title);
}

QString Link::HTMLDescription() const
{
    return TextUtils::HTMLString(m_description);
}

void Link::loadDataRepresentation(const char *b)
{
    m_ID = readByteText(b + 0, 50);
    m_createdOnDay = readDateText(b + 2830);
    m_createdOnTime = m_createdOnDay.isValid() ? QTime(0, 0) : QTime();
    LinkFields f;
    f.categoryID = readByteText(b + 50, 50);
    f.title = readFixedText(b + 100, 100, b + 300);
    f.URL = readByteText(b + 304, 250);
    f.description = readFixedText(b + 554, 400, b + 1356);
    f.keywords = readFixedText(b + 1360, 250, b + 1860);
    f.counterpartURL = readByteText(b + 1864, 250);
    f.counterpartCategoryName = readFixedText(b + 2114, 200, b + 2516);
    f.contactFirstName = readFixedText(b + 2520, 50, b + 2620);
    f.contactLastName = readFixedText(b + 2624, 50, b + 2724);
    f.contactEmail = readByteText(b + 2728, 100);
    f.status = b[2828];
    f.type = b[2829];
    f.lastVerifiedOn = isNoDateText(b + 2840) ? QDate() : readDateText(b + 2840);
    f.lastVerificationResult = b[2850];
    f.lastStatusChangedOn = readDateText(b + 2851);
    f.draft = b[2861];
    f.notes = readFixedText(b + 2868, 500, b + 3868);
    setTitle(f);
}

char *Link::getDataRepresentation(char *b) const
{
    std::memset(b, 0, RecordSize);
    writeByteText(b + 0, 50, m_ID);
    writeByteText(b + 50, 50, m_categoryID);
    writeFixedText(b + 100, 100, b + 300, m_title);
    writeByteText(b + 304, 250, m_URL);
    writeFixedText(b + 554, 400, b + 1356, m_description);
    writeFixedText(b + 1360, 250, b + 1860, m_keywords);
    writeByteText(b + 1864, 250, m_counterpartURL);
    writeFixedText(b + 2114, 200, b + 2516, m_counterpartCategoryName);
    writeFixedText(b + 2520, 50, b + 2620, m_contactFirstName);
    writeFixedText(b + 2624, 50, b + 2724, m_contactLastName);
    writeByteText(b + 2728, 100, m_contactEmail);
    b[2828] = m_status;
    b[2829] = m_type;
    writeDateText(b + 2830, m_createdOnDay);
    writeDateText(b + 2840, m_lastVerifiedOn);
    b[2850] = m_lastVerificationResult;
    writeDateText(b + 2851, m_lastStatusChangedOn);
    b[2861] = m_draft;
    writeFixedText(b + 2868, 500, b + 3868, m_notes);
    return b;
}

bool Link::containsString(const QString &text) const
{
    for (const QString *field :
         {&m_title, &m_URL, &m_description, &m_keywords, &m_counterpartURL, &m_counterpartCategoryName,
          &m_contactFirstName, &m_contactLastName, &m_contactEmail, &m_notes}) {
        if (field->contains(text, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool Link::equals(const Attachment &other) const
{
    return m_ID == other.ID();
}

int Link::compare(const Attachment &other) const
{
    return QString::compare(m_title, other.nodeTitle(), Qt::CaseInsensitive);
}
