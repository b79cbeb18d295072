#pragma once

#include "views/texttablemodel.h"

#include <QStyledItemDelegate>

#include <functional>

namespace ludra {

class LayoutState;
class SymbiantTable;

// The layout table as the layout grid shows it: the cell texts, and besides
// them what is not a cell of the table: the marker image of each cell (data
// and header cells alike) and the red text of a cell marked as a duplicate.
// In the body-placement view a slot holding a symbiant shows its title in
// the first cluster cell (the grid spans it over the three), with what it
// needs as the tip, and takes no edit; the clusters it keeps are not shown.
// In the skill/cluster-set view the name of a record whose skill a symbiant
// of the plan raises is bold, with the symbiants as its tip and accessible
// description.
class LayoutTableModel : public TextTableModel
{
    Q_OBJECT

public:
    // symbiants gives the symbiant table when it is asked for (nullptr when
    // it cannot be read); it is asked only while the plan holds a symbiant.
    LayoutTableModel(const LayoutState &layout, std::function<const SymbiantTable *()> symbiants = {},
                     QObject *parent = nullptr);

    // The body slot (0 to 12) a view row shows holding a symbiant; -1 for
    // any other row, and in the skill/cluster-set view.
    int symbiantSlot(int viewRow) const;

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Markers and duplicate marks are kept apart from the cells, so a change
    // to them does not reach the grid on its own: this repaints every cell
    // and header.
    void refresh();

private:
    QVariant markerImage(int column, int row) const;
    QVariant symbiantCell(int slot, int column, int role) const;
    // The symbiants of the plan that raise the skill of a row of the
    // skill/cluster-set view (SymbiantSources).
    QStringList rowSources(int row) const;
    const SymbiantTable *symbiants() const { return m_symbiants ? m_symbiants() : nullptr; }

    const LayoutState &m_layout;
    std::function<const SymbiantTable *()> m_symbiants;
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
