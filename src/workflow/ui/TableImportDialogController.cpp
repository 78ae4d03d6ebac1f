#include "TableImportDialogController.h"

#include "ui_TableImportDialog.h"
#include "workflow/TableImporter.h"
#include "workflow/TableReader.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

namespace {

// The encoding pop-up's items: found from the bytes, then each encoding the reader knows.
constexpr int AutomaticEncoding = -1;
const TextEncoding ChosenEncodings[] = {TextEncoding::UTF8, TextEncoding::UTF16, TextEncoding::ISOLatin1,
                                        TextEncoding::MacOSRoman};

QString delimiterName(QChar delimiter)
{
    if (delimiter == u',')
        return TableImportDialogController::tr("comma-separated");
    if (delimiter == u';')
        return TableImportDialogController::tr("semicolon-separated");
    return TableImportDialogController::tr("tab-delimited");
}

// A cell as one short line for the pop-ups' samples and the preview.
QString shortText(const QString &text)
{
    QString line = text.simplified();
    if (line.size() > 60)
        line = line.left(59) + QChar(0x2026);
    return line;
}

} // namespace

TableImportDialogController::TableImportDialogController(const CollectionManager *collectionManager,
                                                         QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TableImportDialog>()), m_collectionManager(collectionManager)
{
    m_ui->setupUi(this);
    setWindowModality(Qt::WindowModal);
    QPushButton *import = m_ui->buttonBox->button(QDialogButtonBox::Ok);
    import->setText(tr("&Import"));
    import->setDefault(true);
    m_ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    connect(import, &QPushButton::clicked, this, &TableImportDialogController::confirm);
    connect(m_ui->buttonBox->button(QDialogButtonBox::Cancel), &QPushButton::clicked, this,
            &TableImportDialogController::cancel);

    m_ui->encodingPopup->addItem(tr("Automatic"), AutomaticEncoding);
    for (const TextEncoding encoding : ChosenEncodings)
        m_ui->encodingPopup->addItem(TextCodec::encodingName(encoding), int(encoding));
    connect(m_ui->encodingPopup, &QComboBox::currentIndexChanged, this, [this] { readTable(); });
    m_ui->skipButton->setAccessibleName(tr("Skip rows whose address is already in the database"));
    m_ui->updateButton->setAccessibleName(tr("Update the link from a row whose address is already in "
                                             "the database"));
    connect(m_ui->updateButton, &QRadioButton::toggled, this, [this] { refreshCounts(); });

    m_ui->previewTable->setAccessibleName(tr("Preview of the first rows"));
    m_ui->previewTable->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_ui->previewTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_ui->previewTable->setMinimumHeight(fontMetrics().height() * 5);
    m_ui->countsField->setAccessibleName(tr("What the import does"));
    m_ui->columnsArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

TableImportDialogController::~TableImportDialogController() = default;

bool TableImportDialogController::initializeWithData(const QByteArray &data, const QString &fileName,
                                                     FileError *error)
{
    std::optional<Table> table = TableReader::read(data, {}, error);
    if (!table)
        return false;
    m_data = data;
    m_fileName = fileName;
    m_table = std::move(*table);
    m_mapping = TableColumns::mappingOfHeaders(m_table.headers);
    {
        const QSignalBlocker blocker(m_ui->encodingPopup);
        m_ui->encodingPopup->setCurrentIndex(0);
    }
    m_ui->skipButton->setChecked(true);
    buildColumns();
    fillPreview();
    refreshCounts();
    if (!m_columnPopups.isEmpty())
        m_columnPopups.first()->setFocus();
    // Room for the preview's columns, within the screen.
    QSize size =
        sizeHint().expandedTo(QSize(fontMetrics().averageCharWidth() * 110, fontMetrics().height() * 38));
    if (const QScreen *screen = (parentWidget() ? parentWidget() : this)->screen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.9);
    resize(size);
    return true;
}

bool TableImportDialogController::update() const
{
    return m_ui->updateButton->isChecked();
}

void TableImportDialogController::setUpdate(bool update)
{
    (update ? m_ui->updateButton : m_ui->skipButton)->setChecked(true);
}

QComboBox *TableImportDialogController::columnPopup(int column) const
{
    return m_columnPopups.value(column);
}

QComboBox *TableImportDialogController::encodingPopup() const
{
    return m_ui->encodingPopup;
}

QString TableImportDialogController::countsText() const
{
    return m_ui->countsField->text();
}

bool TableImportDialogController::importEnabled() const
{
    return m_ui->buttonBox->button(QDialogButtonBox::Ok)->isEnabled();
}

void TableImportDialogController::readTable()
{
    const int chosen = m_ui->encodingPopup->currentData().toInt();
    TableReader::Options options;
    if (chosen != AutomaticEncoding)
        options.encoding = TextEncoding(chosen);
    // The delimiter stays the one found first: another encoding only changes letters.
    options.delimiter = m_table.delimiter;
    std::optional<Table> table = TableReader::read(m_data, options);
    if (!table)
        return;
    const bool sameColumns = table->headers.size() == m_table.headers.size();
    m_table = std::move(*table);
    // The user's choices survive a change of encoding; the headers' texts may change with it.
    if (!sameColumns)
        m_mapping = TableColumns::mappingOfHeaders(m_table.headers);
    buildColumns();
    fillPreview();
    refreshCounts();
}

void TableImportDialogController::buildColumns()
{
    qDeleteAll(m_columnWidgets);
    m_columnWidgets.clear();
    m_columnPopups.clear();
    const QStringList firstRow = m_table.rows.isEmpty() ? QStringList() : m_table.cells(m_table.rows.first());
    QGridLayout *grid = m_ui->columnsLayout;
    QWidget *previous = nullptr;
    for (int column = 0; column < m_table.headers.size(); ++column) {
        const QString header = m_table.headers.at(column);
        auto *label = new QLabel(shortText(header).isEmpty() ? tr("(column %1)").arg(column + 1)
                                                             : shortText(header) + QLatin1Char(':'),
                                 m_ui->columnsWidget);
        auto *popup = new QComboBox(m_ui->columnsWidget);
        popup->setObjectName(QStringLiteral("columnPopup%1").arg(column));
        popup->addItem(TableColumns::fieldName(TableField::Ignored), int(TableField::Ignored));
        popup->insertSeparator(1);
        for (const TableField field : TableColumns::fields())
            popup->addItem(TableColumns::fieldName(field), int(field));
        popup->setCurrentIndex(popup->findData(int(m_mapping.value(column, TableField::Ignored))));
        popup->setAccessibleName(tr("Import column \"%1\" as").arg(shortText(header)));
        label->setBuddy(popup);
        auto *sample = new QLabel(shortText(firstRow.value(column)), m_ui->columnsWidget);
        sample->setEnabled(false);
        // Long samples are cut by the sheet's width rather than widening it.
        sample->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        sample->setAccessibleName(tr("First row of column \"%1\"").arg(shortText(header)));
        grid->addWidget(label, column, 0);
        grid->addWidget(popup, column, 1);
        grid->addWidget(sample, column, 2);
        connect(popup, &QComboBox::currentIndexChanged, this, [this, column] { columnChosen(column); });
        m_columnPopups.append(popup);
        m_columnWidgets << label << popup << sample;
        if (previous)
            setTabOrder(previous, popup);
        previous = popup;
    }
    if (previous) {
        setTabOrder(previous, m_ui->previewTable);
        setTabOrder(m_ui->previewTable, m_ui->encodingPopup);
        setTabOrder(m_ui->encodingPopup, m_ui->skipButton);
        setTabOrder(m_ui->skipButton, m_ui->updateButton);
    }
    // Room for a few columns before the list scrolls; small enough for a small screen at scale 2.
    const int rows = std::min<int>(int(m_table.headers.size()), 4);
    m_ui->columnsArea->setMinimumHeight(rows * (fontMetrics().height() + 14));
}

void TableImportDialogController::columnChosen(int column)
{
    QComboBox *popup = m_columnPopups.value(column);
    if (!popup)
        return;
    const auto field = TableField(popup->currentData().toInt());
    // A field comes from one column: the column that had it lets it go.
    if (field != TableField::Ignored) {
        for (int other = 0; other < m_mapping.size(); ++other) {
            if (other != column && m_mapping.at(other) == field) {
                m_mapping[other] = TableField::Ignored;
                const QSignalBlocker blocker(m_columnPopups.at(other));
                m_columnPopups.at(other)->setCurrentIndex(0);
            }
        }
    }
    while (m_mapping.size() <= column)
        m_mapping.append(TableField::Ignored);
    m_mapping[column] = field;
    fillPreview();
    refreshCounts();
}

void TableImportDialogController::fillPreview()
{
    QTableWidget *preview = m_ui->previewTable;
    preview->clear();
    const int columns = int(m_table.headers.size());
    const int rows = std::min<int>(PreviewRows, int(m_table.rows.size()));
    preview->setColumnCount(columns);
    preview->setRowCount(rows);
    QStringList headers;
    for (int column = 0; column < columns; ++column) {
        const TableField field = m_mapping.value(column, TableField::Ignored);
        const QString name = shortText(m_table.headers.at(column));
        headers.append(field == TableField::Ignored
                           ? tr("%1 (ignored)").arg(name)
                           : tr("%1 \u2192 %2").arg(name, TableColumns::fieldName(field)));
    }
    preview->setHorizontalHeaderLabels(headers);
    QStringList numbers;
    for (int row = 0; row < rows; ++row) {
        const TableRow &tableRow = m_table.rows.at(row);
        const QStringList cells = m_table.cells(tableRow);
        numbers.append(QString::number(tableRow.number));
        for (int column = 0; column < columns; ++column) {
            auto *item = new QTableWidgetItem(shortText(cells.value(column)));
            if (m_mapping.value(column, TableField::Ignored) == TableField::Ignored)
                item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
            preview->setItem(row, column, item);
        }
    }
    preview->setVerticalHeaderLabels(numbers);
    preview->resizeColumnsToContents();
}

void TableImportDialogController::refreshCounts()
{
    const TableImporter importer(*m_collectionManager, m_table, m_mapping, update());
    const int chosen = m_ui->encodingPopup->currentData().toInt();
    if (chosen == AutomaticEncoding) {
        const QSignalBlocker blocker(m_ui->encodingPopup);
        m_ui->encodingPopup->setItemText(0,
                                         tr("Automatic (%1)").arg(TextCodec::encodingName(m_table.encoding)));
    }
    const QLocale locale;
    m_ui->fileField->setText(tr("\"%1\": %2 rows, %3, %4.")
                                 .arg(m_fileName, locale.toString(m_table.rows.size()),
                                      delimiterName(m_table.delimiter),
                                      TextCodec::encodingName(m_table.encoding)));
    QPushButton *import = m_ui->buttonBox->button(QDialogButtonBox::Ok);
    if (!importer.hasURLColumn()) {
        m_ui->countsField->setText(tr("Choose the column that holds the web addresses (URL)."));
        import->setEnabled(false);
        return;
    }
    const TableImporter::Counts &counts = importer.counts();
    QString text =
        tr("The import adds %1, updates %2 and skips %3.")
            .arg(counts.added == 1 ? tr("1 link") : tr("%1 links").arg(locale.toString(counts.added)),
                 counts.updated == 1 ? tr("1 link") : tr("%1 links").arg(locale.toString(counts.updated)),
                 counts.skipped == 1 ? tr("1 row") : tr("%1 rows").arg(locale.toString(counts.skipped)));
    if (counts.categoriesAdded > 0)
        text += QLatin1Char(' ') + (counts.categoriesAdded == 1
                                        ? tr("1 category is added.")
                                        : tr("%1 categories are added.").arg(counts.categoriesAdded));
    QStringList ignored;
    for (int column = 0; column < m_table.headers.size(); ++column) {
        if (m_mapping.value(column, TableField::Ignored) == TableField::Ignored)
            ignored.append(shortText(m_table.headers.at(column)));
    }
    if (!ignored.isEmpty())
        text += QLatin1Char(' ') + tr("Not imported: %1.").arg(ignored.join(QStringLiteral(", ")));
    m_ui->countsField->setText(text);
    // Also when every row is skipped: the summary then tells why.
    import->setEnabled(true);
}

void TableImportDialogController::confirm()
{
    done(1);
}

void TableImportDialogController::cancel()
{
    done(0);
}

void TableImportDialogController::reject()
{
    cancel();
}
