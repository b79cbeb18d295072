#include "stock/frmstockcontrol.h"

#include "text/messages.h"

#include "common/numbers.h"

#include "text/langapply.h"

#include "common/command.h"
#include "common/paths.h"
#include "common/prompter.h"
#include "common/text.h"
#include "data/nano.h"
#include "data/referencefiles.h"
#include "views/fittingcombobox.h"
#include "views/widgets.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace ludra {

namespace {

enum ItemColumn { QualityColumn, CostColumn, TypeColumn };
enum EntryColumn { CountColumn, NameColumn };

const QList<int> ItemWidths{70, 92, 146};
// The type column's width when the cluster view is chosen again.
constexpr int TypeWidthAgain = 150;
constexpr int CountWidth = 50;
constexpr int NameWidth = 156;

// The selected row's text in the highlight's text colour on the highlight
// colour (white on blue in a light palette), all other text in the palette's
// text colour on its base, whether or not the grid has the focus.
void SetGridColours(QTableWidget *grid)
{
    QPalette palette = grid->palette();
    const QColor highlight = palette.color(QPalette::Active, QPalette::Highlight);
    const QColor highlightedText = palette.color(QPalette::Active, QPalette::HighlightedText);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, highlight);
        palette.setColor(group, QPalette::HighlightedText, highlightedText);
    }
    grid->setPalette(palette);
}

QTableWidget *MakeStockGrid(int columns, const QString &objectName, const QString &accessibleName, QWidget *parent)
{
    auto *grid = Named(new QTableWidget(0, columns, parent), objectName, accessibleName);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(GridRowHeight);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid->setWordWrap(false);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setSectionsClickable(false);
    grid->horizontalHeader()->setFixedHeight(GridRowHeight);
    SetGridColours(grid);
    return grid;
}

// The width a grid needs for columns of the given widths and its scroll bar.
int GridWidth(const QTableWidget *grid, int columnsWidth)
{
    return columnsWidth + 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
}

// A box that takes digits only: typed, pasted or dropped.
QLineEdit *MakeDigitBox(const QString &objectName, const QString &accessibleName, QWidget *parent)
{
    auto *box = Named(new QLineEdit(parent), objectName, accessibleName);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    return box;
}

QPushButton *MakeButton(const QString &caption, const QString &objectName, QWidget *parent)
{
    auto *button = Named(new QPushButton(caption, parent), objectName);
    // Enter in a box must not press a button.
    button->setAutoDefault(false);
    return button;
}

} // namespace

TfrmStockControl::TfrmStockControl(Prompter &prompter, QWidget *parent) : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmStockControl"));
    setWindowTitle(QStringLiteral("Stock Control"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    m_creating = true;
    createControls();
    createMenu();
    LangApplyProgram(*this);
    cmbView->setCurrentIndex(0);
    cmbType->setCurrentIndex(0);

    m_stock.open(ReferenceFile(RefFile::Catalogue), StockPath());
    lblCatalogueNote->setText(catalogueNote());
    lblCatalogueNote->setVisible(!m_stock.catalogueRead());

    // The name column shows the longest name whole, clusters and slots alike.
    const int textMargin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grdEntries) + 1);
    int nameWidth = NameWidth;
    for (const QList<StockEntry> *entries : {&m_stock.stock().ClusterStock(), &m_stock.stock().ImplantStock()})
        for (const StockEntry &entry : *entries)
            nameWidth = std::max(nameWidth, grdEntries->fontMetrics().horizontalAdvance(entry.name) + textMargin + 2);
    grdEntries->setColumnWidth(CountColumn, CountWidth);
    grdEntries->setColumnWidth(NameColumn, nameWidth);
    grdEntries->setFixedWidth(GridWidth(grdEntries, CountWidth + nameWidth));

    ShowClusters();
    m_creating = false;

    // Never smaller than the design, and larger only where the texts need it.
    setFixedSize(QSize(ClientWidth, ClientHeight).expandedTo(layout()->totalMinimumSize()));

    if (!m_stock.unreadableReason().isEmpty())
        m_prompter.message(Prompter::Icon::Warning, Prompter::Buttons::Ok, QStringLiteral("Stock Control"),
                           QStringLiteral("The stock file \"%1\" could not be read: %2\nThe stock is shown empty. "
                                          "When this window closes, that file is kept as \"%3\" and a new "
                                          "stock file is written.")
                               .arg(QDir::toNativeSeparators(StockPath()), m_stock.unreadableReason(),
                                    QDir::toNativeSeparators(m_stock.keptName())));
}

void TfrmStockControl::createControls()
{
    cmbView = Named(new FittingComboBox(this), QStringLiteral("cmbView"), QStringLiteral("View"));
    cmbView->addItems({QStringLiteral("Show Clusters"), QStringLiteral("Show Implants")});
    connect(cmbView, &QComboBox::activated, this, &TfrmStockControl::cmbViewChange);

    grdEntries = MakeStockGrid(2, QStringLiteral("grdEntries"), QStringLiteral("Stock entries"), this);
    grdEntries->horizontalHeader()->hide();
    connect(grdEntries, &QTableWidget::itemSelectionChanged, this, [this] {
        RunCommand(m_prompter, [this] {
            if (!m_filling)
                FillItems(SelectedRow(grdEntries));
        });
    });

    grdItems = MakeStockGrid(3, QStringLiteral("grdItems"), QStringLiteral("Items of the entry"), this);
    grdItems->setHorizontalHeaderLabels(
        {QStringLiteral("Quality Level"), QStringLiteral("Cost"), QStringLiteral("Type")});
    int itemsWidth = 0;
    for (int c = 0; c < int(ItemWidths.size()); ++c) {
        // Never narrower than the header needs.
        const int width = std::max(ItemWidths.at(c), grdItems->horizontalHeader()->sectionSizeHint(c));
        grdItems->setColumnWidth(c, width);
        itemsWidth += width;
    }
    grdItems->setFixedWidth(GridWidth(grdItems, itemsWidth));

    btnDeleteItem = MakeButton(QStringLiteral("&Delete Item"), QStringLiteral("btnDeleteItem"), this);
    connect(btnDeleteItem, &QPushButton::clicked, this, &TfrmStockControl::btnDeleteItemClick);

    grpAddItem = Named(new QGroupBox(QStringLiteral(" Add Stock Item "), this), QStringLiteral("grpAddItem"));
    edtQuality = MakeDigitBox(QStringLiteral("edtQuality"), QStringLiteral("Quality Level"), grpAddItem);
    edtCost = MakeDigitBox(QStringLiteral("edtCost"), QStringLiteral("Cost"), grpAddItem);
    cmbType = Named(new FittingComboBox(grpAddItem), QStringLiteral("cmbType"), QStringLiteral("Type"));
    cmbType->addItems({QStringLiteral("Faded"), QStringLiteral("Bright"), QStringLiteral("Shining")});
    btnAddItem = MakeButton(QStringLiteral("&Add Item"), QStringLiteral("btnAddItem"), grpAddItem);
    btnAddItem->setEnabled(false);
    connect(btnAddItem, &QPushButton::clicked, this, &TfrmStockControl::btnAddItemClick);
    connect(edtQuality, &QLineEdit::textChanged, this, &TfrmStockControl::showAddEnabled);
    connect(edtCost, &QLineEdit::textChanged, this, &TfrmStockControl::showAddEnabled);

    auto *addLayout = new QGridLayout(grpAddItem);
    const QList<QPair<QString, QWidget *>> fields{
        {QStringLiteral("Quality Level"), edtQuality}, {QStringLiteral("Cost"), edtCost}, {QStringLiteral("Type"), cmbType}};
    for (int c = 0; c < int(fields.size()); ++c) {
        QLabel *label = MakeLabel(fields.at(c).first, grpAddItem);
        label->setBuddy(fields.at(c).second);
        addLayout->addWidget(label, 0, c);
        addLayout->addWidget(fields.at(c).second, 1, c);
        addLayout->setColumnStretch(c, 1);
    }
    addLayout->addWidget(btnAddItem, 1, 3);

    btnClose = MakeButton(QStringLiteral("&Close"), QStringLiteral("btnClose"), this);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    lblCatalogueNote = MakeStateLabel(QString(), QStringLiteral("lblCatalogueNote"),
                                      QStringLiteral("Why no clusters are listed"), this);
    lblCatalogueNote->setWordWrap(true);
    // Written once the window has read its files.
    lblCatalogueNote->setProperty(LangFixed, true);

    auto *left = new QVBoxLayout;
    left->addWidget(cmbView);
    left->addWidget(grdEntries, 1);

    auto *deleteRow = new QHBoxLayout;
    deleteRow->addWidget(btnDeleteItem);
    deleteRow->addStretch(1);
    auto *closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(btnClose);
    auto *right = new QVBoxLayout;
    right->addWidget(grdItems, 1);
    right->addLayout(deleteRow);
    right->addWidget(grpAddItem);
    right->addLayout(closeRow);

    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addStretch(1);
    columns->addLayout(right);
    auto *main = new QVBoxLayout(this);
    main->addLayout(columns, 1);
    main->addWidget(lblCatalogueNote);
}

void TfrmStockControl::createMenu()
{
    mnuItems = new QMenu(this);
    mnuItems->setObjectName(QStringLiteral("mnuItems"));
    Delete1 = new QAction(QStringLiteral("&Delete"), mnuItems);
    Delete1->setObjectName(QStringLiteral("Delete1"));
    mnuItems->addAction(Delete1);
    connect(Delete1, &QAction::triggered, this, &TfrmStockControl::btnDeleteItemClick);
    grdItems->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grdItems, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { mnuItems->popup(grdItems->viewport()->mapToGlobal(pos)); });
}

QString TfrmStockControl::catalogueNote() const
{
    if (m_stock.catalogueRead())
        return QString();
    return QStringLiteral("No clusters are listed: the cluster file \"%1\" could not be read. Implant stock is "
                          "saved when this window closes; the cluster stock in \"%2\" is left as it is.")
        .arg(RefFile::Catalogue, StockFileName);
}

int TfrmStockControl::SelectedRow(const QTableWidget *grid)
{
    int first = -1;
    for (const QModelIndex &index : grid->selectionModel()->selectedIndexes()) {
        if (index.column() == 0 && (first < 0 || index.row() < first))
            first = index.row();
    }
    return first;
}

QList<StockEntry> &TfrmStockControl::shownEntries()
{
    return m_showingClusters ? m_stock.stock().ClusterStock() : m_stock.stock().ImplantStock();
}

void TfrmStockControl::setCell(QTableWidget *grid, int row, int column, const QString &text)
{
    QTableWidgetItem *item = grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        grid->setItem(row, column, item);
    }
    item->setText(text);
}

bool TfrmStockControl::itemsBlank() const
{
    const QTableWidgetItem *first = grdItems->item(0, QualityColumn);
    return !first || TrimCtl(first->text()).isEmpty();
}

void TfrmStockControl::selectItemRow(int row)
{
    // The blank row of an entry without items is no item to select.
    if (itemsBlank()) {
        grdItems->clearSelection();
        grdItems->setCurrentItem(nullptr);
        return;
    }
    if (row < grdItems->rowCount())
        grdItems->selectRow(row);
}

void TfrmStockControl::ShowClusters()
{
    m_showingClusters = true;
    showEntries(m_stock.stock().ClusterStock());
}

void TfrmStockControl::ShowImplants()
{
    m_showingClusters = false;
    showEntries(m_stock.stock().ImplantStock());
}

void TfrmStockControl::showEntries(const QList<StockEntry> &entries)
{
    m_filling = true;
    grdEntries->clearSelection();
    grdEntries->setRowCount(int(entries.size()));
    for (int i = 0; i < int(entries.size()); ++i) {
        setCell(grdEntries, i, CountColumn, QString::number(entries.at(i).stock.count()));
        setCell(grdEntries, i, NameColumn, entries.at(i).name);
    }
    if (!entries.isEmpty()) {
        grdEntries->selectRow(0);
        grdEntries->scrollToTop();
    }
    m_filling = false;
    FillItems(SelectedRow(grdEntries));
}

void TfrmStockControl::FillItems(int entry)
{
    const QList<StockEntry> &entries = shownEntries();
    const TStockList *items = entry >= 0 && entry < int(entries.size()) ? &entries.at(entry).stock : nullptr;
    const int count = items ? items->count() : 0;
    if (items)
        setCell(grdEntries, entry, CountColumn, QString::number(count));
    grdItems->setRowCount(std::max(count, 1));
    const int columns = m_showingClusters ? 3 : 2;
    for (int r = 0; r < grdItems->rowCount(); ++r)
        for (int c = 0; c < columns; ++c)
            setCell(grdItems, r, c, QString());
    for (int k = 0; k < count; ++k) {
        // A value the item lacks reads as empty.
        const StockItem &item = items->item(k);
        setCell(grdItems, k, QualityColumn, item.qualityLevel);
        setCell(grdItems, k, CostColumn, item.cost);
        if (m_showingClusters)
            setCell(grdItems, k, TypeColumn, item.type);
    }
    selectItemRow(0);
}

void TfrmStockControl::showAddEnabled()
{
    btnAddItem->setEnabled(!edtQuality->text().isEmpty() && !edtCost->text().isEmpty());
}

void TfrmStockControl::done(int result)
{
    // Every way of closing ends here; the register is written once.
    if (!m_written) {
        m_written = true;
        RunCommand(m_prompter, [this] { m_stock.save(); });
    }
    QDialog::done(result);
}

// ---------------------------------------------------------------------------
// Commands: each runs its body inside the one error boundary.

void TfrmStockControl::cmbViewChange()
{
    RunCommand(m_prompter, [this] {
        if (m_creating)
            return;
        const bool clusters = cmbView->currentIndex() == 0;
        if (clusters == m_showingClusters)
            return;
        if (clusters) {
            grdItems->setColumnCount(3);
            grdItems->setHorizontalHeaderItem(TypeColumn, new QTableWidgetItem(QStringLiteral("Type")));
            grdItems->setColumnWidth(TypeColumn, TypeWidthAgain);
            ShowClusters();
            cmbType->setEnabled(true);
        } else {
            grdItems->setColumnCount(2);
            ShowImplants();
            cmbType->setEnabled(false);
        }
    });
}

void TfrmStockControl::btnAddItemClick()
{
    RunCommand(m_prompter, [this] {
        edtQuality->setFocus();
        const int entry = SelectedRow(grdEntries);
        QList<StockEntry> &entries = shownEntries();
        if (entry < 0 || entry >= int(entries.size()))
            return;
        const QString quality = edtQuality->text();
        const QString cost = edtCost->text();
        // A level the game does not have is most likely a slip of the hand.
        int level = 0;
        if (TryStrToInt(quality, level) && level > TopQualityLevel &&
            m_prompter.message(Prompter::Icon::Warning, Prompter::Buttons::OkCancel,
                               LangMsg(Msg::LevelAboveTopTitle),
                               LangMsg(Msg::StockLevelAboveTopText).arg(level)) != Prompter::Answer::Ok)
            return;
        const QString type = cmbType->currentText();
        TStockList &items = entries[entry].stock;
        // Implants have no type.
        items.add(StockItem{quality, cost, type}, m_showingClusters);

        const bool onlyBlankRow = grdItems->rowCount() == 1 && itemsBlank();
        if (!onlyBlankRow)
            grdItems->setRowCount(grdItems->rowCount() + 1);
        const int row = grdItems->rowCount() - 1;
        setCell(grdItems, row, QualityColumn, quality);
        setCell(grdItems, row, CostColumn, cost);
        if (m_showingClusters)
            setCell(grdItems, row, TypeColumn, type);

        setCell(grdEntries, entry, CountColumn, QString::number(items.count()));
        edtQuality->clear();
        edtCost->clear();
        selectItemRow(0);
    });
}

void TfrmStockControl::btnDeleteItemClick()
{
    RunCommand(m_prompter, [this] {
        if (itemsBlank())
            return;
        const int entry = SelectedRow(grdEntries);
        const int row = SelectedRow(grdItems);
        QList<StockEntry> &entries = shownEntries();
        if (entry < 0 || entry >= int(entries.size()) || row < 0)
            return;
        TStockList &items = entries[entry].stock;
        items.removeItem(row);

        setCell(grdEntries, entry, CountColumn, QString::number(items.count()));
        if (grdItems->rowCount() > 1) {
            grdItems->removeRow(row);
        } else {
            for (int c = 0; c < grdItems->columnCount(); ++c)
                setCell(grdItems, 0, c, QString());
        }
        selectItemRow(0);
    });
}

} // namespace ludra
