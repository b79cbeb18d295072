#include "layout/celltable.h"

#include <algorithm>

namespace ludra {

TCellTable::TCellTable(int firstColumn, int lastColumn, int firstRow, int lastRow, const QString &initial)
    : m_firstColumn(firstColumn),
      m_lastColumn(std::max(firstColumn, lastColumn)),
      m_firstRow(firstRow),
      m_lastRow(std::max(firstRow, lastRow))
{
    m_cells.fill(initial, qsizetype(m_lastColumn - m_firstColumn + 1) * (m_lastRow - m_firstRow + 1));
}

bool TCellTable::contains(int column, int row) const
{
    return column >= m_firstColumn && column <= m_lastColumn && row >= m_firstRow && row <= m_lastRow;
}

qsizetype TCellTable::offset(int column, int row) const
{
    return qsizetype(column - m_firstColumn) * (m_lastRow - m_firstRow + 1) + (row - m_firstRow);
}

QString TCellTable::value(int column, int row) const
{
    return contains(column, row) ? m_cells.at(offset(column, row)) : QString();
}

bool TCellTable::set(int column, int row, const QString &text)
{
    if (!contains(column, row))
        return false;
    m_cells[offset(column, row)] = text;
    return true;
}

void TCellTable::fill(const QString &text)
{
    m_cells.fill(text);
}

} // namespace ludra
