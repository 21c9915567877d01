#pragma once

#include "records/FillFlags.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The export files of other fuel logbooks, read into rows of one common shape: what each
// refuelling was, in kilometres, litres and the file's own currency, before Tankr decides what
// of it to store. Nothing here knows the fuel log.
namespace OtherLogbook {

enum class Format
{
    Fuelly,
    Fuelio,
    Spritmonitor,
    LubeLogger,
    Tankr, // Tankr's own CSV export
    Other  // a header row Tankr does not know: the user maps its columns
};

enum class DateOrder
{
    YearMonthDay,
    DayMonthYear,
    MonthDayYear
};

// The file as a table: its header and its data rows, each with the line of the file it began
// on (a quoted field may hold line breaks).
struct Table
{
    QStringList header;
    QList<QStringList> rows;
    QList<qint64> lines;
};

// One refuelling of the file, converted to kilometres and litres. A row that cannot be read
// keeps its line and says why in `problem`; its other fields are then meaningless.
struct Row
{
    qint64 line = 0;
    QString vehicle; // empty when the file names no vehicle
    QDate date;
    double odometer = 0;             // km
    double litres = 0;               // litres
    std::optional<double> unitPrice; // per litre, when the file gives it
    std::optional<double> total;     // the amount paid, when the file gives it
    QString brand;
    QString memo;
    Fill fill;
    QString problem; // empty for a readable row
};

// Which column holds what, for a file of a header Tankr does not know; -1 for none. Figures are
// read as km, litres, a unit price per litre and the amount paid.
struct Mapping
{
    int date = -1;
    int odometer = -1;
    int quantity = -1;
    int unitPrice = -1;
    int amount = -1;
    int brand = -1;
    int memo = -1;
    int fill = -1;
    DateOrder order = DateOrder::YearMonthDay;
};

struct File
{
    Format format = Format::Other;
    QString formatName; // as the preview names it: "Fuelly", "Fuelio", … "不明な形式"
    QString units; // the units found, in Japanese: "距離：マイル、給油量：米ガロン"
    Table table;
    QList<Row> rows; // in the file's order; empty for Format::Other until mapped
    Mapping guessed; // for Format::Other: the columns whose header names say what they hold
};

// The file's bytes read: UTF-8 with or without a byte-order mark, else CP932; comma, semicolon
// or tab separated; quoted fields; CR LF or LF. None, with the problem in Japanese in `error`,
// for a file that is empty, binary, holds a header alone, or ends inside a quoted field.
std::optional<File> read(const QByteArray& bytes, QString* error);

// The rows of a table of an unknown header, read as the mapping says.
QList<Row> mapped(const Table& table, const Mapping& mapping);

} // namespace OtherLogbook
