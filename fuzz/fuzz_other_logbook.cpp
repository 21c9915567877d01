// Arbitrary bytes as another logbook's export file, and a file of a header Tankr does not know
// read by a mapping taken from the input's first bytes. Nothing crashes; a file that is not read
// says why; every row has its line, and either a problem or a real date, a finite odometer and
// a finite quantity above zero, with any price and amount finite too.
#include "FuzzSupport.h"
#include "imports/OtherLogbook.h"

#include <cmath>

using namespace FuzzSupport;
using namespace OtherLogbook;

namespace {

bool finite(std::optional<double> value)
{
    return !value || std::isfinite(*value);
}

void checkRows(const Table& table, const QList<Row>& rows)
{
    FUZZ_CHECK(rows.size() == table.rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const Row& row = rows.at(i);
        FUZZ_CHECK(row.line == table.lines.at(i));
        if (!row.problem.isEmpty())
            continue;
        FUZZ_CHECK(row.date.isValid());
        FUZZ_CHECK(std::isfinite(row.odometer));
        FUZZ_CHECK(std::isfinite(row.litres) && row.litres > 0);
        FUZZ_CHECK(finite(row.unitPrice) && finite(row.total));
    }
}

// Each column of the mapping from one byte: none, or one of the header's columns or one past
// them (a column the rows may lack).
Mapping mappingOf(const uint8_t* data, size_t size, qsizetype columns)
{
    const auto pick = [&](size_t at) { return at < size ? int(data[at] % (columns + 2)) - 1 : -1; };
    Mapping mapping{pick(0), pick(1), pick(2), pick(3), pick(4), pick(5), pick(6), pick(7)};
    mapping.order = size > 8 ? DateOrder(data[8] % 3) : DateOrder::YearMonthDay;
    return mapping;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = bytes(data, size).toByteArray();
    QString error;
    const std::optional<File> file = read(input, &error);
    if (!file) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    const Table& table = file->table;
    FUZZ_CHECK(!table.rows.isEmpty() && table.rows.size() == table.lines.size());
    for (qsizetype i = 1; i < table.lines.size(); ++i)
        FUZZ_CHECK(table.lines.at(i) > table.lines.at(i - 1));
    FUZZ_CHECK(!file->formatName.isEmpty());
    if (file->format != Format::Other) {
        checkRows(table, file->rows);
        return 0;
    }
    FUZZ_CHECK(file->rows.isEmpty());
    checkRows(table, mapped(table, file->guessed));
    checkRows(table, mapped(table, mappingOf(data, size, table.header.size())));
    return 0;
}
