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
        const CliRun run =
            runCli({QStringLiteral("notifications"), m_site, QStringLiteral("--today"), "2024-01-10"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QByteArray("category\tlink\tdate\tnotification\n"
                                     "General\tZulu\t2024-01-06\tNegotiation lasting more than 5 days.\n"));
        QCOMPARE(runCli({QStringLiteral("notifications"), m_site, QStringLiteral("--today"), "soon"}).status,
                 1);
        const CliRun missing =
            runCli({QStringLiteral("notifications"), m_dir.filePath(QStringLiteral("none.site"))});
        QCOMPARE(missing.status, 2);
        QCOMPARE(missing.err.count('\n'), 1);
    }

    void find()
    {
        const CliRun run = runCli({QStringLiteral("find"), m_site, QStringLiteral("--any"),
                                   QStringLiteral("status:is:new"), QStringLiteral("url:contains:ZULU")});
        QCOMPARE(run.status, 0);
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[1].contains("\tGeneral\tZulu\tNegotiating\t"));
        QVERIFY(lines[2].contains("\tShops\tBravo\tNew\t"));

        // Window order within a category: by title, or by status with --sort.
        const QStringList shops{QStringLiteral("find"), m_site, QStringLiteral("category:is:shops")};
        QVERIFY(runCli(shops).out.indexOf("Alpha") < runCli(shops).out.indexOf("Bravo"));
        const CliRun byStatus =
            runCli(shops + QStringList{QStringLiteral("--sort"), QStringLiteral("status")});
        QVERIFY(byStatus.out.indexOf("Bravo") < byStatus.out.indexOf("Alpha"));

        QCOMPARE(runCli({QStringLiteral("find"), m_site, QStringLiteral("title:is:a"),
                         QStringLiteral("title:is:b")})
                     .status,
                 1);
        QCOMPARE(runCli({QStringLiteral("find"), m_site, QStringLiteral("title:contains:")}).status, 1);
        QCOMPARE(runCli({QStringLiteral("find"), m_site}).status, 1);
    }

    void mailtoChangesNothing()
    {
        const QByteArray before = fileContents(m_site);
        const CliRun list = runCli({QStringLiteral("find"), m_site, QStringLiteral("title:is:bravo")});
        const QString id = QString::fromUtf8(list.out.split('\n').value(1).split('\t').value(0));
        const CliRun run = runCli(
            {QStringLiteral("mailto"), m_site, id, QStringLiteral("--template"), QStringLiteral("Hello")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out,
                 QByteArray("mailto:bravo@example.org?SUBJECT=Hi%20Bravo&BODY=Dear%20Bravo,%0D%0Ayes\n"));
        QCOMPARE(fileContents(m_site), before);
        QCOMPARE(runCli({QStringLiteral("mailto"), m_site, id, QStringLiteral("--template"),
                         QStringLiteral("Nope")})
                     .status,
                 1);
        QCOMPARE(runCli({QStringLiteral("mailto"), m_site, QStringLiteral("LNK1")}).status, 1);
    }

    void importsWriteOnlyAfterAChange()
    {
        const QByteArray before = fileContents(m_site);
        const QString copy = m_dir.filePath(QStringLiteral("copy.site"));
        QVERIFY(QFile::copy(m_site, copy));

        CliRun run = runCli({QStringLiteral("import-links"), m_site, copy, QStringLiteral("--keep")});
        QCOMPARE(run.status, 0);
        QCOMPARE(fileContents(m_site), before);
        run = runCli({QStringLiteral("import-links"), m_site, copy, QStringLiteral("--replace")});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("replaced: 3"));
        QCOMPARE(runCli({QStringLiteral("import-links"), m_site, copy}).status, 1);
        QCOMPARE(runCli({QStringLiteral("import-links"), m_site, copy, "--keep", "--replace"}).status, 1);
        const QString junk = m_dir.filePath(QStringLiteral("junk.site"));
        QFile file(junk);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("0102 and nothing else");
        file.close();
        run = runCli({QStringLiteral("import-links"), m_site, junk, QStringLiteral("--keep")});
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.startsWith(junk.toUtf8() + ": "));

        const QString templates = m_dir.filePath(QStringLiteral("t.emlt"));
        QCOMPARE(runCli({QStringLiteral("templates"), QStringLiteral("export"), m_site, templates}).status,
                 0);
        QCOMPARE(fileContents(templates).size(), 4 + EmailTemplate::RecordSize);
        const QByteArray afterLinks = fileContents(m_site);
        run = runCli({QStringLiteral("templates"), QStringLiteral("import"), m_site, templates,
                      QStringLiteral("--keep")});
        QCOMPARE(run.status, 0);
        QCOMPARE(fileContents(m_site), afterLinks);
        QCOMPARE(
            runCli({QStringLiteral("templates"), QStringLiteral("import"), m_site, junk, "--keep"}).status,
            2);
        QVERIFY(runCli({QStringLiteral("templates"), QStringLiteral("list"), m_site})
                    .out.contains("\tHello\tHi #TITLE#"));
    }
};

QTEST_GUILESS_MAIN(TestWorkflowCli)
#include "tst_workflowcli.moc"
