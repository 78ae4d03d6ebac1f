#include "DetailsTexts.h"

#include "model/Link.h"

#include <QCoreApplication>

namespace DetailsTexts {

QString contactLine(const Link &link)
{
    QString name = link.contactFirstName();
    if (!link.contactLastName().isEmpty())
        name = name.isEmpty() ? link.contactLastName() : name + QLatin1Char(' ') + link.contactLastName();
    const QString &email = link.contactEmail();
    if (name.isEmpty())
        return email.isEmpty() ? QString(QLatin1String("")) : email;
    if (email.isEmpty())
        return name;
    return QStringLiteral("%1 (%2)").arg(name, email);
}

QString statusName(LinkStatus status)
{
    switch (status) {
    case LinkStatusNew:
        return QCoreApplication::translate("MyDocument", "New");
    case LinkStatusNegotiating:
        return QCoreApplication::translate("MyDocument", "Negotiating");
    case LinkStatusApproved:
        return QCoreApplication::translate("MyDocument", "Approved");
    case LinkStatusBlocked:
        return QCoreApplication::translate("MyDocument", "Blocked");
    default:
        return QString(QLatin1String(""));
    }
}

QString statusImage(LinkStatus status)
{
    switch (status) {
    case LinkStatusNew:
        return QStringLiteral("new");
    case LinkStatusNegotiating:
        return QStringLiteral("negotiating");
    case LinkStatusApproved:
        return QStringLiteral("verified");
    case LinkStatusBlocked:
        return QStringLiteral("blocked");
    default:
        return QString();
    }
}

} // namespace DetailsTexts
