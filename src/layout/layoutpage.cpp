#include "layout/layoutpage.h"

#include "common/command.h"
#include "data/referencedata.h"
#include "layout/layoutstate.h"
#include "views/numberbox.h"
#include "views/texttablemodel.h"
#include "views/widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

Q_DECLARE_METATYPE(const ludra::TNano *)

namespace ludra {

LayoutPage::LayoutPage(LayoutState &layout, const ReferenceData &reference, Prompter &prompter, QWidget *parent)
    : QWidget(parent), m_layout(layout), m_reference(reference), m_prompter(prompter)
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
    m_layoutModel = new TextTableModel(m_layout.table(), true, grdReport);
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
    // The body-placement view fits; the skill view of a long list scrolls.
    grdReport->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    cboViewStyle = Named(new QComboBox(this), QStringLiteral("cboViewStyle"), QStringLiteral("Layout view"));
    cboViewStyle->addItems({QStringLiteral("View by Body Placement"), QStringLiteral("View by Skill/Cluster Set")});
    cboViewStyle->setCurrentIndex(-1);
    cboInside = Named(new QComboBox(this), QStringLiteral("cboInside"), QStringLiteral("Names shown"));
    cboInside->addItems({QStringLiteral("Show Skill Names"), QStringLiteral("Show Cluster Names")});
    cboInside->setCurrentIndex(-1);

    auto *lblAvailable = MakeLabel(QStringLiteral(" Avaliable Skills"), this);
    lblAvailable->setObjectName(QStringLiteral("lblAvaNanos"));
    cboAvaNanos = Named(new QComboBox(this), QStringLiteral("cboAvaNanos"), QStringLiteral("Available skills"));
    cboAvaNanos->setMaxVisibleItems(20);
    // The column it stands in sets its width; measuring hundreds of skill
    // names for a size hint would only slow the window's first showing.
    cboAvaNanos->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboAvaNanos->setMinimumContentsLength(12);
    lblAvailable->setBuddy(cboAvaNanos);

    btnAdd = Named(new QPushButton(QStringLiteral("&Add"), this), QStringLiteral("btnAdd"), QStringLiteral("Add"));
    btnPopup = Named(new QToolButton(this), QStringLiteral("btnPopup"), QStringLiteral("Default skill selections"));
    btnPopup->setText(QStringLiteral("..."));
    btnPopup->setToolTip(QStringLiteral("Click to popup a menu of default skill selections"));

    auto *lblSelected = MakeLabel(QStringLiteral(" Selected Important Skills"), this);
    lblSelected->setObjectName(QStringLiteral("lblSelNanos"));
    lbSelNanos = Named(new QListWidget(this), QStringLiteral("lbSelNanos"), QStringLiteral("Selected important skills"));
    lblSelected->setBuddy(lbSelNanos);

    btnRemove = Named(new QPushButton(QStringLiteral("&Remove"), this), QStringLiteral("btnRemove"),
                      QStringLiteral("Remove"));
    btnUp = Named(new QToolButton(this), QStringLiteral("btnUp"), QStringLiteral("Move up"));
    btnUp->setArrowType(Qt::UpArrow);
    btnUp->setToolTip(QStringLiteral("Move the selected skill up"));
    btnDown = Named(new QToolButton(this), QStringLiteral("btnDown"), QStringLiteral("Move down"));
    btnDown->setArrowType(Qt::DownArrow);
    btnDown->setToolTip(QStringLiteral("Move the selected skill down"));

    chkStockControl = Named(new QCheckBox(QStringLiteral("Activate Stock Control"), this),
                            QStringLiteral("chkStockControl"), QStringLiteral("Activate Stock Control"));
    auto *lblStockTarget = MakeLabel(QStringLiteral("Target QL"), this);
    lblStockTarget->setObjectName(QStringLiteral("lblStockTarget"));
    edtStockTarget = Named(new NumberBox(0, 200, QStringLiteral("0"), this), QStringLiteral("edtStockTarget"),
                           QStringLiteral("Stock target quality level"));
    edtStockTarget->setEnabled(false);
    lblStockTarget->setBuddy(edtStockTarget);

    btnAllocate = Named(new QPushButton(QStringLiteral("Auto Allocate Nanos"), this), QStringLiteral("btnAllocate"),
                        QStringLiteral("Auto Allocate Nanos"));
    lblDupes = MakeStateLabel(QString(), QStringLiteral("lblDupes"),
                              QStringLiteral("Warns when the layout holds a cluster twice"), this);
    lblDupes->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblDupes->setStyleSheet(QStringLiteral("QLabel { color: #ff0000; font-weight: bold; }"));
    lblDupes->setMouseTracking(true);
    lblDupes->installEventFilter(this);
    btnKey = Named(new QPushButton(QStringLiteral("Key"), this), QStringLiteral("btnKey"),
                   QStringLiteral("Key to icons"));
    btnKey->setToolTip(QStringLiteral("Point at or press to show the key to the cell icons"));
    btnKey->installEventFilter(this);
    connect(btnKey, &QPushButton::clicked, this, [this] { RunCommand(m_prompter, [this] { btnKeyClick(); }); });

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
    // a long skill view needs it.
    const int gridWidth = LayoutColumnWidth * LayoutColumns + 2 * grdReport->frameWidth() +
                          grdReport->verticalScrollBar()->sizeHint().width();
    grdReport->setFixedWidth(gridWidth);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(left);
    layout->addLayout(side, 1);

    panKey = createKeyPanel();
    installEventFilter(this);
}

QFrame *LayoutPage::createKeyPanel()
{
    auto *panel = Named(new QFrame(this), QStringLiteral("panKey"), QStringLiteral("Key to icons"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);

    auto iconRow = [panel](int code, const QString &text) {
        auto *row = new QHBoxLayout;
        auto *image = new QLabel(panel);
        image->setPixmap(MarkerIcon(code).pixmap(16, 16));
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
    QList<QAction *> waiting; // commands whose features are not built yet
    waiting << item(mnuSelected, QStringLiteral("ClearAll1"), QStringLiteral("&Clear All"));
    waiting << item(mnuSelected, QStringLiteral("AutoAllocate1"), QStringLiteral("&Auto Allocate"));
    mnuIconPopup = submenu(QStringLiteral("mnuIconPopup"));
    mnuPopup = submenu(QStringLiteral("mnuPopup"));

    // A command that cannot work yet is shown disabled rather than offered and
    // left to do nothing.
    for (QAction *action : waiting)
        action->setEnabled(false);
    for (QWidget *control : QList<QWidget *>{cboViewStyle, cboInside, btnAdd, btnRemove, btnUp, btnDown, btnPopup,
                                             btnAllocate, chkStockControl})
        control->setEnabled(false);
}

void LayoutPage::buildMarkerMenu(const QStringList &captions)
{
    mnuIconPopup->clear();
    for (int position = 0; position < int(captions.size()); ++position) {
        auto *action = new QAction(captions.at(position), mnuIconPopup);
        action->setObjectName(QStringLiteral("y%1").arg(position));
        if (position >= 1)
            action->setIcon(MarkerIcon(position - 1));
        // Choosing a marker is not built yet; the menu shows what exists.
        action->setEnabled(false);
        mnuIconPopup->addAction(action);
    }
}

void LayoutPage::selectFirstViews()
{
    cboViewStyle->setCurrentIndex(0);
    cboInside->setCurrentIndex(0);
}

void LayoutPage::fillAvailableSkills()
{
    // The entries go into the list's model in one step rather than one
    // insertion (and one round of signals) each.
    const QList<SkillEntry> entries = m_reference.sortedSkills();
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

void LayoutPage::prepareLayoutGrid()
{
    m_layout.prepareBodyView(m_reference.bodySlots());
    for (int c = 0; c < LayoutColumns - 1; ++c)
        grdReport->setColumnWidth(c, LayoutColumnWidth);
}

bool LayoutPage::eventFilter(QObject *watched, QEvent *event)
{
    // The key panel opens while the pointer rests on the Key button and closes
    // when it moves on over the grid, the duplicate label or the page.
    const QEvent::Type type = event->type();
    if (type == QEvent::Enter || type == QEvent::MouseMove) {
        if (watched == btnKey) {
            if (!panKey->isVisible())
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
    if (panKey->isVisible() && !m_keyShownByPointer) {
        setKeyPanelVisible(false);
        return;
    }
    m_keyShownByPointer = false;
    setKeyPanelVisible(true);
}

void LayoutPage::setKeyPanelVisible(bool visible)
{
    if (!visible)
        m_keyShownByPointer = false;
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
