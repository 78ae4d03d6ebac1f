#include "CliCommand.h"

#include "model/CollectionManager.h"
#include "workflow/LinkFinder.h"
#include "workflow/SearchCriterionParser.h"

namespace {

constexpr int MaximumConditions = 10;

int usage(QTextStream &err)
{
    Cli::usage(QStringLiteral("find"), err);
    err << SearchCriterionParser::grammar() << Qt::endl
        << CliCommand::tr("--sort orders the links of each category as the link list does (default: title).")
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

int runFind(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QString path;
    QStringList conditions;
    bool any = false;
    std::optional<int> sortColumn = 2;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--any")) {
            any = true;
        } else if (argument == QLatin1String("--sort")) {
            if (i + 1 >= arguments.size() || !(sortColumn = sortColumnNamed(arguments.at(++i))))
                return usage(err);
        } else if (argument.startsWith(QLatin1String("--"))) {
            return usage(err);
        } else if (path.isEmpty()) {
            path = argument;
        } else {
            conditions.append(argument);
        }
    }
    if (path.isEmpty() || conditions.isEmpty() || conditions.size() > MaximumConditions)
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

    out << "id\tcategory\ttitle\tstatus\turl" << Qt::endl;
    for (TreeNode *node : LinkFinder::findAllLinksWithSearchCriteria(store, criteria, any, *sortColumn)) {
        const Link *link = node->link();
        out << link->ID() << '\t' << node->parent()->title() << '\t' << link->title() << '\t'
            << Codes::statusText(link->status()) << '\t' << link->URL() << '\n';
    }
    out.flush();
    return ExitOk;
}

const CliRegistration registration(
    {QStringLiteral("find"),
     QStringLiteral("FILE.site [--any] [--sort title|status|description] field:operation:value..."),
     QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                      "Print the links matching all (or any) of up to ten conditions, "
                                      "in the window's order, as tab-separated lines.")),
     runFind,
     false,
     {{QStringLiteral("--any"),
       QStringLiteral(QT_TRANSLATE_NOOP(
           "CliCommand", "Match the links that meet any of the conditions, not all of them."))},
      {QStringLiteral("--sort title|status|description"),
       QStringLiteral(QT_TRANSLATE_NOOP(
           "CliCommand", "Order the links of each category as the link list does (default: title)."))}}});

} // namespace
