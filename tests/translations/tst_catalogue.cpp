#include "TestData.h"
#include "TsCatalogue.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The German catalogue as committed: every message finished and faithful to its source, and no
// text of the sources missing from it (scripts/update-translations.sh adds new texts, unfinished).
class TestCatalogue : public QObject
{
    Q_OBJECT

    static QStringList placeholders(const QString &text)
    {
        static const QRegularExpression pattern(QStringLiteral("%(\\d+|n|d)"));
        QStringList found;
        for (auto it = pattern.globalMatch(text); it.hasNext();)
            found.append(it.next().captured(0));
        found.sort();
        return found;
    }
    static int mnemonics(const QString &text)
    {
        return int(text.count(u'&') - 2 * text.count(QStringLiteral("&&")));
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(m_german.read(QStringLiteral(QM_SOURCE_DIR "/translations/quillmarsh_de.ts"), &error),
                 qPrintable(error));
        QVERIFY(m_german.messages().size() > 500);
    }

    void everyMessageIsFinishedAndFaithful()
    {
        QStringList problems;
        for (const TsMessage &message : m_german.messages()) {
            const QString where = message.context + QStringLiteral(" \"") + message.source + u'"';
            if (!message.type.isEmpty()) {
                problems.append(where + QStringLiteral(" is ") + message.type);
                continue;
            }
            for (const QString &translation : message.translations) {
                if (translation.trimmed().isEmpty())
                    problems.append(where + QStringLiteral(" has no translation"));
                else if (placeholders(translation) != placeholders(message.source))
                    problems.append(where + QStringLiteral(" changes the placeholders: ") + translation);
                else if (mnemonics(translation) != mnemonics(message.source) &&
                         !message.source.contains(u'<'))
                    problems.append(where + QStringLiteral(" changes the number of mnemonics: ") +
                                    translation);
                else if (message.source.startsWith(u' ') != translation.startsWith(u' ') ||
                         message.source.endsWith(u'\n') != translation.endsWith(u'\n'))
                    problems.append(where + QStringLiteral(" changes the spaces around it: ") + translation);
            }
        }
        QCOMPARE(problems.join(u'\n'), QString());
    }

    void everyTextOfTheSourcesIsInTheCatalogue()
    {
        QTemporaryDir folder;
        const QString fresh = folder.filePath(QStringLiteral("fresh.ts"));
        QProcess lupdate;
        lupdate.setWorkingDirectory(QStringLiteral(QM_SOURCE_DIR));
        lupdate.start(QStringLiteral(QM_LUPDATE_PATH),
                      {QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("-no-obsolete"),
                       QStringLiteral("-extensions"), QStringLiteral("cpp,h,ui"), QStringLiteral("src"),
                       QStringLiteral("-ts"), fresh});
        QVERIFY(lupdate.waitForFinished(120000));
        QCOMPARE(lupdate.exitCode(), 0);
        // lupdate's complaints (a tr() it cannot place) are faults of the sources.
        const QString complaints = QString::fromLocal8Bit(lupdate.readAllStandardError());
        QVERIFY2(!complaints.contains(QLatin1String("warning"), Qt::CaseInsensitive) &&
                     !complaints.contains(QLatin1String("lacks Q_OBJECT")),
                 qPrintable(complaints));
        TsCatalogue sources;
        QString error;
        QVERIFY2(sources.read(fresh, &error), qPrintable(error));
        const QSet<QString> known = m_german.keys();
        QStringList missing;
        for (const TsMessage &message : sources.messages()) {
            if (!known.contains(message.key()))
                missing.append(message.context + QStringLiteral(" \"") + message.source + u'"');
        }
        QVERIFY2(missing.isEmpty(),
                 qPrintable(QStringLiteral("Run scripts/update-translations.sh and translate:\n") +
                            missing.join(u'\n')));
        // And nothing the sources no longer say.
        QCOMPARE(sources.messages().size(), m_german.messages().size());

        // English has the singular and the plural of every text that counts.
        TsCatalogue english;
        QVERIFY2(english.read(QStringLiteral(QM_SOURCE_DIR "/translations/quillmarsh_en.ts"), &error),
                 qPrintable(error));
        QSet<QString> counted;
        for (const TsMessage &message : english.messages()) {
            if (message.type.isEmpty() && message.translations.size() == 2 &&
                !message.translations.contains(QString()))
                counted.insert(message.key());
        }
        QStringList formless;
        for (const TsMessage &message : sources.messages()) {
            if (message.numerus && !counted.contains(message.key()))
                formless.append(message.context + QStringLiteral(" \"") + message.source + u'"');
        }
        QVERIFY2(formless.isEmpty(),
                 qPrintable(QStringLiteral("Give the English forms in quillmarsh_en.ts:\n") +
                            formless.join(u'\n')));
    }

private:
    TsCatalogue m_german;
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
