#include "build/buildformulas.h"
#include "build/buildresults.h"
#include "build/buildrunner.h"
#include "build/planlabels.h"
#include "data/symbiants.h"
#include "build/suggestions.h"
#include "common/errors.h"
#include "common/paths.h"
#include "data/referencedata.h"
#include "layout/layoutstate.h"
#include "stock/stockfile.h"
#include "stock/stocksourcing.h"
#include "stock/stockstate.h"
#include "support/scriptedprompter.h"
#include "support/testfiles.h"

#include <QTemporaryDir>

#include <memory>
#include <QTest>

using namespace ludra;

namespace {

// The catalogue of the build tests: cluster, skill, Shining, Bright and
// Faded slot, category.
const QByteArray Catalogue = "Alpha Cluster,Alpha Skill,HEAD,CHEST,EAR,1\r\n"
                             "Beta Cluster,Beta Skill,CHEST,HEAD,EYE,1\r\n"
                             "Gamma Cluster,Alpha Skill,EAR,EYE,HEAD,1\r\n"
                             "Cut Cluster,Nano Cost,FEET,FEET,FEET,12\r\n"
                             "Odd Cluster,Odd Skill,LEG,LEG,LEG,13\r\n";

TNanoList catalogue()
{
    TNanoList list;
    UnknownCounter counter;
    for (const QByteArray &line : Catalogue.split('\n'))
        if (!line.trimmed().isEmpty())
            list.add(ParseCatalogueLine(QString::fromLatin1(line), counter));
    return list;
}

TSecSkills recipes(const QString &text)
{
    TSecSkills table;
    table.assign(text, 0);
    return table;
}

// Requirement rows "slot|type|cluster", built in order; the other values as
// a build leaves them before the suggestions.
QList<RequirementRow> requirementRows(const QStringList &rows)
{
    QList<RequirementRow> result;
    for (const QString &text : rows) {
        const QStringList f = text.split(u'|');
        RequirementRow row;
        row.slot = f.at(0);
        row.type = int(ClusterTypeNames().indexOf(f.at(1)));
        row.cluster = f.at(2);
        row.clusterQL = 10;
        row.implantQL = 10;
        row.treatment = 42;
        row.abilityReq = 24;
        result.append(row);
    }
    return result;
}

// The data rows, each cell of the columns a project's own result stream
// keeps joined by "|"; the later columns are tested on their own.
QStringList tableRows(const TextTable &table)
{
    const int columns = table.columnCount() == ReqCol::Count     ? ReqCol::Stored
                        : table.columnCount() == SkillCol::Count ? SkillCol::Stored
                                                                 : table.columnCount();
    QStringList result;
    for (int r = 1; r < table.rowCount(); ++r)
        result.append(table.row(r).mid(0, columns).join(u'|'));
    return result;
}

// One owned item per "QL|cost|type".
void own(StockRegister &stock, const QString &name, const QStringList &items)
{
    const int entry = name.contains(QLatin1String("Cluster")) ? stock.findCluster(name) : stock.findImplant(name);
    QVERIFY(entry >= 0);
    TStockList &list = name.contains(QLatin1String("Cluster")) ? stock.ClusterStock()[entry].stock
                                                               : stock.ImplantStock()[entry].stock;
    for (const QString &item : items) {
        const QStringList f = item.split(u'|');
        list.add(StockItem{f.at(0), f.at(1), f.value(2)}, f.size() > 2);
    }
}

} // namespace

class TstBuild : public QObject
{
    Q_OBJECT

private:
    // A whole build over the reference files of a temporary folder.
    QTemporaryDir m_dir;
    ReferenceData m_reference;
    std::unique_ptr<LayoutState> m_layout;
    BuildSettings m_settings;
    std::unique_ptr<BuildResults> m_results;
    StockState m_stock;
    ScriptedPrompter m_prompter;

    void resetBuild();
    void place(const QString &slot, int column, const QString &cluster);
    bool build();
    // Stores the register as the stock file and builds from it at level 35,
    // removing what is used, with the removal then declined.
    bool buildFromStoredStock(bool useRange);
    // Shining Alpha clusters at HEAD and CHEST, one owned at 40, HEAD's
    // implant at 35 and CHEST's at the level given.
    void ownOneClusterForHeadAndChest(const QString &chestImplantQL);

private Q_SLOTS:
    void initTestCase();
    void init() { resetBuild(); }

    void implantRequirements_data();
    void implantRequirements();
    void skillIncrease_data();
    void skillIncrease();
    void nanoProgrammingExtended_data();
    void nanoProgrammingExtended();
    void individualQL_data();
    void individualQL();

    void buildFillsTablesInLayoutOrder();
    void emptyBuildSaysWhy_data();
    void emptyBuildSaysWhy();
    void unknownClusterTallyIsWrittenOver();
    void targetOfZeroIsRefused_data();
    void targetOfZeroIsRefused();
    void badNumberEndsBuildAndRestoresLayout();

    void suggestions_data();
    void suggestions();
    void clusterNameWithParenthesis();
    void rowsCarryTheValuesTheTablesShow();
    void stoppedRowKeepsItsCells_data();
    void stoppedRowKeepsItsCells();

    void stockRules_data();
    void stockRules();
    void rangeIsReadWhereARuleNeedsIt_data();
    void rangeIsReadWhereARuleNeedsIt();
    void stockListsOfUnequalLength_data();
    void stockListsOfUnequalLength();
    void removalConsumesBeforeNextCell();
    void shoppingListAtTheLevelsThatFit();
    void confirmedRemovalRewritesStockFile();
    void unreadableStockFileIsToldOnceAndKept();

    void labelledPlanTextReadsBack_data();
    void labelledPlanTextReadsBack();
    void planLabelProblems_data();
    void planLabelProblems();
    void labelledSymbiantsReadBack();
};

void TstBuild::initTestCase()
{
    QVERIFY(m_dir.isValid());
    SetBaseDir(m_dir.path());
    writeFile(m_dir.filePath(QStringLiteral("data.csv")), Catalogue);
    writeFile(m_dir.filePath(QStringLiteral("SecSkill.csv")),
              "Strength,Beta Cluster,Empty,Alpha Cluster\r\nAgility,Empty,Empty,Alpha Cluster\r\n"
              "Gamma Cluster,Bright text,Faded text,Shining text\r\n");
    writeFile(m_dir.filePath(QStringLiteral("require.csv")),
              "Alpha Cluster,x,3\r\nBeta Cluster,x,9\r\nGamma Cluster,x,21\r\n");
    QVERIFY(m_reference.loadSkillReq(nullptr));
    QVERIFY(m_reference.loadCatalogue());
    QVERIFY(m_reference.loadSecSkills());
    QVERIFY(m_reference.loadRequirements());
}

void TstBuild::resetBuild()
{
    m_layout = std::make_unique<LayoutState>();
    m_layout->setCatalogue(m_reference.nanoList());
    m_layout->setNames(LayoutNames::ClusterNames);
    m_settings.reset();
    m_results = std::make_unique<BuildResults>();
    m_stock = StockState();
    QStringList names;
    for (int i = 0; i < m_reference.nanoList().count(); ++i)
        names.append(m_reference.nanoList().at(i)->ClusterName);
    m_stock.stock().setClusterNames(names);
    m_prompter = ScriptedPrompter();
    QFile::remove(StockPath());
}

void TstBuild::place(const QString &slot, int column, const QString &cluster)
{
    m_layout->editCell(column, int(m_reference.bodySlots().indexOf(slot)) + 1, cluster);
}

bool TstBuild::build()
{
    BuildRunner runner(m_reference, *m_layout, m_settings, *m_results, m_stock, m_prompter);
    return runner.run();
}

bool TstBuild::buildFromStoredStock(bool useRange)
{
    SaveStockFile(StockPath(), m_stock.stock());
    m_settings.useStock = true;
    m_settings.removeStock = true;
    m_settings.useRange = useRange;
    m_settings.implantQL = EnteredNumber(QStringLiteral("35"));
    m_prompter.answers = {Prompter::Answer::Ok, Prompter::Answer::No};
    return build();
}

void TstBuild::ownOneClusterForHeadAndChest(const QString &chestImplantQL)
{
    place(QStringLiteral("HEAD"), 1, QStringLiteral("Alpha Cluster"));
    place(QStringLiteral("CHEST"), 1, QStringLiteral("Alpha Cluster"));
    own(m_stock.stock(), QStringLiteral("Alpha Cluster"), {"40|1|Shining"});
    own(m_stock.stock(), QStringLiteral("HEAD"), {"35|100"});
    own(m_stock.stock(), QStringLiteral("CHEST"), {chestImplantQL + QStringLiteral("|100")});
}

void TstBuild::implantRequirements_data()
{
    QTest::addColumn<int>("q");
    QTest::addColumn<qint64>("treatment");
    QTest::addColumn<qint64>("secondary");
    QTest::newRow("0") << 0 << qint64(6) << qint64(4);
    QTest::newRow("1") << 1 << qint64(11) << qint64(6);
    QTest::newRow("100") << 100 << qint64(479) << qint64(204);
    QTest::newRow("200") << 200 << qint64(951) << qint64(404);
    QTest::newRow("201") << 201 << qint64(1001) << qint64(426);
    QTest::newRow("250") << 250 << qint64(1521) << qint64(757);
    QTest::newRow("300") << 300 << qint64(2051) << qint64(1095);
}

void TstBuild::implantRequirements()
{
    QFETCH(int, q);
    QFETCH(qint64, treatment);
    QFETCH(qint64, secondary);
    QCOMPARE(TreatmentReq(q), treatment);
    QCOMPARE(SecondarySkillReq(q), secondary);
}

void TstBuild::skillIncrease_data()
{
    QTest::addColumn<QString>("cluster");
    QTest::addColumn<int>("q");
    QTest::addColumn<QList<qint64>>("shiningBrightFaded");
    // Skill clusters: base 6, 3, 2 at level 1; the table's 105, 63, 42 at 200
    // and 141, 85, 57 at 300.
    QTest::newRow("skill 1") << "Alpha Cluster" << 1 << QList<qint64>{6, 3, 2};
    QTest::newRow("skill 100") << "Alpha Cluster" << 100 << QList<qint64>{55, 33, 22};
    QTest::newRow("skill 200") << "Alpha Cluster" << 200 << QList<qint64>{105, 63, 42};
    QTest::newRow("skill 201") << "Alpha Cluster" << 201 << QList<qint64>{105, 63, 42};
    QTest::newRow("skill 300") << "Alpha Cluster" << 300 << QList<qint64>{141, 85, 57};
    // Nano Cost falls below 2 and is held there.
    QTest::newRow("nano cost 100") << "Cut Cluster" << 100 << QList<qint64>{2, 2, 2};
    QTest::newRow("category 13") << "Odd Cluster" << 150 << QList<qint64>{2, 2, 2};
    QTest::newRow("not in catalogue") << "Nobody" << 150 << QList<qint64>{2, 2, 2};
}

void TstBuild::skillIncrease()
{
    QFETCH(QString, cluster);
    QFETCH(int, q);
    QFETCH(QList<qint64>, shiningBrightFaded);
    const TNanoList nanoList = catalogue();
    const TSkillReq table;
    QList<qint64> got;
    for (const QString &type : ClusterTypeNames())
        got.append(SkillIncrease(nanoList, table, cluster, type, q));
    QCOMPARE(got, shiningBrightFaded);
}

void TstBuild::nanoProgrammingExtended_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("q");
    QTest::addColumn<qint64>("requirement");
    // Exactly whole in decimal, one below in the program's arithmetic.
    QTest::newRow("3 shining 200") << "3" << "Shining" << 200 << qint64(2);
    QTest::newRow("9 shining 200") << "9" << "Shining" << 200 << qint64(8);
    QTest::newRow("21 shining 200") << "21" << "Shining" << 200 << qint64(20);
    QTest::newRow("200 bright 100") << "200" << "Bright" << 100 << qint64(75);
    QTest::newRow("720 faded 150") << "720" << "Faded" << 150 << qint64(270);
    QTest::newRow("unknown cluster") << "" << "Shining" << 200 << qint64(0);
}

void TstBuild::nanoProgrammingExtended()
{
    QFETCH(QString, base);
    QFETCH(QString, type);
    QFETCH(int, q);
    QFETCH(qint64, requirement);
    RequirementList requirements;
    if (!base.isEmpty())
        requirements.append(Requirement{QStringLiteral(" X "), base});
    QCOMPARE(ClusterSkillReq(requirements, QStringLiteral("X"), type, q), requirement);
}

void TstBuild::individualQL_data()
{
    QTest::addColumn<QList<ImplantSelection>>("selections");
    QTest::addColumn<QString>("slot");
    QTest::addColumn<int>("individual");
    QTest::addColumn<int>("implant");
    const QList<ImplantSelection> none;
    QList<ImplantSelection> eye(13);
    eye[3] = ImplantSelection{true, EnteredNumber(QStringLiteral("0"))};
    eye[12] = ImplantSelection{false, EnteredNumber(QStringLiteral("150"))};
    QTest::newRow("nothing selected") << none << "HEAD" << -1 << 0;
    QTest::newRow("selected at 0") << eye << "EYE" << 0 << 0;
    QTest::newRow("typed but not ticked") << eye << "FEET" << -1 << 0;
    QTest::newRow("slot name padded") << eye << " EYE " << 0 << 0;
    QTest::newRow("short list") << QList<ImplantSelection>{{true, EnteredNumber(QStringLiteral("77"))}} << "CHEST" << -1
                                << 0;
    QTest::newRow("not a slot") << eye << "TAIL" << -1 << 0;
}

void TstBuild::individualQL()
{
    QFETCH(QList<ImplantSelection>, selections);
    QFETCH(QString, slot);
    QFETCH(int, individual);
    QFETCH(int, implant);
    BuildSettings settings;
    settings.target = BuildSettings::Target::Individual;
    QCOMPARE(IndividualQL(selections, BodySlotNames(), slot), individual);
    QCOMPARE(ImplantQL(settings, selections, BodySlotNames(), slot), implant);
}

void TstBuild::buildFillsTablesInLayoutOrder()
{
    // CHEST before HEAD in the layout's order; within HEAD, Bright after
    // Shining although placed first.
    place(QStringLiteral("HEAD"), 2, QStringLiteral("Beta Cluster"));
    place(QStringLiteral("HEAD"), 1, QStringLiteral("Alpha Cluster"));
    place(QStringLiteral("EAR"), 1, QStringLiteral("Gamma Cluster"));
    m_settings.implantQL = EnteredNumber(QStringLiteral("200"));
    QVERIFY(build());
    QCOMPARE(tableRows(m_results->reqTable()),
             QStringList({"Alpha Cluster (QL 200)|0|2|HEAD (QL 200)|Shining|951|404  - Strength",
                          "Beta Cluster (QL 200)|0|6|HEAD (QL 200)|Bright|951|404  - Strength",
                          "Gamma Cluster (QL 200)|0|20|EAR (QL 200)|Shining|951|404 - Shining text - Unknown"}));
    // Two clusters of one skill make one row with their sum.
    QCOMPARE(tableRows(m_results->skillIncTable()),
             QStringList({"Alpha Skill|210|2", "Beta Skill|63|1"}));
    QCOMPARE(tableRows(m_results->suggestTable()), QStringList({"||"}));
    QVERIFY(m_prompter.asked.isEmpty());
}

// A build that makes no requirement row leaves every table blank, with no
// row of its own for an implant that is not there, and says why.
void TstBuild::emptyBuildSaysWhy_data()
{
    QTest::addColumn<bool>("placed");
    QTest::addColumn<bool>("useStock");
    QTest::addColumn<int>("outcome");
    QTest::newRow("empty layout") << false << false << int(BuildOutcome::NothingPlaced);
    QTest::newRow("only unselected slots") << true << false << int(BuildOutcome::NothingPlaced);
    QTest::newRow("nothing in stock") << true << true << int(BuildOutcome::NothingSourced);
}

void TstBuild::emptyBuildSaysWhy()
{
    QFETCH(bool, placed);
    QFETCH(bool, useStock);
    QFETCH(int, outcome);
    m_settings.setAttribute(Attribute::Agility, true);
    if (placed)
        place(QStringLiteral("HEAD"), 1, QStringLiteral("Alpha Cluster"));
    if (placed && !useStock) {
        // "Individual Implant Levels" with only CHEST selected.
        QList<ImplantSelection> selections(13);
        selections[1] = ImplantSelection{true, EnteredNumber(QStringLiteral("50"))};
        m_settings.target = BuildSettings::Target::Individual;
        m_layout->setImplantSelections(selections);
    }
    m_settings.useStock = useStock;
    QVERIFY(build());
    QCOMPARE(tableRows(m_results->reqTable()), QStringList({"||||||"}));
    QCOMPARE(tableRows(m_results->skillIncTable()), QStringList({"||"}));
    QCOMPARE(tableRows(m_results->suggestTable()), QStringList({"||"}));
    QCOMPARE(int(m_results->outcome()), outcome);
    QVERIFY(!OutcomeText(m_results->outcome()).isEmpty());
}

void TstBuild::unknownClusterTallyIsWrittenOver()
{
    place(QStringLiteral("HEAD"), 1, QStringLiteral("Nobody"));
    place(QStringLiteral("CHEST"), 1, QStringLiteral("Beta Cluster"));
    m_settings.implantQL = EnteredNumber(QStringLiteral("100"));
    QVERIFY(build());
    QCOMPARE(m_results->reqTable().rowCount(), 3);
    QCOMPARE(m_results->reqTable().cell(ReqCol::SkillReq, 1), QStringLiteral("0"));
    // The unknown cluster's tally went into the blank first row, which the
    // next skill then took over.
    QCOMPARE(tableRows(m_results->skillIncTable()), QStringList({"Beta Skill|55|1"}));
}

void TstBuild::targetOfZeroIsRefused_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("0") << "0";
    QTest::newRow("00") << "00";
}

void TstBuild::targetOfZeroIsRefused()
{
    QFETCH(QString, target);
    place(QStringLiteral("HEAD"), 1, QStringLiteral("Alpha Cluster"));
    m_settings.implantQL = EnteredNumber(target);
    QVERIFY(!build());
    QCOMPARE(m_prompter.titles(), QStringList{QStringLiteral("Insufficient Target")});
    QCOMPARE(m_prompter.asked.first().text, QStringLiteral("You must set an Implant target level above 0!"));
    QCOMPARE(tableRows(m_results->reqTable()), QStringList({"||||||"}));
}

void TstBuild::badNumberEndsBuildAndRestoresLayout()
{
    place(QStringLiteral("HEAD"), 1, QStringLiteral("Alpha Cluster"));
    place(QStringLiteral("CHEST"), 1, QStringLiteral("Beta Cluster"));
    QVERIFY(m_layout->setView(LayoutView::SkillSet));
    m_layout->setNames(LayoutNames::SkillNames);
    QList<ImplantSelection> selections(13);
    selections[0] = ImplantSelection{true, EnteredNumber(QStringLiteral("50"))};
    selections[1] = ImplantSelection{true, EnteredNumber(QStringLiteral("abc"))};
    m_settings.target = BuildSettings::Target::Individual;
    m_layout->setImplantSelections(selections);
    try {
        build();
        QFAIL("a quality level of abc was built");
    } catch (const EConvertError &e) {
        QCOMPARE(e.message(), QStringLiteral("'abc' is not a valid integer value"));
    }
    QCOMPARE(m_layout->currentView(), LayoutView::SkillSet);
    QCOMPARE(m_layout->names(), LayoutNames::SkillNames);
    // What was written before the stop stays.
    QCOMPARE(m_results->reqTable().cell(ReqCol::Cluster, 1), QStringLiteral("Alpha Cluster (QL 50)"));
}

void TstBuild::suggestions_data()
{
    QTest::addColumn<QString>("recipes");
    QTest::addColumn<QStringList>("requirements");
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<QStringList>("secondary");
    QTest::addColumn<QStringList>("suggested");
    const QString headRecipes = QStringLiteral("Strength,Empty,Empty,X\nAgility,Y,Empty,X\n");
    QTest::newRow("head example") << headRecipes << QStringList{"HEAD|Shining|X"} << QStringList{"Agility"}
                                  << QStringList{"24  - Strength"} << QStringList{"(Bright) Y|HEAD|Agility"};
    QTest::newRow("nothing ticked") << headRecipes << QStringList{"HEAD|Shining|X"} << QStringList{}
                                    << QStringList{"24  - Strength"} << QStringList{"||"};
    QTest::newRow("own attribute ticked")
        << headRecipes << QStringList{"HEAD|Shining|X"} << QStringList{"Agility", "Strength"}
        << QStringList{"24  - Strength"} << QStringList{"||"};
    QTest::newRow("full implant") << QStringLiteral("Strength,B,F,X\nAgility,B,F,X\n")
                                  << QStringList{"EYE|Shining|X", "EYE|Bright|B", "EYE|Faded|F"}
                                  << QStringList{"Agility"}
                                  << QStringList{"24  - Strength", "24  - Strength", "24  - Strength"}
                                  << QStringList{"||"};
    QTest::newRow("no recipe") << headRecipes << QStringList{"EAR|Faded|Q"} << QStringList{"Agility"}
                               << QStringList{"24  - Unknown"} << QStringList{"||"};
    // A cluster name is cut at its first "(".
    QTest::newRow("parenthesis cut") << QStringLiteral("Strength,Empty,Empty,X\nAgility,Y,Z,X\n")
                                     << QStringList{"HEAD|Shining|X (Mk2)"} << QStringList{"Agility"}
                                     << QStringList{"24  - Strength"}
                                     << QStringList{"(Faded) Z, (Bright) Y|HEAD|Agility"};
    // Rows of one implant anywhere in the table form one group, placed in
    // the order of its first row; an empty suggestion is written over.
    QTest::newRow("groups and overwrite")
        << QStringLiteral("Strength,Empty,Empty,X\nSense,Empty,Empty,X\nSense,Empty,W,X\nStrength,V,Empty,Empty\n")
        << QStringList{"HEAD|Shining|X", "CHEST|Bright|V", "HEAD|Bright|Empty"} << QStringList{"Sense"}
        << QStringList{"24  - Strength", "24  - Strength", "24  - Strength"}
        << QStringList{"(Faded) W|HEAD|Sense"};
}

void TstBuild::suggestions()
{
    QFETCH(QString, recipes);
    QFETCH(QStringList, requirements);
    QFETCH(QStringList, ticked);
    QFETCH(QStringList, secondary);
    QFETCH(QStringList, suggested);
    BuildSettings settings;
    for (const QString &name : ticked)
        settings.setAttribute(Attribute(AttributeNames().indexOf(name)), true);
    QList<RequirementRow> rows = requirementRows(requirements);
    const Suggestions found = BuildSuggestions(rows, ::recipes(recipes), settings);
    QStringList gotSecondary;
    for (RequirementRow &row : rows) {
        row.attribute = found.attributeOf(row.slot);
        gotSecondary.append(RequirementCells(row).at(ReqCol::SecondarySkill));
    }
    QCOMPARE(gotSecondary, secondary);
    BuildResults results;
    results.setSuggestionRows(found.rows);
    QCOMPARE(tableRows(results.suggestTable()), suggested);
}

void TstBuild::clusterNameWithParenthesis()
{
    place(QStringLiteral("HEAD"), 1, QStringLiteral("Alpha Cluster (Mk2)"));
    place(QStringLiteral("CHEST"), 1, QStringLiteral("Alpha Cluster"));
    place(QStringLiteral("CHEST"), 2, QStringLiteral("Beta Cluster"));
    place(QStringLiteral("EAR"), 1, QStringLiteral("Gamma Cluster"));
    m_settings.implantQL = EnteredNumber(QStringLiteral("100"));
    m_settings.setAttribute(Attribute::Strength, true);
    QVERIFY(build());
    QCOMPARE(tableRows(m_results->reqTable()),
             QStringList({"Alpha Cluster (Mk2) (QL 100)|0|0|HEAD (QL 100)|Shining|479|204  - Agility",
                          "Alpha Cluster (QL 100)|0|1|CHEST (QL 100)|Shining|479|204  - Strength",
                          "Beta Cluster (QL 100)|0|3|CHEST (QL 100)|Bright|479|204  - Strength",
                          "Gamma Cluster (QL 100)|0|10|EAR (QL 100)|Shining|479|204 - Shining text - Unknown"}));
    QCOMPARE(tableRows(m_results->skillIncTable()), QStringList({"Alpha Skill|110|2", "Beta Skill|33|1"}));
    QCOMPARE(tableRows(m_results->suggestTable()), QStringList({"(Bright) Beta Cluster|HEAD|Strength"}));
}

// The build's rows hold as values what their tables show as text; a sort
// orders the tables alone, and an opened project brings back tables without
// rows.
void TstBuild::rowsCarryTheValuesTheTablesShow()
{
    place(QStringLiteral("HEAD"), 1, QStringLiteral("Alpha Cluster"));
    place(QStringLiteral("EAR"), 1, QStringLiteral("Gamma Cluster"));
    own(m_stock.stock(), QStringLiteral("Alpha Cluster"), {"45|7|Shining"});
    own(m_stock.stock(), QStringLiteral("Gamma Cluster"), {"50|3|Shining"});
    own(m_stock.stock(), QStringLiteral("HEAD"), {"40|100"});
    own(m_stock.stock(), QStringLiteral("EAR"), {"40|100"});
    SaveStockFile(StockPath(), m_stock.stock());
    m_settings.useStock = true;
    m_settings.useRange = true;
    m_settings.implantQL = EnteredNumber(QStringLiteral("40"));
    m_settings.setAttribute(Attribute::Strength, true);
    QVERIFY(build());

    const QList<RequirementRow> &rows = m_results->requirementRows();
    QCOMPARE(rows.size(), 2);
    const RequirementRow &head = rows.at(0);
    QCOMPARE(head.cluster, QStringLiteral("Alpha Cluster"));
    QVERIFY(head.record);
    QCOMPARE(head.record->SkillName, QStringLiteral("Alpha Skill"));
    QCOMPARE(head.slot, QStringLiteral("HEAD"));
    QCOMPARE(head.typeName(), QStringLiteral("Shining"));
    QCOMPARE(head.clusterQL, 45);
    QCOMPARE(head.implantQL, 40);
    QCOMPARE(head.credits, 7);
    QCOMPARE(head.treatment, qint64(195));
    QCOMPARE(head.abilityReq, qint64(84));
    QCOMPARE(head.recipeText, QString());
    QCOMPARE(head.attribute, std::optional<QString>(QStringLiteral("Agility")));
    QCOMPARE(rows.at(1).recipeText, QStringLiteral("- Shining text"));
    QCOMPARE(rows.at(1).attribute, std::optional<QString>(QStringLiteral("Unknown")));
    QCOMPARE(tableRows(m_results->reqTable()),
             QStringList({"Alpha Cluster (QL 45)|7|0|HEAD (QL 40)|Shining|195|84  - Agility",
                          "Gamma Cluster (QL 50)|3|4|EAR (QL 40)|Shining|195|84 - Shining text - Unknown"}));
    for (int r = 0; r < rows.size(); ++r)
        QCOMPARE(RequirementCells(rows.at(r)), m_results->reqTable().row(r + 1));
    QCOMPARE(m_results->skillTotalRows().size(), 1);
    QCOMPARE(m_results->skillTotalRows().first().skill, QStringLiteral("Alpha Skill"));
    QCOMPARE(m_results->skillTotalRows().first().clusters, qint64(2));
    QCOMPARE(m_results->suggestionRows(),
             QList<SuggestionRow>({{QStringLiteral("(Bright) Beta Cluster"), QStringLiteral("HEAD"),
                                    QStringLiteral("Strength")}}));

    m_results->sortByHeading(SortableTable::Requirements, ReqCol::Cluster, false);
    m_results->sortByHeading(SortableTable::Requirements, ReqCol::Cluster, false);
    QCOMPARE(m_results->reqTable().cell(ReqCol::Implant, 1), QStringLiteral("EAR (QL 40)"));
    QCOMPARE(m_results->requirementRows().first().slot, QStringLiteral("HEAD"));

    m_results->markRestored();
    QVERIFY(m_results->requirementRows().isEmpty());
    QVERIFY(m_results->skillTotalRows().isEmpty());
    QVERIFY(m_results->suggestionRows().isEmpty());
    QCOMPARE(m_results->reqTable().rowCount(), 3);
    QCOMPARE(m_results->outcome(), BuildOutcome::Built);
}

// A stock value that is no number stops the build inside a row: the row
// keeps the cells written before the value was read.
void TstBuild::stoppedRowKeepsItsCells_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("level read while sourcing")
        << QStringList{"40|1|Shining", "x40|2|Shining"} << "'x40' is not a valid integer value"
        << QStringList{"Beta Cluster (QL 40)|0|1|HEAD (QL 40)|Bright|195|84 ", "||||Shining||"};
    QTest::newRow("cost") << QStringList{"40|c1|Shining"} << "'c1' is not a valid integer value"
                          << QStringList{"Beta Cluster (QL 40)|0|1|HEAD (QL 40)|Bright|195|84 ",
                                         "Alpha Cluster (QL 40)||0|CHEST (QL 40)|Shining||"};
}

void TstBuild::stoppedRowKeepsItsCells()
{
    QFETCH(QStringList, items);
    QFETCH(QString, message);
    QFETCH(QStringList, rows);
    place(QStringLiteral("HEAD"), 2, QStringLiteral("Beta Cluster"));
    place(QStringLiteral("CHEST"), 1, QStringLiteral("Alpha Cluster"));
    own(m_stock.stock(), QStringLiteral("Beta Cluster"), {"40|0|Bright"});
    own(m_stock.stock(), QStringLiteral("Alpha Cluster"), items);
    own(m_stock.stock(), QStringLiteral("HEAD"), {"40|100"});
    own(m_stock.stock(), QStringLiteral("CHEST"), {"40|100"});
    SaveStockFile(StockPath(), m_stock.stock());
    m_settings.useStock = true;
    m_settings.implantQL = EnteredNumber(QStringLiteral("40"));
    m_settings.setAttribute(Attribute::Strength, true);
    try {
        build();
        QFAIL("a stock value that is no number was built");
    } catch (const EConvertError &e) {
        QCOMPARE(e.message(), message);
    }
    QCOMPARE(tableRows(m_results->reqTable()), rows);
    QCOMPARE(tableRows(m_results->skillIncTable()), QStringList({"Beta Skill|15|1"}));
}

void TstBuild::stockRules_data()
{
    QTest::addColumn<bool>("useRange");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("available");
    QTest::addColumn<int>("sourced");
    QTest::addColumn<int>("cost");
    const QStringList range{"34|1|Shining", "70|2|Shining", "71|3|Shining", "35|4|Bright"};
    QTest::newRow("range on: 35 to 70") << true << range << 35 << true << 70 << 2;
    QTest::newRow("range on: 36 to 71") << true << range << 36 << true << 70 << 2;
    QTest::newRow("range on: nothing from 72") << true << range << 72 << false << 72 << 0;
    QTest::newRow("range off: from 35 up") << false << range << 35 << true << 70 << 2;
    QTest::newRow("range off: 34 qualifies") << false << range << 34 << true << 34 << 1;
    QTest::newRow("lowest chosen") << false << QStringList{"50|5|Shining", "40|4|Shining", "45|6|Shining"} << 35
                                   << true << 40 << 4;
    // Sourcing takes the later of two equal items; the cost is the first's.
    QTest::newRow("equal levels") << false << QStringList{"40|1|Shining", "40|3|Shining"} << 40 << true << 40 << 1;
    QTest::newRow("cost at the level") << false << QStringList{"40|7|Shining", "40|9|Bright"} << 40 << true << 40
                                       << 7;
    // The cost lookup compares the level's text.
    QTest::newRow("035 sourced, no cost") << false << QStringList{"035|12|Shining"} << 35 << true << 35 << 0;
}

void TstBuild::stockRules()
{
    QFETCH(bool, useRange);
    QFETCH(QStringList, items);
    QFETCH(int, target);
    QFETCH(bool, available);
    QFETCH(int, sourced);
    QFETCH(int, cost);
    m_settings.useStock = true;
    m_settings.useRange = useRange;
    own(m_stock.stock(), QStringLiteral("Alpha Cluster"), items);
    const QString name = QStringLiteral("Alpha Cluster");
    const QString type = QStringLiteral("Shining");
    QCOMPARE(ClusterAvailable(m_stock.stock(), m_settings.stockUse(), name, type, target), available);
    QCOMPARE(SourceCluster(m_stock, m_settings.stockUse(), name, type, target, false), sourced);
    QCOMPARE(StockCost(m_stock.stock(), m_settings.stockUse(), name, type, sourced), cost);
    // Without stock use everything is there at the level asked for, free.
    m_settings.useStock = false;
    QVERIFY(ClusterAvailable(m_stock.stock(), m_settings.stockUse(), name, type, 999));
    QCOMPARE(SourceCluster(m_stock, m_settings.stockUse(), name, type, 999, true), 999);
    QCOMPARE(StockCost(m_stock.stock(), m_settings.stockUse(), name, type, sourced), 0);
    QCOMPARE(m_stock.ClustersDeleted, 0);
}

// The range's text is converted where a rule compares a level with it, and
// its message is the one integer message; off, it is never read.
void TstBuild::rangeIsReadWhereARuleNeedsIt_data()
{
    QTest::addColumn<bool>("useRange");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<bool>("throws");
    QTest::newRow("range off") << false << QStringList{"40|1|Shining"} << false;
    QTest::newRow("no item of the type") << true << QStringList{"40|1|Bright"} << true;
    QTest::newRow("an item to compare") << true << QStringList{"40|1|Shining"} << true;
}

void TstBuild::rangeIsReadWhereARuleNeedsIt()
{
    QFETCH(bool, useRange);
    QFETCH(QStringList, items);
    QFETCH(bool, throws);
    own(m_stock.stock(), QStringLiteral("Alpha Cluster"), items);
    const StockUse use{true, useRange, EnteredNumber(QStringLiteral("3 5"))};
    const StockCell cell{QStringLiteral("HEAD"), QStringLiteral("Alpha Cluster"), QStringLiteral("Shining")};
    QString message;
    try {
        // With no item of the type only the failure line reads the range.
        const StockVerdict verdict = CheckStock(m_stock.stock(), use, cell, 40, false);
        QCOMPARE(verdict, useRange ? StockVerdict::NoStock : StockVerdict::InStock);
        if (verdict != StockVerdict::InStock)
            StockFailureLine(verdict, cell, 40, use);
    } catch (const EConvertError &e) {
        message = e.message();
    }
    QCOMPARE(message, throws ? QStringLiteral("'3 5' is not a valid integer value") : QString());
}

// A file's three lists of an entry may differ in length: an item has only the
// values its lists reach, the rules read only those, and adding or removing
// changes each list as if it stood alone.
void TstBuild::stockListsOfUnequalLength_data()
{
    QTest::addColumn<QStringList>("lists"); // levels, costs and types, "|" apart
    QTest::addColumn<QString>("change");    // "add L|C|T" or "remove K"
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("shiningAt20");
    QTest::newRow("types short")
        << QStringList{"10|20", "1|2", "Shining"} << "" << QStringList{"10|20", "1|2", "Shining"} << 2 << false;
    QTest::newRow("levels long, first removed")
        << QStringList{"10|20|30", "1|2", "Shining|Shining"} << "remove 0" << QStringList{"20|30", "2", "Shining"}
        << 1 << true;
    QTest::newRow("costs long, one added")
        << QStringList{"10", "1|2", "Shining"} << "add 20|3|Shining" << QStringList{"10|20", "1|2|3", "Shining|Shining"}
        << 3 << true;
    QTest::newRow("removed beyond the levels")
        << QStringList{"10", "1|2|3", "Shining"} << "remove 2" << QStringList{"10", "1|2", "Shining"} << 2 << false;
}

void TstBuild::stockListsOfUnequalLength()
{
    QFETCH(QStringList, lists);
    QFETCH(QString, change);
    QFETCH(QStringList, after);
    QFETCH(int, count);
    QFETCH(bool, shiningAt20);
    const auto split = [](const QString &list) { return list.isEmpty() ? QStringList() : list.split(u'|'); };
    TStockList items = TStockList::fromLists(split(lists.at(0)), split(lists.at(1)), split(lists.at(2)));
    if (change.startsWith(QLatin1String("add "))) {
        const QStringList f = change.mid(4).split(u'|');
        items.add(StockItem{f.at(0), f.at(1), f.at(2)});
    } else if (change.startsWith(QLatin1String("remove "))) {
        items.removeItem(change.mid(7).toInt());
    }
    QCOMPARE(items.qualityLevels(), split(after.at(0)));
    QCOMPARE(items.costs(), split(after.at(1)));
    QCOMPARE(items.types(), split(after.at(2)));
    QCOMPARE(items.count(), count);
    const int entry = m_stock.stock().findCluster(QStringLiteral("Alpha Cluster"));
    m_stock.stock().ClusterStock()[entry].stock = items;
    m_settings.useStock = true;
    QCOMPARE(ClusterAvailable(m_stock.stock(), m_settings.stockUse(), QStringLiteral("Alpha Cluster"),
                              QStringLiteral("Shining"), 20),
             shiningAt20);
}

// The shopping list names a cluster to buy at the lowest level that fits
// its implant (86 % of 200 for a Shining one); a cluster the build took from
// stock keeps the level it has.
void TstBuild::shoppingListAtTheLevelsThatFit()
{
    place(QStringLiteral("HEAD"), 1, QStringLiteral("Alpha Cluster"));
    place(QStringLiteral("HEAD"), 3, QStringLiteral("Beta Cluster"));
    m_settings.implantQL = EnteredNumber(QStringLiteral("200"));
    QVERIFY(build());
    TextTable list;
    FillShoppingList(*m_results, list);
    QCOMPARE(list.columnCount(), ReqCol::Stored);
    QCOMPARE(list.row(0), m_results->reqTable().row(0).mid(0, ReqCol::Stored));
    QCOMPARE(list.cell(ReqCol::Cluster, 1), QStringLiteral("Alpha Cluster (QL 172 or higher)"));
    QCOMPARE(list.cell(ReqCol::Cluster, 2), QStringLiteral("Beta Cluster (QL 164 or higher)"));
    QCOMPARE(list.row(1).mid(1), m_results->reqTable().row(1).mid(1, ReqCol::Stored - 1));

    resetBuild();
    ownOneClusterForHeadAndChest(QStringLiteral("35"));
    SaveStockFile(StockPath(), m_stock.stock());
    m_settings.useStock = true;
    m_settings.implantQL = EnteredNumber(QStringLiteral("35"));
    QVERIFY(build());
    FillShoppingList(*m_results, list);
    QCOMPARE(list.cell(ReqCol::Cluster, 1), QStringLiteral("Alpha Cluster (QL 40)"));
}

void TstBuild::removalConsumesBeforeNextCell()
{
    // Two owned Alpha clusters at 40 and 50 (the later of two at 40 is
    // taken first), three cells needing one each, one HEAD, CHEST and EAR
    // implant at 35.
    place(QStringLiteral("HEAD"), 1, QStringLiteral("Alpha Cluster"));
    m_layout->editCell(2, 2, QStringLiteral("Alpha Cluster"));
    m_layout->editCell(3, 3, QStringLiteral("Alpha Cluster"));
    own(m_stock.stock(), QStringLiteral("Alpha Cluster"),
        {"40|1|Shining", "50|2|Bright", "40|3|Shining", "50|4|Faded"});
    for (const char *slot : {"HEAD", "CHEST", "EAR"})
        own(m_stock.stock(), QString::fromLatin1(slot), {"35|100", "50|100"});
    QVERIFY(buildFromStoredStock(false));
    QCOMPARE(tableRows(m_results->reqTable()).size(), 3);
    // The cell took the later item at 40; the cost is that of the first
    // item whose level reads "40".
    QCOMPARE(m_results->reqTable().cell(ReqCol::Credits, 1), QStringLiteral("1"));
    QCOMPARE(m_results->reqTable().cell(ReqCol::Cluster, 2), QStringLiteral("Alpha Cluster (QL 50)"));
    QCOMPARE(m_results->reqTable().cell(ReqCol::Cluster, 3), QStringLiteral("Alpha Cluster (QL 50)"));
    QCOMPARE(m_prompter.asked.at(1).text,
             QStringLiteral("3 Implants and 3 Clusters were deleted making these items. Are you SURE you wish to "
                            "delete them?"));
    // No: the register is what the file says again.
    QCOMPARE(m_stock.stock().itemCount(), 10);

    // One owned cluster for two cells: the first takes it. CHEST's implant
    // is owned at 45 only, which does not serve a target of 35.
    resetBuild();
    ownOneClusterForHeadAndChest(QStringLiteral("45"));
    QVERIFY(buildFromStoredStock(true));
    QCOMPARE(tableRows(m_results->reqTable()).size(), 1);
    QCOMPARE(m_results->buildLog(), QStringList{QStringLiteral("Fail - No CHEST of Quality 35 available for "
                                                              "Alpha Cluster")});
    // With CHEST's implant at 35 the second cell fails for the cluster the
    // first one used up.
    resetBuild();
    ownOneClusterForHeadAndChest(QStringLiteral("35"));
    QVERIFY(buildFromStoredStock(true));
    QCOMPARE(m_results->buildLog(), QStringList{QStringLiteral("Fail - No Shining Alpha Cluster of between Quality "
                                                              "35 and 70 available")});
}

void TstBuild::confirmedRemovalRewritesStockFile()
{
    place(QStringLiteral("HEAD"), 1, QStringLiteral("Alpha Cluster"));
    place(QStringLiteral("CHEST"), 1, QStringLiteral("Beta Cluster"));
    own(m_stock.stock(), QStringLiteral("Alpha Cluster"), {"35|1|Shining", "36|2|Shining"});
    own(m_stock.stock(), QStringLiteral("HEAD"), {"35|100"});
    own(m_stock.stock(), QStringLiteral("CHEST"), {"35|100"});
    ImplantClusterLists kept;
    kept.lists[0] = QStringList{QStringLiteral("kept")};
    SaveStockFile(StockPath(), m_stock.stock(), &kept);
    m_settings.useStock = true;
    m_settings.removeStock = true;
    m_settings.implantQL = EnteredNumber(QStringLiteral("35"));
    QVERIFY(build()); // answers OK, then Yes
    QCOMPARE(m_results->buildLog(),
             QStringList{QStringLiteral("Fail - No Shining Beta Cluster of at least Quality 35 available")});
    QCOMPARE(m_prompter.asked.at(1).text.left(24), QStringLiteral("1 Implants and 1 Cluster"));

    StockRegister reread = m_stock.stock();
    reread.clearItems();
    ImplantClusterLists carried;
    QVERIFY(LoadStockFile(StockPath(), reread, &carried));
    QCOMPARE(reread, m_stock.stock());
    QCOMPARE(reread.itemCount(), 2);
    QCOMPARE(carried, kept);
}

void TstBuild::unreadableStockFileIsToldOnceAndKept()
{
    const QByteArray damaged("&  not a stock file");
    writeFile(StockPath(), damaged);
    m_stock.reload(StockPath(), m_prompter);
    m_stock.reload(StockPath(), m_prompter);
    QCOMPARE(m_prompter.asked.size(), 1);
    QVERIFY(m_prompter.asked.first().text.contains(QStringLiteral("could not be read")));
    QCOMPARE(m_stock.stock().itemCount(), 0);

    // A confirmed removal writes the register, keeping the damaged file aside.
    own(m_stock.stock(), QStringLiteral("HEAD"), {"35|100"});
    m_stock.save(StockPath());
    QCOMPARE(readFile(StockPath() + QStringLiteral(".unreadable")), damaged);
    m_stock.reload(StockPath(), m_prompter);
    QCOMPARE(m_stock.stock().itemCount(), 1);
    QVERIFY(m_stock.unreadableFile().isEmpty());

    // A second damaged file goes beside the first.
    writeFile(StockPath(), damaged + "2");
    m_stock.reload(StockPath(), m_prompter);
    m_stock.save(StockPath());
    QCOMPARE(readFile(StockPath() + QStringLiteral(".unreadable.2")), damaged + "2");
    QCOMPARE(m_prompter.asked.size(), 2);
    QFile::remove(StockPath() + QStringLiteral(".unreadable"));
    QFile::remove(StockPath() + QStringLiteral(".unreadable.2"));
}

namespace {

// A layout over the test catalogue with Beta and Alpha Skill selected, in
// that order, and Alpha Cluster at HEAD.
void fillLabelled(LayoutState &layout, const TNanoList &list)
{
    layout.setCatalogue(list);
    QList<SkillEntry> entries;
    for (int i = 0; i < list.count(); ++i)
        entries.append(SkillEntry{list.name(i), list.at(i)});
    layout.skills().assignAvailable(entries);
    layout.skills().selectByName(QStringLiteral("Beta Skill"));
    layout.skills().selectByName(QStringLiteral("Alpha Skill"));
    layout.editCell(1, 1, QStringLiteral("Alpha Cluster"));
}

// Two symbiants of HEAD, one of EYE.
SymbiantTable symbiantTable()
{
    const SymbiantTable table = SymbiantTable::parse(
        {QStringLiteral("\"Brain Symbiant, Control Unit\",HEAD,170,Control,1011,125,0,383,0,383,383,0,,Treatment=86"),
         QStringLiteral("\"Brain Symbiant, Control Unit\",HEAD,200,Control,1200,150,0,450,0,450,450,0,,Treatment=99"),
         QStringLiteral("\"Eye Symbiant, Control Unit\",EYE,170,Control,1011,125,0,0,0,383,0,383,,Aimed Shot=50")},
        BodySlotNames());
    Q_ASSERT(table.all().size() == 3);
    return table;
}

} // namespace

// What Copy Plan writes above the grid reads back as the same skills, target
// and character, for every kind of target.
void TstBuild::labelledPlanTextReadsBack_data()
{
    QTest::addColumn<BuildSettings>("settings");
    QTest::addColumn<QList<ImplantSelection>>("selections");
    BuildSettings one;
    one.implantQL = EnteredNumber(QStringLiteral("150"));
    QTest::newRow("one level, no character") << one << QList<ImplantSelection>();
    BuildSettings individual;
    individual.target = BuildSettings::Target::Individual;
    individual.character.stats = {700, 250, 300, 250, 350, 300, 250};
    QList<ImplantSelection> selections(BodySlotCount);
    selections[0] = ImplantSelection{true, EnteredNumber(QStringLiteral("120"))};
    selections[3] = ImplantSelection{true, EnteredNumber(QStringLiteral("90"))};
    QTest::newRow("individual levels") << individual << selections;
    BuildSettings highest;
    highest.target = BuildSettings::Target::Highest;
    highest.ladderTopLevel = 250;
    highest.character.stats = {900, 400, 420, 410, 480, 470, 460};
    highest.character.level = 150;
    highest.character.profession = 2;
    QTest::newRow("highest, level and profession") << highest << QList<ImplantSelection>();
}

void TstBuild::labelledPlanTextReadsBack()
{
    QFETCH(BuildSettings, settings);
    QFETCH(QList<ImplantSelection>, selections);
    const TNanoList list = catalogue();
    LayoutState layout;
    fillLabelled(layout, list);
    if (!selections.isEmpty())
        layout.setImplantSelections(selections);
    const QString text = LabelledPlanText(layout, settings);
    QVERIFY(text.startsWith(QStringLiteral("Skills:\tBeta Skill\tAlpha Skill\nTarget:\t")));

    const PlanReading reading = ReadPlanText(text, list, BodySlotNames());
    QCOMPARE(reading.problems, QStringList());
    LayoutState fresh;
    fillLabelled(fresh, list);
    fresh.skills().clearAll();
    const PlanLabels labels = ReadPlanLabels(reading, fresh.skills());
    QCOMPARE(labels.problems, QStringList());
    PlacePlan(fresh, reading);
    ApplyPlanSkills(labels, fresh);
    QCOMPARE(fresh.skills().selected(), layout.skills().selected());
    QCOMPARE(PlanText(fresh), PlanText(layout));
    if (!selections.isEmpty())
        QCOMPARE(fresh.plan().implantSelections, selections);
    QCOMPARE(PlanLabelSettings(labels, BuildSettings()), settings);

    // The grid alone, as older texts have it, changes neither.
    const PlanReading older = ReadPlanText(PlanText(layout), list, BodySlotNames());
    const PlanLabels none = ReadPlanLabels(older, fresh.skills());
    QVERIFY(!none.skills && !none.target && !none.character && none.problems.isEmpty());
    QCOMPARE(PlanLabelSettings(none, settings), settings);
}

// A labelled line that cannot be read is told with its line, and the value.
void TstBuild::planLabelProblems_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("problem");
    QTest::newRow("unknown skill") << "Skills:\tAlpha Skill\tGamma Skill"
                                   << "Line 1: no skill is called \"Gamma Skill\".";
    QTest::newRow("level above the top") << "Target:\tQL 301"
                                         << "Line 1: the target \"QL 301\" is neither a level from 1 to 300, "
                                            "\"Individual Implant Levels\" nor \"Highest I Can Wear\".";
    QTest::newRow("not a slot") << "skills: alpha skill\nTarget:\tIndividual Implant Levels\tHEDA QL 20"
                                << "Line 2: the target \"HEDA QL 20\" is no body slot and level from 1 to 300.";
    QTest::newRow("stat too high")
        << "Character: Treatment 99999999999, Strength 1, Agility 1, Stamina 1, Intelligence 1, Psychic 1, Sense 1"
        << "Line 1: the character cannot be read: the value in \"Treatment 99999999999\" is no number from 0 to "
           "9999.";
    QTest::newRow("stat missing") << "Character:\tTreatment 700"
                                  << "Line 1: the character cannot be read: Strength is missing.";
    QTest::newRow("given twice") << "Target: QL 20\nTarget: QL 30" << "Line 2: Target is given twice.";
    QTest::newRow("symbiant of another slot")
        << "Symbiants:\tEYE=Brain Symbiant, Control Unit (QL 200)"
        << "Line 1: \"Brain Symbiant, Control Unit (QL 200)\" is worn in HEAD, not in EYE.";
    // Of two symbiants of one name, the level tells which.
    QTest::newRow("name of two") << "Symbiants:\tHEAD=Brain Symbiant, Control Unit"
                                 << "Line 1: no symbiant of HEAD is called \"Brain Symbiant, Control Unit\".";
    QTest::newRow("no slot") << "Symbiants:\tEye Symbiant, Control Unit"
                             << "Line 1: \"Eye Symbiant, Control Unit\" is no body slot and symbiant, as in "
                                "\"HEAD=NAME\".";
    QTest::newRow("slot twice") << "Symbiants:\tHEAD=Brain Symbiant, Control Unit (QL 200)\thead=Brain Symbiant, "
                                   "Control Unit (QL 170)"
                                << "Line 1: HEAD is given twice.";
}

void TstBuild::planLabelProblems()
{
    QFETCH(QString, lines);
    QFETCH(QString, problem);
    const TNanoList list = catalogue();
    LayoutState layout;
    fillLabelled(layout, list);
    const SymbiantTable table = symbiantTable();
    const LabelledPlanReading reading =
        ReadLabelledPlanText(lines + QStringLiteral("\nHEAD\tAlpha Cluster\n"), list, layout.skills(), &table);
    QCOMPARE(reading.problems, QStringList{problem});
}

// A plan with symbiants is copied with them, its clusters behind them too,
// and pasted over a plan with other symbiants it wears its own only; an older
// text leaves the symbiants as they are.
void TstBuild::labelledSymbiantsReadBack()
{
    const TNanoList list = catalogue();
    const SymbiantTable table = symbiantTable();
    const int eye = int(BodySlotNames().indexOf(QStringLiteral("EYE")));
    LayoutState layout;
    fillLabelled(layout, list);
    layout.setSymbiant(0, QStringLiteral("Brain Symbiant, Control Unit (QL 200)"));
    const QString text = LabelledPlanText(layout, BuildSettings());
    QVERIFY2(text.contains(QStringLiteral("\nSymbiants:\tHEAD=Brain Symbiant, Control Unit (QL 200)\nSlot\t")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("\nHEAD\tAlpha Cluster\t")));

    LayoutState fresh;
    fillLabelled(fresh, list);
    fresh.editCell(1, 1, QString());
    fresh.setSymbiant(0, QStringLiteral("Brain Symbiant, Control Unit (QL 170)"));
    fresh.setSymbiant(eye, QStringLiteral("Eye Symbiant, Control Unit (QL 170)"));
    const LabelledPlanReading reading = ReadLabelledPlanText(text, list, fresh.skills(), &table);
    QCOMPARE(reading.problems, QStringList());
    PlaceLabelledPlan(fresh, reading.plan, reading.labels);
    QCOMPARE(PlanText(fresh), PlanText(layout));
    for (int slot = 0; slot < BodySlotCount; ++slot)
        QCOMPARE(fresh.plan().symbiant(slot), layout.plan().symbiant(slot));
    QCOMPARE(fresh.skills().selected(), layout.skills().selected());

    // Typed, with a name alone and semicolons between.
    const LabelledPlanReading typed = ReadLabelledPlanText(
        QStringLiteral("symbiants: eye = eye symbiant, control unit; HEAD=Brain Symbiant, Control Unit (QL 170)\n"
                       "HEAD\tAlpha Cluster\n"),
        list, fresh.skills(), &table);
    QCOMPARE(typed.problems, QStringList());
    QStringList worn(BodySlotCount);
    worn[0] = QStringLiteral("Brain Symbiant, Control Unit (QL 170)");
    worn[eye] = QStringLiteral("Eye Symbiant, Control Unit (QL 170)");
    QCOMPARE(typed.labels.symbiants, std::optional<QStringList>(worn));

    const LabelledPlanReading older = ReadLabelledPlanText(PlanText(layout), list, fresh.skills(), &table);
    QVERIFY(!older.labels.symbiants);
    const LabelledPlanReading noTable = ReadLabelledPlanText(text, list, fresh.skills(), nullptr);
    QCOMPARE(noTable.problems, QStringList{"Line 3: the symbiants cannot be read without the symbiant table "
                                           "\"symbiants.csv\"."});
}

QTEST_GUILESS_MAIN(TstBuild)
#include "tst_build.moc"
