#include "EmailTemplate.h"

#include "ByteFields.h"
#include "LocalTime.h"
#include "RecordIdentifier.h"
#include "TextUtils.h"

#include <cstring>

using namespace ByteFields;

EmailTemplate::EmailTemplate()
    : m_ID(RecordIdentifier::next(RecordIdentifier::EmailTemplateKind)), m_createdOn(LocalTime::now())
{}

void EmailTemplate::setName(const QString &name, const QString &subject, const QString &body)
{
    m_name = TextUtils::oneLineString(name);
    m_subject = TextUtils::oneLineString(subject);
    m_body = body;
}

void EmailTemplate::loadDataRepresentation(const char *b)
{
    setName(readFixedText(b + 50, 100, b + 252), readFixedText(b + 256, 200, b + 656),
            readFixedText(b + 660, 2000, b + 4660));
    m_ID = readByteText(b + 0, 50);
    m_createdOn = LocalTime::dayStart(readDateText(b + 4664));
}

char *EmailTemplate::getDataRepresentation(char *b) const
{
    std::memset(b, 0, RecordSize);
    writeByteText(b + 0, 50, m_ID);
    writeFixedText(b + 50, 100, b + 252, m_name);
    writeFixedText(b + 256, 200, b + 656, m_subject);
    writeFixedText(b + 660, 2000, b + 4660, m_body);
    writeDateText(b + 4664, m_createdOn.date());
    return b;
}

bool EmailTemplate::containsString(const QString &text) const
{
    return m_name.contains(text, Qt::CaseInsensitive) || m_subject.contains(text, Qt::CaseInsensitive) ||
           m_body.contains(text, Qt::CaseInsensitive);
}

bool EmailTemplate::equals(const Attachment &other) const
{
    return m_ID == other.ID();
}

int EmailTemplate::compare(const Attachment &other) const
{
    return QString::compare(m_name, other.nodeTitle(), Qt::CaseInsensitive);
}
