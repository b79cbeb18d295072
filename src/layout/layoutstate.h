#pragma once

#include "common/texttable.h"
#include "data/nano.h"
#include "layout/allocationrules.h"
#include "layout/celltable.h"
#include "layout/defaultselections.h"
#include "layout/marker.h"
#include "layout/skilllists.h"

#include <QStringList>

namespace ludra {

// The layout grid has four columns: the row header and one per cluster type.
inline constexpr int LayoutColumns = 4;

// What the layout table holds: one row per body slot, or one row per
// catalogue record.
enum class LayoutView { BodyPlacement = 0, SkillSet = 1 };

// Which names the layout shows for catalogue records.
enum class LayoutNames { SkillNames = 0, ClusterNames = 1 };

// The first choice of every pick list: a single blank. Placed in a cell it
// counts as occupied for allocation and as empty for markers and duplicates.
inline const QString BlankChoice = QStringLiteral(" ");

// The name a record goes by under the given kind of names.
inline const QString &NanoName(const TNano &nano, LayoutNames names)
{
    return names == LayoutNames::SkillNames ? nano.SkillName : nano.ClusterName;
}

// A record's slot for the cluster type of a layout column (1 Shining,
// 2 Bright, 3 Faded); empty for any other column.
const QString &NanoSlot(const TNano &nano, int column);

// The layout column of a cluster type header: "Shining" 1, "Bright" 2,
// anything else 3 (Faded).
int ColumnForType(const QString &typeHeader);

// The choices for a body-placement cell: the blank, then the name of every
// record whose slot for the column's type is the slot, in catalogue order.
QStringList FillBodyPickList(const TNanoList &nanoList, const QString &slot, int column, LayoutNames names);
// The choices for a skill/cluster-set cell: the blank, then the slot for the
// column's type of every record that goes by the row's name.
QStringList FillSkillPickList(const TNanoList &nanoList, const QString &rowName, int column, LayoutNames names);

// The plan as the layout holds it at one moment: the table, its duplicate
// marks and the markers of both views, the view and names shown, and the
// skill lists. A copy shares its data with the layout until either changes,
// so keeping one for every step of an undo history costs little.
struct LayoutSnapshot
{
    int columns = 0;
    QList<QStringList> rows;
    TCellTable<bool> colorGrid{1, LayoutColumns - 1, 1, LayoutMaxRows, false};
    TCellTable<Marker> icons{0, LayoutColumns - 1, 0, LayoutMaxRows, Marker::None};
    TCellTable<Marker> secondIcons{0, LayoutColumns - 1, 0, LayoutMaxRows, Marker::None};
    TCellTable<Marker> stockIcons{0, LayoutColumns - 1, 0, LayoutMaxRows, Marker::None};
    TCellTable<Marker> stockSecondIcons{0, LayoutColumns - 1, 0, LayoutMaxRows, Marker::None};
    LayoutView view = LayoutView::BodyPlacement;
    LayoutNames names = LayoutNames::SkillNames;
    SkillLists skills;

    bool operator==(const LayoutSnapshot &) const = default;
};

// The layout: the table the layout grid shows, the duplicate marks of its
// cells, the markers of each view's cells, the skill lists, the default
// selections and the allocation rules, with the operations of the Layout tab.
class LayoutState
{
public:
    LayoutState();
    // A copy of every part, to be switched to another view or names without
    // touching the layout the user sees.
    LayoutState(const LayoutState &other);
    LayoutState &operator=(const LayoutState &) = delete;

    // The layout table (LayoutTable): row 0 holds the cluster type headers,
    // column 0 the slot or record name of each row.
    TextTable &table() { return m_table; }
    const TextTable &table() const { return m_table; }

    SkillLists &skills() { return m_skills; }
    const SkillLists &skills() const { return m_skills; }
    DefaultSelections &defaultSelections() { return m_defaultSelections; }
    const DefaultSelections &defaultSelections() const { return m_defaultSelections; }
    // Applies a default selection group (see DefaultSelections::ClickMenu).
    int ClickMenu(int line) { return m_defaultSelections.ClickMenu(line, m_skills); }

    const AllocationRules &rules() const { return m_rules; }
    void setRules(const AllocationRules &rules) { m_rules = rules; }

    LayoutView currentView() const { return m_currentView; }
    LayoutNames names() const { return m_names; }

    // Arranges the table for the body-placement view: the type headers in row
    // 0 and one row per body slot, the slot's name in column 0. Data cells
    // keep their text.
    void prepareBodyView(const QStringList &bodySlots);

    // Whether a data cell's text repeats another cell's (ColorGrid).
    bool isDuplicate(int column, int row) const { return m_colorGrid.value(column, row); }
    // The marker a cell carries in a view (Icons and SecondIcons): the
    // player's own or allocation's, whatever stock status lies over it. This
    // is what a project stores.
    Marker marker(LayoutView view, int column, int row) const { return markers(view).value(column, row); }
    // The marker the grid shows on a cell of the current view: its stock
    // status while it has one, else its own marker.
    Marker shownMarker(int column, int row) const
    {
        const Marker stock = stockMarkers(m_currentView).value(column, row);
        return stock != Marker::None ? stock : marker(m_currentView, column, row);
    }
    // Puts a stock status marker (in stock, no stock, no implant) over a cell
    // of the current view; the cell's own marker stays beneath it.
    void setStockMarker(int column, int row, Marker marker);

    // Clears the duplicate marks and the markers of both views and returns to
    // the body-placement view.
    void clearMarks();

    // Clears the duplicate marks of every data cell; the markers stay.
    void clearDuplicateMarks() { m_colorGrid.reset(); }

    // Takes the automatic markers (in stock, no implant, conflict, no stock)
    // off every cell of both views: the stock status goes, and the player's
    // own markers beneath it show again.
    void clearStockMarkers();
    // Takes only the stock status's markers (in stock, no implant, no stock)
    // off both views; allocation's conflicts stay.
    void clearStockStatusMarkers();

    // The plan as it stands, and the plan put back as a snapshot held it.
    LayoutSnapshot snapshot() const;
    void restore(const LayoutSnapshot &snapshot);

    // Restoring a stored layout.

    // Empties the data cells, the duplicate marks, the markers of both views
    // and both skill lists, and puts the allocation rules back to their
    // first state.
    void resetForProject();
    // Takes the view and names as stored, translating nothing: the table
    // already holds that view with those names.
    void restoreView(LayoutView view, LayoutNames names);
    // Sets a duplicate mark or a marker of a view; a cell outside the tables
    // is left alone.
    void restoreDuplicateMark(int column, int row, bool marked);
    void restoreMarker(LayoutView view, int column, int row, Marker marker);
    // The stored form of a duplicate mark: the slot the marked cell names
    // (in the skill/cluster-set view, where marks arise, its text), empty
    // when the cell is not marked.
    QString duplicateMarkText(int column, int row) const;

    // Views.

    // Rebuilds the table in the other view when the view asked for is not
    // the one shown and no duplicate marks stand; true when it did. The
    // markers shown follow the view.
    bool setView(LayoutView view, const TNanoList &nanoList, const QStringList &bodySlots);
    // From the body-placement view: one row per record in catalogue order,
    // headed by its name, holding the slot each of its clusters sits in. A
    // cell's name reaches every record of that name.
    void BuildSkillView(const TNanoList &nanoList);
    // From the skill/cluster-set view: one row per body slot, holding the
    // name of the row that claims it for each type; the lowest row wins.
    void BuildBodyView(const QStringList &bodySlots);
    // Switches the names the layout shows and translates the table: the
    // names in the data cells (body placement) or the row headers (skill
    // set). Each record in catalogue order is tried against the text the
    // previous ones left. True when the names changed.
    bool setNames(LayoutNames names, const TNanoList &nanoList);

    // The pick list of a data cell for the current view and names; empty for
    // a header cell or a cell outside the table.
    QStringList pickList(const TNanoList &nanoList, int column, int row) const;

    // Allocation.

    // Places the selected skills by the rules: clears first under "Clear
    // before Allocation", then one pass per included type (Shining, Bright,
    // Faded), the selected entries in list order. A free cell takes the
    // entry's name; an occupied cell (the blank choice included) holding
    // another text gets the conflict marker. Runs only in the body-placement
    // view; false, changing nothing, in the other.
    bool allocate(const QStringList &bodySlots);

    // Editing.

    // A hand edit of a cell: writes the text and validates it. A blank text
    // clears the cell's automatic markers (in stock, bad cluster, conflict, no
    // stock) and keeps the user's. In the skill/cluster-set view the cells of
    // the edited column that name the same slot are marked as duplicates; a
    // mark the edit left alone in its group is cleared. Returns
    // CheckDuplicates().
    bool editCell(int column, int row, const QString &text);
    // Whether any data cell carries a duplicate mark.
    bool CheckDuplicates() const;
    // Puts the player's marker (None removes it) on a cell of the current
    // view, header cells included; it shows at once, over any stock status.
    // A cell outside the table or the marker tables changes nothing; false
    // then.
    bool setMarker(int column, int row, Marker marker);

private:
    const TCellTable<Marker> &markers(LayoutView view) const
    {
        return view == LayoutView::BodyPlacement ? m_icons : m_secondIcons;
    }
    TCellTable<Marker> &markers(LayoutView view)
    {
        return view == LayoutView::BodyPlacement ? m_icons : m_secondIcons;
    }
    const TCellTable<Marker> &stockMarkers(LayoutView view) const
    {
        return view == LayoutView::BodyPlacement ? m_stockIcons : m_stockSecondIcons;
    }
    TCellTable<Marker> &stockMarkers(LayoutView view)
    {
        return view == LayoutView::BodyPlacement ? m_stockIcons : m_stockSecondIcons;
    }
    void translateNames(LayoutNames to, const TNanoList &nanoList);
    void clearForAllocation();
    // Empties the duplicate marks and the markers of both views, headers
    // included.
    void resetMarkTables();

    TextTable m_table;
    TCellTable<bool> m_colorGrid;
    TCellTable<Marker> m_icons;
    TCellTable<Marker> m_secondIcons;
    // The stock status of each view's cells, over their own markers.
    TCellTable<Marker> m_stockIcons;
    TCellTable<Marker> m_stockSecondIcons;
    LayoutView m_currentView = LayoutView::BodyPlacement;
    LayoutNames m_names = LayoutNames::SkillNames;
    SkillLists m_skills;
    DefaultSelections m_defaultSelections;
    AllocationRules m_rules;
};

} // namespace ludra
