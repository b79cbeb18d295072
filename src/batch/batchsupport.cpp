#include "batch/batchsupport.h"

#include "build/buildresults.h"
#include "build/buildrunner.h"
#include "build/buildsettings.h"
#include "build/series.h"
#include "build/symbiantfinder.h"
#include "common/numbers.h"
#include "common/paths.h"
#include "common/similarnames.h"
#include "common/wholefile.h"
#include "data/symbiants.h"
#include "model/plandocument.h"
#include "model/program.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <memory>
#include <cstdio>

namespace ludra {
namespace batch {

void WriteStderr(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

void WriteOutput(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty() || path == QLatin1String("-")) {
        std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
        if (std::fflush(stdout) != 0)
            throw EStreamError(QStringLiteral("Cannot write to standard output."));
        return;
    }
    WriteWholeFileOrThrow(path, bytes);
}

Prompter::Answer StderrPrompter::message(Icon, Buttons buttons, const QString &title, const QString &text)
{
    QString flat = text;
    flat.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\n', u' ').replace(u'\r', u' ');
    WriteStderr(QStringLiteral("ludra-batch: %1: %2\n").arg(title, flat));
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return Answer::Cancel;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::SaveDiscardCancel:
    case Buttons::SaveDiscardNewWindowCancel:
    case Buttons::RestoreDiscard:
        return Answer::Cancel;
    }
    return Answer::Cancel;
}

namespace {

const QCommandLineOption &helpOption()
{
    static const QCommandLineOption option(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                           QStringLiteral("Tell about the command."));
    return option;
}

const QString LadderKey = QStringLiteral("ladder");
const QString SeriesKey = QStringLiteral("series");
const QString LimitsKey = QStringLiteral("limits");
const QString TrickleKey = QStringLiteral("trickleDown");
const QString SymbiantsKey = QStringLiteral("symbiants");

// The numbers behind the graphs, made only when asked for: the series and
// their tables.
struct SeriesTables
{
    PlanSeries series;
    TextTable table;
    TextTable limits;
};

// The tables --table names; "all" is every table the build made, the ladder
// only when it made one. A ladder asked for by name that the build did not
// make is a usage error, once the build is over. The series (with the
// character's wear limits when one is entered) come only by name: they are
// numbers for plotting, three hundred rows, not results of the build. The
// skill table is skill, or the results' own. The symbiants each slot could
// hold come only by name too, as a look-up of their own.
QList<ReportTable> chosenTables(const BuildResults &results, const QString &which, bool built,
                                const SeriesTables *series = nullptr, const TextTable *skill = nullptr,
                                const TextTable *symbiants = nullptr)
{
    QList<ReportTable> all{
        {QStringLiteral("skill"), QStringLiteral("Skill Increases"), skill ? skill : &results.skillIncTable()},
        {QStringLiteral("req"), QStringLiteral("Requirements"), &results.reqTable()},
        {QStringLiteral("suggest"), QStringLiteral("Suggestions"), &results.suggestTable()},
    };
    const ReportTable ladder{LadderKey, QStringLiteral("Ladder"), &results.ladderTable()};
    if (which.isEmpty() || which == QLatin1String("all")) {
        if (results.ladder())
            all.append(ladder);
        return all;
    }
    if (which == SeriesKey) {
        if (!series)
            return {};
        QList<ReportTable> tables{{SeriesKey, QStringLiteral("Series"), &series->table}};
        if (!series->series.character.isEmpty())
            tables.append({LimitsKey, QStringLiteral("Wear Limits"), &series->limits});
        return tables;
    }
    if (which == SymbiantsKey) {
        if (!symbiants)
            return {};
        return {{SymbiantsKey, QStringLiteral("Symbiants"), symbiants}};
    }
    if (which == LadderKey) {
        if (built && !results.ladder())
            throw EUsageError(QStringLiteral("--table ladder needs a build at the highest levels the character can "
                                             "wear: give --ladder"));
        return {ladder};
    }
    for (const ReportTable &table : all)
        if (table.key == which)
            return {table};
    throw EUsageError(
        QStringLiteral("--table must be skill, req, suggest, ladder, series, symbiants or all, not \"%1\"").arg(which));
}

// trickleDown: whether the build counted trickle-down, which JSON tells
// with the build's tables.
QJsonObject allocationJson(const QList<AllocationShortfall> &shortfalls)
{
    QJsonArray list;
    for (const AllocationShortfall &s : shortfalls) {
        QJsonObject entry{{QStringLiteral("skill"), s.skill},
                          {QStringLiteral("type"), ClusterTypeNames().at(s.type - 1)},
                          {QStringLiteral("slot"), s.slot}};
        if (s.symbiant.isEmpty())
            entry.insert(QStringLiteral("heldBy"), s.heldBy);
        else
            entry.insert(QStringLiteral("symbiant"), s.symbiant);
        list.append(entry);
    }
    return {{QStringLiteral("shortfalls"), list}};
}

// layout: the layout as its grid shows it, which HTML writes after the
// requirements, as the window's report of them does.
QByteArray formatTables(const QList<ReportTable> &tables, const BuildResults &results, const QString &format,
                        bool trickleDown, const SeriesTables *series = nullptr,
                        const QList<AllocationShortfall> *allocation = nullptr, const TextTable *layout = nullptr)
{
    if (format.isEmpty() || format == QLatin1String("text"))
        return PlainTextTables(tables);
    if (format == QLatin1String("json")) {
        // The ladder and the series are objects of their own rather than a
        // table's rows.
        QList<ReportTable> grids;
        bool ladder = false;
        bool seriesAsked = false;
        for (const ReportTable &table : tables) {
            if (table.key == LadderKey)
                ladder = true;
            else if (table.key == SeriesKey || table.key == LimitsKey)
                seriesAsked = true;
            else
                grids.append(table);
        }
        QJsonObject root = JsonTablesObject(grids);
        if (ladder && results.ladder())
            root.insert(LadderKey, LadderJson(*results.ladder()));
        if (ladder || !grids.isEmpty())
            root.insert(TrickleKey,
                        TrickleDownJson(trickleDown, results.treatmentTrickle(), results.trickleOnly()));
        if (seriesAsked && series)
            root.insert(SeriesKey, SeriesJson(series->series));
        if (allocation)
            root.insert(QStringLiteral("allocation"), allocationJson(*allocation));
        return QJsonDocument(root).toJson(QJsonDocument::Indented);
    }
    if (format == QLatin1String("csv"))
        return CsvTables(tables);
    if (format == QLatin1String("html")) {
        QList<HtmlSection> sections;
        for (const ReportTable &entry : tables) {
            sections.append(HtmlSection{entry.title, entry.table});
            if (entry.key == QLatin1String("req") && layout)
                sections.append(HtmlSection{QStringLiteral("Layout"), layout});
        }
        return HtmlText(tables.size() == 1 ? tables.first().title : QStringLiteral("Ludra results"), sections);
    }
    throw EUsageError(QStringLiteral("--format must be text, csv, html or json, not \"%1\"").arg(format));
}

} // namespace

const QCommandLineOption &DataOption()
{
    static const QCommandLineOption option(
        QStringLiteral("data"),
        QStringLiteral("The folder of every file Ludra reads and writes (default: the executable's folder, or when "
                       "installed the shipped files and the user's data folder)."),
        QStringLiteral("DIR"));
    return option;
}

const QCommandLineOption &TableOption()
{
    static const QCommandLineOption option(
        QStringLiteral("table"),
        QStringLiteral("The tables to write: skill, req, suggest, ladder, series, symbiants or all (default all: the "
                       "build's tables, the ladder when the build made one). series: one row per quality level from 1 "
                       "to 300, one column per line of the graphs, and with a character each implant's last wearable "
                       "level. symbiants: per body slot the symbiants the character can wear with the rest of the "
                       "plan on, ranked by what they add to the selected skills over what the slot gives now."),
        QStringLiteral("TABLE"));
    return option;
}

const QCommandLineOption &FormatOption()
{
    static const QCommandLineOption option(
        QStringLiteral("format"),
        QStringLiteral("text: aligned columns (default); csv: the records, tables apart by an empty line; html: one "
                       "document, the layout after the requirements; json: an object per table."),
        QStringLiteral("FORMAT"));
    return option;
}

const QCommandLineOption &OutputOption()
{
    static const QCommandLineOption option(
        QStringLiteral("o"), QStringLiteral("Write to FILE (whole or not at all) instead of standard output."),
        QStringLiteral("FILE"));
    return option;
}

Command::Command(const QString &description, const QString &argument, const QString &argumentDescription,
                 const QString &syntax)
{
    m_parser.setApplicationDescription(description);
    m_parser.addOption(helpOption());
    m_parser.addPositionalArgument(argument, argumentDescription, syntax);
}

void Command::addOutputOptions()
{
    m_parser.addOptions({TableOption(), FormatOption(), OutputOption(), DataOption()});
}

bool Command::parse(const QString &name, const QStringList &arguments)
{
    // The parser takes its first argument for the program; the command's
    // name stands there.
    if (!m_parser.parse(QStringList{name} + arguments))
        throw EUsageError(m_parser.errorText());
    if (m_parser.isSet(helpOption())) {
        WriteOutput(QString(), m_parser.helpText().toUtf8());
        return false;
    }
    return true;
}

QStringList Command::positional() const
{
    return m_parser.positionalArguments();
}

int PositiveInteger(const QString &text, const QString &what)
{
    int value = 0;
    if (!TryStrToInt(text, value) || value < 1)
        throw EUsageError(QStringLiteral("%1 must be a whole number above 0, not \"%2\"").arg(what, text));
    return value;
}

int QualityLevel(const QString &text, const QString &what)
{
    int value = 0;
    if (!TryStrToInt(text, value) || value < 1 || value > TopQualityLevel)
        throw EUsageError(QStringLiteral("%1 must be a whole number from 1 to %2 (the game has no higher level), "
                                         "not \"%3\"")
                              .arg(what)
                              .arg(TopQualityLevel)
                              .arg(text));
    return value;
}

namespace {

const QCommandLineOption &statOption()
{
    static const QCommandLineOption option(
        QStringLiteral("stat"),
        QStringLiteral("A stat of the character with no implant worn: Treatment, Strength, Agility, Stamina, "
                       "Intelligence, Psychic or Sense (repeatable)."),
        QStringLiteral("NAME=N"));
    return option;
}

const QCommandLineOption &ladderOption()
{
    static const QCommandLineOption option(
        QStringLiteral("ladder"),
        QStringLiteral("Build every implant at the highest level the character can wear it, and write the ladder "
                       "that gets there; needs all seven stats."));
    return option;
}

const QCommandLineOption &maxQlOption()
{
    static const QCommandLineOption option(
        QStringLiteral("max-ql"), QStringLiteral("The top level the ladder aims for, 1 to 300 (default 300)."),
        QStringLiteral("N"));
    return option;
}

const QCommandLineOption &levelOption()
{
    static const QCommandLineOption option(QStringLiteral("level"),
                                           QStringLiteral("The character level, 1 to %1.").arg(CharacterLevelMax),
                                           QStringLiteral("N"));
    return option;
}

const QCommandLineOption &professionOption()
{
    static const QCommandLineOption option(
        QStringLiteral("profession"),
        QStringLiteral("The character's profession (any case): %1.").arg(ProfessionNames().join(QStringLiteral(", "))),
        QStringLiteral("NAME"));
    return option;
}

} // namespace

void AddCharacterOptions(QCommandLineParser &parser)
{
    parser.addOptions({statOption(), levelOption(), professionOption(), ladderOption(), maxQlOption()});
}

bool LadderAsked(const QCommandLineParser &parser)
{
    return parser.isSet(ladderOption());
}

void ApplyCharacterOptions(const QCommandLineParser &parser, BuildSettings &settings, bool characterKnown)
{
    std::array<bool, StatCount> given{};
    for (const QString &entry : parser.values(statOption())) {
        const qsizetype eq = entry.indexOf(u'=');
        const QString name = entry.left(eq).trimmed();
        int stat = -1;
        for (int i = 0; i < StatCount; ++i)
            if (StatNames().at(i).compare(name, Qt::CaseInsensitive) == 0)
                stat = i;
        int value = -1;
        if (eq < 0 || stat < 0 || !TryStrToInt(entry.mid(eq + 1).trimmed(), value) || value < 0)
            throw EUsageError(QStringLiteral("--stat takes NAME=N with a whole number N from 0 and a NAME of: %1; "
                                             "not \"%2\"")
                                  .arg(StatNames().join(QStringLiteral(", ")), entry));
        settings.character.stats[std::size_t(stat)] = value;
        given[std::size_t(stat)] = true;
    }
    if (parser.isSet(levelOption())) {
        const QString text = parser.value(levelOption());
        int level = 0;
        if (!TryStrToInt(text, level) || level < 1 || level > CharacterLevelMax)
            throw EUsageError(QStringLiteral("--level must be a whole number from 1 to %1, not \"%2\"")
                                  .arg(CharacterLevelMax)
                                  .arg(text));
        settings.character.level = level;
    }
    if (parser.isSet(professionOption())) {
        const QString name = parser.value(professionOption());
        const int profession = ProfessionIndex(name.trimmed());
        if (profession < 0)
            throw EUsageError(QStringLiteral("--profession must be one of: %1; not \"%2\"")
                                  .arg(ProfessionNames().join(QStringLiteral(", ")), name));
        settings.character.profession = profession;
    }
    if (parser.isSet(maxQlOption())) {
        int top = 0;
        if (!TryStrToInt(parser.value(maxQlOption()), top) || top < 1 || top > TopQualityLevel)
            throw EUsageError(QStringLiteral("--max-ql must be a whole number from 1 to %1, not \"%2\"")
                                  .arg(TopQualityLevel)
                                  .arg(parser.value(maxQlOption())));
        settings.ladderTopLevel = top;
    }
    if (!parser.isSet(ladderOption()))
        return;
    QStringList missing;
    for (int i = 0; i < StatCount; ++i)
        if (!given[std::size_t(i)] && !characterKnown)
            missing.append(QStringLiteral("--stat ") + StatNames().at(i) + QStringLiteral("=N"));
    if (!missing.isEmpty())
        throw EUsageError(QStringLiteral("--ladder needs all seven stats of the character; missing: ") +
                          missing.join(QStringLiteral(", ")));
    settings.target = BuildSettings::Target::Highest;
}

void StartProgram(LudraProgram &program, Prompter &prompter, const QString &dataDir)
{
    if (!dataDir.isEmpty()) {
        if (!QFileInfo(dataDir).isDir())
            throw EStreamError(QStringLiteral("The data folder \"%1\" does not exist.")
                                   .arg(QDir::toNativeSeparators(dataDir)));
        SetBaseDir(dataDir);
    }
    // The stock is read when a build draws on it.
    if (!program.start(prompter, StartOptions{.readStock = false}).missingFiles.isEmpty())
        throw EStreamError(QStringLiteral("The reference files in \"%1\" cannot be read.")
                               .arg(QDir::toNativeSeparators(BaseDir())));
}

const QCommandLineOption &SymbiantOption()
{
    static const QCommandLineOption option(
        QStringLiteral("symbiant"),
        QStringLiteral("Put a symbiant into a body slot in place of its implant (repeatable); NAME is the "
                       "symbiant's name, with \" (QL N)\" where two share it."),
        QStringLiteral("SLOT=NAME"));
    return option;
}

void ApplySymbiantOptions(const QCommandLineParser &parser, PlanDocument &document)
{
    const QStringList values = parser.values(SymbiantOption());
    if (values.isEmpty())
        return;
    const SymbiantTable *table = document.reference().symbiants();
    if (const QString notice = document.reference().takeSymbiantNotice(); !notice.isEmpty())
        WriteStderr(QStringLiteral("ludra-batch: ") + notice + u'\n');
    if (!table)
        throw EUsageError(QStringLiteral("--symbiant needs the symbiant table \"%1\", which cannot be read")
                              .arg(RefFile::Symbiants));
    QList<std::pair<int, QString>> chosen;
    for (const QString &value : values) {
        const qsizetype equals = value.indexOf(u'=');
        if (equals < 0)
            throw EUsageError(QStringLiteral("--symbiant takes SLOT=NAME, not \"%1\"").arg(value));
        const QString slotName = value.left(equals).trimmed();
        const QString name = value.mid(equals + 1).trimmed();
        int slot = -1;
        for (int s = 0; s < BodySlotCount; ++s)
            if (BodySlotNames().at(s).compare(slotName, Qt::CaseInsensitive) == 0)
                slot = s;
        if (slot < 0)
            throw EUsageError(QStringLiteral("--symbiant: \"%1\" is no body slot (%2)")
                                  .arg(slotName, BodySlotNames().join(QStringLiteral(", "))));
        const Symbiant *symbiant = table->find(name);
        if (!symbiant) {
            QStringList titles;
            for (const Symbiant *s : table->forSlot(slot))
                titles.append(s->title());
            // Titles hold commas: each is quoted.
            QStringList like = SimilarNames(name, titles);
            for (QString &title : like)
                title = u'"' + title + u'"';
            throw EUsageError(QStringLiteral("--symbiant: no symbiant of %1 is called \"%2\"")
                                  .arg(BodySlotNames().at(slot), name) +
                              (like.isEmpty() ? QString()
                                              : QStringLiteral("; did you mean: ") + like.join(QStringLiteral(", "))));
        }
        if (symbiant->slot != slot)
            throw EUsageError(QStringLiteral("--symbiant: \"%1\" is worn in %2, not in %3")
                                  .arg(symbiant->title(), BodySlotNames().at(symbiant->slot), BodySlotNames().at(slot)));
        chosen.append({slot, symbiant->title()});
    }
    document.editPlan(QString(), [&chosen](LayoutState &layout) {
        for (const auto &[slot, title] : chosen)
            layout.setSymbiant(slot, title);
    });
}

void BuildPlan(PlanDocument &document, Prompter &prompter, bool trickleDown)
{
    // What ended the build before it began has been told.
    if (!document.build(prompter,
                        BuildOptions{.removeStock = false, .requireStockFile = true, .trickleDown = trickleDown}))
        throw Exception(QStringLiteral("Nothing was built."));
    for (const QString &line : document.results().buildLog())
        WriteStderr(QStringLiteral("ludra-batch: build log: %1\n").arg(line));
    // A build that made no row is told, not written as empty tables.
    if (document.results().outcome() != BuildOutcome::Built)
        throw Exception(OutcomeText(document.results().outcome()));
}

void CheckOutputOptions(const QCommandLineParser &parser)
{
    BuildResults empty;
    formatTables(chosenTables(empty, parser.value(TableOption()), false), empty, parser.value(FormatOption()), true);
}

void WriteTables(const PlanDocument &document, const QCommandLineParser &parser, bool trickleDown,
                 const QList<AllocationShortfall> *allocation)
{
    const QString which = parser.value(TableOption());
    std::unique_ptr<SeriesTables> series;
    if (which == SeriesKey) {
        series = std::make_unique<SeriesTables>();
        series->series =
            ComputeSeries(document.layout(), document.buildSettings(), document.reference(), trickleDown);
        FillSeriesTable(series->series, series->table);
        FillWearLimitTable(series->series, series->limits);
    }
    TextTable symbiants;
    if (which == SymbiantsKey) {
        const SymbiantTable *table = document.reference().symbiants();
        if (!table)
            throw EStreamError(QStringLiteral("The symbiant table \"%1\" cannot be read.").arg(RefFile::Symbiants));
        FillSymbiantTable(
            FindSymbiants(document.layout(), document.buildSettings(), document.reference(), *table, trickleDown),
            symbiants);
    }
    const BuildResults &results = document.results();
    // A build without trickle-down has nothing for the skill table's
    // column: it is left out, as before trickle-down was counted.
    TextTable skill;
    if (!trickleDown) {
        QList<QStringList> rows = results.skillIncTable().rows();
        for (QStringList &row : rows)
            row = row.mid(0, SkillCol::TrickleDown);
        skill.assign(SkillCol::TrickleDown, rows);
    }
    const QList<ReportTable> tables =
        chosenTables(results, which, true, series.get(), trickleDown ? nullptr : &skill, &symbiants);
    TextTable shownLayout;
    const TextTable &layout = ShownLayoutTable(document.layout(), shownLayout);
    WriteOutput(parser.value(OutputOption()), formatTables(tables, results, parser.value(FormatOption()), trickleDown,
                                                           series.get(), allocation, &layout));
    // An empty suggestions table is no finding when nothing asked for one:
    // suggestions are made for the important attributes only.
    const std::array<bool, AttributeCount> &attributes = document.buildSettings().attributes;
    const bool suggestionsShown = std::any_of(tables.cbegin(), tables.cend(), [](const ReportTable &table) {
        return table.key == QLatin1String("suggest");
    });
    if (suggestionsShown && std::none_of(attributes.cbegin(), attributes.cend(), [](bool on) { return on; }))
        WriteStderr(QStringLiteral("ludra-batch: suggestions: none, since no attribute is marked important; "
                                   "give --attr\n"));
}

} // namespace batch
} // namespace ludra
