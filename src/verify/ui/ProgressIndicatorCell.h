#pragma once

#include "model/Codes.h"

#include <QStyledItemDelegate>

class VerificationRowModel;

// Draws the verification sheet's status column: the image of the row's result, centred and
// unscaled, with a small warning mark on a link that was found with reservations (not followed,
// or on a page search engines skip). The other columns draw as usual.
class ProgressIndicatorCell : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit ProgressIndicatorCell(const VerificationRowModel *rows, QObject *parent = nullptr);

    static constexpr int ImageSize = 16;
    // The image that shows a result: "verifysuccess", "verifyprogress", "warning", or none.
    static QString imageNameForResult(VerificationResult result);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    const VerificationRowModel *m_rows;
};
