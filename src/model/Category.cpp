#include "Category.h"

#include "ByteFields.h"
#include "Codes.h"
#include "LocalTime.h"
#include "RecordIdentifier.h"
#include "TextUtils.h"

#include <QCoreApplication>
#include <cstring>

using namespace ByteFields;

Category::Category()
    : m_ID(RecordIdentifier::next(RecordIdentifier::CategoryKind)), m_createdOn(LocalTime::now())
{}

void Category::setName(const QString &name, const QString &anchor)
{
    m_name = TextUtils::oneLineString(name);
    m_anchor = anchor;
}

void Category::setNone()
{
    m_ID = NoneCategoryID;
}

bool Category::isNone() const
{
    return m_ID == NoneCategoryID;
}

QString Category::nodeTitle() const
{
    return isNone() ? QCoreApplication::translate("CollectionManager", "General") : m_name;
}

QString Category::HTMLName() const
{
    return TextUtils::HTMLString(m_name);
}

void Category::loadDataRepresentation(const char *b)
{
    m_ID = readByteText(b + 0, 50);
    m_createdOn = LocalTime::dayStart(readDateText(b + 506));
    setName(readFixedText(b + 50, 200, b + 452), readByteText(b + 456, 50));
}

char *Category::getDataRepresentation(char *b) const
{
    std::memset(b, 0, RecordSize);
    writeByteText(b + 0, 50, m_ID);
    writeFixedText(b + 50, 200, b + 452, m_name);
    writeByteText(b + 456, 50, m_anchor);
    writeDateText(b + 506, m_createdOn.date());
    return b;
}

bool Category::containsString(const QString &text) const
{
    return m_name.contains(text, Qt::CaseInsensitive) || m_anchor.contains(text, Qt::CaseInsensitive);
}

bool Category::equals(const Attachment &other) const
{
    return m_ID == other.ID();
}

int Category::compare(const Attachment &other) const
{
    // The default category sorts first; two of them are equal, or ordered insertion would swap them.
    const bool otherIsNone = other.ID() == NoneCategoryID;
    if (isNone())
        return otherIsNone ? 0 : -1;
    if (otherIsNone)
        return 1;
    return QString::compare(m_name, other.nodeTitle(), Qt::CaseInsensitive);
}
