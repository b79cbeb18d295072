// A long random session on the real main window, offscreen: a seeded
// sequence of the player's operations (skills added and removed, automatic
// allocation, cells edited by keyboard, undo and redo, views and names
// switched, builds with each target, the ladder and the Graphs window, Copy
// Plan and Paste Plan, saving and reopening, stock control, symbiants), with
// the window's own invariants checked after every step:
//  - every change of the plan is a step of its history, and a step back or
//    forth gives the plan as it was at that step; undoing every step gives the
//    plan as the history started, redoing them all gives it back;
//  - a saved project opened again is the project saved;
//  - the grid shows the layout table, and the table shows the plan;
//  - no message comes that the step did not expect.
// LUDRA_SESSION_SEED and LUDRA_SESSION_OPS give the seed and the count of
// operations of the first row; LUDRA_SESSION_TRACE=1 prints each operation
// as it starts (for a replay of a crash). A failure names the seed, the step
// and the operations before it.

#include "app/frmludra.h"
#include "build/buildsettings.h"
#include "build/frmgraphs.h"
#include "common/text.h"
#include "layout/layoutpage.h"
#include "layout/layoutstate.h"
#include "layout/plantext.h"
#include "model/plandocument.h"
#include "stock/stockfile.h"
#include "stock/stockregister.h"
#include "views/numberbox.h"
#include "support/scriptedprompter.h"
#include "support/testfiles.h"
#include "support/widgettexts.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

#include <map>
#include <optional>
#include <random>

using namespace ludra;

namespace {

// The markers of a view without those that stock control and allocation
// put on and take off as they work (in stock, bad cluster, conflict, no
// stock): switching stock control off takes them off without a step, and a
// step back or forth works them out afresh.
void withoutAutomaticMarkers(TCellTable<Marker> &markers, int rows)
{
    for (int column = 0; column <= ClusterTypeCount; ++column)
        for (int row = 0; row <= rows; ++row) {
            const Marker marker = markers.value(column, row);
            if (marker == Marker::InStock || marker == Marker::BadCluster || marker == Marker::Conflict ||
                marker == Marker::NoStock)
                markers.set(column, row, Marker::None);
        }
}

// The plan as its history keeps it, without the stock status (worked out
// afresh after every step and every switch of stock control) and without the
// entry each skill list has chosen, which the player moves without a step (a
// step back gives the lists as the step found them).
LayoutSnapshot planState(const LayoutState &layout)
{
    LayoutSnapshot state = layout.snapshot();
    state.stockIcons.reset();
    state.stockSecondIcons.reset();
    withoutAutomaticMarkers(state.plan.slotMarkers, BodySlotCount);
    withoutAutomaticMarkers(state.plan.recordMarkers, LayoutMaxRows);
    state.plan.skills.setAvailableCurrent(-1);
    state.plan.skills.setSelectedCurrent(-1);
    return state;
}

// Where two plans as the history keeps them differ, for a failure's message.
QString difference(const LayoutSnapshot &a, const LayoutSnapshot &b, const CatalogueNames &names)
{
    QStringList parts;
    for (int slot = 0; slot < BodySlotCount; ++slot) {
        for (int type = 0; type < ClusterTypeCount; ++type)
            if (!(a.plan.cell(slot, type) == b.plan.cell(slot, type)))
                parts.append(QStringLiteral("slot %1 type %2: \"%3\" / \"%4\"")
                                 .arg(slot)
                                 .arg(type)
                                 .arg(a.plan.cell(slot, type).shown(a.names, names),
                                      b.plan.cell(slot, type).shown(b.names, names)));
        if (a.plan.symbiant(slot) != b.plan.symbiant(slot))
            parts.append(QStringLiteral("slot %1 symbiant: \"%2\" / \"%3\"")
                             .arg(slot)
                             .arg(a.plan.symbiant(slot), b.plan.symbiant(slot)));
    }
    if (!(a.plan.slotMarkers == b.plan.slotMarkers))
        parts.append(QStringLiteral("body markers"));
    if (!(a.plan.recordMarkers == b.plan.recordMarkers))
        parts.append(QStringLiteral("record markers"));
    const SkillLists &sa = a.plan.skills;
    const SkillLists &sb = b.plan.skills;
    if (!(sa.selected() == sb.selected()) || !(sa.available() == sb.available()))
        parts.append(QStringLiteral("skill lists"));
    if (sa.availableCurrent() != sb.availableCurrent() || sa.selectedCurrent() != sb.selectedCurrent())
        parts.append(QStringLiteral("current skills %1,%2 / %3,%4")
                         .arg(sa.availableCurrent())
                         .arg(sa.selectedCurrent())
                         .arg(sb.availableCurrent())
                         .arg(sb.selectedCurrent()));
    if (!(a.plan.implantSelections == b.plan.implantSelections))
        parts.append(QStringLiteral("implant selection"));
    if (a.view != b.view || a.names != b.names)
        parts.append(QStringLiteral("view or names"));
    if (a.skillRows != b.skillRows)
        parts.append(QStringLiteral("skill-set rows"));
    if (!(a.colorGrid == b.colorGrid))
        parts.append(QStringLiteral("duplicate marks"));
    return parts.isEmpty() ? QStringLiteral("no difference seen") : parts.join(QStringLiteral("; "));
}

QStringList listTexts(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QStringList entryNames(const QList<SkillEntry> &entries)
{
    QStringList names;
    for (const SkillEntry &entry : entries)
        names.append(entry.name);
    return names;
}

int envNumber(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// The operations' names for the trace, in the order of TstRandomSession::Op.
const char *const OpNames[] = {"add skill", "remove skill",  "move skill",   "default group", "clear all",
                               "allocate",  "rules",         "edit cell",    "marker",        "undo",
                               "redo",      "switch view",   "switch names", "build",         "result tab",
                               "graphs",    "copy plan",     "paste plan",   "save",          "open",
                               "new",       "stock control", "symbiant",     "round trip"};

// What a saved project was, to compare it with what opening it gives.
struct SavedProject
{
    ProjectImage image;
    LayoutSnapshot state;
    BuildSettings settings;
    QString planText;
};

} // namespace

class TstRandomSession : public QObject, protected MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void session_data();
    void session();

private:
    enum class Op {
        AddSkill,
        RemoveSkill,
        MoveSkill,
        DefaultGroup,
        ClearAll,
        Allocate,
        Rules,
        EditCell,
        Marker,
        Undo,
        Redo,
        SwitchView,
        SwitchNames,
        Build,
        Ladder,
        Graphs,
        CopyPlan,
        PastePlan,
        Save,
        Open,
        New,
        StockControl,
        Symbiant,
        RoundTrip,
    };

    // Runs one operation, noting what it did in the log.
    void run(Op op);
    void addSkill();
    void removeSkill();
    void moveSkill();
    void defaultGroup();
    void clearAll();
    void allocate();
    void rules();
    void editCell();
    void marker();
    void historyStep(bool back);
    void switchSelector(const char *name);
    void build();
    void ladder();
    void graphs();
    void copyPlan();
    void pastePlan();
    void save();
    void open();
    void newPlan();
    void stockControl();
    void symbiant();
    // Every step undone, then every step redone, through the Edit menu.
    void roundTrip();

    // The checks after each step.
    void checkHistory(Op op);
    void checkGrid();
    void checkMessages();
    void checkReopened(const QString &path);
    // The history starts afresh: a new or opened plan.
    void startHistory();

    // A failed check: the first is kept, and the session stops after the step.
    void fail(const QString &what);
    bool expect(bool condition, const QString &what)
    {
        if (!condition)
            fail(what);
        return condition;
    }
    void note(const QString &what) { m_stepLog.append(what); }

    int pick(int count) { return count <= 0 ? 0 : std::uniform_int_distribution<int>(0, count - 1)(m_random); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_random); }
    // Replaces a number box's text as typed.
    void type(QWidget *box, const QString &text);
    void click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
    void trigger(const char *action) { find<QAction>(action)->trigger(); }
    PlanDocument &document() const { return m_window->document(); }
    const LayoutState &layout() const { return m_window->document().layout(); }
    QUndoStack &stack() const { return m_window->undoStack(); }

    std::mt19937 m_random;
    QString m_failure;
    QStringList m_log;
    QString m_stepLog;
    // The titles of the messages the step may show.
    QStringList m_expected;
    // The plan at each index of the history; nullopt where unknown.
    QList<std::optional<LayoutSnapshot>> m_states;
    // The history before the step, and whether the step started it afresh.
    int m_indexBefore = 0;
    int m_countBefore = 0;
    bool m_historyStarted = false;
    std::map<QString, SavedProject> m_saved;
    QStringList m_copied;
};

void TstRandomSession::init()
{
    UseBuiltInGraphsWindow();
    QVERIFY(startFolder());
    for (const char *name : {"data.csv", "SecSkill.csv", "require.csv", "symbiants.csv"})
        QVERIFY(QFile::copy(sourceDir() + "/resources/" + name, m_dir->filePath(name)));
    // Some clusters and implants owned, for stock control to mark.
    const QStringList lines = SplitLines(readFile(m_dir->filePath("data.csv")));
    QStringList clusters;
    for (const QString &line : lines)
        if (!line.isEmpty())
            clusters.append(line.section(u',', 0, 0));
    StockRegister stock;
    stock.setClusterNames(clusters);
    for (int i = 0; i < int(clusters.size()); i += 7) {
        TStockList &owned = stock.ClusterStock()[stock.findCluster(clusters.at(i))].stock;
        owned.add(StockItem{QString::number(20 + 13 * i % 180), QStringLiteral("1"), ClusterTypeNames().at(i % 3)});
    }
    for (int slot = 0; slot < 13; slot += 3)
        stock.ImplantStock()[slot].stock.add(StockItem{QString::number(50 + 10 * slot), QStringLiteral("1"), {}},
                                             false);
    SaveStockFile(StockPath(), stock);
    QVERIFY(showWindow());
    QVERIFY2(m_prompter.asked.isEmpty(), qPrintable(m_prompter.titles().join(u", ")));
}

void TstRandomSession::cleanup()
{
    stopFolder();
    m_log.clear();
    m_saved.clear();
    m_copied.clear();
    m_failure.clear();
}

void TstRandomSession::session_data()
{
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<int>("operations");
    // The session the environment asks for (scripts/random-session.sh runs
    // this row alone), and one more of a seed of its own.
    QTest::newRow("session") << unsigned(envNumber("LUDRA_SESSION_SEED", 20261210))
                             << envNumber("LUDRA_SESSION_OPS", 400);
    QTest::newRow("seed 7") << 7u << 300;
}

void TstRandomSession::session()
{
    QFETCH(unsigned, seed);
    QFETCH(int, operations);
    const bool trace = qEnvironmentVariableIntValue("LUDRA_SESSION_TRACE") != 0;
    qInfo("random session: seed %u, %d operations", seed, operations);
    m_random.seed(seed);

    // How often each operation comes, in the order of Op.
    const std::vector<double> weights{8, 4, 3, 2, 1, 5, 1, 14, 3, 8, 5, 3, 3, 6, 2, 2, 3, 3, 3, 2, 1, 3, 3, 1};
    std::discrete_distribution<int> next(weights.begin(), weights.end());
    startHistory();
    checkGrid();
    for (int step = 1; step <= operations && m_failure.isEmpty(); ++step) {
        const auto op = Op(next(m_random));
        m_stepLog.clear();
        m_expected.clear();
        m_prompter.asked.clear();
        m_indexBefore = stack().index();
        m_countBefore = stack().count();
        m_historyStarted = false;
        const int logged = int(m_log.size());
        m_log.append(QString());
        if (trace)
            qInfo("step %d: %s", step, OpNames[int(op)]);
        run(op);
        QCoreApplication::processEvents();
        m_log[logged] = QStringLiteral("%1: %2").arg(step).arg(m_stepLog);
        if (trace)
            qInfo("  %s", qPrintable(m_log.at(logged)));
        checkMessages();
        checkHistory(op);
        checkGrid();
        if (!m_failure.isEmpty()) {
            const QStringList recent = m_log.mid(std::max(0, int(m_log.size()) - 40));
            const QString report = QStringLiteral(
                                       "seed %1, step %2 of %3: %4\nreplay: LUDRA_SESSION_SEED=%1 "
                                       "LUDRA_SESSION_OPS=%2 tst_randomsession session:session\nlast steps:\n  %5")
                                       .arg(seed)
                                       .arg(step)
                                       .arg(operations)
                                       .arg(m_failure, recent.join(QStringLiteral("\n  ")));
            QFAIL(qPrintable(report));
        }
    }
    // The whole history at the end, whatever the last step was.
    roundTrip();
    QVERIFY2(m_failure.isEmpty(), qPrintable(QStringLiteral("seed %1, final round trip: %2").arg(seed).arg(m_failure)));
}

void TstRandomSession::fail(const QString &what)
{
    if (m_failure.isEmpty())
        m_failure = what;
}

void TstRandomSession::type(QWidget *box, const QString &text)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

void TstRandomSession::run(Op op)
{
    switch (op) {
    case Op::AddSkill:
        addSkill();
        break;
    case Op::RemoveSkill:
        removeSkill();
        break;
    case Op::MoveSkill:
        moveSkill();
        break;
    case Op::DefaultGroup:
        defaultGroup();
        break;
    case Op::ClearAll:
        clearAll();
        break;
    case Op::Allocate:
        allocate();
        break;
    case Op::Rules:
        rules();
        break;
    case Op::EditCell:
        editCell();
        break;
    case Op::Marker:
        marker();
        break;
    case Op::Undo:
        historyStep(true);
        break;
    case Op::Redo:
        historyStep(false);
        break;
    case Op::SwitchView:
        switchSelector("cboViewStyle");
        break;
    case Op::SwitchNames:
        switchSelector("cboInside");
        break;
    case Op::Build:
        build();
        break;
    case Op::Ladder:
        ladder();
        break;
    case Op::Graphs:
        graphs();
        break;
    case Op::CopyPlan:
        copyPlan();
        break;
    case Op::PastePlan:
        pastePlan();
        break;
    case Op::Save:
        save();
        break;
    case Op::Open:
        open();
        break;
    case Op::New:
        newPlan();
        break;
    case Op::StockControl:
        stockControl();
        break;
    case Op::Symbiant:
        symbiant();
        break;
    case Op::RoundTrip:
        roundTrip();
        break;
    }
}

// ---------------------------------------------------------------------------
// The operations.

void TstRandomSession::addSkill()
{
    auto *available = find<QComboBox>("cboAvaNanos");
    if (available->count() == 0) {
        note(QStringLiteral("add: nothing available"));
        return;
    }
    const int index = pick(available->count());
    const QString name = available->itemText(index);
    note(QStringLiteral("add %1").arg(name));
    available->setCurrentIndex(index);
    click(find<QPushButton>("btnAdd"));
    expect(entryNames(layout().skills().selected()).contains(name), QStringLiteral("%1 was not added").arg(name));
}

void TstRandomSession::removeSkill()
{
    auto *selected = find<QListWidget>("lbSelNanos");
    if (selected->count() == 0) {
        note(QStringLiteral("remove: nothing selected"));
        return;
    }
    const int row = pick(selected->count());
    const QString name = selected->item(row)->text();
    note(QStringLiteral("remove %1").arg(name));
    selected->setCurrentRow(row);
    click(find<QPushButton>("btnRemove"));
    expect(!entryNames(layout().skills().selected()).contains(name), QStringLiteral("%1 was not removed").arg(name));
}

void TstRandomSession::moveSkill()
{
    auto *selected = find<QListWidget>("lbSelNanos");
    if (selected->count() == 0) {
        note(QStringLiteral("move: nothing selected"));
        return;
    }
    const int row = pick(selected->count());
    const bool up = chance(0.5);
    note(QStringLiteral("move row %1 %2").arg(row).arg(up ? "up" : "down"));
    const QStringList before = entryNames(layout().skills().selected());
    selected->setCurrentRow(row);
    click(find<QToolButton>(up ? "btnUp" : "btnDown"));
    QStringList after = before;
    const int to = up ? row - 1 : row + 1;
    if (to >= 0 && to < int(before.size()))
        after.move(row, to);
    expect(entryNames(layout().skills().selected()) == after, QStringLiteral("the move gave another order"));
}

void TstRandomSession::defaultGroup()
{
    auto *menu = find<QMenu>("mnuPopup");
    const QList<QAction *> items = menu->actions();
    if (items.isEmpty()) {
        note(QStringLiteral("default group: none"));
        return;
    }
    QAction *item = items.at(pick(int(items.size())));
    note(QStringLiteral("default group %1").arg(item->text()));
    item->trigger();
}

void TstRandomSession::clearAll()
{
    note(QStringLiteral("clear all"));
    trigger("ClearAll1");
    expect(layout().skills().selected().isEmpty(), QStringLiteral("Clear All left skills selected"));
}

void TstRandomSession::allocate()
{
    auto *button = find<QPushButton>("btnAllocate");
    if (!button->isEnabled()) {
        note(QStringLiteral("allocate: not in this view"));
        return;
    }
    const bool yes = chance(0.85);
    // The warning that the layout will be erased comes only when there is
    // something to erase; the note that it is kept, always.
    const bool clearing = layout().rules().OverwriteOption == AllocationRules::ClearBeforeAllocation;
    const bool asks = !clearing || layout().allocationErases();
    note(QStringLiteral("allocate, %1").arg(!asks ? "unasked" : yes ? "yes" : "no"));
    if (asks)
        m_prompter.answers = {yes ? Prompter::Answer::Yes : Prompter::Answer::No};
    // Its question as the rules have it, and what could not be placed.
    m_expected = {clearing ? QStringLiteral("Warning!") : QStringLiteral("Information"),
                  QStringLiteral("Auto Allocate")};
    const LayoutSnapshot before = planState(layout());
    click(button);
    if (asks) {
        expect(!m_prompter.asked.isEmpty() && m_prompter.asked.first().buttons == Prompter::Buttons::YesNo,
               QStringLiteral("allocation did not ask first"));
        if (!yes)
            expect(planState(layout()) == before && m_prompter.asked.size() == 1,
                   QStringLiteral("allocation answered No changed the plan"));
    }
    // Whatever could not be placed is said, and only then.
    const bool told = std::any_of(m_prompter.asked.cbegin(), m_prompter.asked.cend(), [](const auto &asked) {
        return asked.title == QLatin1String("Auto Allocate");
    });
    if (!asks || yes)
        expect(told == !layout().allocationShortfalls().isEmpty(),
               QStringLiteral("allocation's shortfalls told wrongly"));
}

void TstRandomSession::rules()
{
    QList<bool> wanted;
    for (int i = 0; i < 3; ++i)
        wanted.append(chance(0.8));
    const int overwrite = pick(2);
    const bool ok = chance(0.8);
    note(QStringLiteral("rules %1%2%3 overwrite %4 %5")
             .arg(wanted.at(0))
             .arg(wanted.at(1))
             .arg(wanted.at(2))
             .arg(overwrite)
             .arg(ok ? "OK" : "Cancel"));
    m_prompter.dialogs = {
        {ok ? Prompter::Answer::Ok : Prompter::Answer::Cancel, [&](QObject &dialog) {
             const char *boxes[] = {"chkShining", "chkBright", "chkFaded"};
             for (int i = 0; i < 3; ++i)
                 if (auto *box = dialog.findChild<QCheckBox *>(boxes[i]))
                     box->setChecked(wanted.at(i));
             if (auto *button = dialog.findChild<QRadioButton *>(QStringLiteral("rdoOverwrite%1").arg(overwrite)))
                 button->setChecked(true);
         }}};
    const AllocationRules before = layout().rules();
    trigger("AutoAllocateRules1");
    expect(m_prompter.dialogsRun.takeLast() == QStringLiteral("frmAutoAlloc"), QStringLiteral("no rules dialog"));
    if (ok)
        expect(layout().rules().IncludeShining == wanted.at(0) && layout().rules().IncludeBright == wanted.at(1) &&
                   layout().rules().IncludeFaded == wanted.at(2),
               QStringLiteral("the rules were not kept"));
    else
        expect(layout().rules() == before, QStringLiteral("cancelled rules were kept"));
}

void TstRandomSession::editCell()
{
    auto *grid = find<QTableView>("grdReport");
    QAbstractItemModel *model = grid->model();
    if (model->rowCount() == 0) {
        note(QStringLiteral("edit: no rows"));
        return;
    }
    const int row = pick(model->rowCount());
    const int column = pick(model->columnCount());
    const QModelIndex index = model->index(row, column);
    const int column1 = column + 1;
    const int row1 = row + 1;
    grid->setFocus();
    grid->setCurrentIndex(index);
    const bool typing = chance(0.25);
    QChar letter;
    if (typing) {
        letter = QChar(u'A' + pick(26));
        QTest::keyClicks(grid, QString(letter));
    } else {
        QTest::keyClick(grid, Qt::Key_F2);
    }
    auto *editor = qobject_cast<QComboBox *>(grid->indexWidget(index));
    const bool editable = model->flags(index) & Qt::ItemIsEditable;
    if (!editable) {
        note(QStringLiteral("edit (%1,%2): a symbiant's cell").arg(column1).arg(row1));
        expect(!editor, QStringLiteral("a symbiant's cell opened an editor"));
        return;
    }
    if (!expect(editor, QStringLiteral("no editor on cell (%1,%2)").arg(column1).arg(row1)))
        return;
    const QStringList choices = comboTexts(editor);
    const QString before = layout().table().cell(column1, row1);
    // Moves, then how the editor is left.
    QString keys;
    switch (pick(4)) {
    case 0:
        keys = QStringLiteral("Home");
        break;
    case 1:
        keys = QStringLiteral("End");
        break;
    case 2:
        keys = QStringLiteral("PgDown");
        break;
    default:
        break;
    }
    for (int i = pick(4); i > 0; --i)
        keys += (keys.isEmpty() ? QString() : QStringLiteral(", ")) + (chance(0.7) ? "Down" : "Up");
    const int end = pick(10);
    const QString leave = end < 7   ? QStringLiteral("Return")
                          : end < 9 ? QStringLiteral("Tab")
                                    : QStringLiteral("Escape");
    if (!keys.isEmpty())
        QTest::keySequence(editor, QKeySequence(keys));
    const QString chosen = editor->currentText();
    note(QStringLiteral("edit (%1,%2) %3\"%4\" -> %5 %6 (\"%7\" of %8)")
             .arg(column1)
             .arg(row1)
             .arg(typing ? QStringLiteral("typed %1, ").arg(letter) : QString(), before, keys, leave, chosen)
             .arg(choices.size()));
    QTest::keySequence(editor, QKeySequence(leave));
    QCoreApplication::processEvents();
    if (leave == QStringLiteral("Escape")) {
        expect(layout().table().cell(column1, row1) == before, QStringLiteral("Escape changed the cell"));
        return;
    }
    expect(layout().table().cell(column1, row1) == chosen,
           QStringLiteral("cell (%1,%2) shows \"%3\", not the choice \"%4\"")
               .arg(column1)
               .arg(row1)
               .arg(layout().table().cell(column1, row1), chosen));
    if (leave == QStringLiteral("Tab")) {
        // Tab goes on to edit the next cell, which Escape leaves.
        if (auto *nextEditor = qobject_cast<QComboBox *>(grid->indexWidget(grid->currentIndex()))) {
            QTest::keyClick(nextEditor, Qt::Key_Escape);
            QCoreApplication::processEvents();
        }
    }
    expect(!grid->indexWidget(index), QStringLiteral("the editor stayed open"));
}

void TstRandomSession::marker()
{
    auto *grid = find<QTableView>("grdReport");
    QAbstractItemModel *model = grid->model();
    if (model->rowCount() == 0)
        return;
    const int row = pick(model->rowCount());
    const int column = pick(model->columnCount());
    grid->setFocus();
    grid->setCurrentIndex(model->index(row, column));
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(0, 0), grid->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(grid, &key);
    auto *menu = find<QMenu>("mnuIconPopup");
    QList<QAction *> items;
    for (QAction *item : menu->actions())
        if (item->objectName().startsWith(u'y') && item->isEnabled())
            items.append(item);
    if (!expect(menu->isVisible() && !items.isEmpty(), QStringLiteral("no marker menu")))
        return;
    QAction *item = items.at(pick(int(items.size())));
    note(QStringLiteral("marker %1 on (%2,%3)").arg(item->objectName()).arg(column + 1).arg(row + 1));
    item->trigger();
    menu->hide();
}

void TstRandomSession::historyStep(bool back)
{
    QAction *action = find<QAction>(back ? "Undo1" : "Redo1");
    note(QStringLiteral("%1 (%2)").arg(back ? "undo" : "redo", action->isEnabled() ? action->text() : "disabled"));
    // A disabled item does nothing, as the menu would not offer it.
    if (action->isEnabled())
        action->trigger();
}

void TstRandomSession::switchSelector(const char *name)
{
    auto *selector = find<QComboBox>(name);
    if (!selector->isEnabled()) {
        note(QStringLiteral("%1: held back").arg(name));
        return;
    }
    const bool down = selector->currentIndex() == 0;
    note(QStringLiteral("%1 %2").arg(name, down ? "Down" : "Up"));
    find<QTabWidget>("pgcMain")->setCurrentIndex(0);
    selector->setFocus();
    QTest::keyClick(selector, down ? Qt::Key_Down : Qt::Key_Up);
    if (QLatin1String(name) == QLatin1String("cboViewStyle"))
        expect(int(layout().currentView()) == selector->currentIndex(), QStringLiteral("the view did not follow"));
    else
        expect(int(layout().names()) == selector->currentIndex(), QStringLiteral("the names did not follow"));
}

void TstRandomSession::build()
{
    auto *tabs = find<QTabWidget>("pgcMain");
    tabs->setCurrentIndex(1);
    QString what;
    int above = 0;
    switch (pick(3)) {
    case 0: {
        click(find<QRadioButton>("rdoOneQL"));
        const int level = chance(0.05) ? 301 + pick(50) : 1 + pick(300);
        type(find<QWidget>("edtImplantQL"), QString::number(level));
        what = QStringLiteral("one level %1").arg(level);
        if (level > 300)
            above = level;
        break;
    }
    case 1: {
        click(find<QRadioButton>("rdoIndiQL"));
        what = QStringLiteral("individual levels");
        if (chance(0.6)) {
            QStringList chosen;
            for (int slot = 0; slot < 13; ++slot) {
                const bool on = chance(0.6);
                const int level = chance(0.03) ? 301 + pick(50) : 1 + pick(300);
                chosen.append(on ? QString::number(level) : QStringLiteral("-"));
                if (on && level > 300)
                    above = std::max(above, level);
            }
            what += u' ' + chosen.join(u' ');
            // The dialog's OK asks about a level above 300 as the build does
            // (and is answered OK).
            if (above > 0)
                m_expected = {QStringLiteral("Quality Level above 300")};
            m_prompter.dialogs = {{Prompter::Answer::Ok, [chosen](QObject &dialog) {
                                       auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("grdImplants"));
                                       for (int slot = 0; table && slot < 13; ++slot) {
                                           const bool on = chosen.at(slot) != QStringLiteral("-");
                                           table->item(slot, 1)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
                                           if (on)
                                               table->item(slot, 2)->setText(chosen.at(slot));
                                       }
                                   }}};
            click(find<QToolButton>("btnSelIndiImplants"));
            expect(m_prompter.dialogsRun.takeLast() == QStringLiteral("frmImplantSelections"),
                   QStringLiteral("no implant selection dialog"));
        } else {
            // The levels as they stand.
            for (const ImplantSelection &selection : layout().plan().implantSelections)
                if (selection.selected && selection.qualityLevel.number().value_or(0) > 300)
                    above = std::max(above, *selection.qualityLevel.number());
        }
        break;
    }
    default: {
        click(find<QRadioButton>("rdoHighestQL"));
        what = QStringLiteral("highest I can wear");
        if (chance(0.5)) {
            // A character entered, or taken away (every stat 0).
            const bool none = chance(0.25);
            const int seed = int(m_random());
            what += none ? QStringLiteral(", no character") : QStringLiteral(", character %1").arg(seed);
            m_prompter.dialogs = {
                {Prompter::Answer::Ok, [none, seed](QObject &dialog) {
                     std::mt19937 stats{unsigned(seed)};
                     for (NumberBox *box : dialog.findChildren<NumberBox *>()) {
                         if (box->objectName() == QStringLiteral("edtTopLevel"))
                             box->setText(QString::number(100 + int(stats() % 201)));
                         else
                             box->setText(QString::number(none ? 0 : 50 + int(stats() % 1200)));
                     }
                     if (auto *level = dialog.findChild<QSpinBox *>(QStringLiteral("edtLevel")))
                         level->setValue(none ? 0 : int(stats() % 221));
                     if (auto *profession = dialog.findChild<QComboBox *>(QStringLiteral("cboProfession")))
                         profession->setCurrentIndex(none ? 0 : int(stats() % profession->count()));
                 }}};
            click(find<QPushButton>("btnCharacter"));
            expect(m_prompter.dialogsRun.takeLast() == QStringLiteral("frmCharacter"),
                   QStringLiteral("no character dialog"));
            if (none)
                expect(!document().buildSettings().character.entered(), QStringLiteral("the character stayed"));
        }
        break;
    }
    }
    auto *button = find<QPushButton>("btnBuild");
    if (!button->isEnabled()) {
        note(QStringLiteral("build %1: held back").arg(what));
        return;
    }
    const bool go = chance(0.7);
    if (above > 0) {
        m_expected = {QStringLiteral("Quality Level above 300")};
        m_prompter.answers = {go ? Prompter::Answer::Ok : Prompter::Answer::Cancel};
        what += go ? QStringLiteral(", built above 300") : QStringLiteral(", not built above 300");
    }
    note(QStringLiteral("build %1").arg(what));
    click(button);
    if (above == 0 || go) {
        expect(tabs->currentIndex() == 2, QStringLiteral("the build did not show its results"));
        expect(!document().results().stale(), QStringLiteral("the results are stale after the build"));
    } else {
        expect(tabs->currentIndex() == 1, QStringLiteral("a cancelled build left the Build tab"));
    }
}

void TstRandomSession::ladder()
{
    auto *tabs = find<QTabWidget>("pgcMain");
    const int tab = 2 + pick(4);
    note(QStringLiteral("tab %1").arg(tabs->tabText(tab)));
    tabs->setCurrentIndex(tab);
    expect(tabs->currentIndex() == tab, QStringLiteral("the tab was not shown"));
    if (tab == 5) {
        const auto *grid = find<QTableView>("grdLadder");
        expect(grid->isVisible(), QStringLiteral("the ladder is not shown"));
    }
}

void TstRandomSession::graphs()
{
    const bool close = chance(0.75);
    note(close ? QStringLiteral("graphs, closed") : QStringLiteral("graphs, left open"));
    trigger("Graphs1");
    auto *window = m_window->findChild<TfrmGraphs *>(QStringLiteral("frmGraphs"));
    if (!expect(window && window->isVisible(), QStringLiteral("the Graphs window is not shown")))
        return;
    if (close)
        window->close();
}

void TstRandomSession::copyPlan()
{
    note(QStringLiteral("copy plan"));
    trigger("CopyPlan1");
    const QString text = QGuiApplication::clipboard()->text();
    expect(text == LabelledPlanText(layout(), document().buildSettings()),
           QStringLiteral("Copy Plan did not copy the plan's text"));
    m_copied.append(text);
}

void TstRandomSession::pastePlan()
{
    const bool garbage = m_copied.isEmpty() || chance(0.1);
    const QString text = garbage ? QStringLiteral("NO SUCH SLOT\tNo Such Cluster\n")
                                 : m_copied.at(pick(int(m_copied.size())));
    note(garbage ? QStringLiteral("paste a plan that cannot be read")
                 : QStringLiteral("paste plan %1").arg(QString(text).replace(u'\n', u'/')));
    QGuiApplication::clipboard()->setText(text);
    const LayoutSnapshot before = planState(layout());
    const QString beforeText = PlanText(layout());
    if (garbage)
        m_expected = {QStringLiteral("*")};
    trigger("PastePlan1");
    if (garbage) {
        expect(m_prompter.asked.size() == 1, QStringLiteral("a plan that cannot be read was not told"));
        expect(planState(layout()) == before, QStringLiteral("a plan that cannot be read changed the plan"));
    } else {
        // Copy Plan's text is the whole plan: every slot takes the line
        // pasted, a slot that held a symbiant too, and wears the symbiant of
        // the "Symbiants:" line or an implant.
        expect(PlanText(layout()) == text.mid(text.indexOf(QStringLiteral("Slot\t"))),
               QStringLiteral("the pasted plan reads back as \"%1\"").arg(PlanText(layout())));
        QStringList worn;
        for (int slot = 0; slot < BodySlotCount; ++slot)
            if (layout().plan().bodySlots.at(slot).holdsSymbiant())
                worn.append(BodySlotNames().at(slot) + u'=' + layout().plan().symbiant(slot));
        const QString line = worn.isEmpty() ? QString() : QStringLiteral("\nSymbiants:\t") + worn.join(u'\t') + u'\n';
        expect(worn.isEmpty() ? !text.contains(QStringLiteral("\nSymbiants:")) : text.contains(line),
               QStringLiteral("the pasted plan wears \"%1\"").arg(worn.join(QStringLiteral(", "))));
    }
}

void TstRandomSession::save()
{
    static const char *names[] = {"one.lud", "two.lud", "with space.lud"};
    const QString path = m_dir->filePath(QLatin1String(names[pick(3)]));
    const bool named = !document().fileName().isEmpty();
    if (named && chance(0.5)) {
        note(QStringLiteral("save to %1").arg(QFileInfo(document().fileName()).fileName()));
        trigger("Save1");
    } else {
        note(QStringLiteral("save as %1").arg(QFileInfo(path).fileName()));
        m_prompter.fileNames = {path};
        trigger(named || chance(0.5) ? "SaveAs1" : "Save1");
    }
    const QString saved = document().fileName();
    if (!expect(!saved.isEmpty() && QFileInfo::exists(saved), QStringLiteral("nothing was saved")))
        return;
    expect(!document().isModified(), QStringLiteral("the plan is still unsaved"));
    m_saved[saved] = SavedProject{document().projectImage(ProjectShown()), planState(layout()),
                                  document().buildSettings(), PlanText(layout())};
    if (chance(0.4)) {
        note(QStringLiteral(", opened again"));
        m_prompter.fileNames = {saved};
        trigger("Open1");
        startHistory();
        checkReopened(saved);
    }
}

void TstRandomSession::open()
{
    if (m_saved.empty()) {
        note(QStringLiteral("open: nothing saved yet"));
        return;
    }
    auto it = m_saved.begin();
    std::advance(it, pick(int(m_saved.size())));
    const QString path = it->first;
    const bool asks = document().isModified();
    const bool cancel = asks && chance(0.2);
    note(QStringLiteral("open %1%2")
             .arg(QFileInfo(path).fileName(), asks ? (cancel ? ", cancelled" : ", discarding") : QString()));
    const LayoutSnapshot before = planState(layout());
    const QString fileBefore = document().fileName();
    if (asks) {
        m_expected = {QStringLiteral("Ludra")};
        m_prompter.answers = {cancel ? Prompter::Answer::Cancel : Prompter::Answer::Discard};
    }
    if (!cancel)
        m_prompter.fileNames = {path};
    trigger("Open1");
    expect(m_prompter.asked.size() == (asks ? 1 : 0),
           QStringLiteral("the question before Open came %1 times").arg(m_prompter.asked.size()));
    if (cancel) {
        expect(planState(layout()) == before && document().fileName() == fileBefore,
               QStringLiteral("a cancelled Open changed the plan"));
        return;
    }
    startHistory();
    checkReopened(path);
}

void TstRandomSession::newPlan()
{
    const bool asks = document().isModified();
    const bool cancel = asks && chance(0.3);
    note(QStringLiteral("new%1").arg(asks ? (cancel ? ", cancelled" : ", discarding") : ""));
    const LayoutSnapshot before = planState(layout());
    if (asks) {
        m_expected = {QStringLiteral("Ludra")};
        m_prompter.answers = {cancel ? Prompter::Answer::Cancel : Prompter::Answer::Discard};
    }
    trigger("New1");
    if (cancel) {
        expect(planState(layout()) == before, QStringLiteral("a cancelled New changed the plan"));
        return;
    }
    startHistory();
    expect(layout().plan().cellsEmpty() && document().fileName().isEmpty() && !document().isModified(),
           QStringLiteral("New did not give an empty plan"));
}

void TstRandomSession::stockControl()
{
    find<QTabWidget>("pgcMain")->setCurrentIndex(0);
    auto *box = find<QCheckBox>("chkStockControl");
    if (box->isChecked() && chance(0.4)) {
        const int target = pick(301);
        note(QStringLiteral("stock target %1").arg(target));
        type(find<QWidget>("edtStockTarget"), QString::number(target));
    } else {
        note(QStringLiteral("stock control %1").arg(box->isChecked() ? "off" : "on"));
        click(box);
    }
    expect(document().buildSettings().useStock == box->isChecked(),
           QStringLiteral("the build's use of stock does not follow stock control"));
}

void TstRandomSession::symbiant()
{
    auto *grid = find<QTableView>("grdReport");
    if (layout().currentView() != LayoutView::BodyPlacement) {
        note(QStringLiteral("symbiant: not in this view"));
        return;
    }
    find<QTabWidget>("pgcMain")->setCurrentIndex(0);
    const int row = pick(13);
    const QRect cell = grid->visualRect(grid->model()->index(row, 1));
    QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, cell.center());
    auto *menu = find<QMenu>("mnuIconPopup");
    if (!expect(menu->isVisible(), QStringLiteral("no menu on row %1").arg(row)))
        return;
    QAction *use = find<QAction>("UseSymbiant1");
    QAction *back = find<QAction>("UseImplant1");
    const int choice = pick(1000);
    if (back->isEnabled() && chance(0.5)) {
        note(QStringLiteral("use implant in slot %1").arg(row));
        back->trigger();
        expect(!layout().plan().bodySlots.at(row).holdsSymbiant(), QStringLiteral("the symbiant stayed"));
    } else if (use->isEnabled()) {
        QString chosen;
        m_prompter.dialogs = {{Prompter::Answer::Ok, [choice, &chosen](QObject &dialog) {
                                   auto *table = dialog.findChild<QTableView *>(QStringLiteral("grdSymbiants"));
                                   if (!table || table->model()->rowCount() == 0)
                                       return;
                                   table->selectRow(choice % table->model()->rowCount());
                                   chosen = table->model()->index(table->currentIndex().row(), 0).data().toString();
                               }}};
        use->trigger();
        note(QStringLiteral("use symbiant %1 in slot %2").arg(chosen).arg(row));
        expect(m_prompter.dialogsRun.takeLast() == QStringLiteral("frmSymbiantPicker"), QStringLiteral("no picker"));
        expect(layout().plan().bodySlots.at(row).holdsSymbiant(), QStringLiteral("no symbiant in the slot"));
    } else {
        note(QStringLiteral("symbiant: nothing offered on slot %1").arg(row));
    }
    menu->hide();
}

void TstRandomSession::roundTrip()
{
    const LayoutSnapshot now = planState(layout());
    const int index = stack().index();
    note(QStringLiteral("round trip over %1 steps back, %2 forth").arg(index).arg(stack().count()));
    QAction *undo = find<QAction>("Undo1");
    QAction *redo = find<QAction>("Redo1");
    for (int i = 0; i < index; ++i) {
        if (!expect(undo->isEnabled(), QStringLiteral("Undo ended after %1 of %2 steps").arg(i).arg(index)))
            return;
        undo->trigger();
    }
    expect(!undo->isEnabled(), QStringLiteral("Undo goes on past the start"));
    if (m_states.value(0))
        expect(planState(layout()) == *m_states.at(0), QStringLiteral("undoing every step does not give the start"));
    const int count = stack().count();
    for (int i = 0; i < count; ++i) {
        if (!expect(redo->isEnabled(), QStringLiteral("Redo ended after %1 of %2 steps").arg(i).arg(count)))
            return;
        redo->trigger();
        if (i + 1 == index)
            expect(planState(layout()) == now, QStringLiteral("redoing every step does not give the plan back"));
    }
    // Back where the session was.
    for (int i = count; i > index; --i)
        undo->trigger();
    expect(planState(layout()) == now && stack().index() == index,
           QStringLiteral("the round trip did not come back where it started"));
}

// ---------------------------------------------------------------------------
// The checks.

void TstRandomSession::startHistory()
{
    m_historyStarted = true;
    m_states = {planState(layout())};
    expect(stack().count() == 0, QStringLiteral("a new or opened plan has a history"));
}

void TstRandomSession::checkHistory(Op op)
{
    if (m_historyStarted)
        return;
    const int index = stack().index();
    const int count = stack().count();
    const LayoutSnapshot now = planState(layout());
    const bool stepped = op == Op::Undo || op == Op::Redo;
    if (!stepped && op != Op::RoundTrip && index != m_indexBefore) {
        // A new step: the redo steps it replaced are gone.
        expect(index == m_indexBefore + 1 && count == index,
               QStringLiteral("one operation went from step %1 of %2 to step %3 of %4")
                   .arg(m_indexBefore)
                   .arg(m_countBefore)
                   .arg(index)
                   .arg(count));
        m_states.resize(m_indexBefore + 1);
        while (int(m_states.size()) < index)
            m_states.append(std::nullopt);
        m_states.append(now);
        return;
    }
    if (!expect(count == m_countBefore,
                QStringLiteral("the history went from %1 to %2 steps without a new one").arg(m_countBefore).arg(count)))
        return;
    if (stepped && m_indexBefore != index)
        expect(index == m_indexBefore + (op == Op::Undo ? -1 : 1),
               QStringLiteral("one step went %1 steps").arg(index - m_indexBefore));
    if (const std::optional<LayoutSnapshot> &known = m_states.value(index); known && *known != now)
        fail((stepped ? QStringLiteral("a step of the history gave another plan than it held: ")
                      : QStringLiteral("the plan changed without a step of the history: ")) +
             difference(*known, now, layout().catalogueNames()));
}

void TstRandomSession::checkGrid()
{
    auto *grid = find<QTableView>("grdReport");
    const QAbstractItemModel *model = grid->model();
    const TextTable &table = layout().table();
    if (!expect(model->rowCount() == table.rowCount() - 1 && model->columnCount() == table.columnCount() - 1,
                QStringLiteral("the grid has %1 x %2 cells, the table %3 x %4")
                    .arg(model->rowCount())
                    .arg(model->columnCount())
                    .arg(table.rowCount() - 1)
                    .arg(table.columnCount() - 1)))
        return;
    const bool body = layout().currentView() == LayoutView::BodyPlacement;
    const Plan &plan = layout().plan();
    for (int c = 0; c < model->columnCount(); ++c)
        expect(model->headerData(c, Qt::Horizontal).toString() == table.cell(c + 1, 0),
               QStringLiteral("grid header %1 is not the table's").arg(c));
    for (int r = 0; r < model->rowCount(); ++r) {
        expect(model->headerData(r, Qt::Vertical).toString() == table.cell(0, r + 1),
               QStringLiteral("grid row header %1 is not the table's").arg(r));
        const bool symbiant = body && r < 13 && plan.bodySlots.at(r).holdsSymbiant();
        for (int c = 0; c < model->columnCount(); ++c) {
            const QString shown = model->index(r, c).data().toString();
            const QString wanted = symbiant ? (c == 0 ? plan.symbiant(r) : QString()) : table.cell(c + 1, r + 1);
            if (!expect(shown == wanted, QStringLiteral("grid cell (%1,%2) shows \"%3\", the layout has \"%4\"")
                                             .arg(c + 1)
                                             .arg(r + 1)
                                             .arg(shown, wanted)))
                return;
            if (body && r < 13) {
                const QString fromPlan = plan.cell(r, c).shown(layout().names(), layout().catalogueNames());
                if (!expect(table.cell(c + 1, r + 1) == fromPlan,
                            QStringLiteral("table cell (%1,%2) is \"%3\", the plan has \"%4\"")
                                .arg(c + 1)
                                .arg(r + 1)
                                .arg(table.cell(c + 1, r + 1), fromPlan)))
                    return;
            }
        }
        expect(grid->columnSpan(r, 0) == (symbiant ? 3 : 1), QStringLiteral("row %1 spans wrongly").arg(r + 1));
    }
    expect(listTexts(find<QListWidget>("lbSelNanos")) == entryNames(layout().skills().selected()),
           QStringLiteral("the selected list is not the plan's"));
    expect(comboTexts(find<QComboBox>("cboAvaNanos")) == entryNames(layout().skills().available()),
           QStringLiteral("the available list is not the plan's"));
    expect(find<QComboBox>("cboViewStyle")->currentIndex() == int(layout().currentView()),
           QStringLiteral("the view selector does not show the view"));
    expect(find<QComboBox>("cboInside")->currentIndex() == int(layout().names()),
           QStringLiteral("the names selector does not show the names"));
    expect(find<QLabel>("lblDupes")->text().isEmpty() == !layout().CheckDuplicates(),
           QStringLiteral("the duplicate warning does not follow the duplicates"));
    expect(find<QAction>("Undo1")->isEnabled() == stack().canUndo() &&
               find<QAction>("Redo1")->isEnabled() == stack().canRedo(),
           QStringLiteral("Undo and Redo do not follow the history"));
}

void TstRandomSession::checkMessages()
{
    for (const ScriptedPrompter::Asked &asked : std::as_const(m_prompter.asked))
        if (!m_expected.contains(asked.title) && !m_expected.contains(QStringLiteral("*")))
            fail(QStringLiteral("unexpected message \"%1\": %2").arg(asked.title, asked.text));
    if (!m_prompter.answers.isEmpty() || !m_prompter.fileNames.isEmpty() || !m_prompter.dialogs.isEmpty())
        fail(QStringLiteral("the step did not ask what it was expected to ask"));
    m_prompter.answers.clear();
    m_prompter.fileNames.clear();
    m_prompter.dialogs.clear();
}

void TstRandomSession::checkReopened(const QString &path)
{
    const SavedProject &saved = m_saved.at(path);
    expect(document().fileName() == path, QStringLiteral("the project opened is not %1").arg(path));
    expect(planState(layout()) == saved.state,
           QStringLiteral("the reopened plan is not the one saved: ") +
               difference(saved.state, planState(layout()), layout().catalogueNames()));
    expect(document().buildSettings() == saved.settings,
           QStringLiteral("the reopened settings are not the ones saved"));
    expect(PlanText(layout()) == saved.planText, QStringLiteral("the reopened plan text is not the one saved"));
    const ProjectImage image = document().projectImage(ProjectShown());
    if (!(image == saved.image)) {
        QStringList streams;
        const auto differs = [&streams](bool same, const char *name) {
            if (!same)
                streams.append(QLatin1String(name));
        };
        const ProjectImage &was = saved.image;
        differs(image.config == was.config, "config");
        differs(image.colorGrid == was.colorGrid, "colorGrid");
        differs(image.selected == was.selected, "selected");
        differs(image.available == was.available, "available");
        differs(image.grid == was.grid, "grid");
        differs(image.icons == was.icons, "icons");
        differs(image.secondIcons == was.secondIcons, "secondIcons");
        differs(image.selImpBool == was.selImpBool && image.selImpQL == was.selImpQL, "implant selection");
        differs(image.resultSkill == was.resultSkill && image.resultSkillMore == was.resultSkillMore, "skill results");
        differs(image.resultReq == was.resultReq && image.resultReqMore == was.resultReqMore, "requirements");
        differs(image.resultSuggest == was.resultSuggest, "suggestions");
        differs(image.resultLadder == was.resultLadder, "ladder");
        differs(image.character == was.character, "character");
        differs(image.resultTrickle == was.resultTrickle, "trickle-down");
        differs(image.symbiants == was.symbiants, "symbiants");
        fail(QStringLiteral("the reopened project differs from the one saved in ") + streams.join(u", "));
    }
    expect(!document().isModified(), QStringLiteral("an opened project is unsaved"));
}

QTEST_MAIN(TstRandomSession)
#include "tst_randomsession.moc"
