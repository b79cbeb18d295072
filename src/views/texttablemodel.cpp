#include "views/texttablemodel.h"

#include "common/texttable.h"

namespace ludra {

TextTableModel::TextTableModel(const TextTable &table, bool headerColumn, QObject *parent)
    : QAbstractTableModel(parent), m_table(&table), m_firstColumn(headerColumn ? 1 : 0)
{
    connect(&table, &TextTable::cellsChanged, this, &TextTableModel::onCellsChanged);
    const auto reset = [this] {
        beginResetModel();
        endResetModel();
    };
    connect(&table, &TextTable::shapeChanged, this, reset);
    // The guarded pointer is already empty when this arrives.
    connect(&table, &QObject::destroyed, this, reset);
}

int TextTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_table ? 0 : std::max(m_table->rowCount() - 1, 0);
}

int TextTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_table ? 0 : std::max(m_table->columnCount() - m_firstColumn, 0);
}

QVariant TextTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_table)
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == Qt::AccessibleTextRole)
        return m_table->cell(tableColumn(index.column()), tableRow(index.row()));
    return QVariant();
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if ((role != Qt::DisplayRole && role != Qt::AccessibleTextRole) || !m_table)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return m_table->cell(tableColumn(section), 0);
    if (m_firstColumn == 1)
        return m_table->cell(0, tableRow(section));
    return QVariant();
}

void TextTableModel::onCellsChanged(int firstColumn, int firstRow, int lastColumn, int lastRow)
{
    if (firstRow == 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, std::max(firstColumn - m_firstColumn, 0),
                                 std::max(lastColumn - m_firstColumn, 0));
    if (m_firstColumn == 1 && firstColumn == 0 && lastRow >= 1)
        Q_EMIT headerDataChanged(Qt::Vertical, std::max(firstRow - 1, 0), lastRow - 1);
    const int top = std::max(firstRow, 1) - 1;
    const int left = std::max(firstColumn, m_firstColumn) - m_firstColumn;
    const int bottom = lastRow - 1;
    const int right = lastColumn - m_firstColumn;
    if (top <= bottom && left <= right)
        Q_EMIT dataChanged(index(top, left), index(bottom, right));
}

} // namespace ludra
