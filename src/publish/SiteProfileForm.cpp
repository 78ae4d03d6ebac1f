#include "SiteProfileForm.h"

#include "model/AddressTexts.h"

#include "model/TextUtils.h"

#include <QCoreApplication>
#include <QUrl>
#include <algorithm>

namespace SiteProfileForm {

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(SiteProfileForm)
};

CheckResult stop(Field field, const QString &title = {}, const QString &message = {})
{
    return {false, field, title, message};
}

CheckResult missingRequired(Field field)
{
    return stop(
        field, Tr::tr("Some required fields are missing."),
        Tr::tr("All required fields must be specified. Required fields are marked with an asterisk."));
}

// An address that would lead anywhere but to a web page stops the check at its field.
CheckResult checkAddresses(const SiteProfileTexts &texts)
{
    for (const Field field : {MainPageURL, LinksPageURL}) {
        const QString &address = field == MainPageURL ? texts.URL : texts.linksURL;
        if (AddressTexts::isRefusedAddress(address))
            return stop(field, Tr::tr("The %1 field must hold a web address.").arg(fieldName(field)),
                        AddressTexts::refusedAddressMessage(address));
    }
    return {};
}

void completeAddresses(SiteProfileTexts &texts)
{
    texts.URL = AddressTexts::completedURL(texts.URL);
    texts.linksURL = AddressTexts::completedURL(texts.linksURL);
}

} // namespace

QString fieldName(Field field)
{
    switch (field) {
    case Title:
        return Tr::tr("Title");
    case Description:
        return Tr::tr("Description");
    case Keywords:
        return Tr::tr("Keywords");
    case MainPageURL:
        return Tr::tr("Main Page URL");
    case LinksPageURL:
        return Tr::tr("Links Page URL");
    case ContactFirstName:
        return Tr::tr("Contact First Name");
    case ContactLastName:
        return Tr::tr("Contact Last Name");
    case ContactEmail:
        return Tr::tr("Contact E-mail");
    }
    return {};
}

int maxLength(Field field)
{
    switch (field) {
    case Title:
        return 99;
    case Description:
        return 399;
    case Keywords:
    case MainPageURL:
    case LinksPageURL:
        return 249;
    case ContactFirstName:
    case ContactLastName:
        return 49;
    case ContactEmail:
        return 99;
    }
    return 0;
}

QString &text(SiteProfileTexts &texts, Field field)
{
    switch (field) {
    case Title:
        return texts.title;
    case Description:
        return texts.description;
    case Keywords:
        return texts.keywords;
    case MainPageURL:
        return texts.URL;
    case LinksPageURL:
        return texts.linksURL;
    case ContactFirstName:
        return texts.contactFirstName;
    case ContactLastName:
        return texts.contactLastName;
    case ContactEmail:
        break;
    }
    return texts.contactEmail;
}

CheckResult checkLengths(SiteProfileTexts &texts, std::initializer_list<Field> fields,
                         const TrimQuestion &askTrim)
{
    for (const Field field : fields) {
        QString &value = text(texts, field);
        const int limit = maxLength(field);
        if (value.size() <= limit)
            continue;
        if (!askTrim || !askTrim(fieldName(field), limit))
            return stop(field);
        value = TextUtils::stringWithMaxLength(value, limit);
    }
    return {};
}

CheckResult checkWarnings(const SiteProfileTexts &texts, std::initializer_list<Field> fields,
                          const KeepQuestion &askKeep)
{
    if (!askKeep)
        return {};
    SiteProfileTexts values = texts;
    for (const Field field : fields) {
        const QString &value = text(values, field);
        QString title;
        QString message;
        if ((field == MainPageURL || field == LinksPageURL) && !AddressTexts::looksLikeWebAddress(value)) {
            title = Tr::tr("The %1 field does not look like a web address.").arg(fieldName(field));
            message = Tr::tr("\"%1\" contains a space or has no host name, as in http://www.example.com/. "
                             "Correct it, or keep it as it is?")
                          .arg(value);
        } else if (field == ContactEmail && !AddressTexts::looksLikeEmailAddress(value)) {
            title = Tr::tr("The %1 field does not look like an e-mail address.").arg(fieldName(field));
            message =
                Tr::tr("\"%1\" has no \"@\" or no domain, as in name@example.com. Correct it, or keep it "
                       "as it is?")
                    .arg(value);
        }
        if (!title.isEmpty() && !askKeep(title, message))
            return stop(field);
    }
    return {};
}

CheckResult checkAssistantStep(int step, SiteProfileTexts &texts, const TrimQuestion &askTrim,
                               const KeepQuestion &askKeep)
{
    switch (step) {
    case 2:
        if (texts.title.isEmpty())
            return stop(Title, Tr::tr("The title must be specified."),
                        Tr::tr("Enter your web site's title in the Title field."));
        // The keywords are checked here too: the file keeps only 249 characters of them, and
        // losing the rest silently at the first save would surprise the user.
        return checkLengths(texts, {Title, Description, Keywords}, askTrim);
    case 3:
        if (AddressTexts::isMissingURL(texts.URL))
            return stop(MainPageURL, Tr::tr("The address of the main page must be specified."),
                        Tr::tr("Enter your web site's URL in the Main Page URL field."));
        if (const CheckResult addresses = checkAddresses(texts); !addresses.passed)
            return addresses;
        {
            completeAddresses(texts);
            const CheckResult lengths = checkLengths(texts, {MainPageURL, LinksPageURL}, askTrim);
            return lengths.passed ? checkWarnings(texts, {MainPageURL, LinksPageURL}, askKeep) : lengths;
        }
    case 4: {
        const CheckResult lengths =
            checkLengths(texts, {ContactFirstName, ContactLastName, ContactEmail}, askTrim);
        return lengths.passed ? checkWarnings(texts, {ContactEmail}, askKeep) : lengths;
    }
    default:
        return {};
    }
}

std::optional<Field> focusFieldOfStep(int step)
{
    switch (step) {
    case 2:
        return Title;
    case 3:
        return MainPageURL;
    case 4:
        return ContactFirstName;
    default:
        return std::nullopt;
    }
}

CheckResult checkSiteInfo(SiteProfileTexts &texts, const TrimQuestion &askTrim, const KeepQuestion &askKeep)
{
    if (texts.title.isEmpty())
        return missingRequired(Title);
    if (AddressTexts::isMissingURL(texts.URL))
        return missingRequired(MainPageURL);
    if (const CheckResult addresses = checkAddresses(texts); !addresses.passed)
        return addresses;
    completeAddresses(texts);
    const CheckResult lengths = checkLengths(texts,
                                             {Title, Description, Keywords, MainPageURL, LinksPageURL,
                                              ContactFirstName, ContactLastName, ContactEmail},
                                             askTrim);
    return lengths.passed ? checkWarnings(texts, {MainPageURL, LinksPageURL, ContactEmail}, askKeep)
                          : lengths;
}

QVariantMap globalSiteInfo(const SiteProfileTexts &texts, bool singlePageLayout)
{
    return {
        {TitleKey, texts.title},
        {DescriptionKey, texts.description},
        {KeywordsKey, TextUtils::oneLineString(texts.keywords)},
        {MainPageURLKey, AddressTexts::completedURL(texts.URL)},
        {LinksPageURLKey, AddressTexts::completedURL(texts.linksURL)},
        {ContactFirstNameKey, texts.contactFirstName},
        {ContactLastNameKey, texts.contactLastName},
        {ContactEmailKey, texts.contactEmail},
        {PageLayoutKey, singlePageLayout},
    };
}

SiteProfileTexts textsFromGlobalSiteInfo(const QVariantMap &values)
{
    SiteProfileTexts texts;
    texts.title = values.value(TitleKey).toString();
    texts.URL = values.value(MainPageURLKey).toString();
    texts.description = values.value(DescriptionKey).toString();
    texts.keywords = values.value(KeywordsKey).toString();
    texts.linksURL = values.value(LinksPageURLKey).toString();
    texts.contactFirstName = values.value(ContactFirstNameKey).toString();
    texts.contactLastName = values.value(ContactLastNameKey).toString();
    texts.contactEmail = values.value(ContactEmailKey).toString();
    return texts;
}

} // namespace SiteProfileForm
