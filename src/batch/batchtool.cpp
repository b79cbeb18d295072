#include "batch/batchtool.h"

#include "app/ludramodel.h"
#include "app/messages.h"
#include "app/projectstate.h"
#include "build/buildresults.h"
#include "build/buildrunner.h"
#include "build/buildsettings.h"
#include "common/errors.h"
#include "common/numbers.h"
#include "common/paths.h"
#include "common/prompter.h"
#include "reports/export.h"
#include "stock/stockfile.h"
#include "storage/projectfile.h"
#include "storage/vellstreams.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>

namespace ludra {

namespace {

// Arguments the tool does not understand: exit status 2.
class EUsageError : public Exception
{
public:
    using Exception::Exception;
};

void writeStderr(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

// Tells on standard error what the window would ask or report, and answers
// as a user who does not want anything changed: Cancel, No, or OK where OK is
// the only button.
class StderrPrompter : public Prompter
{
public:
    int stops = 0;

    Answer message(Icon icon, Buttons buttons, const QString &title, const QString &text) override
    {
        if (icon == Icon::Stop)
            ++stops;
        QString flat = text;
        flat.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\n', u' ').replace(u'\r', u' ');
        writeStderr(QStringLiteral("ludra-batch: %1: %2\n").arg(title, flat));
        switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::OkCancel:
            return Answer::Cancel;
        case Buttons::YesNo:
            return Answer::No;
        }
        return Answer::Cancel;
    }
    QString openFileName(const FileRequest &) override { return QString(); }
    QString saveFileName(const FileRequest &) override { return QString(); }
    Answer runDialog(QObject &) override { return Answer::Cancel; }
};

// ---------------------------------------------------------------------------
// The command line: options in the order given, each with its value.

struct KnownOption
{
    QString name;   // without the dashes
    bool takesValue = false;
};

struct ParsedArguments
{
    QList<std::pair<QString, QString>> options;
    QStringList positional;

    QStringList values(const QString &name) const
    {
        QStringList result;
        for (const auto &[option, value] : options)
            if (option == name)
                result.append(value);
        return result;
    }
    QString value(const QString &name) const
    {
        const QStringList all = values(name);
        return all.isEmpty() ? QString() : all.constLast();
    }
    bool has(const QString &name) const
    {
        return std::any_of(options.cbegin(), options.cend(), [&name](const auto &o) { return o.first == name; });
    }
};

ParsedArguments parseArguments(const QStringList &arguments, const QList<KnownOption> &known)
{
    ParsedArguments parsed;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (!argument.startsWith(u'-') || argument == QLatin1String("-")) {
            parsed.positional.append(argument);
            continue;
        }
        QString name = argument.startsWith(QLatin1String("--")) ? argument.mid(2) : argument.mid(1);
        QString value;
        bool inlineValue = false;
        if (const qsizetype eq = name.indexOf(u'='); eq >= 0 && argument.startsWith(QLatin1String("--"))) {
            value = name.mid(eq + 1);
            name.truncate(eq);
            inlineValue = true;
        }
        const auto match = std::find_if(known.cbegin(), known.cend(),
                                       [&name](const KnownOption &s) { return s.name == name; });
        if (match == known.cend())
            throw EUsageError(QStringLiteral("unknown option \"%1\"").arg(argument));
        if (match->takesValue && !inlineValue) {
            if (i + 1 >= arguments.size())
                throw EUsageError(QStringLiteral("option \"%1\" needs a value").arg(argument));
            value = arguments.at(++i);
        } else if (!match->takesValue && inlineValue) {
            throw EUsageError(QStringLiteral("option \"--%1\" takes no value").arg(name));
        }
        parsed.options.append({name, value});
    }
    return parsed;
}

int positiveInteger(const QString &text, const QString &what)
{
    int value = 0;
    if (!TryStrToInt(text, value) || value < 1)
        throw EUsageError(QStringLiteral("%1 must be a whole number above 0, not \"%2\"").arg(what, text));
    return value;
}

// ---------------------------------------------------------------------------
// Help texts.

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

const char *const OutputHelp =
    "  --table skill|req|suggest|all   the tables to write (default all)\n"
    "  --format text|csv|html|json     text: aligned columns (default); csv: the\n"
    "                                  records, tables apart by an empty line; html:\n"
    "                                  one document; json: an object per table\n"
    "  -o FILE                         write to FILE (whole or not at all)\n"
    "                                  instead of standard output\n"
    "  --data DIR                      the folder of every file Ludra reads and\n"
    "                                  writes (default: the executable's folder,\n"
    "                                  or when installed the shipped files and\n"
    "                                  the user's data folder)\n";

const char *const BuildHelp =
    "Usage: ludra-batch build PROJECT.lud [OPTIONS]\n"
    "Builds the project with its own build settings, as the window's \"Build >>\"\n"
    "does. With \"Use only avaliable stock\" the stock file \"default.stk\" of the\n"
    "user's files is read; stock is never removed and the stock file never written.\n"
    "\n"
    "  --save                          write the results back into the project\n";

const char *const PlanHelp =
    "Usage: ludra-batch plan --skill NAME [--skill NAME ...] [--group NAME]\n"
    "                        (--ql N | --ql-slot SLOT=N ...) [OPTIONS]\n"
    "Selects the skills in the order given, allocates them with the default\n"
    "allocation rules and builds.\n"
    "\n"
    "  --skill NAME                    a skill to select (repeatable)\n"
    "  --group NAME                    a default-selection group (repeatable)\n"
    "  --ql N                          one quality level for every implant\n"
    "  --ql-slot SLOT=N                the level of one body slot (repeatable);\n"
    "                                  only the slots given are built\n"
    "  --types shining,bright,faded    the cluster types to allocate (default all)\n"
    "  --attr NAME                     an important attribute (repeatable)\n"
    "  --max-np N                      warn about nano-programming above N\n"
    "  --save PROJECT.lud              write a project the window opens\n";

const char *const StreamsHelp =
    "Usage: ludra-batch streams FILE\n"
    "Lists the streams of a project or stock file: name and size in bytes.\n";

const char *const CheckHelp =
    "Usage: ludra-batch check FILE... [--data DIR]\n"
    "Opens each project file, or stock file (\".stk\"), and tells in one line\n"
    "whether it reads. Exit status 0 only when every file does.\n";

// ---------------------------------------------------------------------------
// Files.

void writeOutput(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty() || path == QLatin1String("-")) {
        std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
        if (std::fflush(stdout) != 0)
            throw EStreamError(QStringLiteral("Cannot write to standard output."));
        return;
    }
    QSaveFile file(path);
    const auto fail = [&file, &path] {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw EStreamError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason));
    };
    if (!file.open(QIODevice::WriteOnly))
        fail();
    if (file.write(bytes) != bytes.size())
        fail();
    if (!file.commit())
        fail();
}

// The start-up of the window without its controls: skill increase table,
// working state, default selections, catalogue, recipes, requirements, the
// available skills and the body-placement layout.
void loadReference(LudraModel &model, StderrPrompter &prompter, const QString &dataDir)
{
    if (!dataDir.isEmpty()) {
        if (!QFileInfo(dataDir).isDir())
            throw EStreamError(QStringLiteral("The data folder \"%1\" does not exist.")
                                   .arg(QDir::toNativeSeparators(dataDir)));
        SetBaseDir(dataDir);
    }
    // A skill increase file that cannot be written leaves the built-in
    // values in use: told, not fatal.
    model.loadSkillReq(prompter);
    model.resetBuildState();
    model.layout().defaultSelections().load();
    model.layout().clearMarks();
    const int stops = prompter.stops;
    model.loadCatalogue(prompter);
    model.loadSecSkills(prompter);
    model.loadRequirements(prompter);
    if (prompter.stops != stops)
        throw EStreamError(QStringLiteral("The reference files in \"%1\" cannot be read.")
                               .arg(QDir::toNativeSeparators(BaseDir())));
    model.layout().skills().assignAvailable(model.reference().skillEntries());
    model.layout().prepareBodyView(model.reference().bodySlots());
}

// "Build >>" without its questions: the target check, the stock register
// read when the build uses it, the layout shown by body placement with
// cluster names, the computation with removal off, and the layout back.
void buildModel(LudraModel &model, StderrPrompter &prompter)
{
    const BuildSettings &settings = model.buildSettings();
    if (settings.oneLevel && StrToInt(settings.implantQLText) == 0)
        throw Exception(LangMsg(Msg::NoTargetText));
    BuildSettings computeSettings = settings;
    computeSettings.removeStock = false;

    BuildResults &results = model.results();
    results.clearSortColumns();
    if (settings.useStock) {
        const int stops = prompter.stops;
        model.reloadStock(prompter);
        if (prompter.stops != stops)
            throw EStreamError(QStringLiteral("Cannot read the stock file \"%1\".")
                                   .arg(QDir::toNativeSeparators(StockPath())));
    }
    model.stock().resetUse();
    results.clearBuildLog();

    LayoutState &layout = model.layout();
    BuildRunner runner(model.reference(), layout, computeSettings, results, model.stock(), prompter);
    const LayoutView userView = layout.currentView();
    const LayoutNames userNames = layout.names();
    const auto restore = [&] {
        if (layout.currentView() != userView)
            runner.hooks.showView(userView);
        if (layout.names() != userNames)
            runner.hooks.showNames(userNames);
    };
    try {
        runner.hooks.showView(LayoutView::BodyPlacement);
        runner.hooks.showNames(LayoutNames::ClusterNames);
        if (layout.currentView() != LayoutView::BodyPlacement)
            throw Exception(LangMsg(Msg::DuplicatesLabel));
        runner.compute();
    } catch (...) {
        restore();
        throw;
    }
    restore();
    for (const QString &line : results.buildLog())
        writeStderr(QStringLiteral("ludra-batch: build log: %1\n").arg(line));
}

// ---------------------------------------------------------------------------
// The tables.

struct ResultTable
{
    QString key;
    QString title;
    const TextTable *table;
};

QList<ResultTable> chosenTables(const BuildResults &results, const QString &which)
{
    const QList<ResultTable> all{
        {QStringLiteral("skill"), QStringLiteral("Skill Increases"), &results.skillIncTable()},
        {QStringLiteral("req"), QStringLiteral("Requirements"), &results.reqTable()},
        {QStringLiteral("suggest"), QStringLiteral("Suggestions"), &results.suggestTable()},
    };
    if (which.isEmpty() || which == QLatin1String("all"))
        return all;
    for (const ResultTable &table : all)
        if (table.key == which)
            return {table};
    throw EUsageError(QStringLiteral("--table must be skill, req, suggest or all, not \"%1\"").arg(which));
}

QString flatCell(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
}

QByteArray textTables(const QList<ResultTable> &tables)
{
    QString out;
    for (const ResultTable &entry : tables) {
        const TextTable &table = *entry.table;
        if (!out.isEmpty())
            out += u'\n';
        out += entry.title + u'\n';
        QList<qsizetype> widths(table.columnCount(), 0);
        for (int row = 0; row < table.rowCount(); ++row)
            for (int column = 0; column < table.columnCount(); ++column)
                widths[column] = std::max(widths[column], flatCell(table.cell(column, row)).size());
        for (int row = 0; row < table.rowCount(); ++row) {
            QString line;
            for (int column = 0; column < table.columnCount(); ++column) {
                if (column > 0)
                    line += QStringLiteral("  ");
                line += flatCell(table.cell(column, row)).leftJustified(widths[column]);
            }
            while (line.endsWith(u' '))
                line.chop(1);
            out += line + u'\n';
        }
    }
    return out.toUtf8();
}

QByteArray jsonTables(const QList<ResultTable> &tables)
{
    QJsonObject root;
    for (const ResultTable &entry : tables) {
        const TextTable &table = *entry.table;
        QJsonArray rows;
        for (int row = 1; row < table.rowCount(); ++row)
            rows.append(QJsonArray::fromStringList(table.row(row)));
        QJsonObject object;
        object.insert(QStringLiteral("title"), entry.title);
        object.insert(QStringLiteral("header"), QJsonArray::fromStringList(table.row(0)));
        object.insert(QStringLiteral("rows"), rows);
        root.insert(entry.key, object);
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QByteArray formatTables(const QList<ResultTable> &tables, const QString &format)
{
    if (format.isEmpty() || format == QLatin1String("text"))
        return textTables(tables);
    if (format == QLatin1String("json"))
        return jsonTables(tables);
    if (format == QLatin1String("csv")) {
        QByteArray out;
        for (const ResultTable &entry : tables) {
            if (!out.isEmpty())
                out += "\r\n";
            out += CsvText(*entry.table);
        }
        return out;
    }
    if (format == QLatin1String("html")) {
        QList<HtmlSection> sections;
        for (const ResultTable &entry : tables)
            sections.append(HtmlSection{entry.title, entry.table});
        return HtmlText(tables.size() == 1 ? tables.first().title : QStringLiteral("Ludra results"), sections);
    }
    throw EUsageError(QStringLiteral("--format must be text, csv, html or json, not \"%1\"").arg(format));
}

const QList<KnownOption> &outputOptions()
{
    static const QList<KnownOption> options{{QStringLiteral("table"), true},  {QStringLiteral("format"), true},
                                         {QStringLiteral("o"), true},      {QStringLiteral("data"), true},
                                         {QStringLiteral("help"), false}};
    return options;
}

// Checks the output options before any work, so a mistyped one costs nothing.
void checkOutputOptions(const ParsedArguments &parsed)
{
    BuildResults empty;
    formatTables(chosenTables(empty, parsed.value(QStringLiteral("table"))), parsed.value(QStringLiteral("format")));
}

void writeTables(const BuildResults &results, const ParsedArguments &parsed)
{
    writeOutput(parsed.value(QStringLiteral("o")),
                formatTables(chosenTables(results, parsed.value(QStringLiteral("table"))),
                             parsed.value(QStringLiteral("format"))));
}

// ---------------------------------------------------------------------------
// Commands.

int buildCommand(const QStringList &arguments)
{
    QList<KnownOption> options = outputOptions();
    options.append({QStringLiteral("save"), false});
    const ParsedArguments parsed = parseArguments(arguments, options);
    if (parsed.has(QStringLiteral("help"))) {
        writeOutput(QString(), QByteArray(BuildHelp) + OutputHelp);
        return BatchExit::Success;
    }
    if (parsed.positional.size() != 1)
        throw EUsageError(QStringLiteral("build needs one project file"));
    checkOutputOptions(parsed);

    const QString path = parsed.positional.first();
    LudraModel model;
    StderrPrompter prompter;
    loadReference(model, prompter, parsed.value(QStringLiteral("data")));
    ProjectShown shown;
    try {
        shown = ApplyProject(ReadProjectFile(path), model);
    } catch (const Exception &e) {
        throw EStreamError(
            QStringLiteral("Cannot open \"%1\". %2").arg(QDir::toNativeSeparators(path), e.message()));
    }
    model.setFileName(path);
    buildModel(model, prompter);
    writeTables(model.results(), parsed);
    if (parsed.has(QStringLiteral("save")))
        WriteProjectFile(path, CaptureProject(model, shown));
    return BatchExit::Success;
}

// The letters to insert, delete or change to turn one text into the other,
// letter case aside.
qsizetype editDistance(const QString &a, const QString &b)
{
    const QString x = a.toLower();
    const QString y = b.toLower();
    QList<qsizetype> previous(y.size() + 1);
    for (qsizetype j = 0; j <= y.size(); ++j)
        previous[j] = j;
    for (qsizetype i = 1; i <= x.size(); ++i) {
        QList<qsizetype> current(y.size() + 1);
        current[0] = i;
        for (qsizetype j = 1; j <= y.size(); ++j)
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1,
                                   previous[j - 1] + (x.at(i - 1) == y.at(j - 1) ? 0 : 1)});
        previous = current;
    }
    return previous[y.size()];
}

// Up to five known names like an unknown one: those starting with it, then
// those holding it, letter case aside.
QStringList closestNames(const QString &name, const QStringList &known)
{
    QStringList result;
    const auto collect = [&](const std::function<bool(const QString &)> &like) {
        for (const QString &candidate : known)
            if (result.size() < 5 && !result.contains(candidate) && like(candidate))
                result.append(candidate);
    };
    collect([&name](const QString &c) { return c.startsWith(name, Qt::CaseInsensitive); });
    collect([&name](const QString &c) { return c.contains(name, Qt::CaseInsensitive); });
    // Then the names sharing the first word, then those a few typing
    // mistakes away.
    const QString first = name.section(u' ', 0, 0);
    if (first.size() >= 3)
        collect([&first](const QString &c) { return c.contains(first, Qt::CaseInsensitive); });
    const qsizetype allowed = std::max<qsizetype>(2, name.size() / 4);
    collect([&name, allowed](const QString &c) { return editDistance(name, c) <= allowed; });
    return result;
}

// Selects the skills of that name: as written, else the one name that
// matches it without regard to case. False when no skill has the name.
bool selectSkill(SkillLists &lists, const QString &name)
{
    if (lists.selectByName(name) > 0)
        return true;
    const auto same = [&name](const SkillEntry &entry) {
        return entry.name.trimmed().compare(name, Qt::CaseInsensitive) == 0;
    };
    const auto available = std::find_if(lists.available().cbegin(), lists.available().cend(), same);
    if (available != lists.available().cend())
        return lists.selectByName(available->name.trimmed()) > 0;
    // Named twice (or by a group as well): already selected.
    return std::any_of(lists.selected().cbegin(), lists.selected().cend(), same);
}

void applyPlanSettings(LudraModel &model, const ParsedArguments &parsed)
{
    BuildSettings &settings = model.buildSettings();
    const QStringList levels = parsed.values(QStringLiteral("ql"));
    const QStringList slotLevels = parsed.values(QStringLiteral("ql-slot"));
    if (levels.isEmpty() == slotLevels.isEmpty())
        throw EUsageError(QStringLiteral("plan needs either --ql or --ql-slot"));
    if (!levels.isEmpty()) {
        settings.oneLevel = true;
        settings.implantQLText = QString::number(positiveInteger(levels.constLast(), QStringLiteral("--ql")));
    } else {
        const QStringList &bodySlots = model.reference().bodySlots();
        QList<ImplantSelection> selections(bodySlots.size());
        for (const QString &entry : slotLevels) {
            const qsizetype eq = entry.indexOf(u'=');
            const QString slot = entry.left(eq).trimmed();
            const auto found = std::find_if(bodySlots.cbegin(), bodySlots.cend(), [&slot](const QString &s) {
                return s.trimmed().compare(slot, Qt::CaseInsensitive) == 0;
            });
            if (eq < 0 || found == bodySlots.cend())
                throw EUsageError(QStringLiteral("--ql-slot takes SLOT=N with a body slot of: %1; not \"%2\"")
                                      .arg(bodySlots.join(QStringLiteral(", ")), entry));
            const int level = positiveInteger(entry.mid(eq + 1), QStringLiteral("--ql-slot ") + slot);
            selections[found - bodySlots.cbegin()] = ImplantSelection{true, QString::number(level)};
        }
        settings.oneLevel = false;
        settings.setImplantSelections(selections);
        settings.indiSelectedCaption = IndiSelectedCaption(settings.selectedImplants());
    }
    for (const QString &list : parsed.values(QStringLiteral("attr"))) {
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
    if (parsed.has(QStringLiteral("max-np"))) {
        const QString text = parsed.value(QStringLiteral("max-np"));
        settings.warnNanoProg = true;
        settings.maxNanoProgText = QString::number(positiveInteger(text, QStringLiteral("--max-np")));
    }
}

AllocationRules planRules(const ParsedArguments &parsed)
{
    AllocationRules rules;
    if (!parsed.has(QStringLiteral("types")))
        return rules;
    rules.IncludeShining = rules.IncludeBright = rules.IncludeFaded = false;
    for (const QString &type : parsed.value(QStringLiteral("types")).split(u',', Qt::SkipEmptyParts)) {
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

int planCommand(const QStringList &arguments)
{
    QList<KnownOption> options = outputOptions();
    options.append({{QStringLiteral("skill"), true},
                  {QStringLiteral("group"), true},
                  {QStringLiteral("ql"), true},
                  {QStringLiteral("ql-slot"), true},
                  {QStringLiteral("types"), true},
                  {QStringLiteral("attr"), true},
                  {QStringLiteral("max-np"), true},
                  {QStringLiteral("save"), true}});
    const ParsedArguments parsed = parseArguments(arguments, options);
    if (parsed.has(QStringLiteral("help"))) {
        writeOutput(QString(), QByteArray(PlanHelp) + OutputHelp);
        return BatchExit::Success;
    }
    if (!parsed.positional.isEmpty())
        throw EUsageError(QStringLiteral("plan takes no file name but after --save or -o: \"%1\"")
                              .arg(parsed.positional.first()));
    if (!parsed.has(QStringLiteral("skill")) && !parsed.has(QStringLiteral("group")))
        throw EUsageError(QStringLiteral("plan needs at least one --skill or --group"));
    checkOutputOptions(parsed);
    const AllocationRules rules = planRules(parsed);

    LudraModel model;
    StderrPrompter prompter;
    loadReference(model, prompter, parsed.value(QStringLiteral("data")));
    applyPlanSettings(model, parsed);

    LayoutState &layout = model.layout();
    QStringList skillNames;
    for (const SkillEntry &entry : model.reference().skillEntries())
        if (!skillNames.contains(entry.name.trimmed()))
            skillNames.append(entry.name.trimmed());
    QStringList unknown;
    for (const auto &[option, value] : parsed.options) {
        if (option == QLatin1String("skill")) {
            if (!selectSkill(layout.skills(), value.trimmed())) {
                const QStringList like = closestNames(value.trimmed(), skillNames);
                unknown.append(QStringLiteral("unknown skill \"%1\"; %2").arg(value,
                    like.isEmpty() ? QStringLiteral("no similar names")
                                   : QStringLiteral("did you mean: ") + like.join(QStringLiteral(", "))));
            }
        } else if (option == QLatin1String("group")) {
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

    layout.setRules(rules);
    layout.allocate(model.reference().bodySlots());
    buildModel(model, prompter);
    writeTables(model.results(), parsed);
    if (parsed.has(QStringLiteral("save")))
        WriteProjectFile(parsed.value(QStringLiteral("save")), CaptureProject(model, ProjectShown{}));
    return BatchExit::Success;
}

int streamsCommand(const QStringList &arguments)
{
    const ParsedArguments parsed = parseArguments(arguments, {{QStringLiteral("help"), false}});
    if (parsed.has(QStringLiteral("help"))) {
        writeOutput(QString(), StreamsHelp);
        return BatchExit::Success;
    }
    if (parsed.positional.size() != 1)
        throw EUsageError(QStringLiteral("streams needs one file"));
    const QString path = parsed.positional.first();
    TVellStreams streams;
    try {
        streams.LoadFromFile(path);
    } catch (const Exception &e) {
        throw EStreamError(
            QStringLiteral("Cannot open \"%1\". %2").arg(QDir::toNativeSeparators(path), e.message()));
    }
    QString out;
    for (const QString &name : streams.StreamNames())
        out += name + u'\t' + QString::number(streams.ReadStream(name).size()) + u'\n';
    writeOutput(QString(), out.toUtf8());
    return BatchExit::Success;
}

int checkCommand(const QStringList &arguments)
{
    const ParsedArguments parsed =
        parseArguments(arguments, {{QStringLiteral("help"), false}, {QStringLiteral("data"), true}});
    if (parsed.has(QStringLiteral("help"))) {
        writeOutput(QString(), CheckHelp);
        return BatchExit::Success;
    }
    if (parsed.positional.isEmpty())
        throw EUsageError(QStringLiteral("check needs at least one file"));
    LudraModel model;
    StderrPrompter prompter;
    loadReference(model, prompter, parsed.value(QStringLiteral("data")));
    QStringList clusterNames;
    for (int i = 0; i < model.reference().nanoList().count(); ++i)
        clusterNames.append(model.reference().nanoList().at(i)->ClusterName);

    bool allRead = true;
    QString out;
    for (const QString &path : parsed.positional) {
        QString error;
        if (path.endsWith(QLatin1String(".stk"), Qt::CaseInsensitive)) {
            StockRegister stock;
            stock.setClusterNames(clusterNames);
            ImplantClusterLists lists;
            if (!LoadStockFile(path, stock, &lists, &error) && error.isEmpty())
                error = QStringLiteral("The file cannot be read.");
        } else {
            try {
                ApplyProject(ReadProjectFile(path), model);
            } catch (const Exception &e) {
                error = e.message();
            }
        }
        allRead = allRead && error.isEmpty();
        out += QDir::toNativeSeparators(path) +
               (error.isEmpty() ? QStringLiteral(": reads") : QStringLiteral(": cannot be read: ") + error) + u'\n';
    }
    writeOutput(QString(), out.toUtf8());
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
            writeOutput(QString(), ToolHelp);
            return BatchExit::Success;
        }
        if (command == QLatin1String("--version")) {
            writeOutput(QString(), QByteArray("ludra-batch " LUDRA_VERSION "\n"));
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
        writeStderr(QStringLiteral("ludra-batch: %1\nTry \"ludra-batch --help\".\n").arg(e.message()));
        return BatchExit::UsageError;
    } catch (const Exception &e) {
        writeStderr(QStringLiteral("ludra-batch: %1\n").arg(e.message()));
        return BatchExit::FileError;
    } catch (const std::bad_alloc &) {
        writeStderr(QStringLiteral("ludra-batch: out of memory\n"));
        return BatchExit::FileError;
    }
}

} // namespace ludra
