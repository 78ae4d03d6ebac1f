#pragma once

#include "model/Codes.h"

#include <QDate>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

class CollectionManager;

// The icon at the start of a printed line.
enum class PrintIcon
{
    None,
    Category,
    New,
    Negotiating,
    Approved,
    Blocked
};

// One printed line: blank, a category heading or a link. A link whose status has no icon is still
// printed, without the icon.
struct PrintLine
{
    enum class Kind
    {
        Blank,
        Category,
        Link
    };
    Kind kind = Kind::Blank;
    PrintIcon image = PrintIcon::None;
    QString text; // category name or link title
    QString URL;  // links only
    QDate date;   // a link's last status change

    bool isBlank() const { return kind == Kind::Blank; }
    bool isCategory() const { return kind == Kind::Category; }
};

// The printed link list laid out on pages: every category that holds links as a heading line,
// followed by its links, a blank line between categories. Sizes are in points; the print area
// leaves 72 points left and right and 54 points at the top and bottom of the paper.
class PrintView
{
public:
    PrintView(const CollectionManager &collectionManager, const QSizeF &paperSize, qreal lineHeight);

    // The lines of the store's print objects.
    static std::vector<PrintLine> getLines(const CollectionManager &collectionManager);
    static PrintIcon imageForLinkStatus(LinkStatus status);

    const std::vector<PrintLine> &lines() const { return m_lineInfos; }
    // Links + 2 × categories with links − 1; 0 for a database without links.
    int numberOfLines() const { return int(m_lineInfos.size()); }
    // At least one line per page, however small the paper.
    int linesPerPage() const;
    // At least 1: a database without links prints one page with its header and footer.
    int numberOfPages() const;
    int firstLineOfPage(int page) const { return (page - 1) * linesPerPage(); }

    // Column 0 (icon) 13 points; then 35 %, 50 % and 15 % of the rest; 0 for any other column.
    qreal widthOfColumn(int column) const;
    const QRectF &printArea() const { return m_printArea; }
    QRectF rectForPage(int) const { return m_printArea; }
    const QSizeF &paperSize() const { return m_paperSize; }
    qreal lineHeight() const { return m_lineHeight; }
    qreal headerHeight() const { return qreal(int(3 * m_lineHeight)); }
    qreal footerHeight() const { return qreal(int(2 * m_lineHeight)); }
    QString printJobTitle() const;

private:
    const CollectionManager &m_collectionManager;
    QSizeF m_paperSize;
    QRectF m_printArea;
    qreal m_lineHeight;
    std::vector<PrintLine> m_lineInfos;
};
