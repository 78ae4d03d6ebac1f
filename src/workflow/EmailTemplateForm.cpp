#include "EmailTemplateForm.h"

#include "model/CollectionManager.h"

#include <QCoreApplication>

namespace EmailTemplateForm {

namespace {
QString tr(const char *text)
{
    return QCoreApplication::translate("EmailTemplateForm", text);
}

CheckResult refuse(Field field, const QString &title, const QString &message)
{
    return {false, field, title, message};
}
} // namespace

QString fieldName(Field field)
{
    switch (field) {
    case Name:
        return tr("Name");
    case Subject:
        return tr("Subject");
    case Body:
        break;
    }
    return tr("Body");
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
            return refuse(field, tr("Some required fields are missing."),
                          tr("All required fields must be specified. Required fields are marked with an "
                             "asterisk."));
        }
    }
    for (const auto &emailTemplate : store.emailTemplates()) {
        if (emailTemplate->name() == texts.name && emailTemplate->ID() != editedTemplateID) {
            return refuse(Name, tr("An e-mail template with the same name already exists."),
                          tr("Choose another name for the e-mail template."));
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
        {QStringLiteral("#MY_CATEGORY#"), tr("Listed Under"), false},
        {QStringLiteral("#MY_CONTACT_EMAIL#"), tr("E-mail"), false},
        {QStringLiteral("#MY_CONTACT_FIRST_NAME#"), tr("First Name"), false},
        {QStringLiteral("#MY_CONTACT_LAST_NAME#"), tr("Last Name"), false},
        {QStringLiteral("#MY_DESCRIPTION#"), tr("Description"), false},
        {QStringLiteral("#MY_KEYWORDS#"), tr("Keywords"), false},
        {QStringLiteral("#MY_LINKS_PAGE_URL#"), tr("Links Page"), false},
        {QStringLiteral("#MY_TITLE#"), tr("Title"), false},
        {QStringLiteral("#MY_URL#"), tr("URL"), false},
        {QStringLiteral("#LAST_STATUS_CHANGE_DATE#"), tr("Status Changed"), true},
        {QStringLiteral("#CATEGORY#"), tr("Category"), true},
        {QStringLiteral("#CONTACT_EMAIL#"), tr("E-mail"), true},
        {QStringLiteral("#CONTACT_FIRST_NAME#"), tr("First Name"), true},
        {QStringLiteral("#CONTACT_LAST_NAME#"), tr("Last Name"), true},
        {QStringLiteral("#DESCRIPTION#"), tr("Description"), true},
        {QStringLiteral("#LINKS_PAGE_URL#"), tr("Links Page"), true},
        {QStringLiteral("#TITLE#"), tr("Title"), true},
        {QStringLiteral("#URL#"), tr("URL"), true},
        {QStringLiteral("#NOTES#"), tr("Notes"), true},
    };
    return list;
}

QString placeholderInNameTitle()
{
    return tr("Placeholders cannot be inserted in the template's name.");
}

QString placeholderInNameMessage()
{
    return tr("Placeholders can only be inserted in the subject or body of the template.");
}

QString deleteQuestionTitle(const QString &templateName)
{
    return tr("Are you sure you want to delete the e-mail template \"%1\"?").arg(templateName);
}

} // namespace EmailTemplateForm
