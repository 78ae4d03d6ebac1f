#include "LinkFilterText.h"

#include "model/Link.h"

namespace {

bool isAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// Most fields are plain ASCII: they are searched as they are, without a folded copy.
bool fieldContains(const QString &field, const QString &foldedWord)
{
    if (isAscii(field))
        return field.contains(foldedWord, Qt::CaseInsensitive);
    return LinkFilterText::folded(field).contains(foldedWord);
}

} // namespace

LinkFilterText::LinkFilterText(const QString &text)
{
    for (const QString &word : text.simplified().split(u' ', Qt::SkipEmptyParts)) {
        const QString trimmed = word.trimmed();
        if (!trimmed.isEmpty())
            m_words.append(folded(trimmed));
    }
}

bool LinkFilterText::matches(const Link &link) const
{
    for (const QString &word : m_words) {
        const bool found =
            fieldContains(link.title(), word) || fieldContains(link.URL(), word) ||
            fieldContains(link.counterpartURL(), word) || fieldContains(link.description(), word) ||
            fieldContains(link.contactFirstName(), word) || fieldContains(link.contactLastName(), word) ||
            fieldContains(link.contactEmail(), word) || fieldContains(link.notes(), word);
        if (!found)
            return false;
    }
    return true;
}

QString LinkFilterText::folded(const QString &text)
{
    if (isAscii(text))
        return text.toLower();
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString result;
    result.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            result.append(c);
    }
    return result.toCaseFolded();
}
