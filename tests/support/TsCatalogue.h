#pragma once

// Reads a Qt Linguist .ts file: every message with its context, source, disambiguation and
// translation state, for the tests that check the translations and the pseudo-translation.

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

struct TsMessage
{
    QString context;
    QString source;
    QString comment;          // the disambiguation
    QString type;             // "", "unfinished", "obsolete" or "vanished"
    QStringList translations; // one, or the numerus forms
    bool numerus = false;

    QString key() const { return context + u'\x1f' + source + u'\x1f' + comment; }
};

class TsCatalogue
{
public:
    // False (with the reason in `error`) when the file cannot be read or is not a .ts file.
    bool read(const QString &path, QString *error);

    const QList<TsMessage> &messages() const { return m_messages; }
    QSet<QString> keys() const;

private:
    QList<TsMessage> m_messages;
};
