#include "model/UrlOpener.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The desktop's opener against a desktop set up in a temporary folder: a browser that records the
// address it was given, and no mail program.
class TestUrlOpener : public QObject
{
    Q_OBJECT

    void writeFile(const QString &path, const QByteArray &contents, bool executable = false)
    {
        QFile file(m_folder.filePath(path));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
        file.close();
        if (executable)
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    }

    void writeApplication(const QString &name, const QByteArray &program, const QByteArray &scheme)
    {
        writeFile(QStringLiteral("data/applications/") + name + QStringLiteral(".desktop"),
                  "[Desktop Entry]\nType=Application\nName=" + name.toUtf8() +
                      "\nExec=" + m_folder.filePath(QString::fromUtf8(program)).toUtf8() +
                      " %u\nMimeType=x-scheme-handler/" + scheme + ";\n");
    }

private slots:
    void initTestCase()
    {
        // Before anything asks the desktop: its registry is read once.
        QVERIFY(QDir(m_folder.path()).mkpath(QStringLiteral("data/applications")));
        QVERIFY(QDir(m_folder.path()).mkpath(QStringLiteral("config")));
        for (const char *variable : {"XDG_DATA_HOME", "XDG_DATA_DIRS"})
            qputenv(variable, m_folder.filePath(QStringLiteral("data")).toUtf8());
        for (const char *variable : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
            qputenv(variable, m_folder.filePath(QStringLiteral("config")).toUtf8());
        writeFile(QStringLiteral("browser.sh"),
                  "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/opened.tmp\"\n"
                  "mv \"$(dirname \"$0\")/opened.tmp\" \"$(dirname \"$0\")/opened\"\n",
                  true);
        writeApplication(QStringLiteral("Recorder"), "browser.sh", "http");
        // The user's choices, as the desktop's settings write them.
        writeFile(QStringLiteral("config/mimeapps.list"),
                  "[Default Applications]\nx-scheme-handler/http=Recorder.desktop\n");
    }

    void handsOverOrSaysWhyNot()
    {
        UrlOpener &opener = UrlOpener::instance();
        const QString opened = m_folder.filePath(QStringLiteral("opened"));
        QVERIFY(opener.openUrl(QUrl(QStringLiteral("http://www.partner.example/links?a=1&b=2"))));
        QVERIFY(opener.errorString().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(opened), 10000);
        QFile file(opened);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("http://www.partner.example/links?a=1&b=2"));

        QVERIFY(!opener.openUrl(QUrl(QStringLiteral("mailto:jane@blue.example?SUBJECT=Hi"))));
        QCOMPARE(opener.errorString(), QStringLiteral("No e-mail program is set up to write messages."));

        QVERIFY(!opener.openUrl(QUrl(QStringLiteral("gopher://old.example/"))));
        QCOMPARE(opener.errorString(), QStringLiteral("No program is set up to open \"gopher:\" addresses."));
    }

private:
    QTemporaryDir m_folder;
};

QTEST_GUILESS_MAIN(TestUrlOpener)
#include "tst_urlopener.moc"
