#pragma once

#include "model/SelfInfo.h"

#include <QString>
#include <QVariantMap>
#include <functional>
#include <initializer_list>
#include <optional>

// The rules of the two windows that edit the user's own site profile (the new-database assistant
// and the site profile sheet): field limits, required fields, address completion, the order of the
// checks and what a confirmed assistant hands to the next new document. No widgets: the windows
// call these and show what they report.
namespace SiteProfileForm {

enum Field
{
    Title,
    Description,
    Keywords,
    MainPageURL,
    LinksPageURL,
    ContactFirstName,
    ContactLastName,
    ContactEmail
};

// The field's name as the length question shows it ("Main Page URL").
QString fieldName(Field field);
// The most characters (UTF-16 units, as the file counts them) the field keeps.
int maxLength(Field field);
QString &text(SiteProfileTexts &texts, Field field);

// "http://" put in front of an address that has no "://" (so an empty one becomes "http://").
QString completedURL(const QString &address);
// An address that is empty or exactly "http://" counts as not given.
bool isMissingURL(const QString &address);

// Asked when a field is too long: true cuts it to its limit and goes on, false stops the check.
using TrimQuestion = std::function<bool(const QString &fieldName, int maxLength)>;

// What a check found. When it did not pass, `field` is where the user continues; `title` and
// `message` are the alert to show (empty when the trim question was already asked and declined).
struct CheckResult
{
    bool passed = true;
    Field field = Title;
    QString title;
    QString message;
};

// Length checks in the given order, one question at a time; a trimmed field is cut in `texts`.
CheckResult checkLengths(SiteProfileTexts &texts, std::initializer_list<Field> fields,
                         const TrimQuestion &askTrim);

// The assistant's five steps (1-5). Step 2: title required, then the lengths of title,
// description and keywords. Step 3: main page address required, both addresses completed, then
// their lengths. Step 4: the three contact lengths. Steps 1 and 5 always pass.
CheckResult checkAssistantStep(int step, SiteProfileTexts &texts, const TrimQuestion &askTrim);
// Where the cursor goes when a step is shown (null when no field takes the focus).
std::optional<Field> focusFieldOfStep(int step);

// The site profile sheet's confirmation: the required fields, both addresses completed, then all
// eight lengths in field order.
CheckResult checkSiteInfo(SiteProfileTexts &texts, const TrimQuestion &askTrim);

// Keys of the values the assistant keeps for the next new document.
inline const QString TitleKey = QStringLiteral("Title");
inline const QString DescriptionKey = QStringLiteral("Description");
inline const QString KeywordsKey = QStringLiteral("Keywords");
inline const QString MainPageURLKey = QStringLiteral("MainPageURL");
inline const QString LinksPageURLKey = QStringLiteral("LinksPageURL");
inline const QString ContactFirstNameKey = QStringLiteral("ContactFirstName");
inline const QString ContactLastNameKey = QStringLiteral("ContactLastName");
inline const QString ContactEmailKey = QStringLiteral("ContactEmail");
inline const QString PageLayoutKey = QStringLiteral("PageLayout");

// The nine values of a confirmed assistant: the keywords made one line, both addresses
// completed, "PageLayout" true for a single page.
QVariantMap globalSiteInfo(const SiteProfileTexts &texts, bool singlePageLayout);
// The texts stored under those keys (missing keys read as empty).
SiteProfileTexts textsFromGlobalSiteInfo(const QVariantMap &values);

} // namespace SiteProfileForm
