#include "fuellog/ImportLinesModel.h"

#include <QBrush>
#include <QPalette>

namespace {

enum class Column
{
    Line,
    Date,
    Odometer,
    Litres,
    UnitPrice,
    Payment,
    Brand,
    Memo,
    Fill,
    Status,
    ColumnCount
};

const QString CutMark = QStringLiteral("…（切）");

QString cutTip(Column column)
{
    return column == Column::Brand
               ? QStringLiteral(
                     "銘柄は半角12文字（全角6文字）までのため、後ろを切って取り込みます。")
               : QStringLiteral(
                     "メモは半角40文字（全角20文字）までのため、後ろを切って取り込みます。");
}

} // namespace

void ImportLinesModel::setLines(QList<ImportPlan::Line> lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

int ImportLinesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

int ImportLinesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(Column::ColumnCount);
}

QVariant ImportLinesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size())
        return QVariant();
    const ImportPlan::Line& line = m_lines.at(index.row());
    const auto column = Column(index.column());
    const bool cut =
        (column == Column::Brand && line.brandCut) || (column == Column::Memo && line.memoCut);
    if (role == Qt::ForegroundRole && !line.taken)
        return QPalette().brush(QPalette::Disabled, QPalette::Text);
    if (role == Qt::ToolTipRole && cut)
        return cutTip(column);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QVariant();
    switch (column) {
    case Column::Line:
        return QString::number(line.line);
    case Column::Date:
        return line.date;
    case Column::Odometer:
        return line.odometer;
    case Column::Litres:
        return line.litres;
    case Column::UnitPrice:
        return line.unitPrice;
    case Column::Payment:
        return line.payment;
    case Column::Brand:
        return cut ? line.brand + CutMark : line.brand;
    case Column::Memo:
        return cut ? line.memo + CutMark : line.memo;
    case Column::Fill:
        return line.fill;
    case Column::Status:
        return line.status;
    case Column::ColumnCount:
        break;
    }
    return QVariant();
}

QVariant ImportLinesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const QStringList headers = {
        QStringLiteral("行"),        QStringLiteral("日付"), QStringLiteral("総走行距離(km)"),
        QStringLiteral("給油量(l)"), QStringLiteral("単価"), QStringLiteral("支払額"),
        QStringLiteral("銘柄"),      QStringLiteral("メモ"), QStringLiteral("給油"),
        QStringLiteral("状態")};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= headers.size())
        return QVariant();
    return headers.at(section);
}
