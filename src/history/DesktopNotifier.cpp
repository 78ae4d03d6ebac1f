#include "DesktopNotifier.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QVariantMap>

namespace {
const QString Service = QStringLiteral("org.freedesktop.Notifications");
constexpr int TitlesShown = 5;

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(DesktopNotifier)
};
} // namespace

bool DesktopNotifier::isAvailable()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(Service).value();
}

bool DesktopNotifier::notify(const QString &summary, const QString &body)
{
    if (!isAvailable())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        Service, QStringLiteral("/org/freedesktop/Notifications"), Service, QStringLiteral("Notify"));
    call << QStringLiteral("Quillmarsh") << uint(0) << QStringLiteral("quillmarsh") << summary << body
         << QStringList() << QVariantMap() << int(-1);
    return QDBusConnection::sessionBus().send(call);
}

QString DesktopNotifier::changesSummary(int lost, int unreachable)
{
    QStringList parts;
    if (lost > 0)
        parts << (lost == 1 ? Tr::tr("1 reciprocal link was lost")
                            : Tr::tr("%1 reciprocal links were lost").arg(lost));
    if (unreachable > 0)
        parts << (unreachable == 1 ? Tr::tr("1 partner site unreachable for days")
                                   : Tr::tr("%1 partner sites unreachable for days").arg(unreachable));
    return parts.join(QStringLiteral("; "));
}

QString DesktopNotifier::changesBody(const QString &databaseName, const QStringList &lostTitles,
                                     const QStringList &unreachableTitles)
{
    // Notification servers may read the body as markup.
    const auto names = [](const QStringList &titles) {
        QStringList shown;
        for (const QString &title : titles.mid(0, TitlesShown))
            shown.append(title.toHtmlEscaped());
        if (titles.size() > TitlesShown)
            shown.append(Tr::tr("and %1 more").arg(titles.size() - TitlesShown));
        return shown.join(QStringLiteral(", "));
    };
    QStringList parts;
    if (!lostTitles.isEmpty())
        parts << names(lostTitles);
    if (!unreachableTitles.isEmpty())
        parts << Tr::tr("unreachable: %1").arg(names(unreachableTitles));
    return Tr::tr("%1: %2").arg(databaseName.toHtmlEscaped(), parts.join(QStringLiteral("; ")));
}
