#include "build/series.h"

#include "build/buildformulas.h"
#include "build/buildsettings.h"
#include "build/implantrules.h"
#include "build/ladder.h"
#include "build/skilltally.h"
#include "build/suggestions.h"
#include "common/errors.h"
#include "common/numbers.h"
#include "common/text.h"
#include "common/texttable.h"
#include "data/referencedata.h"
#include "layout/layoutstate.h"
#include "text/messages.h"

#include <algorithm>
#include <optional>

namespace ludra {

namespace {

// A cluster of the plan with what the rules need of it looked up once.
struct PlannedCluster
{
    QString skill;
    // The ability the cluster raises (a Stat other than Treatment); -1 for
    // any other skill.
    int ability = -1;
    QString type;
    const TNano *nano = nullptr;
    double nanoProgFactor = 0.0;
};

// The implants a build of the settings would build: with individual levels
// only the selected slots, otherwise every implant of the plan.
QList<PlannedImplant> builtImplants(const LayoutState &layout, const BuildSettings &settings,
                                    const ReferenceData &reference)
{
    QList<PlannedImplant> implants = PlannedImplants(layout.plan(), layout.catalogueNames());
    if (settings.target == BuildSettings::Target::Individual)
        implants.removeIf([&](const PlannedImplant &implant) {
            return IndividualQL(layout.plan().implantSelections, reference.bodySlots(), implant.slot) < 0;
        });
    return implants;
}

// The highest level whose needs (by the implant's profile) the character
// meets, with trickle (what the plan's abilities add to Treatment at each
// level, from SeriesFirstLevel) on top of its Treatment. Every level is
// tried: a recipe's own profile may need less at 201 than at 200.
WearLimit wearLimit(const PlannedImplant &implant, int ability, const RequirementProfile *profile,
                    const Character &character, const QList<qint64> &trickle)
{
    WearLimit limit;
    limit.slot = implant.slot;
    limit.ability = ability;
    if (ability < 0)
        return limit;
    const qint64 treatment = character.stat(Stat::Treatment);
    const qint64 abilityValue = character.stats[std::size_t(ability)];
    const auto treatmentMet = [&](int q) {
        return NeedsAt(profile, q).treatment <= treatment + trickle.value(q - SeriesFirstLevel);
    };
    for (int q = SeriesLastLevel; q >= SeriesFirstLevel; --q) {
        if (treatmentMet(q) && NeedsAt(profile, q).ability <= abilityValue) {
            limit.lastLevel = q;
            break;
        }
    }
    // The stat the level after it asks too much of.
    if (limit.lastLevel < SeriesLastLevel)
        limit.limitedBy = treatmentMet(limit.lastLevel + 1) ? Stat(ability) : Stat::Treatment;
    return limit;
}

void addTarget(QList<int> &targets, int level)
{
    if (level >= SeriesFirstLevel && level <= SeriesLastLevel && !targets.contains(level))
        targets.append(level);
}

// The levels the settings target; ladder is the character's ladder with
// "Highest I Can Wear".
QList<int> targetLevels(const QList<PlannedImplant> &implants, const QList<ImplantSelection> &selections,
                        const BuildSettings &settings, const ReferenceData &reference, const Ladder *ladder)
{
    QList<int> targets;
    switch (settings.target) {
    case BuildSettings::Target::OneLevel:
        // A level that is no number draws no target line.
        if (const std::optional<int> level = settings.implantQL.number())
            addTarget(targets, *level);
        break;
    case BuildSettings::Target::Individual:
        for (const PlannedImplant &implant : implants)
            addTarget(targets, IndividualQL(selections, reference.bodySlots(), implant.slot));
        break;
    case BuildSettings::Target::Highest:
        // The symbiants' levels, after the implants', are no targets.
        if (ladder)
            for (const LadderLevel &level : ladder->finalLevels.mid(0, implants.size()))
                addTarget(targets, level.ql);
        break;
    }
    std::sort(targets.begin(), targets.end());
    return targets;
}

SeriesLine line(const MessageDef &name)
{
    SeriesLine line;
    line.name = LangMsg(name);
    line.values.reserve(SeriesLevelCount);
    return line;
}

} // namespace

PlanSeries ComputeSeries(const LayoutState &layout, const BuildSettings &settings, const ReferenceData &reference,
                         bool trickleDown)
{
    const TNanoList &nanoList = reference.nanoList();
    // Duplicate marks leave the plan's slots undecided, as they hold back a
    // build.
    if (layout.duplicatesHoldPlan())
        throw Exception(LangMsg(Msg::DuplicatesLabel));
    const QList<PlannedImplant> implants = builtImplants(layout, settings, reference);

    QList<const RequirementProfile *> profiles;
    QList<PlannedCluster> clusters;
    for (const PlannedImplant &implant : implants) {
        profiles.append(ImplantProfile(reference, implant.clusters));
        for (std::size_t c = 0; c < implant.clusters.size(); ++c) {
            const QString &name = implant.clusters[c];
            if (name.isEmpty())
                continue;
            PlannedCluster cluster;
            cluster.type = ClusterTypeNames().at(qsizetype(c));
            cluster.nano = FindCluster(nanoList, name);
            cluster.skill = cluster.nano ? cluster.nano->SkillName : QString();
            if (const int stat = StatIndex(TrimCtl(QStringView(cluster.skill))); stat > int(Stat::Treatment))
                cluster.ability = stat;
            cluster.nanoProgFactor = ClusterSkillFactor(reference.requirements(), name, cluster.type);
            clusters.append(cluster);
        }
    }

    // Trickle-down over the character's own abilities, as the build counts
    // it.
    const TrickleTable *trickle = trickleDown ? &reference.trickle() : nullptr;
    const Stats base = settings.character.entered() ? settings.character.stats : Stats{};
    QList<qint64> treatmentTrickle;
    treatmentTrickle.reserve(SeriesLevelCount);

    PlanSeries series;
    series.treatment = line(Msg::GraphTreatmentLine);
    series.ability = line(Msg::GraphAbilityLine);
    series.nanoProgramming = line(Msg::GraphNanoProgLine);
    for (int q = SeriesFirstLevel; q <= SeriesLastLevel; ++q) {
        ImplantNeeds highest = implants.isEmpty() ? NeedsAt(nullptr, q) : ImplantNeeds{};
        for (const RequirementProfile *profile : profiles) {
            const ImplantNeeds needs = NeedsAt(profile, q);
            highest.treatment = std::max(highest.treatment, needs.treatment);
            highest.ability = std::max(highest.ability, needs.ability);
        }
        series.treatment.values.append(highest.treatment);
        series.ability.values.append(highest.ability);
        qint64 nanoProg = 0;
        SkillTallies tallies;
        Stats added{};
        for (const PlannedCluster &cluster : clusters) {
            nanoProg = std::max(nanoProg, ClusterSkillReqOf(cluster.nanoProgFactor, q));
            const qint64 increase = SkillIncreaseOf(cluster.nano, reference.skillReq(), cluster.type, q);
            tallies.add(cluster.skill, increase);
            if (cluster.ability >= 0)
                added[std::size_t(cluster.ability)] += increase;
        }
        series.nanoProgramming.values.append(nanoProg);
        treatmentTrickle.append(trickle ? TrickleInto(*trickle, TreatmentSkill(), base, added) : 0);
        // Which clusters count towards which row does not depend on the
        // level: every level gives the same rows.
        int row = 0;
        for (const SkillTallies::Tally &tally : tallies.tallies()) {
            if (tally.blank())
                continue;
            if (row == series.skills.size()) {
                SeriesLine skill;
                skill.name = tally.skill.trimmed().isEmpty() ? LangMsg(Msg::GraphUnknownSkill) : tally.skill;
                skill.values.reserve(SeriesLevelCount);
                series.skills.append(skill);
                series.skillTrickle.append(SeriesLine{skill.name, {}});
                series.skillTrickle.last().values.reserve(SeriesLevelCount);
            }
            series.skillTrickle[row].values.append(trickle ? TrickleInto(*trickle, tally.skill, base, added) : 0);
            series.skills[row++].values.append(tally.increase);
        }
    }

    // "Highest I Can Wear" builds at the ladder's final levels: the ladder
    // the build plans, with trickle-down as the build counts it.
    std::optional<Ladder> ladder;
    if (settings.target == BuildSettings::Target::Highest)
        ladder = PlanLadder(implants, settings.character, settings.ladderTopLevel, reference,
                            LadderOptions{trickleDown, PlannedSymbiants(layout.plan(), reference)});

    if (settings.character.entered()) {
        QList<int> abilities;
        for (qsizetype i = 0; i < implants.size(); ++i) {
            const int ability = ImplantAbility(implants.at(i), reference);
            series.limits.append(
                wearLimit(implants.at(i), ability, profiles.at(i), settings.character, treatmentTrickle));
            if (ladder)
                series.limits.last().ladderLevel = ladder->finalLevel(implants.at(i).slot);
            if (ability >= 0 && !abilities.contains(ability))
                abilities.append(ability);
        }
        std::sort(abilities.begin(), abilities.end());
        abilities.prepend(int(Stat::Treatment));
        for (int stat : abilities)
            series.character.append(StatLine{Stat(stat), settings.character.stats[std::size_t(stat)],
                                             LangMsg(Msg::GraphCharacterLine).arg(StatNames().at(stat))});
    }

    // An empty maximum counts as 0, as the requirement colours read it.
    if (settings.warnNanoProg)
        series.nanoProgMax = ZeroPrefixedNumber(settings.maxNanoProg.text());
    series.targets =
        targetLevels(implants, layout.plan().implantSelections, settings, reference, ladder ? &*ladder : nullptr);
    return series;
}

QList<std::pair<QString, qint64>> RequirementValuesAt(const PlanSeries &series, int level)
{
    QList<std::pair<QString, qint64>> values;
    for (const SeriesLine *line : {&series.treatment, &series.ability, &series.nanoProgramming})
        values.append({line->name, line->at(level)});
    if (series.nanoProgMax)
        values.append({LangMsg(Msg::GraphNanoProgMaxLine), *series.nanoProgMax});
    for (const StatLine &stat : series.character)
        values.append({stat.name, stat.value});
    return values;
}

void FillSeriesTable(const PlanSeries &series, TextTable &table)
{
    QStringList header{QStringLiteral("QL")};
    for (const auto &[name, value] : RequirementValuesAt(series, SeriesFirstLevel))
        header.append(name);
    // A skill's bonus is named apart from a requirement of the same name
    // (Treatment is both).
    for (const SeriesLine &skill : series.skills)
        header.append(LangMsg(Msg::SeriesBonusColumn).arg(skill.name));
    table.setColumnCount(int(header.size()));
    table.setRowCount(SeriesLevelCount + 1);
    table.setRow(0, header);
    for (int q = SeriesFirstLevel; q <= SeriesLastLevel; ++q) {
        QStringList row{QString::number(q)};
        for (const auto &[name, value] : RequirementValuesAt(series, q))
            row.append(QString::number(value));
        for (const SeriesLine &skill : series.skills)
            row.append(QString::number(skill.at(q)));
        table.setRow(q - SeriesFirstLevel + 1, row);
    }
}

void FillWearLimitTable(const PlanSeries &series, TextTable &table)
{
    QStringList header{QStringLiteral("Implant"), QStringLiteral("Ability"), QStringLiteral("Last Wearable QL"),
                       QStringLiteral("Limited By")};
    // The limits of one series either all carry the ladder's level or none.
    const bool byLadder = !series.limits.isEmpty() && series.limits.first().ladderLevel.has_value();
    if (byLadder)
        header.append(QStringLiteral("Ladder Final QL"));
    table.setColumnCount(int(header.size()));
    table.setRowCount(int(series.limits.size()) + 1);
    table.setRow(0, header);
    for (int i = 0; i < int(series.limits.size()); ++i) {
        const WearLimit &limit = series.limits.at(i);
        QString limitedBy = UnwearableReason(limit.ability, limit.lastLevel);
        if (limitedBy.isEmpty() && limit.lastLevel < SeriesLastLevel)
            limitedBy = StatNames().at(int(limit.limitedBy));
        QStringList row{limit.slot, limit.ability < 0 ? QString() : StatNames().at(limit.ability),
                        QString::number(limit.lastLevel), limitedBy};
        if (byLadder)
            row.append(QString::number(limit.ladderLevel.value_or(0)));
        table.setRow(i + 1, row);
    }
}

} // namespace ludra
