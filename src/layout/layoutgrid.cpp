#include "layout/layoutgrid.h"

#include "data/referencedata.h"
#include "layout/layoutstate.h"
#include "layout/symbiantslots.h"
#include "views/widgets.h"

#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFont>
#include <QKeyEvent>
#include <QWheelEvent>

#include <algorithm>

namespace ludra {

namespace {

// The drop-down of a layout cell while it is edited. Moving through the
// choices (arrow, Home, End and Page keys, typing, the wheel) only changes
// the shown choice; the edit ends with it on Return, Tab or the focus leaving,
// and with none on Escape (the delegate's own keys), or at once when a choice
// is picked from the open list.
class CellChoiceBox : public QComboBox
{
public:
    using QComboBox::QComboBox;

    // Whether the box is moving its choice for a key or the wheel; a
    // choice taken then is no pick from the list.
    bool moving() const { return m_moving; }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const bool plain = !(event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier));
        const int last = count() - 1;
        const int current = currentIndex();
        // A page is what the open list shows at a time.
        const int page = std::max(1, maxVisibleItems() - 1);
        int to = -1;
        switch (plain && last >= 0 ? event->key() : Qt::Key_unknown) {
        case Qt::Key_Up:
            to = std::max(0, current - 1);
            break;
        case Qt::Key_Down:
            to = std::min(last, current + 1);
            break;
        case Qt::Key_PageUp:
            to = std::max(0, current - page);
            break;
        case Qt::Key_PageDown:
            to = std::min(last, current + page);
            break;
        case Qt::Key_Home:
            to = 0;
            break;
        case Qt::Key_End:
            to = last;
            break;
        default:
            break;
        }
        if (to >= 0) {
            setCurrentIndex(to);
            event->accept();
            return;
        }
        const QString typed = event->text();
        if (plain && !typed.isEmpty() && typed.at(0).isPrint() && !typed.at(0).isSpace()) {
            search(typed);
            event->accept();
            return;
        }
        // Space, Alt+Down and F4 open the list; Return and Escape are the
        // delegate's.
        m_moving = true;
        QComboBox::keyPressEvent(event);
        m_moving = false;
    }

    void wheelEvent(QWheelEvent *event) override
    {
        m_moving = true;
        QComboBox::wheelEvent(event);
        m_moving = false;
    }

private:
    // Typing moves to the first choice that starts with the letters typed in
    // quick succession (without regard to case); the same letter again moves
    // on to the next choice starting with it. No match leaves the choice.
    void search(const QString &typed)
    {
        const bool goesOn = m_typedTime.isValid() && m_typedTime.elapsed() < QApplication::keyboardInputInterval();
        m_typed = goesOn ? m_typed + typed : typed;
        m_typedTime.start();
        const bool repeated = m_typed.size() > 1 && m_typed.count(m_typed.front()) == m_typed.size();
        const QString start = repeated ? m_typed.left(1) : m_typed;
        const int from = repeated ? currentIndex() + 1 : 0;
        for (int i = 0; i < count(); ++i) {
            const int candidate = (from + i) % count();
            if (itemText(candidate).startsWith(start, Qt::CaseInsensitive)) {
                setCurrentIndex(candidate);
                return;
            }
        }
    }

    bool m_moving = false;
    QString m_typed;
    QElapsedTimer m_typedTime;
};

} // namespace

LayoutTableModel::LayoutTableModel(const LayoutState &layout, std::function<const SymbiantTable *()> symbiants,
                                   QObject *parent)
    : TextTableModel(layout.table(), true, parent), m_layout(layout), m_symbiants(std::move(symbiants))
{
}

int LayoutTableModel::symbiantSlot(int viewRow) const
{
    const int slot = tableRow(viewRow) - 1;
    if (!hasTable() || m_layout.currentView() != LayoutView::BodyPlacement || slot < 0 || slot >= BodySlotCount)
        return -1;
    return m_layout.plan().bodySlots.at(std::size_t(slot)).holdsSymbiant() ? slot : -1;
}

QVariant LayoutTableModel::symbiantCell(int slot, int column, int role) const
{
    const QString &title = m_layout.plan().symbiant(slot);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return column == 1 ? title : QString();
    case Qt::ToolTipRole: {
        const SymbiantTable *table = symbiants();
        const Symbiant *symbiant = table ? table->find(title) : nullptr;
        return symbiant ? SymbiantDescription(*symbiant) : title;
    }
    case Qt::DecorationRole:
        return markerImage(column, slot + 1);
    default:
        return QVariant();
    }
}

QStringList LayoutTableModel::rowSources(int row) const
{
    if (m_layout.currentView() != LayoutView::SkillSet || !m_layout.plan().holdsSymbiants())
        return QStringList();
    const TNano *record = m_layout.catalogue().at(row - 1);
    const SymbiantTable *table = symbiants();
    if (!record || !table)
        return QStringList();
    return SymbiantSources(m_layout.plan(), *table, record->SkillName);
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
    if (const int slot = symbiantSlot(index.row()); slot >= 0)
        return symbiantCell(slot, column, role);
    switch (role) {
    case Qt::DecorationRole:
        return markerImage(column, row);
    case Qt::ForegroundRole:
        // The warning red, as the duplicate warning is; other text in the
        // palette's own colour.
        if (m_layout.isDuplicate(column, row))
            return WarningRed();
        return QVariant();
    case Qt::EditRole:
        return TextTableModel::data(index, Qt::DisplayRole);
    default:
        return TextTableModel::data(index, role);
    }
}

QVariant LayoutTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical && hasTable() &&
        (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole || role == Qt::FontRole)) {
        const QStringList sources = rowSources(tableRow(section));
        if (sources.isEmpty())
            return TextTableModel::headerData(section, orientation, role);
        if (role == Qt::FontRole) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return QStringLiteral("Raised by a symbiant: ") + sources.join(QStringLiteral("; "));
    }
    if (role != Qt::DecorationRole || !hasTable())
        return TextTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal)
        return markerImage(tableColumn(section), 0);
    return markerImage(0, tableRow(section));
}

Qt::ItemFlags LayoutTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags result = TextTableModel::flags(index);
    if (index.isValid() && symbiantSlot(index.row()) < 0)
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
        // Every role: a slot's symbiant is shown from the plan, not the table.
        Q_EMIT dataChanged(index(0, 0), index(rows - 1, columns - 1));
}

LayoutCellDelegate::LayoutCellDelegate(std::function<const LayoutState &()> layout, Validate validate, QObject *parent)
    : QStyledItemDelegate(parent), m_layout(std::move(layout)), m_validate(std::move(validate))
{
}

QWidget *LayoutCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    auto *combo = new CellChoiceBox(parent);
    combo->setObjectName(QStringLiteral("cboCellEditor"));
    // Named by its row and column, as the grid's headers show them.
    const QAbstractItemModel *model = index.model();
    combo->setAccessibleName(model->headerData(index.row(), Qt::Vertical).toString() + QStringLiteral(", ") +
                             model->headerData(index.column(), Qt::Horizontal).toString());
    combo->setEditable(false);
    combo->setFrame(false);
    // A choice picked from the open list ends the edit at once; moving
    // through the choices with the keys does not.
    auto *self = const_cast<LayoutCellDelegate *>(this);
    connect(combo, &QComboBox::activated, self, [self, combo] {
        if (combo->moving())
            return;
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
    combo->addItems(m_layout().pickList(column, row));
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
