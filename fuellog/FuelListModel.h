#pragma once

#include "figures/FuelList.h"

#include <QAbstractTableModel>

// The rows of the fuel data list for ListView1. Cell texts are made when the view asks for
// them, so only the rows on screen cost anything.
class FuelListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit FuelListModel(FuelList list, QObject* parent = nullptr);

    // The log as it is now, in place of the rows shown.
    void setList(FuelList list);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    FuelList m_list;
};
