// The series behind the graphs: at sample levels they are what a build of
// the same plan at that one level puts in its tables; the layout the user
// sees is read but never switched; the character's limits and the targets
// on hand-worked cases; the table and JSON the tool writes of them.

#include "build/buildresults.h"
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
    void targets_data();
    void targets();
    void tableAndJson();

private:
    void place(const QString &slot, int column, const QString &cluster);

    QTemporaryDir m_dir;
    ReferenceData m_reference;
    LayoutState m_layout;
    BuildSettings m_settings;
};

void TstSeries::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const char *name : {"data.csv", "SecSkill.csv", "require.csv"})
        QVERIFY(QFile::copy(sourceDir() + QStringLiteral("/resources/") + QLatin1String(name),
                            m_dir.filePath(QLatin1String(name))));
    SetBaseDir(m_dir.path());
    QVERIFY(m_reference.loadSkillReq(nullptr));
    QVERIFY(m_reference.loadCatalogue());
    QVERIFY(m_reference.loadSecSkills());
    QVERIFY(m_reference.loadRequirements());
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
    QTest::addColumn<int>("level");
    for (const int level : {1, 200, 201, 300}) {
        QTest::addRow("one level, QL %d", level) << false << level;
        QTest::addRow("HEAD and CHEST alone, QL %d", level) << true << level;
    }
}

// Every requirement row of the build has the series' treatment and
// secondary-skill requirements, its highest "Skill Req" is the series'
// nano-programming requirement, and its skill table is the skill series,
// row by row.
void TstSeries::equalsTheBuild()
{
    QFETCH(bool, individual);
    QFETCH(int, level);
    const int cells = fillEveryCell(m_layout, m_reference);
    QVERIFY(cells > 30);
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
    for (int r = 1; r < req.rowCount(); ++r) {
        QCOMPARE(req.cell(ReqCol::Treatment, r).toLongLong(), series.treatment.at(level));
        QCOMPARE(leadingNumber(req.cell(ReqCol::SecondarySkill, r)), series.ability.at(level));
        highest = std::max(highest, req.cell(ReqCol::SkillReq, r).toLongLong());
    }
    QVERIFY(highest > 0);
    QCOMPARE(series.nanoProgramming.at(level), highest);

    const TextTable &skills = results.skillIncTable();
    QCOMPARE(int(series.skills.size()), skills.rowCount() - 1);
    for (int r = 1; r < skills.rowCount(); ++r) {
        QCOMPARE(series.skills.at(r - 1).name, skills.cell(SkillCol::Skill, r));
        QCOMPARE(series.skills.at(r - 1).at(level), skills.cell(SkillCol::Increase, r).toLongLong());
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

void TstSeries::targets()
{
    QFETCH(int, target);
    QFETCH(QString, text);
    place(QStringLiteral("HEAD"), 1, QStringLiteral("Treatment"));
    place(QStringLiteral("EYE"), 1, QStringLiteral("Aimed Shot"));
    place(QStringLiteral("CHEST"), 1, QStringLiteral("Body Dev"));
    m_settings.target = BuildSettings::Target(target);
    m_settings.implantQL = EnteredNumber(text);
    QList<ImplantSelection> selections(m_reference.bodySlots().size());
    for (const auto &[slot, level] : {std::pair{"HEAD", "210"}, {"EYE", "80"}, {"CHEST", "210"}, {"LEG", "5"}})
        selections[m_reference.bodySlots().indexOf(QLatin1String(slot))] = {true, EnteredNumber(QLatin1String(level))};
    m_layout.setImplantSelections(selections);
    m_settings.character = uniformCharacter(479, 2000);
    QTEST(ComputeSeries(m_layout, m_settings, m_reference).targets, "targets");
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
                                        "Character's Agility", "Character's Sense", "Nano Programming", "Burst"}));
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
