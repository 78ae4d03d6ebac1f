#include "EmailTemplateListModel.h"

#include "model/CollectionManager.h"

EmailTemplateListModel::EmailTemplateListModel(const CollectionManager *store, QObject *parent)
    : QAbstractListModel(parent), m_store(store), m_entries(entriesOfStore())
{}

void EmailTemplateListModel::setLeadingItem(const QString &text)
{
    beginResetModel();
    m_leadingItem = text;
    endResetModel();
}

QList<EmailTemplateListModel::Entry> EmailTemplateListModel::entriesOfStore() const
{
    QList<Entry> entries;
    entries.reserve(qsizetype(m_store->emailTemplates().size()));
    for (const auto &emailTemplate : m_store->emailTemplates())
        entries.append({emailTemplate->ID(), emailTemplate->name()});
    return entries;
}

int EmailTemplateListModel::firstTemplateRow() const
{
    return m_leadingItem.isNull() ? 0 : 2;
}

int EmailTemplateListModel::onlyExtraEntry(const QList<Entry> &longer, const QList<Entry> &shorter)
{
    if (longer.size() != shorter.size() + 1)
        return -1;
    qsizetype at = 0;
    while (at < shorter.size() && shorter.at(at).id == longer.at(at).id)
        ++at;
    for (qsizetype i = at; i < shorter.size(); ++i) {
        if (shorter.at(i).id != longer.at(i + 1).id)
            return -1;
    }
    return int(at);
}

void EmailTemplateListModel::templatesChanged()
{
    const QList<Entry> now = entriesOfStore();
    const int first = firstTemplateRow();
    // The separator comes with the first template and goes with the last.
    const bool separatorChanges = first > 0 && m_entries.isEmpty() != now.isEmpty();
    if (!separatorChanges) {
        if (const int added = onlyExtraEntry(now, m_entries); added >= 0) {
            beginInsertRows(QModelIndex(), first + added, first + added);
            m_entries.insert(added, now.at(added));
            endInsertRows();
        } else if (const int removed = onlyExtraEntry(m_entries, now); removed >= 0) {
            beginRemoveRows(QModelIndex(), first + removed, first + removed);
            m_entries.removeAt(removed);
            endRemoveRows();
        }
    }
    bool sameOrder = !separatorChanges && now.size() == m_entries.size();
    for (qsizetype i = 0; sameOrder && i < now.size(); ++i)
        sameOrder = now.at(i).id == m_entries.at(i).id;
    if (!sameOrder) {
        beginResetModel();
        m_entries = now;
        endResetModel();
        return;
    }
    for (qsizetype i = 0; i < now.size(); ++i) {
        if (m_entries.at(i).name != now.at(i).name) {
            m_entries[i].name = now.at(i).name;
            const QModelIndex changed = index(first + int(i));
            emit dataChanged(changed, changed, {Qt::DisplayRole});
        }
    }
}

int EmailTemplateListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    if (m_leadingItem.isNull())
        return int(m_entries.size());
    return m_entries.isEmpty() ? 1 : int(m_entries.size()) + 2;
}

QVariant EmailTemplateListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const int templateIndex = index.row() - firstTemplateRow();
    if (role == TemplateIndexRole)
        return qMax(templateIndex, -1);
    if (templateIndex >= 0)
        return role == Qt::DisplayRole ? QVariant(m_entries.at(templateIndex).name) : QVariant();
    if (index.row() == 0)
        return role == Qt::DisplayRole ? QVariant(m_leadingItem) : QVariant();
    // The separator, drawn as a line by a combo box's pop-up.
    return role == Qt::AccessibleDescriptionRole ? QVariant(QStringLiteral("separator")) : QVariant();
}

Qt::ItemFlags EmailTemplateListModel::flags(const QModelIndex &index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    if (!m_leadingItem.isNull() && index.row() == 1)
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
