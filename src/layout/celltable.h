#pragma once

#include <QString>
#include <QList>

namespace ludra {

// A fixed-size table of text cells indexed [column][row] over inclusive
// ranges, for the marker and duplicate tables of the layout. Reads outside the
// ranges give empty text and writes outside them are ignored, so no index
// taken from a file or a grid can reach outside the table.
class TCellTable
{
public:
    TCellTable(int firstColumn, int lastColumn, int firstRow, int lastRow, const QString &initial = QString());

    bool contains(int column, int row) const;
    QString value(int column, int row) const;
    // Returns false when the cell is outside the table.
    bool set(int column, int row, const QString &text);
    void fill(const QString &text);

private:
    qsizetype offset(int column, int row) const;

    int m_firstColumn;
    int m_lastColumn;
    int m_firstRow;
    int m_lastRow;
    QList<QString> m_cells;
};

// The number of data rows the layout's cell tables cover.
inline constexpr int LayoutMaxRows = 400;

// "-1": a cell without a marker.
inline const QString NoMarker = QStringLiteral("-1");

} // namespace ludra
