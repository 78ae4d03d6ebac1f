#include "LostLinksDialogController.h"

#include "history/LinkChangesModel.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

LostLinksDialogController::LostLinksDialogController(QWidget *parent)
    : QDialog(parent, Qt::Window), m_summary(new QLabel(this)), m_advice(new QLabel(this)),
      m_table(new QTableView(this)), m_model(new LinkChangesModel(this)),
      m_sorted(new QSortFilterProxyModel(this))
{
    setObjectName(QStringLiteral("LostLinksWindow"));
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(LinkChangesModel::SortRole);
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(LinkChangesModel::SinceColumn, Qt::DescendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAlternatingRowColors(true);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setAccessibleName(tr("Changed links"));
    m_summary->setWordWrap(true);
    m_summary->setBuddy(m_table);
    m_advice->setObjectName(QStringLiteral("lostLinksAdvice"));
    m_advice->setWordWrap(true);
    m_advice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_advice->setAccessibleName(tr("What to do about the selected link"));

    auto *buttons = new QDialogButtonBox(this);
    m_editButton = buttons->addButton(tr("&Edit Link..."), QDialogButtonBox::ActionRole);
    m_sendMessageButton = buttons->addButton(tr("Send &Message"), QDialogButtonBox::ActionRole);
    m_verifyAgainButton = buttons->addButton(tr("&Verify Again"), QDialogButtonBox::ActionRole);
    m_useThisPageButton = buttons->addButton(tr("&Use This Page"), QDialogButtonBox::ActionRole);
    m_useThisPageButton->setToolTip(tr("Make the page the link was found on the link's links page"));
    m_closeButton = buttons->addButton(QDialogButtonBox::Close);
    m_sendMessageMenu = new QMenu(m_sendMessageButton);
    m_sendMessageMenu->setObjectName(QStringLiteral("lostLinksSendMessageMenu"));
    m_sendMessageButton->setMenu(m_sendMessageMenu);
    // Return edits the selected link; Escape closes.
    m_editButton->setDefault(true);
    for (QPushButton *button : {m_sendMessageButton, m_verifyAgainButton, m_useThisPageButton, m_closeButton})
        button->setAutoDefault(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_advice);
    layout->addWidget(buttons);

    connect(m_editButton, &QPushButton::clicked, this, &LostLinksDialogController::editSelectedLink);
    connect(m_table, &QTableView::doubleClicked, this, &LostLinksDialogController::editSelectedLink);
    connect(m_verifyAgainButton, &QPushButton::clicked, this,
            [this] { emit verifyAgainRequested(selectedLinkIDs()); });
    connect(m_useThisPageButton, &QPushButton::clicked, this, &LostLinksDialogController::useThisPage);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_sendMessageMenu, &QMenu::aboutToShow, this,
            [this] { emit sendMessageMenuAboutToShow(selectedLinkIDs()); });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &LostLinksDialogController::updateButtons);
    connect(m_model, &QAbstractItemModel::modelReset, this, &LostLinksDialogController::updateButtons);

    setWindowTitle(tr("Lost Links"));
    resize(720, 380);
    updateButtons();
}

void LostLinksDialogController::setDocumentName(const QString &name)
{
    setWindowTitle(tr("Lost Links \u2014 %1").arg(name));
}

void LostLinksDialogController::setChanges(const QList<LinkChange> &changes)
{
    const QStringList selected = selectedLinkIDs();
    m_model->setChanges(changes);
    m_table->resizeColumnsToContents();
    int lost = 0, unreachable = 0;
    for (const LinkChange &change : changes) {
        lost += change.kind == LinkChange::Lost ? 1 : 0;
        unreachable += change.kind == LinkChange::Unreachable ? 1 : 0;
    }
    if (changes.isEmpty()) {
        m_summary->setText(tr("No link changed at its latest check."));
    } else {
        // A site that is down is no lost link: the two are counted apart.
        QString text = changes.size() == 1
                           ? tr("1 link changed at its latest check;")
                           : tr("%1 links changed at their latest check;").arg(changes.size());
        text += QLatin1Char(' ') + (lost == 1 ? tr("1 was lost") : tr("%1 were lost").arg(lost));
        if (unreachable > 0)
            text += unreachable == 1 ? tr(", 1 site has been unreachable for days")
                                     : tr(", %1 sites have been unreachable for days").arg(unreachable);
        m_summary->setText(text + QLatin1Char('.'));
    }
    selectLinksWithIDs(selected);
    if (selectedLinkIDs().isEmpty() && m_sorted->rowCount() > 0)
        m_table->selectRow(0);
    updateButtons();
}

void LostLinksDialogController::showError(const QString &message)
{
    m_model->setChanges({});
    m_summary->setText(message);
    updateButtons();
}

QModelIndex LostLinksDialogController::singleSelection() const
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    return rows.size() == 1 ? m_sorted->mapToSource(rows.first()) : QModelIndex();
}

QStringList LostLinksDialogController::selectedLinkIDs() const
{
    QStringList ids;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows())
        ids.append(index.data(LinkChangesModel::LinkIDRole).toString());
    return ids;
}

void LostLinksDialogController::selectLinksWithIDs(const QStringList &linkIDs)
{
    QItemSelectionModel *selection = m_table->selectionModel();
    selection->clearSelection();
    for (int row = 0; row < m_sorted->rowCount(); ++row) {
        const QModelIndex index = m_sorted->index(row, 0);
        if (linkIDs.contains(index.data(LinkChangesModel::LinkIDRole).toString())) {
            selection->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
            selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        }
    }
}

void LostLinksDialogController::updateButtons()
{
    const int count = int(m_table->selectionModel()->selectedRows().size());
    m_editButton->setEnabled(count == 1);
    m_sendMessageButton->setEnabled(count == 1);
    m_verifyAgainButton->setEnabled(count > 0);
    const QModelIndex selected = singleSelection();
    const QString movedTo =
        selected.isValid() ? selected.data(LinkChangesModel::MovedToRole).toString() : QString();
    m_useThisPageButton->setEnabled(!movedTo.isEmpty());
    if (!selected.isValid()) {
        m_advice->clear();
        return;
    }
    const auto kind = LinkChange::Kind(selected.data(LinkChangesModel::ChangeRole).toInt());
    QString advice = LinkChange::advice(kind);
    if (!movedTo.isEmpty())
        advice += QLatin1Char(' ') + tr("Your link is now on %1.").arg(movedTo);
    m_advice->setText(advice);
}

void LostLinksDialogController::useThisPage()
{
    const QModelIndex selected = singleSelection();
    const QString movedTo =
        selected.isValid() ? selected.data(LinkChangesModel::MovedToRole).toString() : QString();
    if (!movedTo.isEmpty())
        emit useThisPageRequested(selected.data(LinkChangesModel::LinkIDRole).toString(), movedTo);
}

void LostLinksDialogController::editSelectedLink()
{
    const QStringList ids = selectedLinkIDs();
    if (ids.size() == 1)
        emit editLinkRequested(ids.first());
}
