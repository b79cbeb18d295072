#pragma once

#include "layout/skilllists.h"

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
class QUndoStack;

namespace ludra {

struct LayoutSnapshot;
struct MessageDef;
class LayoutState;
enum class LayoutNames;
enum class LayoutView;
class NumberBox;
class Prompter;
class ReferenceData;
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

    LayoutPage(LayoutState &layout, const ReferenceData &reference, Prompter &prompter, QWidget *parent = nullptr);

    // Start-up, once the model has started.

    // The marker menu: one entry per caption, each but the first with the
    // image of its marker.
    void buildMarkerMenu(const QStringList &captions);
    // The default-selections menu: one item per heading of the default
    // selections.
    void buildDefaultSelectionsMenu();
    // Shows the layout as start-up left it: the view selectors at its view
    // and names once there is a catalogue (without one they name nothing),
    // both skill lists, and the grid with its columns sized.
    void showStarted(bool catalogueRead);

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
    // Puts the marker of the marker menu's item at the position on the cell
    // where the menu was opened.
    void IconMenu(int position);

    // The view and the names chosen as the user would choose them: the
    // selector shows the choice and its change operation runs, even when the
    // choice was already made; then the window repaints. The build shows the
    // layout this way while it reads it. An error ends the command that asked
    // (the stock status of a view needs a target that is a number): these
    // throw, and the caller's boundary tells it.
    void showView(LayoutView view);
    void showNames(LayoutNames names);

    // Shows a layout taken back from a project as it stands: the selectors
    // at the stored view and names (their handlers do not run), the view
    // selector enabled as stored, the lists, the grid with its marks and
    // markers. The duplicate warning keeps its state until the next edit.
    void showRestored(bool viewSelectorEnabled);
    bool viewSelectorEnabled() const;

    // The history every plan edit of the page goes onto: adding, removing,
    // moving and clearing skills, a default group, an allocation, a cell
    // edit, a marker, a view or names switch, a pasted plan. None before it
    // is set.
    void setUndoStack(QUndoStack *stack) { m_undo = stack; }
    // After the history went a step back or forth: the stock status checked
    // afresh (or its markers gone while stock control is off). Throws what a
    // stock check throws.
    void checkStockAfterHistoryStep();

    // The plan as text (Copy Plan), and a plan's text put in as one edit
    // (Paste Plan). Lines or names it cannot read end it with one message
    // listing them all, and nothing changes.
    QString planText() const;
    void pastePlan(const QString &text);
    // Shows the plan as the layout holds it, everything on the page afresh
    // (a new plan).
    void showPlan();

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
    // The duplicate check of a cell edit ran; true when duplicates stand,
    // which holds back the view selector and the build.
    void duplicatesChecked(bool duplicates);
    // "Activate Stock Control" was clicked, or its target changed while it
    // is on (targetChanged).
    void stockControlChanged(bool targetChanged);
    // The plan may have changed: after every plan edit (a cell edit, an
    // allocation, a view or names switch chosen in a selector, a change of
    // the skill lists, a marker, a pasted plan), after a step of the
    // history, and when a layout is shown from a project or a new plan (not
    // after the switches of a build, which puts the layout back as it was).
    void planChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    QFrame *createKeyPanel();
    void createMenus();
    void setKeyPanelVisible(bool visible);
    void btnKeyClick();
    // Runs a change of the skill lists as a command and shows the lists after
    // it.
    void changeSkillLists(const MessageDef &name, const std::function<void(SkillLists &)> &change);
    // Makes an edit and puts it onto the history under its name, when it
    // changed the plan.
    void recordEdit(const MessageDef &name, const std::function<void()> &edit);
    // Shows the plan as a step of the history holds it.
    void showSnapshot(const LayoutSnapshot &plan);
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
    // The width of each cluster column: the design width, or a share of
    // the room a wider grid has.
    int columnWidth() const;
    // Gives every cluster column that width.
    void fitColumns();

    LayoutState &m_layout;
    const ReferenceData &m_reference;
    Prompter &m_prompter;
    LayoutTableModel *m_layoutModel = nullptr;
    // The cell the marker menu was opened on (ClickedX, ClickedY), as column
    // and row of the layout table; (-1, -1) when it was opened below the rows.
    QPoint m_clickedCell{-1, -1};
    // Whether the key panel is open because the pointer rests on the Key
    // button (rather than because the button was pressed).
    bool m_keyShownByPointer = false;
    std::function<void(int column, int row)> m_stockCheck;
    QUndoStack *m_undo = nullptr;
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
};

} // namespace ludra
