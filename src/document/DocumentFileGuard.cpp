#include "DocumentFileGuard.h"

#include "Document.h"
#include "DocumentFileWatch.h"
#include "FileChangedBar.h"
#include "MyDocument.h"
#include "gui/MessageBox.h"

#include <QFileInfo>
#include <QStatusBar>
#include <QWidget>

namespace {
constexpr int StatusMessageMs = 15000;
} // namespace

DocumentFileGuard::DocumentFileGuard(MyDocument *document)
    : QObject(document), m_document(document), m_watch(document->document()->fileWatch()),
      m_bar(new FileChangedBar)
{
    connect(m_watch, &DocumentFileWatch::changedOnDisk, this, &DocumentFileGuard::fileChangedOnDisk);
    connect(m_bar, &FileChangedBar::answered, this, &DocumentFileGuard::barAnswered);
    // The file on disk is the document's again.
    connect(document->document(), &Document::reloaded, m_bar, &QWidget::hide);
    connect(document->document(), &Document::saved, m_bar, &QWidget::hide);
}

DocumentFileGuard::~DocumentFileGuard() = default;

QString DocumentFileGuard::fileName() const
{
    return QFileInfo(m_watch->path()).fileName();
}

DocumentFileGuard::SaveDecision DocumentFileGuard::confirmSave()
{
    switch (m_watch->state()) {
    case DocumentFileWatch::DiskState::Unchanged:
        return SaveDecision::Write;
    case DocumentFileWatch::DiskState::Missing: {
        const int answer = MessageBox::alert(
            m_document, tr("The file \"%1\" was deleted or moved away.").arg(fileName()),
            tr("Choose Save As to save the document under another name, or Save to write it again "
               "where it was."),
            {tr("Save As\u2026"), tr("Save"), tr("Cancel")});
        return answer == 0 ? SaveDecision::SaveAs : answer == 1 ? SaveDecision::Write : SaveDecision::Cancel;
    }
    case DocumentFileWatch::DiskState::Changed:
        break;
    }
    const int answer =
        MessageBox::alert(m_document, tr("The file \"%1\" was changed by another program.").arg(fileName()),
                          tr("Reload discards the changes in this window and reads the file again. Save "
                             "Anyway replaces what the other program wrote."),
                          {tr("Reload"), tr("Save Anyway"), tr("Cancel")});
    if (answer == 0)
        m_document->reloadFromDisk();
    return answer == 1 ? SaveDecision::Write : SaveDecision::Cancel;
}

void DocumentFileGuard::fileChangedOnDisk()
{
    const DocumentFileWatch::DiskState state = m_watch->state();
    if (state == DocumentFileWatch::DiskState::Missing) {
        m_barAsksAboutMissingFile = true;
        m_bar->ask(tr("The file \"%1\" was deleted or moved away.").arg(fileName()),
                   {tr("Save As\u2026"), tr("Save"), tr("Cancel")});
        return;
    }
    if (state != DocumentFileWatch::DiskState::Changed)
        return;
    if (!m_document->isEdited()) {
        if (m_document->reloadFromDisk())
            m_document->statusBar()->showMessage(
                tr("The file \"%1\" was changed by another program and was read again.").arg(fileName()),
                StatusMessageMs);
        return;
    }
    m_barAsksAboutMissingFile = false;
    m_bar->ask(tr("The file \"%1\" was changed by another program.").arg(fileName()),
               {tr("Reload"), tr("Save Anyway"), tr("Cancel")});
}

void DocumentFileGuard::barAnswered(int index)
{
    if (m_barAsksAboutMissingFile) {
        if (index == 0)
            emit saveAsRequested();
        else if (index == 1)
            emit saveRequested();
        return;
    }
    if (index == 0) {
        if (confirmDiscardingChanges())
            m_document->reloadFromDisk();
        else
            m_bar->show(); // the file is still another program's: the question stands
    } else if (index == 1) {
        emit saveRequested();
    }
}

bool DocumentFileGuard::confirmDiscardingChanges()
{
    if (!m_document->isEdited())
        return true;
    const QStringList steps = m_document->document()->unsavedSteps();
    QStringList names;
    for (const QString &step : steps) {
        const QString name = tr("“%1”").arg(step);
        if (!step.isEmpty() && !names.contains(name))
            names.append(name);
    }
    constexpr int NamesShown = 5;
    const int more = int(names.size()) - NamesShown;
    if (more > 0) {
        names = names.mid(0, NamesShown);
        names.append(tr("%n more", nullptr, more));
    }
    QString message = steps.isEmpty() ? tr("Reloading reads the file \"%1\" as the other program left it. "
                                           "The changes made in this window "
                                           "since it was last saved are lost and cannot be undone.")
                                            .arg(fileName())
                                      : tr("Reloading reads the file \"%1\" as the other program left it. "
                                           "The %n change(s) made in this "
                                           "window since it was last saved are lost and cannot be undone.",
                                           nullptr, int(steps.size()))
                                            .arg(fileName());
    if (!names.isEmpty())
        message += u' ' + tr("Lost: %1.").arg(names.join(tr(", ")));
    const int answer = MessageBox::alert(m_document, tr("Discard your changes and reload?"), message,
                                         {tr("Discard and Reload"), tr("Cancel")});
    return answer == 0;
}
