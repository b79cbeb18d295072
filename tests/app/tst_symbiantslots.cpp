#include "app/frmludra.h"
#include "build/buildresults.h"
#include "data/character.h"
#include "data/symbiants.h"
#include "layout/frmsymbiantpicker.h"
#include "layout/layoutstate.h"
#include "model/plandocument.h"
#include "support/scriptedprompter.h"
#include "support/testfiles.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QFile>
#include <QTest>

using namespace ludra;

namespace {

const QByteArray SymbiantLines =
    "Name,Slot,QL,Unit,Treatment,Level,Strength,Agility,Stamina,Intelligence,Psychic,Sense,Professions,Bonuses\r\n"
    "\"Active Brain Symbiant, Control Unit Aban\",HEAD,170,Control,1011,125,0,383,0,383,383,0,"
    "Bureaucrat;Engineer;Meta-Physicist;Trader,Intelligence=43;Agility=20;Treatment=86\r\n"
    "\"Alert Brain Symbiant, Infantry Unit Aban\",HEAD,280,Infantry,1942,205,1191,0,1191,1191,0,0,"
    "Adventurer;Enforcer;Keeper;Martial Artist,Sense=28;Treatment=133\r\n"
    "\"Animated Brain Symbiant, Extermination Unit Aban\",HEAD,70,Extermination,420,52,0,0,159,159,159,0,"
    "Bureaucrat;Meta-Physicist;Nano-Technician,Intelligence=19;Sense=8\r\n"
    "\"Active Heart Symbiant, Control Unit Aban\",CHEST,170,Control,1011,125,0,383,0,383,383,0,,Stamina=30\r\n";

const QString Control = QStringLiteral("Active Brain Symbiant, Control Unit Aban (QL 170)");

// The texts of a column of a table view, top to bottom.
QStringList columnTexts(const QTableView *view, int column)
{
    QStringList texts;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        texts.append(view->model()->index(r, column).data().toString());
    return texts;
}

// A character of level 130, an Engineer, with Treatment 1100 and every
// ability at 400.
Character engineer()
{
    Character character;
    character.stats.fill(400);
    character.setStat(Stat::Treatment, 1100);
    character.level = 130;
    character.profession = ProfessionIndex(u"Engineer");
    return character;
}

} // namespace

class TstSymbiantSlots : public QObject, protected MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void symbiantIntoASlotAndBack();
    void buildCountsItAndAProjectKeepsIt();
    void copyAndPastePlanCarryIt();
    void withoutTheTableTheMenuSaysSo();
    void aDamagedLineIsToldOnce();
    void pickerJudgesWearing_data();
    void pickerJudgesWearing();
    void pickerSearchesAndChooses();

private:
    // The window with HEAD holding Agility's Shining and Burst's Faded
    // cluster, Stamina's Bright one in CHEST.
    void openAllocated();
    // Opens the grid's menu on a body slot's row (0 HEAD).
    QMenu *menuOnRow(int viewRow);
    // "Use Symbiant..." on HEAD, the dialog choosing the row of the name.
    void useSymbiant(const QString &name);
    QTableView *grid() const { return find<QTableView>("grdReport"); }
    const LayoutState &layout() const { return m_window->document().layout(); }
};

void TstSymbiantSlots::init()
{
    QVERIFY(startFolder());
    writeFile(m_dir->filePath("data.csv"), "Agility Clu,Agility,HEAD,LEG,FEET,1\r\n"
                                           "Stamina Clu,Stamina,HEAD,CHEST,WAIST,1\r\n"
                                           "Burst Clu,Burst,EYE,EAR,HEAD,1\r\n"
                                           "Sense Clu,Sense,CHEST,EYE,LEG,1\r\n");
    writeFile(m_dir->filePath("SecSkill.csv"), "Strength,Empty,Burst Clu,Agility Clu\r\n"
                                               "Sense,Stamina Clu,Burst Clu,Agility Clu\r\n");
    writeFile(m_dir->filePath("require.csv"), "Agility Clu,Agility,600\r\nBurst Clu,Burst,400\r\n");
}

void TstSymbiantSlots::cleanup()
{
    stopFolder();
}

void TstSymbiantSlots::openAllocated()
{
    QVERIFY(showWindow());
    QVERIFY(m_prompter.asked.isEmpty());
    auto *available = find<QComboBox>("cboAvaNanos");
    for (const QString &name : QStringList{"Agility", "Stamina", "Burst"}) {
        available->setCurrentIndex(available->findText(name));
        find<QPushButton>("btnAdd")->click();
    }
    find<QPushButton>("btnAllocate")->click();
    QCOMPARE(layout().table().cell(1, 1), QStringLiteral("Agility"));
    QCOMPARE(layout().table().cell(3, 1), QStringLiteral("Burst"));
    m_prompter.asked.clear();
}

QMenu *TstSymbiantSlots::menuOnRow(int viewRow)
{
    QTableView *view = grid();
    const QRect cell = view->visualRect(view->model()->index(viewRow, 1));
    QTest::mouseClick(view->viewport(), Qt::RightButton, {}, cell.center());
    auto *menu = find<QMenu>("mnuIconPopup");
    return menu->isVisible() ? menu : nullptr;
}

void TstSymbiantSlots::useSymbiant(const QString &name)
{
    m_prompter.dialogs.append({Prompter::Answer::Ok, [name](QObject &dialog) {
                                   auto *search = dialog.findChild<QLineEdit *>("edtSearch");
                                   auto *table = dialog.findChild<QTableView *>("grdSymbiants");
                                   QTest::keyClicks(search, name);
                                   QCOMPARE(table->model()->rowCount(), 1);
                                   table->selectRow(0);
                               }});
    QMenu *menu = menuOnRow(0);
    QVERIFY(menu);
    find<QAction>("UseSymbiant1")->trigger();
    menu->hide();
}

// "Use Symbiant..." puts the symbiant over HEAD's three cells, one step of
// the history; the clusters stay beneath it and come back with "Use
// Implant"; the view switch, allocation and a typed cell leave it.
void TstSymbiantSlots::symbiantIntoASlotAndBack()
{
    openAllocated();
    writeFile(m_dir->filePath("symbiants.csv"), SymbiantLines);
    const PlanSlot head = layout().plan().bodySlots.at(0);
    QVERIFY(head.holdsCluster());

    QMenu *menu = menuOnRow(0);
    QVERIFY(menu);
    QVERIFY(find<QAction>("UseSymbiant1")->isEnabled());
    QVERIFY(!find<QAction>("UseImplant1")->isEnabled());
    menu->hide();

    useSymbiant(QStringLiteral("control"));
    QCOMPARE(m_prompter.dialogsRun, QStringList{"frmSymbiantPicker"});
    QCOMPARE(layout().plan().symbiant(0), Control);
    QTableView *view = grid();
    const QAbstractItemModel *model = view->model();
    QCOMPARE(view->columnSpan(0, 0), 3);
    QCOMPARE(view->columnSpan(1, 0), 1);
    QCOMPARE(model->index(0, 0).data().toString(), Control);
    QVERIFY(!(model->flags(model->index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(model->flags(model->index(1, 0)) & Qt::ItemIsEditable);
    const QString tip = model->index(0, 0).data(Qt::ToolTipRole).toString();
    QVERIFY2(tip.contains(QStringLiteral("level 125, Treatment 1011, Agility 383, Intelligence 383, Psychic 383")),
             qPrintable(tip));
    QCOMPARE(find<QAction>("Undo1")->text(), QStringLiteral("&Undo Use Symbiant"));

    // Its cells open no editor; the clusters stay as they were.
    view->setFocus();
    view->setCurrentIndex(model->index(0, 0));
    QTest::keyClick(view, Qt::Key_F2);
    QTest::keyClick(view, Qt::Key_Delete);
    QVERIFY(!view->indexWidget(model->index(0, 0)));
    QCOMPARE(layout().plan().bodySlots.at(0).clusters, head.clusters);

    // Allocating again keeps it and its clusters, and says which clusters
    // found the slot taken.
    find<QPushButton>("btnAllocate")->click();
    QCOMPARE(m_prompter.asked.size(), 2);
    QVERIFY2(m_prompter.asked.at(1).text.contains(QStringLiteral("since HEAD holds the symbiant")),
             qPrintable(m_prompter.asked.at(1).text));
    m_prompter.asked.clear();
    QCOMPARE(layout().plan().symbiant(0), Control);
    QCOMPARE(layout().plan().bodySlots.at(0).clusters, head.clusters);
    QCOMPARE(view->columnSpan(0, 0), 3);

    // The skill-set view: no symbiant items, and the Agility row names the
    // symbiant that raises it; back by body placement the span is there.
    auto *views = find<QComboBox>("cboViewStyle");
    views->setCurrentIndex(1);
    QCOMPARE(view->columnSpan(0, 0), 1);
    menu = menuOnRow(0);
    QVERIFY(menu);
    QVERIFY(!find<QAction>("UseSymbiant1")->isEnabled());
    QVERIFY(!find<QAction>("UseImplant1")->isEnabled());
    menu->hide();
    QCOMPARE(model->headerData(0, Qt::Vertical).toString(), QStringLiteral("Agility"));
    QCOMPARE(model->headerData(0, Qt::Vertical, Qt::ToolTipRole).toString(),
             QStringLiteral("Raised by a symbiant: ") + Control + QStringLiteral(" (HEAD): +20"));
    QVERIFY(model->headerData(0, Qt::Vertical, Qt::AccessibleDescriptionRole).toString().contains(Control));
    QVERIFY(!model->headerData(1, Qt::Vertical, Qt::ToolTipRole).isValid());
    views->setCurrentIndex(0);
    QCOMPARE(view->columnSpan(0, 0), 3);
    QCOMPARE(model->index(0, 0).data().toString(), Control);

    // Undo takes the view switch, the allocation and then the symbiant back.
    auto *undo = find<QAction>("Undo1");
    for (int step = 0; step < 4 && undo->text() != QStringLiteral("&Undo Use Symbiant"); ++step)
        undo->trigger();
    QCOMPARE(undo->text(), QStringLiteral("&Undo Use Symbiant"));
    undo->trigger();
    QVERIFY(layout().plan().symbiant(0).isEmpty());
    QCOMPARE(view->columnSpan(0, 0), 1);
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("Agility"));
    find<QAction>("Redo1")->trigger();
    QCOMPARE(layout().plan().symbiant(0), Control);
    QCOMPARE(view->columnSpan(0, 0), 3);

    // "Use Implant": the clusters back exactly, one step.
    menu = menuOnRow(0);
    QVERIFY(menu);
    QVERIFY(find<QAction>("UseImplant1")->isEnabled());
    find<QAction>("UseImplant1")->trigger();
    menu->hide();
    QCOMPARE(layout().plan().bodySlots.at(0), head);
    QCOMPARE(view->columnSpan(0, 0), 1);
    QCOMPARE(columnTexts(view, 0).first(), QStringLiteral("Agility"));
    QCOMPARE(columnTexts(view, 2).first(), QStringLiteral("Burst"));
    QCOMPARE(undo->text(), QStringLiteral("&Undo Use Implant"));
    QVERIFY(m_prompter.asked.isEmpty());
}

// Copy Plan names the symbiants; Paste Plan into a new plan wears them again,
// over the clusters kept behind them, as one step Undo takes back.
void TstSymbiantSlots::copyAndPastePlanCarryIt()
{
    openAllocated();
    writeFile(m_dir->filePath("symbiants.csv"), SymbiantLines);
    useSymbiant(QStringLiteral("Control"));
    const Plan copied = layout().plan();
    find<QAction>("CopyPlan1")->trigger();
    QVERIFY(QApplication::clipboard()->text().contains(QStringLiteral("\nSymbiants:\tHEAD=") + Control + u'\n'));

    m_prompter.answers = {Prompter::Answer::Discard};
    find<QAction>("New1")->trigger();
    QVERIFY(layout().plan().symbiant(0).isEmpty());
    find<QAction>("PastePlan1")->trigger();
    QVERIFY(m_prompter.asked.size() == 1);  // the question before New
    QCOMPARE(layout().plan().symbiant(0), Control);
    QCOMPARE(layout().plan().bodySlots, copied.bodySlots);
    find<QAction>("Undo1")->trigger();
    QVERIFY(layout().plan().symbiant(0).isEmpty());
}

// The build counts the symbiant: its row after the implants' in the
// requirements, its name under the skill totals; saved and opened again,
// the slot still holds it.
void TstSymbiantSlots::buildCountsItAndAProjectKeepsIt()
{
    openAllocated();
    writeFile(m_dir->filePath("symbiants.csv"), SymbiantLines);
    useSymbiant(QStringLiteral("Control"));
    QCOMPARE(layout().plan().symbiant(0), Control);

    auto *tabs = find<QTabWidget>("pgcMain");
    auto *label = find<QLabel>("lblSymbiants");
    QVERIFY(label->isHidden());
    tabs->setCurrentIndex(1);
    find<QPushButton>("btnBuild")->click();
    QVERIFY(m_prompter.asked.isEmpty());
    const QAbstractItemModel *reqs = find<QTableView>("grdReqs")->model();
    const int last = reqs->rowCount() - 1;
    QCOMPARE(reqs->index(last, 0).data().toString(), Control);
    QCOMPARE(reqs->index(last, 3).data().toString(), QStringLiteral("HEAD (QL 170)"));
    for (int r = 0; r < last; ++r)
        QVERIFY(!reqs->index(r, 3).data().toString().startsWith(QStringLiteral("HEAD")));
    QVERIFY(!label->isHidden());
    QCOMPARE(label->text(), QStringLiteral("Symbiants counted: ") + Control + QStringLiteral(" (HEAD)"));

    // The layout exports with the symbiant in its slot, not the clusters it
    // keeps.
    tabs->setCurrentIndex(0);
    const QString csv = m_dir->filePath(QStringLiteral("layout.csv"));
    m_prompter.fileNames = {csv};
    find<QAction>("CSV1")->trigger();
    QFile exported(csv);
    QVERIFY(exported.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(exported.readAll()).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.at(1), QStringLiteral("HEAD,\"") + Control + QStringLiteral("\",,"));

    const QString path = m_dir->filePath(QStringLiteral("symbiant.lud"));
    m_prompter.fileNames = {path};
    find<QAction>("SaveAs1")->trigger();
    ScriptedPrompter second;
    TfrmLudra again(second);
    again.makeEveryPage();
    second.fileNames = {path};
    again.findChild<QAction *>("Open1")->trigger();
    QVERIFY(second.asked.isEmpty());
    QCOMPARE(again.document().layout().plan().symbiant(0), Control);
    // Its clusters too, as the cells of the layout table hold them.
    for (int column = 1; column <= 3; ++column)
        QCOMPARE(again.document().layout().table().cell(column, 1), layout().table().cell(column, 1));
    QCOMPARE(layout().table().cell(1, 1), QStringLiteral("Agility"));
    auto *grid = again.findChild<QTableView *>("grdReport");
    QCOMPARE(grid->columnSpan(0, 0), 3);
    QCOMPARE(grid->model()->index(0, 0).data().toString(), Control);
}

void TstSymbiantSlots::withoutTheTableTheMenuSaysSo()
{
    openAllocated();
    QMenu *menu = menuOnRow(0);
    QVERIFY(menu);
    find<QAction>("UseSymbiant1")->trigger();
    menu->hide();
    QVERIFY(m_prompter.dialogsRun.isEmpty());
    QCOMPARE(m_prompter.asked.size(), 1);
    QCOMPARE(m_prompter.asked.first().title, QStringLiteral("Symbiants"));
    QVERIFY(m_prompter.asked.first().text.contains(QStringLiteral("The symbiant table \"symbiants.csv\" cannot be read")));
    QVERIFY(layout().plan().symbiant(0).isEmpty());
}

// The table's lines that cannot be read are counted in one message, the
// first time a symbiant is chosen; the others still read.
void TstSymbiantSlots::aDamagedLineIsToldOnce()
{
    openAllocated();
    writeFile(m_dir->filePath("symbiants.csv"), SymbiantLines + "a line of no symbiant\r\n");
    useSymbiant(QStringLiteral("Control"));
    QCOMPARE(m_prompter.asked.size(), 1);
    QCOMPARE(m_prompter.asked.first().text,
             QStringLiteral("1 line(s) of \"symbiants.csv\" could not be read and were skipped."));
    QCOMPARE(layout().plan().symbiant(0), Control);
    useSymbiant(QStringLiteral("Alert"));
    QCOMPARE(m_prompter.asked.size(), 1);
    QCOMPARE(layout().plan().symbiant(0), QStringLiteral("Alert Brain Symbiant, Infantry Unit Aban (QL 280)"));
}

void TstSymbiantSlots::pickerJudgesWearing_data()
{
    QTest::addColumn<Character>("character");
    QTest::addColumn<QStringList>("wearable");
    QTest::addColumn<QList<bool>>("red");

    QTest::newRow("nothing entered") << Character()
                                     << QStringList{"no character entered", "no character entered",
                                                    "no character entered"}
                                     << QList<bool>{false, false, false};
    QTest::newRow("an engineer of level 130")
        << engineer()
        << QStringList{"yes", "level 205, profession, Treatment 1942, Strength 1191, Stamina 1191, Intelligence 1191",
                       "profession"}
        << QList<bool>{false, true, true};
    Character low = engineer();
    low.level = 100;
    low.setStat(Stat::Agility, 300);
    QTest::newRow("too low for the control unit")
        << low
        << QStringList{"level 125, Agility 383",
                       "level 205, profession, Treatment 1942, Strength 1191, Stamina 1191, Intelligence 1191",
                       "profession"}
        << QList<bool>{true, true, true};
}

// The "Wearable" column says what keeps the character from wearing each
// symbiant; those it cannot wear are greyed, their "Wearable" cell red.
void TstSymbiantSlots::pickerJudgesWearing()
{
    QFETCH(Character, character);
    QFETCH(QStringList, wearable);
    QFETCH(QList<bool>, red);
    const SymbiantTable table = SymbiantTable::parse(QString::fromLatin1(SymbiantLines).split(QStringLiteral("\r\n")),
                                                     BodySlotNames());
    TfrmSymbiantPicker dialog(QStringLiteral("HEAD"), table.forSlot(0), QString(), {"Agility", "Sense"}, character);
    auto *view = dialog.findChild<QTableView *>("grdSymbiants");
    const QAbstractItemModel *model = view->model();
    QStringList headings;
    for (int c = 0; c < model->columnCount(); ++c)
        headings.append(model->headerData(c, Qt::Horizontal).toString());
    QCOMPARE(headings, (QStringList{"Name", "Wearable", "QL", "Treatment Needed", "Level Needed", "Abilities Needed", "Professions",
                                    "Agility", "Sense"}));
    QCOMPARE(columnTexts(view, 1), wearable);
    for (int r = 0; r < model->rowCount(); ++r)
        QCOMPARE(model->index(r, 1).data(Qt::ForegroundRole).isValid(), bool(red.at(r)));
    QCOMPARE(columnTexts(view, 5).first(), QStringLiteral("Agility 383, Intelligence 383, Psychic 383"));
    QCOMPARE(columnTexts(view, 6).first(), QStringLiteral("Bureaucrat, Engineer, Meta-Physicist, Trader"));
    // Each selected skill's bonus, blank where there is none.
    QCOMPARE(columnTexts(view, 7), (QStringList{"20", "", ""}));
    QCOMPARE(columnTexts(view, 8), (QStringList{"", "28", "8"}));
}

// The search box filters the names as typed, in any case; OK waits for a
// chosen row; the slot's symbiant is chosen at the start; a heading sorts.
void TstSymbiantSlots::pickerSearchesAndChooses()
{
    const SymbiantTable table = SymbiantTable::parse(QString::fromLatin1(SymbiantLines).split(QStringLiteral("\r\n")),
                                                     BodySlotNames());
    const QString alert = QStringLiteral("Alert Brain Symbiant, Infantry Unit Aban (QL 280)");
    TfrmSymbiantPicker dialog(QStringLiteral("HEAD"), table.forSlot(0), alert, {}, Character());
    auto *view = dialog.findChild<QTableView *>("grdSymbiants");
    auto *search = dialog.findChild<QLineEdit *>("edtSearch");
    auto *ok = dialog.findChild<QPushButton *>("btnOK");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(view->model()->rowCount(), 3);
    QCOMPARE(view->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(view->selectionModel()->selectedRows().first().row(), 1);
    QVERIFY(ok->isEnabled());
    QCOMPARE(dialog.findChild<QLabel *>("lblSlot")->text(), QStringLiteral("HEAD"));

    QTest::keyClicks(search, QStringLiteral("aNiMaTeD"));
    QCOMPARE(columnTexts(view, 0), QStringList{"Animated Brain Symbiant, Extermination Unit Aban"});
    QTest::keyClicks(search, QStringLiteral("x"));
    QCOMPARE(view->model()->rowCount(), 0);
    QVERIFY(!ok->isEnabled());
    search->clear();
    QCOMPARE(view->model()->rowCount(), 3);

    view->horizontalHeader()->setSortIndicator(2, Qt::DescendingOrder);
    QCOMPARE(columnTexts(view, 2), (QStringList{"280", "170", "70"}));
    view->selectRow(2);
    QVERIFY(ok->isEnabled());
    ok->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.chosen(), QStringLiteral("Animated Brain Symbiant, Extermination Unit Aban (QL 70)"));
}

QTEST_MAIN(TstSymbiantSlots)
#include "tst_symbiantslots.moc"
