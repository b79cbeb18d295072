// Tools, Find Symbiants on the real main window offscreen: the list for the
// plan and character, a symbiant used as one step that Undo takes back, the
// list without a character, and the command without a symbiant table.

#include "app/frmludra.h"
#include "app/frmsymbiantfinder.h"
#include "model/plandocument.h"
#include "support/testcharacter.h"
#include "support/testfiles.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace ludra;

namespace {

constexpr int Eye = 3;

} // namespace

class TstFindSymbiants : public QObject, protected MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void useAndUndo();
    void withoutACharacter();
    void withoutTheTable();

private:
    // Burst selected, Burst Clu in EYE at level 200.
    void plan();
};

void TstFindSymbiants::init()
{
    QVERIFY(startFolder());
    writeFile(m_dir->filePath("data.csv"), "Treat Clu,Treatment,HEAD,EYE,RIGHT HAND,1\r\n"
                                           "Burst Clu,Burst,EYE,EAR,HEAD,1\r\n");
    writeFile(m_dir->filePath("SecSkill.csv"), "Intelligence,Empty,Empty,Treat Clu\r\n"
                                               "Strength,Empty,Empty,Burst Clu\r\n");
    writeFile(m_dir->filePath("require.csv"), "Treat Clu,Treatment,300\r\nBurst Clu,Burst,450\r\n");
    if (QLatin1String(QTest::currentTestFunction()) != QLatin1String("withoutTheTable"))
        writeFile(m_dir->filePath("symbiants.csv"),
                  "Name,Slot,QL,Unit,Treatment,Level,Strength,Agility,Stamina,Intelligence,Psychic,Sense,"
                  "Professions,Bonuses\r\n"
                  "Eye Good,EYE,100,Support,500,50,0,0,0,0,0,0,,Burst=120\r\n"
                  "Eye Best,EYE,200,Support,900,100,0,0,0,0,0,0,,Burst=150\r\n"
                  "Eye Old,EYE,150,Support,400,200,0,0,0,0,0,0,,Burst=300\r\n"
                  "Head Brain,HEAD,100,Support,900,50,0,0,0,0,0,0,,Treatment=50;Burst=10\r\n");
    QVERIFY(showWindow());
}

void TstFindSymbiants::cleanup()
{
    stopFolder();
}

void TstFindSymbiants::plan()
{
    m_window->document().editPlan(QStringLiteral("plan"), [](LayoutState &layout) {
        QVERIFY(layout.skills().selectNamed(QStringLiteral("Burst")));
        // The window shows skill names.
        layout.editCell(1, Eye + 1, QStringLiteral("Burst"));
    });
    changeSettings([](BuildSettings &settings) { settings.implantQL = EnteredNumber(QStringLiteral("200")); });
}

// EYE's Burst Clu gives 105 at 200: Eye Best adds 45, Eye Good 15; Eye Old
// asks a higher level than the character's. Used, Eye Best is the slot's own
// and the list is found again; Undo takes it out.
void TstFindSymbiants::useAndUndo()
{
    plan();
    changeSettings([](BuildSettings &settings) {
        settings.character = uniformCharacter(1000, 500);
        settings.character.level = 150;
    });
    QStringList before;
    QStringList after;
    QString note;
    bool useEnabled = false;
    m_prompter.dialogs.append({Prompter::Answer::Ok, [&](QObject &object) {
                                   auto &dialog = static_cast<TfrmSymbiantFinder &>(object);
                                   note = dialog.findChild<QLabel *>("lblSymbiantNote")->text();
                                   dialog.findChild<QComboBox *>("cboSymbiantSlot")->setCurrentIndex(Eye + 1);
                                   for (const QStringList &row : dialog.symbiants().rows())
                                       before.append(row.mid(0, 5).join(u'|'));
                                   auto *grid = dialog.findChild<QTableView *>("grdSymbiants");
                                   auto *use = dialog.findChild<QPushButton *>("btnSymbiantUse");
                                   QVERIFY(!use->isEnabled());
                                   grid->selectRow(0);
                                   useEnabled = use->isEnabled();
                                   use->click();
                                   for (const QStringList &row : dialog.symbiants().rows())
                                       after.append(row.mid(0, 5).join(u'|'));
                                   QVERIFY(!use->isEnabled());
                               }});
    find<QAction>("FindSymbiants1")->trigger();
    QCOMPARE(m_prompter.dialogsRun, QStringList{"frmSymbiantFinder"});
    QVERIFY(m_prompter.asked.isEmpty());
    QVERIFY2(note.startsWith(QStringLiteral("The symbiants the character can wear")), qPrintable(note));
    QCOMPARE(before, (QStringList{"Slot|Symbiant|QL|Total Gain|Burst", "EYE|Eye Best|200|+45|+45",
                                  "EYE|Eye Good|100|+15|+15"}));
    QVERIFY(useEnabled);
    QCOMPARE(after, (QStringList{"Slot|Symbiant|QL|Total Gain|Burst", "EYE|Eye Best (current)|200|0|0",
                                 "EYE|Eye Good|100|-30|-30"}));
    QCOMPARE(m_window->document().layout().plan().symbiant(Eye), QStringLiteral("Eye Best (QL 200)"));

    QAction *undo = find<QAction>("Undo1");
    QCOMPARE(undo->text(), QStringLiteral("&Undo Use Symbiant"));
    undo->trigger();
    QCOMPARE(m_window->document().layout().plan().symbiant(Eye), QString());
    QCOMPARE(m_window->document().layout().plan().cell(Eye, 0).shown(LayoutNames::ClusterNames,
                                                                     m_window->document().layout().catalogueNames()),
             QStringLiteral("Burst Clu"));
}

// Nothing judged: every symbiant of every slot, and the note says so.
void TstFindSymbiants::withoutACharacter()
{
    plan();
    int rows = 0;
    QString note;
    m_prompter.dialogs.append({Prompter::Answer::Ok, [&](QObject &object) {
                                   auto &dialog = static_cast<TfrmSymbiantFinder &>(object);
                                   note = dialog.findChild<QLabel *>("lblSymbiantNote")->text();
                                   rows = dialog.symbiants().rowCount() - 1;
                                   QVERIFY(!dialog.finding().judged);
                               }});
    find<QAction>("FindSymbiants1")->trigger();
    QCOMPARE(rows, 4);
    QVERIFY2(note.contains(QStringLiteral("requirements were not judged")), qPrintable(note));
}

void TstFindSymbiants::withoutTheTable()
{
    plan();
    find<QAction>("FindSymbiants1")->trigger();
    QVERIFY(m_prompter.dialogsRun.isEmpty());
    QCOMPARE(m_prompter.asked.size(), 1);
    QCOMPARE(m_prompter.asked.first().text, QStringLiteral("The symbiant table \"symbiants.csv\" cannot be read."));
}

QTEST_MAIN(TstFindSymbiants)
#include "tst_findsymbiants.moc"
