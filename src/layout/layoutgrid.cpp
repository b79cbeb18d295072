#include "layout/layoutgrid.h"

#include "data/referencedata.h"
#include "layout/layoutstate.h"
#include "views/widgets.h"

#include <QColor>
#include <QComboBox>

namespace ludra {

LayoutTableModel::LayoutTableModel(LayoutState &layout, QObject *parent)
    : TextTableModel(layout.table(), true, parent), m_layout(layout)
{
}

QVariant LayoutTableModel::markerImage(int column, int row) const
{
    const Marker marker = m_layout.shownMarker(column, row);
    if (marker == Marker::None)
        return QVariant();
    return MarkerIcon(int(marker));
}

QVariant LayoutTableModel::data(const QModelIndex &index, int role) const
{
    // The layout state and its table go together.
    if (!index.isValid() || !hasTable())
        return QVariant();
    const int column = tableColumn(index.column());
    const int row = tableRow(index.row());
    switch (role) {
    case Qt::DecorationRole:
        return markerImage(column, row);
    case Qt::ForegroundRole:
        // Pure red, as the duplicate warning is.
        if (m_layout.isDuplicate(column, row))
            return QColor(0xff, 0x00, 0x00);
        return QVariant();
    case Qt::EditRole:
        return TextTableModel::data(index, Qt::DisplayRole);
    default:
        return TextTableModel::data(index, role);
    }
}

QVariant LayoutTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DecorationRole || !hasTable())
        return TextTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal)
        return markerImage(tableColumn(section), 0);
    return markerImage(0, tableRow(section));
}

Qt::ItemFlags LayoutTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags result = TextTableModel::flags(index);
    if (index.isValid())
        result |= Qt::ItemIsEditable;
    return result;
}

void LayoutTableModel::refresh()
{
    const int rows = rowCount();
    const int columns = columnCount();
    if (columns > 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, columns - 1);
    if (rows > 0)
        Q_EMIT headerDataChanged(Qt::Vertical, 0, rows - 1);
    if (rows > 0 && columns > 0)
        Q_EMIT dataChanged(index(0, 0), index(rows - 1, columns - 1), {Qt::DecorationRole, Qt::ForegroundRole});
}

LayoutCellDelegate::LayoutCellDelegate(const LayoutState &layout, const ReferenceData &reference, Validate validate,
                                       QObject *parent)
    : QStyledItemDelegate(parent), m_layout(layout), m_reference(reference), m_validate(std::move(validate))
{
}

QWidget *LayoutCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                          const QModelIndex &) const
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("cboCellEditor"));
    combo->setAccessibleName(QStringLiteral("Cell choice"));
    combo->setEditable(false);
    combo->setFrame(false);
    // A choice taken from the list ends the edit at once.
    auto *self = const_cast<LayoutCellDelegate *>(this);
    connect(combo, &QComboBox::activated, self, [self, combo] {
        Q_EMIT self->commitData(combo);
        Q_EMIT self->closeEditor(combo);
    });
    return combo;
}

void LayoutCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *combo = qobject_cast<QComboBox *>(editor);
    const auto *model = qobject_cast<const TextTableModel *>(index.model());
    if (!combo || !model)
        return;
    const int column = model->tableColumn(index.column());
    const int row = model->tableRow(index.row());
    combo->clear();
    combo->addItems(m_layout.pickList(m_reference.nanoList(), column, row));
    combo->setCurrentIndex(combo->findText(index.data(Qt::DisplayRole).toString(),
                                           Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void LayoutCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *combo = qobject_cast<QComboBox *>(editor);
    const auto *table = qobject_cast<const TextTableModel *>(model);
    // Leaving the editor without a choice from the list keeps the cell.
    if (!combo || !table || combo->currentIndex() < 0 || !m_validate)
        return;
    m_validate(table->tableColumn(index.column()), table->tableRow(index.row()), combo->currentText());
}

void LayoutCellDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                              const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}

} // namespace ludra
