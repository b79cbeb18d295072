// The series behind the graphs: at sample levels they are what a build of
// the same plan at that one level puts in its tables; the layout the user
// sees is read but never switched; the requirements of a recipe with a
// profile of its own, the character's limits with the plan's trickle-down
// and the targets on hand-worked cases; the table and JSON the tool writes
// of them.

#include "build/buildresults.h"
#include "build/buildformulas.h"
#include "build/buildrunner.h"
#include "build/buildsettings.h"
#include "build/series.h"
#include "common/errors.h"
#include "common/paths.h"
#include "common/texttable.h"
#include "data/referencedata.h"
#include "layout/layoutstate.h"
#include "reports/export.h"
#include "stock/stockstate.h"
#include "support/fullplan.h"
#include "support/scriptedprompter.h"
#include "support/testcharacter.h"
#include "support/testfiles.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace ludra;

namespace {

// The leading number of a "Secondary Skill" cell ("426 - Sense").
qint64 leadingNumber(const QString &text)
{
    return text.section(u' ', 0, 0).toLongLong();
}

QString limitsOf(const PlanSeries &series)
{
    QStringList result;
    for (const WearLimit &limit : series.limits)
        result.append(QStringLiteral("%1 %2 %3")
                          .arg(limit.slot)
                          .arg(limit.lastLevel)
                          .arg(limit.lastLevel > 0 && limit.lastLevel < SeriesLastLevel
                                   ? StatNames().at(int(limit.limitedBy))
                                   : QStringLiteral("-")));
    return result.join(QStringLiteral(", "));
}

} // namespace

class TstSeries : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void equalsTheBuild_data();
    void equalsTheBuild();
    void readsTheLayoutWithoutSwitchingIt();
    void duplicatesHoldTheLayout();
    void unknownClusters();
    void wearLimits_data();
    void wearLimits();
    void requirementsByProfile_data();
    void requirementsByProfile();
    void wearLimitsByProfile_data();
    void wearLimitsByProfile();
    void trickleDownMovesWearLimits_data();
    void trickleDownMovesWearLimits();
    void targets_data();
    void targets();
    void ladderBesideWearLimits_data();
    void ladderBesideWearLimits();
    void tableAndJson();

private:
    void place(const QString &slot, int column, const QString &cluster);
    // HEAD with a Treatment cluster, whose bonus lets the ladder take EYE and
    // CHEST past what the character wears on its own.
    void placeLadderPlan();
    // HEAD with a cluster whose recipe keeps the build's formulas, RIGHT ARM
    // with a special cluster whose recipe has a profile of its own.
    void placeSpecialPlan();

    QTemporaryDir m_dir;
    ReferenceData m_reference;
    LayoutState m_layout;
    BuildSettings m_settings;
};

void TstSeries::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // The shipped recipe profiles and trickle-down weights too.
    for (const char *name : {"data.csv", "SecSkill.csv", "require.csv", "reqprofile.csv", "trickle.csv"})
        QVERIFY(QFile::copy(sourceDir() + QStringLiteral("/resources/") + QLatin1String(name),
                            m_dir.filePath(QLatin1String(name))));
    SetBaseDir(m_dir.path());
    QVERIFY(m_reference.loadSkillReq(nullptr));
    QVERIFY(m_reference.loadCatalogue());
    QVERIFY(m_reference.loadSecSkills());
    QVERIFY(m_reference.loadRequirements());
    QVERIFY(m_reference.requirementProfiles().count() > 1000);
}

void TstSeries::init()
{
    m_layout.resetForProject();
    m_layout.setCatalogue(m_reference.nanoList());
    m_layout.setNames(LayoutNames::ClusterNames);
    m_settings.reset();
}

void TstSeries::place(const QString &slot, int column, const QString &cluster)
{
    m_layout.editCell(column, int(m_reference.bodySlots().indexOf(slot)) + 1, cluster);
}

void TstSeries::equalsTheBuild_data()
{
    QTest::addColumn<bool>("individual");
    QTest::addColumn<bool>("character");
    QTest::addColumn<int>("level");
    for (const int level : {1, 200, 201, 300}) {
        QTest::addRow("one level, QL %d", level) << false << false << level;
        QTest::addRow("HEAD and CHEST alone, QL %d", level) << true << false << level;
        QTest::addRow("with a character, QL %d", level) << false << true << level;
    }
}

// The highest treatment and secondary-skill requirements among the build's
// requirement rows (each by its implant's recipe) are the series' ones, its
// highest "Skill Req" is the series' nano-programming requirement, and its
// skill table is the skill series, row by row, trickle-down included.
void TstSeries::equalsTheBuild()
{
    QFETCH(bool, individual);
    QFETCH(bool, character);
    QFETCH(int, level);
    const int cells = fillEveryCell(m_layout, m_reference);
    QVERIFY(cells > 30);
    if (character)
        m_settings.character = uniformCharacter(1500, 317);
    if (individual) {
        QList<ImplantSelection> selections(m_reference.bodySlots().size());
        selections[m_reference.bodySlots().indexOf(QStringLiteral("HEAD"))] = {true,
                                                                               EnteredNumber(QStringLiteral("50"))};
        selections[m_reference.bodySlots().indexOf(QStringLiteral("CHEST"))] = {true,
                                                                                EnteredNumber(QStringLiteral("120"))};
        m_settings.target = BuildSettings::Target::Individual;
        m_layout.setImplantSelections(selections);
    }
    const PlanSeries series = ComputeSeries(m_layout, m_settings, m_reference);
    QCOMPARE(series.treatment.values.size(), SeriesLevelCount);

    // The build at the one level, over the same implants.
    BuildSettings atLevel = m_settings;
    if (individual) {
        QList<ImplantSelection> selections = m_layout.plan().implantSelections;
        for (ImplantSelection &selection : selections)
            if (selection.selected)
                selection.qualityLevel = EnteredNumber(QString::number(level));
        m_layout.setImplantSelections(selections);
    } else {
        atLevel.implantQL = EnteredNumber(QString::number(level));
    }
    BuildResults results;
    StockState stock;
    ScriptedPrompter prompter;
    BuildRunner runner(m_reference, m_layout, atLevel, results, stock, prompter);
    QVERIFY(runner.run());
    QVERIFY(prompter.asked.isEmpty());

    const TextTable &req = results.reqTable();
    QCOMPARE(req.rowCount() - 1, individual ? 6 : cells);
    qint64 highest = 0;
    qint64 treatment = 0;
    qint64 ability = 0;
    for (int r = 1; r < req.rowCount(); ++r) {
        treatment = std::max(treatment, req.cell(ReqCol::Treatment, r).toLongLong());
        ability = std::max(ability, leadingNumber(req.cell(ReqCol::SecondarySkill, r)));
        highest = std::max(highest, req.cell(ReqCol::SkillReq, r).toLongLong());
    }
    QVERIFY(highest > 0);
    QCOMPARE(series.treatment.at(level), treatment);
    QCOMPARE(series.ability.at(level), ability);
    QCOMPARE(series.nanoProgramming.at(level), highest);

    const TextTable &skills = results.skillIncTable();
    QCOMPARE(int(series.skills.size()), skills.rowCount() - 1);
    QCOMPARE(series.skillTrickle.size(), series.skills.size());
    qint64 trickle = 0;
    for (int r = 1; r < skills.rowCount(); ++r) {
        QCOMPARE(series.skills.at(r - 1).name, skills.cell(SkillCol::Skill, r));
        QCOMPARE(series.skills.at(r - 1).at(level), skills.cell(SkillCol::Increase, r).toLongLong());
        QCOMPARE(series.skillTrickle.at(r - 1).name, series.skills.at(r - 1).name);
        QCOMPARE(series.skillTrickle.at(r - 1).at(level), skills.cell(SkillCol::TrickleDown, r).toLongLong());
        trickle += series.skillTrickle.at(r - 1).at(level);
    }
    if (!individual) {
        // The full plan's abilities feed some of its skills, and it holds
        // special clusters, whose recipes need more up to 200.
        if (level >= 200)
            QVERIFY(trickle > 0);
        QCOMPARE(series.treatment.at(200), 1005);
    }
}

// A layout shown by skill with skill names is read as the build reads it,
// and stays as it was shown.
void TstSeries::readsTheLayoutWithoutSwitchingIt()
{
    fillEveryCell(m_layout, m_reference);
    const PlanSeries byBody = ComputeSeries(m_layout, m_settings, m_reference);
    QVERIFY(m_layout.setNames(LayoutNames::SkillNames));
    QVERIFY(m_layout.setView(LayoutView::SkillSet));
    const QStringList shownRow = m_layout.table().row(3);
    const int shownRows = m_layout.table().rowCount();

    const PlanSeries bySkill = ComputeSeries(m_layout, m_settings, m_reference);
    QCOMPARE(m_layout.currentView(), LayoutView::SkillSet);
    QCOMPARE(m_layout.names(), LayoutNames::SkillNames);
    QCOMPARE(m_layout.table().rowCount(), shownRows);
    QCOMPARE(m_layout.table().row(3), shownRow);
    QCOMPARE(bySkill.nanoProgramming.values, byBody.nanoProgramming.values);
    QCOMPARE(bySkill.skills.size(), byBody.skills.size());
    for (int i = 0; i < int(byBody.skills.size()); ++i) {
        QCOMPARE(bySkill.skills.at(i).name, byBody.skills.at(i).name);
        QCOMPARE(bySkill.skills.at(i).values, byBody.skills.at(i).values);
    }
}

void TstSeries::duplicatesHoldTheLayout()
{
    fillEveryCell(m_layout, m_reference);
    QVERIFY(m_layout.setView(LayoutView::SkillSet));
    // Two rows of the Shining column claiming the same slot.
    const QString slot = m_layout.table().cell(1, 1).isEmpty() ? QStringLiteral("HEAD") : m_layout.table().cell(1, 1);
    m_layout.editCell(1, 1, slot);
    int other = 2;
    while (other < m_layout.table().rowCount() && m_layout.table().cell(1, other) == slot)
        ++other;
    QVERIFY(m_layout.editCell(1, other, slot));
    QVERIFY_THROWS_EXCEPTION(Exception, ComputeSeries(m_layout, m_settings, m_reference));
    QCOMPARE(m_layout.currentView(), LayoutView::SkillSet);
}

// A cluster the catalogue does not know counts as a build counts it: an
// increase of 2 in a row without a skill, which the next skill takes over
// while it is the only row; the nano-programming requirement is 0.
void TstSeries::unknownClusters()
{
    place(QStringLiteral("HEAD"), 1, QStringLiteral("No Such Cluster"));
    PlanSeries series = ComputeSeries(m_layout, m_settings, m_reference);
    QCOMPARE(series.skills.size(), 1);
    QCOMPARE(series.skills.first().name, QStringLiteral("(unknown skill)"));
    QCOMPARE(series.skills.first().at(150), 2);
    QCOMPARE(series.nanoProgramming.at(300), 0);

    place(QStringLiteral("LEG"), 1, QStringLiteral("Agility"));
    series = ComputeSeries(m_layout, m_settings, m_reference);
    QCOMPARE(series.skills.size(), 1);
    QCOMPARE(series.skills.first().name, QStringLiteral("Agility"));
    QVERIFY(series.nanoProgramming.at(300) > 0);

    // An empty layout: no skill lines, the requirements all the same.
    init();
    series = ComputeSeries(m_layout, m_settings, m_reference);
    QVERIFY(series.skills.isEmpty());
    QCOMPARE(series.treatment.at(201), 1001);
    QCOMPARE(series.ability.at(200), 404);
    QCOMPARE(series.nanoProgramming.at(1), 0);
}

void TstSeries::wearLimits_data()
{
    QTest::addColumn<qint64>("treatment");
    QTest::addColumn<qint64>("abilities");
    QTest::addColumn<QString>("limits");
    // Treatment 951 wears 200; 201 needs 1001.
    QTest::newRow("treatment ends at the jump") << qint64(951) << qint64(2000) << "HEAD 200 Treatment, RIGHT ARM 200 Treatment";
    // Ability 404 wears 200; 201 needs 426.
    QTest::newRow("an ability ends at the jump") << qint64(3000) << qint64(404) << "HEAD 200 Agility, RIGHT ARM 200 Sense";
    // Treatment 479 wears 100 (480 would need 101: 483).
    QTest::newRow("treatment at 100") << qint64(479) << qint64(2000) << "HEAD 100 Treatment, RIGHT ARM 100 Treatment";
    QTest::newRow("every level") << qint64(2051) << qint64(1095) << "HEAD 300 -, RIGHT ARM 300 -";
    QTest::newRow("not even level 1") << qint64(10) << qint64(2000) << "HEAD 0 -, RIGHT ARM 0 -";
}

void TstSeries::wearLimits()
{
    QFETCH(qint64, treatment);
    QFETCH(qint64, abilities);
    // Implants whose recipes need Agility and Sense.
    place(QStringLiteral("HEAD"), 1, QStringLiteral("Nano Progra"));
    place(QStringLiteral("RIGHT ARM"), 1, QStringLiteral("Burst"));
    PlanSeries series = ComputeSeries(m_layout, m_settings, m_reference);
    QVERIFY(series.character.isEmpty());
    QVERIFY(series.limits.isEmpty());

    m_settings.character = uniformCharacter(treatment, abilities);
    series = ComputeSeries(m_layout, m_settings, m_reference);
    QTEST(limitsOf(series), "limits");
    // The character's Treatment and the two abilities, in stat order.
    QCOMPARE(series.character.size(), 3);
    QCOMPARE(series.character.at(0).stat, Stat::Treatment);
    QCOMPARE(series.character.at(0).value, treatment);
    QCOMPARE(series.character.at(0).name, QStringLiteral("Character's Treatment"));
    QCOMPARE(series.character.at(1).stat, Stat::Agility);
    QCOMPARE(series.character.at(2).stat, Stat::Sense);
}

void TstSeries::placeSpecialPlan()
{
    place(QStringLiteral("HEAD"), 1, QStringLiteral("Nano Progra"));
    // Heavy Weapons and % Add All Off Jobe: Sense; Treatment 11, 1005, 1001,
    // 2051 and Sense 16, 464, 476, 1231 at levels 1, 200, 201 and 300.
    place(QStringLiteral("RIGHT ARM"), 1, QStringLiteral("Heavy Weapons"));
    place(QStringLiteral("RIGHT ARM"), 2, QStringLiteral("% Add All Off Jobe"));
}

void TstSeries::requirementsByProfile_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<qint64>("treatment");
    QTest::addColumn<qint64>("ability");
    QTest::newRow("QL 1") << 1 << qint64(11) << qint64(16);
    // 11 + 994 x 99 / 199 = 505.50; 16 + 448 x 99 / 199 = 238.87.
    QTest::newRow("QL 100") << 100 << qint64(506) << qint64(239);
    QTest::newRow("QL 200") << 200 << qint64(1005) << qint64(464);
    QTest::newRow("QL 201") << 201 << qint64(1001) << qint64(476);
    QTest::newRow("QL 300") << 300 << qint64(2051) << qint64(1231);
}

// A plan holding a special cluster needs what its recipe's profile needs,
// above the build's formulas; without it the formulas stand.
void TstSeries::requirementsByProfile()
{
    QFETCH(int, level);
    place(QStringLiteral("HEAD"), 1, QStringLiteral("Nano Progra"));
    PlanSeries series = ComputeSeries(m_layout, m_settings, m_reference);
    QCOMPARE(series.treatment.at(level), TreatmentReq(level));
    QCOMPARE(series.ability.at(level), SecondarySkillReq(level));

    placeSpecialPlan();
    series = ComputeSeries(m_layout, m_settings, m_reference);
    QTEST(series.treatment.at(level), "treatment");
    QTEST(series.ability.at(level), "ability");
}

void TstSeries::wearLimitsByProfile_data()
{
    QTest::addColumn<qint64>("treatment");
    QTest::addColumn<qint64>("abilities");
    QTest::addColumn<QString>("limits");
    // The profile needs 1000 at 199 and 1005 at 200; the formulas 951 at 200.
    QTest::newRow("treatment") << qint64(1000) << qint64(2000) << "HEAD 200 Treatment, RIGHT ARM 199 Treatment";
    // Sense 421 at 181 by the profile; Agility 404 at 200, 426 at 201.
    QTest::newRow("ability") << qint64(3000) << qint64(420) << "HEAD 200 Agility, RIGHT ARM 180 Sense";
    // The profile needs less at 201 (1001) than at 200 (1005): the last
    // level the character meets counts.
    QTest::newRow("past the profile's 200")
        << qint64(1003) << qint64(2000) << "HEAD 201 Treatment, RIGHT ARM 201 Treatment";
}

void TstSeries::wearLimitsByProfile()
{
    QFETCH(qint64, treatment);
    QFETCH(qint64, abilities);
    placeSpecialPlan();
    m_settings.character = uniformCharacter(treatment, abilities);
    QTEST(limitsOf(ComputeSeries(m_layout, m_settings, m_reference)), "limits");
}

void TstSeries::trickleDownMovesWearLimits_data()
{
    QTest::addColumn<QString>("head");
    QTest::addColumn<QString>("limits");
    QTest::addColumn<QList<int>>("ladder");  // HEAD, RIGHT ARM
    // Treatment 940 alone wears 197 (937); 198 needs 941.
    const QString alone = QStringLiteral("HEAD 197 Treatment, RIGHT ARM 197 Treatment");
    QTest::newRow("no ability") << "Nano Progra" << alone << QList<int>{197, 197};
    // A Shining Intelligence cluster gives 54 at 198 and 55 at 199 and 200:
    // half of it trickles into Treatment, over 4, so 6 on top of 940: 199
    // (946), not 200 (951). On the ladder HEAD goes on at 197 first, its 53
    // Intelligence giving 6, and so RIGHT ARM at 199.
    QTest::newRow("an Intelligence cluster") << "Intelligence" << "HEAD 199 Treatment, RIGHT ARM 199 Treatment"
                                             << QList<int>{197, 199};
}

// What the abilities of the plan's implants add to Treatment through
// trickle-down at each level counts for every implant of the plan.
void TstSeries::trickleDownMovesWearLimits()
{
    QFETCH(QString, head);
    place(QStringLiteral("HEAD"), 1, head);
    place(QStringLiteral("RIGHT ARM"), 1, QStringLiteral("Burst"));
    m_settings.character = uniformCharacter(940, 2000);
    m_settings.target = BuildSettings::Target::Highest;
    const PlanSeries series = ComputeSeries(m_layout, m_settings, m_reference);
    QTEST(limitsOf(series), "limits");
    // Nothing on the Character's line or in the table moves.
    QCOMPARE(series.character.at(0).value, 940);
    const auto ladderLevels = [](const PlanSeries &s) {
        QList<int> levels;
        for (const WearLimit &limit : s.limits)
            levels.append(limit.ladderLevel.value_or(-1));
        return levels;
    };
    QTEST(ladderLevels(series), "ladder");

    // Without trickle-down, the character's Treatment is all there is, on
    // the ladder too.
    const PlanSeries untrickled = ComputeSeries(m_layout, m_settings, m_reference, false);
    QCOMPARE(limitsOf(untrickled), QStringLiteral("HEAD 197 Treatment, RIGHT ARM 197 Treatment"));
    QCOMPARE(ladderLevels(untrickled), (QList<int>{197, 197}));
    for (const SeriesLine &line : untrickled.skillTrickle)
        QVERIFY(std::all_of(line.values.cbegin(), line.values.cend(), [](qint64 v) { return v == 0; }));
}

void TstSeries::targets_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("targets");
    using T = BuildSettings::Target;
    QTest::newRow("one level") << int(T::OneLevel) << "150" << QList<int>{150};
    QTest::newRow("one level beyond the levels") << int(T::OneLevel) << "301" << QList<int>{};
    QTest::newRow("one level no number") << int(T::OneLevel) << "" << QList<int>{};
    // Only the selected slots' levels, each once.
    QTest::newRow("individual") << int(T::Individual) << "" << QList<int>{80, 210};
    // Treatment 479 wears HEAD at 100, whose Treatment bonus takes EYE and
    // CHEST to 111: the ladder's final levels.
    QTest::newRow("highest") << int(T::Highest) << "" << QList<int>{100, 111};
}

void TstSeries::placeLadderPlan()
{
    place(QStringLiteral("HEAD"), 1, QStringLiteral("Treatment"));
    place(QStringLiteral("EYE"), 1, QStringLiteral("Aimed Shot"));
    place(QStringLiteral("CHEST"), 1, QStringLiteral("Body Dev"));
}

void TstSeries::targets()
{
    QFETCH(int, target);
    QFETCH(QString, text);
    placeLadderPlan();
    m_settings.target = BuildSettings::Target(target);
    m_settings.implantQL = EnteredNumber(text);
    QList<ImplantSelection> selections(m_reference.bodySlots().size());
    for (const auto &[slot, level] : {std::pair{"HEAD", "210"}, {"EYE", "80"}, {"CHEST", "210"}, {"LEG", "5"}})
        selections[m_reference.bodySlots().indexOf(QLatin1String(slot))] = {true, EnteredNumber(QLatin1String(level))};
    m_layout.setImplantSelections(selections);
    m_settings.character = uniformCharacter(479, 2000);
    QTEST(ComputeSeries(m_layout, m_settings, m_reference).targets, "targets");
}

void TstSeries::ladderBesideWearLimits_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("limits");
    QTest::addColumn<QStringList>("header");
    QTest::addColumn<QStringList>("eye");
    using T = BuildSettings::Target;
    const QStringList own{"Implant", "Ability", "Last Wearable QL", "Limited By"};
    // Treatment 479 wears every implant to 100 on its own; the ladder puts
    // HEAD on at 100 and its Treatment bonus takes CHEST and EYE to 111.
    QTest::newRow("highest") << int(T::Highest) << "HEAD 100/100, CHEST 100/111, EYE 100/111"
                             << (own + QStringList{"Ladder Final QL"})
                             << QStringList{"EYE", "Agility", "100", "Treatment", "111"};
    QTest::newRow("one level: no ladder") << int(T::OneLevel) << "HEAD 100/-, CHEST 100/-, EYE 100/-" << own
                                          << QStringList{"EYE", "Agility", "100", "Treatment"};
}

// With "Highest I Can Wear" every wear limit carries the ladder's final level
// of its implant, in the table and the JSON too.
void TstSeries::ladderBesideWearLimits()
{
    QFETCH(int, target);
    placeLadderPlan();
    m_settings.target = BuildSettings::Target(target);
    m_settings.character = uniformCharacter(479, 2000);
    const PlanSeries series = ComputeSeries(m_layout, m_settings, m_reference);
    QStringList limits;
    for (const WearLimit &limit : series.limits)
        limits.append(QStringLiteral("%1 %2/%3")
                          .arg(limit.slot)
                          .arg(limit.lastLevel)
                          .arg(limit.ladderLevel ? QString::number(*limit.ladderLevel) : QStringLiteral("-")));
    QTEST(limits.join(QStringLiteral(", ")), "limits");

    TextTable table;
    FillWearLimitTable(series, table);
    QTEST(table.row(0), "header");
    QTEST(table.row(3), "eye");
    const QJsonObject eye = SeriesJson(series).value("limits").toArray().at(2).toObject();
    QCOMPARE(eye.value("ladderLevel").toInt(-1), target == int(BuildSettings::Target::Highest) ? 111 : -1);
}

// One row per level under "QL" and every line's name, and the same numbers
// in JSON.
void TstSeries::tableAndJson()
{
    place(QStringLiteral("HEAD"), 1, QStringLiteral("Nano Progra"));
    place(QStringLiteral("RIGHT ARM"), 1, QStringLiteral("Burst"));
    m_settings.character = uniformCharacter(951, 500);
    m_settings.warnNanoProg = true;
    m_settings.maxNanoProg = EnteredNumber(QStringLiteral("700"));
    const PlanSeries series = ComputeSeries(m_layout, m_settings, m_reference);
    QCOMPARE(series.nanoProgMax, std::optional<qint64>(700));

    TextTable table;
    FillSeriesTable(series, table);
    QCOMPARE(table.rowCount(), SeriesLevelCount + 1);
    QCOMPARE(table.row(0), (QStringList{"QL", "Treatment", "Secondary Skill", "Highest Nano Programming",
                                        "Nano Programming maximum", "Character's Treatment",
                                        "Character's Agility", "Character's Sense", "Nano Programming Bonus",
                                        "Burst Bonus"}));
    QCOMPARE(table.row(201).mid(0, 3), (QStringList{"201", "1001", "426"}));
    QCOMPARE(table.cell(5, 300), QStringLiteral("951"));
    QCOMPARE(table.cell(8, 300), QString::number(series.skills.at(0).at(300)));

    TextTable limits;
    FillWearLimitTable(series, limits);
    QCOMPARE(limits.rowCount(), 3);
    QCOMPARE(limits.row(1), (QStringList{"HEAD", "Agility", "200", "Treatment"}));

    const QJsonObject json = SeriesJson(series);
    QCOMPARE(json.value("levels").toArray().size(), SeriesLevelCount);
    const QJsonArray requirements = json.value("requirements").toArray();
    QCOMPARE(requirements.size(), 3);
    QCOMPARE(requirements.at(0).toObject().value("values").toArray().at(200).toInteger(), 1001);
    QCOMPARE(json.value("skills").toArray().at(1).toObject().value("name").toString(), QStringLiteral("Burst"));
    QCOMPARE(json.value("limits").toArray().at(1).toObject().value("limitedBy").toString(), QStringLiteral("Treatment"));
    QCOMPARE(json.value("nanoProgMax").toInteger(), 700);
    QCOMPARE(json.value("targets").toArray(), QJsonArray{1});
}

QTEST_GUILESS_MAIN(TstSeries)
#include "tst_series.moc"
