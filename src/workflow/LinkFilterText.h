#pragma once

#include <QString>
#include <QStringList>

class Link;

// The filter bar's words: a link matches when every word appears in its name, addresses,
// description, contact or notes, ignoring case and accents ("cafe" finds "Café").
class LinkFilterText
{
public:
    LinkFilterText() = default;
    explicit LinkFilterText(const QString &text);

    // No words: everything matches.
    bool isEmpty() const { return m_words.isEmpty(); }
    const QStringList &words() const { return m_words; }
    bool matches(const Link &link) const;

    // A link's texts made ready for many filters: the fields that are not plain ASCII folded once
    // (joined by line breaks, which no word holds), so that a keystroke does not fold them again.
    struct Prepared
    {
        QString folded;
        quint8 foldedFields = 0; // one bit a field, in the order matches() searches them
    };
    static Prepared prepare(const Link &link);
    // The same answer as matches(link), from the link's prepared texts.
    bool matches(const Link &link, const Prepared &prepared) const;

    // Lower case without accents, for comparing.
    static QString folded(const QString &text);

private:
    QStringList m_words;
};
