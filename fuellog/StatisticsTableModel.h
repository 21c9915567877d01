#pragma once

#include "figures/Statistics.h"

#include <QAbstractTableModel>

// A table of the statistics window: its texts under its headers, the figures to the right, the
// total row in bold.
class StatisticsTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(Statistics::Table table);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    bool isTotal(int row) const;

    Statistics::Table m_table;
};
