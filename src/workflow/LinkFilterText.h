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

    // Lower case without accents, for comparing.
    static QString folded(const QString &text);

private:
    QStringList m_words;
};
