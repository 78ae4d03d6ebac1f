#include "CliCommand.h"

#include "model/Clock.h"
#include "model/CollectionManager.h"
#include "model/Notification.h"
#include "model/NotificationComputer.h"

namespace {

int runNotifications(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QString path;
    QDate today = Clock::today();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--today") && i + 1 < arguments.size()) {
            today = QDate::fromString(arguments.at(++i), Qt::ISODate);
            if (!today.isValid())
                return Cli::usage(QStringLiteral("notifications"), err);
        } else if (argument.startsWith(u'-') || !path.isEmpty()) {
            return Cli::usage(QStringLiteral("notifications"), err);
        } else {
            path = argument;
        }
    }
    if (path.isEmpty())
        return Cli::usage(QStringLiteral("notifications"), err);
    CollectionManager store;
    if (!Cli::openDatabase(path, store, err))
        return ExitBadFile;

    NotificationComputer::computeNotifications(store, today);
    out << "category\tlink\tdate\tnotification" << Qt::endl;
    for (TreeNode *categoryNode : store.categoryRoot()->children()) {
        const QString category = categoryNode->title();
        for (TreeNode *linkNode : categoryNode->children()) {
            for (const Notification *notification : NotificationComputer::notificationsOfLinkNode(linkNode)) {
                out << category << '\t' << linkNode->link()->title() << '\t'
                    << notification->date().toString(Qt::ISODate) << '\t' << notification->text() << '\n';
            }
        }
    }
    out.flush();
    return ExitOk;
}

const CliRegistration registration(
    {QStringLiteral("notifications"),
     QStringLiteral("FILE.site [--today YYYY-MM-DD]"),
     QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                      "Print every link's reminders as of today (or the given day), "
                                      "as tab-separated category, link, date and text.")),
     runNotifications,
     false,
     {{QStringLiteral("--today YYYY-MM-DD"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                        "Compute the reminders as of this day instead of today."))}}});

} // namespace
