#include "app/frmludra.h"

#include "app/frmabout.h"
#include "app/frmhelp.h"
#include "common/paths.h"
#include "common/prompter.h"
#include "layout/layoutgrid.h"
#include "views/numberbox.h"
#include "views/texttablemodel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

Q_DECLARE_METATYPE(const ludra::TNano *)

namespace ludra {

namespace {

// Gives a control its name (the name the language file and the tests use) and
// the name a screen reader announces.
template <typename W>
W *named(W *widget, const QString &objectName, const QString &accessibleName)
{
    widget->setObjectName(objectName);
    widget->setAccessibleName(accessibleName);
    return widget;
}

QLabel *makeLabel(const QString &text, QWidget *parent, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(alignment);
    return label;
}

QIcon markerIcon(int code)
{
    return QIcon(QStringLiteral(":/markers/marker-%1.png").arg(code, 2, 10, QLatin1Char('0')));
}

// The three centred lines shown around each result grid.
QWidget *sortHints(QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const char *line : {"Click on any column heading to sort", "Shift-Click to add a second sort column",
                             "When printing or exporting, the sort order will be carried over to the printed or "
                             "saved report"})
        layout->addWidget(makeLabel(QString::fromLatin1(line), box, Qt::AlignCenter));
    return box;
}

} // namespace

TfrmLudra::TfrmLudra(Prompter &prompter, QWidget *parent) : QMainWindow(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmLudra"));
    setWindowTitle(QStringLiteral("Ludra"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    // The controls exist first; then the model is loaded in a fixed order.
    // Message boxes shown on the way are modal and hold the creation until
    // they are answered; the window always opens in the end.
    createControls();
    createMenus();

    // The language file is opened and applied first of all, once the program
    // reads one; until then every text is built in.

    m_model.Unknown.reset(1);
    m_model.loadSkillReq(m_prompter);
    m_model.resetBuildState();
    m_model.BodySlots = BodySlotNames();

    // The default skill selections are read and their menu built here, before
    // the marker menu, once the program reads them.

    m_model.fillMarkerNames();
    buildMarkerMenu();
    m_model.NanoList.clear();
    m_model.clearCellTables();
    if (m_model.loadCatalogue(m_prompter)) {
        cboViewStyle->setCurrentIndex(0);
        cboInside->setCurrentIndex(0);
    }
    m_model.loadSecSkills(m_prompter);
    m_model.loadRequirements(m_prompter);
    fillAvailableSkills();
    prepareLayoutGrid();

    // The last project is opened here when the options ask for it, and the
    // stock register rebuilt after that, once the program keeps them.
}

TfrmLudra::~TfrmLudra()
{
    // The views read the model's tables; take them down while the model, a
    // member, still exists rather than with the base window afterwards. The
    // pointer events they may still send on the way are not ours to handle.
    m_closing = true;
    delete takeCentralWidget();
}

// ---------------------------------------------------------------------------
// Controls

void TfrmLudra::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("pnlClient"));
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    tabs = named(new QTabWidget(client), QStringLiteral("pgcMain"), QStringLiteral("Pages"));
    tabReport = createLayoutTab();
    tabBuild = createBuildTab();
    tabResultSkills = createSkillResultTab();
    tabResultCosts = createRequirementResultTab();
    tabResultSuggest = createSuggestionTab();
    tabs->addTab(tabReport, QStringLiteral("Layout"));
    tabs->addTab(tabBuild, QStringLiteral("Build"));
    tabs->addTab(tabResultSkills, QStringLiteral("Result - Skill Increases"));
    tabs->addTab(tabResultCosts, QStringLiteral("Result - Requirements"));
    tabs->addTab(tabResultSuggest, QStringLiteral("Result - Suggestions"));
    tabs->setCurrentWidget(tabReport);

    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(tabs);
}

QWidget *TfrmLudra::createLayoutTab()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabReport"));
    page->setMouseTracking(true);

    // The layout grid: row 0 and column 0 of the layout are its fixed header
    // row and column.
    grdReport = named(new QTableView(page), QStringLiteral("grdReport"), QStringLiteral("Layout"));
    m_layoutModel = new TextTableModel(m_model.LayoutTable, true, grdReport);
    grdReport->setModel(m_layoutModel);
    grdReport->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdReport->setSelectionMode(QAbstractItemView::SingleSelection);
    grdReport->setCornerButtonEnabled(false);
    grdReport->setSortingEnabled(false);
    grdReport->setMouseTracking(true);
    grdReport->viewport()->installEventFilter(this);
    QHeaderView *rowHeader = grdReport->verticalHeader();
    rowHeader->setFixedWidth(LayoutColumnWidth);
    rowHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowHeader->setDefaultSectionSize(GridRowHeight);
    rowHeader->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    rowHeader->setSectionsClickable(false);
    QHeaderView *columnHeader = grdReport->horizontalHeader();
    columnHeader->setSectionResizeMode(QHeaderView::Fixed);
    columnHeader->setDefaultSectionSize(LayoutColumnWidth);
    columnHeader->setFixedHeight(GridRowHeight);
    columnHeader->setSectionsClickable(false);
    grdReport->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdReport->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    cboViewStyle = named(new QComboBox(page), QStringLiteral("cboViewStyle"), QStringLiteral("Layout view"));
    cboViewStyle->addItems({QStringLiteral("View by Body Placement"), QStringLiteral("View by Skill/Cluster Set")});
    cboViewStyle->setCurrentIndex(-1);
    cboInside = named(new QComboBox(page), QStringLiteral("cboInside"), QStringLiteral("Names shown"));
    cboInside->addItems({QStringLiteral("Show Skill Names"), QStringLiteral("Show Cluster Names")});
    cboInside->setCurrentIndex(-1);

    auto *lblAvailable = makeLabel(QStringLiteral(" Avaliable Skills"), page);
    lblAvailable->setObjectName(QStringLiteral("lblAvaNanos"));
    cboAvaNanos = named(new QComboBox(page), QStringLiteral("cboAvaNanos"), QStringLiteral("Available skills"));
    cboAvaNanos->setMaxVisibleItems(20);
    // The column it stands in sets its width; measuring hundreds of skill
    // names for a size hint would only slow the window's first showing.
    cboAvaNanos->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboAvaNanos->setMinimumContentsLength(12);
    lblAvailable->setBuddy(cboAvaNanos);

    btnAdd = named(new QPushButton(QStringLiteral("&Add"), page), QStringLiteral("btnAdd"), QStringLiteral("Add"));
    btnPopup = named(new QToolButton(page), QStringLiteral("btnPopup"), QStringLiteral("Default skill selections"));
    btnPopup->setText(QStringLiteral("..."));
    btnPopup->setToolTip(QStringLiteral("Click to popup a menu of default skill selections"));

    auto *lblSelected = makeLabel(QStringLiteral(" Selected Important Skills"), page);
    lblSelected->setObjectName(QStringLiteral("lblSelNanos"));
    lbSelNanos = named(new QListWidget(page), QStringLiteral("lbSelNanos"),
                       QStringLiteral("Selected important skills"));
    lblSelected->setBuddy(lbSelNanos);

    btnRemove = named(new QPushButton(QStringLiteral("&Remove"), page), QStringLiteral("btnRemove"),
                      QStringLiteral("Remove"));
    btnUp = named(new QToolButton(page), QStringLiteral("btnUp"), QStringLiteral("Move up"));
    btnUp->setArrowType(Qt::UpArrow);
    btnUp->setToolTip(QStringLiteral("Move the selected skill up"));
    btnDown = named(new QToolButton(page), QStringLiteral("btnDown"), QStringLiteral("Move down"));
    btnDown->setArrowType(Qt::DownArrow);
    btnDown->setToolTip(QStringLiteral("Move the selected skill down"));

    chkStockControl = named(new QCheckBox(QStringLiteral("Activate Stock Control"), page),
                            QStringLiteral("chkStockControl"), QStringLiteral("Activate Stock Control"));
    auto *lblStockTarget = makeLabel(QStringLiteral("Target QL"), page);
    lblStockTarget->setObjectName(QStringLiteral("lblStockTarget"));
    edtStockTarget = named(new NumberBox(0, 200, QStringLiteral("0"), page), QStringLiteral("edtStockTarget"),
                           QStringLiteral("Stock target quality level"));
    edtStockTarget->setEnabled(false);
    lblStockTarget->setBuddy(edtStockTarget);

    btnAllocate = named(new QPushButton(QStringLiteral("Auto Allocate Nanos"), page), QStringLiteral("btnAllocate"),
                        QStringLiteral("Auto Allocate Nanos"));
    lblDupes = named(new QLabel(page), QStringLiteral("lblDupes"), QStringLiteral("Duplicate warning"));
    lblDupes->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblDupes->setStyleSheet(QStringLiteral("QLabel { color: #ff0000; font-weight: bold; }"));
    lblDupes->setMouseTracking(true);
    lblDupes->installEventFilter(this);
    btnKey = named(new QPushButton(QStringLiteral("Key"), page), QStringLiteral("btnKey"),
                   QStringLiteral("Key to icons"));
    btnKey->setToolTip(QStringLiteral("Point at or press to show the key to the cell icons"));
    btnKey->installEventFilter(this);
    connect(btnKey, &QPushButton::clicked, this, [this] { setKeyPanelVisible(!panKey->isVisible()); });

    // Right-hand column: views, the two skill lists and stock control.
    auto *addRow = new QHBoxLayout;
    addRow->addWidget(btnAdd, 1);
    addRow->addWidget(btnPopup);
    auto *moveRow = new QHBoxLayout;
    moveRow->addWidget(btnRemove, 1);
    moveRow->addWidget(btnUp);
    moveRow->addWidget(btnDown);
    auto *stockRow = new QHBoxLayout;
    stockRow->addWidget(lblStockTarget);
    stockRow->addWidget(edtStockTarget, 1);
    auto *side = new QVBoxLayout;
    side->setSpacing(3);
    side->addWidget(cboViewStyle);
    side->addWidget(cboInside);
    side->addSpacing(4);
    side->addWidget(lblAvailable);
    side->addWidget(cboAvaNanos);
    side->addLayout(addRow);
    side->addSpacing(4);
    side->addWidget(lblSelected);
    side->addWidget(lbSelNanos, 1);
    side->addLayout(moveRow);
    side->addSpacing(4);
    side->addWidget(chkStockControl);
    side->addLayout(stockRow);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(btnKey);
    bottom->addWidget(lblDupes, 1);
    bottom->addWidget(btnAllocate);
    auto *left = new QVBoxLayout;
    left->addWidget(grdReport, 1);
    left->addLayout(bottom);

    const int gridWidth = LayoutColumnWidth * LayoutColumns + 2 * grdReport->frameWidth() +
                          grdReport->verticalScrollBar()->sizeHint().width();
    grdReport->setFixedWidth(gridWidth);

    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(left);
    layout->addLayout(side, 1);

    panKey = static_cast<QFrame *>(createKeyPanel(page));
    page->installEventFilter(this);
    return page;
}

QWidget *TfrmLudra::createKeyPanel(QWidget *page)
{
    auto *panel = named(new QFrame(page), QStringLiteral("panKey"), QStringLiteral("Key to icons"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);

    auto iconRow = [panel](int code, const QString &text) {
        auto *row = new QHBoxLayout;
        auto *image = new QLabel(panel);
        image->setPixmap(markerIcon(code).pixmap(16, 16));
        image->setFixedSize(16, 16);
        row->addWidget(image);
        row->addWidget(makeLabel(text, panel), 1);
        return row;
    };

    auto *title = makeLabel(QStringLiteral("Key to Icons :"), panel);
    title->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; }"));
    lblStockStatus = named(makeLabel(QStringLiteral("<Disabled>"), panel), QStringLiteral("lblStockStatus"),
                           QStringLiteral("Stock control status"));
    lblStockStatus->setTextFormat(Qt::PlainText);
    auto *stockHeading = new QHBoxLayout;
    auto *stockTitle = makeLabel(QStringLiteral("Stock Control Icons :"), panel);
    stockTitle->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; }"));
    stockHeading->addWidget(stockTitle);
    stockHeading->addWidget(lblStockStatus, 1);

    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(3);
    layout->addWidget(title);
    layout->addLayout(iconRow(11, QStringLiteral("Auto allocate tried to place two clusters in this spot")));
    layout->addSpacing(4);
    layout->addLayout(stockHeading);
    layout->addLayout(iconRow(2, QStringLiteral("There is enough avaliable stock for this Cluster")));
    layout->addLayout(iconRow(13, QStringLiteral("You do not have enough stock to source this Cluster")));
    layout->addLayout(iconRow(4, QStringLiteral("You do not have a valid  Implant for this slot")));

    panel->adjustSize();
    panel->hide();
    return panel;
}

QWidget *TfrmLudra::createBuildTab()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabBuild"));

    // Stock handling.
    auto *grpStock = named(new QGroupBox(QStringLiteral(" Stock Handling "), page), QStringLiteral("grpStock"),
                           QStringLiteral("Stock Handling"));
    chkAvaStock = named(new QCheckBox(QStringLiteral("Use only avaliable stock"), grpStock),
                        QStringLiteral("chkAvaStock"), QStringLiteral("Use only available stock"));
    chkQLRange = named(new QCheckBox(QStringLiteral("Quality Level Range"), grpStock), QStringLiteral("chkQLRange"),
                       QStringLiteral("Quality Level Range"));
    chkQLRange->setToolTip(QStringLiteral("Only In Stock clusters NO GREATER than the selected number will be used "
                                          "to build your implant"));
    chkQLRange->setEnabled(false);
    edtQLRange = named(new NumberBox(0, 200, QStringLiteral("35"), grpStock), QStringLiteral("edtQLRange"),
                       QStringLiteral("Quality level range"));
    edtQLRange->setEnabled(false);
    chkAgeStock = named(new QCheckBox(QStringLiteral("Remove build stock"), grpStock), QStringLiteral("chkAgeStock"),
                        QStringLiteral("Remove build stock"));
    chkAgeStock->setEnabled(false);
    lblRemoveStockWarning = named(
        new QLabel(QStringLiteral("WARNING! If you leave this item checked any Cluster or Implant will be removed "
                                  "from avaliable stock if it is used in this build!"),
                   grpStock),
        QStringLiteral("lblRemoveStockWarning"), QStringLiteral("Stock removal warning"));
    lblRemoveStockWarning->setWordWrap(true);
    lblRemoveStockWarning->setStyleSheet(QStringLiteral("QLabel { font-style: italic; }"));
    lblRemoveStockWarning->setEnabled(false);
    auto *rangeRow = new QHBoxLayout;
    rangeRow->addWidget(chkQLRange);
    rangeRow->addWidget(edtQLRange);
    rangeRow->addStretch(1);
    auto *stockLayout = new QVBoxLayout(grpStock);
    stockLayout->addWidget(chkAvaStock);
    stockLayout->addLayout(rangeRow);
    stockLayout->addWidget(chkAgeStock);
    stockLayout->addWidget(lblRemoveStockWarning);
    stockLayout->addStretch(1);

    // Quality level targets.
    auto *grpTargets = named(new QGroupBox(QStringLiteral(" Quality Level Targets "), page),
                             QStringLiteral("grpTargets"), QStringLiteral("Quality Level Targets"));
    rdoOneQL = named(new QRadioButton(QStringLiteral("Use One Quality Level"), grpTargets), QStringLiteral("rdoOneQL"),
                     QStringLiteral("Use One Quality Level"));
    rdoOneQL->setChecked(true);
    edtImplantQL = named(new NumberBox(1, 200, QStringLiteral("1"), grpTargets), QStringLiteral("edtImplantQL"),
                         QStringLiteral("Implant quality level"));
    rdoIndiQL = named(new QRadioButton(QStringLiteral("Individual Implant Levels"), grpTargets),
                      QStringLiteral("rdoIndiQL"), QStringLiteral("Individual Implant Levels"));
    btnSelIndiImplants = named(new QToolButton(grpTargets), QStringLiteral("btnSelIndiImplants"),
                               QStringLiteral("Select implants"));
    btnSelIndiImplants->setText(QStringLiteral("..."));
    btnSelIndiImplants->setToolTip(QStringLiteral("Choose the implants and their quality levels"));
    btnSelIndiImplants->setEnabled(false);
    lblIndiSelected = named(new QLabel(QStringLiteral("<no implants selected>"), grpTargets),
                            QStringLiteral("lblIndiSelected"), QStringLiteral("Implants selected"));
    lblIndiSelected->setTextFormat(Qt::PlainText);
    lblIndiSelected->setEnabled(false);
    auto *targetLayout = new QGridLayout(grpTargets);
    targetLayout->addWidget(rdoOneQL, 0, 0);
    targetLayout->addWidget(edtImplantQL, 0, 1);
    targetLayout->addWidget(rdoIndiQL, 1, 0);
    targetLayout->addWidget(btnSelIndiImplants, 1, 1, Qt::AlignLeft);
    targetLayout->addWidget(lblIndiSelected, 2, 0, 1, 2);
    targetLayout->setRowStretch(3, 1);
    targetLayout->setColumnStretch(2, 1);

    // Nano programming.
    auto *grpNanoProg = named(new QGroupBox(QStringLiteral(" Nano Programming Skill "), page),
                              QStringLiteral("grpNanoProg"), QStringLiteral("Nano Programming Skill"));
    chkUseNanoProg = named(new QCheckBox(QStringLiteral("Warning over this max Nano Programming skill"), grpNanoProg),
                           QStringLiteral("chkUseNanoProg"),
                           QStringLiteral("Warning over this max Nano Programming skill"));
    edtMaxNanoProg = named(new NumberBox(0, 1500, QStringLiteral("0"), grpNanoProg), QStringLiteral("edtMaxNanoProg"),
                           QStringLiteral("Maximum nano programming skill"));
    edtMaxNanoProg->setEnabled(false);
    auto *nanoLayout = new QVBoxLayout(grpNanoProg);
    nanoLayout->addWidget(chkUseNanoProg);
    auto *maxRow = new QHBoxLayout;
    maxRow->addWidget(edtMaxNanoProg);
    maxRow->addStretch(1);
    nanoLayout->addLayout(maxRow);
    nanoLayout->addStretch(1);

    // Important attributes.
    auto *grpAttributes = named(new QGroupBox(QStringLiteral(" Important Attributes "), page),
                                QStringLiteral("grpAttributes"), QStringLiteral("Important Attributes"));
    auto attribute = [grpAttributes](const QString &name, const QString &caption) {
        return named(new QCheckBox(caption, grpAttributes), name, caption);
    };
    chkStr = attribute(QStringLiteral("chkStr"), QStringLiteral("Strength"));
    chkAgi = attribute(QStringLiteral("chkAgi"), QStringLiteral("Agility"));
    chkSta = attribute(QStringLiteral("chkSta"), QStringLiteral("Stamina"));
    chkInt = attribute(QStringLiteral("chkInt"), QStringLiteral("Intelligence"));
    chkPsy = attribute(QStringLiteral("chkPsy"), QStringLiteral("Psychic"));
    chkSen = attribute(QStringLiteral("chkSen"), QStringLiteral("Sense"));
    auto *attributeLayout = new QGridLayout(grpAttributes);
    const QList<QCheckBox *> attributes{chkStr, chkAgi, chkSta, chkInt, chkPsy, chkSen};
    for (int i = 0; i < int(attributes.size()); ++i)
        attributeLayout->addWidget(attributes.at(i), i % 3, i / 3);

    btnBuild = named(new QPushButton(QStringLiteral("&Build >>"), page), QStringLiteral("btnBuild"),
                     QStringLiteral("Build"));

    auto *layout = new QGridLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(grpStock, 0, 0);
    layout->addWidget(grpTargets, 0, 1);
    layout->addWidget(grpNanoProg, 1, 0);
    layout->addWidget(grpAttributes, 1, 1);
    layout->addWidget(btnBuild, 2, 1, Qt::AlignRight);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    return page;
}

QTableView *TfrmLudra::createResultGrid(TextTable &table, const QString &name, const QString &accessibleName,
                                        const QList<int> &widths)
{
    auto *grid = named(new QTableView, name, accessibleName);
    grid->setModel(new TextTableModel(table, false, grid));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSortingEnabled(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(GridRowHeight);
    QHeaderView *header = grid->horizontalHeader();
    header->setSectionsClickable(false);
    header->setFixedHeight(GridRowHeight);
    for (int c = 0; c < int(widths.size()); ++c)
        header->resizeSection(c, widths.at(c));
    return grid;
}

QWidget *TfrmLudra::createSkillResultTab()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabResultSkills"));
    grdSkillInc = createResultGrid(m_model.SkillIncTable, QStringLiteral("grdSkillInc"),
                                   QStringLiteral("Skill increases"), {215, 80, 80});
    grdSkillInc->setParent(page);
    btnLogSkill = named(new QPushButton(QStringLiteral("Log"), page), QStringLiteral("btnLogSkill"),
                        QStringLiteral("Build log"));

    auto *side = new QVBoxLayout;
    side->addStretch(1);
    side->addWidget(sortHints(page));
    side->addStretch(1);
    side->addWidget(btnLogSkill, 0, Qt::AlignRight);
    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    grdSkillInc->setFixedWidth(215 + 80 + 80 + 2 * grdSkillInc->frameWidth() +
                               grdSkillInc->verticalScrollBar()->sizeHint().width());
    layout->addWidget(grdSkillInc);
    layout->addLayout(side, 1);
    return page;
}

QWidget *TfrmLudra::createRequirementResultTab()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabResultCosts"));
    grdReqs = createResultGrid(m_model.ReqTable, QStringLiteral("grdReqs"), QStringLiteral("Requirements"),
                               {157, 58, 56, 140, 62, 70, 132});
    grdReqs->setParent(page);
    btnPrintShoppingList = named(new QPushButton(QStringLiteral("Print Shopping List"), page),
                                 QStringLiteral("btnPrintShoppingList"), QStringLiteral("Print Shopping List"));
    btnLogReq = named(new QPushButton(QStringLiteral("Log"), page), QStringLiteral("btnLogReq"),
                      QStringLiteral("Build log"));
    btnResort = named(new QPushButton(QStringLiteral("Sort by Type/Cluster Name"), page), QStringLiteral("btnResort"),
                      QStringLiteral("Sort by Type/Cluster Name"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnResort);
    buttons->addStretch(1);
    buttons->addWidget(btnPrintShoppingList);
    buttons->addWidget(btnLogReq);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(grdReqs, 1);
    layout->addWidget(sortHints(page));
    layout->addLayout(buttons);
    return page;
}

QWidget *TfrmLudra::createSuggestionTab()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabResultSuggest"));
    grdSuggest = createResultGrid(m_model.SuggestTable, QStringLiteral("grdSuggest"), QStringLiteral("Suggestions"),
                                  {501, 85, 111});
    grdSuggest->setParent(page);
    auto *explain = makeLabel(QStringLiteral("This page displays the possible other clusters you can add that will "
                                             "produce a implant that uses your selected Attributes"),
                              page);
    explain->setWordWrap(true);
    auto *needAttribute = makeLabel(
        QStringLiteral("You must check at LEAST one attribute on the Build tab, for anything to show up here."), page,
        Qt::AlignCenter);
    needAttribute->setWordWrap(true);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(grdSuggest, 1);
    layout->addWidget(explain);
    layout->addWidget(needAttribute);
    return page;
}

// ---------------------------------------------------------------------------
// Menus

void TfrmLudra::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("mnuMain"));
    bar->setAccessibleName(QStringLiteral("Main menu"));

    auto item = [this](QMenu *menu, const QString &name, const QString &caption) {
        auto *action = new QAction(caption, this);
        action->setObjectName(name);
        menu->addAction(action);
        return action;
    };
    auto submenu = [](QWidget *owner, const QString &name, const QString &caption) {
        auto *menu = new QMenu(caption, owner);
        menu->setObjectName(name);
        return menu;
    };

    QMenu *file = submenu(bar, QStringLiteral("File1"), QStringLiteral("&File"));
    bar->addMenu(file);
    QList<QAction *> waiting; // commands whose features are not built yet
    waiting << item(file, QStringLiteral("Open1"), QStringLiteral("&Open"));
    file->addSeparator();
    waiting << item(file, QStringLiteral("Save1"), QStringLiteral("&Save"));
    waiting << item(file, QStringLiteral("SaveAs1"), QStringLiteral("Save &As..."));
    QMenu *exportMenu = submenu(file, QStringLiteral("Export1"), QStringLiteral("Exp&ort"));
    file->addMenu(exportMenu);
    waiting << item(exportMenu, QStringLiteral("CSV1"), QStringLiteral("C&SV"));
    waiting << item(exportMenu, QStringLiteral("HTML1"), QStringLiteral("H&TML"));
    waiting << item(exportMenu, QStringLiteral("WordDoc1"), QStringLiteral("&Word Doc"));
    file->addSeparator();
    waiting << item(file, QStringLiteral("PrintSetup1"), QStringLiteral("Print S&ettings"));
    waiting << item(file, QStringLiteral("PrintPreview1"), QStringLiteral("Print Pre&view"));
    waiting << item(file, QStringLiteral("Print1"), QStringLiteral("&Print Report"));
    file->addSeparator();
    connect(item(file, QStringLiteral("Exit1"), QStringLiteral("E&xit")), &QAction::triggered, this,
            &TfrmLudra::Exit1Click);

    QMenu *tools = submenu(bar, QStringLiteral("Tools1"), QStringLiteral("&Tools"));
    bar->addMenu(tools);
    waiting << item(tools, QStringLiteral("AutoAllocateRules1"), QStringLiteral("&Auto Allocate Rules"));
    waiting << item(tools, QStringLiteral("StockControl1"), QStringLiteral("Stoc&k Control"));
    item(tools, QStringLiteral("Graphs1"), QStringLiteral("&Graphs"))->setEnabled(false);
    tools->addSeparator();
    waiting << item(tools, QStringLiteral("Options1"), QStringLiteral("&Options"));

    QMenu *help = submenu(bar, QStringLiteral("Help1"), QStringLiteral("&Help"));
    bar->addMenu(help);
    connect(item(help, QStringLiteral("Help2"), QStringLiteral("&Ludra Help")), &QAction::triggered, this,
            &TfrmLudra::Help2Click);
    help->addSeparator();
    connect(item(help, QStringLiteral("About1"), QStringLiteral("&About")), &QAction::triggered, this,
            &TfrmLudra::AboutClick);

    // Pop-up menus: the selected-skills menu, the marker menu of the layout
    // grid (filled at start-up) and the default skill selections.
    mnuSelected = submenu(this, QStringLiteral("mnuSelected"), QString());
    waiting << item(mnuSelected, QStringLiteral("ClearAll1"), QStringLiteral("&Clear All"));
    waiting << item(mnuSelected, QStringLiteral("AutoAllocate1"), QStringLiteral("&Auto Allocate"));
    mnuIconPopup = submenu(this, QStringLiteral("mnuIconPopup"), QString());
    mnuPopup = submenu(this, QStringLiteral("mnuPopup"), QString());

    // A command that cannot work yet is shown disabled rather than offered and
    // left to do nothing; the same holds for the buttons below.
    for (QAction *action : waiting)
        action->setEnabled(false);
    for (QWidget *control : QList<QWidget *>{cboViewStyle, cboInside, btnAdd, btnRemove, btnUp, btnDown, btnPopup,
                                             btnAllocate, chkStockControl, btnBuild, btnLogSkill, btnLogReq,
                                             btnPrintShoppingList, btnResort})
        control->setEnabled(false);
}

void TfrmLudra::buildMarkerMenu()
{
    mnuIconPopup->clear();
    for (int position = 0; position < int(m_model.MarkerNames.size()); ++position) {
        auto *action = new QAction(m_model.MarkerNames.at(position), mnuIconPopup);
        action->setObjectName(QStringLiteral("y%1").arg(position));
        if (position >= 1)
            action->setIcon(markerIcon(position - 1));
        // Choosing a marker is not built yet; the menu shows what exists.
        action->setEnabled(false);
        mnuIconPopup->addAction(action);
    }
}

// ---------------------------------------------------------------------------
// Start-up helpers

void TfrmLudra::fillAvailableSkills()
{
    // The entries go into the list's model in one step rather than one
    // insertion (and one round of signals) each.
    const QList<SkillEntry> entries = m_model.sortedSkills();
    QList<QStandardItem *> items;
    items.reserve(entries.size());
    for (const SkillEntry &entry : entries) {
        auto *item = new QStandardItem(entry.name);
        item->setData(QVariant::fromValue(entry.nano), Qt::UserRole);
        items.append(item);
    }
    auto *model = new QStandardItemModel(cboAvaNanos);
    if (!items.isEmpty())
        model->appendColumn(items);
    cboAvaNanos->setModel(model);
    cboAvaNanos->setCurrentIndex(cboAvaNanos->count() > 0 ? 0 : -1);
}

void TfrmLudra::prepareLayoutGrid()
{
    PrepareBodyView(m_model.LayoutTable, m_model.BodySlots);
    for (int c = 0; c < LayoutColumns - 1; ++c)
        grdReport->setColumnWidth(c, LayoutColumnWidth);
}

// ---------------------------------------------------------------------------
// Window events

void TfrmLudra::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    if (QScreen *screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

bool TfrmLudra::eventFilter(QObject *watched, QEvent *event)
{
    // The key panel opens while the pointer rests on the Key button and closes
    // when it moves on over the grid, the duplicate label or the page.
    const QEvent::Type type = event->type();
    if (!m_closing && (type == QEvent::Enter || type == QEvent::MouseMove)) {
        if (watched == btnKey)
            setKeyPanelVisible(true);
        else if (watched == grdReport->viewport() || watched == lblDupes || watched == tabReport)
            setKeyPanelVisible(false);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmLudra::setKeyPanelVisible(bool visible)
{
    if (panKey->isVisible() == visible)
        return;
    if (visible) {
        panKey->adjustSize();
        const QRect grid = grdReport->geometry();
        panKey->move(grid.left() + 4, grid.bottom() - panKey->height() - 4);
        panKey->raise();
    }
    panKey->setVisible(visible);
}

// ---------------------------------------------------------------------------
// Commands

void TfrmLudra::Exit1Click()
{
    close();
}

void TfrmLudra::Help2Click()
{
    const QString helpFile = BesideExe(QStringLiteral("Ludra.hlp"));
    if (!QFileInfo::exists(helpFile)) {
        m_prompter.error(QStringLiteral("Cannot find the help file \"%1\".").arg(helpFile));
        return;
    }
    TfrmHelp help(helpFile, this);
    help.exec();
}

void TfrmLudra::AboutClick()
{
    TfrmAbout about(this);
    about.exec();
}

} // namespace ludra
