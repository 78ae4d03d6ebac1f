#include "model/ByteFields.h"
#include "support/DatabaseBuilder.h"
#include "workflow/EmailTemplateFile.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList names(const CollectionManager &store)
{
    QStringList result;
    for (const auto &t : store.emailTemplates())
        result.append(t->name() + u'/' + t->ID());
    return result;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A question that counts how often it was asked and gives one answer.
struct Answer
{
    DuplicateAnswer answer;
    int asked = 0;
    DuplicateQuestion question()
    {
        return [this] {
            ++asked;
            return answer;
        };
    }
};

} // namespace

class TestEmailTemplateFile : public QObject
{
    Q_OBJECT

private slots:
    void exportWritesCountAndRecordsReplacingTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Email templates.emlt"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(20000, 'x'));
        old.close();

        DatabaseBuilder db;
        db.emailTemplate("Welcome", "Hello #TITLE#", "Body").emailTemplate("Again", "Re", "Body 2");
        QVERIFY(EmailTemplateFile::exportEmailTemplatesToFileAtPath(db.store(), path, true));
        const QByteArray bytes = readFile(path);
        QCOMPARE(bytes.size(), 4 + 2 * EmailTemplate::RecordSize);
        QCOMPARE(ByteFields::readWord(bytes.constData()), 2u);
        EmailTemplate second;
        second.loadDataRepresentation(bytes.constData() + 4 + EmailTemplate::RecordSize);
        QCOMPARE(second.name(), QStringLiteral("Welcome")); // store order: sorted by name
        QCOMPARE(second.ID(), db.store().emailTemplates()[1]->ID());

        // Nothing to export is refused rather than writing a file no import accepts.
        QString error;
        QVERIFY(
            !EmailTemplateFile::exportEmailTemplatesToFileAtPath(CollectionManager(), path, false, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(readFile(path), bytes);
    }

    void importIntoTheSameDatabase()
    {
        DatabaseBuilder db;
        db.emailTemplate("Welcome", "S1", "B1").emailTemplate("Again", "S2", "B2");
        CollectionManager &store = db.store();
        const QByteArray file = EmailTemplateFile::dataRepresentation(store);
        const QStringList before = names(store);
        const EmailTemplate *first = store.emailTemplates()[0].get();

        for (const DuplicateAnswer choice : {DuplicateAnswer::Cancel, DuplicateAnswer::Keep}) {
            Answer answer{choice};
            ImportSummary summary;
            QVERIFY(
                EmailTemplateFile::importEmailTemplatesFromData(store, file, answer.question(), &summary));
            QCOMPARE(answer.asked, 1);
            QVERIFY(!summary.changed());
            QCOMPARE(names(store), before);
            QCOMPARE(store.emailTemplates()[0].get(), first);
        }

        Answer replace{DuplicateAnswer::Replace};
        ImportSummary summary;
        QVERIFY(EmailTemplateFile::importEmailTemplatesFromData(store, file, replace.question(), &summary));
        QCOMPARE(replace.asked, 1);
        QCOMPARE(summary.replaced, 2);
        QCOMPARE(names(store), before);
        QVERIFY(store.emailTemplates()[0].get() != first);
    }

    void newTemplatesAreAddedWithoutAQuestion()
    {
        DatabaseBuilder source;
        source.emailTemplate("Welcome", "Imported", "B").emailTemplate("Zeta", "S", "B");
        const QByteArray file = EmailTemplateFile::dataRepresentation(source.store());

        DatabaseBuilder db;
        db.emailTemplate("Welcome", "Own", "B").emailTemplate("Middle", "S", "B");
        Answer answer{DuplicateAnswer::Cancel};
        ImportSummary summary;
        QVERIFY(
            EmailTemplateFile::importEmailTemplatesFromData(db.store(), file, answer.question(), &summary));
        QCOMPARE(answer.asked, 0);
        QCOMPARE(summary.added, 2);
        // Matched by ID only: both templates named Welcome stay, the existing one first.
        QStringList subjects;
        for (const auto &t : db.store().emailTemplates())
            subjects.append(t->name() + u':' + t->subject());
        QCOMPARE(subjects, (QStringList{"Middle:S", "Welcome:Own", "Welcome:Imported", "Zeta:S"}));
    }

    void twoRecordsWithTheSameID()
    {
        DatabaseBuilder source;
        source.emailTemplate("A first", "1", "B").emailTemplate("B second", "2", "B");
        QByteArray file = EmailTemplateFile::dataRepresentation(source.store());
        // The second record takes the first one's ID.
        std::memcpy(file.data() + 4 + EmailTemplate::RecordSize, file.constData() + 4, 50);

        DatabaseBuilder keep;
        QVERIFY(EmailTemplateFile::importEmailTemplatesFromData(keep.store(), file, nullptr));
        QCOMPARE(keep.store().emailTemplates().size(), size_t(1));
        QCOMPARE(keep.store().emailTemplates()[0]->subject(), QStringLiteral("1"));

        // Replace needs an existing template with that ID: import the first record alone first.
        QByteArray firstOnly = file.left(4 + EmailTemplate::RecordSize);
        firstOnly.replace(0, 4, QByteArray("\0\0\0\1", 4));
        DatabaseBuilder replace;
        QVERIFY(EmailTemplateFile::importEmailTemplatesFromData(replace.store(), firstOnly, nullptr));
        Answer answer{DuplicateAnswer::Replace};
        QVERIFY(EmailTemplateFile::importEmailTemplatesFromData(replace.store(), file, answer.question()));
        QCOMPARE(replace.store().emailTemplates().size(), size_t(1));
        QCOMPARE(replace.store().emailTemplates()[0]->subject(), QStringLiteral("2"));
    }

    void endlessDeviceIsRefusedByItsCount()
    {
        // Damaged files are in the table of file errors; a device without end stops at its count.
        DatabaseBuilder db;
        FileError error;
        QVERIFY(!EmailTemplateFile::importEmailTemplatesFromFileAtPath(
            db.store(), QStringLiteral("/dev/zero"), nullptr, nullptr, &error));
        QCOMPARE(error.kind(), FileError::Kind::NoTemplates);
    }
};

QTEST_GUILESS_MAIN(TestEmailTemplateFile)
#include "tst_emailtemplatefile.moc"
