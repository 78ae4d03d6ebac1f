// The list of e-mail templates that menus and pop-ups show: which rows it reports as come, gone or
// renamed when the store changes, and the pop-up's blank message with its separator.
#include "DatabaseBuilder.h"
#include "workflow/EmailTemplateListModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

class TestEmailTemplateListModel : public QObject
{
    Q_OBJECT

private:
    static EmailTemplate form(const QString &name)
    {
        EmailTemplate emailTemplate;
        emailTemplate.setName(name, QStringLiteral("s"), QStringLiteral("b"));
        return emailTemplate;
    }

    static QStringList rows(const QAbstractItemModel &model)
    {
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row) {
            const QModelIndex index = model.index(row, 0);
            texts.append(index.data(Qt::AccessibleDescriptionRole).toString() == QLatin1String("separator")
                             ? QStringLiteral("---")
                             : index.data().toString());
        }
        return texts;
    }

    // "+2" for a row inserted at 2, "-1" removed, "~0" renamed, "reset".
    class Changes
    {
    public:
        explicit Changes(QAbstractItemModel *model)
        {
            QObject::connect(model, &QAbstractItemModel::rowsInserted, &m_receiver,
                             [this](const QModelIndex &, int first, int last) { note(u'+', first, last); });
            QObject::connect(model, &QAbstractItemModel::rowsRemoved, &m_receiver,
                             [this](const QModelIndex &, int first, int last) { note(u'-', first, last); });
            QObject::connect(
                model, &QAbstractItemModel::dataChanged, &m_receiver,
                [this](const QModelIndex &from, const QModelIndex &to) { note(u'~', from.row(), to.row()); });
            QObject::connect(model, &QAbstractItemModel::modelReset, &m_receiver,
                             [this] { m_seen.append(QStringLiteral("reset")); });
        }
        QStringList take() { return std::exchange(m_seen, {}); }

    private:
        void note(QChar kind, int first, int last)
        {
            m_seen.append(first == last ? kind + QString::number(first)
                                        : QStringLiteral("%1%2-%3").arg(kind).arg(first).arg(last));
        }
        QObject m_receiver;
        QStringList m_seen;
    };

private slots:
    void followsTheStoreRowByRow()
    {
        DatabaseBuilder db;
        db.emailTemplate(QStringLiteral("Beta"), QStringLiteral("s"), QStringLiteral("b"))
            .emailTemplate(QStringLiteral("Delta"), QStringLiteral("s"), QStringLiteral("b"));
        CollectionManager &store = db.store();
        EmailTemplateListModel model(&store);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        Changes changes(&model);
        QCOMPARE(rows(model), (QStringList{QStringLiteral("Beta"), QStringLiteral("Delta")}));
        QCOMPARE(model.index(1, 0).data(EmailTemplateListModel::TemplateIndexRole).toInt(), 1);

        model.templatesChanged(); // nothing changed, nothing told
        QCOMPARE(changes.take(), QStringList());

        store.emailTemplateList().addEmailTemplateFromEmailTemplate(form(QStringLiteral("charlie")));
        model.templatesChanged();
        QCOMPARE(changes.take(), QStringList{QStringLiteral("+1")});
        QCOMPARE(rows(model).at(1), QStringLiteral("charlie"));

        // Renamed in place, then renamed so that it moves: the neighbours move too.
        store.emailTemplateList().editEmailTemplate(
            store.emailTemplateList().emailTemplateWithName(QStringLiteral("Delta")),
            form(QStringLiteral("Echo")));
        model.templatesChanged();
        QCOMPARE(changes.take(), QStringList{QStringLiteral("~2")});
        store.emailTemplateList().editEmailTemplate(
            store.emailTemplateList().emailTemplateWithName(QStringLiteral("Beta")),
            form(QStringLiteral("Zulu")));
        model.templatesChanged();
        QCOMPARE(changes.take(), QStringList{QStringLiteral("reset")});
        QCOMPARE(rows(model),
                 (QStringList{QStringLiteral("charlie"), QStringLiteral("Echo"), QStringLiteral("Zulu")}));

        store.emailTemplateList().deleteEmailTemplateAtIndex(1);
        model.templatesChanged();
        QCOMPARE(changes.take(), QStringList{QStringLiteral("-1")});

        // Many at once (an import, an undo of one): the list starts over.
        store.emailTemplateList().addEmailTemplateFromEmailTemplate(form(QStringLiteral("A")));
        store.emailTemplateList().addEmailTemplateFromEmailTemplate(form(QStringLiteral("B")));
        model.templatesChanged();
        QCOMPARE(changes.take(), QStringList{QStringLiteral("reset")});
        QCOMPARE(rows(model), (QStringList{QStringLiteral("A"), QStringLiteral("B"),
                                           QStringLiteral("charlie"), QStringLiteral("Zulu")}));
    }

    void aLeadingItemIsSetApartWhileThereAreTemplates()
    {
        CollectionManager store;
        EmailTemplateListModel model(&store);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setLeadingItem(QStringLiteral("Blank message"));
        Changes changes(&model);
        QCOMPARE(rows(model), QStringList{QStringLiteral("Blank message")});
        QCOMPARE(model.index(0, 0).data(EmailTemplateListModel::TemplateIndexRole).toInt(), -1);

        store.emailTemplateList().addEmailTemplateFromEmailTemplate(form(QStringLiteral("Request")));
        model.templatesChanged();
        QCOMPARE(rows(model), (QStringList{QStringLiteral("Blank message"), QStringLiteral("---"),
                                           QStringLiteral("Request")}));
        QCOMPARE(model.flags(model.index(1, 0)), Qt::NoItemFlags); // the separator cannot be chosen
        QCOMPARE(model.index(2, 0).data(EmailTemplateListModel::TemplateIndexRole).toInt(), 0);

        store.emailTemplateList().addEmailTemplateFromEmailTemplate(form(QStringLiteral("Follow-up")));
        changes.take();
        model.templatesChanged();
        QCOMPARE(changes.take(), QStringList{QStringLiteral("+2")});
        store.emailTemplateList().editEmailTemplate(
            store.emailTemplateList().emailTemplateWithName(QStringLiteral("Request")),
            form(QStringLiteral("Thanks")));
        model.templatesChanged();
        QCOMPARE(changes.take(), QStringList{QStringLiteral("~3")});

        store.emailTemplateList().deleteEmailTemplateAtIndex(0);
        store.emailTemplateList().deleteEmailTemplateAtIndex(0);
        model.templatesChanged();
        QCOMPARE(rows(model), QStringList{QStringLiteral("Blank message")});
    }
};

QTEST_GUILESS_MAIN(TestEmailTemplateListModel)
#include "tst_emailtemplatelistmodel.moc"
