#pragma once

#include "data/character.h"
#include "data/nano.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace ludra {

class BuildSettings;
class LayoutState;
class ReferenceData;
class TextTable;

// The quality levels the graphs cover, and the last level before
// requirements and bonuses change pace.
inline constexpr int SeriesFirstLevel = 1;
inline constexpr int SeriesLastLevel = TopQualityLevel;
inline constexpr int SeriesLevelCount = SeriesLastLevel - SeriesFirstLevel + 1;
inline constexpr int SeriesBoundaryLevel = 200;

// One line of a graph: its name and its value at every level from
// SeriesFirstLevel to SeriesLastLevel, in order.
struct SeriesLine
{
    QString name;
    QList<qint64> values;

    // The value at a level; 0 outside the levels.
    qint64 at(int level) const { return values.value(level - SeriesFirstLevel); }
};

// A stat of the character, drawn across the requirements.
struct StatLine
{
    Stat stat = Stat::Treatment;
    qint64 value = 0;
    QString name;
};

// How far the character can wear an implant of the plan: the highest level
// whose requirements by the implant's own recipe (NeedsAt: its recipe's
// profile, or the build's formulas) the character meets, its Treatment with
// what the abilities of the plan's implants, all built at that level, add to
// it through trickle-down, and the ability the recipe names by the
// character's own value. No implant's Treatment bonus counts: how far the
// implants carry each other is the ladder's answer.
struct WearLimit
{
    QString slot;
    // The ability the recipe requires (a Stat other than Treatment); -1 when
    // the implant's clusters make no recipe, which no character can wear.
    int ability = -1;
    // 0 when no level can be worn (or there is no recipe); SeriesLastLevel
    // when every level can.
    int lastLevel = 0;
    // The stat whose requirement the level after lastLevel exceeds.
    Stat limitedBy = Stat::Treatment;
    // With "Highest I Can Wear": the implant's final level on the
    // character's ladder, where the implants' own Treatment bonuses carry
    // each other (0 when the ladder cannot wear it); nothing otherwise.
    std::optional<int> ladderLevel;
};

// The numbers behind the graphs of a plan: what each quality level needs
// and gives when every implant the build would build is built at that one
// level, from the build's own rules.
struct PlanSeries
{
    // The treatment and secondary-skill requirements, each the highest
    // among the plan's implants by each implant's own recipe (NeedsAt; the
    // build's formulas for a plan without implants), and the highest
    // nano-programming requirement among the plan's clusters.
    SeriesLine treatment;
    SeriesLine ability;
    SeriesLine nanoProgramming;
    // The skill totals, one line per row of the skill table a build at the
    // level makes, in its order.
    QList<SeriesLine> skills;
    // What the abilities the plan's implants give at each level add to each
    // skill line through trickle-down (TrickleInto over the character's own
    // abilities, all 0 without a character): one line per line of skills,
    // in its order and with its name. Drawn on top of the skills when asked,
    // and in no table.
    QList<SeriesLine> skillTrickle;
    // With a character entered: its Treatment and each ability the plan's
    // implants require (in Stat order), and how far it can wear each
    // implant (in the plan's order).
    QList<StatLine> character;
    QList<WearLimit> limits;
    // The maximum nano-programming skill, when the Build tab warns above it.
    std::optional<qint64> nanoProgMax;
    // The levels the build settings target: the one level, each selected
    // implant's level, or each implant's final level on the character's
    // ladder; ascending, each once, within the levels.
    QList<int> targets;
};

// The series of the plan the layout holds, read as a build reads it: by
// body placement with cluster names (a layout shown otherwise is read from a
// copy switched to that view). With "Individual Implant Levels" only the
// slots the plan's implant selection selects count, as in a build; stock is not consulted. A layout
// held in the skill view by duplicates ends it with the duplicate warning,
// and a value that is no whole number with EConvertError, as they end a
// build.
//
// Without trickleDown the series are those of a build without it: nothing
// the plan's abilities give trickles into Treatment for the wear limits and
// the ladder, nor into the skills.
PlanSeries ComputeSeries(const LayoutState &layout, const BuildSettings &settings, const ReferenceData &reference,
                         bool trickleDown = true);

// The lines of the requirements chart at a level, each with its name and
// value, in the order they are drawn and listed: the treatment, ability and
// nano-programming requirements, the maximum nano-programming skill when the
// Build tab warns above it, then the character's stats.
QList<std::pair<QString, qint64>> RequirementValuesAt(const PlanSeries &series, int level);

// The numbers of both graphs as a table: "QL" and the name of every line of
// the graphs (the requirements, the maximum nano-programming skill and the
// character's stats where drawn, then each skill's bonus as "NAME Bonus"),
// one row per level.
void FillSeriesTable(const PlanSeries &series, TextTable &table);
// How far the character can wear each implant: "Implant", "Ability", "Last
// Wearable QL" and "Limited By" (the stat, or why none can be worn), then
// "Ladder Final QL" when the limits carry the ladder's levels; only the
// header without a character.
void FillWearLimitTable(const PlanSeries &series, TextTable &table);

} // namespace ludra
