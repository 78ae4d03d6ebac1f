// The licence the program is given under, as the application shows it.
#include "model/TextUtils.h"

#include <QFile>
#include <QTest>
#include <QTextDocument>

#include "TestData.h"

class TestLicence : public QObject
{
    Q_OBJECT

private slots:
    // The help page quotes the licence file word for word, so the two cannot drift apart.
    void helpPageHoldsTheLicenceFile()
    {
        QFile file(QStringLiteral(QM_SOURCE_DIR "/LICENSE"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString licence = QString::fromUtf8(file.readAll());
        QVERIFY(
            licence.contains(QLatin1String("GNU GENERAL PUBLIC LICENSE\n                       Version 3")));

        const QString page =
            TextUtils::stringWithContentsOfResource(QStringLiteral("licence"), QStringLiteral("html"));
        QVERIFY(page.contains(
            QLatin1String("either version 3 of the\nLicense, or (at your option) any later version")));
        const qsizetype start = page.indexOf(QLatin1String("<pre>\n"));
        const qsizetype end = page.indexOf(QLatin1String("</pre>"));
        QVERIFY(start > 0 && end > start);
        QTextDocument quoted;
        quoted.setHtml(QStringLiteral("<pre>") + page.mid(start + 6, end - start - 6) +
                       QStringLiteral("</pre>"));
        QCOMPARE(quoted.toPlainText().trimmed(), licence.trimmed());
    }
};

QTEST_MAIN(TestLicence)
#include "tst_licence.moc"
