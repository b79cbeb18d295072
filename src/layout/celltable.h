#pragma once

#include "common/errors.h"

#include <QList>
#include <QString>

#include <algorithm>

namespace ludra {

// A fixed-size table of values indexed [column][row] over inclusive ranges,
// for the marker and duplicate tables of the layout. Reads outside the ranges
// give the initial value; a write outside them is a fault of the caller and
// throws ERangeError, so an index that is off by one shows at once.
template <typename T>
class TCellTable
{
public:
    TCellTable(int firstColumn, int lastColumn, int firstRow, int lastRow, const T &initial = T())
        : m_firstColumn(firstColumn),
          m_lastColumn(std::max(firstColumn, lastColumn)),
          m_firstRow(firstRow),
          m_lastRow(std::max(firstRow, lastRow)),
          m_initial(initial)
    {
        m_cells.fill(initial, qsizetype(m_lastColumn - m_firstColumn + 1) * (m_lastRow - m_firstRow + 1));
    }

    bool contains(int column, int row) const
    {
        return column >= m_firstColumn && column <= m_lastColumn && row >= m_firstRow && row <= m_lastRow;
    }

    T value(int column, int row) const { return contains(column, row) ? m_cells.at(offset(column, row)) : m_initial; }

    void set(int column, int row, const T &value)
    {
        if (!contains(column, row))
            throw ERangeError(QStringLiteral("Cell %1, %2 is outside the cell table [%3..%4][%5..%6].")
                                  .arg(column)
                                  .arg(row)
                                  .arg(m_firstColumn)
                                  .arg(m_lastColumn)
                                  .arg(m_firstRow)
                                  .arg(m_lastRow));
        m_cells[offset(column, row)] = value;
    }

    // Puts every cell back to the initial value. A table that holds nothing
    // else is left as it is, so copies that share it go on sharing it.
    void reset()
    {
        if (std::any_of(m_cells.cbegin(), m_cells.cend(), [this](const T &v) { return !(v == m_initial); }))
            m_cells.fill(m_initial);
    }

    // Puts every cell for whose value clears is true back to the initial
    // value; false when none was.
    template <typename Clears>
    bool resetWhere(Clears clears)
    {
        const auto first = std::find_if(m_cells.cbegin(), m_cells.cend(), clears);
        if (first == m_cells.cend())
            return false;
        for (qsizetype k = first - m_cells.cbegin(); k < m_cells.size(); ++k)
            if (clears(m_cells.at(k)))
                m_cells[k] = m_initial;
        return true;
    }

    bool operator==(const TCellTable &) const = default;

private:
    qsizetype offset(int column, int row) const
    {
        return qsizetype(column - m_firstColumn) * (m_lastRow - m_firstRow + 1) + (row - m_firstRow);
    }

    int m_firstColumn;
    int m_lastColumn;
    int m_firstRow;
    int m_lastRow;
    T m_initial;
    QList<T> m_cells;
};

// The number of data rows the layout's cell tables cover.
inline constexpr int LayoutMaxRows = 400;

} // namespace ludra
