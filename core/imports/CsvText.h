#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// A CSV file as text and as records, whatever program wrote it: the encoding and the delimiter
// are found rather than asked for, since a user picking a file rarely knows either.
namespace CsvText {

// The bytes as text: UTF-8 with or without a byte-order mark, UTF-16 with one, else CP932 (the
// Japanese Windows encoding). None, with the problem in Japanese in `error`, for a file that
// holds nothing or is no text at all.
std::optional<QString> decoded(const QByteArray& bytes, QString* error);

// One record of the file and the 1-based line it began on.
struct Record
{
    QStringList fields;
    qint64 line = 0;
};

// The delimiter of the first line that holds one: a comma, a semicolon or a tab, whichever it
// holds most of; a comma when no line holds any.
QChar delimiterOf(const QString& text);

// The records of the text: fields in double quotes may hold delimiters, line breaks and doubled
// quotes; lines end in LF or CR LF; blank lines are no records. None, with the problem in
// `error`, when the text ends inside a quoted field.
std::optional<QList<Record>> records(const QString& text, QString* error);

} // namespace CsvText
