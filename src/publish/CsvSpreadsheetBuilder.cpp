#include "CsvSpreadsheetBuilder.h"

#include "SpreadsheetBuilder.h"

#include "model/CollectionManager.h"
#include "model/CsvText.h"
#include "model/DatabaseFile.h"
#include "model/SpreadsheetCell.h"

#include <QCoreApplication>
#include <QDir>

CsvSpreadsheetBuilder::CsvSpreadsheetBuilder(const CollectionManager &collectionManager)
    : m_collectionManager(collectionManager)
{}

QString CsvSpreadsheetBuilder::string() const
{
    const SpreadsheetBuilder tabs(m_collectionManager);
    QString header = tabs.headerLine();
    header.chop(1);
    QStringList headers = header.split(u'\t');
    headers.insert(LastVerifiedOnColumn + 1,
                   QCoreApplication::translate("CsvSpreadsheetBuilder", "Last Verification Result"));
    QString text = CsvText::line(headers);
    const QString received = Codes::typeText(LinkTypeReceived);
    const QString sent = Codes::typeText(LinkTypeSent);
    for (const TreeNode *categoryNode : m_collectionManager.categoryRoot()->children()) {
        const Category *category = categoryNode->category();
        if (!category)
            continue;
        const QString categoryName = category->isNone() ? QString() : category->name();
        for (const TreeNode *node : categoryNode->children()) {
            const Link *link = node->link();
            if (!link)
                continue;
            QStringList cells = {link->title(),
                                 categoryName,
                                 link->description(),
                                 link->URL(),
                                 link->counterpartURL(),
                                 link->counterpartCategoryName(),
                                 link->contactFirstName(),
                                 link->contactLastName(),
                                 link->contactEmail(),
                                 link->type() == LinkTypeReceived ? received : sent,
                                 SpreadsheetBuilder::stringForStatus(link->status()),
                                 dateText(link->lastStatusChangedOn()),
                                 dateText(link->lastVerifiedOn()),
                                 Codes::verificationRunText(link->lastVerificationResult()),
                                 link->notes()};
            for (QString &cell : cells)
                cell = SpreadsheetCell::guarded(cell);
            text += CsvText::line(cells);
        }
    }
    return text;
}

QString CsvSpreadsheetBuilder::dateText(const QDate &date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QStringLiteral("");
}

QByteArray CsvSpreadsheetBuilder::data() const
{
    return QByteArray("\xEF\xBB\xBF") + string().toUtf8();
}

bool CsvSpreadsheetBuilder::exportSiteAtPath(const QString &path, FileError *error) const
{
    return DatabaseFile::writeAtomically(path, data(), error);
}
