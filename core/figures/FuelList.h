#pragma once

#include "records/FillFlags.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

struct FuelRecord;

// Every refuelling of the fuel log as the rows of the list window: the record number, the
// record's fields as text, then how it filled the tank. The log is held as its raw bytes and a
// row's texts are made only when asked for, so that even the largest log is ready at once.
class FuelList
{
    Q_GADGET
public:
    // What each column shows, in the list's order.
    enum class Field
    {
        Number,
        Date,
        Odometer,
        TripDistance,
        Brand,
        FuelAmount,
        UnitPrice,
        Economy,
        Payment,
        Memo,
        Fill,
    };
    Q_ENUM(Field)

    struct Column
    {
        Field field;
        QString header;
        int widthTwips;
        QString widest; // the widest text the column usually holds
        bool isText;    // a text the user typed, rather than a figure
    };
    // Every column, one for each field, in the order of the fields.
    static const QList<Column>& columns();
    static int columnCount() { return int(columns().size()); }

    FuelList() = default;
    // Whole records only; bytes at the end that don't fill a record are left out. `fills` are
    // the flags of the log's refuellings, as the flags file holds them.
    explicit FuelList(QByteArray records, FillFlags fills = {});

    int rowCount() const { return m_rowCount; }
    // Row 0 is record 1. The brand and the memo keep the blanks that fill their fields; the
    // economy is empty where the refuelling has none.
    QString cell(int row, int column) const;
    QStringList row(int row) const;
    // The record of a row, and how it filled the tank.
    FuelRecord recordAt(int row) const;
    Fill fillAt(int row) const;

private:
    QString cellOf(const FuelRecord& record, int row, Field field) const;

    QByteArray m_records;
    FillFlags m_fills;
    int m_rowCount = 0;
};
