// A project taken from the plan on screen and put back: what each stored
// line restores, what a short or damaged image leaves alone.

#include "build/buildresults.h"
#include "build/buildsettings.h"
#include "layout/layoutstate.h"
#include "model/plandocument.h"
#include "model/program.h"
#include "model/projectstate.h"
#include "common/paths.h"
#include "data/symbiants.h"
#include "storage/corruptfile.h"
#include "support/scriptedprompter.h"
#include "support/testfiles.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace ludra;

namespace {

// What a project holds of a plan: its layout, settings and results, over the
// reference data of a program.
struct PlanParts
{
    LayoutState layout;
    BuildSettings settings;
    BuildResults results;
};

ProjectImage capture(const PlanParts &plan, const ProjectShown &shown)
{
    return CaptureProject(plan.layout, plan.settings, plan.results, shown);
}

} // namespace

class TstProjectState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void roundTripInSkillViewWithDuplicatesAndMarkers();
    void shortConfigKeepsTheRest();
    void damagedLinesReadAsNothing();
    void characterTravelsWithThePlan();
    void symbiantsTravelWithThePlan();
    void levelAndProfessionLines_data();
    void levelAndProfessionLines();
    void flagLinesReadByTheirRule_data();
    void flagLinesReadByTheirRule();
    void selectionCaptionIsDerived_data();
    void selectionCaptionIsDerived();
    void storedBadNumbersStopTheBuild_data();
    void storedBadNumbersStopTheBuild();

private:
    std::unique_ptr<PlanParts> freshModel();
    ProjectShown apply(const ProjectImage &image, PlanParts &plan);
    LudraProgram m_program;

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedPrompter m_prompter;
};

void TstProjectState::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    SetBaseDir(m_dir->path());
    writeFile(m_dir->filePath("data.csv"), "Agility Clu,Agility,HEAD,LEG,FEET,1\r\n"
                                           "Stamina Clu,Stamina,HEAD,CHEST,WAIST,1\r\n"
                                           "Burst Clu,Burst,EYE,EAR,HEAD,1\r\n");
}

void TstProjectState::cleanup()
{
    SetBaseDir(QString());
    m_dir.reset();
}

std::unique_ptr<PlanParts> TstProjectState::freshModel()
{
    if (!m_program.started())
        m_program.start(m_prompter);
    auto plan = std::make_unique<PlanParts>();
    plan->layout.setCatalogue(m_program.reference().nanoList());
    plan->layout.skills().assignAvailable(m_program.reference().skillEntries());
    return plan;
}

ProjectShown TstProjectState::apply(const ProjectImage &image, PlanParts &plan)
{
    return ApplyProject(image, m_program.reference().nanoList(), plan.layout, plan.settings, plan.results);
}

void TstProjectState::roundTripInSkillViewWithDuplicatesAndMarkers()
{
    std::unique_ptr<PlanParts> model = freshModel();
    LayoutState &layout = model->layout;
    layout.skills().add();
    layout.skills().add();
    layout.allocate();
    QVERIFY(layout.setView(LayoutView::SkillSet));
    // Agility's and Stamina's Shining clusters both in EYE: both marked.
    QVERIFY(layout.editCell(1, 1, QStringLiteral("EYE")));
    QVERIFY(layout.editCell(1, 2, QStringLiteral("EYE")));
    layout.setMarker(2, 2, Marker::Trash);
    layout.setMarker(0, 3, Marker::Query);
    model->settings.warnNanoProg = true;
    model->settings.maxNanoProg = EnteredNumber(QString()); // an empty box
    layout.setImplantSelections({{true, EnteredNumber(QStringLiteral("12"))}, {false, EnteredNumber(QStringLiteral("x"))}});
    model->results.reqTable().setCell(ReqCol::Cluster, 1, QStringLiteral("a, b (QL 1)"));

    ProjectShown shown;
    shown.viewSelectorEnabled = false;
    const ProjectImage saved = capture(*model, shown);
    QCOMPARE(saved.config.size(), 22);
    QCOMPARE(saved.colorGrid.size(), 1200);
    QCOMPARE(saved.icons.size(), 1604);
    QCOMPARE(saved.colorGrid.at(0), QStringLiteral("EYE"));
    const QString path = m_dir->filePath(QStringLiteral("p.lud"));
    WriteProjectFile(path, saved);

    std::unique_ptr<PlanParts> other = freshModel();
    const ProjectShown restored = apply(ReadProjectFile(path), *other);
    QVERIFY(!restored.viewSelectorEnabled);
    QCOMPARE(other->layout.currentView(), LayoutView::SkillSet);
    QVERIFY(other->layout.isDuplicate(1, 2));
    QCOMPARE(other->layout.marker(LayoutView::SkillSet, 2, 2), Marker::Trash);
    QCOMPARE(other->layout.skills().selected().at(1).nano->ClusterName, QStringLiteral("Burst Clu"));
    QCOMPARE(capture(*other, restored), saved);
}

void TstProjectState::shortConfigKeepsTheRest()
{
    std::unique_ptr<PlanParts> model = freshModel();
    BuildSettings &settings = model->settings;
    settings.useStock = true;
    settings.implantQL = EnteredNumber(QStringLiteral("77"));
    AllocationRules rules;
    rules.OverwriteOption = AllocationRules::DoNotClear;
    model->layout.setRules(rules);

    ProjectImage image = capture(*freshModel(), ProjectShown());
    image.config = QStringList{"1", "1", "false", "0", "1", "0"};
    const ProjectShown shown = apply(image, *model);
    QCOMPARE(model->layout.currentView(), LayoutView::SkillSet);
    QCOMPARE(model->layout.names(), LayoutNames::ClusterNames);
    QVERIFY(!shown.viewSelectorEnabled);
    const AllocationRules &restored = model->layout.rules();
    QVERIFY(!restored.IncludeShining && restored.IncludeBright && !restored.IncludeFaded);
    // Reset before reading, and line 6 is not there.
    QCOMPARE(restored.OverwriteOption, AllocationRules::ClearBeforeAllocation);
    QVERIFY(settings.useStock);
    QCOMPARE(settings.implantQL.text(), QStringLiteral("77"));
}

void TstProjectState::damagedLinesReadAsNothing()
{
    std::unique_ptr<PlanParts> model = freshModel();
    ProjectImage image = capture(*model, ProjectShown());
    image.config[0] = QStringLiteral("");    // an index that is no number reads as 0
    image.config[1] = QStringLiteral("one");
    image.icons = QStringList{"-1", "99", " 7 ", "x"}; // stops at its end
    image.colorGrid = QStringList{"", "HEAD"};
    apply(image, *model);
    QCOMPARE(model->layout.currentView(), LayoutView::BodyPlacement);
    QCOMPARE(model->layout.names(), LayoutNames::SkillNames);
    QCOMPARE(model->layout.marker(LayoutView::BodyPlacement, 0, 1), Marker::None);
    QCOMPARE(model->layout.marker(LayoutView::BodyPlacement, 0, 2), Marker::Trash);
    QCOMPARE(model->layout.marker(LayoutView::BodyPlacement, 0, 3), Marker::None);
    QVERIFY(model->layout.isDuplicate(1, 2));
    QVERIFY(!model->layout.isDuplicate(1, 3));

    // A layout grid of another shape is refused before anything changes.
    model->settings.implantQL = EnteredNumber(QStringLiteral("5"));
    image.grid.columns = 9;
    image.config[12] = QStringLiteral("6");
    QVERIFY_THROWS_EXCEPTION(ECorruptFile, apply(image, *model));
    QCOMPARE(model->settings.implantQL.text(), QStringLiteral("5"));
}

// The character, its top level and "Highest I Can Wear" are saved in their
// own stream; a project without it (an older one) opens without a character,
// at the level target its "Config" names.
void TstProjectState::characterTravelsWithThePlan()
{
    std::unique_ptr<PlanParts> model = freshModel();
    BuildSettings &settings = model->settings;
    settings.character.setStat(Stat::Treatment, 700);
    settings.character.setStat(Stat::Sense, 250);
    settings.ladderTopLevel = 250;
    settings.target = BuildSettings::Target::Highest;
    const ProjectImage image = capture(*model, ProjectShown());
    QCOMPARE(image.character.first(), QStringLiteral("Treatment=700"));

    std::unique_ptr<PlanParts> opened = freshModel();
    QVERIFY(apply(image, *opened).characterStored);
    QVERIFY(opened->settings == settings);

    ProjectImage older = image;
    older.character.clear();
    QVERIFY(!apply(older, *opened).characterStored);
    QVERIFY(!opened->settings.character.entered());
    QCOMPARE(opened->settings.ladderTopLevel, TopQualityLevel);
    QCOMPARE(opened->settings.target, BuildSettings::Target::Individual);
}

// The slots holding a symbiant are one line each in a stream of their own;
// the grid keeps their clusters, so that a project without the stream is the
// same plan with implants everywhere. A line naming no slot, or no title,
// is passed over.
void TstProjectState::symbiantsTravelWithThePlan()
{
    std::unique_ptr<PlanParts> model = freshModel();
    LayoutState &layout = model->layout;
    layout.skills().add();
    layout.allocate();
    const Plan implants = layout.plan();
    QVERIFY(capture(*model, ProjectShown()).symbiants.isEmpty());
    layout.setSymbiant(0, QStringLiteral("Some Brain Symbiant (QL 170)"));
    layout.setSymbiant(12, QStringLiteral("Some Feet Symbiant (QL 1)"));
    ProjectImage image = capture(*model, ProjectShown());
    QCOMPARE(image.symbiants, (QStringList{"HEAD=Some Brain Symbiant (QL 170)", "FEET=Some Feet Symbiant (QL 1)"}));

    std::unique_ptr<PlanParts> opened = freshModel();
    apply(image, *opened);
    QVERIFY(opened->layout.plan() == layout.plan());

    image.symbiants.append({"NECK=Nothing (QL 1)", "EAR=", "EYE"});
    apply(image, *opened);
    QVERIFY(opened->layout.plan() == layout.plan());

    image.symbiants.clear();
    apply(image, *opened);
    QVERIFY(opened->layout.plan() == implants);
}

// The character level and the profession follow the other lines of
// "Character", each only when entered, so that a character without them is
// stored as before; a value out of range or unknown reads as not entered,
// and the other lines are read as ever.
void TstProjectState::levelAndProfessionLines_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("profession");
    QTest::newRow("none") << QStringList{} << 0 << -1;
    QTest::newRow("both") << QStringList{"Level=150", "Profession=Doctor"} << 150 << 3;
    QTest::newRow("lowest and first") << QStringList{"Level=1", "Profession=Adventurer"} << 1 << 0;
    QTest::newRow("highest and last") << QStringList{"Level=220", "Profession=Trader"} << 220 << 13;
    QTest::newRow("spaced, any case") << QStringList{" Level = 7 ", "Profession= martial artist"} << 7 << 8;
    QTest::newRow("level 0") << QStringList{"Level=0"} << 0 << -1;
    QTest::newRow("level 221") << QStringList{"Level=221"} << 0 << -1;
    QTest::newRow("level negative") << QStringList{"Level=-5"} << 0 << -1;
    QTest::newRow("level no number") << QStringList{"Level=abc", "Profession=Shade"} << 0 << 11;
    QTest::newRow("level huge") << QStringList{"Level=99999999999999999999"} << 0 << -1;
    QTest::newRow("unknown profession") << QStringList{"Level=30", "Profession=Wizard"} << 30 << -1;
    QTest::newRow("empty profession") << QStringList{"Profession="} << 0 << -1;
    QTest::newRow("profession by number") << QStringList{"Profession=3"} << 0 << -1;
}

void TstProjectState::levelAndProfessionLines()
{
    QFETCH(QStringList, lines);
    QFETCH(int, level);
    QFETCH(int, profession);
    std::unique_ptr<PlanParts> model = freshModel();
    model->settings.character.setStat(Stat::Agility, 300);
    model->settings.ladderTopLevel = 200;
    ProjectImage image = capture(*model, ProjectShown());
    // Nothing entered: the lines end where they always did.
    QCOMPARE(image.character.size(), StatCount + 2);
    QCOMPARE(image.character.last(), QStringLiteral("HighestICanWear=0"));
    image.character += lines;

    std::unique_ptr<PlanParts> opened = freshModel();
    apply(image, *opened);
    const Character &read = opened->settings.character;
    QCOMPARE(read.level, level);
    QCOMPARE(read.profession, profession);
    QCOMPARE(read.stat(Stat::Agility), 300);
    QCOMPARE(opened->settings.ladderTopLevel, 200);

    // Captured again: one line each for what was entered, in its own spelling.
    const QStringList again = capture(*opened, ProjectShown()).character;
    QCOMPARE(again.mid(0, StatCount + 2), image.character.mid(0, StatCount + 2));
    QStringList expected;
    if (level > 0)
        expected.append(QStringLiteral("Level=") + QString::number(level));
    if (profession >= 0)
        expected.append(QStringLiteral("Profession=") + ProfessionNames().at(profession));
    QCOMPARE(again.mid(StatCount + 2), expected);
}

// The include flags of the allocation rules are on only for "1"; the Build
// tab's flags are off only for "0"; the view selector is enabled only for
// "true".
void TstProjectState::flagLinesReadByTheirRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("includeShining");
    QTest::addColumn<bool>("useStock");
    QTest::addColumn<bool>("individual");
    QTest::addColumn<bool>("sense");
    QTest::addColumn<bool>("selectorEnabled");
    QTest::newRow("1") << "1" << true << true << true << true << false;
    QTest::newRow("0") << "0" << false << false << false << false << false;
    QTest::newRow("2") << "2" << false << true << true << true << false;
    QTest::newRow("empty") << "" << false << true << true << true << false;
    QTest::newRow("true") << "true" << false << true << true << true << true;
}

void TstProjectState::flagLinesReadByTheirRule()
{
    QFETCH(QString, text);
    QFETCH(bool, includeShining);
    QFETCH(bool, useStock);
    QFETCH(bool, individual);
    QFETCH(bool, sense);
    QFETCH(bool, selectorEnabled);
    std::unique_ptr<PlanParts> model = freshModel();
    ProjectImage image = capture(*model, ProjectShown());
    for (int line : {2, 3, 7, 10, 21})
        image.config[line] = text;
    const ProjectShown shown = apply(image, *model);
    QCOMPARE(model->layout.rules().IncludeShining, includeShining);
    QCOMPARE(model->settings.useStock, useStock);
    QCOMPARE(model->settings.target != BuildSettings::Target::OneLevel, individual);
    QCOMPARE(model->settings.attribute(Attribute::Sense), sense);
    QCOMPARE(shown.viewSelectorEnabled, selectorEnabled);
}

// The caption line of "Config" tells the implant selection the project
// holds; whatever a file says there is not read.
void TstProjectState::selectionCaptionIsDerived_data()
{
    QTest::addColumn<QString>("ticks");
    QTest::addColumn<QString>("caption");
    QTest::newRow("no selection") << "" << "<no implants selected>";
    QTest::newRow("none ticked") << "0000000000000" << "<no implants selected>";
    QTest::newRow("one") << "0000100000000" << "1 implant selected";
    QTest::newRow("three of a short list") << "1101" << "3 implants selected";
}

void TstProjectState::selectionCaptionIsDerived()
{
    QFETCH(QString, ticks);
    QFETCH(QString, caption);
    std::unique_ptr<PlanParts> model = freshModel();
    QList<ImplantSelection> selections;
    for (const QChar tick : ticks)
        selections.append({tick == u'1', EnteredNumber(QStringLiteral("10"))});
    model->layout.setImplantSelections(selections);
    ProjectImage image = capture(*model, ProjectShown());
    QCOMPARE(image.config.at(13), caption);

    image.config[13] = QStringLiteral("7 implants selected");
    std::unique_ptr<PlanParts> opened = freshModel();
    apply(image, *opened);
    QCOMPARE(opened->layout.plan().implantSelections, selections);
    QCOMPARE(capture(*opened, ProjectShown()).config.at(13), caption);
}

// A number that is no whole number opens and saves as it was stored, and the
// build stops at it with the integer message.
void TstProjectState::storedBadNumbersStopTheBuild_data()
{
    QTest::addColumn<bool>("individual");
    QTest::addColumn<QString>("text");
    QTest::newRow("letters in the one level box") << false << "abc";
    QTest::newRow("an emptied one level box") << false << "";
    QTest::newRow("a level beyond 32 bits") << false << "99999999999";
    QTest::newRow("letters as a slot's level") << true << "x1";
}

void TstProjectState::storedBadNumbersStopTheBuild()
{
    QFETCH(bool, individual);
    QFETCH(QString, text);
    std::unique_ptr<PlanParts> model = freshModel();
    ProjectImage image = capture(*model, ProjectShown());
    if (individual) {
        image.config[10] = QStringLiteral("1");
        image.selImpBool = QStringList{"0", "1"};
        image.selImpQL = QStringList{"", text};
        image.config[13] = QStringLiteral("1 implant selected");
    } else {
        image.config[12] = text;
    }
    const QString stored = m_dir->filePath(QStringLiteral("stored.lud"));
    WriteProjectFile(stored, image);

    PlanDocument document(m_program);
    const ProjectShown shown = document.open(stored);
    const QString saved = m_dir->filePath(QStringLiteral("saved.lud"));
    document.save(saved, shown);
    QVERIFY(readFile(saved) == readFile(stored));
    try {
        document.build(m_prompter);
        QFAIL("a level that is no number was built");
    } catch (const EConvertError &error) {
        QCOMPARE(error.message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
}

QTEST_GUILESS_MAIN(TstProjectState)
#include "tst_projectstate.moc"
