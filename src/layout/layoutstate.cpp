#include "layout/layoutstate.h"

#include "common/text.h"

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
    for (int c = 0; c < LayoutColumns; ++c)
        for (int r = 0; r <= LayoutMaxRows; ++r)
            if (clears(table.value(c, r)))
                table.set(c, r, Marker::None);
}

bool isBlank(const QString &text)
{
    return TrimCtl(QStringView(text)).isEmpty();
}

// Translates names record by record: each record in catalogue order replaces
// a text equal to its name of one kind by its name of the other, and the next
// record sees the text the previous ones left. The records are indexed by the
// name they replace so that a text jumps straight to the next record that
// matches it.
class NameTranslator
{
public:
    NameTranslator(const TNanoList &nanoList, LayoutNames to)
    {
        const LayoutNames from = to == LayoutNames::ClusterNames ? LayoutNames::SkillNames : LayoutNames::ClusterNames;
        m_to.reserve(nanoList.count());
        for (int k = 0; k < nanoList.count(); ++k) {
            const TNano *nano = nanoList.at(k);
            m_to.append(NanoName(*nano, to));
            m_byName[NanoName(*nano, from)].append(k);
        }
    }

    QString translate(QString text) const
    {
        // An empty cell holds no name, even where a record's name is empty.
        if (text.isEmpty())
            return text;
        int next = 0;
        for (;;) {
            const auto found = m_byName.constFind(text);
            if (found == m_byName.constEnd())
                return text;
            const auto at = std::lower_bound(found->cbegin(), found->cend(), next);
            if (at == found->cend())
                return text;
            text = m_to.at(*at);
            next = *at + 1;
        }
    }

private:
    QStringList m_to;
    QHash<QString, QList<int>> m_byName;
};

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

LayoutState::LayoutState()
    : m_colorGrid(1, LayoutColumns - 1, 1, LayoutMaxRows, false),
      m_icons(0, LayoutColumns - 1, 0, LayoutMaxRows, Marker::None),
      m_secondIcons(0, LayoutColumns - 1, 0, LayoutMaxRows, Marker::None),
      m_stockIcons(0, LayoutColumns - 1, 0, LayoutMaxRows, Marker::None),
      m_stockSecondIcons(0, LayoutColumns - 1, 0, LayoutMaxRows, Marker::None)
{
}

LayoutSnapshot LayoutState::snapshot() const
{
    return LayoutSnapshot{m_table.columnCount(), m_table.rows(), m_colorGrid,      m_icons, m_secondIcons,
                          m_stockIcons,          m_stockSecondIcons, m_currentView, m_names, m_skills};
}

void LayoutState::restore(const LayoutSnapshot &snapshot)
{
    m_table.assign(snapshot.columns, snapshot.rows);
    m_colorGrid = snapshot.colorGrid;
    m_icons = snapshot.icons;
    m_secondIcons = snapshot.secondIcons;
    m_stockIcons = snapshot.stockIcons;
    m_stockSecondIcons = snapshot.stockSecondIcons;
    m_currentView = snapshot.view;
    m_names = snapshot.names;
    m_skills = snapshot.skills;
}

LayoutState::LayoutState(const LayoutState &other)
    : m_colorGrid(other.m_colorGrid), m_icons(other.m_icons), m_secondIcons(other.m_secondIcons),
      m_stockIcons(other.m_stockIcons), m_stockSecondIcons(other.m_stockSecondIcons),
      m_currentView(other.m_currentView), m_names(other.m_names), m_skills(other.m_skills),
      m_defaultSelections(other.m_defaultSelections), m_rules(other.m_rules)
{
    // The table is an object of its own, with signals: its cells are copied.
    m_table.assign(other.m_table.columnCount(), other.m_table.rows());
}

void LayoutState::prepareBodyView(const QStringList &bodySlots)
{
    m_table.setColumnCount(LayoutColumns);
    m_table.setRowCount(int(bodySlots.size()) + 1);
    const QStringList &types = ClusterTypeNames();
    for (int c = 1; c < LayoutColumns; ++c)
        m_table.setCell(c, 0, types.at(c - 1));
    for (int r = 1; r < m_table.rowCount(); ++r)
        m_table.setCell(0, r, bodySlots.at(r - 1));
    m_currentView = LayoutView::BodyPlacement;
}

void LayoutState::resetMarkTables()
{
    m_colorGrid.reset();
    m_icons.reset();
    m_secondIcons.reset();
    m_stockIcons.reset();
    m_stockSecondIcons.reset();
}

void LayoutState::clearMarks()
{
    resetMarkTables();
    m_currentView = LayoutView::BodyPlacement;
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
    for (int r = 1; r < m_table.rowCount(); ++r)
        for (int c = 1; c < m_table.columnCount(); ++c)
            m_table.setCell(c, r, QString());
    resetMarkTables();
    m_skills.restore({}, {});
    m_rules = AllocationRules();
}

void LayoutState::restoreView(LayoutView view, LayoutNames names)
{
    m_currentView = view;
    m_names = names;
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

bool LayoutState::setView(LayoutView view, const TNanoList &nanoList, const QStringList &bodySlots)
{
    // Duplicate marks belong to the skill/cluster-set view they arose in.
    if (view == m_currentView || CheckDuplicates())
        return false;
    if (view == LayoutView::SkillSet)
        BuildSkillView(nanoList);
    else
        BuildBodyView(bodySlots);
    return true;
}

void LayoutState::BuildSkillView(const TNanoList &nanoList)
{
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

    m_table.setColumnCount(LayoutColumns);
    m_table.setRowCount(count + 1);
    for (int k = 0; k < count; ++k) {
        const auto &s = placed[size_t(k)];
        m_table.setRow(k + 1, {NanoName(*nanoList.at(k), m_names), s[0], s[1], s[2]});
    }
    m_currentView = LayoutView::SkillSet;
}

void LayoutState::BuildBodyView(const QStringList &bodySlots)
{
    const int count = int(bodySlots.size());
    std::vector<std::array<QString, 3>> claims(static_cast<size_t>(count));
    for (int r = 1; r < m_table.rowCount(); ++r) {
        const QString header = m_table.cell(0, r);
        for (int c = 1; c < LayoutColumns; ++c) {
            const QString text = m_table.cell(c, r);
            if (text.isEmpty())
                continue;
            for (int k = 0; k < count; ++k) {
                if (bodySlots.at(k) == text)
                    claims[size_t(k)][size_t(c - 1)] = header;
            }
        }
    }

    m_table.setColumnCount(LayoutColumns);
    m_table.setRowCount(count + 1);
    for (int k = 0; k < count; ++k) {
        const auto &n = claims[size_t(k)];
        m_table.setRow(k + 1, {bodySlots.at(k), n[0], n[1], n[2]});
    }
    m_currentView = LayoutView::BodyPlacement;
}

bool LayoutState::setNames(LayoutNames names, const TNanoList &nanoList)
{
    if (names == m_names)
        return false;
    translateNames(names, nanoList);
    m_names = names;
    return true;
}

void LayoutState::translateNames(LayoutNames to, const TNanoList &nanoList)
{
    const NameTranslator translator(nanoList, to);
    if (m_currentView == LayoutView::BodyPlacement) {
        for (int r = 1; r < m_table.rowCount(); ++r)
            for (int c = 1; c < m_table.columnCount(); ++c)
                m_table.setCell(c, r, translator.translate(m_table.cell(c, r)));
    } else {
        for (int r = 0; r < m_table.rowCount(); ++r)
            m_table.setCell(0, r, translator.translate(m_table.cell(0, r)));
    }
}

QStringList LayoutState::pickList(const TNanoList &nanoList, int column, int row) const
{
    if (column < 1 || column >= m_table.columnCount() || row < 1 || row >= m_table.rowCount())
        return QStringList();
    const int typeColumn = ColumnForType(m_table.cell(column, 0));
    const QString rowName = m_table.cell(0, row);
    if (m_currentView == LayoutView::BodyPlacement)
        return FillBodyPickList(nanoList, rowName, typeColumn, m_names);
    return FillSkillPickList(nanoList, rowName, typeColumn, m_names);
}

void LayoutState::clearForAllocation()
{
    for (int r = 1; r < m_table.rowCount(); ++r)
        for (int c = 1; c < m_table.columnCount(); ++c)
            m_table.setCell(c, r, QString());
    resetMarkTables();
}

bool LayoutState::allocate(const QStringList &bodySlots)
{
    if (m_currentView != LayoutView::BodyPlacement)
        return false;
    if (m_rules.OverwriteOption == AllocationRules::ClearBeforeAllocation)
        clearForAllocation();
    const QList<SkillEntry> &selected = m_skills.selected();
    for (int c = 1; c < LayoutColumns; ++c) {
        if (!m_rules.includes(c))
            continue;
        for (const SkillEntry &entry : selected) {
            if (!entry.nano)
                continue;
            const int row = FindColForPart(bodySlots, NanoSlot(*entry.nano, c));
            if (row < 1 || row >= m_table.rowCount())
                continue;
            const QString &name = NanoName(*entry.nano, m_names);
            const QString current = m_table.cell(c, row);
            if (current.isEmpty())
                m_table.setCell(c, row, name);
            else if (current != name)
                m_icons.set(c, row, Marker::Conflict);
        }
    }
    return true;
}

bool LayoutState::editCell(int column, int row, const QString &text)
{
    const QString old = m_table.cell(column, row);
    m_table.setCell(column, row, text);

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

} // namespace ludra
