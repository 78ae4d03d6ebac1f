#include "PrintView.h"

#include "model/CollectionManager.h"

#include <algorithm>

namespace {

// Each category holding links, followed by its links.
QList<const Attachment *> printObjects(const TreeNode *root)
{
    QList<const Attachment *> objects;
    for (const TreeNode *categoryNode : root->children()) {
        if (!categoryNode->isExpandable())
            continue;
        objects.append(categoryNode->attachment());
        for (const TreeNode *node : categoryNode->children())
            objects.append(node->attachment());
    }
    return objects;
}

} // namespace

PrintView::PrintView(const CollectionManager &collectionManager, const QSizeF &paperSize, qreal lineHeight)
    : m_collectionManager(collectionManager), m_paperSize(paperSize),
      m_printArea(72, 54, paperSize.width() - 144, paperSize.height() - 108),
      m_lineHeight(std::max<qreal>(lineHeight, 1)), m_lineInfos(getLines(collectionManager))
{}

std::vector<PrintLine> PrintView::getLines(const CollectionManager &collectionManager)
{
    const QList<const Attachment *> objects = printObjects(collectionManager.categoryRoot());
    std::vector<PrintLine> lines;
    lines.reserve(size_t(objects.size()) * 2);
    bool firstCategory = true;
    for (const Attachment *object : objects) {
        if (object->kind() == Attachment::Kind::Category) {
            if (!firstCategory)
                lines.emplace_back();
            firstCategory = false;
            PrintLine line;
            line.kind = PrintLine::Kind::Category;
            line.image = PrintIcon::Category;
            line.text = static_cast<const Category *>(object)->name();
            lines.push_back(std::move(line));
        } else if (object->kind() == Attachment::Kind::Link) {
            const Link *link = static_cast<const Link *>(object);
            PrintLine line;
            line.kind = PrintLine::Kind::Link;
            line.image = imageForLinkStatus(link->status());
            line.text = link->title();
            line.URL = link->URL();
            line.date = link->lastStatusChangedOn();
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

PrintIcon PrintView::imageForLinkStatus(LinkStatus status)
{
    switch (status) {
    case LinkStatusNew:
        return PrintIcon::New;
    case LinkStatusNegotiating:
        return PrintIcon::Negotiating;
    case LinkStatusApproved:
        return PrintIcon::Approved;
    case LinkStatusBlocked:
        return PrintIcon::Blocked;
    default:
        return PrintIcon::None;
    }
}

int PrintView::linesPerPage() const
{
    return std::max(1, int((m_printArea.height() - headerHeight() - footerHeight()) / m_lineHeight));
}

int PrintView::numberOfPages() const
{
    const int perPage = linesPerPage();
    return std::max(1, (numberOfLines() + perPage - 1) / perPage);
}

qreal PrintView::widthOfColumn(int column) const
{
    const qreal rest = m_printArea.width() - 13;
    switch (column) {
    case 0:
        return 13;
    case 1:
        return rest * 0.35;
    case 2:
        return rest * 0.5;
    case 3:
        return rest * 0.15;
    default:
        return 0;
    }
}

QString PrintView::printJobTitle() const
{
    return m_collectionManager.selfInfo().title();
}
