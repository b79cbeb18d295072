// The ladder: what a character can wear of a plan and in which order, on
// hand-worked cases, and the build at those levels.
//
// The numbers come from the build's formulas with the built-in skill
// increase table: treatment (Q - 1) * 4.723 + 11 up to level 200 and
// (Q - 201) * 10.606 + 1001 above; a Shining Treatment cluster gives
// round(99 / 199 * (Q - 1)) + 6 (55 at 99 and 100, 58 at 105, 105 at 200), a
// Faded one round(40 / 199 * (Q - 1)) + 2 (24 from 108 to 112).

#include "build/buildresults.h"
#include "build/buildrunner.h"
#include "build/buildsettings.h"
#include "build/ladder.h"
#include "common/paths.h"
#include "data/referencedata.h"
#include "layout/layoutstate.h"
#include "model/projectstate.h"
#include "stock/stockstate.h"
#include "support/scriptedprompter.h"
#include "support/testcharacter.h"
#include "support/testfiles.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace ludra;

namespace {

// Treat Clu raises Treatment (Shining HEAD, Bright EYE, Faded RIGHT HAND);
// Burst Clu raises a skill no ladder counts. HEAD holding Treat Clu alone and
// RIGHT HAND holding it alone need Intelligence; EYE holding Burst Clu alone
// needs Strength; EAR holding Burst Clu alone makes no recipe.
// Int Clu raises Intelligence (Shining HEAD: round(50 / 199 (Q - 1)) + 5,
// 41 at 146). Jobe Clu, like Burst Clu, raises Burst; EYE holding it alone
// is a recipe with a profile of its own ("reqprofile.csv"): Treatment
// 11 + 994 / 199 (Q - 1) up to 200.
const QByteArray Catalogue = "Treat Clu,Treatment,HEAD,EYE,RIGHT HAND,1\r\n"
                             "Burst Clu,Burst,EYE,EAR,HEAD,1\r\n"
                             "Int Clu,Intelligence,HEAD,EYE,EAR,2\r\n"
                             "Jobe Clu,Burst,EYE,EAR,HEAD,1\r\n";
const QByteArray Recipes = "Intelligence,Empty,Empty,Treat Clu\r\n"
                           "Intelligence,Empty,Treat Clu,Empty\r\n"
                           "Strength,Empty,Empty,Burst Clu\r\n"
                           "Intelligence,Empty,Empty,Int Clu\r\n"
                           "Strength,Empty,Empty,Jobe Clu\r\n";
const QByteArray Profiles = "Jobe Clu,,,11,16,1005,464,1001,476,2051,1231\r\n";
// The symbiant of treatmentSymbiant, as the file has it.
const QByteArray Symbiants = "Name,Slot,QL,Unit,Treatment,Level,Strength,Agility,Stamina,Intelligence,Psychic,Sense,"
                             "Professions,Bonuses\r\n"
                             "Test Brain Symbiant,HEAD,150,Support,400,100,0,300,0,0,0,0,Doctor;Fixer,"
                             "Treatment=100;Burst=30\r\n"
                             "A damaged line\r\n";

PlannedImplant implant(const QString &slot, int column, const QString &cluster)
{
    PlannedImplant planned;
    planned.slot = slot;
    planned.clusters[std::size_t(column - 1)] = cluster;
    return planned;
}

const PlannedImplant HeadTreatment = implant(QStringLiteral("HEAD"), 1, QStringLiteral("Treat Clu"));
const PlannedImplant HandTreatment = implant(QStringLiteral("RIGHT HAND"), 3, QStringLiteral("Treat Clu"));
const PlannedImplant EyeBurst = implant(QStringLiteral("EYE"), 1, QStringLiteral("Burst Clu"));
const PlannedImplant EarBurst = implant(QStringLiteral("EAR"), 2, QStringLiteral("Burst Clu"));
const PlannedImplant HeadIntelligence = implant(QStringLiteral("HEAD"), 1, QStringLiteral("Int Clu"));
const PlannedImplant EyeJobe = implant(QStringLiteral("EYE"), 1, QStringLiteral("Jobe Clu"));

// Abilities high enough for every recipe unless a row says otherwise.
Character character(qint64 treatment, qint64 abilities = 2000)
{
    return uniformCharacter(treatment, abilities);
}

QString finals(const Ladder &ladder)
{
    QStringList levels;
    for (const LadderLevel &level : ladder.finalLevels)
        levels.append(level.slot + u'=' + QString::number(level.ql));
    return levels.join(u' ');
}

// Each step as "slot ql treatment-needed treatment-after final|way".
QStringList steps(const Ladder &ladder)
{
    QStringList result;
    for (const LadderStep &step : ladder.steps)
        result.append(QStringLiteral("%1 %2 %3 %4 %5")
                          .arg(step.slot)
                          .arg(step.ql)
                          .arg(step.treatmentNeeded)
                          .arg(step.after[std::size_t(Stat::Treatment)])
                          .arg(step.final ? "final" : "way"));
    return result;
}

QString unwearable(const Ladder &ladder)
{
    QStringList result;
    for (const LadderUnwearable &u : ladder.unwearable)
        result.append(u.slot + QStringLiteral(": ") + u.reason);
    return result.join(QStringLiteral("; "));
}

// A layout holding the implants over the reference data, and what a build
// of it needs.
struct PlanBuild
{
    PlanBuild(const ReferenceData &reference, const QList<PlannedImplant> &implants) : reference(reference)
    {
        layout.setCatalogue(reference.nanoList());
        layout.setNames(LayoutNames::ClusterNames);
        layout.skills().assignAvailable(reference.skillEntries());
        for (const PlannedImplant &planned : implants) {
            const int row = int(reference.bodySlots().indexOf(planned.slot)) + 1;
            for (int c = 0; c < 3; ++c)
                layout.editCell(c + 1, row, planned.clusters[std::size_t(c)]);
        }
    }

    bool run(const BuildOptions &options = {})
    {
        BuildRunner runner(reference, layout, settings, results, stock, prompter);
        runner.options = options;
        return runner.run();
    }

    const ReferenceData &reference;
    LayoutState layout;
    BuildSettings settings;
    BuildResults results;
    StockState stock;
    ScriptedPrompter prompter;
};

} // namespace

// A HEAD symbiant of 100 Treatment that needs Treatment 400, Agility 300,
// level 100 and a Doctor or a Fixer.
Symbiant treatmentSymbiant()
{
    Symbiant symbiant;
    symbiant.name = QStringLiteral("Test Brain Symbiant");
    symbiant.slot = 0;
    symbiant.level = 150;
    symbiant.treatment = 400;
    symbiant.characterLevel = 100;
    symbiant.abilities[1] = 300;
    symbiant.professions = {QStringLiteral("Doctor"), QStringLiteral("Fixer")};
    symbiant.bonuses = {SymbiantBonus{QStringLiteral("Treatment"), 100}, SymbiantBonus{QStringLiteral("Burst"), 30}};
    return symbiant;
}

Q_DECLARE_METATYPE(QList<ludra::PlannedImplant>)

class TstLadder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cases_data();
    void cases();
    void finalLevelsDoNotDependOnTheOrder();
    void trickleDownTakesAStep();
    void cellsTheLadderReaches();
    void specialRecipeStopsEarlier();
    void buildAtTheHighestLevels();
    void buildShowsWhatFitsAndWhatTrickles();
    void aTreatmentSymbiantLiftsTheLadder();
    void buildWithASymbiant();

private:
    QTemporaryDir m_dir;
    ReferenceData m_reference;
};

void TstLadder::initTestCase()
{
    QVERIFY(m_dir.isValid());
    SetBaseDir(m_dir.path());
    writeFile(m_dir.filePath(QStringLiteral("data.csv")), Catalogue);
    writeFile(m_dir.filePath(QStringLiteral("SecSkill.csv")), Recipes);
    writeFile(m_dir.filePath(QStringLiteral("reqprofile.csv")), Profiles);
    writeFile(m_dir.filePath(QStringLiteral("symbiants.csv")), Symbiants);
    QVERIFY(m_reference.loadSkillReq(nullptr));
    QVERIFY(m_reference.loadCatalogue());
    QVERIFY(m_reference.loadSecSkills());
}

void TstLadder::cases_data()
{
    QTest::addColumn<QList<PlannedImplant>>("plan");
    QTest::addColumn<Character>("who");
    QTest::addColumn<int>("top");
    QTest::addColumn<QString>("final");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("unwearable");

    // Alone EYE would stop at 100 (treatment 479); HEAD's 55 Treatment at 100
    // takes it to 111 (531, while 112 needs 535).
    QTest::newRow("a treatment implant lifts another")
        << QList<PlannedImplant>{HeadTreatment, EyeBurst} << character(479) << 300 << "HEAD=100 EYE=111"
        << QStringList{"HEAD 100 479 534 final", "EYE 111 531 534 final"} << "";
    // HEAD first goes on where its 55 costs least (99, not 100), RIGHT HAND
    // at 108 for the 24 it would give at 111; then each takes its final level
    // with the other's bonus: HEAD 105 (502 of 503), RIGHT HAND 112 (535 of
    // 537).
    QTest::newRow("two treatment implants lift each other")
        << QList<PlannedImplant>{HeadTreatment, HandTreatment} << character(479) << 300 << "HEAD=105 RIGHT HAND=112"
        << QStringList{"HEAD 99 474 534 way", "RIGHT HAND 108 516 558 way", "HEAD 105 502 561 final",
                       "RIGHT HAND 112 535 561 final"}
        << "";
    QTest::newRow("too weak for level 1")
        << QList<PlannedImplant>{HeadTreatment, EyeBurst} << character(10) << 300 << "HEAD=0 EYE=0" << QStringList()
        << "HEAD: too weak for level 1; EYE: too weak for level 1";
    // Intelligence 5 is one short of level 1; Strength is plenty.
    QTest::newRow("an ability too weak")
        << QList<PlannedImplant>{HeadTreatment, EyeBurst} << character(479, 5) << 300 << "HEAD=0 EYE=0"
        << QStringList() << "HEAD: too weak for level 1; EYE: too weak for level 1";
    QTest::newRow("no recipe") << QList<PlannedImplant>{EarBurst, EyeBurst} << character(479) << 300
                               << "EAR=0 EYE=100" << QStringList{"EYE 100 479 479 final"} << "EAR: no recipe";
    // 951 wears 200, 1001 would be needed for 201; HEAD's 105 at 200 carries
    // EYE past the jump to 210 (1096, while 211 needs 1107).
    QTest::newRow("the jump at 201")
        << QList<PlannedImplant>{HeadTreatment, EyeBurst} << character(1000) << 300 << "HEAD=200 EYE=210"
        << QStringList{"HEAD 200 951 1105 final", "EYE 210 1096 1105 final"} << "";
    QTest::newRow("the top level") << QList<PlannedImplant>{HeadTreatment, EyeBurst} << character(5000) << 150
                                   << "HEAD=150 EYE=150"
                                   << QStringList{"HEAD 150 715 5080 final", "EYE 150 715 5080 final"} << "";
}

void TstLadder::cases()
{
    QFETCH(QList<PlannedImplant>, plan);
    QFETCH(Character, who);
    QFETCH(int, top);
    QFETCH(QString, final);
    const Ladder ladder = PlanLadder(plan, who, top, m_reference);
    QCOMPARE(finals(ladder), final);
    QTEST(steps(ladder), "steps");
    QTEST(unwearable(ladder), "unwearable");
    QCOMPARE(ladder.topLevel, top);
    // The steps end with every implant at its final level, each step needing
    // no more than the character and the implants worn before it give.
    for (const LadderLevel &level : ladder.finalLevels) {
        const auto last = std::find_if(ladder.steps.crbegin(), ladder.steps.crend(),
                                       [&level](const LadderStep &s) { return s.slot == level.slot; });
        QCOMPARE(last == ladder.steps.crend() ? 0 : last->ql, level.ql);
    }
    // The table shows beside each requirement what the character has for it
    // as the step is taken, never less than the requirement.
    BuildResults results;
    results.setLadder(ladder);
    const QRegularExpression shown(QStringLiteral("^(?:\\w+ )?(\\d+) \\(has (\\d+)\\)$"));
    for (int r = 1; r <= int(ladder.steps.size()); ++r) {
        for (const int column : {LadderCol::Treatment, LadderCol::Ability}) {
            const QRegularExpressionMatch match = shown.match(results.ladderTable().cell(column, r));
            QVERIFY2(match.hasMatch(), qPrintable(results.ladderTable().cell(column, r)));
            QVERIFY(match.captured(2).toLongLong() >= match.captured(1).toLongLong());
        }
    }
}

void TstLadder::finalLevelsDoNotDependOnTheOrder()
{
    const QList<PlannedImplant> plan{HeadTreatment, EyeBurst, HandTreatment, EarBurst};
    QList<PlannedImplant> reversed = plan;
    std::reverse(reversed.begin(), reversed.end());
    const Ladder forward = PlanLadder(plan, character(479), 300, m_reference);
    const Ladder backward = PlanLadder(reversed, character(479), 300, m_reference);
    for (const PlannedImplant &implant : plan)
        QCOMPARE(backward.finalLevel(implant.slot), forward.finalLevel(implant.slot));
    // EYE takes both treatment bonuses at their final levels: 479 + 58 + 24
    // wears 117 (559), not 118 (564).
    QCOMPARE(forward.finalLevel(QStringLiteral("EYE")), 117);
}

// Treatment 700 wears HEAD at 146 (696; 147 needs 701). Its 41 Intelligence
// trickles down: floor((2000 + 20.5) / 4) - floor(2000 / 4) = 5 more
// Treatment, which takes EYE from 146 to 148 (705; 149 needs 710). Without
// trickle-down EYE stays at 146.
void TstLadder::trickleDownTakesAStep()
{
    const QList<PlannedImplant> plan{HeadIntelligence, EyeBurst};
    const Ladder ladder = PlanLadder(plan, character(700), 300, m_reference);
    QCOMPARE(finals(ladder), QStringLiteral("HEAD=146 EYE=148"));
    QCOMPARE(steps(ladder), (QStringList{"HEAD 146 696 705 final", "EYE 148 705 705 final"}));
    QVERIFY(!ladder.steps.at(0).byTrickle);
    QVERIFY(ladder.steps.at(1).byTrickle);
    QCOMPARE(ladder.steps.at(1).trickle, qint64(5));
    BuildResults results;
    results.setLadder(ladder);
    QCOMPARE(results.ladderTable().cell(LadderCol::Note, 2), QStringLiteral("final level, by trickle-down"));

    const Ladder without = PlanLadder(plan, character(700), 300, m_reference, LadderOptions{false, {}});
    QCOMPARE(finals(without), QStringLiteral("HEAD=146 EYE=146"));
    QCOMPARE(steps(without), (QStringList{"HEAD 146 696 700 final", "EYE 146 696 700 final"}));
}

// EYE at 111 needs 531 Treatment, above the character's 479: red on a build
// at that level, but a "Highest I Can Wear" build's ladder reaches it with
// HEAD's Treatment worn first, and the cell says so instead. HEAD's own cell
// needs no more than the character has and stays unmarked.
void TstLadder::cellsTheLadderReaches()
{
    PlanBuild build(m_reference, {HeadTreatment, EyeBurst});
    BuildSettings &settings = build.settings;
    const BuildResults &results = build.results;
    settings.character = character(479);
    settings.target = BuildSettings::Target::Highest;
    QVERIFY(build.run());
    const auto colour = [&](int row) {
        return RequirementCellColor(settings, ReqCol::Treatment, row, results.reqTable().cell(ReqCol::Treatment, row),
                                    results.treatmentTrickle(), results.ladderReaches(row));
    };
    int eye = -1;
    int head = -1;
    for (int r = 1; r < results.reqTable().rowCount(); ++r)
        (results.reqTable().cell(ReqCol::Implant, r).startsWith(QStringLiteral("EYE")) ? eye : head) = r;
    QCOMPARE(results.reqTable().cell(ReqCol::Implant, eye), QStringLiteral("EYE (QL 111)"));
    QVERIFY(results.ladderReaches(eye) && results.ladderReaches(head));
    QCOMPARE(colour(eye), ReqCellColor::Reached);
    QCOMPARE(colour(head), ReqCellColor::Normal);

    // Saved with this build and opened again, the project marks the same
    // cells: the ladder's table comes back, the ladder itself does not.
    PlanBuild opened(m_reference, {});
    ApplyProject(CaptureProject(build.layout, settings, results, ProjectShown{}), m_reference.nanoList(),
                 opened.layout, opened.settings, opened.results);
    QVERIFY(!opened.results.ladder());
    QCOMPARE(opened.results.reqTable().cell(ReqCol::Implant, eye), QStringLiteral("EYE (QL 111)"));
    QVERIFY(opened.results.ladderReaches(eye) && opened.results.ladderReaches(head));

    // The same levels built as one level: no ladder, and the cell is red.
    settings.target = BuildSettings::Target::OneLevel;
    settings.implantQL = EnteredNumber(QStringLiteral("111"));
    QVERIFY(build.run());
    QVERIFY(!results.ladderReaches(eye));
    QCOMPARE(colour(eye), ReqCellColor::Red);
}

// The special recipe needs 700 at 139 (11 + 994 * 138 / 199 = 700.3) and
// 705 at 140, where the formula would let EYE go to 146; the build shows
// the recipe's figures.
void TstLadder::specialRecipeStopsEarlier()
{
    QCOMPARE(finals(PlanLadder({EyeJobe}, character(700), 300, m_reference)), QStringLiteral("EYE=139"));
    QCOMPARE(finals(PlanLadder({EyeBurst}, character(700), 300, m_reference)), QStringLiteral("EYE=146"));

    PlanBuild build(m_reference, {EyeJobe});
    build.settings.implantQL = EnteredNumber(QStringLiteral("139"));
    QVERIFY(build.run());
    // 16 + 448 * 138 / 199 = 326.7.
    QCOMPARE(build.results.reqTable().cell(ReqCol::Treatment, 1), QStringLiteral("700"));
    QCOMPARE(build.results.reqTable().cell(ReqCol::SecondarySkill, 1), QStringLiteral("327  - Strength"));
}

// "Highest I Can Wear": each implant built at its final level; the implants
// that cannot be worn are left out and the log says why.
void TstLadder::buildAtTheHighestLevels()
{
    PlanBuild build(m_reference, {HeadTreatment, EyeBurst, EarBurst});
    BuildSettings &settings = build.settings;
    const BuildResults &results = build.results;
    settings.target = BuildSettings::Target::Highest;
    settings.character = character(479);
    QVERIFY(build.run());
    QVERIFY(build.prompter.asked.isEmpty());
    QCOMPARE(results.reqTable().rowCount(), 3);
    QCOMPARE(results.reqTable().cell(ReqCol::Implant, 1), QStringLiteral("HEAD (QL 100)"));
    QCOMPARE(results.reqTable().cell(ReqCol::Implant, 2), QStringLiteral("EYE (QL 111)"));
    QCOMPARE(results.reqTable().cell(ReqCol::Treatment, 2), QStringLiteral("531"));
    QCOMPARE(results.buildLog(), QStringList{QStringLiteral("Left out - EAR: no recipe")});
    QVERIFY(results.ladder());
    QCOMPARE(results.ladderTable().row(2),
             (QStringList{"2", "EYE", "111", "531 (has 534)", "Strength 226 (has 2000)", "534", "Strength 2000",
                          "final level"}));
    QCOMPARE(results.ladderTable().row(3), (QStringList{"", "EAR", "0", "", "", "", "", "no recipe"}));
    // The settings stay as the user chose them.
    QCOMPARE(settings.target, BuildSettings::Target::Highest);

    settings.target = BuildSettings::Target::OneLevel;
    settings.implantQL = EnteredNumber(QStringLiteral("50"));
    QVERIFY(build.run());
    QVERIFY(!results.ladder());
    QCOMPARE(results.reqTable().cell(ReqCol::Implant, 2), QStringLiteral("EAR (QL 50)"));
}

// At one level of 146: the lowest cluster levels that fit (86 % of 146 is
// 125.56), the lowest implant levels with the same bonuses (HEAD's 41
// Intelligence from 143, EYE's 78 Burst from 145) with the Treatment and
// ability they save, and the trickle-down of HEAD's Intelligence: nothing
// into Burst, 5 into Treatment, which is selected but has no cluster built.
void TstLadder::buildShowsWhatFitsAndWhatTrickles()
{
    PlanBuild build(m_reference, {HeadIntelligence, EyeBurst});
    const BuildResults &results = build.results;
    QCOMPARE(build.layout.skills().selectByName(QStringLiteral("Treatment")), 1);
    build.settings.implantQL = EnteredNumber(QStringLiteral("146"));
    build.settings.character = character(700);
    QVERIFY(build.run());
    const auto later = [&results](int row) { return results.reqTable().row(row).mid(ReqCol::Stored); };
    // 696 - 682 and 296 - 290; 696 - 691 and 296 - 294.
    QCOMPARE(later(1), (QStringList{"126", "143", "14", "6"}));
    QCOMPARE(later(2), (QStringList{"126", "145", "5", "2"}));
    QCOMPARE(results.skillIncTable().row(1), (QStringList{"Intelligence", "41", "1", "0"}));
    QCOMPARE(results.skillIncTable().row(2), (QStringList{"Burst", "78", "1", "0"}));
    QCOMPARE(results.treatmentTrickle(), qint64(5));
    QCOMPARE(results.trickleOnly(), (QList<TrickleOnlySkill>{{QStringLiteral("Treatment"), 5}}));

    QVERIFY(build.run(BuildOptions{.trickleDown = false}));
    QCOMPARE(results.skillIncTable().row(1), (QStringList{"Intelligence", "41", "1", ""}));
    QCOMPARE(results.treatmentTrickle(), qint64(0));
    QVERIFY(results.trickleOnly().isEmpty());
}

QTEST_GUILESS_MAIN(TstLadder)
// Alone EYE stops at 100 (479); the symbiant goes on first (400 of 479) and
// its 100 Treatment takes EYE to 121 (578; 122 needs 583). A character below
// its level, or of another profession, cannot wear it: EYE stays at 100 and
// the ladder says what is missing.
void TstLadder::aTreatmentSymbiantLiftsTheLadder()
{
    Character who = character(479);
    who.level = 150;
    who.profession = int(ProfessionNames().indexOf(QStringLiteral("Fixer")));
    const LadderOptions options{true, {treatmentSymbiant()}};
    const Ladder ladder = PlanLadder({EyeBurst}, who, 300, m_reference, options);
    QCOMPARE(finals(ladder), QStringLiteral("EYE=121 HEAD=150"));
    QCOMPARE(steps(ladder), (QStringList{"HEAD 150 400 579 final", "EYE 121 578 579 final"}));
    QCOMPARE(ladder.steps.at(0).symbiant, QStringLiteral("Test Brain Symbiant (QL 150)"));
    QCOMPARE(ladder.steps.at(0).ability, Stat::Agility);
    QVERIFY(ladder.unwearable.isEmpty());

    Character young = who;
    young.level = 99;
    young.profession = int(ProfessionNames().indexOf(QStringLiteral("Soldier")));
    young.setStat(Stat::Agility, 250);
    const Ladder left = PlanLadder({EyeBurst}, young, 300, m_reference, options);
    QCOMPARE(finals(left), QStringLiteral("EYE=100 HEAD=0"));
    QCOMPARE(unwearable(left),
             QStringLiteral("HEAD: Test Brain Symbiant (QL 150) needs level 100, profession, Agility 300"));
}

// A slot holding a symbiant builds none of its clusters: the symbiant has a
// row of its own after the implants', its bonuses count into the skill
// totals without counting as clusters, and its cells are red where the
// character falls short. Back to the implant, the clusters build again.
void TstLadder::buildWithASymbiant()
{
    PlanBuild build(m_reference, {HeadTreatment, EyeBurst});
    const BuildResults &results = build.results;
    BuildSettings &settings = build.settings;
    settings.implantQL = EnteredNumber(QStringLiteral("100"));
    QVERIFY(build.run());
    QCOMPARE(results.reqTable().rowCount(), 3);
    const QStringList burstAlone = results.skillIncTable().row(2);
    QCOMPARE(burstAlone.at(0), QStringLiteral("Burst"));

    const QString title = treatmentSymbiant().title();
    build.layout.setSymbiant(0, title);
    QVERIFY(build.run());
    // The first build with a symbiant says, once, that a line was skipped.
    const QString notice = QStringLiteral("1 line(s) of \"symbiants.csv\" could not be read and were skipped.");
    QCOMPARE(results.buildLog(), QStringList{notice});
    QCOMPARE(results.reqTable().rowCount(), 3);
    QCOMPARE(results.reqTable().cell(ReqCol::Implant, 1), QStringLiteral("EYE (QL 100)"));
    QCOMPARE(results.reqTable().row(2), (QStringList{title, "", "", "HEAD (QL 150)", "Symbiant", "400",
                                                     "Agility 300, level 100", "", "", "", ""}));
    QCOMPARE(results.symbiantRows().size(), 1);
    // Nothing of it is bought.
    TextTable shopping;
    FillShoppingList(results, shopping);
    QCOMPARE(shopping.rowCount(), 2);
    QCOMPARE(shopping.cell(ReqCol::Implant, 1), QStringLiteral("EYE (QL 100)"));
    QCOMPARE(results.skillIncTable().row(1).mid(0, 3),
             (QStringList{"Burst", QString::number(burstAlone.at(1).toInt() + 30), "1"}));
    QCOMPARE(results.skillIncTable().row(2).mid(0, 3), (QStringList{"Treatment", "100", "0"}));

    // Red where the character falls short: Agility, then the level, then
    // the profession.
    const auto colour = [&](int column) {
        return RequirementCellColor(settings, column, 2, results.reqTable().cell(column, 2));
    };
    settings.character = character(479);
    settings.character.level = 150;
    settings.character.profession = int(ProfessionNames().indexOf(QStringLiteral("Doctor")));
    QVERIFY(build.run());
    QVERIFY(results.buildLog().isEmpty());
    QCOMPARE(colour(ReqCol::SecondarySkill), ReqCellColor::Normal);
    QCOMPARE(colour(ReqCol::Treatment), ReqCellColor::Normal);
    QCOMPARE(colour(ReqCol::Type), ReqCellColor::Normal);
    settings.character.setStat(Stat::Agility, 299);
    QCOMPARE(colour(ReqCol::SecondarySkill), ReqCellColor::Red);
    settings.character.setStat(Stat::Agility, 300);
    settings.character.level = 99;
    QCOMPARE(colour(ReqCol::SecondarySkill), ReqCellColor::Red);
    settings.character.profession = int(ProfessionNames().indexOf(QStringLiteral("Trader")));
    QVERIFY(build.run());
    QCOMPARE(results.reqTable().cell(ReqCol::Type, 2), SymbiantOtherProfession);
    QCOMPARE(colour(ReqCol::Type), ReqCellColor::Red);

    // "Highest I Can Wear" leaves out what the character cannot wear.
    settings.target = BuildSettings::Target::Highest;
    QVERIFY(build.run());
    QVERIFY(results.symbiantRows().isEmpty());
    QVERIFY(results.buildLog().contains(QStringLiteral("Left out - HEAD: ") + title + " needs level 100, profession"));

    // A title the table does not know is said, and the slot builds nothing.
    settings.target = BuildSettings::Target::OneLevel;
    build.layout.setSymbiant(0, QStringLiteral("No Such Symbiant (QL 1)"));
    QVERIFY(build.run());
    QCOMPARE(results.reqTable().rowCount(), 2);
    QVERIFY(results.buildLog().contains(QStringLiteral("Unknown symbiant - HEAD: No Such Symbiant (QL 1)")));

    build.layout.setSymbiant(0, QString());
    QVERIFY(build.run());
    QCOMPARE(results.reqTable().cell(ReqCol::Implant, 1), QStringLiteral("HEAD (QL 100)"));
}

#include "tst_ladder.moc"
