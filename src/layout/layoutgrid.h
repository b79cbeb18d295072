#pragma once

#include "views/texttablemodel.h"

#include <QStyledItemDelegate>

#include <functional>

namespace ludra {

class LayoutState;

// The layout table as the layout grid shows it: the cell texts, and besides
// them what is not a cell of the table: the marker image of each cell (data
// and header cells alike) and the red text of a cell marked as a duplicate.
class LayoutTableModel : public TextTableModel
{
    Q_OBJECT

public:
    LayoutTableModel(const LayoutState &layout, QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Markers and duplicate marks are kept apart from the cells, so a change
    // to them does not reach the grid on its own: this repaints every cell
    // and header.
    void refresh();

private:
    QVariant markerImage(int column, int row) const;

    const LayoutState &m_layout;
};

// The in-cell editor of the layout grid: a drop-down list filled, as the cell
// is about to be edited, with the cell's pick list, that offers only its
// listed choices. The arrow, Home, End and Page keys and typing move through
// the choices; Return, Tab (moving on to the next cell) or a click in the open
// list picks one, Escape leaves the cell. A choice is not written into the
// cell here: it goes to the validation handler, which needs the old text to
// judge the edit.
class LayoutCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using Validate = std::function<void(int column, int row, const QString &text)>;

    // The layout edited is the one the function gives at the time: the page
    // may turn to another document.
    LayoutCellDelegate(std::function<const LayoutState &()> layout, Validate validate, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

private:
    std::function<const LayoutState &()> m_layout;
    Validate m_validate;
};

} // namespace ludra
