#include "FileError.h"

QString FileError::text() const
{
    auto withDetail = [this](const char *text) {
        const QString base = QString::fromLatin1(text);
        return m_detail.isEmpty() ? base : QStringLiteral("%1 (%2)").arg(base, m_detail);
    };
    switch (m_kind) {
    case Kind::None:
        return QString();
    case Kind::CannotOpen:
        return QStringLiteral("cannot open (%1)").arg(m_detail);
    case Kind::CannotRead:
        return QStringLiteral("cannot read (%1)").arg(m_detail);
    case Kind::Empty:
        return QStringLiteral("empty file");
    case Kind::NotADatabase:
        return withDetail("not a links database");
    case Kind::Truncated:
        return QStringLiteral("truncated");
    case Kind::TooLarge:
        return withDetail("too large");
    case Kind::UnsupportedVersion:
        return QStringLiteral("unsupported version");
    case Kind::NotATemplatesFile:
        return withDetail("not an e-mail templates file");
    case Kind::NoTemplates:
        return QStringLiteral("holds no e-mail templates");
    case Kind::NoCategory:
        return QStringLiteral("holds no category");
    case Kind::Damaged:
        return m_detail;
    }
    return m_detail;
}

bool FileError::fail(FileError *error, Kind kind, const QString &detail)
{
    if (error)
        *error = FileError(kind, detail);
    return false;
}
