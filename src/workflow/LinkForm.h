#pragma once

#include "model/Link.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <initializer_list>

// The rules of the two windows that make links: the link editor and the instant-link window. Field
// limits and names, the order of the checks, address completion, what a confirmed form becomes, and
// the arithmetic of their pop-ups. No widgets: the windows call these and show what they report.
namespace LinkForm {

enum Field
{
    Title,
    Description,
    MainPageURL,
    LinksPageURL,
    MyCategory,
    ContactFirstName,
    ContactLastName,
    ContactEmail,
    Notes,
    Keywords
};

// The link editor's tabs, in order.
enum Tab
{
    SiteTab = 0,
    ExchangeTab = 1,
    NotificationsTab = 2,
    NotesTab = 3
};

// The field's name as the length question shows it ("Main Page URL").
QString fieldName(Field field);
// The most characters (UTF-16 units, as the file counts them) the field keeps.
int maxLength(Field field);
// The editor's tab that holds the field.
Tab tabOfField(Field field);

// What the text fields of a form hold (the instant-link window leaves the names and notes empty).
struct Texts
{
    QString title;
    QString description;
    QString keywords;
    QString URL;
    QString linksPageURL;
    QString myCategory;
    QString contactFirstName;
    QString contactLastName;
    QString contactEmail;
    QString notes;
};
QString &text(Texts &texts, Field field);
QString text(const Texts &texts, Field field);

// "http://" put in front of an address without "://"; an address that is empty or exactly
// "http://" counts as not given.
QString completedURL(const QString &address);
bool isMissingURL(const QString &address);
// The address the Visit buttons may open: a web page (http or https with a host), completed as above;
// an invalid URL for anything else, so a stored address can never launch a local file or program.
QUrl webAddress(const QString &address);

// Asked when a field is too long (its name and limit come from fieldName and maxLength): true cuts it
// to its limit and goes on, false stops the check.
using TrimQuestion = std::function<bool(Field field)>;

// What a check found. When it did not pass, `field` is where the user continues; `title` and
// `message` are the alert to show (empty when the trim question was already asked and declined).
struct CheckResult
{
    bool passed = true;
    Field field = Title;
    QString title;
    QString message;
};

// Both addresses refused when they would lead anywhere but to a web page ("javascript:", "data:"):
// the alert names the field and the address.
CheckResult checkAddresses(const Texts &texts);
// The editor's confirmation: title and main page address required, both addresses web addresses
// and completed (in `texts`), then the lengths of its ten fields in the order of the form.
CheckResult checkLinkEditor(Texts &texts, const TrimQuestion &askTrim);
// The instant-link window's: the same with its six fields.
CheckResult checkInstantLink(Texts &texts, const TrimQuestion &askTrim);

// Asked before a link is added whose address the store's same-URL test finds on another link:
// "A link with this address already exists: "%1"." with Add Anyway and Cancel.
QString duplicateAddressQuestion(const QString &url);
QStringList duplicateAddressButtons();

// What the editor holds besides its texts.
struct Choices
{
    QString categoryID;
    QDate lastVerifiedOn;
    VerificationResult lastVerificationResult = VerificationNotVerified;
    QDate lastStatusChangedOn;
    LinkType type = LinkTypeReceived;
    LinkStatus status = LinkStatusNew;
};

// The link the editor hands over: the texts with both addresses completed, never a draft.
LinkFields linkFields(const Texts &texts, const Choices &choices);
// The link the instant-link window hands over: New, changed today, never verified, no names,
// keywords or notes.
LinkFields instantLinkFields(const Texts &texts, const QString &categoryID, LinkType type,
                             const QDate &today);

// True when every field is the same, so storing one over the other changes nothing.
bool sameFields(const LinkFields &a, const LinkFields &b);

// The category pop-ups list the categories in tree order with a separator after the first one when
// there are two or more. -1 from the second function means the separator.
int popupIndexOfCategory(int categoryIndex, int numberOfCategories);
int categoryIndexOfPopupIndex(int popupIndex, int numberOfCategories);

// The status pop-up: New, Negotiating, Approved, Blocked. An unknown code shows as New.
int popupIndexOfStatus(LinkStatus status);
LinkStatus statusOfPopupIndex(int popupIndex);

// The request type's two radio buttons: received (0) and sent (1). Any type but received is sent.
int columnOfType(LinkType type);
LinkType typeOfColumn(int column);

// Choosing a status in the editor dates the change today; Approved also counts as marked verified
// today (no check ran), any other status forgets the verification.
struct StatusStamp
{
    QDate lastStatusChangedOn;
    QDate lastVerifiedOn;
    VerificationResult lastVerificationResult = VerificationNotVerified;
};
StatusStamp stampForStatus(LinkStatus status, const QDate &today);

// The instant-link message pop-up: the blank message (item 0), then, with templates, a separator and
// one item per template. A saved template index selects its item while that template exists, else the
// blank message.
int messagePopupIndex(int savedTemplateIndex, int numberOfItems);
// -1 for the blank message, else the template index.
int templateIndexOfMessagePopupIndex(int popupIndex);

} // namespace LinkForm
