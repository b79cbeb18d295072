#include "build/resultpages.h"

#include "build/builddocument.h"
#include "build/buildresults.h"
#include "build/buildsettings.h"
#include "build/frmlog.h"
#include "common/command.h"
#include "common/prompter.h"
#include "text/langapply.h"
#include "text/messages.h"
#include "views/widgets.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace ludra {

namespace {

// The three centred lines shown beside or under each sortable result grid,
// wrapped where the page is too narrow for a line.
QWidget *sortHints(QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const char *line : {"Click on any column heading to sort", "Shift-Click to add a second sort column",
                             "When printing or exporting, the sort order will be carried over to the printed or "
                             "saved report"}) {
        QLabel *label = MakeLabel(QString::fromLatin1(line), box, Qt::AlignCenter);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    return box;
}

// The widths of the sort hints and the log button beside the skill grid: the
// widest when the page has room, the narrowest (the hints wrapped) beside a
// grid showing every column at the window's smallest size.
constexpr int SkillHintsWidth = 340;
constexpr int SkillHintsNarrowest = 200;

// The width of a grid showing every column whole, with room for a scroll bar.
int gridWidth(const QTableView *grid)
{
    int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        width += grid->columnWidth(c);
    return width;
}

// Draws every cell as if it were not selected and had no focus, for a grid
// whose selected cell is not to stand out; its own text colour stays.
class UnmarkedSelectionDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    }
};


// Lets a click on a grid's heading sort its table by that column (again: the
// other way round), Shift-click add the column as the next sort column, and
// shows the first sort column on the heading.
// The first sort column of a table shown on its grid's heading.
void showSortIndicator(QTableView *grid, const BuildResults &results, SortableTable table)
{
    QHeaderView *header = grid->horizontalHeader();
    const QList<SortKey> &keys = results.sortKeys(table);
    if (keys.isEmpty())
        header->setSortIndicator(-1, Qt::AscendingOrder);
    else
        header->setSortIndicator(keys.first().column,
                                 keys.first().descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

// Lets a click on a grid's heading sort the results' table, as the page
// gives them at the time.
void makeSortable(QTableView *grid, std::function<BuildResults &()> results, SortableTable table,
                  Prompter &prompter)
{
    QHeaderView *header = grid->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    QObject::connect(header, &QHeaderView::sectionClicked, grid, [grid, results, &prompter, table](int column) {
        RunCommand(prompter, [&] {
            results().sortByHeading(table, column, QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
            showSortIndicator(grid, results(), table);
        });
    });
}

// Shows a result table in its grid, with its sort state on the heading and
// kept there as a build or an opened project puts the rows in their own
// order.
void showSortable(QTableView *grid, BuildResults &results, SortableTable table, TextTableModel *model)
{
    ShowResultTable(grid, model);
    showSortIndicator(grid, results, table);
    QObject::connect(&results.table(table), &TextTable::shapeChanged, model,
                     [grid, &results, table] { showSortIndicator(grid, results, table); });
}

// Shows the lines of the last build in the log window, owned by the main
// window (a page's own window) and freed when it closes.
void showBuildLog(Prompter &prompter, const BuildResults &results, QWidget *page,
                  const std::function<void(const QStringList &)> &printLog)
{
    const QStringList lines = results.buildLog();
    TfrmLog dialog(lines, page->window(), printLog ? std::function<void()>([printLog, lines] { printLog(lines); })
                                                   : std::function<void()>());
    prompter.runDialog(dialog);
}

} // namespace

RequirementTableModel::RequirementTableModel(const TextTable &table, const BuildSettings &settings,
                                             const BuildResults &results, QObject *parent)
    : TextTableModel(table, false, parent), m_settings(settings), m_results(results)
{
}

ReqCellColor RequirementTableModel::cellColor(const QModelIndex &index) const
{
    if (!index.isValid() || !hasTable())
        return ReqCellColor::Normal;
    const int column = tableColumn(index.column());
    const int row = tableRow(index.row());
    const bool judged = column == ReqCol::Treatment || column == ReqCol::SecondarySkill;
    return RequirementCellColor(m_settings, column, row, TextTableModel::data(index, Qt::DisplayRole).toString(),
                                m_results.treatmentTrickle(), judged && m_results.ladderReaches(row));
}

QVariant RequirementTableModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::ForegroundRole && role != Qt::FontRole && role != Qt::ToolTipRole)
        return TextTableModel::data(index, role);
    // Every cell that is not marked takes the palette's text colour, which
    // reads on a light palette and a dark one alike. A cell the ladder
    // reaches is told apart by more than its colour: it is in italics.
    const ReqCellColor color = cellColor(index);
    const bool judged = tableColumn(index.column()) == ReqCol::Treatment ||
                        tableColumn(index.column()) == ReqCol::SecondarySkill;
    switch (role) {
    case Qt::ForegroundRole:
        return color == ReqCellColor::Red       ? QVariant(WarningRed())
               : color == ReqCellColor::Reached ? QVariant(QGuiApplication::palette().color(QPalette::Link))
                                                : QVariant();
    case Qt::FontRole:
        if (color == ReqCellColor::Reached) {
            QFont font;
            font.setItalic(true);
            return font;
        }
        return QVariant();
    default:
        if (color == ReqCellColor::Reached)
            return LangMsg(Msg::ReqCellReachedTip);
        if (color == ReqCellColor::Red && judged)
            return LangMsg(Msg::ReqCellAboveTip);
        return TextTableModel::data(index, role);
    }
}

QVariant RequirementTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::ToolTipRole && orientation == Qt::Horizontal && hasTable() &&
        tableColumn(section) == ReqCol::Credits)
        return QStringLiteral("What the clusters cost, from the costs entered in the stock register "
                              "(Tools, Stock Control); 0 where no cost is entered");
    return TextTableModel::headerData(section, orientation, role);
}

void RequirementTableModel::refreshColors()
{
    // The nano programming limit colours one column and the character two
    // others; every cell is asked again.
    const int rows = rowCount();
    if (rows > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rows - 1, columnCount() - 1),
                           {Qt::ForegroundRole, Qt::FontRole, Qt::ToolTipRole});
}

ResultPage::ResultPage(const QString &noteName, QWidget *parent) : QWidget(parent)
{
    m_note = MakeStateLabel(QString(), noteName, QStringLiteral("Whether the results stand for the plan"), this);
    // Its text comes from the message table as the results change.
    m_note->setProperty(LangFixed, true);
    m_note->setWordWrap(true);
    m_note->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; }"));
    m_note->hide();
}

void ResultPage::setDocument(BuildDocument *document)
{
    for (const QMetaObject::Connection &connection : m_connections)
        disconnect(connection);
    m_document = document;
    m_connections = {
        connect(document, &BuildDocument::staleChanged, this, &ResultPage::showState),
        connect(document, &BuildDocument::resultsChanged, this, &ResultPage::showState),
        connect(document, &BuildDocument::settingsChanged, this, [this] { settingsChanged(); }),
    };
    showTables();
    showState();
}

BuildResults &ResultPage::results() const
{
    return m_document->results();
}

void ResultPage::showState()
{
    if (!m_document)
        return;
    const BuildResults &state = results();
    const QString text = state.stale() ? StaleResultsText() : OutcomeText(state.outcome());
    m_note->setText(text);
    m_note->setVisible(!text.isEmpty());
    resultsStateChanged();
}

void SkillResultPage::resultsStateChanged()
{
    QStringList gains;
    for (const TrickleOnlySkill &only : results().trickleOnly())
        gains.append(only.skill + QStringLiteral(" +") + QString::number(only.gain));
    lblTrickleOnly->setText(gains.isEmpty() ? QString() : LangMsg(Msg::TrickleOnlyText).arg(gains.join(QStringLiteral(", "))));
    lblTrickleOnly->setVisible(!gains.isEmpty());
    QStringList symbiants;
    for (const SymbiantRow &row : results().symbiantRows())
        symbiants.append(row.symbiant.title() + QStringLiteral(" (") + row.slot + u')');
    lblSymbiants->setText(symbiants.isEmpty() ? QString()
                                              : LangMsg(Msg::SymbiantsCountedText).arg(symbiants.join(QStringLiteral(", "))));
    lblSymbiants->setVisible(!symbiants.isEmpty());
}

void RequirementResultPage::resultsStateChanged()
{
    btnCheaperLevels->setEnabled(!results().stale() && document()->cheaperLevels().has_value());
    // A build brings new cells, and with them new marks.
    if (m_reqModel)
        showLegend();
}

SkillResultPage::SkillResultPage(Prompter &prompter, QWidget *parent)
    : ResultPage(QStringLiteral("lblNoteSkills"), parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("tabResultSkills"));
    // Until a document is given, the empty tables of a new plan.
    static const BuildResults none;
    grdSkillInc = MakeResultGrid(new TextTableModel(none.skillIncTable(), false), QStringLiteral("grdSkillInc"),
                                 QStringLiteral("Skill increases"), {215, 80, 80, 115}, this);
    // At least every column whole; the grid takes what room the page gains.
    grdSkillInc->setMinimumWidth(gridWidth(grdSkillInc));
    makeSortable(
        grdSkillInc, [this]() -> BuildResults & { return results(); }, SortableTable::SkillIncreases, prompter);
    btnLogSkill = Named(new QPushButton(QStringLiteral("Log"), this), QStringLiteral("btnLogSkill"));
    connect(btnLogSkill, &QPushButton::clicked, this, &SkillResultPage::btnLogSkillClick);

    auto *side = new QVBoxLayout;
    side->addStretch(1);
    side->addWidget(sortHints(this));
    side->addStretch(1);
    side->addWidget(btnLogSkill, 0, Qt::AlignRight);
    auto *sidePanel = new QWidget(this);
    side->setContentsMargins(0, 0, 0, 0);
    sidePanel->setLayout(side);
    sidePanel->setMinimumWidth(SkillHintsNarrowest);
    sidePanel->setMaximumWidth(SkillHintsWidth);
    // The skills the plan raises through trickle-down alone have no row.
    lblTrickleOnly = MakeStateLabel(QString(), QStringLiteral("lblTrickleOnly"),
                                    QStringLiteral("Selected skills raised by trickle-down alone"), this);
    lblTrickleOnly->setProperty(LangFixed, true);
    lblTrickleOnly->setWordWrap(true);
    lblTrickleOnly->hide();
    // The symbiants the totals count, which have no row of their own.
    lblSymbiants = MakeStateLabel(QString(), QStringLiteral("lblSymbiants"),
                                  QStringLiteral("Symbiants counted in the totals"), this);
    lblSymbiants->setProperty(LangFixed, true);
    lblSymbiants->setWordWrap(true);
    lblSymbiants->hide();
    auto *gridColumn = new QVBoxLayout;
    gridColumn->addWidget(grdSkillInc, 1);
    gridColumn->addWidget(lblTrickleOnly);
    gridColumn->addWidget(lblSymbiants);
    auto *row = new QHBoxLayout;
    row->addLayout(gridColumn, 1);
    row->addWidget(sidePanel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(note());
    layout->addLayout(row, 1);
}

RequirementResultPage::RequirementResultPage(Prompter &prompter, QWidget *parent)
    : ResultPage(QStringLiteral("lblNoteReqs"), parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("tabResultCosts"));
    static const BuildResults none;
    static const BuildSettings noSettings;
    m_reqModel = new RequirementTableModel(none.reqTable(), noSettings, none);
    grdReqs = MakeResultGrid(m_reqModel, QStringLiteral("grdReqs"), QStringLiteral("Requirements"),
                             {157, 58, 56, 140, 62, 70, 132, 118, 104, 114, 98}, this);
    // The selected cell looks like every other: the panel behind it is drawn
    // in the base colour, and the cell itself as if unselected, so that a red
    // requirement stays red.
    QPalette unmarked = grdReqs->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        unmarked.setBrush(group, QPalette::Highlight, unmarked.brush(group, QPalette::Base));
        unmarked.setBrush(group, QPalette::HighlightedText, unmarked.brush(group, QPalette::Text));
    }
    grdReqs->setPalette(unmarked);
    grdReqs->setItemDelegate(new UnmarkedSelectionDelegate(grdReqs));
    makeSortable(
        grdReqs, [this]() -> BuildResults & { return results(); }, SortableTable::Requirements, prompter);
    btnPrintShoppingList = Named(new QPushButton(QStringLiteral("Print Shopping List"), this),
                                 QStringLiteral("btnPrintShoppingList"));
    btnLogReq = Named(new QPushButton(QStringLiteral("Log"), this), QStringLiteral("btnLogReq"));
    btnResort = Named(new QPushButton(QStringLiteral("Sort by Type/Cluster Name"), this), QStringLiteral("btnResort"));
    btnCheaperLevels =
        Named(new QPushButton(QStringLiteral("Use the cheaper levels"), this), QStringLiteral("btnCheaperLevels"));
    btnCheaperLevels->setToolTip(QStringLiteral("Build each implant at the lowest level that gives it the same "
                                                "bonuses (\"Same Bonus QL\"), as individual implant levels"));
    btnCheaperLevels->setEnabled(false);
    connect(btnCheaperLevels, &QPushButton::clicked, this, &RequirementResultPage::cheaperLevelsWanted);
    // Printing is the main window's: it hands the page its printer.
    btnPrintShoppingList->setEnabled(false);
    connect(btnPrintShoppingList, &QPushButton::clicked, this, [this] {
        if (m_printShoppingList)
            m_printShoppingList();
    });
    connect(btnLogReq, &QPushButton::clicked, this, &RequirementResultPage::btnLogReqClick);
    connect(btnResort, &QPushButton::clicked, this, &RequirementResultPage::btnResortClick);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnResort);
    buttons->addWidget(btnCheaperLevels);
    buttons->addStretch(1);
    buttons->addWidget(btnPrintShoppingList);
    buttons->addWidget(btnLogReq);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(note());
    layout->addWidget(grdReqs, 1);
    lblReqLegend = MakeStateLabel(QString(), QStringLiteral("lblReqLegend"),
                                  QStringLiteral("What the marked cells of the requirements mean"), this);
    // Its text comes from the message table as the marks change.
    lblReqLegend->setProperty(LangFixed, true);
    lblReqLegend->setWordWrap(true);
    lblReqLegend->hide();
    layout->addWidget(lblReqLegend);
    layout->addWidget(sortHints(this));
    layout->addLayout(buttons);
}

void SkillResultPage::showTables()
{
    showSortable(grdSkillInc, results(), SortableTable::SkillIncreases,
                 new TextTableModel(results().skillIncTable(), false));
}

void SkillResultPage::btnLogSkillClick()
{
    RunCommand(m_prompter, [this] { showBuildLog(m_prompter, results(), this, m_printLog); });
}

void RequirementResultPage::setShoppingListPrinter(std::function<void()> print)
{
    m_printShoppingList = std::move(print);
    btnPrintShoppingList->setEnabled(bool(m_printShoppingList));
}

void RequirementResultPage::showTables()
{
    m_reqModel = new RequirementTableModel(results().reqTable(), document()->buildSettings(), results());
    showSortable(grdReqs, results(), SortableTable::Requirements, m_reqModel);
    showLegend();
}

void RequirementResultPage::settingsChanged()
{
    m_reqModel->refreshColors();
    showLegend();
}

void RequirementResultPage::showLegend()
{
    // One line for each kind of mark the table shows now.
    bool red = false;
    bool reached = false;
    bool nanoProg = false;
    for (int r = 0; r < m_reqModel->rowCount(); ++r) {
        for (int c = 0; c < m_reqModel->columnCount(); ++c) {
            const QModelIndex index = m_reqModel->index(r, c);
            const ReqCellColor color = m_reqModel->cellColor(index);
            if (color == ReqCellColor::Reached)
                reached = true;
            else if (color == ReqCellColor::Red)
                (m_reqModel->tableColumn(c) == ReqCol::SkillReq ? nanoProg : red) = true;
        }
    }
    QStringList lines;
    if (red)
        lines.append(LangMsg(Msg::ReqLegendRed));
    if (reached)
        lines.append(LangMsg(Msg::ReqLegendReached));
    if (nanoProg)
        lines.append(LangMsg(Msg::ReqLegendNanoProg));
    lblReqLegend->setText(lines.join(u'\n'));
    lblReqLegend->setVisible(!lines.isEmpty());
}

void RequirementResultPage::btnResortClick()
{
    // The table's rows move and the grid follows them.
    RunCommand(m_prompter, [this] { results().resortRequirements(); });
}

void RequirementResultPage::btnLogReqClick()
{
    RunCommand(m_prompter, [this] { showBuildLog(m_prompter, results(), this, m_printLog); });
}

LadderResultPage::LadderResultPage(QWidget *parent) : ResultPage(QStringLiteral("lblNoteLadder"), parent)
{
    setObjectName(QStringLiteral("tabResultLadder"));
    static const BuildResults none;
    grdLadder = MakeResultGrid(new TextTableModel(none.ladderTable(), false), QStringLiteral("grdLadder"),
                               QStringLiteral("Ladder"),
                               {36, 90, 36, 66, 110, 98, 110, 130}, this);
    auto *explain = MakeLabel(QStringLiteral("Put the implants on in this order, from nothing worn: each step needs "
                                             "only your character and the implants worn before it. Choose \"Highest "
                                             "I Can Wear\" and enter your character on the Build tab to build this."),
                              this);
    explain->setObjectName(QStringLiteral("lblLadderNote"));
    explain->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(note());
    layout->addWidget(grdLadder, 1);
    layout->addWidget(explain);
}

SuggestionPage::SuggestionPage(QWidget *parent) : ResultPage(QStringLiteral("lblNoteSuggest"), parent)
{
    setObjectName(QStringLiteral("tabResultSuggest"));
    static const BuildResults none;
    grdSuggest = MakeResultGrid(new TextTableModel(none.suggestTable(), false), QStringLiteral("grdSuggest"),
                                QStringLiteral("Suggestions"),
                                {501, 85, 111}, this);
    auto *explain = MakeLabel(QStringLiteral("This page displays the possible other clusters you can add that will "
                                             "produce an implant that uses your selected Attributes"),
                              this);
    explain->setWordWrap(true);
    auto *needAttribute = MakeLabel(
        QStringLiteral("You must check at LEAST one attribute on the Build tab, for anything to show up here."), this,
        Qt::AlignCenter);
    needAttribute->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(note());
    layout->addWidget(grdSuggest, 1);
    layout->addWidget(explain);
    layout->addWidget(needAttribute);
}

void LadderResultPage::showTables()
{
    ShowResultTable(grdLadder, new TextTableModel(results().ladderTable(), false));
}

void SuggestionPage::showTables()
{
    ShowResultTable(grdSuggest, new TextTableModel(results().suggestTable(), false));
}

} // namespace ludra
