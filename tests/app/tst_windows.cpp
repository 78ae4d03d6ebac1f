// The small windows of the application: the about box with its system information, the read-me
// viewer, the help window and the tutorial.
#include "app/AboutBoxView.h"
#include "app/AboutDialogController.h"
#include "app/ApplicationController.h"
#include "app/HelpWindow.h"
#include "app/ReadMeController.h"
#include "app/SystemInformation.h"
#include "gui/HelpBook.h"
#include "gui/MessageBox.h"
#include "gui/WindowPlacement.h"
#include "model/Preferences.h"
#include "model/UrlOpener.h"

#include <QDialog>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "TestData.h"

class TestWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void clockAndMemoryTexts();
    void cpuInfoParsing();
    void runningSystemIsDescribed();
    void aboutBoxClosesOnEscapeAfterTheMinimumTime();
    void aboutBoxClosesOnAClickAndFadesInTenSteps();
    void aboutBoxRunsModal();

    void alertPositionSplitsFreeSpaceThreeToOne();
    void readMeShowsTextAndEscapeCloses();
    void readMePrintsWithOneInchMargins();

    void everyHelpAnchorOfTheProgramIsInTheBook();
    void helpWindowOpensAtTheAnchorAndSendsWebLinksToTheBrowser();
    void helpWindowOpensBesideTheWindowThatAsked();
    void windowsAreKeptInsideTheScreen();
    void tutorialIsWrittenToThePrivateFolderAndOpened();

private:
    QTemporaryDir m_dir;
    RecordingUrlOpener m_opener;
};

void TestWindows::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QStandardPaths::setTestModeEnabled(true); // the tutorial goes to a test cache, not the user's
    Preferences::useSettingsFile(m_dir.filePath(QStringLiteral("settings.ini")));
    MessageBox::setScripted(true);
    UrlOpener::setInstance(&m_opener);
}

void TestWindows::clockAndMemoryTexts()
{
    QCOMPARE(SystemInformation::clockSpeedString(867), QStringLiteral("867 MHz"));
    QCOMPARE(SystemInformation::clockSpeedString(999), QStringLiteral("999 MHz"));
    QCOMPARE(SystemInformation::clockSpeedString(1000), QStringLiteral("1 GHz"));
    QCOMPARE(SystemInformation::clockSpeedString(2000), QStringLiteral("2 GHz"));
    QCOMPARE(SystemInformation::clockSpeedString(1250), QStringLiteral("1.25 GHz"));
    QCOMPARE(SystemInformation::clockSpeedString(2096), QStringLiteral("2.1 GHz"));
    QCOMPARE(SystemInformation::memoryString(512), QStringLiteral("512 MB RAM"));
    QCOMPARE(SystemInformation::memoryString(1023), QStringLiteral("1023 MB RAM"));
    QCOMPARE(SystemInformation::memoryString(1024), QStringLiteral("1 GB RAM"));
    QCOMPARE(SystemInformation::memoryString(1536), QStringLiteral("1.5 GB RAM"));
    QCOMPARE(SystemInformation::cpuString({2, 2000, QStringLiteral("Intel")}),
             QString::fromUtf8("2 \u00D7 2 GHz Intel"));
    QCOMPARE(SystemInformation::cpuString({4, 0, QStringLiteral("arm64")}),
             QString::fromUtf8("4 \u00D7 arm64"));
}

void TestWindows::cpuInfoParsing()
{
    const QString amd = QStringLiteral("processor\t: 0\nvendor_id\t: AuthenticAMD\ncpu MHz\t\t: 2096.031\n\n"
                                       "processor\t: 1\nvendor_id\t: AuthenticAMD\ncpu MHz\t\t: 1500.000\n");
    SystemInformation::Processor processor = SystemInformation::parseCpuInfo(amd);
    QCOMPARE(processor.count, 2);
    QCOMPARE(processor.megahertz, 2096); // the first processor's clock
    QCOMPARE(processor.familyName, QStringLiteral("AMD"));
    processor = SystemInformation::parseCpuInfo(QStringLiteral("processor : 0\nvendor_id : GenuineIntel\n"));
    QCOMPARE(processor.familyName, QStringLiteral("Intel"));
    QCOMPARE(processor.megahertz, 0);
    // ARM boards name no vendor and no clock here.
    processor = SystemInformation::parseCpuInfo(
        QStringLiteral("processor\t: 0\nBogoMIPS\t: 48.00\nCPU part\t: 0xd08\n"));
    QCOMPARE(processor.count, 1);
    QVERIFY(processor.familyName.isEmpty());
    QCOMPARE(SystemInformation::parseCpuInfo(QString()).count, 0);
}

void TestWindows::runningSystemIsDescribed()
{
    QVERIFY(!SystemInformation::operatingSystemString().isEmpty());
    const QString hardware = SystemInformation::hardwareInformationString();
    QVERIFY2(QRegularExpression(QString::fromUtf8("^\\d+ \u00D7 .+, [\\d.]+ [MG]B RAM$"))
                 .match(hardware)
                 .hasMatch(),
             qPrintable(hardware));
}

void TestWindows::aboutBoxClosesOnEscapeAfterTheMinimumTime()
{
    AboutDialogController about;
    QSignalSpy finished(&about, &QDialog::finished);
    QElapsedTimer clock;
    about.showSplash();
    clock.start();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(about.size(), QSize(520, 300));
    QTest::keyClick(about.view(), Qt::Key_Escape);
    QVERIFY(about.isClosing());
    QTest::qWait(300);
    QVERIFY(about.isVisible()); // stays up for at least 0.67 s
    QTRY_VERIFY_WITH_TIMEOUT(!about.isVisible(), 3000);
    QVERIFY(clock.elapsed() >= AboutDialogController::MinimumShowTime);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(about.windowOpacity(), 1.0); // ready for the next showing
}

void TestWindows::aboutBoxClosesOnAClickAndFadesInTenSteps()
{
    AboutDialogController about;
    about.showSplash();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::qWait(AboutDialogController::MinimumShowTime);
    QList<qreal> opacities;
    QTimer sampler;
    connect(&sampler, &QTimer::timeout, this, [&] {
        if (about.isVisible() && (opacities.isEmpty() || opacities.last() != about.windowOpacity()))
            opacities.append(about.windowOpacity());
    });
    sampler.start(5);
    QTest::mouseClick(about.view(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!about.isVisible(), 2000);
    QVERIFY2(opacities.size() <= 10, qPrintable(QString::number(opacities.size())));
    QVERIFY(opacities.size() >= 2); // it did fade rather than vanish
    QVERIFY(std::is_sorted(opacities.rbegin(), opacities.rend()));
}

void TestWindows::aboutBoxRunsModal()
{
    ApplicationController application;
    bool wasModal = false;
    QTimer::singleShot(50, this, [&] {
        wasModal = ApplicationController::isModalDialogRunning();
        QTest::keyClick(application.aboutDialog()->view(), Qt::Key_Escape);
    });
    QElapsedTimer clock;
    clock.start();
    application.doAbout();
    QVERIFY(wasModal);
    QVERIFY(clock.elapsed() >= AboutDialogController::MinimumShowTime);
    QVERIFY(!application.aboutDialog()->isVisible());
}

void TestWindows::alertPositionSplitsFreeSpaceThreeToOne()
{
    // 400 free pixels across, 400 down: 200 either side, 100 above and 300 below.
    QCOMPARE(WindowPlacement::alertPosition(QRect(0, 0, 1000, 800), QSize(600, 400)), QPoint(200, 100));
    // An area that does not start at the origin (a panel at the top, a second screen).
    QCOMPARE(WindowPlacement::alertPosition(QRect(1920, 30, 1000, 800), QSize(600, 400)), QPoint(2120, 130));
    // Odd free space: the rounding gives the larger part to the space below.
    QCOMPARE(WindowPlacement::alertPosition(QRect(0, 0, 101, 103), QSize(100, 100)), QPoint(0, 1));
    // Larger than the area: the top left corner stays visible.
    QCOMPARE(WindowPlacement::alertPosition(QRect(10, 20, 300, 200), QSize(600, 400)), QPoint(10, 20));
}

void TestWindows::readMeShowsTextAndEscapeCloses()
{
    ReadMeController readMe;
    QVERIFY(readMe.textView()->isReadOnly());
    QVERIFY(readMe.textView()->toPlainText().contains(QLatin1String("Quillmarsh 1.0")));
    readMe.showWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&readMe));
    // Ordinary keys move in the text; Escape closes the window.
    QTest::keyClick(readMe.textView(), Qt::Key_PageDown);
    QVERIFY(readMe.isVisible());
    QTest::keyClick(readMe.textView(), Qt::Key_Escape);
    QVERIFY(!readMe.isVisible());
}

void TestWindows::readMePrintsWithOneInchMargins()
{
    ReadMeController readMe;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = m_dir.filePath(QStringLiteral("readme.pdf"));
    printer.setOutputFileName(path);
    readMe.printDocument(&printer);
    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.contains("/Type /Page"));
}

void TestWindows::everyHelpAnchorOfTheProgramIsInTheBook()
{
    // Every anchor the program's sources ask for.
    QSet<QString> wanted;
    const QRegularExpression pattern(QStringLiteral("\"(Quillmarsh[A-Z][A-Za-z]+)\""));
    QDirIterator sources(QStringLiteral(QM_SOURCE_DIR "/src"),
                         {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                         QDirIterator::Subdirectories);
    while (sources.hasNext()) {
        QFile file(sources.next());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QRegularExpressionMatchIterator it = pattern.globalMatch(QString::fromUtf8(file.readAll()));
        while (it.hasNext())
            wanted.insert(it.next().captured(1));
    }
    QVERIFY(wanted.contains(QStringLiteral("QuillmarshPreferences")));
    for (const char *anchor :
         {"QuillmarshIntro", "QuillmarshVerify", "QuillmarshPreferences", "QuillmarshShortcuts",
          "QuillmarshEULA", "QuillmarshCategories", "QuillmarshEditSiteInfo", "QuillmarshEmailTemplates",
          "QuillmarshInstantLink", "QuillmarshLinkCountStatistics", "QuillmarshLinksPageSetup",
          "QuillmarshNewEditLink", "QuillmarshNewLinksDatabase", "QuillmarshNotifications",
          "QuillmarshSearch"})
        wanted.insert(QString::fromLatin1(anchor));

    for (const QString &anchor : std::as_const(wanted)) {
        QVERIFY2(HelpBook::anchors().contains(anchor), qPrintable(anchor));
        const QUrl url = HelpBook::urlForAnchor(anchor);
        QCOMPARE(url.fragment(), anchor);
        QFile page(QLatin1Char(':') + url.path());
        QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(url.toString()));
        QVERIFY(page.readAll().contains(QStringLiteral("name=\"%1\"").arg(anchor).toUtf8()));
    }
    QCOMPARE(HelpBook::urlForAnchor(QStringLiteral("QuillmarshNoSuchTopic")), HelpBook::contentsUrl());
}

void TestWindows::helpWindowOpensAtTheAnchorAndSendsWebLinksToTheBrowser()
{
    HelpWindow window;
    window.showAnchor(QStringLiteral("QuillmarshVerify"));
    QCOMPARE(window.currentUrl(), HelpBook::urlForAnchor(QStringLiteral("QuillmarshVerify")));
    QVERIFY(window.windowTitle().contains(QLatin1String("Verifying")));
    auto *browser = window.findChild<QTextBrowser *>();
    QVERIFY(browser->toPlainText().contains(QLatin1String("Reciprocal link cannot be found.")));

    // A link to another page of the book stays in the window; a web address goes to the browser.
    const qsizetype opened = m_opener.urls().size();
    emit browser->anchorClicked(QUrl(QStringLiteral("preferences.html#QuillmarshPreferences")));
    QCOMPARE(window.currentUrl(), HelpBook::urlForAnchor(QStringLiteral("QuillmarshPreferences")));
    QCOMPARE(m_opener.urls().size(), opened);
    emit browser->anchorClicked(QUrl(QStringLiteral("https://www.example.org/")));
    QCOMPARE(m_opener.urls().size(), opened + 1);
    QCOMPARE(window.currentUrl(), HelpBook::urlForAnchor(QStringLiteral("QuillmarshPreferences")));
}

void TestWindows::helpWindowOpensBesideTheWindowThatAsked()
{
    ApplicationController application;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget narrow;
    narrow.setGeometry(area.x() + 20, area.y() + 40, 200, 300);
    narrow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&narrow));
    HelpWindow *help = application.helpWindow();
    HelpBook::showHelp(QStringLiteral("QuillmarshVerify"), &narrow);
    QVERIFY(QTest::qWaitForWindowExposed(help));
    // On its right, level with it.
    QVERIFY(help->frameGeometry().left() > narrow.frameGeometry().right());
    QCOMPARE(help->frameGeometry().top(), narrow.frameGeometry().top());
    help->close();
}

void TestWindows::windowsAreKeptInsideTheScreen()
{
    ApplicationController application;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    // Larger than the screen (a dialog at scale 2): as large as the screen, title bar inside.
    QDialog large;
    large.resize(area.width() + 400, area.height() + 300);
    large.show();
    QVERIFY(QTest::qWaitForWindowExposed(&large));
    QTRY_COMPARE(large.frameGeometry(), area);
}

void TestWindows::tutorialIsWrittenToThePrivateFolderAndOpened()
{
    ApplicationController application;
    MessageBox::clearShownAlerts();
    application.showTutorial();
    QVERIFY(MessageBox::shownAlerts().isEmpty());
    const QUrl url = m_opener.urls().last();
    QVERIFY(url.isLocalFile());
    QFile page(url.toLocalFile());
    QVERIFY(page.open(QIODevice::ReadOnly));
    QVERIFY(page.readAll().contains("Your first link exchange"));
    QCOMPARE(QFileInfo(QFileInfo(page).path()).fileName(), QStringLiteral("Quillmarsh Temporary Files"));
    QVERIFY(!(QFileInfo(QFileInfo(page).path()).permissions() &
              (QFileDevice::ReadOther | QFileDevice::WriteOther)));

    // A browser that cannot be started is reported.
    m_opener.setAnswer(false);
    application.showTutorial();
    m_opener.setAnswer(true);
    QCOMPARE(MessageBox::shownAlerts().size(), 1);
    QCOMPARE(MessageBox::shownAlerts().first().title, QStringLiteral("The tutorial could not be opened."));
}

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
