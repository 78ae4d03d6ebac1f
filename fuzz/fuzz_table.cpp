// The table reader: whatever bytes come, it reads a table or says why not. What it reads, written
// again as CSV with the delimiter it found, reads back to the same headers and cells. Importing the
// table into a sample database, skipping or updating known addresses, accounts for every row once
// and leaves a store that keeps its invariants.

#include "FuzzSupport.h"
#include "SampleStores.h"
#include "StoreChecks.h"
#include "model/CollectionManager.h"
#include "model/CsvText.h"
#include "workflow/TableImporter.h"
#include "workflow/TableReader.h"

namespace {

QList<QStringList> cellsOf(const Table &table)
{
    QList<QStringList> rows;
    for (const TableRow &row : table.rows)
        rows.append(table.cells(row));
    return rows;
}

void importInto(const Table &table, bool update)
{
    CollectionManager store;
    SampleStores::fill(store, false);
    const int before = store.numberOfLinks();
    TableImporter importer(store, table, TableColumns::mappingOfHeaders(table.headers), update,
                           QDate(2024, 6, 1));
    if (!importer.hasURLColumn())
        return;
    const TableImporter::Counts counts = importer.counts();
    FUZZ_CHECK(counts.added + counts.updated + counts.unchanged + counts.skipped == table.rows.size(),
               QStringLiteral("%1 rows, counted %2 + %3 + %4 + %5")
                   .arg(table.rows.size())
                   .arg(counts.added)
                   .arg(counts.updated)
                   .arg(counts.unchanged)
                   .arg(counts.skipped));
    importer.apply(store);
    StoreChecks::checkStore(store);
    FUZZ_CHECK(store.numberOfLinks() == before + counts.added, QStringLiteral("%1 links + %2 added gave %3")
                                                                   .arg(before)
                                                                   .arg(counts.added)
                                                                   .arg(store.numberOfLinks()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::setUp();
    const QByteArray input = FuzzSupport::bytes(data, size);
    FileError error;
    const std::optional<Table> table = TableReader::read(input, {}, &error);
    if (!table) {
        FUZZ_CHECK(error.isError(), QStringLiteral("refused without a reason"));
        return 0;
    }

    QString again = CsvText::line(table->headers, table->delimiter);
    for (const TableRow &row : table->rows)
        again += CsvText::line(table->cells(row), table->delimiter);
    const std::optional<Table> reread =
        TableReader::read(again.toUtf8(), {TextEncoding::UTF8, table->delimiter}, &error);
    FUZZ_CHECK(reread, QStringLiteral("its own CSV was refused: ") + error.text());
    FUZZ_CHECK(reread->headers == table->headers,
               QStringLiteral("headers [%1] came back as [%2]")
                   .arg(table->headers.join(QLatin1Char('|')), reread->headers.join(QLatin1Char('|'))));
    FUZZ_CHECK(cellsOf(*reread) == cellsOf(*table), QStringLiteral("the cells changed when written again"));

    importInto(*table, false);
    importInto(*table, true);
    return 0;
}
