#pragma once

#include "publish/NameValuePair.h"
#include "workflow/LatestCheck.h"

#include <QColor>
#include <QList>
#include <QWidget>

class CollectionManager;

// The statistics chart on screen: the pie and its legend on a white sheet, as on paper. The
// distribution is counted once when a view is chosen, not at every repaint.
class StatisticsView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int SheetMargin = 12;

    explicit StatisticsView(QWidget *parent = nullptr);

    // Counts the distribution of `view` (0 latest verification results, 1 link statuses, 2 original
    // requests) in the database and shows it.
    void setView(const CollectionManager *collectionManager, int view, const RecordedChecks &recorded = {});
    int selectedView() const { return m_selectedView; }
    const QList<NameValuePair> &numbers() const { return m_numbers; }
    // The chart's size without the sheet's margin: what a copy of it holds.
    QSizeF chartSize() const;

    // Wide enough for the pie and the whole legend beside it.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont legendFont() const;

    int m_selectedView = 0;
    qreal m_legendWidth = 0;
    QList<NameValuePair> m_numbers;
    QList<QColor> m_colors;
};
