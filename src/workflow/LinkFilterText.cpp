#include "LinkFilterText.h"

#include "model/Link.h"

#include <array>

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

constexpr int FieldCount = 8;

// The fields the words are looked for in.
std::array<const QString *, FieldCount> fieldsOf(const Link &link)
{
    return {&link.title(),
            &link.URL(),
            &link.counterpartURL(),
            &link.description(),
            &link.contactFirstName(),
            &link.contactLastName(),
            &link.contactEmail(),
            &link.notes()};
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

LinkFilterText::Prepared LinkFilterText::prepare(const Link &link)
{
    Prepared prepared;
    const auto fields = fieldsOf(link);
    for (int i = 0; i < FieldCount; ++i) {
        if (isAscii(*fields[size_t(i)]))
            continue;
        if (!prepared.folded.isEmpty())
            prepared.folded.append(u'\n');
        prepared.folded.append(folded(*fields[size_t(i)]));
        prepared.foldedFields |= quint8(1u << i);
    }
    return prepared;
}

bool LinkFilterText::matches(const Link &link, const Prepared &prepared) const
{
    const auto fields = fieldsOf(link);
    for (const QString &word : m_words) {
        bool found = prepared.folded.contains(word);
        for (int i = 0; i < FieldCount && !found; ++i) {
            if (!(prepared.foldedFields & (1u << i)))
                found = fields[size_t(i)]->contains(word, Qt::CaseInsensitive);
        }
        if (!found)
            return false;
    }
    return true;
}

namespace {

bool isLatin1(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x100)
            return false;
    }
    return true;
}

// Each Latin-1 character folded on its own. Folding works character by character and no Latin-1
// character decomposes into marks that a following one could reorder, so a text of them folds as
// its characters' folds put together, without normalizing it again for every field.
const std::array<QString, 256> &latin1Folds()
{
    static const std::array<QString, 256> folds = [] {
        std::array<QString, 256> table;
        for (int c = 0; c < 256; ++c)
            table[size_t(c)] = LinkFilterText::folded(QString(QChar(c)));
        return table;
    }();
    return folds;
}

} // namespace

QString LinkFilterText::folded(const QString &text)
{
    if (isAscii(text))
        return text.toLower();
    if (text.size() > 1 && isLatin1(text)) {
        const std::array<QString, 256> &folds = latin1Folds();
        QString result;
        result.reserve(text.size());
        for (const QChar c : text)
            result.append(folds[c.unicode()]);
        return result;
    }
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString result;
    result.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            result.append(c);
    }
    return result.toCaseFolded();
}
