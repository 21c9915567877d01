#include "fuellog/StatisticsTableModel.h"

#include <QFont>

void StatisticsTableModel::setTable(Statistics::Table table)
{
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
}

int StatisticsTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_table.rows.size());
}

int StatisticsTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_table.headers.size());
}

bool StatisticsTableModel::isTotal(int row) const
{
    return m_table.endsWithTotal && row == m_table.rows.size() - 1;
}

// The first column names the year, month or brand; the others are figures.
QVariant StatisticsTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_table.rows.size())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return m_table.rows.at(index.row()).value(index.column());
    case Qt::TextAlignmentRole:
        return index.column() == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (isTotal(index.row())) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant StatisticsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_table.headers.size())
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return section == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                            : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return role == Qt::DisplayRole ? QVariant(m_table.headers.at(section)) : QVariant();
}
