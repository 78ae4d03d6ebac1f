#include "ProgressIndicatorCell.h"

#include "gui/DocumentImages.h"
#include "verify/VerificationRowModel.h"
#include "verify/VerificationSheetForm.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QPainter>
#include <QStyle>

ProgressIndicatorCell::ProgressIndicatorCell(const VerificationRowModel *rows, QObject *parent)
    : QStyledItemDelegate(parent), m_rows(rows)
{}

void ProgressIndicatorCell::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    if (index.column() != VerificationRowModel::StatusColumn) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The background and selection as any cell; the image for the row's result is chosen here (the
    // rows carry the result, not pictures) and drawn from the shared images.
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    QStyleOptionViewItem background(option);
    background.index = index;
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &background, painter, widget);

    const QString image =
        imageNameForResult(VerificationResult(index.data(VerificationRowModel::ResultCodeRole).toInt()));
    if (image.isEmpty())
        return;
    const QRect target =
        QStyle::alignedRect(option.direction, Qt::AlignCenter, QSize(ImageSize, ImageSize), option.rect);
    const QIcon::Mode mode = option.state & QStyle::State_Enabled ? QIcon::Normal : QIcon::Disabled;
    DocumentImages::icon(image).paint(painter, target, Qt::AlignCenter, mode);
    // The table may show the run's rows sorted.
    QModelIndex source = index;
    if (const auto *proxy = qobject_cast<const QAbstractProxyModel *>(index.model()))
        source = proxy->mapToSource(index);
    const int row = source.row();
    if (m_rows && row < m_rows->numLinks() &&
        VerificationSheetForm::foundWithReservations(m_rows->linkInfo(row))) {
        const int badge = ImageSize * 5 / 8;
        const QRect mark(target.right() - badge / 2, target.bottom() - badge + 2, badge, badge);
        DocumentImages::icon(QStringLiteral("warning")).paint(painter, mark, Qt::AlignCenter, mode);
    }
}

QString ProgressIndicatorCell::imageNameForResult(VerificationResult result)
{
    switch (result) {
    case VerificationInProgress:
        return QStringLiteral("verifyprogress");
    case VerificationSucceeded:
        return QStringLiteral("verifysuccess");
    case VerificationNoResponse:
    case VerificationLinksPageNotLoaded:
    case VerificationLinkNotFound:
    case VerificationNoLinksPageURL:
        return QStringLiteral("warning");
    default:
        return QString();
    }
}

QSize ProgressIndicatorCell::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (index.column() != VerificationRowModel::StatusColumn)
        return QStyledItemDelegate::sizeHint(option, index);
    return QSize(ImageSize + 16, ImageSize + 4);
}
