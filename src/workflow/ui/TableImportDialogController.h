#pragma once

#include "workflow/Table.h"
#include "workflow/TableColumns.h"

#include <QByteArray>
#include <QDialog>
#include <QList>
#include <memory>
#include <optional>

class CollectionManager;
class FileError;
class QComboBox;
class TableImporter;

namespace Ui {
class TableImportDialog;
}

// The sheet that imports partners from a table: it previews the first rows under the field each
// column fills (a pop-up per column changes it or ignores the column), lets the user choose the
// encoding and whether known addresses are skipped or update their link, and shows what the import
// would add, update and skip. It changes nothing: the document reads table(), mapping() and
// update() when the sheet ends with 1.
class TableImportDialogController : public QDialog
{
    Q_OBJECT

public:
    static constexpr int PreviewRows = 6;

    TableImportDialogController(const CollectionManager *collectionManager, QWidget *parent);
    ~TableImportDialogController() override;

    // Shows the file's bytes as read with the encoding found; false (with `error`) when they are
    // not a table.
    bool initializeWithData(const QByteArray &data, const QString &fileName, FileError *error = nullptr);

    const Table &table() const { return m_table; }
    QList<TableField> mapping() const { return m_mapping; }
    bool update() const;

    // --- For tests
    QComboBox *columnPopup(int column) const;
    QComboBox *encodingPopup() const;
    QString countsText() const;
    bool importEnabled() const;
    void setUpdate(bool update);

public slots:
    void confirm();
    void cancel();
    void reject() override;

private:
    void readTable();
    void buildColumns();
    void fillPreview();
    void refreshCounts();
    void columnChosen(int column);

    std::unique_ptr<Ui::TableImportDialog> m_ui;
    const CollectionManager *m_collectionManager;
    QByteArray m_data;
    QString m_fileName;
    Table m_table;
    QList<TableField> m_mapping;
    QList<QComboBox *> m_columnPopups;
    QList<QWidget *> m_columnWidgets;
};
