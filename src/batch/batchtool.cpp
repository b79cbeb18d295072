#include "batch/batchtool.h"

#include "batch/batchsupport.h"
#include "build/buildsettings.h"
#include "common/similarnames.h"
#include "common/wholefile.h"
#include "build/planlabels.h"
#include "layout/plantext.h"
#include "model/plandocument.h"
#include "model/program.h"
#include "stock/stockfile.h"
#include "storage/projectfile.h"
#include "storage/vellstreams.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <optional>

// The commands of ludra-batch; what they stand on is in batchsupport.h.

namespace ludra {

using namespace batch;

namespace {

const char *const ToolHelp =
    "Usage: ludra-batch COMMAND [OPTIONS]\n"
    "Plans, builds and exports Ludra projects without the window.\n"
    "\n"
    "Commands:\n"
    "  build PROJECT.lud   build a project with its own settings and write the tables\n"
    "  plan --skill NAME   select skills, allocate them, build and write the tables\n"
    "  streams FILE        list the streams of a project or stock file with their sizes\n"
    "  check FILE...       tell for each project or stock file whether it reads\n"
    "\n"
    "  --help              this text; COMMAND --help tells about a command\n"
    "  --version           the version\n"
    "\n"
    "Exit status: 0 success, 1 a file that cannot be read or written or a build\n"
    "that ends with an error, 2 a usage error.\n";

// ---------------------------------------------------------------------------
// build

int buildCommand(const QStringList &arguments)
{
    Command command(QStringLiteral("Builds the project with its own build settings, as the window's \"Build >>\" "
                                   "does. With \"Use only available stock\" the stock file \"default.stk\" of the "
                                   "user's files is read; stock is never removed and the stock file never "
                                   "written. The abilities the plan adds trickle down into the skills and, on "
                                   "the ladder, into Treatment, unless --no-trickle."),
                    QStringLiteral("PROJECT.lud"), QStringLiteral("The project to build."),
                    QStringLiteral("build PROJECT.lud"));
    command.addOutputOptions();
    const QCommandLineOption save(QStringLiteral("save"),
                                  QStringLiteral("Write the results back into the project; with --cheapest the "
                                                 "project then builds to individual implant levels, the cheaper "
                                                 "levels selected."));
    const QCommandLineOption noTrickle(
        QStringLiteral("no-trickle"),
        QStringLiteral("Build without trickle-down: the abilities the plan adds do not count into Treatment on the "
                       "ladder, and the skill table has no \"Trickle-Down\" column."));
    const QCommandLineOption cheapest(
        QStringLiteral("cheapest"),
        QStringLiteral("Build, then build again with each implant at its lowest level with the same bonuses (the "
                       "requirement table's \"Same Bonus QL\"), selected one by one; the tables are those of the "
                       "second build. When no implant has a cheaper level, the first build stands."));
    command.parser().addOptions({save, noTrickle, cheapest, SymbiantOption()});
    AddCharacterOptions(command.parser());
    if (!command.parse(QStringLiteral("build"), arguments))
        return BatchExit::Success;
    if (command.positional().size() != 1)
        throw EUsageError(QStringLiteral("build needs one project file"));
    CheckOutputOptions(command.parser());

    const QString path = command.positional().first();
    LudraProgram program;
    StderrPrompter prompter;
    StartProgram(program, prompter, command.parser().value(DataOption()));
    PlanDocument document(program);
    const ProjectShown shown = document.open(path);
    // The project's own character, the command line's stats over it.
    BuildSettings settings = document.buildSettings();
    ApplyCharacterOptions(command.parser(), settings, shown.characterStored);
    document.setSettings(settings);
    ApplySymbiantOptions(command.parser(), document);
    const bool trickleDown = !command.parser().isSet(noTrickle);
    BuildPlan(document, prompter, trickleDown);
    if (command.parser().isSet(cheapest)) {
        if (!document.useCheaperLevels(QString())) {
            WriteStderr(QStringLiteral("ludra-batch: no implant has a cheaper level with the same bonuses; the "
                                       "build stands as asked\n"));
        } else {
            // The first build went well; a second that fails (the stock may
            // lack the cheaper implants) says which build it was.
            try {
                BuildPlan(document, prompter, trickleDown);
            } catch (const Exception &e) {
                throw Exception(QStringLiteral("At the cheaper levels: ") + e.message());
            }
        }
    }
    WriteTables(document, command.parser(), trickleDown);
    if (command.parser().isSet(save))
        document.save(path, shown);
    return BatchExit::Success;
}

// ---------------------------------------------------------------------------
// plan

// The options of plan, each with the meaning it has there.
struct PlanOptions
{
    QCommandLineOption skill{QStringLiteral("skill"), QStringLiteral("A skill to select (repeatable)."),
                             QStringLiteral("NAME")};
    QCommandLineOption group{QStringLiteral("group"), QStringLiteral("A default-selection group (repeatable)."),
                             QStringLiteral("NAME")};
    QCommandLineOption ql{QStringLiteral("ql"), QStringLiteral("One quality level for every implant."),
                          QStringLiteral("N")};
    QCommandLineOption qlSlot{QStringLiteral("ql-slot"),
                              QStringLiteral("The level of one body slot (repeatable); only the slots given are "
                                             "built."),
                              QStringLiteral("SLOT=N")};
    QCommandLineOption types{QStringLiteral("types"),
                             QStringLiteral("The cluster types to allocate, of shining, bright and faded (default "
                                            "all)."),
                             QStringLiteral("LIST")};
    QCommandLineOption attr{QStringLiteral("attr"), QStringLiteral("An important attribute (repeatable)."),
                            QStringLiteral("NAME")};
    QCommandLineOption maxNp{QStringLiteral("max-np"), QStringLiteral("Warn about nano-programming above N."),
                             QStringLiteral("N")};
    QCommandLineOption save{QStringLiteral("save"), QStringLiteral("Write a project the window opens."),
                            QStringLiteral("PROJECT.lud")};
    QCommandLineOption layout{QStringLiteral("layout"),
                              QStringLiteral("The layout as the window's \"Copy Plan\" writes it (a line per body "
                                             "slot, its clusters apart by tabs), in place of --skill and --group."),
                              QStringLiteral("FILE")};
};

// The build settings the options give. With --ql-slot it returns the
// implant selection they make, which is the plan's; empty otherwise.
QList<ImplantSelection> applyPlanSettings(BuildSettings &settings, const QCommandLineParser &parser,
                                          const PlanOptions &o)
{
    QList<ImplantSelection> selections;
    const QStringList levels = parser.values(o.ql);
    const QStringList slotLevels = parser.values(o.qlSlot);
    if (LadderAsked(parser)) {
        if (!levels.isEmpty() || !slotLevels.isEmpty())
            throw EUsageError(QStringLiteral("--ladder takes the place of --ql and --ql-slot; give one of them"));
    } else if (levels.isEmpty() == slotLevels.isEmpty()) {
        throw EUsageError(QStringLiteral("plan needs either --ql, --ql-slot or --ladder"));
    }
    // With --ladder the character options choose the levels.
    ApplyCharacterOptions(parser, settings, false);
    if (!levels.isEmpty()) {
        settings.target = BuildSettings::Target::OneLevel;
        settings.implantQL = EnteredNumber(QString::number(QualityLevel(levels.constLast(), QStringLiteral("--ql"))));
    } else if (!slotLevels.isEmpty()) {
        const QStringList &bodySlots = BodySlotNames();
        selections.resize(bodySlots.size());
        for (const QString &entry : slotLevels) {
            const qsizetype eq = entry.indexOf(u'=');
            const QString slot = entry.left(eq).trimmed();
            const auto found = std::find_if(bodySlots.cbegin(), bodySlots.cend(), [&slot](const QString &s) {
                return s.trimmed().compare(slot, Qt::CaseInsensitive) == 0;
            });
            if (eq < 0 || found == bodySlots.cend())
                throw EUsageError(QStringLiteral("--ql-slot takes SLOT=N with a body slot of: %1; not \"%2\"")
                                      .arg(bodySlots.join(QStringLiteral(", ")), entry));
            const int level = QualityLevel(entry.mid(eq + 1), QStringLiteral("--ql-slot ") + bodySlots.at(found - bodySlots.cbegin()));
            selections[found - bodySlots.cbegin()] = ImplantSelection{true, EnteredNumber(QString::number(level))};
        }
        settings.target = BuildSettings::Target::Individual;
    }
    for (const QString &list : parser.values(o.attr)) {
        for (const QString &name : list.split(u',', Qt::SkipEmptyParts)) {
            const QStringList &names = AttributeNames();
            const auto found = std::find_if(names.cbegin(), names.cend(), [&name](const QString &n) {
                return n.compare(name.trimmed(), Qt::CaseInsensitive) == 0;
            });
            if (found == names.cend())
                throw EUsageError(QStringLiteral("--attr takes one of %1; not \"%2\"")
                                      .arg(names.join(QStringLiteral(", ")), name));
            settings.setAttribute(Attribute(found - names.cbegin()), true);
        }
    }
    if (parser.isSet(o.maxNp)) {
        settings.warnNanoProg = true;
        settings.maxNanoProg = EnteredNumber(
            QString::number(PositiveInteger(parser.value(o.maxNp), QStringLiteral("--max-np"))));
    }
    return selections;
}

AllocationRules planRules(const QCommandLineParser &parser, const PlanOptions &o)
{
    AllocationRules rules;
    if (!parser.isSet(o.types))
        return rules;
    rules.IncludeShining = rules.IncludeBright = rules.IncludeFaded = false;
    for (const QString &type : parser.value(o.types).split(u',', Qt::SkipEmptyParts)) {
        const QString key = type.trimmed().toLower();
        if (key == QLatin1String("shining"))
            rules.IncludeShining = true;
        else if (key == QLatin1String("bright"))
            rules.IncludeBright = true;
        else if (key == QLatin1String("faded"))
            rules.IncludeFaded = true;
        else
            throw EUsageError(QStringLiteral("--types takes shining, bright and faded; not \"%1\"").arg(type));
    }
    return rules;
}

// Selects the skills and groups in the order the command line gives them;
// the names it does not know end the command, all of them told at once.
void selectPlanSkills(LayoutState &layout, const ReferenceData &reference, const QCommandLineParser &parser,
                      const PlanOptions &o)
{
    QStringList skillNames;
    for (const SkillEntry &entry : reference.skillEntries())
        if (!skillNames.contains(entry.name.trimmed()))
            skillNames.append(entry.name.trimmed());
    const QStringList skills = parser.values(o.skill);
    const QStringList groups = parser.values(o.group);
    qsizetype nextSkill = 0;
    qsizetype nextGroup = 0;
    QStringList unknown;
    for (const QString &option : parser.optionNames()) {
        if (option == o.skill.names().first()) {
            const QString value = skills.at(nextSkill++);
            if (!layout.skills().selectNamed(value.trimmed())) {
                const QStringList like = SimilarNames(value.trimmed(), skillNames);
                unknown.append(QStringLiteral("unknown skill \"%1\"; %2").arg(value,
                    like.isEmpty() ? QStringLiteral("no similar names")
                                   : QStringLiteral("did you mean: ") + like.join(QStringLiteral(", "))));
            }
        } else if (option == o.group.names().first()) {
            const QString value = groups.at(nextGroup++);
            const QList<PopupItem> &items = layout.defaultSelections().items();
            const auto item = std::find_if(items.cbegin(), items.cend(), [&value](const PopupItem &i) {
                return i.caption.trimmed().compare(value.trimmed(), Qt::CaseInsensitive) == 0;
            });
            if (item == items.cend()) {
                QStringList captions;
                for (const PopupItem &i : items)
                    captions.append(i.caption.trimmed());
                unknown.append(QStringLiteral("unknown group \"%1\"; the groups are: %2")
                                   .arg(value, captions.join(QStringLiteral(", "))));
            } else {
                layout.ClickMenu(item->line);
            }
        }
    }
    if (!unknown.isEmpty())
        throw EUsageError(unknown.join(QStringLiteral("\nludra-batch: ")));
}

// The layout a plan's text gives; what it cannot read ends the command, all
// of it told at once.
void placeLayoutText(PlanDocument &document, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EStreamError(CannotOpenFileMessage(path, file.errorString()));
    // Text from a forum or a chat is UTF-8; ASCII reads the same either way.
    // The skills of a "Skills:" line are selected; the target and the
    // character are the command line's (--ql, --ql-slot, --ladder, --stat),
    // though the text's lines must read.
    const LabelledPlanReading reading =
        ReadLabelledPlanText(QString::fromUtf8(file.readAll()), document.reference().nanoList(),
                             document.layout().skills(), document.reference().symbiants());
    if (!reading.problems.isEmpty())
        throw EStreamError(QStringLiteral("The layout in \"%1\" cannot be read:\nludra-batch: ")
                               .arg(QDir::toNativeSeparators(path)) +
                           reading.problems.join(QStringLiteral("\nludra-batch: ")));
    PlanLabels skillsOnly = reading.labels;
    skillsOnly.target.reset();
    document.editPlan(QString(),
                      [&](LayoutState &layout) { PlaceLabelledPlan(layout, reading.plan, skillsOnly); });
}

int planCommand(const QStringList &arguments)
{
    Command command(QStringLiteral("Selects the skills in the order given, allocates them with the default "
                                   "allocation rules and builds, at one quality level (--ql), per slot "
                                   "(--ql-slot), or each implant at the highest level the character can wear "
                                   "(--ladder with --stat for each of the seven stats)."),
                    QStringLiteral("plan"), QStringLiteral("The command; the plan is made of its options."),
                    QStringLiteral("plan"));
    const PlanOptions o;
    command.parser().addOptions(
        {o.skill, o.group, o.layout, o.ql, o.qlSlot, o.types, o.attr, o.maxNp, o.save, SymbiantOption()});
    AddCharacterOptions(command.parser());
    command.addOutputOptions();
    if (!command.parse(QStringLiteral("plan"), arguments))
        return BatchExit::Success;
    const QCommandLineParser &parser = command.parser();
    if (!command.positional().isEmpty())
        throw EUsageError(QStringLiteral("plan takes no file name but after --save or -o: \"%1\"")
                              .arg(command.positional().first()));
    const bool fromText = parser.isSet(o.layout);
    if (fromText && (parser.isSet(o.skill) || parser.isSet(o.group) || parser.isSet(o.types)))
        throw EUsageError(QStringLiteral("--layout takes the place of --skill, --group and --types"));
    if (!fromText && !parser.isSet(o.skill) && !parser.isSet(o.group))
        throw EUsageError(QStringLiteral("plan needs at least one --skill or --group, or --layout"));
    CheckOutputOptions(parser);
    const AllocationRules rules = planRules(parser, o);

    LudraProgram program;
    StderrPrompter prompter;
    StartProgram(program, prompter, parser.value(DataOption()));
    PlanDocument document(program);
    BuildSettings settings = document.buildSettings();
    const QList<ImplantSelection> selections = applyPlanSettings(settings, parser, o);
    document.setSettings(settings);
    if (!selections.isEmpty())
        document.editPlan(QString(), [&selections](LayoutState &layout) { layout.setImplantSelections(selections); });
    if (fromText) {
        // The text's symbiants first, then the options' over them.
        placeLayoutText(document, parser.value(o.layout));
        ApplySymbiantOptions(parser, document);
    } else {
        // Allocation leaves the symbiants' slots alone.
        ApplySymbiantOptions(parser, document);
        document.editPlan(QString(), [&](LayoutState &layout) { selectPlanSkills(layout, program.reference(), parser, o); });
        document.setRules(rules);
        document.editPlan(QString(), [](LayoutState &layout) { layout.allocate(); });
    }
    // What allocation could not place is told, as the window tells it; the
    // exit status stays that of the build.
    std::optional<QList<AllocationShortfall>> shortfalls;
    if (!fromText) {
        shortfalls = document.layout().allocationShortfalls();
        for (const QString &line : AllocationShortfallLines(*shortfalls))
            WriteStderr(QStringLiteral("ludra-batch: allocation: %1\n").arg(line));
    }
    BuildPlan(document, prompter);
    WriteTables(document, parser, true, shortfalls ? &*shortfalls : nullptr);
    if (parser.isSet(o.save))
        document.save(parser.value(o.save), ProjectShown{});
    return BatchExit::Success;
}

// ---------------------------------------------------------------------------
// streams and check

int streamsCommand(const QStringList &arguments)
{
    Command command(QStringLiteral("Lists the streams of a project or stock file: name and size in bytes."),
                    QStringLiteral("FILE"), QStringLiteral("A project or stock file."), QStringLiteral("streams FILE"));
    if (!command.parse(QStringLiteral("streams"), arguments))
        return BatchExit::Success;
    if (command.positional().size() != 1)
        throw EUsageError(QStringLiteral("streams needs one file"));
    const QString path = command.positional().first();
    TVellStreams streams;
    try {
        streams.LoadFromFile(path);
    } catch (const Exception &e) {
        throw EStreamError(CannotOpenDocumentMessage(path, e.message()));
    }
    QString out;
    for (const QString &name : streams.StreamNames())
        out += name + u'\t' + QString::number(streams.ReadStream(name).size()) + u'\n';
    WriteOutput(QString(), out.toUtf8());
    return BatchExit::Success;
}

int checkCommand(const QStringList &arguments)
{
    Command command(QStringLiteral("Opens each project file, or stock file (\".stk\"), and tells in one line "
                                   "whether it reads. Exit status 0 only when every file does."),
                    QStringLiteral("FILE"), QStringLiteral("Project and stock files."), QStringLiteral("check FILE..."));
    command.parser().addOption(DataOption());
    if (!command.parse(QStringLiteral("check"), arguments))
        return BatchExit::Success;
    if (command.positional().isEmpty())
        throw EUsageError(QStringLiteral("check needs at least one file"));
    LudraProgram program;
    StderrPrompter prompter;
    StartProgram(program, prompter, command.parser().value(DataOption()));
    const TNanoList &nanoList = program.reference().nanoList();
    QStringList clusterNames;
    for (int i = 0; i < nanoList.count(); ++i)
        clusterNames.append(nanoList.at(i)->ClusterName);

    bool allRead = true;
    QString out;
    for (const QString &path : command.positional()) {
        QString error;
        if (path.endsWith(QLatin1String(".stk"), Qt::CaseInsensitive)) {
            StockRegister stock;
            stock.setClusterNames(clusterNames);
            ImplantClusterLists lists;
            if (!LoadStockFile(path, stock, &lists, &error) && error.isEmpty())
                error = QStringLiteral("The file cannot be read.");
        } else {
            try {
                // Read as a window opens it, into a plan of its own.
                LayoutState layout;
                layout.setCatalogue(nanoList);
                BuildSettings settings;
                BuildResults results;
                ApplyProject(ReadProjectFile(path), nanoList, layout, settings, results);
            } catch (const Exception &e) {
                error = e.message();
            }
        }
        allRead = allRead && error.isEmpty();
        out += QDir::toNativeSeparators(path) +
               (error.isEmpty() ? QStringLiteral(": reads") : QStringLiteral(": cannot be read: ") + error) + u'\n';
    }
    WriteOutput(QString(), out.toUtf8());
    return allRead ? BatchExit::Success : BatchExit::FileError;
}

} // namespace

int RunBatch(const QStringList &arguments)
{
    try {
        const QString command = arguments.value(0);
        const QStringList rest = arguments.mid(1);
        if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
            command == QLatin1String("help")) {
            WriteOutput(QString(), ToolHelp);
            return BatchExit::Success;
        }
        if (command == QLatin1String("--version")) {
            WriteOutput(QString(), QByteArray("ludra-batch " LUDRA_VERSION "\n"));
            return BatchExit::Success;
        }
        if (command == QLatin1String("build"))
            return buildCommand(rest);
        if (command == QLatin1String("plan"))
            return planCommand(rest);
        if (command == QLatin1String("streams"))
            return streamsCommand(rest);
        if (command == QLatin1String("check"))
            return checkCommand(rest);
        throw EUsageError(command.isEmpty() ? QStringLiteral("no command given")
                                            : QStringLiteral("unknown command \"%1\"").arg(command));
    } catch (const EUsageError &e) {
        WriteStderr(QStringLiteral("ludra-batch: %1\nTry \"ludra-batch --help\".\n").arg(e.message()));
        return BatchExit::UsageError;
    } catch (const Exception &e) {
        WriteStderr(QStringLiteral("ludra-batch: %1\n").arg(e.message()));
        return BatchExit::FileError;
    } catch (const std::bad_alloc &) {
        WriteStderr(QStringLiteral("ludra-batch: out of memory\n"));
        return BatchExit::FileError;
    }
}

} // namespace ludra
