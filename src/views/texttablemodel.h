#pragma once

#include "common/texttable.h"

#include <QAbstractTableModel>
#include <QPointer>

namespace ludra {

// Shows a TextTable in a table view. Row 0 of the table becomes the view's
// horizontal header; with headerColumn set, column 0 becomes the vertical
// header, as the fixed row and column of a grid. The model keeps no copy of
// the cells: it reads the table and follows its change signals. It holds the
// table by a guarded pointer, so a view that outlives its table shows an
// empty grid rather than reading freed cells.
class TextTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    TextTableModel(const TextTable &table, bool headerColumn, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The table cell a view index shows, and back.
    int tableColumn(int viewColumn) const { return viewColumn + m_firstColumn; }
    int tableRow(int viewRow) const { return viewRow + 1; }

protected:
    // Whether the table is still there; a model over a table that is gone
    // shows nothing.
    bool hasTable() const { return !m_table.isNull(); }

private:
    void onCellsChanged(int firstColumn, int firstRow, int lastColumn, int lastRow);

    QPointer<const TextTable> m_table;
    int m_firstColumn;
};

} // namespace ludra
