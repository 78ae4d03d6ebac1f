#include "EditCommands.h"

#include "DocumentMenus.h"
#include "LinkListController.h"
#include "MyDocument.h"
#include "gui/RightClickTableView.h"
#include "model/Link.h"
#include "model/TextUtils.h"
#include "model/TreeNode.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

bool isReadOnly(const QWidget *field)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(field))
        return line->isReadOnly();
    if (const auto *text = qobject_cast<const QTextEdit *>(field))
        return text->isReadOnly();
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(field))
        return plain->isReadOnly();
    return true;
}

bool hasSelectedText(const QWidget *field)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(field))
        return line->hasSelectedText() && line->echoMode() == QLineEdit::Normal;
    if (const auto *text = qobject_cast<const QTextEdit *>(field))
        return text->textCursor().hasSelection();
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(field))
        return plain->textCursor().hasSelection();
    return false;
}

bool isEmpty(const QWidget *field)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(field))
        return line->text().isEmpty();
    if (const auto *text = qobject_cast<const QTextEdit *>(field))
        return text->document()->isEmpty();
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(field))
        return plain->document()->isEmpty();
    return true;
}

bool clipboardHasText()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

} // namespace

EditCommands::EditCommands(MyDocument *document) : DocumentCommandArea(document)
{
    const DocumentMenus &m = menus();
    connect(m.action(ActionId::Cut), &QAction::triggered, this, &EditCommands::cut);
    connect(m.action(ActionId::Copy), &QAction::triggered, this, &EditCommands::copy);
    connect(m.action(ActionId::Paste), &QAction::triggered, this, &EditCommands::paste);
    connect(m.action(ActionId::SelectAllLinks), &QAction::triggered, this, &EditCommands::selectAll);
    // The state of a text field changes without the document hearing of it: the items are set
    // again when the focus moves, the clipboard changes, the field's selection or text changes,
    // and before the menu opens.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { focusChanged(now); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &EditCommands::validateMenuItems);
    connect(m.editMenu, &QMenu::aboutToShow, this, &EditCommands::validateMenuItems);
}

QWidget *EditCommands::focusedTextField() const
{
    QWidget *focus = document()->commandFocusWidget();
    if (qobject_cast<QLineEdit *>(focus) || qobject_cast<QTextEdit *>(focus) ||
        qobject_cast<QPlainTextEdit *>(focus))
        return focus;
    return nullptr;
}

bool EditCommands::linkListHasFocus() const
{
    return document()->commandFocusWidget() == document()->linksTable();
}

void EditCommands::focusChanged(QWidget *now)
{
    for (const QMetaObject::Connection &connection : std::as_const(m_fieldConnections))
        disconnect(connection);
    m_fieldConnections.clear();
    m_watchedField = nullptr;
    if (now && now->window() == document() && now == focusedTextField()) {
        m_watchedField = now;
        auto revalidate = [this] { validateMenuItems(); };
        if (auto *line = qobject_cast<QLineEdit *>(now)) {
            m_fieldConnections.append(connect(line, &QLineEdit::selectionChanged, this, revalidate));
            m_fieldConnections.append(connect(line, &QLineEdit::textChanged, this, revalidate));
        } else if (auto *text = qobject_cast<QTextEdit *>(now)) {
            m_fieldConnections.append(connect(text, &QTextEdit::copyAvailable, this, revalidate));
            m_fieldConnections.append(connect(text, &QTextEdit::textChanged, this, revalidate));
        } else if (auto *plain = qobject_cast<QPlainTextEdit *>(now)) {
            m_fieldConnections.append(connect(plain, &QPlainTextEdit::copyAvailable, this, revalidate));
            m_fieldConnections.append(connect(plain, &QPlainTextEdit::textChanged, this, revalidate));
        }
    }
    validateMenuItems();
}

void EditCommands::validateMenuItems()
{
    const DocumentMenus &m = menus();
    if (QWidget *field = focusedTextField()) {
        const bool editable = !isReadOnly(field);
        const bool selected = hasSelectedText(field);
        m.action(ActionId::Cut)->setEnabled(editable && selected);
        m.action(ActionId::Copy)->setEnabled(selected);
        m.action(ActionId::Paste)->setEnabled(editable && clipboardHasText());
        m.action(ActionId::SelectAllLinks)->setEnabled(!isEmpty(field));
        return;
    }
    m.action(ActionId::Cut)->setEnabled(false);
    m.action(ActionId::Copy)->setEnabled(linkListHasFocus() && document()->numberOfSelectedLinks() > 0);
    m.action(ActionId::Paste)->setEnabled(false);
    m.action(ActionId::SelectAllLinks)->setEnabled(document()->linkListController()->rowCount() > 0);
}

QString EditCommands::selectedLinksText() const
{
    const LinkListController *list = document()->linkListController();
    QStringList lines;
    for (const int row : list->selectedRows()) {
        const TreeNode *node = list->linkNodeAtRow(row);
        if (const Link *link = node ? node->link() : nullptr)
            lines.append(TextUtils::oneLineString(link->title()) + QLatin1Char('\t') +
                         TextUtils::oneLineString(link->URL()));
    }
    return lines.join(QLatin1Char('\n'));
}

void EditCommands::cut()
{
    QWidget *field = focusedTextField();
    if (auto *line = qobject_cast<QLineEdit *>(field))
        line->cut();
    else if (auto *text = qobject_cast<QTextEdit *>(field))
        text->cut();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(field))
        plain->cut();
}

void EditCommands::copy()
{
    QWidget *field = focusedTextField();
    if (auto *line = qobject_cast<QLineEdit *>(field))
        line->copy();
    else if (auto *text = qobject_cast<QTextEdit *>(field))
        text->copy();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(field))
        plain->copy();
    else if (linkListHasFocus() && document()->numberOfSelectedLinks() > 0)
        QGuiApplication::clipboard()->setText(selectedLinksText());
}

void EditCommands::paste()
{
    QWidget *field = focusedTextField();
    if (auto *line = qobject_cast<QLineEdit *>(field))
        line->paste();
    else if (auto *text = qobject_cast<QTextEdit *>(field))
        text->paste();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(field))
        plain->paste();
}

void EditCommands::selectAll()
{
    QWidget *field = focusedTextField();
    if (auto *line = qobject_cast<QLineEdit *>(field)) {
        line->selectAll();
    } else if (auto *text = qobject_cast<QTextEdit *>(field)) {
        text->selectAll();
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(field)) {
        plain->selectAll();
    } else {
        document()->linksTable()->setFocus();
        document()->linksTable()->selectAll();
    }
}
