#include "layout/layoutstate.h"

#include "common/text.h"
#include "text/messages.h"

#include <QHash>

#include <algorithm>
#include <array>

namespace ludra {

namespace {

// Whether a marker is one the program sets itself, which an edit that empties
// the cell takes away again.
bool isAutomatic(Marker marker)
{
    return marker == Marker::InStock || marker == Marker::BadCluster || marker == Marker::Conflict ||
           marker == Marker::NoStock;
}

// Takes every marker of a view's table that clears holds for off its cell.
template <typename Clears>
void clearMarkersWhere(TCellTable<Marker> &table, Clears clears)
{
    table.resetWhere([&clears](Marker marker) { return marker != Marker::None && clears(marker); });
}

bool isBlank(const QString &text)
{
    return TrimCtl(QStringView(text)).isEmpty();
}

} // namespace

const QString &NanoSlot(const TNano &nano, int column)
{
    static const QString none;
    switch (column) {
    case 1:
        return nano.ShiningSlot;
    case 2:
        return nano.BrightSlot;
    case 3:
        return nano.FadedSlot;
    default:
        return none;
    }
}

int ColumnForType(const QString &typeHeader)
{
    const QStringList &types = ClusterTypeNames();
    if (typeHeader == types.at(0))
        return 1;
    if (typeHeader == types.at(1))
        return 2;
    return 3;
}

QStringList FillBodyPickList(const TNanoList &nanoList, const QString &slot, int column, LayoutNames names)
{
    QStringList choices{BlankChoice};
    for (int k = 0; k < nanoList.count(); ++k) {
        const TNano &nano = *nanoList.at(k);
        if (NanoSlot(nano, column) == slot)
            choices.append(NanoName(nano, names));
    }
    return choices;
}

QStringList FillSkillPickList(const TNanoList &nanoList, const QString &rowName, int column, LayoutNames names)
{
    QStringList choices{BlankChoice};
    for (int k = 0; k < nanoList.count(); ++k) {
        const TNano &nano = *nanoList.at(k);
        if (NanoName(nano, names) == rowName)
            choices.append(NanoSlot(nano, column));
    }
    return choices;
}

namespace {

// The catalogue of a layout that has been given none.
const TNanoList &noCatalogue()
{
    static const TNanoList empty;
    return empty;
}

} // namespace

LayoutState::LayoutState()
    : m_catalogue(&noCatalogue()),
      m_colorGrid(1, LayoutColumns - 1, 1, LayoutMaxRows, false),
      m_stockIcons(0, LayoutColumns - 1, 0, LayoutMaxRows, Marker::None),
      m_stockSecondIcons(0, LayoutColumns - 1, 0, LayoutMaxRows, Marker::None)
{
    showBodyRows();
}

void LayoutState::setCatalogue(const TNanoList &nanoList)
{
    m_catalogue = &nanoList;
    m_catalogueNames = CatalogueNames(nanoList);
    m_plan.bodySlots = {};
    m_currentView = LayoutView::BodyPlacement;
    showBodyRows();
}

LayoutSnapshot LayoutState::snapshot() const
{
    return LayoutSnapshot{m_plan,
                          m_currentView,
                          m_names,
                          m_currentView == LayoutView::SkillSet ? m_table.rows() : QList<QStringList>(),
                          m_colorGrid,
                          m_stockIcons,
                          m_stockSecondIcons};
}

void LayoutState::restore(const LayoutSnapshot &snapshot)
{
    m_plan = snapshot.plan;
    m_currentView = snapshot.view;
    m_names = snapshot.names;
    m_colorGrid = snapshot.colorGrid;
    m_stockIcons = snapshot.stockIcons;
    m_stockSecondIcons = snapshot.stockSecondIcons;
    if (m_currentView == LayoutView::SkillSet)
        m_table.assign(LayoutColumns, snapshot.skillRows);
    else
        showBodyRows();
}

void LayoutState::showBodyRows()
{
    const QStringList &types = ClusterTypeNames();
    const QStringList &bodySlots = BodySlotNames();
    const auto shown = [this, &bodySlots](int column, int row) -> QString {
        if (column == 0)
            return bodySlots.at(row - 1);
        return m_plan.cell(row - 1, column - 1).shown(m_names, m_catalogueNames);
    };
    if (m_table.columnCount() != LayoutColumns || m_table.rowCount() != BodySlotCount + 1) {
        QList<QStringList> rows;
        rows.reserve(BodySlotCount + 1);
        rows.append({QString(), types.at(0), types.at(1), types.at(2)});
        for (int r = 1; r <= BodySlotCount; ++r)
            rows.append({shown(0, r), shown(1, r), shown(2, r), shown(3, r)});
        m_table.assign(LayoutColumns, rows);
        return;
    }
    // The same shape: only the cells that differ change, so a view repaints
    // no more than it must.
    const auto show = [this](int column, int row, const QString &text) {
        if (m_table.cell(column, row) != text)
            m_table.setCell(column, row, text);
    };
    show(0, 0, QString());
    for (int c = 1; c < LayoutColumns; ++c)
        show(c, 0, types.at(c - 1));
    for (int r = 1; r <= BodySlotCount; ++r)
        for (int c = 0; c < LayoutColumns; ++c)
            show(c, r, shown(c, r));
}

void LayoutState::showSkillRows()
{
    // Every record's slots, from the names the body-placement grid shows: a
    // cell's name reaches every record of that name, and of two slots holding
    // the name the later one counts.
    const TNanoList &nanoList = *m_catalogue;
    const int count = nanoList.count();
    QHash<QString, QList<int>> recordsByName;
    recordsByName.reserve(count);
    for (int k = 0; k < count; ++k)
        recordsByName[NanoName(*nanoList.at(k), m_names)].append(k);

    std::vector<std::array<QString, 3>> placed(static_cast<size_t>(count));
    for (int r = 1; r < m_table.rowCount(); ++r) {
        const QString slot = m_table.cell(0, r);
        for (int c = 1; c < LayoutColumns; ++c) {
            const QString text = m_table.cell(c, r);
            if (text.isEmpty())
                continue;
            const auto found = recordsByName.constFind(text);
            if (found == recordsByName.constEnd())
                continue;
            for (int k : *found)
                placed[size_t(k)][size_t(c - 1)] = slot;
        }
    }

    // Row 0 keeps the type headers.
    QList<QStringList> rows{m_table.row(0)};
    rows.reserve(count + 1);
    for (int k = 0; k < count; ++k) {
        const auto &s = placed[size_t(k)];
        rows.append({NanoName(*nanoList.at(k), m_names), s[0], s[1], s[2]});
    }
    m_table.assign(LayoutColumns, rows);
    m_currentView = LayoutView::SkillSet;
    readSkillRows();
}

void LayoutState::readSkillRows()
{
    // Each slot and type takes the name of the row that claims it; the lowest
    // such row wins.
    const QStringList &bodySlots = BodySlotNames();
    QHash<QString, int> slotIndex;
    for (int k = 0; k < BodySlotCount; ++k)
        slotIndex.insert(bodySlots.at(k), k);
    std::array<std::array<QString, ClusterTypeCount>, BodySlotCount> claims{};
    for (int r = 1; r < m_table.rowCount(); ++r) {
        const QString header = m_table.cell(0, r);
        for (int c = 1; c < LayoutColumns; ++c) {
            const QString text = m_table.cell(c, r);
            if (text.isEmpty())
                continue;
            const auto found = slotIndex.constFind(text);
            if (found != slotIndex.constEnd())
                claims[size_t(*found)][size_t(c - 1)] = header;
        }
    }
    for (int k = 0; k < BodySlotCount; ++k)
        for (int t = 0; t < ClusterTypeCount; ++t)
            m_plan.setCell(k, t, PlanCell::fromText(claims[size_t(k)][size_t(t)], m_names, m_catalogueNames));
}

void LayoutState::prepareBodyView()
{
    m_currentView = LayoutView::BodyPlacement;
    showBodyRows();
}

void LayoutState::resetMarkTables()
{
    m_colorGrid.reset();
    m_plan.slotMarkers.reset();
    m_plan.recordMarkers.reset();
    m_stockIcons.reset();
    m_stockSecondIcons.reset();
}

void LayoutState::clearMarks()
{
    resetMarkTables();
    if (m_currentView != LayoutView::BodyPlacement)
        prepareBodyView();
}

void LayoutState::setStockMarker(int column, int row, Marker marker)
{
    TCellTable<Marker> &stock = stockMarkers(m_currentView);
    if (stock.contains(column, row))
        stock.set(column, row, marker);
}

void LayoutState::clearStockStatusMarkers()
{
    m_stockIcons.reset();
    m_stockSecondIcons.reset();
    // A project of an older version holds the stock status among the
    // markers themselves.
    for (LayoutView view : {LayoutView::BodyPlacement, LayoutView::SkillSet})
        clearMarkersWhere(markers(view),
                          [](Marker marker) { return isAutomatic(marker) && marker != Marker::Conflict; });
}

void LayoutState::clearStockMarkers()
{
    m_stockIcons.reset();
    m_stockSecondIcons.reset();
    for (LayoutView view : {LayoutView::BodyPlacement, LayoutView::SkillSet})
        clearMarkersWhere(markers(view), isAutomatic);
}

void LayoutState::resetForProject()
{
    m_plan = Plan();
    resetMarkTables();
    m_rules = AllocationRules();
    if (m_currentView == LayoutView::BodyPlacement) {
        showBodyRows();
        return;
    }
    for (int r = 1; r < m_table.rowCount(); ++r)
        for (int c = 1; c < m_table.columnCount(); ++c)
            m_table.setCell(c, r, QString());
}

void LayoutState::restoreGrid(LayoutView view, LayoutNames names, const QList<QStringList> &rows)
{
    m_names = names;
    if (rows.isEmpty()) {
        m_currentView = LayoutView::BodyPlacement;
        showBodyRows();
        if (view == LayoutView::SkillSet)
            showSkillRows();
        return;
    }
    if (view == LayoutView::BodyPlacement) {
        // Row n is slot n, as the grid always has it.
        for (int k = 0; k < BodySlotCount; ++k) {
            const QStringList row = rows.value(k + 1);
            for (int t = 0; t < ClusterTypeCount; ++t)
                m_plan.setCell(k, t, PlanCell::fromText(row.value(t + 1), names, m_catalogueNames));
        }
        m_currentView = LayoutView::BodyPlacement;
        showBodyRows();
        return;
    }
    QList<QStringList> shown = rows;
    for (QStringList &row : shown) {
        while (row.size() < LayoutColumns)
            row.append(QString());
        if (row.size() > LayoutColumns)
            row = row.mid(0, LayoutColumns);
    }
    m_table.assign(LayoutColumns, shown);
    m_currentView = LayoutView::SkillSet;
    readSkillRows();
}

void LayoutState::restoreDuplicateMark(int column, int row, bool marked)
{
    if (m_colorGrid.contains(column, row))
        m_colorGrid.set(column, row, marked);
}

void LayoutState::restoreMarker(LayoutView view, int column, int row, Marker marker)
{
    TCellTable<Marker> &table = markers(view);
    if (table.contains(column, row))
        table.set(column, row, marker);
}

QString LayoutState::duplicateMarkText(int column, int row) const
{
    if (!isDuplicate(column, row))
        return QString();
    const QString slot = TrimCtl(m_table.cell(column, row));
    // A mark is never stored empty: empty means unmarked.
    return slot.isEmpty() ? QStringLiteral("1") : slot;
}

bool LayoutState::setView(LayoutView view)
{
    // Duplicate marks belong to the skill/cluster-set view they arose in.
    if (view == m_currentView || CheckDuplicates())
        return false;
    if (view == LayoutView::SkillSet)
        showSkillRows();
    else
        prepareBodyView();
    return true;
}

void LayoutState::forceBodyView()
{
    if (m_currentView == LayoutView::BodyPlacement)
        return;
    m_colorGrid.reset();
    prepareBodyView();
}

bool LayoutState::setNames(LayoutNames names)
{
    if (names == m_names)
        return false;
    m_names = names;
    if (m_currentView == LayoutView::BodyPlacement) {
        for (PlanSlot &slot : m_plan.bodySlots)
            for (PlanCell &cell : slot.clusters)
                cell = cell.switchedTo(names, m_catalogueNames);
        showBodyRows();
    } else {
        for (int r = 0; r < m_table.rowCount(); ++r)
            m_table.setCell(0, r, m_catalogueNames.translate(m_table.cell(0, r), names));
        readSkillRows();
    }
    return true;
}

QStringList LayoutState::pickList(int column, int row) const
{
    if (column < 1 || column >= m_table.columnCount() || row < 1 || row >= m_table.rowCount())
        return QStringList();
    const int typeColumn = ColumnForType(m_table.cell(column, 0));
    const QString rowName = m_table.cell(0, row);
    if (m_currentView == LayoutView::BodyPlacement)
        return FillBodyPickList(*m_catalogue, rowName, typeColumn, m_names);
    return FillSkillPickList(*m_catalogue, rowName, typeColumn, m_names);
}

void LayoutState::clearForAllocation()
{
    // A slot holding a symbiant is the player's choice: allocation keeps it,
    // and the clusters it holds for when it goes back to an implant.
    for (PlanSlot &slot : m_plan.bodySlots)
        if (!slot.holdsSymbiant())
            slot = PlanSlot();
    resetMarkTables();
    showBodyRows();
}

bool LayoutState::allocate()
{
    if (m_currentView != LayoutView::BodyPlacement)
        return false;
    if (m_rules.OverwriteOption == AllocationRules::ClearBeforeAllocation)
        clearForAllocation();
    const QList<SkillEntry> &selected = m_plan.skills.selected();
    const QStringList &bodySlots = BodySlotNames();
    for (int c = 1; c < LayoutColumns; ++c) {
        if (!m_rules.includes(c))
            continue;
        for (const SkillEntry &entry : selected) {
            if (!entry.nano)
                continue;
            const int row = FindColForPart(bodySlots, NanoSlot(*entry.nano, c));
            if (row < 1 || row > BodySlotCount || m_plan.bodySlots.at(std::size_t(row - 1)).holdsSymbiant())
                continue;
            const QString &name = NanoName(*entry.nano, m_names);
            const QString current = m_table.cell(c, row);
            if (current.isEmpty()) {
                m_plan.setCell(row - 1, c - 1, PlanCell::fromText(name, m_names, m_catalogueNames));
                m_table.setCell(c, row, name);
            } else if (current != name) {
                m_plan.slotMarkers.set(c, row, Marker::Conflict);
            }
        }
    }
    return true;
}

bool LayoutState::allocationErases() const
{
    for (int row = 1; row <= BodySlotCount; ++row) {
        const PlanSlot &slot = m_plan.bodySlots.at(std::size_t(row - 1));
        if (slot.holdsSymbiant())
            continue;
        if (!(slot == PlanSlot()))
            return true;
        for (int c = 1; c < LayoutColumns; ++c)
            if (m_plan.slotMarkers.value(c, row) != Marker::None)
                return true;
    }
    return false;
}

QList<AllocationShortfall> LayoutState::allocationShortfalls() const
{
    QList<AllocationShortfall> shortfalls;
    if (m_currentView != LayoutView::BodyPlacement)
        return shortfalls;
    const QStringList &bodySlots = BodySlotNames();
    for (int c = 1; c < LayoutColumns; ++c) {
        if (!m_rules.includes(c))
            continue;
        for (const SkillEntry &entry : m_plan.skills.selected()) {
            if (!entry.nano)
                continue;
            const int row = FindColForPart(bodySlots, NanoSlot(*entry.nano, c));
            // A skill without a cluster of this type has nothing to place.
            if (row < 1 || row > BodySlotCount)
                continue;
            const PlanSlot &slot = m_plan.bodySlots.at(std::size_t(row - 1));
            const QString held = m_table.cell(c, row);
            if (!slot.holdsSymbiant() && held == NanoName(*entry.nano, m_names))
                continue;
            shortfalls.append(AllocationShortfall{entry.name, c, bodySlots.at(row - 1),
                                                  slot.holdsSymbiant() ? QString() : held, slot.symbiant});
        }
    }
    return shortfalls;
}

QStringList AllocationShortfallLines(const QList<AllocationShortfall> &shortfalls)
{
    QStringList lines;
    for (const AllocationShortfall &s : shortfalls) {
        const QString type = ClusterTypeNames().at(s.type - 1);
        lines.append(s.symbiant.isEmpty()
                         ? LangMsg(Msg::AllocationHeldLine).arg(s.skill, type, s.slot, s.heldBy)
                         : LangMsg(Msg::AllocationSymbiantLine).arg(s.skill, type, s.slot, s.symbiant));
    }
    return lines;
}

bool LayoutState::editCell(int column, int row, const QString &text)
{
    // A slot holding a symbiant shows the symbiant in its cells: they take
    // no text, and the clusters beneath stay for when it is an implant again.
    if (m_currentView == LayoutView::BodyPlacement && column >= 1 && column < LayoutColumns && row >= 1 &&
        row <= BodySlotCount && m_plan.bodySlots.at(std::size_t(row - 1)).holdsSymbiant())
        return CheckDuplicates();
    const QString old = m_table.cell(column, row);
    m_table.setCell(column, row, text);
    if (m_currentView == LayoutView::BodyPlacement) {
        if (column >= 1 && column < LayoutColumns && row >= 1 && row <= BodySlotCount)
            m_plan.setCell(row - 1, column - 1, PlanCell::fromText(text, m_names, m_catalogueNames));
    } else {
        readSkillRows();
    }

    TCellTable<Marker> &icons = markers(m_currentView);
    if (isBlank(text)) {
        if (isAutomatic(icons.value(column, row)))
            icons.set(column, row, Marker::None);
        setStockMarker(column, row, Marker::None);
    }

    // Rows beyond the cell tables (a catalogue of more than 399 records)
    // neither take nor give duplicate marks.
    if (m_colorGrid.contains(column, row)) {
        const bool wasMarked = m_colorGrid.value(column, row);
        m_colorGrid.set(column, row, false);
        const int lastRow = std::min(m_table.rowCount() - 1, LayoutMaxRows);

        if (m_currentView == LayoutView::SkillSet) {
            for (int k = 1; k <= lastRow; ++k) {
                if (k == row)
                    continue;
                const QString other = m_table.cell(column, k);
                if (other == text && !isBlank(other)) {
                    m_colorGrid.set(column, k, true);
                    m_colorGrid.set(column, row, true);
                }
            }
        }

        // A marked cell's mark stands for its text; when the edit leaves only
        // one cell of the old text marked, it repeats nothing any more.
        if (wasMarked) {
            int left = 0;
            int leftRow = 0;
            for (int k = 1; k <= lastRow; ++k) {
                if (m_colorGrid.value(column, k) && m_table.cell(column, k) == old) {
                    ++left;
                    leftRow = k;
                }
            }
            if (left == 1)
                m_colorGrid.set(column, leftRow, false);
        }
    }
    return CheckDuplicates();
}

bool LayoutState::CheckDuplicates() const
{
    const int lastRow = std::min(m_table.rowCount() - 1, LayoutMaxRows);
    for (int r = 1; r <= lastRow; ++r)
        for (int c = 1; c < LayoutColumns; ++c)
            if (m_colorGrid.value(c, r))
                return true;
    return false;
}

bool LayoutState::setMarker(int column, int row, Marker marker)
{
    if (column < 0 || column >= m_table.columnCount() || row < 0 || row >= m_table.rowCount())
        return false;
    TCellTable<Marker> &icons = markers(m_currentView);
    if (!icons.contains(column, row))
        return false;
    icons.set(column, row, marker);
    setStockMarker(column, row, Marker::None);
    return true;
}

const TextTable &ShownLayoutTable(const LayoutState &layout, TextTable &shown)
{
    const Plan &plan = layout.plan();
    if (!plan.holdsSymbiants() || layout.currentView() != LayoutView::BodyPlacement)
        return layout.table();
    shown.assign(layout.table().columnCount(), layout.table().rows());
    for (int slot = 0; slot < BodySlotCount; ++slot) {
        if (plan.symbiant(slot).isEmpty() || slot + 1 >= shown.rowCount())
            continue;
        for (int column = 1; column < shown.columnCount(); ++column)
            shown.setCell(column, slot + 1, column == 1 ? plan.symbiant(slot) : QString());
    }
    return shown;
}

} // namespace ludra
