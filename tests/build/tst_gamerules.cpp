// The game's rules beyond the build's formulas, on hand-worked cases: the
// trickle-down of abilities into skills and its file, the cluster levels that
// fit an implant, the lowest level with the same bonus, and the requirements
// of recipes with a profile of their own.

#include "build/buildformulas.h"
#include "build/implantrules.h"
#include "common/paths.h"
#include "data/gamerules.h"
#include "data/skillreq.h"
#include "support/testfiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace ludra;

namespace {

Stats stats(qint64 strength, qint64 agility, qint64 stamina, qint64 intelligence, qint64 psychic, qint64 sense)
{
    return Stats{0, strength, agility, stamina, intelligence, psychic, sense};
}

// The special recipe's points as the game's table gives them.
const RequirementProfile Special{{11, 1005, 1001, 2051}, {16, 464, 476, 1231}};

} // namespace

class TstGameRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void trickleOfAnIntelligenceCluster();
    void trickleFile_data();
    void trickleFile();
    void lowestClusterLevel_data();
    void lowestClusterLevel();
    void sameBonusLevel_data();
    void sameBonusLevel();
    void profileRequirements_data();
    void profileRequirements();
    void profileFile();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstGameRules::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    SetBaseDir(m_dir->path());
}

// Treatment is 0.3 Agility + 0.5 Intelligence + 0.2 Sense, over 4: with
// Agility 300, Intelligence 400 and Sense 350 that is floor(360 / 4) = 90; a
// +55 Intelligence cluster makes it floor(387.5 / 4) = 96, six more. Without
// a character the same cluster gives floor(27.5 / 4) = 6 as well, and two
// such clusters floor(55 / 4) = 13, not twice 6.
void TstGameRules::trickleOfAnIntelligenceCluster()
{
    const TrickleTable &table = TrickleTable::builtIn();
    const Stats character = stats(250, 300, 250, 400, 300, 350);
    QCOMPARE(TrickleInto(table, TreatmentSkill(), character, stats(0, 0, 0, 55, 0, 0)), qint64(6));
    QCOMPARE(TrickleInto(table, TreatmentSkill(), Stats{}, stats(0, 0, 0, 110, 0, 0)), qint64(13));
    // Nano Programming is Intelligence alone: 55 / 4.
    QCOMPARE(TrickleInto(table, QStringLiteral("Nano Programming"), character, stats(0, 0, 0, 55, 0, 0)),
             qint64(13));
    // Sense does not feed Nano Programming; abilities feed no ability.
    QCOMPARE(TrickleInto(table, QStringLiteral("Nano Programming"), character, stats(0, 0, 0, 0, 0, 99)), qint64(0));
    QCOMPARE(TrickleInto(table, QStringLiteral("Intelligence"), character, stats(0, 0, 0, 55, 0, 0)), qint64(0));
}

// "trickle.csv" beside the reference files replaces the built-in weights; a
// line that cannot be read is passed over, and a file with none that can, or
// none at all, leaves the built-in table.
void TstGameRules::trickleFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<qint64>("treatment");
    QTest::addColumn<qint64>("firstAid");

    const QByteArray header = "Skill,Agility,Intelligence,Psychic,Sense,Stamina,Strength\r\n";
    // Treatment fed by Intelligence at 1.0: floor(615 / 4) - floor(560 / 4).
    QTest::newRow("an edited weight") << header + "Treatment,0.3,1,0,0.2,0,0\r\n" << qint64(13) << qint64(0);
    QTest::newRow("a bad line passed over")
        << header + "Treatment,0.3,lots,0,0.2,0,0\r\nFirst Aid,0.3,0.5,0,0.2,0,0\r\n" << qint64(0) << qint64(6);
    // The built-in First Aid is 0.3 Agility, 0.3 Intelligence, 0.4 Sense:
    // floor(366.5 / 4) - floor(350 / 4).
    QTest::newRow("a weight of too many places") << header + "Treatment,0.3,0.5001,0,0.2,0,0\r\n"
                                                 << qint64(6) << qint64(4);
    QTest::newRow("nothing readable") << QByteArray("\x01\x02\xff\r\n,,,\r\n") << qint64(6) << qint64(4);
    QTest::newRow("no file") << QByteArray() << qint64(6) << qint64(4);
}

void TstGameRules::trickleFile()
{
    QFETCH(QByteArray, file);
    if (!file.isEmpty())
        writeFile(m_dir->filePath(RefFile::Trickle), file);
    const TrickleTable table = TrickleTable::load();
    const Stats character = stats(250, 300, 250, 400, 300, 350);
    const Stats cluster = stats(0, 0, 0, 55, 0, 0);
    QTEST(TrickleInto(table, TreatmentSkill(), character, cluster), "treatment");
    QTEST(TrickleInto(table, QStringLiteral("First Aid"), character, cluster), "firstAid");
}

// 86 %, 84 % and 82 % of the implant's level, rounded up.
void TstGameRules::lowestClusterLevel_data()
{
    QTest::addColumn<int>("implant");
    QTest::addColumn<QList<int>>("lowest"); // Shining, Bright, Faded
    QTest::newRow("1") << 1 << QList<int>{1, 1, 1};
    QTest::newRow("100") << 100 << QList<int>{86, 84, 82};
    QTest::newRow("200") << 200 << QList<int>{172, 168, 164};
    QTest::newRow("201") << 201 << QList<int>{173, 169, 165};
    QTest::newRow("300") << 300 << QList<int>{258, 252, 246};
    QTest::newRow("0") << 0 << QList<int>{0, 0, 0};
}

void TstGameRules::lowestClusterLevel()
{
    QFETCH(int, implant);
    QFETCH(QList<int>, lowest);
    for (int type = 0; type < 3; ++type)
        QCOMPARE(LowestClusterQL(type, implant), lowest.at(type));
}

// A skill cluster rises by about half a point a level up to 200, so only a
// level or two share its value; above 200 by 36 / 99 a level, so two or
// three do; 200 and 201 always do. A nano-interrupt cluster falls
// to the floor of 2 and stays there: every level from where it reaches 2 up
// gives the same bonus.
void TstGameRules::sameBonusLevel_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("lowest");
    // Shining skill: round(99 / 199 (Q - 1)) + 6; 105 at 199 (98.50 rounds
    // up) and at 200, 104 at 198.
    QTest::newRow("skill at 200") << 1 << 0 << 200 << 199;
    QTest::newRow("skill at 201, below the jump") << 1 << 0 << 201 << 199;
    // 105 + round(36 / 99 (Q - 201)): 111 at 217 (5.82 rounds up) and 218.
    QTest::newRow("skill at 218") << 1 << 0 << 218 << 217;
    // Shining nano interrupt: round(-10 / 199 (Q - 1)) + 5 reaches 2 at 51
    // (-2.51 rounds to -3) and is held there by the floor, also at 250.
    QTest::newRow("nano interrupt, flat") << 8 << 0 << 250 << 51;
    QTest::newRow("level 1") << 1 << 0 << 1 << 1;
}

void TstGameRules::sameBonusLevel()
{
    QFETCH(int, category);
    QFETCH(int, type);
    QFETCH(int, level);
    QFETCH(int, lowest);
    TNano nano;
    nano.ClusterName = QStringLiteral("Some Cluster");
    nano.IncCategory = QString::number(category);
    const TSkillReq table;
    QCOMPARE(SameBonusLevel({BonusCluster{&nano, type}}, table, level), lowest);
    // The level found gives the same increase, the one below it another.
    const QString &typeName = ClusterTypeNames().at(type);
    QCOMPARE(SkillIncreaseOf(&nano, table, typeName, lowest), SkillIncreaseOf(&nano, table, typeName, level));
    if (lowest > 1)
        QVERIFY(SkillIncreaseOf(&nano, table, typeName, lowest - 1) != SkillIncreaseOf(&nano, table, typeName, level));
}

// A recipe with a profile follows the straight lines between its points,
// rounded to the nearest; without one, the build's formulas.
void TstGameRules::profileRequirements_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<qint64>("treatment");
    QTest::addColumn<qint64>("ability");
    QTest::newRow("1") << 1 << qint64(11) << qint64(16);
    // 11 + 994 * 99 / 199 = 505.5025; 16 + 448 * 99 / 199 = 238.87.
    QTest::newRow("100") << 100 << qint64(506) << qint64(239);
    QTest::newRow("200") << 200 << qint64(1005) << qint64(464);
    QTest::newRow("201") << 201 << qint64(1001) << qint64(476);
    // 1001 + 1050 * 49 / 99 = 1520.70; 476 + 755 * 49 / 99 = 849.68.
    QTest::newRow("250") << 250 << qint64(1521) << qint64(850);
    QTest::newRow("300") << 300 << qint64(2051) << qint64(1231);
}

void TstGameRules::profileRequirements()
{
    QFETCH(int, level);
    QTEST(NeedsAt(&Special, level).treatment, "treatment");
    QTEST(NeedsAt(&Special, level).ability, "ability");
    QCOMPARE(NeedsAt(nullptr, level), (ImplantNeeds{TreatmentReq(level), SecondarySkillReq(level)}));
}

// "reqprofile.csv": the three clusters and the eight points; a line that
// cannot be read is passed over; without the file no recipe has a profile.
void TstGameRules::profileFile()
{
    QVERIFY(!RequirementProfiles::load().find(u"Jobe A", u"", u"Beta"));
    writeFile(m_dir->filePath(RefFile::RequirementProfiles),
              "Shining,Bright,Faded,TreatQL1,AbilityQL1,TreatQL200,AbilityQL200,TreatQL201,AbilityQL201,TreatQL300,"
              "AbilityQL300\r\n"
              "Jobe A,,Beta,11,16,1005,464,1001,476,2051,1231\r\n"
              "Jobe B,,,11,16,1005,x,1001,476,2051,1231\r\n"
              "Jobe C,,\r\n");
    const RequirementProfiles profiles = RequirementProfiles::load();
    QCOMPARE(profiles.count(), qsizetype(1));
    const RequirementProfile *found = profiles.find(u"Jobe A", u"", u"Beta");
    QVERIFY(found);
    QCOMPARE(*found, Special);
    // The clusters in their places only.
    QVERIFY(!profiles.find(u"Beta", u"", u"Jobe A"));
    QVERIFY(!profiles.find(u"Jobe B", u"", u""));
}

QTEST_GUILESS_MAIN(TstGameRules)
#include "tst_gamerules.moc"
