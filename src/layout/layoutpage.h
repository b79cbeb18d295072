#pragma once

#include "layout/skilllists.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QTableView;
class QToolButton;

namespace ludra {

struct Character;
struct MessageDef;
class SymbiantTable;
class LayoutState;
enum class LayoutNames;
enum class LayoutView;
class NumberBox;
class LayoutDocument;
class Prompter;
class LayoutTableModel;

// The "Layout" tab: the layout grid, the view selectors, the available and
// selected skill lists, stock control, the duplicate warning and the key to
// the cell icons, with the pop-up menus of the grid and the skill lists.
class LayoutPage : public QWidget
{
    Q_OBJECT

public:
    // Width of each layout grid column, the row headers included.
    static constexpr int LayoutColumnWidth = 136;
    // Width of the panel beside the grid: the views, the skill lists and
    // stock control.
    static constexpr int SidePanelWidth = 184;

    explicit LayoutPage(Prompter &prompter, QWidget *parent = nullptr);

    // Start-up, once the program has started.

    // The marker menu: one entry per caption, each but the first with the
    // image of its marker, made when the menu first opens.
    void buildMarkerMenu(const QStringList &captions);
    // Makes now what the page makes when first needed (the key to the icons,
    // the marker menu's items), for what needs them before (the example
    // language file, a test that looks for them).
    void makeDeferred();
    // Whether the start-up read a catalogue: without one the view selectors
    // name nothing.
    void setCatalogueRead(bool read) { m_catalogueRead = read; }

    // The document whose plan the page shows and edits; it follows the
    // document's changes from then on. Shows it whole: the view selectors at
    // its view and names, both skill lists, the default selections, the
    // grid, the duplicate warning.
    void setDocument(LayoutDocument *document);

    // Command handlers.

    void btnAddClick();
    void btnRemoveClick();
    void btnUpClick();
    void btnDownClick();
    void ClearAll1Click();
    void btnPopupClick();
    // Applies the default selection group whose heading is at the line index.
    void ClickMenu(int line);
    // The view or names chosen in a selector; each runs its operation below
    // inside the command's error boundary.
    void cboViewStyleChange();
    void cboInsideChange();
    // Asks before allocating and allocates on Yes.
    void btnAllocateClick();
    // A hand edit of a layout cell: the core writes and validates it; the
    // duplicate warning and the view selector follow its duplicate check.
    void grdReportCellValidate(int column, int row, const QString &text);
    // Delete or Backspace on the grid: empties the selected cells that take
    // text and hold any, as one step of the history.
    void clearSelectedCells();
    // Puts the marker of the marker menu's item at the position on the cell
    // where the menu was opened.
    void IconMenu(int position);
    // The grid's menu on a slot's row in the body-placement view: a symbiant
    // chosen in the picker into the slot where the menu was opened, or its
    // implant back. One step of the history each.
    void UseSymbiant1Click();
    void UseImplant1Click();

    // Where the symbiants come from: the table (nullptr when "symbiants.csv"
    // cannot be read) and the character whose wearing the picker judges.
    // Asked each time they are needed.
    // notice: the table's message about lines it skipped, once (empty
    // otherwise), shown before the picker.
    void setSymbiantSources(std::function<const SymbiantTable *()> table, std::function<Character()> character,
                            std::function<QString()> notice = {});

    // A project's layout was opened: the view selector enabled as stored.
    void showRestored(bool viewSelectorEnabled);
    bool viewSelectorEnabled() const;

    // After the history went a step back or forth: the stock status checked
    // afresh (or its markers gone while stock control is off). Throws what a
    // stock check throws.
    void checkStockAfterHistoryStep();


    // Stock status. The check runs for one data cell, or for every cell when
    // given -1 and -1; the page runs it after a view change and after an
    // edit, while "Activate Stock Control" is on.
    void setStockCheck(std::function<void(int column, int row)> check);
    bool stockControlOn() const;
    // The target's text (StockTargetQL), as typed.
    QString stockTarget() const;
    // Shows the switch's state: the target enabled while it is on, the
    // status caption, the markers.
    void showStockControl();
    // The widths of the layout grid's columns, the row headers first.
    QList<int> gridWidths() const;

Q_SIGNALS:
    // The duplicate check ran (after an edit, a step of the history, a plan
    // shown); true when duplicates stand, which holds back the view selector
    // and the build.
    void duplicatesChecked(bool duplicates);
    // "Activate Stock Control" was clicked, or its target changed while it
    // is on (targetChanged).
    void stockControlChanged(bool targetChanged);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    QFrame *createKeyPanel();
    // The key panel and the marker menu, made on first use.
    QFrame *keyPanel();
    QMenu *markerMenu();
    // The key's stock status caption, as the switch stands.
    void showStockStatus();
    void createMenus();
    void setKeyPanelVisible(bool visible);
    void btnKeyClick();
    // Runs a change of the skill lists as a command and shows the lists after
    // it.
    void changeSkillLists(const MessageDef &name, const std::function<void(SkillLists &)> &change);
    // Makes an edit of the document's plan under its name.
    void recordEdit(const MessageDef &name, const std::function<void()> &edit);
    // Shows the plan as the document holds it, everything on the page afresh.
    void showPlan();
    // The default-selections menu: one item per heading of the default
    // selections.
    void buildDefaultSelectionsMenu();
    LayoutState &layoutState() const;
    // Shows the two skill lists and their current entries as the core holds
    // them.
    void showSkillLists();
    // Enables what depends on the view shown.
    void showViewState();
    // Shows whether duplicates stand (the label, the view selector held
    // back), repaints the grid and tells duplicatesChecked.
    void showDuplicates(bool duplicates);
    // Whether the stock status is to be checked after an edit: "Activate
    // Stock Control" is on and a check is set.
    bool stockChecking() const;
    // The operations of the view selectors: the layout takes the view or
    // names the selector shows, the stock status is checked afresh for a
    // new view, and the grid repaints. They throw what ends them.
    void applyViewStyle();
    void applyNames();
    // Opens the marker menu for a cell (column and row of the layout table;
    // -1 for none) at a point of the screen.
    void popupMarkerMenu(const QPoint &cell, const QPoint &globalPos);
    QPoint cellAt(QObject *watched, const QPoint &pos) const;
    // The body slot (0 to 12) of the row the grid's menu was opened on in
    // the body-placement view; -1 otherwise.
    int clickedSlot() const;
    // Spans the cluster cells of each slot holding a symbiant, as the view
    // shows them.
    void showSymbiantSpans();
    // The width of each cluster column: the design width, or a share of
    // the room a wider grid has.
    int columnWidth() const;
    // Gives every cluster column that width.
    void fitColumns();

    LayoutDocument *m_document = nullptr;
    QMetaObject::Connection m_planChanged;
    bool m_catalogueRead = true;
    QStringList m_markerCaptions;
    // Whether stock control was switched since start-up.
    bool m_stockSwitched = false;
    Prompter &m_prompter;
    LayoutTableModel *m_layoutModel = nullptr;
    // The cell the marker menu was opened on (ClickedX, ClickedY), as column
    // and row of the layout table; (-1, -1) when it was opened below the rows.
    QPoint m_clickedCell{-1, -1};
    // Whether the key panel is open because the pointer rests on the Key
    // button (rather than because the button was pressed).
    bool m_keyShownByPointer = false;
    std::function<void(int column, int row)> m_stockCheck;
    std::function<const SymbiantTable *()> m_symbiantTable;
    std::function<Character()> m_character;
    std::function<QString()> m_symbiantNotice;
    // The skill lists as the two list controls show them.
    std::optional<SkillLists> m_shownSkills;

    QTableView *grdReport = nullptr;
    QComboBox *cboViewStyle = nullptr;
    QComboBox *cboInside = nullptr;
    QComboBox *cboAvaNanos = nullptr;
    QListWidget *lbSelNanos = nullptr;
    QPushButton *btnAdd = nullptr;
    QPushButton *btnRemove = nullptr;
    QToolButton *btnUp = nullptr;
    QToolButton *btnDown = nullptr;
    QToolButton *btnPopup = nullptr;
    QPushButton *btnAllocate = nullptr;
    QCheckBox *chkStockControl = nullptr;
    NumberBox *edtStockTarget = nullptr;
    QLabel *lblDupes = nullptr;
    QPushButton *btnKey = nullptr;
    QFrame *panKey = nullptr;
    QLabel *lblStockStatus = nullptr;

    QMenu *mnuSelected = nullptr;
    QMenu *mnuIconPopup = nullptr;
    QMenu *mnuPopup = nullptr;
    QAction *ClearAll1 = nullptr;
    QAction *AutoAllocate1 = nullptr;
    QAction *UseSymbiant1 = nullptr;
    QAction *UseImplant1 = nullptr;
};

} // namespace ludra
