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

// Asked about a value that does not look right, with the alert's title and message: true keeps it
// as it is, false goes back to correct it.
using KeepQuestion = std::function<bool(const QString &title, const QString &message)>;

// Asks about each of the given address and e-mail fields that does not look right, in order; the
// first the user goes back to correct stops the check at that field. Other fields are not looked at.
CheckResult checkWarnings(const SiteProfileTexts &texts, std::initializer_list<Field> fields,
                          const KeepQuestion &askKeep);

// The assistant's five steps (1-5). Step 2: title required, then the lengths of title,
// description and keywords. Step 3: main page address required, both addresses web addresses (an
// alert names one that is not) and completed, then their lengths, then the warnings about them. Step 4: the
// three contact lengths, then the warning about the e-mail address. Steps 1 and 5 always pass.
// Without `askKeep` nothing is warned about.
CheckResult checkAssistantStep(int step, SiteProfileTexts &texts, const TrimQuestion &askTrim,
                               const KeepQuestion &askKeep = {});
// Where the cursor goes when a step is shown (null when no field takes the focus).
std::optional<Field> focusFieldOfStep(int step);

// The site profile sheet's confirmation: the required fields, both addresses web addresses and
// completed, all eight lengths in field order, then the warnings about the two addresses and the
// e-mail address.
CheckResult checkSiteInfo(SiteProfileTexts &texts, const TrimQuestion &askTrim,
                          const KeepQuestion &askKeep = {});

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
