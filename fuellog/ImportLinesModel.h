#pragma once

#include "actions/ImportPlan.h"

#include <QAbstractTableModel>

// The rows of another logbook's file in the import preview: each as Tankr would store it, and
// whether it is taken. Rows left out show grey; a brand or memo cut to its field is marked.
class ImportLinesModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setLines(QList<ImportPlan::Line> lines);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<ImportPlan::Line> m_lines;
};
