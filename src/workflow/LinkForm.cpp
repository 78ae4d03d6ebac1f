#include "LinkForm.h"

#include "SearchCriterion.h"
#include "model/AddressTexts.h"

#include <QCoreApplication>

namespace LinkForm {

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(LinkForm)
};

CheckResult missingRequired(Field field)
{
    return {false, field, Tr::tr("Some required fields are missing."),
            Tr::tr("All required fields must be specified. Required fields are marked with an asterisk.")};
}

// One question at a time, in the given order; a trimmed field is cut in `texts` and the checks go on.
CheckResult checkLengths(Texts &texts, std::initializer_list<Field> fields, const TrimQuestion &askTrim)
{
    for (const Field field : fields) {
        QString &value = text(texts, field);
        const int limit = maxLength(field);
        if (value.size() <= limit)
            continue;
        if (!askTrim || !askTrim(field))
            return {false, field, {}, {}};
        // Never leave half of a surrogate pair at the end.
        const bool splitsPair = limit > 0 && value.at(limit - 1).isHighSurrogate();
        value.truncate(splitsPair ? limit - 1 : limit);
    }
    return {};
}

CheckResult checkRequired(Texts &texts)
{
    if (texts.title.isEmpty())
        return missingRequired(Title);
    if (isMissingURL(texts.URL))
        return missingRequired(MainPageURL);
    if (CheckResult addresses = checkAddresses(texts); !addresses.passed)
        return addresses;
    texts.URL = completedURL(texts.URL);
    texts.linksPageURL = completedURL(texts.linksPageURL);
    return {};
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
    case MyCategory:
        return Tr::tr("My Category");
    case ContactFirstName:
        return Tr::tr("Contact First Name");
    case ContactLastName:
        return Tr::tr("Contact Last Name");
    case ContactEmail:
        return Tr::tr("Contact E-mail");
    case Notes:
        return Tr::tr("Notes");
    }
    return {};
}

int maxLength(Field field)
{
    switch (field) {
    case Title:
    case ContactEmail:
        return 99;
    case Description:
        return 399;
    case MainPageURL:
    case LinksPageURL:
    case Keywords:
        return 249;
    case MyCategory:
        return 199;
    case ContactFirstName:
    case ContactLastName:
        return 49;
    case Notes:
        return 499;
    }
    return 0;
}

Tab tabOfField(Field field)
{
    switch (field) {
    case ContactFirstName:
    case ContactLastName:
    case ContactEmail:
        return ExchangeTab;
    case Notes:
        return NotesTab;
    default:
        return SiteTab;
    }
}

QString &text(Texts &texts, Field field)
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
        return texts.linksPageURL;
    case MyCategory:
        return texts.myCategory;
    case ContactFirstName:
        return texts.contactFirstName;
    case ContactLastName:
        return texts.contactLastName;
    case ContactEmail:
        return texts.contactEmail;
    case Notes:
        break;
    }
    return texts.notes;
}

QString text(const Texts &texts, Field field)
{
    Texts copy = texts;
    return text(copy, field);
}

QString completedURL(const QString &address)
{
    return AddressTexts::completedURL(address);
}

bool isMissingURL(const QString &address)
{
    return AddressTexts::isMissingURL(address);
}

QUrl webAddress(const QString &address)
{
    const QUrl url(completedURL(address.trimmed()), QUrl::StrictMode);
    const bool web = url.isValid() && !url.host().isEmpty() &&
                     (url.scheme().compare(QLatin1String("http"), Qt::CaseInsensitive) == 0 ||
                      url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0);
    return web ? url : QUrl();
}

CheckResult checkAddresses(const Texts &texts)
{
    for (const Field field : {MainPageURL, LinksPageURL}) {
        const QString &address = field == MainPageURL ? texts.URL : texts.linksPageURL;
        if (AddressTexts::isRefusedAddress(address))
            return {false, field, Tr::tr("The %1 field must hold a web address.").arg(fieldName(field)),
                    AddressTexts::refusedAddressMessage(address)};
    }
    return {};
}

CheckResult checkLinkEditor(Texts &texts, const TrimQuestion &askTrim)
{
    if (CheckResult required = checkRequired(texts); !required.passed)
        return required;
    return checkLengths(texts,
                        {Title, Description, Keywords, MainPageURL, LinksPageURL, MyCategory,
                         ContactFirstName, ContactLastName, ContactEmail, Notes},
                        askTrim);
}

CheckResult checkInstantLink(Texts &texts, const TrimQuestion &askTrim)
{
    if (CheckResult required = checkRequired(texts); !required.passed)
        return required;
    return checkLengths(texts, {Title, Description, MainPageURL, LinksPageURL, MyCategory, ContactEmail},
                        askTrim);
}

QString duplicateAddressQuestion(const QString &url)
{
    return Tr::tr("A link with this address already exists: \"%1\".").arg(url);
}

QStringList duplicateAddressButtons()
{
    return {Tr::tr("Add Anyway"), Tr::tr("Cancel")};
}

LinkFields linkFields(const Texts &texts, const Choices &choices)
{
    LinkFields f;
    f.title = texts.title;
    f.categoryID = choices.categoryID;
    f.URL = completedURL(texts.URL);
    f.description = texts.description;
    f.keywords = texts.keywords;
    f.counterpartURL = completedURL(texts.linksPageURL);
    f.counterpartCategoryName = texts.myCategory;
    f.contactFirstName = texts.contactFirstName;
    f.contactLastName = texts.contactLastName;
    f.contactEmail = texts.contactEmail;
    f.lastVerifiedOn = choices.lastVerifiedOn;
    f.lastVerificationResult = choices.lastVerificationResult;
    f.lastStatusChangedOn = choices.lastStatusChangedOn;
    f.type = choices.type == LinkTypeReceived ? LinkTypeReceived : LinkTypeSent;
    f.status = choices.status;
    f.draft = DraftMarkerFinal;
    f.notes = texts.notes;
    return f;
}

LinkFields instantLinkFields(const Texts &texts, const QString &categoryID, LinkType type, const QDate &today)
{
    Texts used;
    used.title = texts.title;
    used.description = texts.description;
    used.URL = texts.URL;
    used.linksPageURL = texts.linksPageURL;
    used.myCategory = texts.myCategory;
    used.contactEmail = texts.contactEmail;
    Choices choices;
    choices.categoryID = categoryID;
    choices.lastStatusChangedOn = today;
    choices.type = type;
    return linkFields(used, choices);
}

bool sameFields(const LinkFields &a, const LinkFields &b)
{
    return a.title == b.title && a.categoryID == b.categoryID && a.URL == b.URL &&
           a.description == b.description && a.keywords == b.keywords &&
           a.counterpartURL == b.counterpartURL && a.counterpartCategoryName == b.counterpartCategoryName &&
           a.contactFirstName == b.contactFirstName && a.contactLastName == b.contactLastName &&
           a.contactEmail == b.contactEmail && a.lastVerifiedOn == b.lastVerifiedOn &&
           a.lastVerificationResult == b.lastVerificationResult &&
           a.lastStatusChangedOn == b.lastStatusChangedOn && a.type == b.type && a.status == b.status &&
           a.draft == b.draft && a.notes == b.notes;
}

int popupIndexOfCategory(int categoryIndex, int numberOfCategories)
{
    return SearchCriterion::popupIndexOfCategoryWithIndex(categoryIndex, numberOfCategories);
}

int categoryIndexOfPopupIndex(int popupIndex, int numberOfCategories)
{
    return SearchCriterion::indexOfSelectedCategoryInPopup(popupIndex, numberOfCategories);
}

int popupIndexOfStatus(LinkStatus status)
{
    switch (status) {
    case LinkStatusNegotiating:
        return 1;
    case LinkStatusApproved:
        return 2;
    case LinkStatusBlocked:
        return 3;
    default:
        return 0;
    }
}

LinkStatus statusOfPopupIndex(int popupIndex)
{
    switch (popupIndex) {
    case 1:
        return LinkStatusNegotiating;
    case 2:
        return LinkStatusApproved;
    case 3:
        return LinkStatusBlocked;
    default:
        return LinkStatusNew;
    }
}

int columnOfType(LinkType type)
{
    return type == LinkTypeReceived ? 0 : 1;
}

LinkType typeOfColumn(int column)
{
    return column == 0 ? LinkTypeReceived : LinkTypeSent;
}

StatusStamp stampForStatus(LinkStatus status, const QDate &today)
{
    // Approving by hand fetched nothing: it is recorded as marked, as the Status menu does.
    if (status == LinkStatusApproved)
        return {today, today, VerificationMarkedVerified};
    return {today, QDate(), VerificationNotVerified};
}

int messagePopupIndex(int savedTemplateIndex, int numberOfItems)
{
    // Item 0 is the blank message and item 1 the separator, so template t sits at t + 2.
    if (savedTemplateIndex >= 0 && numberOfItems > 1 && savedTemplateIndex <= numberOfItems - 3)
        return savedTemplateIndex + 2;
    return 0;
}

int templateIndexOfMessagePopupIndex(int popupIndex)
{
    return popupIndex < 2 ? -1 : popupIndex - 2;
}

} // namespace LinkForm
