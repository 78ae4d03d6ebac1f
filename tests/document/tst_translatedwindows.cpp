#include "DocumentFixture.h"
#include "PseudoTranslator.h"
#include "TestData.h"
#include "TsCatalogue.h"
#include "app/AboutDialogController.h"
#include "app/PreferencesDialogController.h"
#include "app/WelcomeDialogController.h"
#include "document/DocumentMenus.h"
#include "publish/ui/NewSiteCreatedDialogController.h"
#include "publish/ui/NewSiteDialogController.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <functional>

// The windows as a user of another language sees them: under a pseudo-translation made from the
// German catalogue, no text of the document window, its menus, toolbar and sheets, and of the
// application's dialogs may appear unmarked; under the German translation no two entries of one
// menu or one dialog page share a mnemonic.
class TestTranslatedWindows : public QObject
{
    Q_OBJECT

    // The database's own texts, which are the user's and never translated.
    const QStringList m_data{QStringLiteral("http://frogs.example/"),
                             QStringLiteral("About Frogs"),
                             QStringLiteral("Frogs"),
                             QStringLiteral("Ponds"),
                             QStringLiteral("test.site"),
                             QStringLiteral("test")};

    MyDocument *openPonds()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Ponds"))
            .link(QStringLiteral("Frogs"), LinkStatusNew, QStringLiteral("http://frogs.example/"));
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectCategory(document, QStringLiteral("Ponds"));
        DocumentFixture::selectLinks(document, {QStringLiteral("Frogs")});
        return document;
    }

    static void collect(QStringList &texts, const QString &where, const QString &text)
    {
        if (!text.isEmpty())
            texts.append(where + QStringLiteral(": ") + text);
    }

    // Every text a person can see or hear (tool tips, accessible names) below `root`.
    static QStringList textsOf(QWidget *root)
    {
        QStringList texts;
        const QString name = QString::fromLatin1(root->metaObject()->className());
        collect(texts, name, root->windowTitle());
        QList<QWidget *> widgets = root->findChildren<QWidget *>();
        widgets.prepend(root);
        for (QWidget *widget : widgets) {
            const QString where = name + u'/' + QString::fromLatin1(widget->metaObject()->className()) +
                                  u' ' + widget->objectName();
            if (auto *label = qobject_cast<QLabel *>(widget))
                collect(texts, where, label->text());
            if (auto *button = qobject_cast<QAbstractButton *>(widget))
                collect(texts, where, button->text());
            if (auto *box = qobject_cast<QGroupBox *>(widget))
                collect(texts, where, box->title());
            if (auto *tabs = qobject_cast<QTabWidget *>(widget)) {
                for (int i = 0; i < tabs->count(); ++i)
                    collect(texts, where, tabs->tabText(i));
            }
            if (auto *combo = qobject_cast<QComboBox *>(widget)) {
                for (int i = 0; i < combo->count(); ++i)
                    collect(texts, where, combo->itemText(i));
            }
            if (auto *edit = qobject_cast<QLineEdit *>(widget))
                collect(texts, where, edit->placeholderText());
            if (auto *spin = qobject_cast<QSpinBox *>(widget))
                collect(texts, where, spin->suffix() + spin->prefix());
            if (auto *view = qobject_cast<QAbstractItemView *>(widget); view && view->model()) {
                for (int column = 0; column < view->model()->columnCount(); ++column)
                    collect(texts, where, view->model()->headerData(column, Qt::Horizontal).toString());
            }
            collect(texts, where, widget->toolTip());
            collect(texts, where, widget->accessibleName());
            collect(texts, where, widget->accessibleDescription());
        }
        for (QAction *action : root->findChildren<QAction *>()) {
            const QString where = name + QStringLiteral("/QAction ") + action->objectName();
            collect(texts, where, action->text());
            collect(texts, where, action->toolTip());
        }
        return texts;
    }

    QStringList escaped(const QStringList &texts) const
    {
        static const QRegularExpression tags(QStringLiteral("<[^>]*>|&[a-z]+;"));
        QStringList escaped;
        for (const QString &entry : texts) {
            QString text = entry.section(QStringLiteral(": "), 1);
            text.remove(tags);
            for (const QString &data : m_data)
                text.remove(data);
            if (PseudoTranslator::escapes(text))
                escaped.append(entry);
        }
        escaped.removeDuplicates();
        return escaped;
    }

    // Opens each of the document's sheets and dialogs through its command, as a user does, and hands
    // it to `look` before closing it. Application-modal dialogs run their own loop, so they are
    // looked at from a timer inside it.
    static void forEachSheet(MyDocument *document, const std::function<void(QDialog *)> &look)
    {
        const DocumentMenus &m = *document->menus();
        for (QAction *command : {m.newLink, m.editLink, m.instantLink, m.notificationSetup, m.countLinks,
                                 m.verifyAllLinks, m.findLink, m.editSiteInfo, m.showEmailTemplates,
                                 m.HTMLSetup, m.showStatistics, m.newCategory, m.printPreview}) {
            DocumentFixture::selectCategory(document, QStringLiteral("Ponds"));
            DocumentFixture::selectLinks(document, {QStringLiteral("Frogs")});
            int shown = 0;
            auto harvest = [&] {
                QList<QDialog *> dialogs = document->findChildren<QDialog *>();
                if (auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                    modal && !dialogs.contains(modal))
                    dialogs.append(modal);
                for (QDialog *dialog : dialogs) {
                    if (!dialog->isVisible())
                        continue;
                    ++shown;
                    look(dialog);
                    dialog->reject();
                }
            };
            QTimer::singleShot(0, document, harvest);
            command->trigger();
            QCoreApplication::processEvents();
            harvest();
            if (shown == 0)
                qWarning("%s opened no dialog", qPrintable(command->objectName()));
        }
    }

    // Letters marked as mnemonics ("&Save" gives S) among these texts that occur more than once.
    static QStringList clashes(const QStringList &texts)
    {
        QHash<QChar, QStringList> byLetter;
        for (const QString &text : texts) {
            const qsizetype at = text.indexOf(u'&');
            if (at >= 0 && at + 1 < text.size() && text.at(at + 1) != u'&')
                byLetter[text.at(at + 1).toLower()].append(text);
        }
        QStringList clashes;
        for (auto it = byLetter.cbegin(); it != byLetter.cend(); ++it) {
            if (it.value().size() > 1)
                clashes.append(it.value().join(QStringLiteral(" / ")));
        }
        return clashes;
    }

    static QStringList menuClashes(QMenu *menu)
    {
        QStringList texts;
        QStringList found;
        for (QAction *action : menu->actions()) {
            if (action->isSeparator() || !action->isVisible())
                continue;
            texts.append(action->text());
            if (action->menu())
                found += menuClashes(action->menu());
        }
        return found + clashes(texts);
    }

    // Mnemonics share a page: the window, or one page of a tab widget or an assistant (hidden pages
    // take no keys).
    static QStringList dialogClashes(QWidget *dialog)
    {
        static const QRegularExpression assistantStep(QStringLiteral("^step\\d+View$"));
        QHash<QWidget *, QStringList> byPage;
        for (QWidget *widget : dialog->findChildren<QWidget *>()) {
            QString text;
            if (auto *label = qobject_cast<QLabel *>(widget); label && label->buddy())
                text = label->text();
            else if (auto *button = qobject_cast<QAbstractButton *>(widget))
                text = button->text();
            else if (auto *box = qobject_cast<QGroupBox *>(widget); box && box->isCheckable())
                text = box->title();
            if (text.isEmpty())
                continue;
            QWidget *page = dialog;
            for (QWidget *up = widget; up && up != dialog; up = up->parentWidget()) {
                if (qobject_cast<QStackedWidget *>(up->parentWidget()) ||
                    assistantStep.match(up->objectName()).hasMatch()) {
                    page = up;
                    break;
                }
            }
            byPage[page].append(text);
        }
        QStringList found;
        for (const QStringList &texts : std::as_const(byPage))
            found += clashes(texts);
        return found;
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(m_catalogue.read(QStringLiteral(QM_SOURCE_DIR "/translations/quillmarsh_de.ts"), &error),
                 qPrintable(error));
    }
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup()
    {
        m_fixture.reset();
        QCoreApplication::removeTranslator(&m_german);
    }

    void theCheckFindsAnUnmarkedText()
    {
        PseudoTranslator pseudo(m_catalogue);
        QCoreApplication::installTranslator(&pseudo);
        QWidget window;
        auto *marked = new QLabel(QCoreApplication::translate("DocumentMenus", "&File"), &window);
        auto *plain = new QLabel(QStringLiteral("Plain English"), &window);
        // The right text under a context lupdate never saw is not translated either.
        auto *wrongContext = new QLabel(QCoreApplication::translate("Nowhere", "&File"), &window);
        const QStringList found = escaped(textsOf(&window));
        QCoreApplication::removeTranslator(&pseudo);
        QCOMPARE(found.size(), 2);
        QVERIFY(!found.join(u'\n').contains(marked->text()));
        QVERIFY(found.at(0).endsWith(plain->text()) || found.at(1).endsWith(plain->text()));
        QVERIFY(found.join(u'\n').contains(wrongContext->text()));
    }

    void noTextOfTheWindowsEscapesTranslation()
    {
        PseudoTranslator pseudo(m_catalogue);
        QCoreApplication::installTranslator(&pseudo);
        QStringList texts;
        {
            MyDocument *document = openPonds();
            texts += textsOf(document);
            forEachSheet(document, [&](QDialog *dialog) { texts += textsOf(dialog); });
        }
        {
            PreferencesDialogController preferences;
            WelcomeDialogController welcome;
            NewSiteDialogController assistant;
            NewSiteCreatedDialogController created;
            AboutDialogController about;
            for (QWidget *dialog :
                 std::initializer_list<QWidget *>{&preferences, &welcome, &assistant, &created, &about})
                texts += textsOf(dialog);
        }
        QCoreApplication::removeTranslator(&pseudo);
        QVERIFY(texts.size() > 300);
        if (qEnvironmentVariableIsSet("QM_SHOW_TEXTS"))
            qInfo("%s", qPrintable(texts.join(u'\n')));
        const QStringList escapedTexts = escaped(texts);
        QVERIFY2(escapedTexts.isEmpty(), qPrintable(escapedTexts.join(u'\n')));
    }

    void germanMnemonicsDoNotClash()
    {
        QVERIFY(m_german.load(QStringLiteral(":/i18n/quillmarsh_de.qm")));
        QCoreApplication::installTranslator(&m_german);
        MyDocument *document = openPonds();
        QStringList found;
        QStringList bar;
        for (QAction *menu : document->menuBar()->actions()) {
            bar.append(menu->text());
            if (menu->menu())
                found += menuClashes(menu->menu());
        }
        found += clashes(bar);
        forEachSheet(document, [&](QDialog *dialog) { found += dialogClashes(dialog); });
        PreferencesDialogController preferences;
        WelcomeDialogController welcome;
        NewSiteDialogController assistant;
        for (QWidget *dialog : std::initializer_list<QWidget *>{&preferences, &welcome, &assistant})
            found += dialogClashes(dialog);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }

    void theDefaultCategoryIsShownInTheUsersLanguage()
    {
        // A database made in English holds the default category as "General".
        DatabaseBuilder db;
        db.category(QStringLiteral("Ponds")).link(QStringLiteral("Frogs"));
        QVERIFY(m_german.load(QStringLiteral(":/i18n/quillmarsh_de.qm")));
        QCoreApplication::installTranslator(&m_german);
        MyDocument *document = m_fixture->open(db);
        CategoryListModel *categories = document->categoryListController()->model();
        QVERIFY(categories->data(categories->index(0, 0), Qt::DisplayRole)
                    .toString()
                    .startsWith(QLatin1String("Allgemein")));
    }

private:
    TsCatalogue m_catalogue;
    QTranslator m_german;
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestTranslatedWindows)
#include "tst_translatedwindows.moc"
