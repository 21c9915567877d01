#include "fuellog/ImportLinesModel.h"

#include <QBrush>
#include <QPalette>

namespace {

using Field = ImportPlan::Field;

const QString CutMark = QStringLiteral("…（切）");

QString cutTip(Field field)
{
    return field == Field::Brand
               ? QStringLiteral(
                     "銘柄は半角12文字（全角6文字）までのため、後ろを切って取り込みます。")
               : QStringLiteral(
                     "メモは半角40文字（全角20文字）までのため、後ろを切って取り込みます。");
}

const QStringList& headers()
{
    static const QStringList captions = {
        QStringLiteral("行"),        QStringLiteral("日付"), QStringLiteral("総走行距離(km)"),
        QStringLiteral("給油量(l)"), QStringLiteral("単価"), QStringLiteral("支払額"),
        QStringLiteral("銘柄"),      QStringLiteral("メモ"), QStringLiteral("給油"),
        QStringLiteral("状態")};
    return captions;
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
    return parent.isValid() ? 0 : int(headers().size());
}

QVariant ImportLinesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size())
        return QVariant();
    const ImportPlan::Line& line = m_lines.at(index.row());
    const auto field = Field(index.column());
    const bool cut =
        (field == Field::Brand && line.brandCut) || (field == Field::Memo && line.memoCut);
    if (role == Qt::ForegroundRole && !line.taken)
        return QPalette().brush(QPalette::Disabled, QPalette::Text);
    if (role == Qt::ToolTipRole && cut)
        return cutTip(field);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QVariant();
    return cut ? line.text(field) + CutMark : line.text(field);
}

QVariant ImportLinesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= headers().size())
        return QVariant();
    return headers().at(section);
}
