#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QList>

namespace ludra {

// A table of text cells addressed [column][row], the model behind every grid:
// the layout and the result tables. Row 0 and, where a grid has one, column 0
// are headers. Reads outside the table give empty text; a write outside it is
// a fault of the caller and throws ERangeError.
class TextTable : public QObject
{
    Q_OBJECT

public:
    explicit TextTable(int columns = 1, int rows = 0, QObject *parent = nullptr);

    int columnCount() const { return m_columns; }
    int rowCount() const { return int(m_rows.size()); }
    void setColumnCount(int columns);
    void setRowCount(int rows);

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);
    // The cells of a row, one per column.
    QStringList row(int row) const;
    void setRow(int row, const QStringList &cells);
    // Replaces every row from firstRow on with the given rows (each cut or
    // padded to the column count), in one change of shape. firstRow must be
    // within the table or just past its end.
    void replaceRowsFrom(int firstRow, const QList<QStringList> &rows);
    // Every row, each with one cell per column; and the whole table put back
    // from such rows, in one change of shape.
    const QList<QStringList> &rows() const { return m_rows; }
    void assign(int columns, const QList<QStringList> &rows);

Q_SIGNALS:
    // The cells of an inclusive range changed text.
    void cellsChanged(int firstColumn, int firstRow, int lastColumn, int lastRow);
    // The shape changed; every cell may have moved.
    void shapeChanged();

private:
    void checkInside(int column, int row) const;

    int m_columns;
    QList<QStringList> m_rows;
};

} // namespace ludra
