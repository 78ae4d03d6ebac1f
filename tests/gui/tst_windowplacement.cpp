// Where windows go on the screen: the frame arithmetic, without windows.
#include "gui/WindowPlacement.h"

#include <QTest>

using namespace WindowPlacement;

class TestWindowPlacement : public QObject
{
    Q_OBJECT

private slots:
    void frameAndGeometryAreEachOthersInverse();
    void frameIsClampedIntoTheArea();
    void newDocumentTakesThreeQuartersOfTheArea();
    void windowsOnTheSameSpotCascade();
    void helpAndAlertsGoWhereTheyAreSeen();
};

void TestWindowPlacement::frameAndGeometryAreEachOthersInverse()
{
    // A window manager's decoration: a 20-pixel title bar, thin borders, a grip at the bottom.
    const QMargins decoration(1, 20, 1, 5);
    const QRect frame(200, 125, 1200, 750);
    QCOMPARE(geometryForFrame(frame, decoration), QRect(201, 145, 1198, 725));
    // Saving the frame and restoring the window from it, ten times over, goes nowhere.
    QRect saved = frame;
    for (int run = 0; run < 10; ++run)
        saved = frameForGeometry(geometryForFrame(saved, decoration), decoration);
    QCOMPARE(saved, frame);
    QCOMPARE(geometryForFrame(frame, QMargins()), frame);
}

void TestWindowPlacement::frameIsClampedIntoTheArea()
{
    const QRect area(0, 30, 1600, 970); // a panel along the top of a 1600 x 1000 screen
    // Inside: unchanged.
    QCOMPARE(clampedFrame(QRect(100, 100, 800, 600), area), QRect(100, 100, 800, 600));
    // Above the panel (the title bar would be under it) and off the right edge.
    QCOMPARE(clampedFrame(QRect(1200, 2, 800, 600), area), QRect(800, 30, 800, 600));
    // Off the bottom and the left.
    QCOMPARE(clampedFrame(QRect(-300, 900, 800, 600), area), QRect(0, 400, 800, 600));
    // Larger than the area (a window saved on a larger screen, or at scale 2): the area's size.
    QCOMPARE(clampedFrame(QRect(-50, -50, 3000, 2000), area), area);
    // Even larger than that at its minimum: the top left corner, and so the title bar, stays.
    QCOMPARE(clampedFrame(QRect(500, 500, 3000, 2000), area, QSize(1700, 1000)), QRect(0, 30, 1700, 1000));
    // No screen: nothing to clamp to.
    QCOMPARE(clampedFrame(QRect(5, 5, 10, 10), QRect()), QRect(5, 5, 10, 10));
}

void TestWindowPlacement::newDocumentTakesThreeQuartersOfTheArea()
{
    const QSize minimum(520, 480);
    QCOMPARE(defaultDocumentFrame(QRect(0, 0, 1600, 1000), minimum), QRect(200, 125, 1200, 750));
    // A second screen with a panel: centred in that screen's area.
    QCOMPARE(defaultDocumentFrame(QRect(1600, 40, 1280, 984), minimum), QRect(1760, 163, 960, 738));
    // At scale 2 a 1600 x 1000 screen is 800 x 500: the minimum height wins over three quarters.
    QCOMPARE(defaultDocumentFrame(QRect(0, 0, 800, 500), minimum), QRect(100, 10, 600, 480));
    // Smaller than the minimum: the minimum, from the top left corner.
    QCOMPARE(defaultDocumentFrame(QRect(0, 20, 400, 300), minimum), QRect(0, 20, 520, 480));
}

void TestWindowPlacement::windowsOnTheSameSpotCascade()
{
    const QRect area(0, 0, 1600, 1000);
    const QRect frame(200, 125, 1200, 750);
    // Nothing there: stays.
    QCOMPARE(cascadedFrame(frame, {}, area, 28), frame);
    QCOMPARE(cascadedFrame(frame, {QPoint(600, 400)}, area, 28), frame);
    // One window there (give or take a few pixels), then two.
    QCOMPARE(cascadedFrame(frame, {QPoint(203, 124)}, area, 28), frame.translated(28, 28));
    QCOMPARE(cascadedFrame(frame, {QPoint(200, 125), QPoint(228, 153)}, area, 28), frame.translated(56, 56));
    // The next step would leave the area: back to its top left corner.
    QList<QPoint> corners;
    for (int i = 0; i <= 8; ++i)
        corners.append(QPoint(200 + 28 * i, 125 + 28 * i));
    QCOMPARE(cascadedFrame(frame, corners, area, 28).topLeft(), QPoint(0, 0));
    // A window as large as the area has one place; taken, it stays there rather than loop.
    QCOMPARE(cascadedFrame(area, {QPoint(0, 0)}, area, 28), area);
}

void TestWindowPlacement::helpAndAlertsGoWhereTheyAreSeen()
{
    const QRect area(0, 0, 1600, 1000);
    const QSize help(720, 600);
    // Room on the right.
    QCOMPARE(helpFrame(QRect(50, 100, 600, 400), help, area), QRect(658, 100, 720, 600));
    // None on the right, some on the left.
    QCOMPARE(helpFrame(QRect(850, 100, 700, 400), help, area), QRect(122, 100, 720, 600));
    // Neither side holds it whole: narrower, on the roomier side (a dialog in the middle).
    QCOMPARE(helpFrame(QRect(600, 300, 390, 330), help, area), QRect(998, 300, 602, 600));
    QCOMPARE(helpFrame(QRect(700, 300, 390, 330), help, area), QRect(0, 300, 692, 600));
    // No side has room even for that: centred on it, and kept on the screen.
    QCOMPARE(helpFrame(QRect(200, 125, 1200, 750), help, area), QRect(440, 200, 720, 600));
    QCOMPARE(helpFrame(QRect(300, 700, 1000, 300), help, area), QRect(440, 400, 720, 600));
    // Nobody asked: the alert position of the screen.
    QCOMPARE(helpFrame(QRect(), help, area), QRect(440, 100, 720, 600));
    // A small screen (scale 2): no taller than the screen, and narrower to stand beside the window.
    QCOMPARE(helpFrame(QRect(0, 0, 300, 300), help, QRect(0, 0, 800, 500)), QRect(308, 0, 492, 500));

    // Alerts split the free space 1 : 1 across and 1 : 3 down, the rest below; the corner stays on screen.
    QCOMPARE(alertPosition(QRect(0, 0, 1000, 800), QSize(600, 400)), QPoint(200, 100));
    QCOMPARE(alertPosition(QRect(1920, 30, 1000, 800), QSize(600, 400)), QPoint(2120, 130));
    QCOMPARE(alertPosition(QRect(0, 0, 101, 103), QSize(100, 100)), QPoint(0, 1));
    QCOMPARE(alertPosition(QRect(10, 20, 300, 200), QSize(600, 400)), QPoint(10, 20));
}

QTEST_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
