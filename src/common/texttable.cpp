#include "common/texttable.h"

#include "common/errors.h"

#include <algorithm>

namespace ludra {

TextTable::TextTable(int columns, int rows, QObject *parent) : QObject(parent), m_columns(std::max(columns, 1))
{
    setRowCount(rows);
}

void TextTable::setColumnCount(int columns)
{
    columns = std::max(columns, 1);
    if (columns == m_columns)
        return;
    m_columns = columns;
    for (QStringList &cells : m_rows) {
        cells.resize(columns);
    }
    Q_EMIT shapeChanged();
}

void TextTable::assign(int columns, const QList<QStringList> &rows)
{
    m_columns = std::max(columns, 1);
    m_rows = rows;
    for (QStringList &cells : m_rows)
        if (cells.size() != m_columns)
            cells.resize(m_columns);
    Q_EMIT shapeChanged();
}

void TextTable::setRowCount(int rows)
{
    rows = std::max(rows, 0);
    if (rows == rowCount())
        return;
    if (rows < rowCount()) {
        m_rows.resize(rows);
    } else {
        QStringList empty;
        empty.resize(m_columns);
        m_rows.reserve(rows);
        while (m_rows.size() < rows)
            m_rows.append(empty);
    }
    Q_EMIT shapeChanged();
}

QString TextTable::cell(int column, int row) const
{
    if (column < 0 || column >= m_columns || row < 0 || row >= rowCount())
        return QString();
    return m_rows.at(row).at(column);
}

void TextTable::checkInside(int column, int row) const
{
    if (column < 0 || column >= m_columns || row < 0 || row >= rowCount())
        throw ERangeError(QStringLiteral("Cell %1, %2 is outside a table of %3 columns and %4 rows.")
                              .arg(column)
                              .arg(row)
                              .arg(m_columns)
                              .arg(rowCount()));
}

void TextTable::setCell(int column, int row, const QString &text)
{
    checkInside(column, row);
    QString &target = m_rows[row][column];
    if (target == text)
        return;
    target = text;
    Q_EMIT cellsChanged(column, row, column, row);
}

QStringList TextTable::row(int row) const
{
    if (row < 0 || row >= rowCount())
        return QStringList();
    return m_rows.at(row);
}

void TextTable::setRow(int row, const QStringList &cells)
{
    checkInside(0, row);
    QStringList values = cells;
    values.resize(m_columns);
    if (m_rows.at(row) == values)
        return;
    m_rows[row] = values;
    Q_EMIT cellsChanged(0, row, m_columns - 1, row);
}

void TextTable::replaceRowsFrom(int firstRow, const QList<QStringList> &rows)
{
    if (firstRow < 0 || firstRow > rowCount())
        throw ERangeError(QStringLiteral("Row %1 is outside a table of %2 rows.").arg(firstRow).arg(rowCount()));
    m_rows.resize(firstRow);
    m_rows.reserve(firstRow + rows.size());
    for (QStringList cells : rows) {
        cells.resize(m_columns);
        m_rows.append(std::move(cells));
    }
    Q_EMIT shapeChanged();
}

} // namespace ludra
