#pragma once

#include "common/texttable.h"
#include "data/cataloguenames.h"
#include "data/nano.h"
#include "layout/allocationrules.h"
#include "layout/celltable.h"
#include "layout/defaultselections.h"
#include "layout/marker.h"
#include "layout/plan.h"
#include "layout/skilllists.h"

#include <QStringList>

namespace ludra {

// The layout grid has four columns: the row header and one per cluster type.
inline constexpr int LayoutColumns = 4;

// How the layout grid arranges the plan: one row per body slot, or one row
// per catalogue record.
enum class LayoutView { BodyPlacement = 0, SkillSet = 1 };

// The first choice of every pick list: a single blank. Placed in a cell it
// counts as occupied for allocation and as empty for markers and duplicates.
inline const QString BlankChoice = QStringLiteral(" ");

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

// The plan as the layout holds it at one moment, and how it was shown: the
// plan itself, the view and names, the grid of the skill/cluster-set view
// while it is shown (its rows may say more than the plan: two records
// claiming one slot, a text that is no slot), the duplicate marks and the
// stock status. A copy shares its data with the layout until either changes,
// so keeping one for every step of an undo history costs little.
struct LayoutSnapshot
{
    Plan plan;
    LayoutView view = LayoutView::BodyPlacement;
    LayoutNames names = LayoutNames::SkillNames;
    QList<QStringList> skillRows;
    TCellTable<bool> colorGrid{1, LayoutColumns - 1, 1, LayoutMaxRows, false};
    TCellTable<Marker> stockIcons{0, LayoutColumns - 1, 0, LayoutMaxRows, Marker::None};
    TCellTable<Marker> stockSecondIcons{0, LayoutColumns - 1, 0, LayoutMaxRows, Marker::None};

    bool operator==(const LayoutSnapshot &) const = default;
};

// A selected skill's cluster that automatic allocation could not place, with
// why: the slot of its type (its cluster goes nowhere else) holds another
// cluster (heldBy, as shown), or a symbiant (symbiant, its title).
struct AllocationShortfall
{
    QString skill;
    int type = 0; // 1 Shining, 2 Bright, 3 Faded
    QString slot;
    QString heldBy;
    QString symbiant;

    bool operator==(const AllocationShortfall &) const = default;
};

// The allocation's shortfalls as lines a player reads, one each.
QStringList AllocationShortfallLines(const QList<AllocationShortfall> &shortfalls);

// The layout: a plan and the grid the Layout tab shows it in. The plan is
// the truth everything else reads (the build, the ladder, the graphs, the
// plan text); the grid (LayoutTable) presents it by body placement or by
// skill/cluster set, with skill or cluster names. Switching the view or the
// names changes what the grid shows; the plan changes only where the
// switch's own rule rewrites cells (a text that a switch of names turns into
// another, the cells a skill/cluster-set view cannot hold). In the
// skill/cluster-set view the grid's rows are the player's to edit, and the
// plan follows them as switching back would read them: the lowest row
// claiming a slot wins. Besides, the layout keeps the duplicate marks of that
// view, the stock status over both views' markers, the default selections
// and the allocation rules, with the operations of the Layout tab.
class LayoutState
{
public:
    LayoutState();
    LayoutState(const LayoutState &) = delete;
    LayoutState &operator=(const LayoutState &) = delete;

    // The catalogue the plan's cells name; the layout keeps a reference to
    // it, which must outlive the layout. Setting it empties the plan and
    // shows it by body placement.
    void setCatalogue(const TNanoList &nanoList);
    const TNanoList &catalogue() const { return *m_catalogue; }
    const CatalogueNames &catalogueNames() const { return m_catalogueNames; }

    // The plan, as every reader takes it.
    const Plan &plan() const { return m_plan; }

    // The grid as shown (LayoutTable): row 0 holds the cluster type headers,
    // column 0 the slot or record name of each row.
    const TextTable &table() const { return m_table; }

    SkillLists &skills() { return m_plan.skills; }
    const SkillLists &skills() const { return m_plan.skills; }
    DefaultSelections &defaultSelections() { return m_defaultSelections; }
    const DefaultSelections &defaultSelections() const { return m_defaultSelections; }
    // Applies a default selection group (see DefaultSelections::ClickMenu).
    int ClickMenu(int line) { return m_defaultSelections.ClickMenu(line, m_plan.skills); }

    // Puts a symbiant (its title) into a body slot (0 to 12) in place of its
    // implant, or with an empty title the implant back; the slot's clusters
    // stay as they are either way. The grid shows the clusters still: a view
    // shows what a symbiant slot holds from the plan.
    void setSymbiant(int slot, const QString &title) { m_plan.setSymbiant(slot, title); }

    // Replaces the plan's implant selection (see Plan::implantSelections).
    void setImplantSelections(const QList<ImplantSelection> &selections) { m_plan.implantSelections = selections; }

    const AllocationRules &rules() const { return m_rules; }
    void setRules(const AllocationRules &rules) { m_rules = rules; }

    LayoutView currentView() const { return m_currentView; }
    LayoutNames names() const { return m_names; }

    // Shows the plan by body placement: the type headers in row 0 and one
    // row per body slot, the slot's name in column 0.
    void prepareBodyView();

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

    // The plan as it stands and as it is shown, and both put back as a
    // snapshot held them.
    LayoutSnapshot snapshot() const;
    void restore(const LayoutSnapshot &snapshot);

    // Restoring a stored layout.

    // Empties the plan's cells, the duplicate marks, the markers of both
    // views, both skill lists and the implant selection, and puts the allocation rules back to
    // their first state.
    void resetForProject();
    // Takes a stored grid as it stands, in the view and names it was stored
    // in, translating nothing: a body-placement grid gives the plan its
    // slots' cells by row (rows 1 to 13; any others are no slot); a
    // skill/cluster-set grid is shown as stored, and the plan reads it as
    // switching back would. A grid of no rows shows the plan as it is.
    void restoreGrid(LayoutView view, LayoutNames names, const QList<QStringList> &rows);
    // Sets a duplicate mark or a marker of a view; a cell outside the tables
    // is left alone.
    void restoreDuplicateMark(int column, int row, bool marked);
    void restoreMarker(LayoutView view, int column, int row, Marker marker);
    // The stored form of a duplicate mark: the slot the marked cell names
    // (in the skill/cluster-set view, where marks arise, its text), empty
    // when the cell is not marked.
    QString duplicateMarkText(int column, int row) const;

    // Views.

    // Shows the plan in the other view when the view asked for is not the
    // one shown and no duplicate marks stand; true when it did. The markers
    // shown follow the view. The skill/cluster-set view has one row per
    // record in catalogue order, headed by its name, holding the slot each
    // of its clusters sits in (a cell's name reaches every record of that
    // name); the body-placement view one row per body slot, holding the name
    // of the row that claims it for each type, the lowest row winning.
    bool setView(LayoutView view);
    // Shows the plan by body placement whatever stands in the way: the
    // duplicate marks go, and the lowest row claiming a slot wins as ever.
    void forceBodyView();
    // Switches the names the grid shows: the names in the data cells (body
    // placement) or the row headers (skill set). Each record in catalogue
    // order is tried against the text the previous ones left. True when the
    // names changed.
    bool setNames(LayoutNames names);

    // The pick list of a data cell for the current view and names; empty for
    // a header cell or a cell outside the table.
    QStringList pickList(int column, int row) const;

    // Allocation.

    // Places the selected skills by the rules: clears first under "Clear
    // before Allocation", then one pass per included type (Shining, Bright,
    // Faded), the selected entries in list order. A free cell takes the
    // entry's name; an occupied cell (the blank choice included) holding
    // another text gets the conflict marker. Runs only in the body-placement
    // view; false, changing nothing, in the other.
    bool allocate();
    // Whether allocating with the layout cleared first would erase anything:
    // a cluster or a marker in a slot that holds no symbiant.
    bool allocationErases() const;
    // After an allocation: each selected skill's cluster of an included type
    // that is not in its slot, since the slot holds another cluster or a
    // symbiant, in allocation order. Empty in the other views.
    QList<AllocationShortfall> allocationShortfalls() const;

    // Editing.

    // A hand edit of a cell: writes the text and validates it. A blank text
    // clears the cell's automatic markers (in stock, bad cluster, conflict, no
    // stock) and keeps the user's. In the skill/cluster-set view the cells of
    // the edited column that name the same slot are marked as duplicates; a
    // mark the edit left alone in its group is cleared. In the body-placement
    // view the cells of a slot holding a symbiant take no edit. Returns
    // CheckDuplicates().
    bool editCell(int column, int row, const QString &text);
    // Whether any data cell carries a duplicate mark.
    bool CheckDuplicates() const;
    // Whether duplicate marks hold the grid in the skill/cluster-set view,
    // where the plan's slots are still being decided: what reads the plan
    // refuses to, with the duplicate warning.
    bool duplicatesHoldPlan() const { return m_currentView == LayoutView::SkillSet && CheckDuplicates(); }
    // Puts the player's marker (None removes it) on a cell of the current
    // view, header cells included; it shows at once, over any stock status.
    // A cell outside the table or the marker tables changes nothing; false
    // then.
    bool setMarker(int column, int row, Marker marker);

private:
    const TCellTable<Marker> &markers(LayoutView view) const
    {
        return view == LayoutView::BodyPlacement ? m_plan.slotMarkers : m_plan.recordMarkers;
    }
    TCellTable<Marker> &markers(LayoutView view)
    {
        return view == LayoutView::BodyPlacement ? m_plan.slotMarkers : m_plan.recordMarkers;
    }
    const TCellTable<Marker> &stockMarkers(LayoutView view) const
    {
        return view == LayoutView::BodyPlacement ? m_stockIcons : m_stockSecondIcons;
    }
    TCellTable<Marker> &stockMarkers(LayoutView view)
    {
        return view == LayoutView::BodyPlacement ? m_stockIcons : m_stockSecondIcons;
    }
    // The grid by body placement, from the plan.
    void showBodyRows();
    // The grid by skill/cluster set, from the body-placement grid shown.
    void showSkillRows();
    // The plan's slots as the skill/cluster-set grid's rows claim them.
    void readSkillRows();
    void clearForAllocation();
    // Empties the duplicate marks and the markers of both views, headers
    // included.
    void resetMarkTables();

    const TNanoList *m_catalogue;
    CatalogueNames m_catalogueNames;
    Plan m_plan;
    TextTable m_table;
    TCellTable<bool> m_colorGrid;
    // The stock status of each view's cells, over their own markers.
    TCellTable<Marker> m_stockIcons;
    TCellTable<Marker> m_stockSecondIcons;
    LayoutView m_currentView = LayoutView::BodyPlacement;
    LayoutNames m_names = LayoutNames::SkillNames;
    DefaultSelections m_defaultSelections;
    AllocationRules m_rules;
};

// The layout table as the grid shows it, for a report: by body placement a
// slot holding a symbiant shows the symbiant's title in its first type's
// column and nothing in the others. The layout's own table where no slot
// holds one or in the other view; otherwise shown, filled so.
const TextTable &ShownLayoutTable(const LayoutState &layout, TextTable &shown);

} // namespace ludra
