#include "EmailTemplateForm.h"

#include "model/CollectionManager.h"

#include <QCoreApplication>

namespace EmailTemplateForm {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(EmailTemplateForm)
};

CheckResult refuse(Field field, const QString &title, const QString &message)
{
    return {false, field, title, message};
}
} // namespace

QString fieldName(Field field)
{
    switch (field) {
    case Name:
        return Tr::tr("Name");
    case Subject:
        return Tr::tr("Subject");
    case Body:
        break;
    }
    return Tr::tr("Body");
}

int maxLength(Field field)
{
    switch (field) {
    case Name:
        return 99;
    case Subject:
        return 199;
    case Body:
        break;
    }
    return 1999;
}

QString &text(Texts &texts, Field field)
{
    switch (field) {
    case Name:
        return texts.name;
    case Subject:
        return texts.subject;
    case Body:
        break;
    }
    return texts.body;
}

CheckResult check(Texts &texts, const CollectionManager &store, const QString &editedTemplateID,
                  const TrimQuestion &askTrim)
{
    for (Field field : {Name, Subject, Body}) {
        if (text(texts, field).isEmpty()) {
            return refuse(field, Tr::tr("Some required fields are missing."),
                          Tr::tr("All required fields must be specified. Required fields are marked with an "
                                 "asterisk."));
        }
    }
    for (const auto &emailTemplate : store.emailTemplates()) {
        if (emailTemplate->name() == texts.name && emailTemplate->ID() != editedTemplateID) {
            return refuse(Name, Tr::tr("An e-mail template with the same name already exists."),
                          Tr::tr("Choose another name for the e-mail template."));
        }
    }
    for (Field field : {Name, Subject, Body}) {
        QString &value = text(texts, field);
        if (value.size() <= maxLength(field))
            continue;
        if (!askTrim || !askTrim(fieldName(field), maxLength(field)))
            return refuse(field, QString(), QString());
        value.truncate(maxLength(field));
    }
    return {};
}

const QList<Placeholder> &placeholders()
{
    static const QList<Placeholder> list = {
        {QStringLiteral("#MY_CATEGORY#"), Tr::tr("Listed Under"), false},
        {QStringLiteral("#MY_CONTACT_EMAIL#"), Tr::tr("E-mail"), false},
        {QStringLiteral("#MY_CONTACT_FIRST_NAME#"), Tr::tr("First Name"), false},
        {QStringLiteral("#MY_CONTACT_LAST_NAME#"), Tr::tr("Last Name"), false},
        {QStringLiteral("#MY_DESCRIPTION#"), Tr::tr("Description"), false},
        {QStringLiteral("#MY_KEYWORDS#"), Tr::tr("Keywords"), false},
        {QStringLiteral("#MY_LINKS_PAGE_URL#"), Tr::tr("Links Page"), false},
        {QStringLiteral("#MY_TITLE#"), Tr::tr("Title"), false},
        {QStringLiteral("#MY_URL#"), Tr::tr("URL"), false},
        {QStringLiteral("#LAST_STATUS_CHANGE_DATE#"), Tr::tr("Status Changed"), true},
        {QStringLiteral("#CATEGORY#"), Tr::tr("Category"), true},
        {QStringLiteral("#CONTACT_EMAIL#"), Tr::tr("E-mail"), true},
        {QStringLiteral("#CONTACT_FIRST_NAME#"), Tr::tr("First Name"), true},
        {QStringLiteral("#CONTACT_LAST_NAME#"), Tr::tr("Last Name"), true},
        {QStringLiteral("#DESCRIPTION#"), Tr::tr("Description"), true},
        {QStringLiteral("#LINKS_PAGE_URL#"), Tr::tr("Links Page"), true},
        {QStringLiteral("#TITLE#"), Tr::tr("Title"), true},
        {QStringLiteral("#URL#"), Tr::tr("URL"), true},
        {QStringLiteral("#NOTES#"), Tr::tr("Notes"), true},
    };
    return list;
}

QString placeholderInNameTitle()
{
    return Tr::tr("Placeholders cannot be inserted in the template's name.");
}

QString placeholderInNameMessage()
{
    return Tr::tr("Placeholders can only be inserted in the subject or body of the template.");
}

QString deleteQuestionTitle(const QString &templateName)
{
    return Tr::tr("Are you sure you want to delete the e-mail template \"%1\"?").arg(templateName);
}

} // namespace EmailTemplateForm
