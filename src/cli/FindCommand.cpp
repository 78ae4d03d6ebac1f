#include "CliCommand.h"

#include "model/Clock.h"
#include "model/CollectionManager.h"
#include "model/Notification.h"
#include "model/NotificationComputer.h"
#include "workflow/LinkFinder.h"
#include "workflow/LinkListOrder.h"
#include "workflow/LinkMatcher.h"
#include "workflow/LinkView.h"
#include "workflow/SearchCriterionParser.h"

namespace {

constexpr int MaximumConditions = 10;

int usage(QTextStream &err)
{
    Cli::usage(QStringLiteral("find"), err);
    err << SearchCriterionParser::grammar() << Qt::endl
        << CliCommand::tr("--sort orders the links of each category as the link list does (default: title).")
        << Qt::endl
        << CliCommand::tr("--view keeps the links of one of the window's views: "
                          "lost, not-followed, not-checked:DAYS, never-checked, unreachable or reminders.")
        << Qt::endl;
    return ExitUsage;
}

// The link list's sort columns.
std::optional<int> sortColumnNamed(const QString &name)
{
    if (name == QLatin1String("status"))
        return 1;
    if (name == QLatin1String("title"))
        return 2;
    if (name == QLatin1String("description"))
        return 3;
    return std::nullopt;
}

QDate firstReminderOf(const TreeNode *linkNode)
{
    QDate first;
    for (const Notification *notification : NotificationComputer::notificationsOfLinkNode(linkNode)) {
        if (!first.isValid() || notification->date() < first)
            first = notification->date();
    }
    return first;
}

int runFind(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QString path;
    QStringList conditions;
    bool any = false;
    std::optional<int> sortColumn = 2;
    std::optional<LinkView::Choice> view;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--any")) {
            any = true;
        } else if (argument == QLatin1String("--sort")) {
            if (i + 1 >= arguments.size() || !(sortColumn = sortColumnNamed(arguments.at(++i))))
                return usage(err);
        } else if (argument == QLatin1String("--view")) {
            if (i + 1 >= arguments.size() || !(view = LinkView::fromKeyword(arguments.at(++i))))
                return usage(err);
        } else if (argument.startsWith(QLatin1String("--"))) {
            return usage(err);
        } else if (path.isEmpty()) {
            path = argument;
        } else {
            conditions.append(argument);
        }
    }
    if (path.isEmpty() || (conditions.isEmpty() && !view) || conditions.size() > MaximumConditions)
        return usage(err);

    CollectionManager store;
    if (!Cli::openDatabase(path, store, err))
        return ExitBadFile;
    QList<SearchCriterion> criteria;
    for (const QString &condition : conditions) {
        QString error;
        const std::optional<SearchCriterion> criterion =
            SearchCriterionParser::parse(condition, store, &error);
        if (!criterion) {
            err << "quillmarsh-cli find: " << error << Qt::endl;
            return usage(err);
        }
        criteria.append(*criterion);
    }
    // The search sheet's rule: an empty condition, or (under all) two that exclude each other.
    bool refused = false;
    for (qsizetype i = 0; i < criteria.size(); ++i) {
        refused = refused || !criteria.at(i).isValid();
        for (qsizetype j = i + 1; j < criteria.size() && !any; ++j)
            refused = refused || criteria.at(i).conflictsWithSearchCriterion(criteria.at(j));
    }
    if (refused) {
        err << "quillmarsh-cli find: "
            << CliCommand::tr("One or more conditions are empty or conflict with each other. "
                              "This will result in never matching a link.")
            << Qt::endl;
        return ExitUsage;
    }

    const RecordedChecks recorded = Cli::readRecordedChecks(path, QStringLiteral("find"), err);
    const QDate today = Clock::today();
    if (view && view->kind == LinkView::RemindersDue)
        NotificationComputer::computeNotifications(store, today);
    const QList<SearchCriterion> resolved = LinkFinder::resolveCategories(store, criteria);

    out << "id\tcategory\ttitle\tstatus\turl" << Qt::endl;
    std::vector<TreeNode *> sorted;
    for (const TreeNode *categoryNode : store.categoryRoot()->children()) {
        LinkListOrder::buildSortedLinkList(sorted, categoryNode, *sortColumn, false);
        for (const TreeNode *node : sorted) {
            const Link *link = node->link();
            const std::optional<LatestCheck> check = LatestCheck::recordedFor(*link, &recorded);
            if (!resolved.isEmpty() && !LinkMatcher::matchesCriteria(*link, resolved, any, check))
                continue;
            if (view && !LinkView::matches(*view, *link, {check, firstReminderOf(node)}, today))
                continue;
            out << link->ID() << '\t' << node->parent()->title() << '\t' << link->title() << '\t'
                << Codes::statusText(link->status()) << '\t' << link->URL() << '\n';
        }
    }
    out.flush();
    return ExitOk;
}

const CliRegistration registration(
    {QStringLiteral("find"),
     QStringLiteral("FILE.site [--any] [--sort title|status|description] [--view VIEW] "
                    "[field:operation:value...]"),
     QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                      "Print the links matching all (or any) of up to ten conditions and "
                                      "the chosen view, in the window's order, as tab-separated lines.")),
     runFind,
     false,
     {{QStringLiteral("--any"),
       QStringLiteral(QT_TRANSLATE_NOOP(
           "CliCommand", "Match the links that meet any of the conditions, not all of them."))},
      {QStringLiteral("--sort title|status|description"),
       QStringLiteral(QT_TRANSLATE_NOOP(
           "CliCommand", "Order the links of each category as the link list does (default: title)."))},
      {QStringLiteral("--view lost|not-followed|not-checked:DAYS|never-checked|unreachable|reminders"),
       QStringLiteral(QT_TRANSLATE_NOOP(
           "CliCommand", "Keep only the links of one of the window's views: lost, found but not "
                         "followed, not checked for DAYS days (or never), never checked, "
                         "unreachable at the last check, or with a reminder due today."))}}});

} // namespace
