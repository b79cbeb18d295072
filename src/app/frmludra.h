#pragma once

#include "app/ludramodel.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class QToolButton;

namespace ludra {

class NumberBox;
class Prompter;
class TextTableModel;

// The main window: owns the whole model and shows it on five tabs. Its
// creation loads everything the planner needs, in a fixed order; closing it
// ends the program without asking or saving anything.
class TfrmLudra : public QMainWindow
{
    Q_OBJECT

public:
    // The size of the window's client area below the menu bar.
    static constexpr int ClientWidth = 766;
    static constexpr int ClientHeight = 412;
    // Width of each layout grid column, the row headers included.
    static constexpr int LayoutColumnWidth = 136;
    static constexpr int GridRowHeight = 21;

    explicit TfrmLudra(Prompter &prompter, QWidget *parent = nullptr);
    ~TfrmLudra() override;

    LudraModel &model() { return m_model; }
    const LudraModel &model() const { return m_model; }

public Q_SLOTS:
    void Exit1Click();
    void Help2Click();
    void AboutClick();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    QWidget *createLayoutTab();
    QWidget *createBuildTab();
    QWidget *createSkillResultTab();
    QWidget *createRequirementResultTab();
    QWidget *createSuggestionTab();
    QWidget *createKeyPanel(QWidget *page);
    void createMenus();
    QTableView *createResultGrid(TextTable &table, const QString &name, const QString &accessibleName,
                                 const QList<int> &widths);

    void buildMarkerMenu();
    void fillAvailableSkills();
    void prepareLayoutGrid();
    void setKeyPanelVisible(bool visible);

    Prompter &m_prompter;
    LudraModel m_model;
    bool m_centred = false;
    bool m_closing = false;

    // Tabs.
    QTabWidget *tabs = nullptr;
    QWidget *tabReport = nullptr;
    QWidget *tabBuild = nullptr;
    QWidget *tabResultSkills = nullptr;
    QWidget *tabResultCosts = nullptr;
    QWidget *tabResultSuggest = nullptr;

    // Layout tab.
    QTableView *grdReport = nullptr;
    TextTableModel *m_layoutModel = nullptr;
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

    // Build tab.
    QCheckBox *chkAvaStock = nullptr;
    QCheckBox *chkQLRange = nullptr;
    NumberBox *edtQLRange = nullptr;
    QCheckBox *chkAgeStock = nullptr;
    QLabel *lblRemoveStockWarning = nullptr;
    QRadioButton *rdoOneQL = nullptr;
    NumberBox *edtImplantQL = nullptr;
    QRadioButton *rdoIndiQL = nullptr;
    QToolButton *btnSelIndiImplants = nullptr;
    QLabel *lblIndiSelected = nullptr;
    QCheckBox *chkUseNanoProg = nullptr;
    NumberBox *edtMaxNanoProg = nullptr;
    QCheckBox *chkStr = nullptr;
    QCheckBox *chkAgi = nullptr;
    QCheckBox *chkSta = nullptr;
    QCheckBox *chkInt = nullptr;
    QCheckBox *chkPsy = nullptr;
    QCheckBox *chkSen = nullptr;
    QPushButton *btnBuild = nullptr;

    // Result tabs.
    QTableView *grdSkillInc = nullptr;
    QTableView *grdReqs = nullptr;
    QTableView *grdSuggest = nullptr;
    QPushButton *btnLogSkill = nullptr;
    QPushButton *btnLogReq = nullptr;
    QPushButton *btnPrintShoppingList = nullptr;
    QPushButton *btnResort = nullptr;

    // Menus.
    QMenu *mnuSelected = nullptr;
    QMenu *mnuIconPopup = nullptr;
    QMenu *mnuPopup = nullptr;
};

} // namespace ludra
