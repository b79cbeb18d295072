// The symbiants each slot of a plan could hold, on a hand-made catalogue and
// symbiant file: what the character can wear with the rest of the plan on,
// and what each gives the selected skills over what the slot gives now.
//
// With the build's formulas a Shining cluster of category 1 gives
// round(99 / 199 * (Q - 1)) + 6: 55 at level 100, 105 at 200; an implant of
// level Q needs Treatment (Q - 1) * 4.723 + 11, 951 at 200 (1001 at 201).

#include "build/buildsettings.h"
#include "build/symbiantfinder.h"
#include "common/paths.h"
#include "common/texttable.h"
#include "data/referencedata.h"
#include "layout/layoutstate.h"
#include "support/testcharacter.h"
#include "support/testfiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace ludra;

namespace {

// Treat Clu raises Treatment in a HEAD (Shining), Burst Clu raises Burst in
// an EYE (Shining); both implants are recipes.
const QByteArray Catalogue = "Treat Clu,Treatment,HEAD,EYE,RIGHT HAND,1\r\n"
                             "Burst Clu,Burst,EYE,EAR,HEAD,1\r\n";
const QByteArray Recipes = "Intelligence,Empty,Empty,Treat Clu\r\n"
                           "Strength,Empty,Empty,Burst Clu\r\n";
// Eye Best needs more Treatment than the character has alone; Eye Old a
// higher level, Eye Fixer another profession, Eye Agile more Agility, Eye
// Far more Treatment than even the plan gives.
const QByteArray Symbiants = "Name,Slot,QL,Unit,Treatment,Level,Strength,Agility,Stamina,Intelligence,Psychic,Sense,"
                             "Professions,Bonuses\r\n"
                             "Eye Good,EYE,100,Support,500,50,0,0,0,0,0,0,,Burst=120\r\n"
                             "Eye Best,EYE,200,Support,1050,100,0,0,0,0,0,0,Doctor;Fixer,Burst=150\r\n"
                             "Eye Tie,EYE,110,Support,400,50,0,0,0,0,0,100,,Burst=120\r\n"
                             "Eye Cheap,EYE,90,Support,300,50,0,0,0,0,0,0,,Burst=120\r\n"
                             "Eye Old,EYE,150,Support,400,200,0,0,0,0,0,0,,Burst=300\r\n"
                             "Eye Fixer,EYE,150,Support,400,50,0,0,0,0,0,0,Fixer,Burst=300\r\n"
                             "Eye Agile,EYE,150,Support,400,50,0,2500,0,0,0,0,,Burst=300\r\n"
                             "Eye Far,EYE,150,Support,1200,50,0,0,0,0,0,0,,Burst=300\r\n"
                             "Head Brain,HEAD,100,Support,900,50,0,0,0,0,0,0,,Treatment=50;Burst=10\r\n";

constexpr int Head = 0;
constexpr int Eye = 3;

// Treatment 1000, every ability 2000, level 150, a Doctor.
Character doctor()
{
    Character who = uniformCharacter(1000, 2000);
    who.level = 150;
    who.profession = int(ProfessionNames().indexOf(QStringLiteral("Doctor")));
    return who;
}

// Each choice of a slot as "NAME TOTAL", the current one marked.
QStringList ranked(const SymbiantFinding &finding, int slot)
{
    QStringList result;
    for (const SymbiantChoice &choice : finding.bySlot[std::size_t(slot)])
        result.append(choice.symbiant.name + (choice.current ? QStringLiteral("*") : QString()) + u' ' +
                      QString::number(choice.total));
    return result;
}

} // namespace

class TstSymbiantFinder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void ranking_data();
    void ranking();
    void gainsPerSkillAgainstTheImplant();
    void table();

private:
    // A plan of HEAD Treat Clu (unless withoutHead) and EYE Burst Clu, Burst
    // selected.
    void makePlan(LayoutState &layout, bool withHead = true) const;

    QTemporaryDir m_dir;
    ReferenceData m_reference;
};

void TstSymbiantFinder::initTestCase()
{
    QVERIFY(m_dir.isValid());
    SetBaseDir(m_dir.path());
    writeFile(m_dir.filePath(QStringLiteral("data.csv")), Catalogue);
    writeFile(m_dir.filePath(QStringLiteral("SecSkill.csv")), Recipes);
    writeFile(m_dir.filePath(QStringLiteral("symbiants.csv")), Symbiants);
    QVERIFY(m_reference.loadSkillReq(nullptr));
    QVERIFY(m_reference.loadCatalogue());
    QVERIFY(m_reference.loadSecSkills());
    QVERIFY(m_reference.symbiants());
    QCOMPARE(m_reference.symbiants()->all().size(), 9);
}

void TstSymbiantFinder::makePlan(LayoutState &layout, bool withHead) const
{
    layout.setCatalogue(m_reference.nanoList());
    layout.setNames(LayoutNames::ClusterNames);
    layout.skills().assignAvailable(m_reference.skillEntries());
    if (withHead)
        layout.editCell(1, Head + 1, QStringLiteral("Treat Clu"));
    layout.editCell(1, Eye + 1, QStringLiteral("Burst Clu"));
    QVERIFY(layout.skills().selectNamed(QStringLiteral("Burst")));
}

void TstSymbiantFinder::ranking_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("topLevel");
    QTest::addColumn<bool>("withHead");
    QTest::addColumn<bool>("withCharacter");
    QTest::addColumn<QString>("eyeHolds");
    QTest::addColumn<QStringList>("eye");

    const int one = int(BuildSettings::Target::OneLevel);
    const int individual = int(BuildSettings::Target::Individual);
    const int highest = int(BuildSettings::Target::Highest);
    // EYE's implant gives Burst 105 at 200. Eye Best needs Treatment 1050:
    // the character's 1000 and HEAD's 105 at 200. Ties go to no ability
    // needed before one, then to the lower Treatment.
    QTest::newRow("one level") << one << 300 << true << true << QString()
                               << QStringList{"Eye Best 45", "Eye Cheap 15", "Eye Good 15", "Eye Tie 15"};
    // EYE's implant at the selection's 100 gives 55.
    QTest::newRow("the implant selection's level")
        << individual << 300 << true << true << QString()
        << QStringList{"Eye Best 95", "Eye Cheap 65", "Eye Good 65", "Eye Tie 65"};
    // Up to level 100 EYE's implant gives 55, HEAD's 55 Treatment still
    // makes 1055 for Eye Best.
    QTest::newRow("highest at the ladder's levels")
        << highest << 100 << true << true << QString()
        << QStringList{"Eye Best 95", "Eye Cheap 65", "Eye Good 65", "Eye Tie 65"};
    // Without HEAD's Treatment the character's 1000 fall short of Eye Best.
    QTest::newRow("without another implant's Treatment")
        << one << 300 << false << true << QString() << QStringList{"Eye Cheap 15", "Eye Good 15", "Eye Tie 15"};
    // Held, Eye Good is what the others are compared with; its implant's
    // Burst no longer counts.
    QTest::newRow("the slot holds a symbiant") << one << 300 << true << true << QStringLiteral("Eye Good (QL 100)")
                                               << QStringList{"Eye Best 30", "Eye Cheap 0", "Eye Good* 0", "Eye Tie 0"};
    // Nothing judged: every EYE symbiant, Burst 300 less the implant's 105
    // first.
    QTest::newRow("no character") << one << 300 << true << false << QString()
                                  << QStringList{"Eye Fixer 195", "Eye Old 195",  "Eye Far 195", "Eye Agile 195",
                                                 "Eye Best 45",   "Eye Cheap 15", "Eye Good 15", "Eye Tie 15"};
}

void TstSymbiantFinder::ranking()
{
    QFETCH(int, target);
    QFETCH(int, topLevel);
    QFETCH(bool, withHead);
    QFETCH(bool, withCharacter);
    QFETCH(QString, eyeHolds);
    QFETCH(QStringList, eye);

    LayoutState layout;
    makePlan(layout, withHead);
    QList<ImplantSelection> selections(BodySlotCount);
    selections[Eye] = ImplantSelection{true, EnteredNumber(QStringLiteral("100"))};
    selections[Head] = ImplantSelection{true, EnteredNumber(QStringLiteral("100"))};
    layout.setImplantSelections(selections);
    if (!eyeHolds.isEmpty())
        layout.setSymbiant(Eye, eyeHolds);
    BuildSettings settings;
    settings.target = BuildSettings::Target(target);
    settings.implantQL = EnteredNumber(QStringLiteral("200"));
    settings.ladderTopLevel = topLevel;
    if (withCharacter)
        settings.character = doctor();

    const SymbiantFinding finding = FindSymbiants(layout, settings, m_reference, *m_reference.symbiants());
    QCOMPARE(finding.judged, withCharacter);
    QCOMPARE(finding.skills, QStringList{QStringLiteral("Burst")});
    QCOMPARE(ranked(finding, Eye), eye);
    // Slots without a symbiant of their own have no rows.
    QVERIFY(finding.bySlot[std::size_t(Eye + 1)].isEmpty());
}

// With Treatment selected too, HEAD's symbiant is weighed against what its
// implant gives each skill: Treatment 105 at 200 against 50, Burst nothing
// against 10.
void TstSymbiantFinder::gainsPerSkillAgainstTheImplant()
{
    LayoutState layout;
    makePlan(layout);
    QVERIFY(layout.skills().selectNamed(QStringLiteral("Treatment")));
    BuildSettings settings;
    settings.implantQL = EnteredNumber(QStringLiteral("200"));
    settings.character = doctor();

    const SymbiantFinding finding = FindSymbiants(layout, settings, m_reference, *m_reference.symbiants());
    QCOMPARE(finding.skills, (QStringList{QStringLiteral("Burst"), QStringLiteral("Treatment")}));
    QCOMPARE(ranked(finding, Head), QStringList{QStringLiteral("Head Brain -45")});
    QCOMPARE(finding.bySlot[Head].first().gains, (QList<qint64>{10, -55}));
    // EYE's implant gives no Treatment: a symbiant's 0 there is no loss.
    QCOMPARE(finding.bySlot[Eye].first().gains, (QList<qint64>{45, 0}));
}

void TstSymbiantFinder::table()
{
    LayoutState layout;
    makePlan(layout);
    BuildSettings settings;
    settings.implantQL = EnteredNumber(QStringLiteral("200"));
    settings.character = doctor();
    const SymbiantFinding finding = FindSymbiants(layout, settings, m_reference, *m_reference.symbiants());

    TextTable table;
    const QList<std::pair<int, int>> rows = FillSymbiantTable(finding, table);
    QCOMPARE(table.row(0), (QStringList{"Slot", "Symbiant", "QL", "Total Gain", "Burst",
                                        "Treatment Needed", "Level Needed", "Abilities Needed", "Professions"}));
    // HEAD's one symbiant, then EYE's four.
    QCOMPARE(table.rowCount(), 6);
    QCOMPARE(table.row(1), (QStringList{"HEAD", "Head Brain", "100", "+10", "+10", "900", "50", "", "Any"}));
    QCOMPARE(table.row(2), (QStringList{"EYE", "Eye Best", "200", "+45", "+45", "1050", "100", "", "Doctor, Fixer"}));
    QCOMPARE(table.row(5), (QStringList{"EYE", "Eye Tie", "110", "+15", "+15", "400", "50", "Sense 100", "Any"}));
    QCOMPARE(rows.size(), 5);
    QCOMPARE(rows.at(1), std::make_pair(Eye, 0));

    // One slot alone.
    const QList<std::pair<int, int>> eyeRows = FillSymbiantTable(finding, table, Eye);
    QCOMPARE(eyeRows.size(), 4);
    QCOMPARE(table.cell(SymbiantCol::Name, 1), QStringLiteral("Eye Best"));
    // A slot without a symbiant wearable: one blank row.
    QVERIFY(FillSymbiantTable(finding, table, Eye + 1).isEmpty());
    QCOMPARE(table.rowCount(), 2);
    QCOMPARE(table.cell(SymbiantCol::Name, 1), QString());
}

QTEST_GUILESS_MAIN(TstSymbiantFinder)
#include "tst_symbiantfinder.moc"
