#include "model/DatabaseFile.h"
#include "support/CliProcess.h"
#include "support/DatabaseBuilder.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

LinkFields partner(const QString &title, LinkStatus status, QDate changed)
{
    LinkFields f;
    f.title = title;
    f.URL = QStringLiteral("http://%1.example/").arg(title.toLower());
    f.contactEmail = title.toLower() + QStringLiteral("@example.org");
    f.status = status;
    f.lastStatusChangedOn = changed;
    return f;
}

} // namespace

class TestWorkflowCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_site;

private slots:
    void init()
    {
        DatabaseBuilder db;
        db.emailTemplate(QStringLiteral("Hello"), QStringLiteral("Hi #TITLE#"),
                         QStringLiteral("Dear #TITLE#,\nyes"));
        db.link(partner(QStringLiteral("Zulu"), LinkStatusNegotiating, QDate(2024, 1, 1)));
        db.category(QStringLiteral("Shops"), QStringLiteral("shops"));
        db.link(partner(QStringLiteral("Bravo"), LinkStatusNew, QDate(2024, 1, 1)));
        db.link(partner(QStringLiteral("Alpha"), LinkStatusApproved, QDate(2024, 1, 1)));
        m_site = m_dir.filePath(QStringLiteral("test.site"));
        QVERIFY(DatabaseFile::write(db.store(), m_site));
    }

    void notifications()
    {
        const CliRun run = runCli({"notifications", m_site, "--today", "2024-01-10"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QByteArray("category\tlink\tdate\tnotification\n"
                                     "General\tZulu\t2024-01-06\tNegotiation lasting more than 5 days.\n"));
        QCOMPARE(runCli({"notifications", m_site, "--today", "soon"}).status, 1);
        const CliRun missing = runCli({"notifications", m_dir.filePath("none.site")});
        QCOMPARE(missing.status, 2);
        QCOMPARE(missing.err.count('\n'), 1);
    }

    void find()
    {
        const CliRun run = runCli({"find", m_site, "--any", "status:is:new", "url:contains:ZULU"});
        QCOMPARE(run.status, 0);
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[1].contains("\tGeneral\tZulu\tNegotiating\t"));
        QVERIFY(lines[2].contains("\tShops\tBravo\tNew\t"));

        // Window order within a category: by title, or by status with --sort.
        const QStringList shops{"find", m_site, "category:is:shops"};
        QVERIFY(runCli(shops).out.indexOf("Alpha") < runCli(shops).out.indexOf("Bravo"));
        const CliRun byStatus = runCli(shops + QStringList{"--sort", "status"});
        QVERIFY(byStatus.out.indexOf("Bravo") < byStatus.out.indexOf("Alpha"));

        QCOMPARE(runCli({"find", m_site, "title:is:a", "title:is:b"}).status, 1);
        QCOMPARE(runCli({"find", m_site, "title:contains:"}).status, 1);
        QCOMPARE(runCli({"find", m_site}).status, 1);
    }

    void mailtoChangesNothing()
    {
        const QByteArray before = fileContents(m_site);
        const CliRun list = runCli({"find", m_site, "title:is:bravo"});
        const QString id = QString::fromUtf8(list.out.split('\n').value(1).split('\t').value(0));
        const CliRun run = runCli({"mailto", m_site, id, "--template", "Hello"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out,
                 QByteArray("mailto:bravo@example.org?SUBJECT=Hi%20Bravo&BODY=Dear%20Bravo,%0D%0Ayes\n"));
        QCOMPARE(fileContents(m_site), before);
        QCOMPARE(runCli({"mailto", m_site, id, "--template", "Nope"}).status, 1);
        QCOMPARE(runCli({"mailto", m_site, "LNK1"}).status, 1);
    }

    void importsWriteOnlyAfterAChange()
    {
        const QByteArray before = fileContents(m_site);
        const QString copy = m_dir.filePath(QStringLiteral("copy.site"));
        QVERIFY(QFile::copy(m_site, copy));

        CliRun run = runCli({"import-links", m_site, copy, "--keep"});
        QCOMPARE(run.status, 0);
        QCOMPARE(fileContents(m_site), before);
        run = runCli({"import-links", m_site, copy, "--replace"});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("replaced: 3"));
        QCOMPARE(runCli({"import-links", m_site, copy}).status, 1);
        QCOMPARE(runCli({"import-links", m_site, copy, "--keep", "--replace"}).status, 1);
        const QString junk = m_dir.filePath(QStringLiteral("junk.site"));
        QVERIFY(writeFile(junk, "0102 and nothing else"));
        run = runCli({"import-links", m_site, junk, "--keep"});
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.startsWith(junk.toUtf8() + ": "));

        const QString templates = m_dir.filePath(QStringLiteral("t.emlt"));
        QCOMPARE(runCli({"templates", "export", m_site, templates}).status, 0);
        QCOMPARE(fileContents(templates).size(), 4 + EmailTemplate::RecordSize);
        const QByteArray afterLinks = fileContents(m_site);
        run = runCli({"templates", "import", m_site, templates, "--keep"});
        QCOMPARE(run.status, 0);
        QCOMPARE(fileContents(m_site), afterLinks);
        QCOMPARE(runCli({"templates", "import", m_site, junk, "--keep"}).status, 2);
        QVERIFY(runCli({"templates", "list", m_site}).out.contains("\tHello\tHi #TITLE#"));
    }
};

QTEST_GUILESS_MAIN(TestWorkflowCli)
#include "tst_workflowcli.moc"
