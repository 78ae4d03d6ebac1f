#include "TemplateFollowUp.h"

#include "CollectionManager.h"

namespace {
const QString NamePrefix = QStringLiteral("EmailTemplateFollowUp ");
} // namespace

std::optional<TemplateFollowUp> TemplateFollowUp::of(const CollectionManager &store,
                                                     const QString &templateID)
{
    return decode(store.stringForName(nameFor(templateID)));
}

void TemplateFollowUp::set(CollectionManager &store, const QString &templateID,
                           const std::optional<TemplateFollowUp> &followUp)
{
    // The store keeps no way to drop a named string; an empty value reads as none.
    const QString value = followUp ? followUp->templateID + u';' + QString::number(followUp->afterDays)
                                   : QString(QLatin1String(""));
    if (store.stringForName(nameFor(templateID)) != value)
        store.setString(value, nameFor(templateID));
}

QString TemplateFollowUp::nameFor(const QString &templateID)
{
    return NamePrefix + templateID;
}

QString TemplateFollowUp::templateOfName(const QString &name)
{
    return name.startsWith(NamePrefix) ? name.mid(NamePrefix.size()) : QString();
}

std::optional<TemplateFollowUp> TemplateFollowUp::decode(const QString &value)
{
    const qsizetype separator = value.lastIndexOf(u';');
    if (separator <= 0)
        return std::nullopt;
    bool ok = false;
    const int days = value.mid(separator + 1).toInt(&ok);
    if (!ok || days < MinDays || days > MaxDays)
        return std::nullopt;
    return TemplateFollowUp{value.left(separator), days};
}

QJsonObject TemplateFollowUp::toJson() const
{
    return QJsonObject{{"templateID", templateID}, {"afterDays", afterDays}};
}

std::optional<TemplateFollowUp> TemplateFollowUp::fromJson(const QJsonObject &object, QString *error)
{
    const QJsonValue id = object.value("templateID");
    const QJsonValue days = object.value("afterDays");
    const double number = days.toDouble(-1);
    if (!id.isString() || id.toString().isEmpty() || id.toString().contains(u';')) {
        if (error)
            *error = QStringLiteral("\"followUp\" needs a \"templateID\"");
        return std::nullopt;
    }
    if (!days.isDouble() || number != int(number) || number < MinDays || number > MaxDays) {
        if (error)
            *error = QStringLiteral("the \"afterDays\" of \"followUp\" is not a whole number from %1 to %2")
                         .arg(MinDays)
                         .arg(MaxDays);
        return std::nullopt;
    }
    return TemplateFollowUp{id.toString(), int(number)};
}
