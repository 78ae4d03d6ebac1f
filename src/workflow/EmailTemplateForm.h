#pragma once

#include <QList>
#include <QString>
#include <functional>

class CollectionManager;

// The rules of the e-mail template editor and of the template list without their widgets: the
// three fields with their limits, the order of the checks on confirmation, the placeholders the
// editor offers, and the texts of the list's questions.
namespace EmailTemplateForm {

enum Field
{
    Name,
    Subject,
    Body
};

struct Texts
{
    QString name;
    QString subject;
    QString body;
};

// The field's name as the length question shows it ("Subject").
QString fieldName(Field field);
int maxLength(Field field);
QString &text(Texts &texts, Field field);

// Asked when a field is too long: true cuts it to its limit and goes on, false stops the check.
using TrimQuestion = std::function<bool(const QString &fieldName, int maxLength)>;

// When the check did not pass, `field` is where the user continues; `title` and `message` are the
// alert to show (empty when the trim question was already asked and declined).
struct CheckResult
{
    bool passed = true;
    Field field = Name;
    QString title;
    QString message;
};

// Required fields, then a name no other template of the store bears (the template being edited,
// named by its ID, keeps its own name), then the lengths in field order; a trimmed field is cut in
// `texts`. The name is compared before any trimming.
CheckResult check(Texts &texts, const CollectionManager &store, const QString &editedTemplateID,
                  const TrimQuestion &askTrim);

// One placeholder the editor can type: the literal, the button's title (within its group, the
// partner's or the user's own), and whether its value comes from the partner's link (or from the
// user's own site profile; "#MY_CATEGORY#", the category the partner lists the user under, counts
// as the user's).
struct Placeholder
{
    QString literal;
    QString title;
    bool partner;
};
// In the order of substitution: the user's own values first, then the partner's.
const QList<Placeholder> &placeholders();

// The alert when a placeholder is asked for while the name field is being edited.
QString placeholderInNameTitle();
QString placeholderInNameMessage();

// The list's delete question.
QString deleteQuestionTitle(const QString &templateName);

} // namespace EmailTemplateForm
