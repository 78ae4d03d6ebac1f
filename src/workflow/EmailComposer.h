#pragma once

#include "model/TextCodec.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <utility>
#include <vector>

class CollectionManager;
class Link;

// Composes messages to partner webmasters: fills in template placeholders and hands a mailto:
// address to the system's mail client through UrlOpener.
namespace EmailComposer {

// Substitutes every placeholder in place, one pass per placeholder in a fixed order (site profile
// first, then the link). A pass never searches the text it inserted, but later passes do.
void replaceEmailTemplatePlaceholdersInString(const CollectionManager &store, QString &text,
                                              const Link &link);

// A link's placeholder values, read from the store once: filling texts with them needs neither the
// store nor the link, so a worker may do it while the window goes on.
class PlaceholderValues
{
public:
    PlaceholderValues() = default;
    PlaceholderValues(const CollectionManager &store, const Link &link);
    // The same substitutions, in the same order, as replaceEmailTemplatePlaceholdersInString.
    void fill(QString &text) const;

private:
    QString m_myCategory;
    std::vector<std::pair<QLatin1String, QString>> m_values; // the profile's, then the link's
};

// The template editor's preview: with a link its values, without one sample values, then the site
// profile's values (link passes first, profile last).
QString previewString(const CollectionManager &store, const QString &text, const Link *link);

// The encoding of recipient and body chosen by the "EmailEncoding" preference (0 UTF-8, else Mac OS Roman).
TextEncoding emailEncoding();

// "mailto:R?SUBJECT=S&BODY=B": recipient and body escaped in `encoding`, the subject always in UTF-8,
// every line break (LF, CR or CRLF) sent as "%0D%0A", and "&", "=", "?", "#", "%" and every byte
// outside 7-bit ASCII escaped inside every field.
QByteArray mailtoURL(const QString &recipient, const QString &subject, const QString &body,
                     TextEncoding encoding);

// Hands the message to the mail client; the answer is whether the mail client took it. Once it did,
// the negotiation has started: a New `link` becomes Negotiating, dated today. Else nothing changes.
// `link` is a working copy (the link editor's, or one the window then applies to its stored link
// through the store, which journals it).
bool sendEmailWithRecipient(const QString &recipient, const QString &subject, const QString &body,
                            Link &link);
// The same with the template at `templateIndex` of the store, placeholders filled in for the link;
// false without doing anything when there is no such template.
bool sendEmailWithRecipient(const CollectionManager &store, const QString &recipient, int32_t templateIndex,
                            Link &link);

// A message as it went, or would have gone, to the mail client.
struct Message
{
    QString recipient;
    QString subject;
    QString body;
    // "To: ...", "Subject: ...", an empty line and the body, for the clipboard.
    QString text() const;
};
// The last message handed to the mail client (or refused by it), so a user without a mail client
// can copy it into webmail.
const Message &lastMessage();
// Hands a finished message to the mail client; the answer is whether the system took it.
bool openInMailClient(const Message &message);

// Placeholders left in a filled-in text ("#PHONE#"): none of the known ones, so a misspelt one.
QStringList unknownPlaceholders(const QString &filledText);

// The editor's preview message, addressed to the sample recipient; changes no link.
bool preview(const CollectionManager &store, const QString &subject, const QString &body, const Link *link);
// A sample address of a mailbox that does not exist, for previews.
QString sampleRecipient();

} // namespace EmailComposer
