#include "refgen.h"
#include "support/testfiles.h"

#include <QTemporaryDir>
#include <QTest>

class TstRefgen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parseCsv_data();
    void parseCsv();
    void shippedFilesMatchTheGenerator();
    void shippedSymbiants();
    void smallTables();
    void badTables_data();
    void badTables();

private:
    // A consistent set of tables with two families; a row can be replaced to
    // break it.
    void writeTables(const QString &dir, const QHash<QString, QByteArray> &replace = {});
};

void TstRefgen::parseCsv_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<QStringList>>("records");
    QTest::newRow("plain") << QByteArray("a,b\r\n1,2\r\n") << QList<QStringList>{{"a", "b"}, {"1", "2"}};
    QTest::newRow("quoted comma and quote")
        << QByteArray("\"x, y\",\"say \"\"hi\"\"\"\n") << QList<QStringList>{{"x, y", "say \"hi\""}};
    QTest::newRow("empty quoted field") << QByteArray("0,\"\",\"\",0,\n")
                                        << QList<QStringList>{{"0", "", "", "0", ""}};
    QTest::newRow("no end of line") << QByteArray("a,b") << QList<QStringList>{{"a", "b"}};
    QTest::newRow("line break inside quotes") << QByteArray("\"a\nb\",c\n") << QList<QStringList>{{"a\nb", "c"}};
    QTest::newRow("blank lines skipped") << QByteArray("a\n\nb\n") << QList<QStringList>{{"a"}, {"b"}};
}

void TstRefgen::parseCsv()
{
    QFETCH(QByteArray, text);
    QFETCH(QList<QStringList>, records);
    QCOMPARE(refgen::ParseCsv(text), records);
}

void TstRefgen::shippedFilesMatchTheGenerator()
{
    const QString source = sourceDir();
    QVERIFY2(!source.isEmpty(), "LUDRA_SOURCE_DIR is not set");
    QTemporaryDir out;
    refgen::WriteOutput(refgen::Generate(source + "/tools/gamedata"), out.path());
    for (const char *name :
         {"data.csv", "SecSkill.csv", "require.csv", "trickle.csv", "reqprofile.csv", "symbiants.csv"}) {
        const QByteArray generated = readFile(out.filePath(name));
        QVERIFY2(!generated.isEmpty(), name);
        QVERIFY2(generated == readFile(source + "/resources/" + name),
                 qPrintable(QStringLiteral("resources/%1 is not what the generator makes; "
                                           "run: cmake --build build --target refdata").arg(name)));
    }
}

// One line per symbiant of the game's table, and one known symbiant as the
// tables give it: its abilities from the ability matrix, its professions in
// the order of Profession.csv, its bonuses under the catalogue's names.
void TstRefgen::shippedSymbiants()
{
    const QString source = sourceDir();
    QVERIFY2(!source.isEmpty(), "LUDRA_SOURCE_DIR is not set");
    const refgen::Output out = refgen::Generate(source + "/tools/gamedata");
    QCOMPARE(out.symbiantLines.size(), 1 + 1462);
    QVERIFY(out.symbiantLines.contains(
        "\"Prototype Brain Symbiant, Artillery Unit\",HEAD,250,Artillery,1200,200,800,800,0,800,0,0,"
        "Adventurer;Agent;Fixer;Soldier;Trader,Ranged Initiative=65;Bow Special Attack=115;"
        "Sensory Improvement & Modification=115;Treatment=115;Matter Metamorphosis=115;"
        "Biological Metamorphosis=115;Psychological Modifications=115;Matter Creation=115;Time & Space=115;"
        "Ranged Energy=115;Perception=40;Computer Literacy=115"));
    QCOMPARE(out.symbiantBonusesNotInCatalogue, 0);
    QCOMPARE(out.symbiantBonusesOfZero, 37);
}

void TstRefgen::writeTables(const QString &dir, const QHash<QString, QByteArray> &replace)
{
    QHash<QString, QByteArray> tables{
        {"Cluster.csv", "ClusterID,EffectTypeID,LongName,OfficialName,NPReq,SkillID\r\n"
                        "0,1,\"\",\"\",0,\r\n"
                        "5,1,\"MG/SMG\",\"MG / SMG\",800,114\r\n"
                        "6,15,\"Heal Delta*\",\"Heal Delta Jobe\",1,343\r\n"
                        "7,1,agility,\"Agi\", 900,17\r\n"},
        {"ClusterImplantMap.csv", "ImplantTypeID,ClusterID,ClusterTypeID\r\n"
                                  "11,5,3\r\n13,5,2\r\n4,5,1\r\n"
                                  "1,6,3\r\n2,6,2\r\n3,6,1\r\n"
                                  "5,7,3\r\n6,7,2\r\n7,7,1\r\n"},
        {"ImplantType.csv", "ImplantTypeID,Name,ShortName\r\n"
                            "1,Eye,eye\r\n2,Head,head\r\n3,Ear,ear\r\n4,Chest,chest\r\n5,Waist,waist\r\n"
                            "6,Leg,legs\r\n7,Feet,feet\r\n11,\"Right Arm\",rarm\r\n13,\"Right Hand\",rhand\r\n"},
        {"ImplantMatrix.csv", "ID,ShiningID,BrightID,FadedID,AbilityID,TreatQL1,AbilityQL1,TreatQL200,AbilityQL200,"
                              "TreatQL201,AbilityQL201,TreatQL300,AbilityQL300\r\n"
                              "1,5,6,0,2,11,16,1005,464,1001,476,2051,1231\r\n"
                              "2,0,0,7,1,11,6,951,404,1001,426,2051,1095\r\n"},
        {"Ability.csv", "AbilityID,Name\r\n1,Agility\r\n2,Intelligence\r\n"},
        {"Trickle.csv", "SkillID,Group,ShortName,Agility,Intelligence,Psychic,Sense,Stamina,Strength\r\n"
                        "114,Ranged,\"MG / SMG\",0.6,0,0,0,0.4,0\r\n"
                        "999,Misc,Nobody,1,0,0,0,0,0\r\n"},
        {"Symbiant.csv", "ID,Name,QL,SlotID,TreatmentReq,LevelReq,Unit\r\n"
                         "10,\"Alpha Eye Symbiant, Support Unit\",100,1,500,50,Support\r\n"
                         "11,\"Beta \"\"Head\"\" Symbiant\",1,2,12,1,\r\n"
                         "12,\"Alpha Eye Symbiant, Support Unit\",20,1,100,10,Support\r\n"},
        {"SymbiantAbilityMatrix.csv", "SymbiantID,AbilityID,Amount\r\n10,2,300\r\n10,1,200\r\n11,1,5\r\n99,1,7\r\n"},
        {"SymbiantClusterMatrix.csv",
         "SymbiantID,ClusterID,Amount\r\n10,7,20\r\n10,5,-3\r\n10,6,0\r\n10,42,9\r\n11,5,1\r\n"},
        {"SymbiantProfessionMatrix.csv", "SymbiantID,ProfessionID\r\n10,14\r\n10,3\r\n12,3\r\n"},
        {"Profession.csv", "ID,Name\r\n3,Bureaucrat\r\n9,\"Martial Artist\"\r\n14,Trader\r\n"},
    };
    for (auto it = replace.begin(); it != replace.end(); ++it)
        tables[it.key()] = it.value();
    for (auto it = tables.begin(); it != tables.end(); ++it)
        writeFile(QDir(dir).filePath(it.key()), it.value());
}

void TstRefgen::smallTables()
{
    QTemporaryDir dir;
    writeTables(dir.path());
    const refgen::Output out = refgen::Generate(dir.path());
    // Ordered by skill name without regard to case; renamed and starred names.
    QCOMPARE(out.dataLines, (QStringList{"Agi,agility,WAIST,LEG,FEET,1",
                                         "Heal Delta Jobe,Heal Delta,EYE,HEAD,EAR,2",
                                         "MG / SMG,MG & SMG,RIGHT ARM,RIGHT HAND,CHEST,1"}));
    QCOMPARE(out.requireLines, (QStringList{"Agi,agility,900", "Heal Delta Jobe,Heal Delta,0", "MG / SMG,MG & SMG,800"}));
    // Bright, Faded, Shining, in file order.
    QCOMPARE(out.secSkillLines, (QStringList{"Intelligence,Heal Delta Jobe,Empty,MG / SMG", "Agility,Empty,Agi,Empty"}));
    // Only the recipe whose points are not the build's formulas, by its
    // Shining, Bright and Faded clusters.
    QCOMPARE(out.profileLines.mid(1), (QStringList{"MG / SMG,Heal Delta Jobe,,11,16,1005,464,1001,476,2051,1231"}));
    // The weights under the catalogue's skill name; a skill no cluster
    // raises is left out.
    QCOMPARE(out.trickleLines,
             (QStringList{"Skill,Agility,Intelligence,Psychic,Sense,Stamina,Strength", "MG & SMG,0.6,0,0,0,0.4,0"}));
    // By body slot (HEAD before EYE), then name, then level; names with a
    // comma or quote quoted; a bonus of 0 and one of a family the catalogue
    // lacks left out, as is a matrix row naming no symbiant.
    QCOMPARE(out.symbiantLines,
             (QStringList{"Name,Slot,QL,Unit,Treatment,Level,Strength,Agility,Stamina,Intelligence,Psychic,Sense,"
                          "Professions,Bonuses",
                          "\"Beta \"\"Head\"\" Symbiant\",HEAD,1,,12,1,0,5,0,0,0,0,,MG & SMG=1",
                          "\"Alpha Eye Symbiant, Support Unit\",EYE,20,Support,100,10,0,0,0,0,0,0,Bureaucrat,",
                          "\"Alpha Eye Symbiant, Support Unit\",EYE,100,Support,500,50,0,200,0,300,0,0,"
                          "Bureaucrat;Trader,agility=20;MG & SMG=-3"}));
    QCOMPARE(out.symbiantBonusesNotInCatalogue, 1);
    QCOMPARE(out.symbiantBonusesOfZero, 1);
    QCOMPARE(out.symbiantRowsWithoutSymbiant, 1);
}

void TstRefgen::badTables_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("complaint");
    QTest::newRow("comma in a cluster name")
        << "Cluster.csv"
        << QByteArray("ClusterID,EffectTypeID,LongName,OfficialName,NPReq,SkillID\r\n"
                      "5,1,\"MG/SMG\",\"MG, SMG\",800,114\r\n6,15,\"Heal Delta*\",\"Heal\",1,3\r\n7,1,a,b,1,1\r\n")
        << "holds a comma";
    QTest::newRow("comma in a skill name")
        << "Cluster.csv"
        << QByteArray("ClusterID,EffectTypeID,LongName,OfficialName,NPReq,SkillID\r\n"
                      "5,1,\"Guns, big\",\"MG\",800,114\r\n6,15,\"Heal Delta*\",\"Heal\",1,3\r\n7,1,a,b,1,1\r\n")
        << "holds a comma";
    QTest::newRow("slot that is not a body slot")
        << "ImplantType.csv"
        << QByteArray("ImplantTypeID,Name,ShortName\r\n1,Eye,eye\r\n2,Elbow,elbow\r\n3,Ear,ear\r\n4,Chest,chest\r\n"
                      "5,Waist,waist\r\n6,Leg,legs\r\n7,Feet,feet\r\n11,\"Right Arm\",rarm\r\n13,\"Right Hand\",rhand\r\n")
        << "not one of the thirteen slots";
    QTest::newRow("recipe naming an unknown cluster")
        << "ImplantMatrix.csv" << QByteArray("ID,ShiningID,BrightID,FadedID,AbilityID\r\n1,5,99,0,2\r\n")
        << "names a cluster that data.csv lacks";
    QTest::newRow("family without a faded slot")
        << "ClusterImplantMap.csv"
        << QByteArray("ImplantTypeID,ClusterID,ClusterTypeID\r\n11,5,3\r\n13,5,2\r\n1,6,3\r\n2,6,2\r\n3,6,1\r\n"
                      "5,7,3\r\n6,7,2\r\n7,7,1\r\n")
        << "has no slot for type 1";
    QTest::newRow("family with two shining slots")
        << "ClusterImplantMap.csv"
        << QByteArray("ImplantTypeID,ClusterID,ClusterTypeID\r\n11,5,3\r\n13,5,3\r\n4,5,1\r\n")
        << "has two slots";
    QTest::newRow("unknown effect type")
        << "Cluster.csv"
        << QByteArray("ClusterID,EffectTypeID,LongName,OfficialName,NPReq,SkillID\r\n5,99,a,b,1,1\r\n")
        << "unknown effect type";
    QTest::newRow("profession the planner does not know")
        << "Profession.csv" << QByteArray("ID,Name\r\n3,Bureaucrat\r\n14,Wizard\r\n")
        << "is not one of the professions";
    QTest::newRow("symbiant in a slot that is not a body slot")
        << "Symbiant.csv"
        << QByteArray("ID,Name,QL,SlotID,TreatmentReq,LevelReq,Unit\r\n10,Gamma,100,8,500,50,Support\r\n")
        << "slot 8 is not one of the thirteen slots";
    QTest::newRow("symbiant the reader would not read back")
        << "Symbiant.csv" << QByteArray("ID,Name,QL,SlotID,TreatmentReq,LevelReq,Unit\r\n10,Gamma,301,1,500,50,\r\n")
        << "would not read back";
}

void TstRefgen::badTables()
{
    QFETCH(QString, table);
    QFETCH(QByteArray, content);
    QFETCH(QString, complaint);
    QTemporaryDir dir;
    writeTables(dir.path(), {{table, content}});
    try {
        refgen::Generate(dir.path());
        QFAIL("the generator accepted tables it cannot turn into valid files");
    } catch (const refgen::GenerationError &error) {
        QVERIFY2(QString::fromStdString(error.what()).contains(complaint), error.what());
    }
}

QTEST_GUILESS_MAIN(TstRefgen)
#include "tst_refgen.moc"
