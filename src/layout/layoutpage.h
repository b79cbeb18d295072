#pragma once

#include <QWidget>

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

class LayoutState;
class NumberBox;
class Prompter;
class ReferenceData;
class TextTableModel;

// The "Layout" tab: the layout grid, the view selectors, the available and
// selected skill lists, stock control, the duplicate warning and the key to
// the cell icons, with the pop-up menus of the grid and the skill lists.
class LayoutPage : public QWidget
{
    Q_OBJECT

public:
    // Width of each layout grid column, the row headers included.
    static constexpr int LayoutColumnWidth = 136;

    LayoutPage(LayoutState &layout, const ReferenceData &reference, Prompter &prompter, QWidget *parent = nullptr);

    // Start-up steps, run by the main window in its creation order.

    // The marker menu: one entry per caption, each but the first with the
    // image of its marker.
    void buildMarkerMenu(const QStringList &captions);
    // Selects the first entry of each view selector, once the catalogue is
    // there.
    void selectFirstViews();
    // Fills the available-skills drop-down from the catalogue and selects its
    // first entry.
    void fillAvailableSkills();
    // Arranges the layout for the body-placement view and sizes its columns.
    void prepareLayoutGrid();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    QFrame *createKeyPanel();
    void createMenus();
    void setKeyPanelVisible(bool visible);
    void btnKeyClick();

    LayoutState &m_layout;
    const ReferenceData &m_reference;
    Prompter &m_prompter;
    TextTableModel *m_layoutModel = nullptr;
    // Whether the key panel is open because the pointer rests on the Key
    // button (rather than because the button was pressed).
    bool m_keyShownByPointer = false;

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
};

} // namespace ludra
