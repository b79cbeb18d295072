#include "model/projectstate.h"

#include "build/buildresults.h"
#include "build/buildsettings.h"
#include "layout/layoutstate.h"
#include "common/numbers.h"
#include "common/text.h"
#include "data/symbiants.h"
#include "storage/corruptfile.h"

#include <algorithm>
#include <iterator>

namespace ludra {

namespace {

// The fixed shapes of the stored mark and marker lists: the duplicate marks
// of columns 1 to 3 and rows 1 to 400, the markers of columns 0 to 3 and rows
// 0 to 400, column by column.
constexpr int MarkRows = LayoutMaxRows;
constexpr int MarkerRows = LayoutMaxRows + 1;

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// A stored index or number: a line that is empty or no number reads as 0.
int number(const QString &line)
{
    int value = 0;
    return TryStrToInt(TrimCtl(QStringView(line)), value) ? value : 0;
}

// A stored marker code; anything but a code of the fixed set is no marker.
Marker markerCode(const QString &line)
{
    int code = 0;
    if (!TryStrToInt(TrimCtl(QStringView(line)), code) || code < int(Marker::None) || code > int(Marker::NoStock))
        return Marker::None;
    return Marker(code);
}

// The catalogue record a stored skill name stands for: of several records
// with the name, the last in catalogue order.
QHash<QString, const TNano *> recordsByName(const TNanoList &nanoList)
{
    QHash<QString, const TNano *> last;
    for (int i = 0; i < nanoList.count(); ++i)
        last.insert(nanoList.at(i)->SkillName, nanoList.at(i));
    return last;
}

// The entries for stored skill names; a name no record has gets none.
QList<SkillEntry> attach(const QStringList &names, const QHash<QString, const TNano *> &last)
{
    QList<SkillEntry> entries;
    entries.reserve(names.size());
    for (const QString &name : names)
        entries.append(SkillEntry{name, last.value(name, nullptr)});
    return entries;
}

QStringList names(const QList<SkillEntry> &entries)
{
    QStringList result;
    result.reserve(entries.size());
    for (const SkillEntry &entry : entries)
        result.append(entry.name);
    return result;
}

// A marker's stored code. The texts are made once and shared by every line:
// a project holds over three thousand marker lines.
const QString &markerText(Marker marker)
{
    static const QStringList texts = [] {
        QStringList list;
        for (int code = int(Marker::None); code <= int(Marker::NoStock); ++code)
            list.append(QString::number(code));
        return list;
    }();
    return texts.at(int(marker) - int(Marker::None));
}

QStringList markerLines(const LayoutState &layout, LayoutView view)
{
    QStringList lines;
    lines.reserve(LayoutColumns * MarkerRows);
    for (int c = 0; c < LayoutColumns; ++c)
        for (int r = 0; r < MarkerRows; ++r)
            lines.append(markerText(layout.marker(view, c, r)));
    return lines;
}

void restoreMarkers(LayoutState &layout, LayoutView view, const QStringList &lines)
{
    const int count = int(std::min<qsizetype>(lines.size(), qsizetype(LayoutColumns) * MarkerRows));
    for (int k = 0; k < count; ++k)
        layout.restoreMarker(view, k / MarkerRows, k % MarkerRows, markerCode(lines.at(k)));
}

// A result table takes a stored grid when it has the table's columns; the
// header row and one data row always stay.
void restoreResult(const GridImage &grid, TextTable &table)
{
    if (grid.columns != table.columnCount())
        return;
    grid.toTable(table);
    if (table.rowCount() < 2)
        table.setRowCount(2);
}

// A result table whose stream keeps its first stored columns and a stream of
// its own the later ones, count in all. A project of an older version has
// only the first: the table then shows those alone, until the next build.
void restoreResult(const GridImage &grid, const GridImage &more, int stored, int count, TextTable &table)
{
    if (grid.columns != stored)
        return;
    const std::optional<GridImage> whole = grid.besides(more);
    const GridImage &shown = whole && whole->columns == count ? *whole : grid;
    shown.toTable(table);
    if (table.rowCount() < 2)
        table.setRowCount(2);
}

// The "ResultTrickle" stream: what the build's abilities add to Treatment
// through trickle-down, then each selected skill they alone raise.
const QString TrickleTreatmentKey = QStringLiteral("Treatment");
const QString TrickleOnlyKey = QStringLiteral("Only");

QStringList trickleLines(const BuildResults &results)
{
    if (results.treatmentTrickle() == 0 && results.trickleOnly().isEmpty())
        return {};
    QStringList lines{TrickleTreatmentKey + u'=' + QString::number(results.treatmentTrickle())};
    for (const TrickleOnlySkill &only : results.trickleOnly())
        lines.append(TrickleOnlyKey + u'=' + only.skill + u',' + QString::number(only.gain));
    return lines;
}

void restoreTrickle(const QStringList &lines, BuildResults &results)
{
    qint64 treatment = 0;
    QList<TrickleOnlySkill> only;
    for (const QString &line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        const QStringView key = QStringView(line).first(equals);
        const QStringView value = QStringView(line).sliced(equals + 1);
        int number = 0;
        if (key == TrickleTreatmentKey && TryStrToInt(value, number)) {
            treatment = number;
        } else if (key == TrickleOnlyKey) {
            const qsizetype comma = value.lastIndexOf(u',');
            if (comma > 0 && TryStrToInt(value.sliced(comma + 1), number))
                only.append(TrickleOnlySkill{value.first(comma).toString(), number});
        }
    }
    results.setTrickle(treatment, std::move(only));
}

// The "Config" stream, typed: what its lines hold.
struct ConfigState
{
    LayoutView view = LayoutView::BodyPlacement;
    LayoutNames names = LayoutNames::SkillNames;
    bool viewSelectorEnabled = true;
    AllocationRules rules;
    BuildSettings settings;
    // "Individual Implant Levels" is chosen: the settings' target is not the
    // one level.
    bool individualLevels = false;
    // How many slots the plan's implant selection selects, which the
    // selection's caption tells.
    int selectedImplants = 0;
};

// How a line stands for its value.
enum class ConfigKind {
    View,      // the layout view's index: 1 the skill/cluster set, anything else body placement
    Names,     // the names' index: 1 cluster names, anything else skill names
    TrueFalse, // "true" or "false"; only "true" is on
    OneIsOn,   // "1" or "0"; only "1" is on
    ZeroIsOff, // "1" or "0"; only "0" is off
    Overwrite, // the allocation's overwrite option: "0" clears first, anything else does not
    Number,    // a number box's text as it was typed
    Caption,   // the implant selection's caption: written from the selection, never read
};

struct ConfigLine
{
    const char *name;
    ConfigKind kind;
    bool &(*flag)(ConfigState &) = nullptr;
    EnteredNumber &(*number)(ConfigState &) = nullptr;
};

// Every line of "Config", in stream order.
const ConfigLine ConfigLines[] = {
    {"layout view", ConfigKind::View},
    {"names shown", ConfigKind::Names},
    {"view selector enabled", ConfigKind::TrueFalse, [](ConfigState &c) -> bool & { return c.viewSelectorEnabled; }},
    {"include Shining", ConfigKind::OneIsOn, [](ConfigState &c) -> bool & { return c.rules.IncludeShining; }},
    {"include Bright", ConfigKind::OneIsOn, [](ConfigState &c) -> bool & { return c.rules.IncludeBright; }},
    {"include Faded", ConfigKind::OneIsOn, [](ConfigState &c) -> bool & { return c.rules.IncludeFaded; }},
    {"overwrite option", ConfigKind::Overwrite},
    {"use only available stock", ConfigKind::ZeroIsOff, [](ConfigState &c) -> bool & { return c.settings.useStock; }},
    {"quality level range", ConfigKind::ZeroIsOff, [](ConfigState &c) -> bool & { return c.settings.useRange; }},
    {"remove build stock", ConfigKind::ZeroIsOff, [](ConfigState &c) -> bool & { return c.settings.removeStock; }},
    {"individual implant levels", ConfigKind::ZeroIsOff, [](ConfigState &c) -> bool & { return c.individualLevels; }},
    {"range box", ConfigKind::Number, nullptr, [](ConfigState &c) -> EnteredNumber & { return c.settings.range; }},
    {"one level box", ConfigKind::Number, nullptr,
     [](ConfigState &c) -> EnteredNumber & { return c.settings.implantQL; }},
    {"implant selection caption", ConfigKind::Caption},
    {"nano programming warning", ConfigKind::ZeroIsOff,
     [](ConfigState &c) -> bool & { return c.settings.warnNanoProg; }},
    {"nano programming maximum", ConfigKind::Number, nullptr,
     [](ConfigState &c) -> EnteredNumber & { return c.settings.maxNanoProg; }},
    {"Strength", ConfigKind::ZeroIsOff, [](ConfigState &c) -> bool & { return c.settings.attributes[0]; }},
    {"Agility", ConfigKind::ZeroIsOff, [](ConfigState &c) -> bool & { return c.settings.attributes[1]; }},
    {"Stamina", ConfigKind::ZeroIsOff, [](ConfigState &c) -> bool & { return c.settings.attributes[2]; }},
    {"Intelligence", ConfigKind::ZeroIsOff, [](ConfigState &c) -> bool & { return c.settings.attributes[3]; }},
    {"Psychic", ConfigKind::ZeroIsOff, [](ConfigState &c) -> bool & { return c.settings.attributes[4]; }},
    {"Sense", ConfigKind::ZeroIsOff, [](ConfigState &c) -> bool & { return c.settings.attributes[5]; }},
};
static_assert(std::size(ConfigLines) == 16 + AttributeCount, "a \"Config\" stream has 22 lines");

QString writeConfigLine(const ConfigLine &line, ConfigState &state)
{
    switch (line.kind) {
    case ConfigKind::View:
        return QString::number(int(state.view));
    case ConfigKind::Names:
        return QString::number(int(state.names));
    case ConfigKind::TrueFalse:
        return line.flag(state) ? QStringLiteral("true") : QStringLiteral("false");
    case ConfigKind::OneIsOn:
    case ConfigKind::ZeroIsOff:
        return flag(line.flag(state));
    case ConfigKind::Overwrite:
        return QString::number(int(state.rules.OverwriteOption));
    case ConfigKind::Number:
        return line.number(state).text();
    case ConfigKind::Caption:
        return IndiSelectedCaption(state.selectedImplants);
    }
    return QString();
}

void readConfigLine(const ConfigLine &line, const QString &text, ConfigState &state)
{
    switch (line.kind) {
    case ConfigKind::View:
        state.view = number(text) == 1 ? LayoutView::SkillSet : LayoutView::BodyPlacement;
        break;
    case ConfigKind::Names:
        state.names = number(text) == 1 ? LayoutNames::ClusterNames : LayoutNames::SkillNames;
        break;
    case ConfigKind::TrueFalse:
        line.flag(state) = text == QLatin1String("true");
        break;
    case ConfigKind::OneIsOn:
        line.flag(state) = text == QLatin1String("1");
        break;
    case ConfigKind::ZeroIsOff:
        line.flag(state) = text != QLatin1String("0");
        break;
    case ConfigKind::Overwrite:
        state.rules.OverwriteOption =
            text == QLatin1String("0") ? AllocationRules::ClearBeforeAllocation : AllocationRules::DoNotClear;
        break;
    case ConfigKind::Number:
        line.number(state) = EnteredNumber(text);
        break;
    case ConfigKind::Caption:
        // The caption follows from the selection the project holds.
        break;
    }
}

// The "Character" stream: one "Name=value" line per stat, the ladder's top
// level, whether the build aims at the highest levels the character can
// wear, then the character level and the profession, each only when entered
// (a project without them is as it was before they were kept).
const QString TopLevelKey = QStringLiteral("MaxQL");
const QString HighestKey = QStringLiteral("HighestICanWear");
const QString LevelKey = QStringLiteral("Level");
const QString ProfessionKey = QStringLiteral("Profession");

QStringList characterLines(const BuildSettings &settings)
{
    QStringList lines;
    for (int i = 0; i < StatCount; ++i)
        lines.append(StatNames().at(i) + u'=' + QString::number(settings.character.stats[std::size_t(i)]));
    lines.append(TopLevelKey + u'=' + QString::number(settings.ladderTopLevel));
    lines.append(HighestKey + u'=' + flag(settings.target == BuildSettings::Target::Highest));
    const Character &character = settings.character;
    if (character.level > 0)
        lines.append(LevelKey + u'=' + QString::number(character.level));
    if (character.profession >= 0 && character.profession < ProfessionCount)
        lines.append(ProfessionKey + u'=' + ProfessionNames().at(character.profession));
    return lines;
}

// Reads the lines it knows; a line it does not know, or whose value is no
// whole number, leaves that value as it was. A character level out of its
// range, or a profession the game does not have, reads as not entered.
void readCharacter(const QStringList &lines, BuildSettings &settings)
{
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        const QStringView key = TrimCtl(QStringView(line).first(eq));
        const QStringView text = TrimCtl(QStringView(line).sliced(eq + 1));
        if (key == ProfessionKey) {
            settings.character.profession = ProfessionIndex(text);
            continue;
        }
        int value = 0;
        if (!TryStrToInt(text, value))
            continue;
        if (key == LevelKey) {
            settings.character.level = value >= 1 && value <= CharacterLevelMax ? value : 0;
            continue;
        }
        if (const int stat = StatIndex(key); stat >= 0)
            settings.character.stats[std::size_t(stat)] = std::max(value, 0);
        else if (key == TopLevelKey)
            settings.ladderTopLevel = std::clamp(value, 1, TopQualityLevel);
        else if (key == HighestKey && value == 1)
            settings.target = BuildSettings::Target::Highest;
    }
}

} // namespace

ProjectImage CaptureProject(const LayoutState &layout, const BuildSettings &settings, const BuildResults &results,
                            const ProjectShown &shown)
{
    ProjectImage image;

    ConfigState config{layout.currentView(),
                       layout.names(),
                       shown.viewSelectorEnabled,
                       layout.rules(),
                       settings,
                       settings.target != BuildSettings::Target::OneLevel,
                       layout.plan().selectedImplants()};
    for (const ConfigLine &line : ConfigLines)
        image.config.append(writeConfigLine(line, config));

    image.colorGrid.reserve(3 * MarkRows);
    for (int c = 1; c < LayoutColumns; ++c)
        for (int r = 1; r <= MarkRows; ++r)
            image.colorGrid.append(layout.duplicateMarkText(c, r));
    image.selected = names(layout.skills().selected());
    image.available = names(layout.skills().available());
    image.grid = GridImage::fromTable(layout.table(), shown.widths.layout);
    image.icons = markerLines(layout, LayoutView::BodyPlacement);
    image.secondIcons = markerLines(layout, LayoutView::SkillSet);
    for (const ImplantSelection &selection : layout.plan().implantSelections) {
        image.selImpBool.append(flag(selection.selected));
        image.selImpQL.append(selection.qualityLevel.text());
    }
    image.resultSkill = GridImage::fromTable(results.skillIncTable(), shown.widths.skills, 0, SkillCol::Stored);
    image.resultSkillMore = GridImage::fromTable(results.skillIncTable(), shown.widths.skills, SkillCol::Stored);
    image.resultReq = GridImage::fromTable(results.reqTable(), shown.widths.requirements, 0, ReqCol::Stored);
    image.resultReqMore = GridImage::fromTable(results.reqTable(), shown.widths.requirements, ReqCol::Stored);
    image.resultTrickle = trickleLines(results);
    image.resultSuggest = GridImage::fromTable(results.suggestTable(), shown.widths.suggestions);
    image.character = characterLines(settings);
    for (int slot = 0; slot < BodySlotCount; ++slot)
        if (const QString &title = layout.plan().symbiant(slot); !title.isEmpty())
            image.symbiants.append(BodySlotNames().at(slot) + u'=' + title);
    if (!TrimCtl(results.ladderTable().cell(LadderCol::Implant, 1)).isEmpty())
        image.resultLadder = GridImage::fromTable(results.ladderTable(), shown.widths.ladder);
    return image;
}

ProjectShown ApplyProject(const ProjectImage &image, const TNanoList &nanoList, LayoutState &layout,
                          BuildSettings &settings, BuildResults &results)
{
    if (image.grid.columns != 0 && image.grid.columns != LayoutColumns)
        throw ECorruptFile(QStringLiteral("File is corrupt. The layout grid has %1 columns.").arg(image.grid.columns));

    ProjectShown shown;
    shown.widths.layout = image.grid.widths;
    shown.widths.skills = image.resultSkill.widths + image.resultSkillMore.widths;
    shown.widths.requirements = image.resultReq.widths + image.resultReqMore.widths;
    shown.widths.suggestions = image.resultSuggest.widths;
    shown.widths.ladder = image.resultLadder.widths;
    shown.characterStored = !image.character.isEmpty();

    layout.resetForProject();
    // A selection is one pair of entries per slot; entries the other list
    // lacks count as unticked or untyped.
    QList<ImplantSelection> selections;
    const qsizetype entries = std::max(image.selImpBool.size(), image.selImpQL.size());
    for (qsizetype i = 0; i < entries; ++i)
        selections.append(
            ImplantSelection{image.selImpBool.value(i) == QLatin1String("1"), EnteredNumber(image.selImpQL.value(i))});
    layout.setImplantSelections(selections);

    restoreResult(image.resultSkill, image.resultSkillMore, SkillCol::Stored, SkillCol::Count, results.skillIncTable());
    restoreResult(image.resultReq, image.resultReqMore, ReqCol::Stored, ReqCol::Count, results.reqTable());
    restoreResult(image.resultSuggest, results.suggestTable());
    results.clearLadder();
    results.markRestored();
    restoreTrickle(image.resultTrickle, results);
    restoreResult(image.resultLadder, results.ladderTable());

    const QHash<QString, const TNano *> records = recordsByName(nanoList);
    layout.skills().restore(attach(image.selected, records), attach(image.available, records));

    const int marks = int(std::min<qsizetype>(image.colorGrid.size(), qsizetype(3) * MarkRows));
    for (int k = 0; k < marks; ++k)
        layout.restoreDuplicateMark(1 + k / MarkRows, 1 + k % MarkRows, !TrimCtl(image.colorGrid.at(k)).isEmpty());

    // A line counts only when the stored list has it; the others keep what
    // the model holds.
    ConfigState config{layout.currentView(), layout.names(), shown.viewSelectorEnabled,
                       layout.rules(),       settings,       settings.target != BuildSettings::Target::OneLevel};
    const int lines = int(std::min<qsizetype>(image.config.size(), std::size(ConfigLines)));
    for (int i = 0; i < lines; ++i)
        readConfigLine(ConfigLines[i], image.config.at(i), config);
    // The grid as stored, in the view and names it was stored in.
    layout.restoreGrid(config.view, config.names, image.grid.columns != 0 ? image.grid.cells : QList<QStringList>());
    shown.viewSelectorEnabled = config.viewSelectorEnabled;
    layout.setRules(config.rules);
    settings = config.settings;
    settings.target = config.individualLevels ? BuildSettings::Target::Individual : BuildSettings::Target::OneLevel;
    // The character belongs to the plan: a project without one has none; its
    // stream alone says "Highest I Can Wear".
    settings.character = Character();
    settings.ladderTopLevel = TopQualityLevel;
    readCharacter(image.character, settings);

    restoreMarkers(layout, LayoutView::BodyPlacement, image.icons);
    restoreMarkers(layout, LayoutView::SkillSet, image.secondIcons);
    // A line that names no body slot, or no symbiant, is passed over: the
    // slot keeps its implant. The symbiant table need not know the title;
    // the build says so.
    for (const QString &line : image.symbiants) {
        const qsizetype equals = line.indexOf(u'=');
        const int slot = int(BodySlotNames().indexOf(TrimCtl(QStringView(line).left(std::max<qsizetype>(equals, 0)))));
        const QString title = equals < 0 ? QString() : TrimCtl(line.mid(equals + 1));
        if (slot >= 0 && !title.isEmpty())
            layout.setSymbiant(slot, title);
    }
    return shown;
}

} // namespace ludra
