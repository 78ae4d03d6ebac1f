#pragma once

#include <QJsonObject>
#include <QString>
#include <optional>

class CollectionManager;

// The follow-up a template names: the template to send, and after how many days without a reply.
// The database file has no field for it, so each is kept as a named string of the database
// ("EmailTemplateFollowUp EMT…" → "EMT…;N"); an empty value means none.
struct TemplateFollowUp
{
    static constexpr int MinDays = 1;
    static constexpr int MaxDays = 365;

    QString templateID;
    int afterDays = 7;

    bool operator==(const TemplateFollowUp &other) const = default;

    // The follow-up of the template `templateID`, when it names one.
    static std::optional<TemplateFollowUp> of(const CollectionManager &store, const QString &templateID);
    // Sets or (with none) clears the follow-up of the template `templateID`.
    static void set(CollectionManager &store, const QString &templateID,
                    const std::optional<TemplateFollowUp> &followUp);

    static QString nameFor(const QString &templateID);
    // The template a named string of this kind belongs to, or null for other names.
    static QString templateOfName(const QString &name);

    // {"templateID": ..., "afterDays": N}, as `dump` and `load` carry it on the template.
    QJsonObject toJson() const;
    // None with `error` set when the object is not of that form or its values are out of range.
    static std::optional<TemplateFollowUp> fromJson(const QJsonObject &object, QString *error);

private:
    static std::optional<TemplateFollowUp> decode(const QString &value);
};
