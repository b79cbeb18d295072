// The symbiant table and its file "symbiants.csv": the shipped file, one
// symbiant of it checked by hand against the game's tables, the lines that
// are skipped, names shared by several symbiants, the professions that may
// wear one, and where the file is read from.

#include "common/paths.h"
#include "common/text.h"
#include "data/nano.h"
#include "data/referencedata.h"
#include "data/symbiants.h"
#include "support/testfiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace ludra;

namespace {

const QString Header = QStringLiteral("Name,Slot,QL,Unit,Treatment,Level,Strength,Agility,Stamina,Intelligence,"
                                      "Psychic,Sense,Professions,Bonuses");
const QString GoodA = QStringLiteral("\"Alpha, Unit\",EYE,100,Support,500,50,0,200,0,300,0,0,Doctor;Trader,"
                                     "Treatment=20;Max Nano=-3");
const QString GoodB = QStringLiteral("Beta,LEFT HAND,1,,12,1,0,0,0,0,0,0,,");

QStringList shippedLines()
{
    return ReadLines(sourceDir() + QStringLiteral("/resources/symbiants.csv")).value_or(QStringList());
}

} // namespace

class TstSymbiants : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shippedFile();
    void knownSymbiant();
    void sharedNames();
    void damagedLines_data();
    void damagedLines();
    void linesRoundTrip();
    void allows_data();
    void allows();
    void professionIndex();
    void userCopyFirst();
    void readOnFirstUse();
};

void TstSymbiants::shippedFile()
{
    QVERIFY2(!sourceDir().isEmpty(), "LUDRA_SOURCE_DIR is not set");
    SetBaseDir(sourceDir() + QStringLiteral("/resources"));
    const std::optional<SymbiantTable> table = SymbiantTable::load(BodySlotNames());
    SetBaseDir(QString());
    QVERIFY(table);
    QCOMPARE(table->skipped(), 0);
    QCOMPARE(table->all().size(), 1462);
    // The game's table has 121 of the head and 108 of the left hand.
    QCOMPARE(table->forSlot(0).size(), 121);
    QCOMPARE(table->forSlot(int(BodySlotNames().indexOf("LEFT HAND"))).size(), 108);
    qsizetype inSlots = 0;
    for (int slot = 0; slot < int(BodySlotNames().size()); ++slot)
        inSlots += table->forSlot(slot).size();
    QCOMPARE(inSlots, table->all().size());
}

// Symbiant 305058 of the game's tables: Head (slot 2), QL 250, Treatment
// 1200, level 200, Agility, Strength and Intelligence 800 (abilities 1, 6
// and 2), professions 1, 2, 7, 13 and 14, Treatment (family 81) +115,
// Ranged Initiative (family 67) +65.
void TstSymbiants::knownSymbiant()
{
    const SymbiantTable table = SymbiantTable::parse(shippedLines(), BodySlotNames());
    const Symbiant *s = table.find(u"Prototype Brain Symbiant, Artillery Unit (QL 250)");
    QVERIFY(s);
    QCOMPARE(s->name, QStringLiteral("Prototype Brain Symbiant, Artillery Unit"));
    QCOMPARE(BodySlotNames().at(s->slot), QStringLiteral("HEAD"));
    QCOMPARE(s->level, 250);
    QCOMPARE(s->unit, QStringLiteral("Artillery"));
    QCOMPARE(s->treatment, qint64(1200));
    QCOMPARE(s->characterLevel, 200);
    QCOMPARE(s->abilities, (Abilities{800, 800, 0, 800, 0, 0}));
    QCOMPARE(s->professions, (QStringList{"Adventurer", "Agent", "Fixer", "Soldier", "Trader"}));
    QCOMPARE(s->bonus(u"Treatment"), qint64(115));
    QCOMPARE(s->bonus(u"Ranged Initiative"), qint64(65));
    QCOMPARE(s->bonus(u"Nano Programming"), qint64(0));
    QCOMPARE(s->bonuses.size(), 12);
}

// The same name at QL 1 and 250: the name alone names neither, the title
// each, in any case.
void TstSymbiants::sharedNames()
{
    const SymbiantTable table = SymbiantTable::parse(shippedLines(), BodySlotNames());
    QCOMPARE(table.find(u"Prototype Brain Symbiant, Artillery Unit"), nullptr);
    const Symbiant *low = table.find(u"Prototype Brain Symbiant, Artillery Unit (QL 1)");
    const Symbiant *high = table.find(u"prototype brain symbiant, ARTILLERY unit (ql 250)");
    QVERIFY(low);
    QVERIFY(high);
    QCOMPARE(low->level, 1);
    QCOMPARE(high->level, 250);
    QCOMPARE(low->title(), QStringLiteral("Prototype Brain Symbiant, Artillery Unit (QL 1)"));
    QCOMPARE(table.find(u"Prototype Brain Symbiant, Artillery Unit (QL 2)"), nullptr);
    // A name only one symbiant has is enough.
    const Symbiant *only = table.find(u"Active Brain Symbiant, Control Unit Aban");
    QVERIFY(only);
    QCOMPARE(only->level, 170);
}

void TstSymbiants::damagedLines_data()
{
    QTest::addColumn<QString>("line");
    const QString a = QStringLiteral("Gamma,HEAD,");
    const QString needs = QStringLiteral(",Support,500,50,0,0,0,0,0,0,");
    QTest::newRow("a field missing") << "Gamma,HEAD,100,Support,500,50,0,0,0,0,0,0,";
    QTest::newRow("a field too many") << a + "100" + needs + ",Treatment=1,";
    QTest::newRow("comma outside quotes") << "Gamma, Unit,HEAD,100" + needs + ",Treatment=1";
    QTest::newRow("quote not closed") << "\"Gamma,HEAD,100" + needs + ",Treatment=1";
    QTest::newRow("text after a closing quote") << "\"Gamma\"x,HEAD,100" + needs + ",Treatment=1";
    QTest::newRow("empty name") << ",HEAD,100" + needs + ",Treatment=1";
    QTest::newRow("unknown slot") << "Gamma,ELBOW,100" + needs + ",Treatment=1";
    QTest::newRow("QL 0") << a + "0" + needs + ",Treatment=1";
    QTest::newRow("QL 301") << a + "301" + needs + ",Treatment=1";
    QTest::newRow("QL no number") << a + "ten" + needs + ",Treatment=1";
    QTest::newRow("QL a decimal") << a + "10.5" + needs + ",Treatment=1";
    QTest::newRow("Treatment below 0") << a + "100,Support,-1,50,0,0,0,0,0,0,,Treatment=1";
    QTest::newRow("Treatment over 100000") << a + "100,Support,100001,50,0,0,0,0,0,0,,Treatment=1";
    QTest::newRow("level 0") << a + "100,Support,500,0,0,0,0,0,0,0,,Treatment=1";
    QTest::newRow("level 221") << a + "100,Support,500,221,0,0,0,0,0,0,,Treatment=1";
    QTest::newRow("ability over 100000") << a + "100,Support,500,50,0,0,0,0,0,100001,,Treatment=1";
    QTest::newRow("ability empty") << a + "100,Support,500,50,0,,0,0,0,0,,Treatment=1";
    QTest::newRow("unknown profession") << a + "100" + needs + "Doctor;Wizard,Treatment=1";
    QTest::newRow("bonus without =") << a + "100" + needs + ",Treatment 1";
    QTest::newRow("bonus without skill") << a + "100" + needs + ",=1";
    QTest::newRow("bonus of 0") << a + "100" + needs + ",Treatment=0";
    QTest::newRow("bonus over 100000") << a + "100" + needs + ",Treatment=100001";
    QTest::newRow("bonus below -100000") << a + "100" + needs + ",Treatment=-100001";
    QTest::newRow("bonus a decimal") << a + "100" + needs + ",Treatment=1.5";
    QTest::newRow("a title already read") << "\"ALPHA, UNIT\",HEAD,100" + needs + ",Treatment=1";
}

// Each damaged line is skipped and counted; the lines around it are read.
void TstSymbiants::damagedLines()
{
    QFETCH(QString, line);
    const SymbiantTable table = SymbiantTable::parse({Header, GoodA, line, GoodB}, BodySlotNames());
    QCOMPARE(table.skipped(), 1);
    QCOMPARE(table.all().size(), 2);
    QCOMPARE(table.all().at(0).name, QStringLiteral("Alpha, Unit"));
    QCOMPARE(table.all().at(1).name, QStringLiteral("Beta"));
    // The same line made whole reads.
    const SymbiantTable whole = SymbiantTable::parse({Header, GoodA, GoodB}, BodySlotNames());
    QCOMPARE(whole.skipped(), 0);
    QCOMPARE(whole.all(), table.all());
}

// The shipped file is the table's own lines, and they read back the same;
// blank lines and spaces around unquoted fields are passed over, a
// profession named twice counts once, and the spellings become the table's.
void TstSymbiants::linesRoundTrip()
{
    const QStringList file = shippedLines();
    const SymbiantTable table = SymbiantTable::parse(file, BodySlotNames());
    QCOMPARE(table.lines(BodySlotNames()), file);
    QCOMPARE(SymbiantTable::parse(table.lines(BodySlotNames()), BodySlotNames()).all(), table.all());

    const SymbiantTable loose = SymbiantTable::parse(
        {Header, QString(), "\"Say \"\"hi\"\", Unit\", left hand ,7, Infantry ,1,2,3,4,5,6,7,8, trader ; doctor ;"
                            "trader , Treatment = 4 ; Max Nano=-2 "},
        BodySlotNames());
    QCOMPARE(loose.skipped(), 0);
    QCOMPARE(loose.all().size(), 1);
    const Symbiant &s = loose.all().first();
    QCOMPARE(s.name, QStringLiteral("Say \"hi\", Unit"));
    QCOMPARE(BodySlotNames().at(s.slot), QStringLiteral("LEFT HAND"));
    QCOMPARE(s.unit, QStringLiteral("Infantry"));
    QCOMPARE(s.abilities, (Abilities{3, 4, 5, 6, 7, 8}));
    QCOMPARE(s.professions, (QStringList{"Trader", "Doctor"}));
    QCOMPARE(s.bonuses, (QList<SymbiantBonus>{{"Treatment", 4}, {"Max Nano", -2}}));
    QCOMPARE(loose.lines(BodySlotNames()).at(1),
             QStringLiteral("\"Say \"\"hi\"\", Unit\",LEFT HAND,7,Infantry,1,2,3,4,5,6,7,8,Trader;Doctor,"
                            "Treatment=4;Max Nano=-2"));
}

void TstSymbiants::allows_data()
{
    QTest::addColumn<QStringList>("professions");
    QTest::addColumn<int>("profession");
    QTest::addColumn<bool>("allowed");
    const int doctor = ProfessionIndex(u"Doctor");
    const int trader = ProfessionIndex(u"Trader");
    QTest::newRow("none named, any profession") << QStringList() << doctor << true;
    QTest::newRow("none named, none entered") << QStringList() << -1 << true;
    QTest::newRow("named") << QStringList{"Doctor", "Trader"} << trader << true;
    QTest::newRow("not named") << QStringList{"Doctor"} << trader << false;
    QTest::newRow("named, none entered") << QStringList{"Doctor"} << -1 << false;
    QTest::newRow("named, out of range") << QStringList{"Doctor"} << ProfessionCount << false;
}

void TstSymbiants::allows()
{
    QFETCH(QStringList, professions);
    QFETCH(int, profession);
    Symbiant s;
    s.professions = professions;
    QTEST(s.allows(profession), "allowed");
}

void TstSymbiants::professionIndex()
{
    QCOMPARE(ProfessionNames().size(), qsizetype(ProfessionCount));
    QCOMPARE(ProfessionNames().first(), QStringLiteral("Adventurer"));
    QCOMPARE(ProfessionNames().last(), QStringLiteral("Trader"));
    QCOMPARE(ProfessionIndex(u"martial artist"), 8);
    QCOMPARE(ProfessionIndex(u"Nano-Technician"), 10);
    QCOMPARE(ProfessionIndex(u"Nano Technician"), -1);
    QCOMPARE(ProfessionIndex(u""), -1);
}

// An installed layout reads the user's own copy before the shipped one, and
// nothing when neither is there.
void TstSymbiants::userCopyFirst()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath("shipped"));
    QVERIFY(QDir(dir.path()).mkpath("user"));
    FileLayout layout;
    layout.portable = false;
    layout.dataDir = dir.filePath("shipped");
    layout.userDir = dir.filePath("user");
    SetLayout(layout);
    QVERIFY(!SymbiantTable::load(BodySlotNames()));
    writeFile(dir.filePath("shipped/symbiants.csv"), (Header + "\r\n" + GoodB + "\r\n").toLatin1());
    std::optional<SymbiantTable> table = SymbiantTable::load(BodySlotNames());
    QVERIFY(table);
    QCOMPARE(table->all().size(), 1);
    QCOMPARE(table->all().first().name, QStringLiteral("Beta"));
    writeFile(dir.filePath("user/symbiants.csv"), (Header + "\r\n" + GoodA + "\r\n").toLatin1());
    table = SymbiantTable::load(BodySlotNames());
    QVERIFY(table);
    QCOMPARE(table->all().size(), 1);
    QCOMPARE(table->all().first().name, QStringLiteral("Alpha, Unit"));
    SetBaseDir(QString());
}

// ReferenceData reads the file when first asked, keeps what it read, and
// reads again after forgetGameRules.
void TstSymbiants::readOnFirstUse()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    SetBaseDir(dir.path());
    ReferenceData ref;
    QCOMPARE(ref.symbiants(), nullptr);
    writeFile(dir.filePath("symbiants.csv"), (Header + "\r\n" + GoodA + "\r\n" + GoodB + "\r\n").toLatin1());
    QCOMPARE(ref.symbiants(), nullptr);
    ref.forgetGameRules();
    QVERIFY(ref.symbiants());
    QCOMPARE(ref.symbiants()->all().size(), 2);
    writeFile(dir.filePath("symbiants.csv"), (Header + "\r\n" + GoodB + "\r\n").toLatin1());
    QCOMPARE(ref.symbiants()->all().size(), 2);
    ref.forgetGameRules();
    QCOMPARE(ref.symbiants()->all().size(), 1);
    SetBaseDir(QString());
}

QTEST_GUILESS_MAIN(TstSymbiants)
#include "tst_symbiants.moc"
