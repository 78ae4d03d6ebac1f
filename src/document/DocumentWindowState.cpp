#include "DocumentWindowState.h"

#include "DetailsView.h"
#include "DocumentMenus.h"
#include "LinkListController.h"
#include "MyDocument.h"
#include "gui/RightClickTableView.h"
#include "gui/WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QLayout>
#include <QScreen>
#include <QSplitter>
#include <QTimer>

namespace {

// After the window manager has decorated a new window, how long its frame may take to settle where
// it was put (20 ms steps).
constexpr int FrameAttempts = 25;
constexpr int FrameAttemptInterval = 20;

QRect mainScreenGeometry()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

// The available area of the screen the user works on: the active window's, else the main one.
QRect workingArea()
{
    const QWidget *active = QApplication::activeWindow();
    const QScreen *screen = active && active->screen() ? active->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

DocumentWindowState::DocumentWindowState(MyDocument *document) : QObject(document), m_document(document)
{
    document->installEventFilter(this);
    connect(document->splitView(), &QSplitter::splitterMoved, this, &DocumentWindowState::recordSplitViews);
    connect(document->secondarySplitView(), &QSplitter::splitterMoved, this,
            &DocumentWindowState::recordSplitViews);
    connect(
        document->linksTable()->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section) {
            if (section == LinkListController::NameColumn || section == LinkListController::DescriptionColumn)
                recordColumnWidths();
        });
    connect(document->linkListController(), &LinkListController::columnsChanged, this,
            &DocumentWindowState::recordLinkListColumns);
    connect(document->linkListController(), &LinkListController::sortChanged, this, [this] {
        const LinkListController *links = m_document->linkListController();
        m_document->collectionManager().setLinkSort(links->sortCriterion(), links->sortDescending());
    });
}

// ---------------------------------------------------------------- the stored convention

QRectF DocumentWindowState::savedFrameFromWindowFrame(const QRect &frame, const QRect &mainScreen)
{
    if (frame.isNull())
        return QRectF();
    return QRectF(frame.x(), frame.y() - mainScreen.y(), frame.width(), frame.height());
}

QRect DocumentWindowState::windowFrameFromSavedFrame(const QRectF &saved, const QRect &mainScreen)
{
    if (saved.isNull())
        return QRect();
    return QRect(qRound(saved.x()), mainScreen.y() + qRound(saved.y()), qRound(saved.width()),
                 qRound(saved.height()));
}

void DocumentWindowState::takeStoredState()
{
    const CollectionManager &store = m_document->collectionManager();
    m_savedFrame = store.windowFrame();
    m_savedSplitterPosition = store.splitterPosition();
    m_savedDetailsCollapsed = store.detailsCollapsed();
    m_savedColumnWidths = store.columnWidths();
    m_savedSortColumn = store.linkSortColumn();
    m_savedSortDescending = store.linkSortDescending();
    m_savedLinkListColumns = store.linkListColumns();
    m_savedLinkListColumnWidths = store.linkListColumnWidths();
}

// ---------------------------------------------------------------- placing and applying

QRect DocumentWindowState::placedFrame(QRect *area) const
{
    const QSize minimum = m_document->minimumSize().grownBy(WindowPlacement::decorationMargins(m_document));
    QRect frame = windowFrameFromSavedFrame(m_savedFrame, mainScreenGeometry());
    *area = frame.isNull() ? QRect() : WindowPlacement::availableAreaHolding(frame);
    // A new database, or a frame on a screen that is no longer attached.
    if (area->isNull()) {
        *area = workingArea();
        frame = WindowPlacement::defaultDocumentFrame(*area, minimum);
    }
    frame = WindowPlacement::clampedFrame(frame, *area, minimum);
    QList<QPoint> others;
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (const QWidget *window : windows) {
        if (window != m_document && window->isVisible() && qobject_cast<const MyDocument *>(window))
            others.append(window->frameGeometry().topLeft());
    }
    return WindowPlacement::cascadedFrame(frame, others, *area, CascadeStep);
}

void DocumentWindowState::windowWillShow()
{
    if (m_placed)
        return;
    m_placed = true;
    // Before the first showing, so that the frame, title bar included, goes exactly there.
    m_placedFrame = placedFrame(&m_placedArea);
    WindowPlacement::setFrame(m_document, m_placedFrame);
}

void DocumentWindowState::windowShown()
{
    if (m_shown)
        return;
    m_shown = true;
    applySplitViewsAndColumns();
    WindowPlacement::whenDecorated(m_document, [this] {
        // With the real decoration the minimum frame may be larger than estimated: still inside.
        const QSize minimum =
            m_document->minimumSize().grownBy(WindowPlacement::decorationMargins(m_document));
        m_placedFrame = WindowPlacement::clampedFrame(m_placedFrame, m_placedArea, minimum);
        waitForFrame(FrameAttempts);
    });
}

void DocumentWindowState::waitForFrame(int attemptsLeft)
{
    // The size given before the first showing was only as good as the estimate of the decoration:
    // with the real one known, the frame gets the placed size, keeping its top left corner.
    const bool settled = m_document->frameGeometry() == m_placedFrame || m_document->isMaximized() ||
                         m_document->isFullScreen() || m_document->isMinimized();
    if (!settled && attemptsLeft == FrameAttempts)
        WindowPlacement::setFrame(m_document, m_placedFrame);
    if (settled || attemptsLeft <= 0 || m_document->frameGeometry() == m_placedFrame) {
        startRecording();
        return;
    }
    QTimer::singleShot(FrameAttemptInterval, this, [this, attemptsLeft] { waitForFrame(attemptsLeft - 1); });
}

void DocumentWindowState::applySplitViewsAndColumns()
{
    if (QLayout *windowLayout = m_document->layout())
        windowLayout->activate();
    if (m_savedSplitterPosition > 0)
        setSplitterPosition(m_savedSplitterPosition);
    if (m_savedDetailsCollapsed)
        setDetailsCollapsed(true);
    LinkListController *links = m_document->linkListController();
    links->setColumns(m_savedLinkListColumns, std::nullopt);
    if (m_savedColumnWidths)
        links->setColumnWidths(m_savedColumnWidths);
    // The widths of every column, where the file has them, over the older two.
    if (m_savedLinkListColumnWidths)
        links->setColumns(m_savedLinkListColumns, m_savedLinkListColumnWidths);
    if (m_savedSortColumn >= 0 &&
        (links->sortCriterion() != m_savedSortColumn || links->sortDescending() != m_savedSortDescending))
        links->sortLinksByColumn(m_savedSortColumn, m_savedSortDescending);
    m_document->menus()->action(ActionId::ToggleDetails)->setChecked(!isDetailsCollapsed());
}

void DocumentWindowState::startRecording()
{
    // The frame is final now; the divider, columns and pane go where they were stored.
    applySplitViewsAndColumns();
    m_recording = true;
    // A database that never had a window: what it shows now is its window state.
    if (m_savedFrame.isNull())
        recordAll();
}

// ---------------------------------------------------------------- the split views

double DocumentWindowState::splitterPosition() const
{
    const QList<int> sizes = m_document->splitView()->sizes();
    return sizes.isEmpty() ? 0.0 : sizes.first();
}

void DocumentWindowState::setSplitterPosition(double position)
{
    QSplitter *split = m_document->splitView();
    const int total = split->width();
    const int p = int(position);
    if (total > split->handleWidth() + p)
        split->setSizes({p, total - p - split->handleWidth()});
}

bool DocumentWindowState::isDetailsCollapsed() const
{
    const QList<int> sizes = m_document->secondarySplitView()->sizes();
    return sizes.size() == 2 && sizes.at(1) == 0;
}

int DocumentWindowState::detailsPaneHeight(int available, int linkListMinimum)
{
    return qBound(DetailsView::MinimumPaneHeight, available - linkListMinimum, int(DetailsView::PaneHeight));
}

void DocumentWindowState::setDetailsCollapsed(bool collapsed)
{
    QSplitter *split = m_document->secondarySplitView();
    const int total = split->height() - split->handleWidth();
    const int details = collapsed ? 0 : detailsPaneHeight(total, m_document->linksTable()->minimumHeight());
    split->setSizes({total - details, details});
    recordSplitViews();
}

void DocumentWindowState::fitDetailsPane()
{
    // The split view shrinks the pane when the link list reaches its minimum, but never grows it
    // again: it gets its height back when the window has room for it.
    if (isDetailsCollapsed())
        return;
    QSplitter *split = m_document->secondarySplitView();
    const int total = split->height() - split->handleWidth();
    const int details = detailsPaneHeight(total, m_document->linksTable()->minimumHeight());
    if (split->sizes().value(1) != details)
        split->setSizes({total - details, details});
}

// ---------------------------------------------------------------- recording

bool DocumentWindowState::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_document) {
        switch (event->type()) {
        case QEvent::Show:
            windowShown();
            break;
        case QEvent::Move:
            recordFrame();
            break;
        case QEvent::Resize:
            // The window's layout has already given the split views their new sizes.
            fitDetailsPane();
            recordFrame();
            recordSplitViews();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void DocumentWindowState::recordAll()
{
    recordFrame();
    recordSplitViews();
    recordColumnWidths();
    recordLinkListColumns();
}

void DocumentWindowState::recordFrame()
{
    // A maximised or full-screen window keeps the frame it returns to.
    if (!m_recording || !m_document->isVisible() || m_document->isMinimized() || m_document->isMaximized() ||
        m_document->isFullScreen())
        return;
    m_document->collectionManager().setWindowFrame(
        savedFrameFromWindowFrame(m_document->frameGeometry(), mainScreenGeometry()));
}

void DocumentWindowState::recordSplitViews()
{
    const bool collapsed = isDetailsCollapsed();
    m_document->menus()->action(ActionId::ToggleDetails)->setChecked(!collapsed);
    if (!m_recording)
        return;
    CollectionManager &store = m_document->collectionManager();
    store.setSplitterPosition(splitterPosition());
    store.setDetailsCollapsed(collapsed);
}

void DocumentWindowState::recordColumnWidths()
{
    if (m_recording)
        m_document->collectionManager().setColumnWidths(m_document->linkListController()->columnWidths());
}

void DocumentWindowState::recordLinkListColumns()
{
    if (!m_recording)
        return;
    const LinkListController *links = m_document->linkListController();
    m_document->collectionManager().setLinkListColumns(links->shownColumns(), links->shownColumnWidths());
}
