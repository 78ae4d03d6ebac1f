#include "SpreadsheetBuilder.h"

#include "ClipboardWriter.h"

#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"
#include "model/Preferences.h"
#include "model/TextUtils.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SpreadsheetBuilder", text);
}

inline void appendField(QString &line, const QString &text)
{
    line += TextUtils::stringByRemovingTabDelimiters(text);
    line += u'\t';
}

} // namespace

SpreadsheetBuilder::SpreadsheetBuilder(const CollectionManager &collectionManager)
    : m_collectionManager(collectionManager)
{}

bool SpreadsheetBuilder::exportSpreadsheetWithCollectionManager(const CollectionManager &collectionManager,
                                                                const QString &path, QString *error)
{
    return SpreadsheetBuilder(collectionManager).exportSiteAtPath(path, error);
}

void SpreadsheetBuilder::copySpreadsheetToClipboardWithCollectionManager(
    const CollectionManager &collectionManager)
{
    ClipboardWriter::copyText(SpreadsheetBuilder(collectionManager).clipboardString());
}

QString SpreadsheetBuilder::headerLine() const
{
    const QStringList headers = {tr("Link"),
                                 tr("Category"),
                                 tr("Description"),
                                 tr("URL"),
                                 tr("Links Page URL"),
                                 tr("My Category"),
                                 tr("Contact First Name"),
                                 tr("Contact Last Name"),
                                 tr("Contact E-mail"),
                                 tr("Original Request"),
                                 tr("Status"),
                                 tr("Last Status Changed On"),
                                 tr("Last Verified On"),
                                 tr("Notes")};
    return headers.join(u'\t') + u'\n';
}

QString SpreadsheetBuilder::stringForStatus(LinkStatus status)
{
    const QString text = Codes::statusText(status);
    return text.isNull() ? QStringLiteral("") : text;
}

QString SpreadsheetBuilder::stringForDate(const QDate &date)
{
    if (!date.isValid())
        return QStringLiteral("");
    QString text = tr("MM/DD/YYYY");
    text.replace(QStringLiteral("YYYY"), QString::number(date.year()));
    text.replace(QStringLiteral("MM"), QStringLiteral("%1").arg(date.month(), 2, 10, QLatin1Char('0')));
    text.replace(QStringLiteral("DD"), QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0')));
    return text;
}

QString SpreadsheetBuilder::string() const
{
    // Anything but a received request counts as sent.
    const QString received = Codes::typeText(LinkTypeReceived);
    const QString sent = Codes::typeText(LinkTypeSent);
    QString text = headerLine();
    text.reserve(text.size() + 256 * m_collectionManager.numberOfLinks());
    QString line;
    for (const TreeNode *categoryNode : m_collectionManager.categoryRoot()->children()) {
        const Category *category = categoryNode->category();
        if (!category)
            continue;
        const QString categoryText =
            category->isNone() ? QString() : TextUtils::stringByRemovingTabDelimiters(category->name());
        for (const TreeNode *node : categoryNode->children()) {
            const Link *link = node->link();
            if (!link)
                continue;
            line.clear();
            appendField(line, link->title());
            line += categoryText;
            line += u'\t';
            appendField(line, link->description());
            appendField(line, link->URL());
            appendField(line, link->counterpartURL());
            appendField(line, link->counterpartCategoryName());
            appendField(line, link->contactFirstName());
            appendField(line, link->contactLastName());
            appendField(line, link->contactEmail());
            line += link->type() == LinkTypeReceived ? received : sent;
            line += u'\t';
            line += stringForStatus(link->status());
            line += u'\t';
            line += stringForDate(link->lastStatusChangedOn());
            line += u'\t';
            line += stringForDate(link->lastVerifiedOn());
            line += u'\t';
            line += TextUtils::stringByRemovingTabDelimiters(link->notes());
            line += u'\n';
            text += line;
        }
    }
    return text;
}

TextEncoding SpreadsheetBuilder::encodingForPreference(int value)
{
    switch (value) {
    case 0:
        return TextEncoding::UTF16;
    case 2:
        return TextEncoding::ISOLatin1;
    default:
        return TextEncoding::MacOSRoman;
    }
}

QByteArray SpreadsheetBuilder::data(TextEncoding encoding) const
{
    return TextCodec::encode(string(), encoding);
}

bool SpreadsheetBuilder::exportSiteAtPath(const QString &path, QString *error) const
{
    return exportSiteAtPath(
        path, encodingForPreference(Preferences::intValue(Preferences::FileExportEncoding)), error);
}

bool SpreadsheetBuilder::exportSiteAtPath(const QString &path, TextEncoding encoding, QString *error) const
{
    QString why;
    if (DatabaseFile::writeAtomically(path, data(encoding), &why))
        return true;
    if (error)
        *error = tr("The file \"%1\" could not be written (%2).").arg(QDir::toNativeSeparators(path), why);
    return false;
}
