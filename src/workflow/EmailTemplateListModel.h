#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>

class CollectionManager;

// The database's e-mail templates as one list, in the store's order, for every menu and pop-up that
// offers them. The store is no QObject, so whoever changes its templates calls templatesChanged();
// the model compares and tells its views which row came, went or was renamed (a larger change, or
// a rename that moves a template, resets the list).
class EmailTemplateListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    // The template's index in the store; -1 for the leading item and the separator.
    static constexpr int TemplateIndexRole = Qt::UserRole + 1;

    explicit EmailTemplateListModel(const CollectionManager *store, QObject *parent = nullptr);

    // An item before the templates (a pop-up's blank message), set apart from them by a separator
    // while there are any. A null text, the default, leaves the list to the templates.
    void setLeadingItem(const QString &text);
    void templatesChanged();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    struct Entry
    {
        QString id;
        QString name;
    };
    QList<Entry> entriesOfStore() const;
    int firstTemplateRow() const;
    // The index of the only entry `longer` has beyond `shorter`, the rest being the same
    // templates in the same order; -1 when the two differ otherwise.
    static int onlyExtraEntry(const QList<Entry> &longer, const QList<Entry> &shorter);

    const CollectionManager *m_store;
    QString m_leadingItem;
    QList<Entry> m_entries;
};
