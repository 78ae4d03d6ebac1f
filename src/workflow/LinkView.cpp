#include "LinkView.h"

#include "model/Link.h"

#include <QCoreApplication>

namespace LinkView {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(LinkView)
};

struct Name
{
    Kind kind;
    const char *keyword;
};
constexpr Name Names[] = {
    {All, "all"},
    {Lost, "lost"},
    {NotFollowed, "not-followed"},
    {NotChecked, "not-checked"},
    {NeverChecked, "never-checked"},
    {Unreachable, "unreachable"},
    {RemindersDue, "reminders"},
};
} // namespace

bool matches(const Choice &choice, const Link &link, const LinkFacts &facts, const QDate &today)
{
    const QDate &checkedOn = link.lastVerifiedOn();
    switch (choice.kind) {
    case All:
        return true;
    case Lost:
        return LatestCheck::of(link, facts.recordedCheck).finding == LatestCheck::NotLinked;
    case NotFollowed: {
        const LatestCheck check = LatestCheck::of(link, facts.recordedCheck);
        return check.finding == LatestCheck::Linked && !check.followed;
    }
    case NotChecked:
        // Checked exactly N days ago: not checked for N days.
        return !checkedOn.isValid() || checkedOn.daysTo(today) >= choice.days;
    case NeverChecked:
        return !checkedOn.isValid();
    case Unreachable:
        return LatestCheck::of(link, facts.recordedCheck).finding == LatestCheck::Unreachable;
    case RemindersDue:
        return facts.firstReminder.isValid() && facts.firstReminder <= today;
    }
    return false;
}

QList<Kind> kinds()
{
    return {All, Lost, NotFollowed, NotChecked, NeverChecked, Unreachable, RemindersDue};
}

QString keyword(const Choice &choice)
{
    for (const Name &name : Names) {
        if (name.kind != choice.kind)
            continue;
        const QString word = QLatin1String(name.keyword);
        return choice.kind == NotChecked ? word + u':' + QString::number(choice.days) : word;
    }
    return QString();
}

std::optional<Choice> fromKeyword(const QString &text)
{
    const qsizetype colon = text.indexOf(u':');
    const QString word = colon < 0 ? text : text.left(colon);
    for (const Name &name : Names) {
        if (word != QLatin1String(name.keyword))
            continue;
        Choice choice{name.kind};
        if (colon >= 0) {
            bool ok = false;
            choice.days = text.mid(colon + 1).toInt(&ok);
            if (name.kind != NotChecked || !ok || choice.days < 1 || choice.days > MaximumNotCheckedDays)
                return std::nullopt;
        }
        return choice;
    }
    return std::nullopt;
}

QString title(Kind kind)
{
    switch (kind) {
    case All:
        return Tr::tr("All");
    case Lost:
        return Tr::tr("Lost");
    case NotFollowed:
        return Tr::tr("Not Followed");
    case NotChecked:
        return Tr::tr("Not Checked");
    case NeverChecked:
        return Tr::tr("Never Checked");
    case Unreachable:
        return Tr::tr("Unreachable");
    case RemindersDue:
        return Tr::tr("Reminders Due");
    }
    return QString();
}

} // namespace LinkView
