#include "model/plandocument.h"
#include "model/program.h"
#include "build/buildrunner.h"
#include "build/symbiantfinder.h"
#include "reports/export.h"
#include "reports/formatreaders.h"
#include "data/nano.h"
#include "storage/projectfile.h"
#include "support/scriptedprompter.h"
#include "support/testfiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace ludra;

namespace {

struct Run
{
    int status = -1;
    QByteArray out;
    QString err;
};

Run batch(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(LUDRA_BATCH_EXE), arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

const QStringList Skills{QStringLiteral("MG & SMG"), QStringLiteral("Burst"), QStringLiteral("Computer Literacy"),
                         QStringLiteral("Agility"), QStringLiteral("Max Health")};

QList<QStringList> jsonRows(const QByteArray &json, const QString &table)
{
    QList<QStringList> rows;
    const QJsonObject object = QJsonDocument::fromJson(json).object().value(table).toObject();
    rows.append(object.value(QStringLiteral("header")).toVariant().toStringList());
    for (const QJsonValue &row : object.value(QStringLiteral("rows")).toArray())
        rows.append(row.toVariant().toStringList());
    return rows;
}

QList<QStringList> tableRows(const TextTable &table)
{
    QList<QStringList> rows;
    for (int r = 0; r < table.rowCount(); ++r)
        rows.append(table.row(r));
    return rows;
}

} // namespace

class TstBatch : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_project;
    // The tables of the plan that saved m_project, as JSON.
    QByteArray m_planJson;

    QStringList planArguments() const
    {
        QStringList arguments{QStringLiteral("plan")};
        for (const QString &skill : Skills)
            arguments << QStringLiteral("--skill") << skill;
        return arguments << QStringLiteral("--ql") << QStringLiteral("200");
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_project = m_dir.filePath(QStringLiteral("plan.lud"));
        const Run run = batch(planArguments() << QStringLiteral("--format") << QStringLiteral("json")
                                              << QStringLiteral("--save") << m_project);
        QCOMPARE(run.status, 0);
        m_planJson = run.out;
    }

    // The tool's plan gives the tables of the window's build of the same
    // layout, run here through a document of the program.
    void planEqualsInProcessBuild()
    {
        LudraProgram program;
        ScriptedPrompter prompter;
        QVERIFY(program.start(prompter).missingFiles.isEmpty());
        PlanDocument model(program);
        model.editPlan(QString(), [](LayoutState &layout) {
            for (const QString &skill : Skills)
                QVERIFY(layout.skills().selectByName(skill) > 0);
            QVERIFY(layout.allocate());
        });
        BuildSettings settings = model.buildSettings();
        settings.implantQL = EnteredNumber(QStringLiteral("200"));
        model.setSettings(settings);
        QVERIFY(model.build(prompter));

        const QList<QStringList> req = tableRows(model.results().reqTable());
        QVERIFY(req.size() > Skills.size());
        QCOMPARE(jsonRows(m_planJson, QStringLiteral("req")), req);
        QCOMPARE(jsonRows(m_planJson, QStringLiteral("skill")), tableRows(model.results().skillIncTable()));
        QCOMPARE(jsonRows(m_planJson, QStringLiteral("suggest")), tableRows(model.results().suggestTable()));

        // Each row also as typed values, the build's own numbers.
        const QJsonArray records = QJsonDocument::fromJson(m_planJson)
                                       .object()
                                       .value(QStringLiteral("req"))
                                       .toObject()
                                       .value(QStringLiteral("records"))
                                       .toArray();
        const QList<RequirementRow> &rows = model.results().requirementRows();
        QCOMPARE(records.size(), rows.size());
        for (int i = 0; i < int(rows.size()); ++i) {
            const QJsonObject record = records.at(i).toObject();
            const RequirementRow &row = rows.at(i);
            QCOMPARE(record.value("Cluster").toString(), row.cluster);
            QCOMPARE(record.value("Cluster QL").toInteger(), row.clusterQL);
            QCOMPARE(record.value("Implant").toString(), row.slot);
            QCOMPARE(record.value("Implant QL").toInteger(), row.implantQL);
            QCOMPARE(record.value("Skill Req").toInteger(-1), row.skillReq);
            QCOMPARE(record.value("Treatment").toInteger(-1), row.treatment);
            QCOMPARE(record.value("Secondary Skill").toInteger(-1), row.abilityReq);
            QVERIFY(row.attribute);
            QCOMPARE(record.value("Ability").toString(), *row.attribute);
            QCOMPARE(record.value("Lowest Cluster QL").toInteger(-1), row.lowestClusterQL);
        }
    }

    // A build of the saved project gives the same tables, and --save puts
    // them in the project as the window reads them.
    void buildOfSavedProject()
    {
        const QString copy = m_dir.filePath(QStringLiteral("copy.lud"));
        QVERIFY(QFile::copy(m_project, copy));
        ProjectImage image = ReadProjectFile(copy);
        image.resultReq = GridImage();
        WriteProjectFile(copy, image);

        const QString csv = m_dir.filePath(QStringLiteral("req.csv"));
        const Run build = batch({QStringLiteral("build"), copy, QStringLiteral("--save"), QStringLiteral("--table"),
                                 QStringLiteral("req"), QStringLiteral("--format"), QStringLiteral("csv"),
                                 QStringLiteral("-o"), csv});
        QCOMPARE(build.status, 0);
        QVERIFY(build.out.isEmpty());
        const QList<QStringList> req = jsonRows(m_planJson, QStringLiteral("req"));
        // The columns after the seven of the requirement stream have one of
        // their own.
        const ProjectImage saved = ReadProjectFile(copy);
        QCOMPARE(saved.resultReq.columns, 7);
        const std::optional<GridImage> whole = saved.resultReq.besides(saved.resultReqMore);
        QVERIFY(whole);
        QCOMPARE(whole->cells, req);
        QByteArray expected;
        for (const QStringList &row : req)
            expected += row.join(u',').toUtf8() + "\r\n";
        QCOMPARE(readFile(csv), expected);

        const Run json = batch({QStringLiteral("build"), copy, QStringLiteral("--format"), QStringLiteral("json")});
        QCOMPARE(json.status, 0);
        // The same tables; what allocation could not place is the plan's alone.
        QJsonObject planned = QJsonDocument::fromJson(m_planJson).object();
        QVERIFY(planned.contains(QStringLiteral("allocation")));
        planned.remove(QStringLiteral("allocation"));
        QCOMPARE(QJsonDocument::fromJson(json.out).object(), planned);

        const Run streams = batch({QStringLiteral("streams"), copy});
        QCOMPARE(streams.status, 0);
        QVERIFY(streams.out.contains("Config\t"));

        const Run check = batch({QStringLiteral("check"), copy, m_dir.filePath(QStringLiteral("missing.lud"))});
        QCOMPARE(check.status, 1);
        QVERIFY(check.out.contains("copy.lud: reads\n"));
        QVERIFY(check.out.contains("missing.lud: cannot be read"));
    }

    void exitStatuses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QString missing = m_dir.filePath(QStringLiteral("missing.lud"));
        QTest::newRow("no command") << QStringList() << 2 << "no command";
        QTest::newRow("no level") << QStringList{"plan", "--skill", "Burst"} << 2 << "--ql";
        QTest::newRow("unknown skill") << QStringList{"plan", "--skill", "burs", "--ql", "1"} << 2
                                       << "unknown skill \"burs\"; did you mean: Burst";
        QTest::newRow("bad format") << QStringList{"build", missing, "--format", "pdf"} << 2 << "pdf";
        QTest::newRow("missing file") << QStringList{"build", missing} << 1 << missing;
        QTest::newRow("hostile file") << QStringList{"build", m_dir.filePath("hostile.lud")} << 1 << "corrupt";
        QTest::newRow("hostile streams") << QStringList{"streams", m_dir.filePath("hostile.lud")} << 1 << "corrupt";
        QTest::newRow("letters as level") << QStringList{"build", m_dir.filePath("abc.lud")} << 1
                                          << "'abc' is not a valid integer value";
        QTest::newRow("hostile stock file")
            << QStringList{"build", m_dir.filePath("stock.lud"), "--data", m_dir.filePath("data")} << 1
            << "Cannot read the stock file";
        QTest::newRow("huge level") << QStringList{"build", m_dir.filePath("huge.lud")} << 1
                                    << "'99999999999' is not a valid integer value";
        QTest::newRow("nothing built") << QStringList{"plan", "--skill", "Burst", "--ql-slot", "HEAD=100"} << 1
                                       << "No selected implant holds a cluster";
        QTest::newRow("level above 300") << QStringList{"plan", "--skill", "Burst", "--ql", "9999"} << 2
                                         << "--ql must be a whole number from 1 to 300";
        QTest::newRow("slot level above 300") << QStringList{"plan", "--skill", "Burst", "--ql-slot", "HEAD=301"} << 2
                                              << "--ql-slot HEAD must be a whole number from 1 to 300";
        QTest::newRow("stored level above 300") << QStringList{"build", m_dir.filePath("high.lud")} << 1
                                                << "Quality level 350 is above 300";
        QTest::newRow("unwritable output")
            << (planArguments() << "-o" << m_dir.filePath("no/such/folder/out.txt")) << 1 << "Cannot create file";
    }

    void exitStatuses()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        writeFile(m_dir.filePath(QStringLiteral("hostile.lud")), "&\x20\xff\xff\xff\x7fgarbage beyond repair");
        ProjectImage image = ReadProjectFile(m_project);
        image.config[12] = QStringLiteral("abc");
        WriteProjectFile(m_dir.filePath(QStringLiteral("abc.lud")), image);
        image.config[12] = QStringLiteral("99999999999");
        WriteProjectFile(m_dir.filePath(QStringLiteral("huge.lud")), image);
        image.config[12] = QStringLiteral("350");
        WriteProjectFile(m_dir.filePath(QStringLiteral("high.lud")), image);
        image.config[12] = QStringLiteral("200");
        image.config[7] = QStringLiteral("1"); // "Use only available stock"
        WriteProjectFile(m_dir.filePath(QStringLiteral("stock.lud")), image);
        const QDir data(m_dir.filePath(QStringLiteral("data")));
        QVERIFY(data.mkpath(QStringLiteral(".")));
        for (const char *name : {"data.csv", "SecSkill.csv", "require.csv"})
            QFile::copy(QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(name)),
                        data.filePath(QLatin1String(name)));
        writeFile(data.filePath(QStringLiteral("default.stk")), "&*not a stock file");

        // An output file already there stays whole when the command fails.
        const QString output = m_dir.filePath(QStringLiteral("old.txt"));
        writeFile(output, "old");
        const QString command = arguments.value(0);
        const bool writes = !arguments.contains(QStringLiteral("-o")) &&
                            (command == QLatin1String("build") || command == QLatin1String("plan"));
        const Run run = batch(writes ? arguments << QStringLiteral("-o") << output : arguments);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        // A file that cannot be read is named once.
        if (message.endsWith(QLatin1String(".lud")))
            QCOMPARE(run.err.count(message), 1);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(readFile(output), QByteArray("old"));
    }

    // --ql-slot makes the plan's implant selection: the build takes its
    // levels, and a saved project keeps it as the window's dialog would.
    void slotLevelsAreThePlansSelection()
    {
        const QString saved = m_dir.filePath(QStringLiteral("slots.lud"));
        const Run plan = batch({"plan", "--skill", "Burst", "--ql-slot", "right arm=120", "--ql-slot", "RIGHT HAND=80",
                                "--table", "req", "--format", "csv", "--save", saved});
        QCOMPARE(plan.status, 0);
        QVERIFY(plan.out.contains(",RIGHT ARM (QL 120),"));
        QVERIFY(plan.out.contains(",RIGHT HAND (QL 80),"));
        QVERIFY(!plan.out.contains("RIGHT WRIST"));

        const ProjectImage image = ReadProjectFile(saved);
        QStringList ticks(BodySlotNames().size(), QStringLiteral("0"));
        QStringList levels(BodySlotNames().size());
        for (const auto &[slot, level] : {std::pair{"RIGHT ARM", "120"}, {"RIGHT HAND", "80"}}) {
            ticks[BodySlotNames().indexOf(QLatin1String(slot))] = QStringLiteral("1");
            levels[BodySlotNames().indexOf(QLatin1String(slot))] = QLatin1String(level);
        }
        QCOMPARE(image.selImpBool, ticks);
        QCOMPARE(image.selImpQL, levels);
        QCOMPARE(image.config.at(10), QStringLiteral("1"));
        QCOMPARE(image.config.at(13), QStringLiteral("2 implants selected"));
        const Run build = batch({"build", saved, "--table", "req", "--format", "csv"});
        QCOMPARE(build.status, 0);
        QCOMPARE(build.out, plan.out);
    }

    // --ladder builds at the highest levels the character can wear and writes
    // the ladder as one JSON object; a saved plan keeps its character.
    void ladder()
    {
        const QStringList stats{"--stat", "Treatment=500", "--stat", "strength=200", "--stat", "Agility=200",
                                "--stat", "Stamina=200",   "--stat", "Intelligence=250", "--stat", "Psychic=250",
                                "--stat", "Sense=200"};
        const QString saved = m_dir.filePath(QStringLiteral("ladder.lud"));
        const Run plan = batch(QStringList{"plan", "--skill", "Treatment", "--skill", "Intelligence", "--skill",
                                           "Computer Literacy", "--ladder", "--format", "json", "--save", saved} +
                               stats);
        QCOMPARE(plan.status, 0);
        const QJsonObject root = QJsonDocument::fromJson(plan.out).object();
        const QJsonObject ladder = root.value(QStringLiteral("ladder")).toObject();
        QCOMPARE(ladder.value("character").toObject().value("Treatment").toInt(), 500);
        QCOMPARE(ladder.value("character").toObject().size(), 7);
        QCOMPARE(ladder.value("maxQl").toInt(), 300);
        const QJsonArray steps = ladder.value("steps").toArray();
        QVERIFY(!steps.isEmpty());
        for (const QJsonValue &step : steps) {
            const QJsonObject object = step.toObject();
            QVERIFY(object.keys() == (QStringList{"ability", "abilityNeeded", "after", "before", "byTrickleDown",
                                                  "final", "ql", "slot", "treatment", "treatmentTrickle"}) ||
                    object.keys() == (QStringList{"ability", "abilityNeeded", "after", "before", "byTrickleDown",
                                                  "final", "ql", "replacesQl", "slot", "treatment",
                                                  "treatmentTrickle"}));
            QCOMPARE(object.value("after").toObject().size(), 7);
            // What the character has as the step is taken meets what it needs.
            const QJsonObject before = object.value("before").toObject();
            QVERIFY(before.value("Treatment").toInteger() >= object.value("treatment").toInteger());
            QVERIFY(before.value(object.value("ability").toString()).toInteger() >=
                    object.value("abilityNeeded").toInteger());
        }
        // Every implant the requirements show is built at its final level.
        const QJsonObject final = ladder.value("final").toObject();
        const QList<QStringList> req = jsonRows(plan.out, QStringLiteral("req"));
        for (int r = 1; r < req.size(); ++r) {
            const QString slot = req.at(r).at(3).section(QStringLiteral(" (QL "), 0, 0);
            QCOMPARE(req.at(r).at(3), slot + " (QL " + QString::number(final.value(slot).toInt()) + ")");
        }

        // The project's own character, and a --stat over it.
        const Run build = batch({"build", saved, "--ladder", "--table", "ladder", "--format", "json"});
        QCOMPARE(build.status, 0);
        QCOMPARE(QJsonDocument::fromJson(build.out).object().value("ladder").toObject(), ladder);
        const Run stronger = batch({"build", saved, "--stat", "Treatment=900", "--table", "ladder"});
        QCOMPARE(stronger.status, 0);
        QVERIFY(stronger.out.startsWith("Ladder\n"));
        QVERIFY(stronger.out != batch({"build", saved, "--table", "ladder"}).out);
    }

    // --no-trickle gives the skill table as it was before trickle-down: its
    // column left out, the totals of a plan at fixed levels unchanged.
    // --cheapest builds every implant at its "Same Bonus QL", with the same
    // totals, and --save keeps those levels.
    void noTrickleAndCheapest()
    {
        const QList<QStringList> skill = jsonRows(m_planJson, QStringLiteral("skill"));
        QCOMPARE(skill.at(0).last(), QStringLiteral("Trickle-Down"));
        QVERIFY(std::any_of(skill.begin() + 1, skill.end(), [](const QStringList &row) { return row.last() != "0"; }));
        const QJsonObject counted = QJsonDocument::fromJson(m_planJson).object().value("trickleDown").toObject();
        QVERIFY(counted.value("counted").toBool());
        QVERIFY(counted.value("treatment").toInt() > 0);

        const Run plain = batch({"build", m_project, "--no-trickle", "--format", "json"});
        QCOMPARE(plain.status, 0);
        const QList<QStringList> cut = jsonRows(plain.out, QStringLiteral("skill"));
        QCOMPARE(cut.size(), skill.size());
        for (int r = 0; r < cut.size(); ++r)
            QCOMPARE(cut.at(r), skill.at(r).mid(0, 3));
        QCOMPARE(jsonRows(plain.out, QStringLiteral("req")), jsonRows(m_planJson, QStringLiteral("req")));
        const QJsonObject none = QJsonDocument::fromJson(plain.out).object().value("trickleDown").toObject();
        QVERIFY(!none.value("counted").toBool());
        QCOMPARE(none.value("treatment").toInt(), 0);

        const QString copy = m_dir.filePath(QStringLiteral("cheapest.lud"));
        QVERIFY(QFile::copy(m_project, copy));
        const Run cheap = batch({"build", copy, "--cheapest", "--save", "--format", "json"});
        QCOMPARE(cheap.status, 0);
        // The project marks no attribute: that is told, and nothing else.
        QCOMPARE(cheap.err, QStringLiteral("ludra-batch: suggestions: none, since no attribute is marked important; "
                                           "give --attr\n"));
        const QList<QStringList> before = jsonRows(m_planJson, QStringLiteral("req"));
        const QList<QStringList> after = jsonRows(cheap.out, QStringLiteral("req"));
        QCOMPARE(after.size(), before.size());
        int lowered = 0;
        for (int r = 1; r < after.size(); ++r) {
            const QString slot = before.at(r).at(3).section(QStringLiteral(" (QL "), 0, 0);
            QCOMPARE(after.at(r).at(3), slot + " (QL " + before.at(r).at(8) + ")");
            QCOMPARE(after.at(r).at(8), before.at(r).at(8));
            QCOMPARE(after.at(r).at(9), QStringLiteral("0"));
            QVERIFY(after.at(r).at(5).toInt() <= before.at(r).at(5).toInt());
            lowered += before.at(r).at(8) != QLatin1String("200");
        }
        QVERIFY(lowered > 0);
        QCOMPARE(jsonRows(cheap.out, QStringLiteral("skill")), skill);
        const Run reopened = batch({"build", copy, "--table", "req", "--format", "json"});
        QCOMPARE(jsonRows(reopened.out, QStringLiteral("req")), after);

        const QString low = m_dir.filePath(QStringLiteral("low.lud"));
        QCOMPARE(batch({"plan", "--skill", "Burst", "--ql", "1", "--save", low}).status, 0);
        const Run already = batch({"build", low, "--cheapest", "--table", "req"});
        QCOMPARE(already.status, 0);
        QVERIFY2(already.err.contains("no implant has a cheaper level"), qPrintable(already.err));
    }

    // --symbiant puts a symbiant into a slot: its row comes after the
    // implants', the slot's clusters are not built, and the saved project
    // builds the same. What cannot be a symbiant of that slot is a usage error
    // that says what was wrong.
    void symbiantInASlot()
    {
        const QString title = QStringLiteral("Active Brain Symbiant, Control Unit Aban (QL 170)");
        const QString saved = m_dir.filePath(QStringLiteral("symbiant.lud"));
        const Run plan = batch({"plan", "--skill", "Treatment", "--ql", "200", "--symbiant",
                                "head=active brain symbiant, control unit aban", "--format", "json", "--save", saved});
        QCOMPARE(plan.status, 0);
        const QList<QStringList> req = jsonRows(plan.out, QStringLiteral("req"));
        QCOMPARE(req.last().mid(0, 7), (QStringList{title, "", "", "HEAD (QL 170)", "Symbiant", "1011",
                                                    "Agility 383, Intelligence 383, Psychic 383, level 125"}));
        QCOMPARE(std::count_if(req.begin(), req.end(), [](const QStringList &row) { return row.at(3).startsWith("HEAD"); }),
                 1);
        // Its 86 Treatment beside the two Treatment clusters built.
        const QList<QStringList> skill = jsonRows(plan.out, QStringLiteral("skill"));
        QCOMPARE(skill.at(1).mid(0, 3), (QStringList{"Treatment", "191", "2"}));
        QCOMPARE(ReadProjectFile(saved).symbiants, QStringList{"HEAD=" + title});
        const Run again = batch({"build", saved, "--table", "all", "--format", "json"});
        QCOMPARE(again.status, 0);
        QCOMPARE(jsonRows(again.out, QStringLiteral("req")), req);
    }

    void symbiantUsage_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("no name") << "HEAD" << "--symbiant takes SLOT=NAME";
        QTest::newRow("no slot") << "NECK=Active Brain Symbiant, Control Unit Aban" << "\"NECK\" is no body slot";
        QTest::newRow("no symbiant") << "HEAD=Active Brain" << "did you mean: \"Active Brain Symbiant, ";
        QTest::newRow("another slot") << "EYE=Active Brain Symbiant, Control Unit Aban" << "is worn in HEAD, not in EYE";
    }

    void symbiantUsage()
    {
        QFETCH(QString, value);
        QFETCH(QString, message);
        const Run run = batch({"plan", "--skill", "Burst", "--ql", "100", "--symbiant", value});
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    // A plan shared as text builds on the command line; what it cannot read
    // ends the command, told on standard error.
    // A selected skill that allocation could not place is told on standard
    // error and in the JSON, and the exit status stays the build's.
    void allocationTellsWhatItCouldNotPlace()
    {
        const Run run = batch({"plan", "--skill", "MG & SMG", "--skill", "Burst", "--skill", "Treatment", "--skill",
                               "Agility", "--skill", "Full Auto", "--ql", "200", "--format", "json"});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.contains(QStringLiteral("ludra-batch: allocation: Full Auto: no Shining cluster, since "
                                                 "RIGHT ARM's Shining place holds MG & SMG\n")),
                 qPrintable(run.err));
        const QJsonArray shortfalls = QJsonDocument::fromJson(run.out)
                                          .object()
                                          .value("allocation")
                                          .toObject()
                                          .value("shortfalls")
                                          .toArray();
        QStringList fullAuto;
        for (const QJsonValue &entry : shortfalls)
            if (entry.toObject().value("skill").toString() == QLatin1String("Full Auto"))
                fullAuto.append(entry.toObject().value("type").toString());
        // Full Auto got none of its three.
        QCOMPARE(fullAuto, (QStringList{"Shining", "Bright", "Faded"}));
        QCOMPARE(run.err.count(QStringLiteral("ludra-batch: allocation: ")), shortfalls.size());
        // A plan that places everything tells nothing of the kind.
        const Run whole = batch({"plan", "--skill", "Burst", "--ql", "200", "--format", "json"});
        QVERIFY(!whole.err.contains(QStringLiteral("allocation:")));
        QCOMPARE(QJsonDocument::fromJson(whole.out).object().value("allocation").toObject().value("shortfalls"),
                 QJsonValue(QJsonArray()));
    }

    void planFromText()
    {
        const QString good = m_dir.filePath(QStringLiteral("plan.txt"));
        writeFile(good, "Slot\tShining\tBright\tFaded\nhead\tcomputer literacy\nRIGHT ARM\tBurst\t\t\n");
        const Run plan = batch({"plan", "--layout", good, "--ql", "100", "--format", "json"});
        QCOMPARE(plan.status, 0);
        const QList<QStringList> req = jsonRows(plan.out, QStringLiteral("req"));
        QCOMPARE(req.size(), 3);
        QCOMPARE(req.at(1).at(3), QStringLiteral("HEAD (QL 100)"));
        QCOMPARE(req.at(2).at(3), QStringLiteral("RIGHT ARM (QL 100)"));

        // The text Copy Plan writes now: its skills are the plan's.
        const QString labelled = m_dir.filePath(QStringLiteral("labelled.txt"));
        writeFile(labelled, "Skills:\tburst\tComputer Literacy\nTarget:\tQL 120\nSlot\tShining\tBright\tFaded\n"
                            "head\tcomputer literacy\nRIGHT ARM\tBurst\t\t\n");
        const QString saved = m_dir.filePath(QStringLiteral("labelled.lud"));
        const Run fromLabelled = batch({"plan", "--layout", labelled, "--ql", "100", "--save", saved});
        QCOMPARE(fromLabelled.status, 0);
        QStringList selected = ReadProjectFile(saved).selected;
        selected.removeDuplicates();
        QCOMPARE(selected, (QStringList{"Burst", "Computer Literacy"}));
        // Its symbiants are worn, and a --symbiant goes on over them.
        writeFile(labelled, "Skills:\tburst\nSymbiants:\tHEAD=Active Brain Symbiant, Control Unit Aban\n"
                            "Slot\tShining\tBright\tFaded\nhead\tcomputer literacy\nRIGHT ARM\tBurst\t\t\n");
        const QString brain = QStringLiteral("HEAD=Active Brain Symbiant, Control Unit Aban (QL 170)");
        QCOMPARE(batch({"plan", "--layout", labelled, "--ql", "100", "--save", saved}).status, 0);
        QCOMPARE(ReadProjectFile(saved).symbiants, QStringList{brain});
        const QString eye = QStringLiteral("EYE=Active Ocular Symbiant, Artillery Unit Aban (QL 170)");
        QCOMPARE(batch({"plan", "--layout", labelled, "--ql", "100", "--symbiant", eye, "--save", saved}).status, 0);
        QCOMPARE(ReadProjectFile(saved).symbiants, (QStringList{brain, eye}));
        writeFile(labelled, "Target:\tQL 900\nHEAD\tBurst\n");
        const Run badTarget = batch({"plan", "--layout", labelled, "--ql", "100"});
        QCOMPARE(badTarget.status, 1);
        QVERIFY2(badTarget.err.contains("Line 1: the target \"QL 900\""), qPrintable(badTarget.err));

        const QString bad = m_dir.filePath(QStringLiteral("bad.txt"));
        writeFile(bad, "HEAD\tBurrst\n");
        const Run refused = batch({"plan", "--layout", bad, "--ql", "100"});
        QCOMPARE(refused.status, 1);
        QVERIFY2(refused.err.contains("did you mean: Burst"), qPrintable(refused.err));
        QCOMPARE(batch({"plan", "--layout", good, "--skill", "Burst", "--ql", "1"}).status, 2);
    }

    void ladderUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("a stat missing") << QStringList{"plan", "--skill", "Burst", "--ladder", "--stat", "Treatment=1"}
                                        << "missing: --stat Strength=N";
        QTest::newRow("with --ql") << QStringList{"plan", "--skill", "Burst", "--ladder", "--ql", "1"}
                                   << "takes the place of --ql";
        QTest::newRow("top level 301") << QStringList{"plan", "--skill", "Burst", "--ql", "1", "--max-ql", "301"}
                                       << "--max-ql must be a whole number from 1 to 300";
        QTest::newRow("no such stat") << QStringList{"plan", "--skill", "Burst", "--ql", "1", "--stat", "Luck=5"}
                                      << "--stat takes NAME=N";
        QTest::newRow("no ladder built") << QStringList{"plan", "--skill", "Burst", "--ql", "1", "--table", "ladder"}
                                         << "--table ladder needs";
    }

    void ladderUsage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const Run run = batch(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    // --level and --profession go into the character of plan and build and
    // are saved with it; a plan without them saves neither line.
    void levelAndProfession()
    {
        QVERIFY(!ReadProjectFile(m_project).character.join(u'\n').contains(QStringLiteral("Level=")));
        QVERIFY(!ReadProjectFile(m_project).character.join(u'\n').contains(QStringLiteral("Profession=")));

        const QString saved = m_dir.filePath(QStringLiteral("profession.lud"));
        const Run plan = batch({"plan", "--skill", "Burst", "--ql", "100", "--level", "150", "--profession",
                                "martial ARTIST", "--save", saved});
        QCOMPARE(plan.status, 0);
        QStringList character = ReadProjectFile(saved).character;
        QVERIFY2(character.contains(QStringLiteral("Level=150")), qPrintable(character.join(u' ')));
        QVERIFY(character.contains(QStringLiteral("Profession=Martial Artist")));

        // build keeps the project's own unless told otherwise.
        QCOMPARE(batch({"build", saved, "--save"}).status, 0);
        character = ReadProjectFile(saved).character;
        QVERIFY(character.contains(QStringLiteral("Level=150")));
        QVERIFY(character.contains(QStringLiteral("Profession=Martial Artist")));
        QCOMPARE(batch({"build", saved, "--level", "220", "--profession", "Trader", "--save"}).status, 0);
        character = ReadProjectFile(saved).character;
        QVERIFY(character.contains(QStringLiteral("Level=220")));
        QVERIFY(character.contains(QStringLiteral("Profession=Trader")));
        QVERIFY(!character.contains(QStringLiteral("Level=150")));
    }

    void levelAndProfessionUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const QStringList plan{"plan", "--skill", "Burst", "--ql", "1"};
        const QString level = QStringLiteral("--level must be a whole number from 1 to 220");
        QTest::newRow("level 0") << plan + QStringList{"--level", "0"} << level;
        QTest::newRow("level 221") << plan + QStringList{"--level", "221"} << level;
        QTest::newRow("level abc") << plan + QStringList{"--level", "abc"} << level;
        QTest::newRow("level empty") << plan + QStringList{"--level", ""} << level;
        QTest::newRow("build level 221") << QStringList{"build", m_project, "--level", "221"} << level;
        const QString profession = QStringLiteral("--profession must be one of: Adventurer, Agent, Bureaucrat, Doctor, "
                                                  "Enforcer, Engineer, Fixer, Keeper, Martial Artist, Meta-Physicist, "
                                                  "Nano-Technician, Shade, Soldier, Trader; not \"Wizard\"");
        QTest::newRow("unknown profession") << plan + QStringList{"--profession", "Wizard"} << profession;
        QTest::newRow("build unknown profession")
            << QStringList{"build", m_project, "--profession", "Wizard"} << profession;
        QTest::newRow("a part of a name") << plan + QStringList{"--profession", "Martial"} << "--profession must be";
    }

    void levelAndProfessionUsage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const QByteArray before = readFile(m_project);
        const Run run = batch(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QCOMPARE(readFile(m_project), before);
    }

    // HTML writes the saved layout after the requirements, escaped.
    void htmlLayoutAfterRequirements()
    {
        const Run run = batch({"build", m_project, "--format", "html"});
        QCOMPARE(run.status, 0);
        const QStringList sections = QString::fromUtf8(run.out).split(QStringLiteral("<h1>")).mid(1);
        QCOMPARE(sections.size(), 4);
        QVERIFY(sections[1].startsWith(QStringLiteral("Requirements</h1>")));
        QVERIFY(sections[2].startsWith(QStringLiteral("Layout</h1>")));
        QList<bool> th;
        QCOMPARE(ReadHtmlTable(sections[2], &th), ReadProjectFile(m_project).grid.cells);
        QVERIFY(sections[2].contains(QStringLiteral("<td>MG &amp; SMG</td>")));
    }

    // --table series writes the numbers behind the graphs in every format:
    // a row per level, and at level 200 the skill totals of the plan's build
    // at 200. "all" leaves them out.
    void series_data()
    {
        QTest::addColumn<QString>("format");
        for (const char *format : {"json", "csv", "html", "text"})
            QTest::newRow(format) << QString::fromLatin1(format);
    }

    void series()
    {
        QFETCH(QString, format);
        QVERIFY(!QJsonDocument::fromJson(m_planJson).object().contains(QStringLiteral("series")));
        const Run run = batch({"build", m_project, "--table", "series", "--format", format, "--stat", "Treatment=951",
                               "--stat", "Agility=404", "--stat", "Sense=404"});
        QCOMPARE(run.status, 0);
        const QList<QStringList> skills = jsonRows(m_planJson, QStringLiteral("skill"));
        QVERIFY(skills.size() > 3);
        // Column 0 the level, then the three requirements, then the
        // character's stats, then the skills; found by their names.
        QList<QStringList> rows;
        if (format == QLatin1String("json")) {
            const QJsonObject series = QJsonDocument::fromJson(run.out).object().value("series").toObject();
            QCOMPARE(series.value("levels").toArray().size(), 300);
            QStringList header{"QL"};
            QList<QJsonArray> columns;
            for (const char *group : {"requirements", "skills"})
                for (const QJsonValue &line : series.value(QLatin1String(group)).toArray()) {
                    // The JSON keeps the groups apart; the tables name a
                    // skill's column after its group.
                    header.append(line.toObject().value("name").toString() +
                                  (qstrcmp(group, "skills") == 0 ? QStringLiteral(" Bonus") : QString()));
                    columns.append(line.toObject().value("values").toArray());
                }
            rows.append(header);
            for (int q = 1; q <= 300; ++q) {
                QStringList row{QString::number(q)};
                for (const QJsonArray &column : columns)
                    row.append(QString::number(column.at(q - 1).toInteger()));
                rows.append(row);
            }
            QVERIFY(!series.value("limits").toArray().isEmpty());
        } else if (format == QLatin1String("csv")) {
            const QList<QByteArray> lines = run.out.split('\n');
            for (const QByteArray &line : lines) {
                if (line.trimmed().isEmpty())
                    break;
                rows.append(QString::fromUtf8(line.trimmed()).split(u','));
            }
            QVERIFY(run.out.contains("\r\n\r\nImplant,Ability,Last Wearable QL,Limited By\r\n"));
        } else if (format == QLatin1String("html")) {
            const QString html = QString::fromUtf8(run.out);
            const QString series = html.section(QStringLiteral("<h1>Wear Limits</h1>"), 0, 0);
            for (const QString &tr : series.split(QStringLiteral("<tr>")).mid(1)) {
                QString row = tr.section(QStringLiteral("</tr>"), 0, 0);
                row.remove(QStringLiteral("<th>")).remove(QStringLiteral("<td>")).replace(QStringLiteral("</th>"), "|");
                row.replace(QStringLiteral("</td>"), "|").replace("&amp;", "&");
                row.chop(1);
                rows.append(row.split(u'|'));
            }
            QVERIFY(html.contains(QStringLiteral("<h1>Wear Limits</h1>")));
        } else {
            // Columns two spaces or more apart.
            const QStringList lines = QString::fromUtf8(run.out).split(u'\n');
            QCOMPARE(lines.first(), QStringLiteral("Series"));
            for (const QString &line : lines.mid(1)) {
                if (line.isEmpty())
                    break;
                rows.append(line.split(QRegularExpression(QStringLiteral("\\s{2,}")), Qt::SkipEmptyParts));
            }
            QVERIFY(lines.contains(QStringLiteral("Wear Limits")));
        }
        QCOMPARE(rows.size(), 301);
        const QStringList &header = rows.first();
        QCOMPARE(header.mid(0, 4), (QStringList{"QL", "Treatment", "Secondary Skill", "Highest Nano Programming"}));
        QCOMPARE(rows.at(201).mid(0, 3), (QStringList{"201", "1001", "426"}));
        for (int r = 1; r < skills.size(); ++r) {
            const qsizetype column = header.indexOf(skills.at(r).at(0) + QStringLiteral(" Bonus"));
            QVERIFY2(column > 3, qPrintable(skills.at(r).at(0)));
            QCOMPARE(rows.at(200).at(column), skills.at(r).at(1));
        }
    }

    // --table symbiants writes the finder's table of the project for the
    // character given: the one of the same project and character here, as
    // CSV; without a character every symbiant of the shipped table. "all"
    // leaves it out.
    void symbiants()
    {
        QVERIFY(!QJsonDocument::fromJson(m_planJson).object().contains(QStringLiteral("symbiants")));
        const QStringList character{"--stat",      "Treatment=1100", "--stat",      "Strength=600", "--stat",
                                    "Agility=600", "--stat",         "Stamina=600", "--stat",       "Intelligence=600",
                                    "--stat",      "Psychic=600",    "--stat",      "Sense=600",    "--level",
                                    "150",         "--profession",   "Doctor"};
        const Run run = batch(QStringList{"build", m_project, "--table", "symbiants", "--format", "csv"} + character);
        QCOMPARE(run.status, 0);

        LudraProgram program;
        ScriptedPrompter prompter;
        QVERIFY(program.start(prompter).missingFiles.isEmpty());
        PlanDocument model(program);
        model.open(m_project);
        const SymbiantTable *symbiants = model.reference().symbiants();
        QVERIFY(symbiants);
        BuildSettings settings = model.buildSettings();
        settings.character.stats = {1100, 600, 600, 600, 600, 600, 600};
        settings.character.level = 150;
        settings.character.profession = int(ProfessionNames().indexOf(QStringLiteral("Doctor")));
        TextTable expected;
        FillSymbiantTable(FindSymbiants(model.layout(), settings, model.reference(), *symbiants), expected);
        QCOMPARE(run.out, CsvText(expected));
        QCOMPARE(expected.row(0).mid(SymbiantCol::FirstSkill, Skills.size()), Skills);
        // Some are left out, some kept.
        QVERIFY(expected.rowCount() > 2);
        QVERIFY(expected.rowCount() < symbiants->all().size() + 1);

        const Run unjudged = batch({"build", m_project, "--table", "symbiants", "--format", "csv"});
        QCOMPARE(unjudged.status, 0);
        QCOMPARE(unjudged.out.count("\r\n"), symbiants->all().size() + 1);
    }

    // The projects of tests/fixtures/plans, made by an earlier version of the
    // program (and made again once the build counted trickle-down, the
    // fitting cluster levels and the recipe profiles), build as they did
    // then: the tables as CSV and JSON, the series,
    // the messages and the exit status, and the project "--save" writes back,
    // byte for byte. They hold both views and both kinds of names, markers,
    // duplicates, blank and unknown cells, a ladder and a build on stock.
    void fixturesBuildAsBefore_data()
    {
        QTest::addColumn<QString>("project");
        const QDir fixtures(sourceDir() + QStringLiteral("/tests/fixtures/plans"));
        const QStringList projects = fixtures.entryList({QStringLiteral("*.lud")}, QDir::Files, QDir::Name);
        QVERIFY(projects.size() >= 9);
        for (const QString &project : projects)
            QTest::newRow(qPrintable(project)) << fixtures.filePath(project);
    }

    void fixturesBuildAsBefore()
    {
        QFETCH(QString, project);
        const QString expected = project.chopped(4);
        QTemporaryDir data;
        for (const char *name : {"data.csv", "SecSkill.csv", "require.csv", "trickle.csv", "reqprofile.csv"})
            QVERIFY(QFile::copy(sourceDir() + QStringLiteral("/resources/") + QLatin1String(name),
                                data.filePath(QLatin1String(name))));
        QVERIFY(QFile::copy(QFileInfo(project).dir().filePath(QStringLiteral("default.stk")),
                            data.filePath(QStringLiteral("default.stk"))));
        const QList<std::pair<QString, QStringList>> runs{
            {QStringLiteral("tables.csv"), {QStringLiteral("all"), QStringLiteral("csv")}},
            {QStringLiteral("tables.json"), {QStringLiteral("all"), QStringLiteral("json")}},
            {QStringLiteral("series.csv"), {QStringLiteral("series"), QStringLiteral("csv")}},
        };
        for (const auto &[output, tableAndFormat] : runs) {
            const Run run = batch({QStringLiteral("build"), project, QStringLiteral("--table"), tableAndFormat.at(0),
                                   QStringLiteral("--format"), tableAndFormat.at(1), QStringLiteral("--data"),
                                   data.path()});
            const QString stem = expected + u'.' + output;
            QCOMPARE(run.out, readFile(stem));
            QCOMPARE(run.err.toUtf8(), readFile(stem + QStringLiteral(".stderr")));
            QCOMPARE(QByteArray::number(run.status) + '\n', readFile(stem + QStringLiteral(".status")));
            // Every column of the series is named apart, also where a skill
            // and a requirement share a name (Treatment).
            if (output == QLatin1String("series.csv")) {
                const QStringList header = QString::fromUtf8(run.out.left(run.out.indexOf('\n'))).split(u',');
                QCOMPARE(QSet<QString>(header.begin(), header.end()).size(), header.size());
            }
        }
        const QString built = data.filePath(QStringLiteral("built.lud"));
        QVERIFY(QFile::copy(project, built));
        QFile::setPermissions(built, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        batch({QStringLiteral("build"), built, QStringLiteral("--save"), QStringLiteral("--table"),
               QStringLiteral("skill"), QStringLiteral("--data"), data.path()});
        QVERIFY(readFile(built) == readFile(expected + QStringLiteral(".built")));
    }

    // The tool needs no display: it does not load the GUI or widget library.
    void linksCoreOnly()
    {
        QProcess objdump;
        objdump.start(QStringLiteral("objdump"), {QStringLiteral("-p"), QStringLiteral(LUDRA_BATCH_EXE)});
        if (!objdump.waitForFinished(60000))
            QSKIP("objdump is not available");
        const QByteArray headers = objdump.readAllStandardOutput();
        QVERIFY(headers.contains("NEEDED               libQt6Core"));
        QVERIFY(!headers.contains("libQt6Gui"));
        QVERIFY(!headers.contains("libQt6Widgets"));
        QVERIFY(!headers.contains("libQt6Charts"));
        QVERIFY(!headers.contains("libQt6Svg"));
    }
};

QTEST_GUILESS_MAIN(TstBatch)
#include "tst_batch.moc"
