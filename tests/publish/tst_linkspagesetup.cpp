#include "DatabaseBuilder.h"

#include "model/CollectionManager.h"
#include "model/TextUtils.h"
#include "model/UrlOpener.h"
#include "publish/HTMLBuilder.h"
#include "publish/LinksPageSetup.h"
#include "publish/LinksPageStyle.h"
#include "publish/PreviewPage.h"
#include "publish/Themes.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>
#include <functional>

namespace {

QString valueIn(const QList<NamedString> &list, const QString &name)
{
    for (const NamedString &entry : list) {
        if (entry.name() == name)
            return entry.value();
    }
    return QString();
}

QStringList namesOf(const QList<NamedString> &list)
{
    QStringList names;
    for (const NamedString &entry : list)
        names.append(entry.name());
    return names;
}

} // namespace

class TestLinksPageSetup : public QObject
{
    Q_OBJECT

private slots:
    void themesHoldTheirStyleTexts()
    {
        const QStringList keys = {
            "TextStyle",         "EmphasizedTextStyle", "LinkStyle", "EmphasizedLinkStyle",
            "SectionTitleStyle", "SeparatorStyle",      "LIStyle",   "ULStyle"};
        for (int theme = Themes::FirstTheme; theme <= Themes::LastTheme; ++theme) {
            const QList<NamedString> styles = Themes::stylesOfTheme(theme);
            QCOMPARE(namesOf(styles), keys);
            QCOMPARE(valueIn(styles, "ULStyle"), QString("margin-top: 0px; margin-bottom: 10px;"));
        }
        // The Default theme is the generator's defaults.
        for (const LinksPageStyle::Style &style : LinksPageStyle::styles())
            QCOMPARE(valueIn(Themes::stylesOfTheme(Themes::Default), style.key), style.defaultText);
        QCOMPARE(valueIn(Themes::stylesOfTheme(Themes::Plain), "SeparatorStyle"),
                 QString("background-color: #000;"));
        QVERIFY(Themes::stylesOfTheme(0).isEmpty());
        QVERIFY(Themes::stylesOfTheme(6).isEmpty());
        QCOMPARE(Themes::nameOfTheme(Themes::Oblique), QString("Oblique"));
        QCOMPARE(Themes::nameOfTheme(9), QString("Default"));
    }

    void plainThemeGivesEmptyRules()
    {
        DatabaseBuilder db;
        LinksPageSetup setup;
        setup.initializeFromCollectionManager(db.store());
        QVERIFY(setup.loadTheme(Themes::Plain));
        setup.applyTo(db.store());
        const QStringList rules = HTMLBuilder(db.store()).HTMLStylesWithIndent(false).split('\n');
        QCOMPARE(rules.mid(1, 5),
                 QStringList({"\t.qm_text {  }", "\t.qm_emphasized_text {  }", "\t.qm_link {  }",
                              "\t.qm_emphasized_link {  }", "\t.qm_section_title {  }"}));
        QCOMPARE(rules.at(6), QString("\t.qm_separator { background-color: #000; }"));
    }

    void openingStartsFromTheDefaultsAndCarriesOtherNames()
    {
        LinksPageSetup setup;
        setup.initializeFields(
            2, 2, {NamedString("LinkStyle", "color: red;"), NamedString("TargetNew", "NO")}, false, true);
        QCOMPARE(setup.namedStrings().size(), 9);
        QCOMPARE(setup.stringForName("LinkStyle"), QString("color: red;"));
        QCOMPARE(setup.stringForName("TextStyle"), LinksPageStyle::defaultTextForKey("TextStyle"));
        QCOMPARE(setup.stringForName("TargetNew"), QString("NO"));
        QCOMPARE(setup.layout(), 2);
        QCOMPARE(setup.targetNew(), 2);
        QVERIFY(!setup.exportNewLinks() && setup.exportNegotiatingLinks());

        // Opening again forgets the previous working copy.
        setup.initializeFields(1, 1, {}, true, true);
        QCOMPARE(setup.stringForName("LinkStyle"), LinksPageStyle::defaultTextForKey("LinkStyle"));
        QVERIFY(setup.stringForName("TargetNew").isNull());
    }

    void editsAreKeptPerTagOnOneLine()
    {
        LinksPageSetup setup;
        setup.initializeFields(1, 1, {}, true, true);
        setup.saveStyleText(3, "color: blue;\nfont-size: 9px;\r\n\tmargin: 0;");
        QCOMPARE(setup.styleTextForTag(3), QString("color: blue; font-size: 9px;   margin: 0;"));
        QCOMPARE(setup.stringForName("TextStyle"), setup.styleTextForTag(3));
        // The edited key moves to the end of the list, as a new entry.
        QCOMPARE(setup.namedStrings().constLast().name(), QString("TextStyle"));
        const QList<NamedString> before = setup.namedStrings();
        setup.saveStyleText(0, "x");
        setup.saveStyleText(9, "x");
        QCOMPARE(setup.namedStrings(), before);
        setup.saveStyleText(8, QString());
        QCOMPARE(setup.stringForName("ULStyle"), QString(""));
        QVERIFY(!setup.stringForName("ULStyle").isNull());
        QVERIFY(setup.styleTextForTag(0).isNull());

        setup.setString(QString(), "TextStyle");
        setup.setString("v", QString());
        QCOMPARE(setup.namedStrings().size(), 8);
    }

    void aThemeOutsideTheListChangesNothing()
    {
        LinksPageSetup setup;
        setup.initializeFields(1, 1, {NamedString("TextStyle", "mine")}, true, true);
        QVERIFY(!setup.loadTheme(6));
        QCOMPARE(setup.stringForName("TextStyle"), QString("mine"));
        QVERIFY(setup.loadTheme(Themes::Classic));
        QCOMPARE(setup.styleTextForTag(2), QString("background-color: #933;"));
    }

    void confirmingMergesIntoTheDatabase()
    {
        DatabaseBuilder db;
        CollectionManager &store = db.store();
        store.setString("kept", "SomethingElse");
        LinksPageSetup setup;
        setup.initializeFromCollectionManager(store);
        QCOMPARE(setup.targetNew(), 1);
        setup.setLayout(1);
        setup.setTargetNew(2);
        setup.setExportNewLinks(false);
        setup.saveStyleText(1, "color: green;");
        setup.applyTo(store);
        QCOMPARE(store.stringForName("SectionTitleStyle"), QString("color: green;"));
        QCOMPARE(store.stringForName("SomethingElse"), QString("kept"));
        QCOMPARE(store.stringForName("TargetNew"), QString("NO"));
        QCOMPARE(store.stringForName("LIStyle"), LinksPageStyle::defaultTextForKey("LIStyle"));
        QCOMPARE(store.selfInfo().renderMode(), 1);
        QVERIFY(!store.selfInfo().exportNewLinks());
        QVERIFY(store.selfInfo().exportNegotiatingLinks());

        // "NO" survives a second opening and an unchanged confirmation.
        LinksPageSetup again;
        again.initializeFromCollectionManager(store);
        QCOMPARE(again.targetNew(), 2);
        again.applyTo(store);
        QCOMPARE(store.stringForName("TargetNew"), QString("NO"));
    }

    void changesOnlyWhatItWouldWriteDifferently()
    {
        // A database never set up: confirming writes the defaults and "TargetNew".
        DatabaseBuilder db;
        CollectionManager &store = db.store();
        LinksPageSetup setup;
        setup.initializeFromCollectionManager(store);
        QVERIFY(setup.changes(store));
        setup.applyTo(store);
        QVERIFY(!setup.changes(store));
        // The order the store keeps its strings in does not count; each value does.
        QList<NamedString> reversed = store.namedStrings();
        std::reverse(reversed.begin(), reversed.end());
        LinksPageSetup reordered;
        reordered.initializeFields(setup.layout(), setup.targetNew(), reversed, setup.exportNewLinks(),
                                   setup.exportNegotiatingLinks());
        QVERIFY(!reordered.changes(store));
        for (const auto &edit : std::initializer_list<std::function<void(LinksPageSetup &)>>{
                 [](LinksPageSetup &s) { s.saveStyleText(4, QString()); }, // emptied, not missing
                 [](LinksPageSetup &s) { s.setTargetNew(2); },
                 [](LinksPageSetup &s) { s.setLayout(s.layout() == 2 ? 1 : 2); },
                 [](LinksPageSetup &s) { s.setExportNewLinks(!s.exportNewLinks()); },
                 [](LinksPageSetup &s) { s.setExportNegotiatingLinks(!s.exportNegotiatingLinks()); }}) {
            LinksPageSetup edited = setup;
            edit(edited);
            QVERIFY(edited.changes(store));
        }
        // An emptied style is a change against a missing one too.
        LinksPageSetup emptied = setup;
        emptied.saveStyleText(1, QString());
        QList<NamedString> others = emptied.namedStrings();
        others.removeIf([](const NamedString &entry) { return entry.name() == "SectionTitleStyle"; });
        CollectionManager partial;
        partial.setNamedStrings(others);
        partial.setPublishingSettings(emptied.layout(), emptied.exportNewLinks(),
                                      emptied.exportNegotiatingLinks());
        partial.setTargetNew(emptied.targetNew());
        QVERIFY(partial.stringForName("SectionTitleStyle").isNull());
        QVERIFY(emptied.changes(partial));
    }

    void previewFillsEveryPlaceholder()
    {
        const QString sample = TextUtils::stringWithContentsOfResource("preview", "html");
        QVERIFY(!sample.isNull());
        for (const LinksPageStyle::Style &style : LinksPageStyle::styles())
            QVERIFY2(sample.contains("#" + style.key + "#"), qPrintable(style.key));
        LinksPageSetup setup;
        setup.initializeFields(1, 1, {}, true, true);
        setup.loadTheme(Themes::Oblique);
        const QString page = setup.previewHTML(sample);
        QVERIFY(!page.contains(QRegularExpression("#[A-Za-z]+Style#")));
        QVERIFY(page.contains(".qm_separator { background-color: #008C10; }"));
        QCOMPARE(
            setup.previewHTML("#TextStyle##TextStyle#"),
            QString("font-family: Verdana,sans-serif; color: #000; font-size: 12px; font-style: oblique;")
                .repeated(2));
    }

    void previewIsWrittenPrivatelyAndOpened()
    {
        QStandardPaths::setTestModeEnabled(true);
        RecordingUrlOpener opener;
        UrlOpener::setInstance(&opener);
        LinksPageSetup setup;
        setup.initializeFields(1, 1, {}, true, true);
        setup.loadTheme(Themes::Candy);
        QString error;
        QVERIFY2(PreviewPage::show(setup, &error), qPrintable(error));
        UrlOpener::setInstance(nullptr);
        const QString path = PreviewPage::tempFilePath();
        QCOMPARE(QFileInfo(path).fileName(), QString("preview.html"));
        QCOMPARE(QFileInfo(path).dir().dirName(), QString("Quillmarsh Temporary Files"));
        QCOMPARE(QFile::permissions(QFileInfo(path).path()) &
                     (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup),
                 QFile::Permissions());
        QCOMPARE(opener.urls(), QList<QUrl>({QUrl::fromLocalFile(path)}));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), setup.previewHTML(PreviewPage::samplePage()));
    }
};

QTEST_MAIN(TestLinksPageSetup)
#include "tst_linkspagesetup.moc"
