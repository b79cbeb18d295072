#include "layout/layoutpage.h"

#include "text/langapply.h"
#include "text/messages.h"
#include "common/command.h"
#include "common/errors.h"
#include "common/prompter.h"
#include "data/referencedata.h"
#include "layout/layoutgrid.h"
#include "layout/layoutstate.h"
#include "layout/plantext.h"
#include "layout/skilllists.h"
#include "layout/layoutdocument.h"
#include "layout/frmsymbiantpicker.h"
#include "data/character.h"
#include "data/symbiants.h"
#include "views/numberbox.h"
#include "views/fittingcombobox.h"
#include "views/widgets.h"

#include <QAction>
#include <algorithm>
#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QItemSelectionModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QUndoStack>
#include <QToolButton>
#include <QVBoxLayout>

namespace ludra {

LayoutPage::LayoutPage(Prompter &prompter, QWidget *parent) : QWidget(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("tabReport"));
    setMouseTracking(true);
    createControls();
    createMenus();
}

void LayoutPage::createControls()
{
    // The layout grid: row 0 and column 0 of the layout are its fixed header
    // row and column.
    grdReport = Named(new QTableView(this), QStringLiteral("grdReport"), QStringLiteral("Layout"));
    // Each data cell is edited in place with a drop-down of its pick list,
    // opened by a double click, F2 or typing.
    grdReport->setItemDelegate(new LayoutCellDelegate(
        [this]() -> const LayoutState & { return layoutState(); },
        [this](int column, int row, const QString &text) { grdReportCellValidate(column, row, text); }, grdReport));
    grdReport->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::AnyKeyPressed);
    grdReport->setIconSize(QSize(16, 16));
    grdReport->setSelectionMode(QAbstractItemView::SingleSelection);
    grdReport->setCornerButtonEnabled(false);
    grdReport->setSortingEnabled(false);
    grdReport->setMouseTracking(true);
    // The marker menu opens where the right button is released over a cell
    // or a header, and on the current cell by the keyboard's menu key.
    grdReport->viewport()->installEventFilter(this);
    grdReport->installEventFilter(this);
    QHeaderView *rowHeader = grdReport->verticalHeader();
    rowHeader->setFixedWidth(LayoutColumnWidth);
    rowHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowHeader->setDefaultSectionSize(GridRowHeight);
    rowHeader->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    rowHeader->setSectionsClickable(false);
    QHeaderView *columnHeader = grdReport->horizontalHeader();
    // The cluster columns share what room the grid has beyond its design
    // width (fitColumns, as the grid is resized).
    columnHeader->setSectionResizeMode(QHeaderView::Fixed);
    columnHeader->setDefaultSectionSize(LayoutColumnWidth);
    columnHeader->setFixedHeight(GridRowHeight);
    columnHeader->setSectionsClickable(false);
    columnHeader->viewport()->installEventFilter(this);
    rowHeader->viewport()->installEventFilter(this);
    grdReport->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The body-placement view fits; the skill view of a long list scrolls.
    grdReport->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    cboViewStyle = Named(new FittingComboBox(this), QStringLiteral("cboViewStyle"), QStringLiteral("Layout view"));
    cboViewStyle->addItems({QStringLiteral("View by Body Placement"), QStringLiteral("View by Skill/Cluster Set")});
    cboViewStyle->setCurrentIndex(-1);
    cboInside = Named(new FittingComboBox(this), QStringLiteral("cboInside"), QStringLiteral("Names shown"));
    cboInside->addItems({QStringLiteral("Show Skill Names"), QStringLiteral("Show Cluster Names")});
    cboInside->setCurrentIndex(-1);

    auto *lblAvailable = MakeLabel(QStringLiteral(" Available Skills"), this);
    lblAvailable->setObjectName(QStringLiteral("lblAvaNanos"));
    cboAvaNanos = Named(new FittingComboBox(this), QStringLiteral("cboAvaNanos"), QStringLiteral("Available skills"));
    cboAvaNanos->setMaxVisibleItems(20);
    // The column it stands in sets its width; measuring hundreds of skill
    // names for a size hint would only slow the window's first showing.
    cboAvaNanos->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboAvaNanos->setMinimumContentsLength(12);
    lblAvailable->setBuddy(cboAvaNanos);

    btnAdd = Named(new QPushButton(QStringLiteral("&Add"), this), QStringLiteral("btnAdd"));
    btnPopup = Named(new QToolButton(this), QStringLiteral("btnPopup"), QStringLiteral("Default skill selections"));
    btnPopup->setText(QStringLiteral("..."));
    btnPopup->setToolTip(QStringLiteral("Click to popup a menu of default skill selections"));

    auto *lblSelected = MakeLabel(QStringLiteral(" Selected Important Skills"), this);
    lblSelected->setObjectName(QStringLiteral("lblSelNanos"));
    lbSelNanos = Named(new QListWidget(this), QStringLiteral("lbSelNanos"), QStringLiteral("Selected important skills"));
    lbSelNanos->setSelectionMode(QAbstractItemView::SingleSelection);
    lblSelected->setBuddy(lbSelNanos);
    // Its menu opens on release of the right button, and by the menu key.
    lbSelNanos->viewport()->installEventFilter(this);
    lbSelNanos->installEventFilter(this);

    btnRemove = Named(new QPushButton(QStringLiteral("&Remove"), this), QStringLiteral("btnRemove"));
    btnUp = Named(new QToolButton(this), QStringLiteral("btnUp"), QStringLiteral("Move up"));
    btnUp->setArrowType(Qt::UpArrow);
    btnUp->setToolTip(QStringLiteral("Move the selected skill up"));
    btnDown = Named(new QToolButton(this), QStringLiteral("btnDown"), QStringLiteral("Move down"));
    btnDown->setArrowType(Qt::DownArrow);
    btnDown->setToolTip(QStringLiteral("Move the selected skill down"));

    chkStockControl = Named(new QCheckBox(QStringLiteral("Activate Stock Control"), this),
                            QStringLiteral("chkStockControl"));
    auto *lblStockTarget = MakeLabel(QStringLiteral("Target QL"), this);
    lblStockTarget->setObjectName(QStringLiteral("lblStockTarget"));
    edtStockTarget = Named(new NumberBox(0, 200, QStringLiteral("0"), this), QStringLiteral("edtStockTarget"),
                           QStringLiteral("Stock target quality level"));
    edtStockTarget->setEnabled(false);
    lblStockTarget->setBuddy(edtStockTarget);

    btnAllocate = Named(new QPushButton(QStringLiteral("Auto Allocate Nanos"), this), QStringLiteral("btnAllocate"));
    lblDupes = MakeStateLabel(QString(), QStringLiteral("lblDupes"),
                              QStringLiteral("Warns when the layout holds a cluster twice"), this);
    lblDupes->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ShowAsWarning(lblDupes);
    lblDupes->setMouseTracking(true);
    lblDupes->installEventFilter(this);
    btnKey = Named(new QPushButton(QStringLiteral("Key"), this), QStringLiteral("btnKey"));
    btnKey->setToolTip(QStringLiteral("Point at or press to show the key to the cell icons"));
    btnKey->installEventFilter(this);

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

    // Room for the scroll bar is kept, so the columns stay where they are when
    // a long skill view needs it. The grid takes what room the page gains;
    // the side panel keeps its width.
    const int gridWidth = LayoutColumnWidth * LayoutColumns + 2 * grdReport->frameWidth() +
                          grdReport->verticalScrollBar()->sizeHint().width();
    grdReport->setMinimumWidth(gridWidth);
    auto *sidePanel = new QWidget(this);
    sidePanel->setObjectName(QStringLiteral("pnlSide"));
    side->setContentsMargins(0, 0, 0, 0);
    sidePanel->setLayout(side);
    sidePanel->setFixedWidth(SidePanelWidth);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(left, 1);
    layout->addWidget(sidePanel);

    installEventFilter(this);

    connect(btnKey, &QPushButton::clicked, this, &LayoutPage::btnKeyClick);
    connect(btnAdd, &QPushButton::clicked, this, &LayoutPage::btnAddClick);
    connect(btnRemove, &QPushButton::clicked, this, &LayoutPage::btnRemoveClick);
    connect(btnUp, &QToolButton::clicked, this, &LayoutPage::btnUpClick);
    connect(btnDown, &QToolButton::clicked, this, &LayoutPage::btnDownClick);
    connect(btnPopup, &QToolButton::clicked, this, &LayoutPage::btnPopupClick);
    connect(btnAllocate, &QPushButton::clicked, this, &LayoutPage::btnAllocateClick);
    connect(cboViewStyle, &QComboBox::currentIndexChanged, this, &LayoutPage::cboViewStyleChange);
    connect(cboInside, &QComboBox::currentIndexChanged, this, &LayoutPage::cboInsideChange);
    connect(chkStockControl, &QCheckBox::clicked, this, [this] { Q_EMIT stockControlChanged(false); });
    // Typing, pasting and stepping all change the target. An emptied box is
    // someone about to type a new number, not a target to check against.
    connect(edtStockTarget, &NumberBox::textChanged, this, [this](const QString &text) {
        if (chkStockControl->isChecked() && !text.isEmpty())
            Q_EMIT stockControlChanged(true);
    });
    // The current entries of the lists are the core's: choosing one in a list
    // tells it. What the lists show is noted as well, so that a step of the
    // history that brings back other current entries shows them, and the
    // entry highlighted is always the one Add or Remove takes.
    connect(cboAvaNanos, &QComboBox::currentIndexChanged, this, [this](int index) {
        RunCommand(m_prompter, [this, index] {
            layoutState().skills().setAvailableCurrent(index);
            if (m_shownSkills)
                m_shownSkills->setAvailableCurrent(index);
        });
    });
    connect(lbSelNanos->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        RunCommand(m_prompter, [this] {
            const QModelIndexList rows = lbSelNanos->selectionModel()->selectedRows();
            const int row = rows.isEmpty() ? -1 : rows.first().row();
            layoutState().skills().setSelectedCurrent(row);
            if (m_shownSkills)
                m_shownSkills->setSelectedCurrent(row);
        });
    });
}

QFrame *LayoutPage::keyPanel()
{
    // The key is out of sight until the player asks for it; its images and
    // texts are laid out then.
    if (!panKey) {
        panKey = createKeyPanel();
        LangApplyProgram(*window(), *panKey);
        showStockStatus();
    }
    return panKey;
}

void LayoutPage::makeDeferred()
{
    keyPanel();
    markerMenu();
}

QMenu *LayoutPage::markerMenu()
{
    if (mnuIconPopup->isEmpty()) {
        for (int position = 0; position < int(m_markerCaptions.size()); ++position) {
            auto *action = new QAction(m_markerCaptions.at(position), mnuIconPopup);
            action->setObjectName(QStringLiteral("y%1").arg(position));
            // Its caption is a message (M01 to M15), not a window text.
            action->setProperty(LangFixed, true);
            if (position >= 1)
                action->setIcon(MarkerIcon(position - 1));
            connect(action, &QAction::triggered, this, [this, position] { IconMenu(position); });
            mnuIconPopup->addAction(action);
        }
        // The page owns the symbiant items: they keep their language file
        // texts however often the menu is made.
        mnuIconPopup->addSeparator();
        mnuIconPopup->addAction(UseSymbiant1);
        mnuIconPopup->addAction(UseImplant1);
    }
    return mnuIconPopup;
}

QFrame *LayoutPage::createKeyPanel()
{
    auto *panel = Named(new QFrame(this), QStringLiteral("panKey"), QStringLiteral("Key to icons"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);

    auto iconRow = [panel](Marker marker, const QString &text) {
        auto *row = new QHBoxLayout;
        auto *image = new QLabel(panel);
        image->setPixmap(MarkerIcon(int(marker)).pixmap(16, 16));
        image->setFixedSize(16, 16);
        row->addWidget(image);
        row->addWidget(MakeLabel(text, panel), 1);
        return row;
    };

    auto *title = MakeLabel(QStringLiteral("Key to Icons :"), panel);
    title->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; }"));
    lblStockStatus = MakeStateLabel(QStringLiteral("<Disabled>"), QStringLiteral("lblStockStatus"),
                                    QStringLiteral("Stock control status"), panel);
    auto *stockHeading = new QHBoxLayout;
    auto *stockTitle = MakeLabel(QStringLiteral("Stock Control Icons :"), panel);
    stockTitle->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; }"));
    stockHeading->addWidget(stockTitle);
    stockHeading->addWidget(lblStockStatus, 1);

    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(3);
    layout->addWidget(title);
    layout->addLayout(iconRow(Marker::Conflict, QStringLiteral("Auto allocate tried to place two clusters in this spot")));
    layout->addSpacing(4);
    layout->addLayout(stockHeading);
    layout->addLayout(iconRow(Marker::InStock, QStringLiteral("There is enough available stock for this Cluster")));
    layout->addLayout(iconRow(Marker::NoStock, QStringLiteral("You do not have enough stock to source this Cluster")));
    layout->addLayout(iconRow(Marker::BadCluster, QStringLiteral("You do not have a valid Implant for this slot")));

    panel->adjustSize();
    panel->hide();
    return panel;
}

void LayoutPage::createMenus()
{
    auto submenu = [this](const QString &name) {
        auto *menu = new QMenu(this);
        menu->setObjectName(name);
        return menu;
    };
    auto item = [this](QMenu *menu, const QString &name, const QString &caption) {
        auto *action = new QAction(caption, menu);
        action->setObjectName(name);
        menu->addAction(action);
        return action;
    };

    // The selected-skills menu, the marker menu of the layout grid (filled at
    // start-up) and the default skill selections.
    mnuSelected = submenu(QStringLiteral("mnuSelected"));
    ClearAll1 = item(mnuSelected, QStringLiteral("ClearAll1"), QStringLiteral("&Clear All"));
    AutoAllocate1 = item(mnuSelected, QStringLiteral("AutoAllocate1"), QStringLiteral("&Auto Allocate"));
    connect(ClearAll1, &QAction::triggered, this, &LayoutPage::ClearAll1Click);
    connect(AutoAllocate1, &QAction::triggered, this, &LayoutPage::btnAllocateClick);
    mnuIconPopup = submenu(QStringLiteral("mnuIconPopup"));
    mnuPopup = submenu(QStringLiteral("mnuPopup"));
    UseSymbiant1 = Named(new QAction(QStringLiteral("Use &Symbiant..."), this), QStringLiteral("UseSymbiant1"));
    UseImplant1 = Named(new QAction(QStringLiteral("Use &Implant"), this), QStringLiteral("UseImplant1"));
    connect(UseSymbiant1, &QAction::triggered, this, &LayoutPage::UseSymbiant1Click);
    connect(UseImplant1, &QAction::triggered, this, &LayoutPage::UseImplant1Click);
}

void LayoutPage::buildMarkerMenu(const QStringList &captions)
{
    // Its items and their images are made when it first opens.
    mnuIconPopup->clear();
    m_markerCaptions = captions;
}

void LayoutPage::buildDefaultSelectionsMenu()
{
    mnuPopup->clear();
    for (const PopupItem &item : layoutState().defaultSelections().items()) {
        auto *action = new QAction(item.caption, mnuPopup);
        action->setObjectName(QStringLiteral("x%1").arg(item.line));
        // Its caption comes from the default selections file.
        action->setProperty(LangFixed, true);
        const int line = item.line;
        connect(action, &QAction::triggered, this, [this, line] { ClickMenu(line); });
        mnuPopup->addAction(action);
    }
}

LayoutState &LayoutPage::layoutState() const
{
    return m_document->layout();
}

void LayoutPage::setDocument(LayoutDocument *document)
{
    disconnect(m_planChanged);
    m_document = document;
    // The grid shows the new document's layout; the model of the old one goes.
    QAbstractItemModel *old = grdReport->model();
    m_layoutModel = new LayoutTableModel(
        document->layout(), [this] { return m_symbiantTable ? m_symbiantTable() : nullptr; }, grdReport);
    grdReport->setModel(m_layoutModel);
    delete old;
    m_planChanged = connect(document, &LayoutDocument::planChanged, this, [this] { showPlan(); });
    m_shownSkills.reset();
    buildDefaultSelectionsMenu();
    {
        const QSignalBlocker quietView(cboViewStyle);
        const QSignalBlocker quietNames(cboInside);
        if (m_catalogueRead) {
            cboInside->setCurrentIndex(int(layoutState().names()));
            showViewState();
        } else {
            // Without a catalogue the selectors name nothing.
            cboInside->setCurrentIndex(-1);
            cboViewStyle->setCurrentIndex(-1);
        }
    }
    showSkillLists();
    fitColumns();
    showDuplicates(layoutState().CheckDuplicates());
    showSymbiantSpans();
}

void LayoutPage::showSkillLists()
{
    const SkillLists &skills = layoutState().skills();
    // The lists are shown again only when they changed: a step of the history
    // that edited a cell leaves them as they are.
    if (m_shownSkills && *m_shownSkills == skills)
        return;
    m_shownSkills = skills;

    // The entries go into the drop-down's model in one step rather than one
    // insertion (and one round of signals) each.
    QList<QStandardItem *> items;
    items.reserve(skills.available().size());
    for (const SkillEntry &entry : skills.available()) {
        items.append(new QStandardItem(entry.name));
    }
    auto *model = new QStandardItemModel(cboAvaNanos);
    if (!items.isEmpty())
        model->appendColumn(items);
    {
        const QSignalBlocker quiet(cboAvaNanos);
        // The drop-down frees the model it owned.
        cboAvaNanos->setModel(model);
        cboAvaNanos->setCurrentIndex(skills.availableCurrent());
    }

    const QSignalBlocker quietList(lbSelNanos->selectionModel());
    lbSelNanos->clear();
    for (const SkillEntry &entry : skills.selected()) {
        new QListWidgetItem(entry.name, lbSelNanos);
    }
    if (skills.selectedCurrent() >= 0)
        lbSelNanos->setCurrentRow(skills.selectedCurrent());
}

void LayoutPage::showViewState()
{
    const bool bodyView = layoutState().currentView() == LayoutView::BodyPlacement;
    btnAllocate->setEnabled(bodyView);
    AutoAllocate1->setEnabled(bodyView);
    const QSignalBlocker quiet(cboViewStyle);
    cboViewStyle->setCurrentIndex(int(layoutState().currentView()));
}

// ---------------------------------------------------------------------------
// Commands: each runs its body inside the one error boundary.

void LayoutPage::recordEdit(const MessageDef &name, const std::function<void()> &edit)
{
    m_document->editPlan(LangMsg(name), [&edit](LayoutState &) { edit(); });
}

void LayoutPage::showPlan()
{
    {
        const QSignalBlocker quietNames(cboInside);
        cboInside->setCurrentIndex(int(layoutState().names()));
    }
    showViewState();
    showSkillLists();
    showDuplicates(layoutState().CheckDuplicates());
    showSymbiantSpans();
}

void LayoutPage::showSymbiantSpans()
{
    grdReport->clearSpans();
    for (int viewRow = 0; viewRow < m_layoutModel->rowCount(); ++viewRow)
        if (m_layoutModel->symbiantSlot(viewRow) >= 0)
            grdReport->setSpan(viewRow, 0, 1, LayoutColumns - 1);
}

void LayoutPage::showDuplicates(bool duplicates)
{
    lblDupes->setText(duplicates ? LangMsg(Msg::DuplicatesLabel) : QString());
    cboViewStyle->setEnabled(!duplicates);
    m_layoutModel->refresh();
    Q_EMIT duplicatesChecked(duplicates);
}

bool LayoutPage::stockChecking() const
{
    return chkStockControl->isChecked() && m_stockCheck;
}

void LayoutPage::checkStockAfterHistoryStep()
{
    // A step may bring back markers of a stock status that has changed since.
    if (stockChecking())
        m_stockCheck(-1, -1);
    else
        layoutState().clearStockStatusMarkers();
    m_layoutModel->refresh();
}

void LayoutPage::changeSkillLists(const MessageDef &name, const std::function<void(SkillLists &)> &change)
{
    RunCommand(m_prompter, [this, &name, &change] {
        recordEdit(name, [this, &change] { change(layoutState().skills()); });
    });
}

void LayoutPage::btnAddClick()
{
    changeSkillLists(Msg::EditAdd, [](SkillLists &skills) { skills.add(); });
}

void LayoutPage::btnRemoveClick()
{
    changeSkillLists(Msg::EditRemove, [](SkillLists &skills) { skills.remove(); });
}

void LayoutPage::btnUpClick()
{
    changeSkillLists(Msg::EditMoveUp, [](SkillLists &skills) { skills.moveUp(); });
}

void LayoutPage::btnDownClick()
{
    changeSkillLists(Msg::EditMoveDown, [](SkillLists &skills) { skills.moveDown(); });
}

void LayoutPage::ClearAll1Click()
{
    changeSkillLists(Msg::EditClearAll, [](SkillLists &skills) { skills.clearAll(); });
}

void LayoutPage::ClickMenu(int line)
{
    changeSkillLists(Msg::EditDefaultSelection, [this, line](SkillLists &) { layoutState().ClickMenu(line); });
}

void LayoutPage::btnPopupClick()
{
    RunCommand(m_prompter, [this] { mnuPopup->popup(QCursor::pos()); });
}

void LayoutPage::cboViewStyleChange()
{
    RunCommand(m_prompter, [this] { recordEdit(Msg::EditView, [this] { applyViewStyle(); }); });
}

void LayoutPage::cboInsideChange()
{
    RunCommand(m_prompter, [this] { recordEdit(Msg::EditNames, [this] { applyNames(); }); });
}

void LayoutPage::applyViewStyle()
{
    // An empty selector names no view.
    if (cboViewStyle->currentIndex() < 0)
        return;
    if (!layoutState().setView(LayoutView(cboViewStyle->currentIndex())))
        return;
    // The rebuilt view's cells get their stock status afresh.
    if (stockChecking())
        m_stockCheck(-1, -1);
}

void LayoutPage::applyNames()
{
    if (cboInside->currentIndex() < 0)
        return;
    layoutState().setNames(LayoutNames(cboInside->currentIndex()));
}

void LayoutPage::btnAllocateClick()
{
    RunCommand(m_prompter, [this] {
        // The warning that the layout will be erased comes only when there is
        // something to erase.
        const AllocationRules &rules = layoutState().rules();
        if (rules.OverwriteOption == AllocationRules::DoNotClear || layoutState().allocationErases()) {
            const AllocationQuestion question = AllocationConfirmation(rules);
            if (m_prompter.message(question.icon, Prompter::Buttons::YesNo, LangMsg(question.title),
                                   LangMsg(question.text)) != Prompter::Answer::Yes)
                return;
        }
        recordEdit(Msg::EditAutoAllocate, [this] { layoutState().allocate(); });
        // A skill that got fewer clusters than its types allow is said, with
        // why, rather than left for the player to find.
        const QStringList shortfalls = AllocationShortfallLines(layoutState().allocationShortfalls());
        if (!shortfalls.isEmpty())
            m_prompter.message(Prompter::Icon::Information, Prompter::Buttons::Ok, LangMsg(Msg::AllocationShortTitle),
                               LangMsg(Msg::AllocationShortText).arg(shortfalls.join(u'\n')));
    });
}

void LayoutPage::grdReportCellValidate(int column, int row, const QString &text)
{
    RunCommand(m_prompter, [this, column, row, text] {
        recordEdit(Msg::EditCell, [&] {
            layoutState().editCell(column, row, text);
            if (stockChecking())
                m_stockCheck(column, row);
        });
    });
}

void LayoutPage::clearSelectedCells()
{
    RunCommand(m_prompter, [this] {
        QList<QPoint> cells;
        for (const QModelIndex &index : grdReport->selectionModel()->selectedIndexes()) {
            const QPoint cell(m_layoutModel->tableColumn(index.column()), m_layoutModel->tableRow(index.row()));
            if ((index.flags() & Qt::ItemIsEditable) && !layoutState().table().cell(cell.x(), cell.y()).isEmpty())
                cells.append(cell);
        }
        if (cells.isEmpty())
            return;
        recordEdit(Msg::EditClearCells, [this, &cells] {
            for (const QPoint &cell : std::as_const(cells)) {
                layoutState().editCell(cell.x(), cell.y(), QString());
                if (stockChecking())
                    m_stockCheck(cell.x(), cell.y());
            }
        });
    });
}

void LayoutPage::setStockCheck(std::function<void(int column, int row)> check)
{
    m_stockCheck = std::move(check);
}

bool LayoutPage::stockControlOn() const
{
    return chkStockControl->isChecked();
}

QString LayoutPage::stockTarget() const
{
    return edtStockTarget->text();
}

void LayoutPage::showStockStatus()
{
    // Until the switch is first used the key says what its design says.
    if (lblStockStatus && m_stockSwitched)
        lblStockStatus->setText(chkStockControl->isChecked() ? QStringLiteral("<enabled>")
                                                             : QStringLiteral("<disabled>"));
}

void LayoutPage::showStockControl()
{
    m_stockSwitched = true;
    const bool on = chkStockControl->isChecked();
    edtStockTarget->setEnabled(on);
    showStockStatus();
    m_layoutModel->refresh();
}

void LayoutPage::showRestored(bool viewSelectorEnabled)
{
    cboViewStyle->setEnabled(viewSelectorEnabled);
}

bool LayoutPage::viewSelectorEnabled() const
{
    return cboViewStyle->isEnabled();
}

QList<int> LayoutPage::gridWidths() const
{
    QList<int> widths{grdReport->verticalHeader()->width()};
    for (int c = 0; c < grdReport->model()->columnCount(); ++c)
        widths.append(grdReport->columnWidth(c));
    return widths;
}

void LayoutPage::IconMenu(int position)
{
    RunCommand(m_prompter, [this, position] {
        recordEdit(Msg::EditMarker,
                   [this, position] { layoutState().setMarker(m_clickedCell.x(), m_clickedCell.y(), Marker(position - 1)); });
    });
}

void LayoutPage::popupMarkerMenu(const QPoint &cell, const QPoint &globalPos)
{
    m_clickedCell = cell;
    QMenu *menu = markerMenu();
    const int slot = clickedSlot();
    UseSymbiant1->setEnabled(slot >= 0);
    UseImplant1->setEnabled(slot >= 0 && layoutState().plan().bodySlots.at(std::size_t(slot)).holdsSymbiant());
    menu->popup(globalPos);
}

int LayoutPage::clickedSlot() const
{
    const int row = m_clickedCell.y();
    if (layoutState().currentView() != LayoutView::BodyPlacement || m_clickedCell.x() < 0 || row < 1 ||
        row > BodySlotCount)
        return -1;
    return row - 1;
}

void LayoutPage::setSymbiantSources(std::function<const SymbiantTable *()> table,
                                    std::function<Character()> character, std::function<QString()> notice)
{
    m_symbiantTable = std::move(table);
    m_character = std::move(character);
    m_symbiantNotice = std::move(notice);
}

void LayoutPage::UseSymbiant1Click()
{
    RunCommand(m_prompter, [this] {
        const int slot = clickedSlot();
        if (slot < 0)
            return;
        const SymbiantTable *table = m_symbiantTable ? m_symbiantTable() : nullptr;
        if (!table) {
            m_prompter.message(Prompter::Icon::Warning, Prompter::Buttons::Ok, LangMsg(Msg::NoSymbiantsTitle),
                               LangMsg(Msg::NoSymbiantsText));
            return;
        }
        if (const QString notice = m_symbiantNotice ? m_symbiantNotice() : QString(); !notice.isEmpty())
            m_prompter.message(Prompter::Icon::Information, Prompter::Buttons::Ok, LangMsg(Msg::NoSymbiantsTitle),
                               notice);
        QStringList skills;
        for (const SkillEntry &entry : layoutState().skills().selected())
            skills.append(entry.nano ? entry.nano->SkillName : entry.name);
        TfrmSymbiantPicker dialog(BodySlotNames().at(slot), table->forSlot(slot), layoutState().plan().symbiant(slot),
                                  skills, m_character ? m_character() : Character(), this);
        if (m_prompter.runDialog(dialog) != Prompter::Answer::Ok || dialog.chosen().isEmpty())
            return;
        const QString title = dialog.chosen();
        recordEdit(Msg::EditUseSymbiant, [this, slot, &title] { layoutState().setSymbiant(slot, title); });
    });
}

void LayoutPage::UseImplant1Click()
{
    RunCommand(m_prompter, [this] {
        const int slot = clickedSlot();
        if (slot < 0)
            return;
        recordEdit(Msg::EditUseImplant, [this, slot] { layoutState().setSymbiant(slot, QString()); });
    });
}

QPoint LayoutPage::cellAt(QObject *watched, const QPoint &pos) const
{
    // A header cell is row 0 (the type headers) or column 0 (the row names).
    if (watched == grdReport->viewport()) {
        const QModelIndex index = grdReport->indexAt(pos);
        if (index.isValid())
            return {m_layoutModel->tableColumn(index.column()), m_layoutModel->tableRow(index.row())};
    } else if (watched == grdReport->horizontalHeader()->viewport()) {
        const int section = grdReport->horizontalHeader()->logicalIndexAt(pos);
        if (section >= 0)
            return {m_layoutModel->tableColumn(section), 0};
    } else if (watched == grdReport->verticalHeader()->viewport()) {
        const int section = grdReport->verticalHeader()->logicalIndexAt(pos);
        if (section >= 0)
            return {0, m_layoutModel->tableRow(section)};
    }
    return {-1, -1};
}

int LayoutPage::columnWidth() const
{
    // Room for the scroll bar stays, as at the design width.
    const int room = grdReport->width() - 2 * grdReport->frameWidth() -
                     grdReport->verticalScrollBar()->sizeHint().width() - grdReport->verticalHeader()->width();
    return std::max(LayoutColumnWidth, room / (LayoutColumns - 1));
}

void LayoutPage::fitColumns()
{
    const int width = columnWidth();
    for (int c = 0; c < LayoutColumns - 1; ++c)
        grdReport->setColumnWidth(c, width);
}

bool LayoutPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == grdReport && event->type() == QEvent::Resize)
        fitColumns();
    // Delete and Backspace empty the selected cells, as in any grid; while a
    // cell is being edited the keys belong to its editor, which has the focus.
    if (watched == grdReport && event->type() == QEvent::KeyPress && grdReport->hasFocus()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            clearSelectedCells();
            return true;
        }
    }
    const bool onGrid = watched == grdReport->viewport() || watched == grdReport->horizontalHeader()->viewport() ||
                        watched == grdReport->verticalHeader()->viewport();
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            if (onGrid) {
                popupMarkerMenu(cellAt(watched, mouse->position().toPoint()), mouse->globalPosition().toPoint());
                return true;
            }
            if (watched == lbSelNanos->viewport()) {
                mnuSelected->popup(mouse->globalPosition().toPoint());
                return true;
            }
        }
    } else if (event->type() == QEvent::ContextMenu) {
        auto *menuEvent = static_cast<QContextMenuEvent *>(event);
        // The mouse opens the menus on release of its button, above; the
        // menu key opens them on the current cell or entry.
        if (menuEvent->reason() == QContextMenuEvent::Mouse && (onGrid || watched == lbSelNanos->viewport()))
            return true;
        if (menuEvent->reason() != QContextMenuEvent::Mouse) {
            if (watched == grdReport) {
                const QModelIndex current = grdReport->currentIndex();
                QPoint cell(-1, -1);
                QPoint at = grdReport->viewport()->rect().center();
                if (current.isValid()) {
                    cell = {m_layoutModel->tableColumn(current.column()), m_layoutModel->tableRow(current.row())};
                    at = grdReport->visualRect(current).center();
                }
                popupMarkerMenu(cell, grdReport->viewport()->mapToGlobal(at));
                return true;
            }
            if (watched == lbSelNanos) {
                QListWidgetItem *current = lbSelNanos->currentItem();
                const QPoint at = current ? lbSelNanos->visualItemRect(current).center()
                                          : lbSelNanos->viewport()->rect().center();
                mnuSelected->popup(lbSelNanos->viewport()->mapToGlobal(at));
                return true;
            }
        }
    }

    // The key panel opens while the pointer rests on the Key button and closes
    // when it moves on over the grid, the duplicate label or the page.
    const QEvent::Type type = event->type();
    if (type == QEvent::Enter || type == QEvent::MouseMove) {
        if (watched == btnKey) {
            if (!keyPanel()->isVisible())
                m_keyShownByPointer = true;
            setKeyPanelVisible(true);
        } else if (watched == grdReport->viewport() || watched == lblDupes || watched == this) {
            setKeyPanelVisible(false);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LayoutPage::btnKeyClick()
{
    // Pressing shows the panel, also when pointing at the button already has;
    // pressing again hides it, for keyboard users.
    RunCommand(m_prompter, [this] {
        if (keyPanel()->isVisible() && !m_keyShownByPointer) {
            setKeyPanelVisible(false);
            return;
        }
        m_keyShownByPointer = false;
        setKeyPanelVisible(true);
    });
}

void LayoutPage::setKeyPanelVisible(bool visible)
{
    if (!visible)
        m_keyShownByPointer = false;
    if (!visible && !panKey)
        return;
    keyPanel();
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

} // namespace ludra
