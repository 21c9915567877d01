#include "fuellog/FuelListModel.h"

FuelListModel::FuelListModel(FuelList list, QObject* parent)
    : QAbstractTableModel(parent), m_list(std::move(list))
{
}

void FuelListModel::setList(FuelList list)
{
    beginResetModel();
    m_list = std::move(list);
    endResetModel();
}

int FuelListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_list.rowCount();
}

int FuelListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FuelList::columnCount();
}

QVariant FuelListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return m_list.cell(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    return QVariant();
}

QVariant FuelListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= FuelList::columnCount())
        return QVariant();
    if (role == Qt::DisplayRole)
        return FuelList::columns().at(section).header;
    if (role == Qt::TextAlignmentRole)
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    return QVariant();
}
