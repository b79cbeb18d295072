#include "data/nano.h"
#include "data/referencefiles.h"
#include "data/skillreq.h"
#include "common/text.h"
#include "support/testfiles.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace ludra;

namespace {

struct Record
{
    QString cluster, skill, shining, bright, faded, category;
};

Record fields(const TNano &nano)
{
    return {nano.ClusterName, nano.SkillName, nano.ShiningSlot, nano.BrightSlot, nano.FadedSlot, nano.IncCategory};
}

QStringList skillReqLines(const TSkillReq &table)
{
    QStringList lines;
    for (int i = 0; i < TSkillReq::Count; ++i)
        lines.append(TSkillReq::key(i) + '=' + QString::number(table.at(i)));
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(Record)

class TstReferenceData : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void catalogueLine_data();
    void catalogueLine();
    void catalogueKeepsFileOrderAndDuplicates();
    void missingFilesLeaveListsEmpty();
    void unknownCounterRunsAcrossTheFiles();
    void secSkillFields_data();
    void secSkillFields();
    void requirementValue_data();
    void requirementValue();
    void hostileFilesLoadAsText_data();
    void hostileFilesLoadAsText();
    void findColForPart_data();
    void findColForPart();

    void skillReqFirstRunWritesDefaults();
    void skillReqFile_data();
    void skillReqFile();
    void skillReqShortFileIsReplaced_data();
    void skillReqShortFileIsReplaced();
    void skillReqUnwritable();
    void skillReqLookupBounds();
};

void TstReferenceData::catalogueLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<Record>("expected");
    QTest::newRow("six fields, slots upper-cased")
        << "Burst,Burst,right arm,Right Wrist,RIGHT hand,1"
        << Record{"Burst", "Burst", "RIGHT ARM", "RIGHT WRIST", "RIGHT HAND", "1"};
    QTest::newRow("names keep their case, trimmed")
        << "  Comp. Liter\t, Computer Literacy ,HEAD,EYE,RIGHT HAND, 1 "
        << Record{"Comp. Liter", "Computer Literacy", "HEAD", "EYE", "RIGHT HAND", "1"};
    QTest::newRow("control codes trimmed")
        << QString::fromLatin1(QByteArrayLiteral("\x01" "A\x1f,B,\x00head,eye,ear,2\x7f"))
        << Record{"A", "B", "HEAD", "EYE", "EAR", QString::fromLatin1("2\x7f")};
    QTest::newRow("two commas: the slot becomes the category")
        << "Clu,Skill,head" << Record{"Clu", "Skill", "", "", "", "HEAD"};
    QTest::newRow("six commas: category takes the rest")
        << "a,b,c,d,e,6,7" << Record{"a", "b", "C", "D", "E", "6,7"};
    QTest::newRow("only letters a to z upper-cased")
        << QString::fromLatin1("c,s,t\xeate,x,y,3b") << Record{"c", "s", QString::fromLatin1("T\xeaTE"), "X", "Y", "3B"};
    QTest::newRow("unknown slot kept as written") << "c,s,Elbow,,, 4" << Record{"c", "s", "ELBOW", "", "", "4"};
}

void TstReferenceData::catalogueLine()
{
    QFETCH(QString, line);
    QFETCH(Record, expected);
    UnknownCounter counter;
    const Record got = fields(*ParseCatalogueLine(line, counter));
    QCOMPARE(got.cluster, expected.cluster);
    QCOMPARE(got.skill, expected.skill);
    QCOMPARE(got.shining, expected.shining);
    QCOMPARE(got.bright, expected.bright);
    QCOMPARE(got.faded, expected.faded);
    QCOMPARE(got.category, expected.category);
    QCOMPARE(counter.next(), 1); // no name was made up
}

void TstReferenceData::catalogueKeepsFileOrderAndDuplicates()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("data.csv");
    writeFile(path, "Zed,Zeta,HEAD,EYE,EAR,1\r\n"
                    "Alp,Alpha,HEAD,EYE,EAR,1\r\n"
                    "Alp2,Alpha,CHEST,LEG,FEET,2\r\n"
                    "\r\n"
                    "lonely words");
    TNanoList list;
    UnknownCounter counter;
    QVERIFY(ReadCatalogue(path, counter, list));
    QCOMPARE(list.count(), 5);
    QCOMPARE(list.name(0), QStringLiteral("Zeta"));
    QCOMPARE(list.name(1), QStringLiteral("Alpha"));
    QCOMPARE(list.name(2), QStringLiteral("Alpha"));
    QCOMPARE(list.at(2)->ClusterName, QStringLiteral("Alp2"));
    // An empty line is a record without a skill name.
    QCOMPARE(list.name(3), QString());
    QCOMPARE(list.at(3)->ClusterName, QStringLiteral("Unknown #1"));
    // A line without commas is all category.
    QCOMPARE(list.at(4)->ClusterName, QStringLiteral("Unknown #2"));
    QCOMPARE(list.at(4)->SkillName, QString());
    QCOMPARE(list.at(4)->IncCategory, QStringLiteral("LONELY WORDS"));
    QCOMPARE(list.at(5), nullptr);
}

void TstReferenceData::missingFilesLeaveListsEmpty()
{
    QTemporaryDir dir;
    UnknownCounter counter;
    TNanoList list;
    TSecSkills secSkills;
    RequirementList requirements;
    QVERIFY(!ReadCatalogue(dir.filePath("data.csv"), counter, list));
    QVERIFY(!ReadSecSkills(dir.filePath("SecSkill.csv"), counter, secSkills));
    QVERIFY(!ReadRequirements(dir.filePath("require.csv"), counter, requirements));
    QCOMPARE(list.count(), 0);
    QCOMPARE(secSkills.count(), 0);
    QCOMPARE(secSkills.SecSkillNames(0), QStringView());
    QVERIFY(requirements.isEmpty());
    QCOMPARE(counter.next(), 1);
}

void TstReferenceData::unknownCounterRunsAcrossTheFiles()
{
    QTemporaryDir dir;
    writeFile(dir.filePath("data.csv"), " ,A,HEAD,EYE,EAR,1\n,B,HEAD,EYE,EAR,1\nC,C,HEAD,EYE,EAR,1\n");
    writeFile(dir.filePath("SecSkill.csv"), "\t,x,y,z\nSense,a,b,c\n,p,q,r\n");
    writeFile(dir.filePath("require.csv"), ",A,100\nC,C,200\n  ,B,300\n");
    UnknownCounter counter;
    TNanoList list;
    TSecSkills secSkills;
    RequirementList requirements;
    QVERIFY(ReadCatalogue(dir.filePath("data.csv"), counter, list));
    QVERIFY(ReadSecSkills(dir.filePath("SecSkill.csv"), counter, secSkills));
    QVERIFY(ReadRequirements(dir.filePath("require.csv"), counter, requirements));
    QCOMPARE(list.at(0)->ClusterName, QStringLiteral("Unknown #1"));
    QCOMPARE(list.at(1)->ClusterName, QStringLiteral("Unknown #2"));
    QCOMPARE(secSkills.count(), 3);
    QCOMPARE(secSkills.SecSkillNames(0), u"Unknown #3");
    QCOMPARE(secSkills.SecSkillNames(1), u"Sense");
    QCOMPARE(secSkills.SecSkillNames(2), u"Unknown #4");
    QCOMPARE(secSkills.SecSkillBright(2), u"p");
    QCOMPARE(requirements, (RequirementList{{"Unknown #0", "100"}, {"C", "200"}, {"Unknown #1", "300"}}));
}

void TstReferenceData::secSkillFields_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("three commas") << "Sense, Bright A ,Faded B,Shining C"
                                  << QStringList{"Sense", "Bright A", "Faded B", "Shining C"};
    QTest::newRow("five commas: the rest is the shining entry")
        << "Agility,a,b,c,d,e" << QStringList{"Agility", "a", "b", "c,d,e"};
    QTest::newRow("empty positions") << "Strength,Empty,Empty,Pistol" << QStringList{"Strength", "Empty", "Empty", "Pistol"};
    QTest::newRow("one comma") << "Psychic,Burst" << QStringList{"Psychic", "", "", "Burst"};
}

void TstReferenceData::secSkillFields()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QTemporaryDir dir;
    writeFile(dir.filePath("SecSkill.csv"), line.toLatin1());
    UnknownCounter counter;
    TSecSkills table;
    QVERIFY(ReadSecSkills(dir.filePath("SecSkill.csv"), counter, table));
    QCOMPARE(table.count(), 1);
    QCOMPARE(table.SecSkillNames(0), fields.at(0));
    QCOMPARE(table.SecSkillBright(0), fields.at(1));
    QCOMPARE(table.SecSkillFaded(0), fields.at(2));
    QCOMPARE(table.SecSkillShining(0), fields.at(3));
    QCOMPARE(table.SecSkillShining(1), QStringView());
}

void TstReferenceData::requirementValue_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("cluster");
    QTest::addColumn<QString>("value");
    QTest::newRow("three fields") << " Burst ,Burst,840" << "Burst" << "840";
    QTest::newRow("one comma: value after it") << "Burst,840" << "Burst" << "840";
    QTest::newRow("space after the second comma kept") << "Burst,Burst, 840" << "Burst" << " 840";
    QTest::newRow("more commas stay in the value") << "a,b,1,2" << "a" << "1,2";
    QTest::newRow("no comma: all value") << "840" << "Unknown #0" << "840";
}

void TstReferenceData::requirementValue()
{
    QFETCH(QString, line);
    QFETCH(QString, cluster);
    QFETCH(QString, value);
    QTemporaryDir dir;
    writeFile(dir.filePath("require.csv"), line.toLatin1() + "\r\n");
    UnknownCounter counter;
    RequirementList lists;
    QVERIFY(ReadRequirements(dir.filePath("require.csv"), counter, lists));
    QCOMPARE(lists, (RequirementList{{cluster, value}}));
}

void TstReferenceData::hostileFilesLoadAsText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("minimumLines");

    QByteArray garbage(256 * 1024, '\0');
    QRandomGenerator random(20261208);
    for (char &b : garbage)
        b = char(random.bounded(256));
    QTest::newRow("binary garbage") << garbage << 1;

    QByteArray longLine = "Long,Skill,HEAD,EYE,EAR,";
    longLine += QByteArray(4 * 1024 * 1024, 'x');
    longLine += QByteArray(1000, ',');
    QTest::newRow("a line of 4 MB") << longLine << 1;

    QByteArray many;
    for (int i = 0; i < 60000; ++i)
        many += "Clu" + QByteArray::number(i) + ",Skill " + QByteArray::number(i) + ",HEAD,EYE,EAR,1\r\n";
    QTest::newRow("60000 lines") << many << 60000;
}

void TstReferenceData::hostileFilesLoadAsText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, minimumLines);
    QTemporaryDir dir;
    for (const char *name : {"data.csv", "SecSkill.csv", "require.csv"})
        writeFile(dir.filePath(name), bytes);
    UnknownCounter counter;
    TNanoList list;
    TSecSkills secSkills;
    RequirementList requirements;
    QVERIFY(ReadCatalogue(dir.filePath("data.csv"), counter, list));
    QVERIFY(ReadSecSkills(dir.filePath("SecSkill.csv"), counter, secSkills));
    QVERIFY(ReadRequirements(dir.filePath("require.csv"), counter, requirements));
    const int lines = int(SplitLines(bytes).size());
    QVERIFY(lines >= minimumLines);
    QCOMPARE(list.count(), lines);
    QCOMPARE(secSkills.count(), lines);
    QVERIFY(!secSkills.SecSkillNames(lines - 1).isNull());
    QCOMPARE(requirements.size(), lines);
}

void TstReferenceData::findColForPart_data()
{
    QTest::addColumn<QStringList>("slotList");
    QTest::addColumn<QString>("slot");
    QTest::addColumn<int>("position");
    const QStringList body = BodySlotNames();
    QTest::newRow("first") << body << "HEAD" << 1;
    QTest::newRow("two words") << body << "RIGHT WRIST" << 8;
    QTest::newRow("last") << body << "FEET" << 13;
    QTest::newRow("mixed case") << body << "Head" << -1;
    QTest::newRow("empty") << body << "" << -1;
    QTest::newRow("trailing space") << body << "HEAD " << -1;
    QTest::newRow("a repeated name counts last") << QStringList{"HEAD", "EYE", "HEAD"} << "HEAD" << 3;
}

void TstReferenceData::findColForPart()
{
    QFETCH(QStringList, slotList);
    QFETCH(QString, slot);
    QFETCH(int, position);
    QCOMPARE(FindColForPart(slotList, slot), position);
}

void TstReferenceData::skillReqFirstRunWritesDefaults()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("skillreq.dat");
    TSkillReq table;
    table.set(0, 999);
    QVERIFY(LoadSkillReq(path, table));
    QCOMPARE(table, TSkillReq());
    const auto lines = ReadLines(path);
    QVERIFY(lines.has_value());
    QCOMPARE(lines->size(), 72);
    QCOMPARE(lines->first(), QStringLiteral("Skill Faded=42"));
    QCOMPARE(lines->at(9), QStringLiteral("Attr Faded QL300=29"));
    QCOMPARE(lines->at(22), QStringLiteral("Life/Nano Bright QL300=330"));
    QCOMPARE(lines->at(44), QStringLiteral("Nano Interrupt Shining=-5"));
    QCOMPARE(lines->last(), QStringLiteral("Nano Cost Shining QL300=-5"));
    QVERIFY(readFile(path).endsWith("=-5\r\n"));

    // Read back, the file gives the same table.
    TSkillReq again;
    again.set(5, 0);
    QVERIFY(LoadSkillReq(path, again));
    QCOMPARE(again, TSkillReq());
}

void TstReferenceData::skillReqFile_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<int>>("expectFirstSix"); // entries 0..5

    QStringList defaults = skillReqLines(TSkillReq());

    QStringList lowerCase = defaults;
    lowerCase[0] = "skill faded=50";
    QTest::newRow("names match without case") << lowerCase << QList<int>{50, 63, 105, 57, 85, 141};

    QStringList spaced = defaults;
    spaced[0] = "Skill Faded = 50";
    QTest::newRow("spaces around = make the key absent") << spaced << QList<int>{0, 63, 105, 57, 85, 141};

    QStringList firstWins = defaults;
    firstWins.prepend("Skill Bright=7");
    QTest::newRow("first line naming a key wins") << firstWins << QList<int>{42, 7, 105, 57, 85, 141};

    QStringList lenient = defaults;
    lenient[0] = "Skill Faded=+5";
    lenient[1] = "Skill Bright=6.5";
    lenient[2] = "Skill Shining=-12";
    lenient[3] = "Skill Faded QL300= 9";
    lenient[4] = "Skill Bright QL300=";
    lenient[5] = "Skill Shining QL300=0x10";
    QTest::newRow("values read leniently") << lenient << QList<int>{0, 0, -12, 0, 0, 0};

    QStringList thirty = defaults.mid(6, 30);
    QTest::newRow("30 keys: the rest read 0") << thirty << QList<int>{0, 0, 0, 0, 0, 0};

    QStringList exactly24 = QStringList{"Skill Faded=1"} + QStringList(23, "comment without equals");
    QTest::newRow("24 lines are read") << exactly24 << QList<int>{1, 0, 0, 0, 0, 0};

    QStringList valueWithEquals = defaults;
    valueWithEquals[0] = "Skill Faded=4=2";
    QTest::newRow("value after the first =") << valueWithEquals << QList<int>{0, 63, 105, 57, 85, 141};
}

void TstReferenceData::skillReqFile()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<int>, expectFirstSix);
    QTemporaryDir dir;
    const QString path = dir.filePath("skillreq.dat");
    QVERIFY(WriteLines(path, lines));
    const QByteArray before = readFile(path);
    TSkillReq table;
    QVERIFY(LoadSkillReq(path, table));
    for (int i = 0; i < 6; ++i)
        QCOMPARE(table.at(i), expectFirstSix.at(i));
    QCOMPARE(readFile(path), before); // a file long enough is only read
}

void TstReferenceData::skillReqShortFileIsReplaced_data()
{
    QTest::addColumn<int>("lineCount");
    QTest::newRow("empty") << 0;
    QTest::newRow("23 lines") << 23;
}

void TstReferenceData::skillReqShortFileIsReplaced()
{
    QFETCH(int, lineCount);
    QTemporaryDir dir;
    const QString path = dir.filePath("skillreq.dat");
    QVERIFY(WriteLines(path, QStringList(lineCount, "Skill Faded=1")));
    TSkillReq table;
    QVERIFY(LoadSkillReq(path, table));
    QCOMPARE(table, TSkillReq());
    QCOMPARE(ReadLines(path).value(), skillReqLines(TSkillReq()));
}

void TstReferenceData::skillReqUnwritable()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("skillreq.dat");
    if (!makeUnwritable(dir.path()))
        QSKIP("this file system cannot refuse writes to a folder");
    TSkillReq table;
    table.set(0, 1);
    QString reason;
    const bool loaded = LoadSkillReq(path, table, &reason);
    makeWritable(dir.path());
    QVERIFY(!loaded);
    QVERIFY(!reason.isEmpty());
    QCOMPARE(table, TSkillReq());
    QVERIFY(!QFile::exists(path));
}

void TstReferenceData::skillReqLookupBounds()
{
    const TSkillReq table;
    int value = 12345;
    QVERIFY(table.lookup(1, 0, value));
    QCOMPARE(value, 42);
    QVERIFY(table.lookup(12, 5, value));
    QCOMPARE(value, -5);
    QVERIFY(table.lookup(4, 4, value));
    QCOMPARE(value, 330);
    value = 12345;
    QVERIFY(!table.lookup(0, 0, value));
    QVERIFY(!table.lookup(13, 0, value));
    QVERIFY(!table.lookup(1, 6, value));
    QVERIFY(!table.lookup(1, -1, value));
    QCOMPARE(value, 12345);
    QCOMPARE(table.at(72), 0);
    QCOMPARE(table.at(-1), 0);
    QCOMPARE(TSkillReq::key(72), QString());
    QCOMPARE(TSkillReq::key(47), QStringLiteral("Nano Interrupt Shining QL300"));
}

QTEST_GUILESS_MAIN(TstReferenceData)
#include "tst_referencedata.moc"
