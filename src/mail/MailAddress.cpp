#include "MailAddress.h"

#include <QRegularExpression>

QString MailAddress::domain() const
{
    const qsizetype at = address.lastIndexOf(u'@');
    return at < 0 ? QString() : address.mid(at + 1);
}

bool MailAddress::isValid() const
{
    // Deliberately plain: what a partner's record or a preference should hold, nothing that could
    // carry a second address or a header.
    static const QRegularExpression form(
        QStringLiteral(R"(^[^\s@<>(),;:"\\]+@[^\s@<>(),;:"\\\[\]]+\.[^\s@<>(),;:"\\\[\]]+$)"));
    return form.match(address).hasMatch();
}

QString MailAddress::text() const
{
    return name.isEmpty() ? address : QStringLiteral("%1 <%2>").arg(name, address);
}

MailAddress MailAddress::parse(const QString &text)
{
    const QString trimmed = text.trimmed();
    const qsizetype open = trimmed.lastIndexOf(u'<');
    if (open >= 0 && trimmed.endsWith(u'>')) {
        QString name = trimmed.left(open).trimmed();
        if (name.size() >= 2 && name.startsWith(u'"') && name.endsWith(u'"'))
            name = name.mid(1, name.size() - 2);
        return {name, trimmed.mid(open + 1, trimmed.size() - open - 2).trimmed()};
    }
    return {QString(), trimmed};
}
