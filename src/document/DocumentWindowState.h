#pragma once

#include <QList>
#include <QObject>
#include <QRect>
#include <QRectF>
#include <QStringList>
#include <optional>

class MyDocument;

// The window state a document keeps in its file: the window's frame, the width of the category
// list (the splitter position), the link list's column widths and sort order and whether the details
// pane is collapsed. It places the window before it is first shown (the stored frame, or a new window's
// default, kept inside the screen and cascaded off the other documents), applies the stored values
// once the window is on screen, and from then on records every change in the store, so that the
// next save writes it. Recording never marks the document edited.
class DocumentWindowState : public QObject
{
    Q_OBJECT

public:
    // How far each new window sits below and to the right of one on the same spot.
    static constexpr int CascadeStep = 28;

    explicit DocumentWindowState(MyDocument *document);

    // The stored convention: x, width and height are the frame's; y is the distance from the top
    // edge of the main screen down to the frame's top edge, so that a window keeps its distance from
    // the top when the screen's height changes. A null rectangle stays null both ways.
    static QRectF savedFrameFromWindowFrame(const QRect &frame, const QRect &mainScreen);
    static QRect windowFrameFromSavedFrame(const QRectF &saved, const QRect &mainScreen);

    // Takes the state the store has just read from the file, to be applied when the window shows.
    void takeStoredState();
    // Called just before the window becomes visible: the first time, puts it in place.
    void windowWillShow();
    // The stored values are applied and shown; from now on changes are recorded.
    bool isRecording() const { return m_recording; }
    // Records the four values as the window shows them (after the store was read again).
    void recordAll();

    // The details pane's height in a split view of this height (less its divider) when expanded:
    // its own height while the link list keeps its minimum, else what is left, down to the pane's
    // minimum.
    static int detailsPaneHeight(int available, int linkListMinimum);

    double splitterPosition() const;
    void setSplitterPosition(double position);
    bool isDetailsCollapsed() const;
    void setDetailsCollapsed(bool collapsed);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Where the window goes, and the available area it goes into.
    QRect placedFrame(QRect *area) const;
    void windowShown();
    void waitForFrame(int attemptsLeft);
    void applySplitViewsAndColumns();
    void fitDetailsPane();
    void startRecording();
    void recordFrame();
    void recordSplitViews();
    void recordColumnWidths();
    void recordLinkListColumns();

    MyDocument *m_document;
    QRectF m_savedFrame;
    double m_savedSplitterPosition = 0.0;
    std::optional<QList<double>> m_savedColumnWidths;
    std::optional<QStringList> m_savedLinkListColumns;
    std::optional<QList<QPair<QString, int>>> m_savedLinkListColumnWidths;
    int m_savedSortColumn = -1;
    bool m_savedSortDescending = false;
    bool m_savedDetailsCollapsed = false;
    QRect m_placedFrame; // where the window was put before it was first shown
    QRect m_placedArea;
    bool m_placed = false;
    bool m_shown = false;
    bool m_recording = false;
};
