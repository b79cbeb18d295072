#include "build/ladder.h"

#include "build/buildformulas.h"
#include "build/implantrules.h"
#include "build/suggestions.h"
#include "common/text.h"
#include "data/referencedata.h"
#include "layout/plan.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

namespace ludra {

int Ladder::finalLevel(const QString &slot) const
{
    for (const LadderLevel &level : finalLevels)
        if (level.slot == slot)
            return level.ql;
    return 0;
}

QList<PlannedImplant> PlannedImplants(const Plan &plan, const CatalogueNames &names)
{
    QList<PlannedImplant> implants;
    for (int slot = 0; slot < BodySlotCount; ++slot) {
        PlannedImplant implant;
        implant.slot = BodySlotNames().at(slot);
        bool holds = false;
        for (int type = 0; type < ClusterTypeCount; ++type) {
            const QString cell = plan.cell(slot, type).shown(LayoutNames::ClusterNames, names);
            if (TrimCtl(QStringView(cell)).isEmpty())
                continue;
            implant.clusters[std::size_t(type)] = cell;
            holds = true;
        }
        if (holds && !plan.bodySlots.at(std::size_t(slot)).holdsSymbiant())
            implants.append(implant);
    }
    return implants;
}

QList<Symbiant> PlannedSymbiants(const Plan &plan, const ReferenceData &reference, QStringList *unknown)
{
    QList<Symbiant> symbiants;
    const SymbiantTable *table = reference.symbiants();
    for (int slot = 0; slot < BodySlotCount; ++slot) {
        const QString &title = plan.symbiant(slot);
        if (title.isEmpty())
            continue;
        const Symbiant *symbiant = table ? table->find(title) : nullptr;
        // A symbiant of another slot is no symbiant of this one.
        if (symbiant && symbiant->slot == slot)
            symbiants.append(*symbiant);
        else if (unknown)
            unknown->append(BodySlotNames().at(slot) + QStringLiteral(": ") + title);
    }
    return symbiants;
}

int ImplantAbility(const PlannedImplant &implant, const ReferenceData &reference)
{
    const int stat = StatIndex(ImplantSecondarySkill(reference.secSkills(), implant.clusters[0], implant.clusters[1],
                                                     implant.clusters[2]));
    // Only an ability is a requirement a character can meet.
    return stat > int(Stat::Treatment) ? stat : -1;
}

QString UnwearableReason(int ability, int level)
{
    if (ability < 0)
        return NoRecipeReason;
    if (level == 0)
        return TooWeakReason;
    return QString();
}

namespace {

Stats operator+(Stats a, const Stats &b)
{
    for (std::size_t i = 0; i < a.size(); ++i)
        a[i] += b[i];
    return a;
}

// An implant as the ladder works on it: what it needs and gives at every
// level from 0 (not worn) to the top.
// A symbiant is a rung of two levels: 0 (not worn) and 1 (worn at its own
// level).
struct Rung
{
    QString slot;
    int ability = -1; // the stat its recipe requires; -1 when it has none
    std::vector<ImplantNeeds> needs;
    std::vector<Stats> bonus;
    std::optional<Symbiant> symbiant;
};

class Planner
{
public:
    Planner(const QList<PlannedImplant> &implants, const Character &character, int topLevel,
            const ReferenceData &reference, const LadderOptions &options)
        : m_character(character), m_top(std::clamp(topLevel, 1, TopQualityLevel))
    {
        if (options.trickleDown)
            m_treatmentWeights = reference.trickle().weights(TreatmentSkill());
        for (const PlannedImplant &implant : implants)
            m_rungs.push_back(rung(implant, reference));
        for (const Symbiant &symbiant : options.symbiants)
            m_rungs.push_back(rung(symbiant));
    }

    Ladder plan() const
    {
        Ladder ladder;
        ladder.character = m_character;
        ladder.topLevel = m_top;
        ladder.trickleDown = m_treatmentWeights != nullptr;
        const std::vector<int> final = finalLevels();
        for (std::size_t i = 0; i < m_rungs.size(); ++i) {
            const Rung &rung = m_rungs[i];
            if (rung.symbiant) {
                ladder.finalLevels.append(LadderLevel{rung.slot, final[i] > 0 ? rung.symbiant->level : 0});
                if (final[i] == 0)
                    ladder.unwearable.append(LadderUnwearable{
                        rung.slot, rung.symbiant->title() + QStringLiteral(" needs ") +
                                       SymbiantUnmet(*rung.symbiant, m_character, available(final, i))
                                           .join(QStringLiteral(", "))});
                continue;
            }
            ladder.finalLevels.append(LadderLevel{rung.slot, final[i]});
            const QString reason = UnwearableReason(rung.ability, final[i]);
            if (!reason.isEmpty())
                ladder.unwearable.append(LadderUnwearable{rung.slot, reason});
        }
        ladder.steps = steps(final);
        return ladder;
    }

private:
    Rung rung(const PlannedImplant &implant, const ReferenceData &reference) const
    {
        Rung rung;
        rung.slot = implant.slot;
        rung.ability = ImplantAbility(implant, reference);
        const RequirementProfile *profile = ImplantProfile(reference, implant.clusters);
        rung.needs.resize(std::size_t(m_top) + 1);
        for (int q = 1; q <= m_top; ++q)
            rung.needs[std::size_t(q)] = NeedsAt(profile, q);
        rung.bonus.assign(std::size_t(m_top) + 1, Stats{});
        const QStringList &types = ClusterTypeNames();
        for (std::size_t c = 0; c < implant.clusters.size(); ++c) {
            const QString &cluster = implant.clusters[c];
            if (TrimCtl(QStringView(cluster)).isEmpty())
                continue;
            const TNano *nano = FindCluster(reference.nanoList(), cluster);
            const int stat = nano ? StatIndex(nano->SkillName) : -1;
            if (stat < 0)
                continue;
            for (int q = 1; q <= m_top; ++q)
                rung.bonus[std::size_t(q)][std::size_t(stat)] +=
                    SkillIncreaseOf(nano, reference.skillReq(), types.at(qsizetype(c)), q);
        }
        return rung;
    }

    Rung rung(const Symbiant &symbiant) const
    {
        Rung rung;
        rung.slot = BodySlotNames().value(symbiant.slot);
        rung.symbiant = symbiant;
        rung.bonus.assign(2, Stats{});
        for (int stat = 0; stat < StatCount; ++stat)
            rung.bonus[1][std::size_t(stat)] = symbiant.bonus(StatNames().at(stat));
        // The ability with the least to spare is the one the ladder names;
        // the character's own values decide between them.
        qint64 spare = std::numeric_limits<qint64>::max();
        for (int a = 0; a < AbilityCount; ++a) {
            const qint64 needed = symbiant.abilities[std::size_t(a)];
            if (needed <= 0)
                continue;
            const qint64 left = m_character.stats[std::size_t(a + 1)] - needed;
            if (left < spare) {
                spare = left;
                rung.ability = a + 1;
            }
        }
        ImplantNeeds needs;
        needs.treatment = symbiant.treatment;
        needs.ability = rung.ability > 0 ? symbiant.abilities[std::size_t(rung.ability - 1)] : 0;
        rung.needs = {ImplantNeeds{}, needs};
        return rung;
    }

    bool wearable(const Rung &rung, int q, const Stats &available) const
    {
        if (rung.symbiant)
            return SymbiantUnmet(*rung.symbiant, m_character, available).isEmpty();
        const ImplantNeeds &needs = rung.needs[std::size_t(q)];
        return needs.treatment <= available[std::size_t(Stat::Treatment)] &&
               needs.ability <= available[std::size_t(rung.ability)];
    }

    // The bonuses of every implant worn at its level but the one at skip.
    Stats bonuses(const std::vector<int> &worn, std::size_t skip) const
    {
        Stats sum{};
        for (std::size_t j = 0; j < m_rungs.size(); ++j)
            if (j != skip)
                sum = sum + m_rungs[j].bonus[std::size_t(worn[j])];
        return sum;
    }

    // The Treatment those bonuses' abilities add through trickle-down.
    qint64 trickle(const Stats &bonuses) const
    {
        return m_treatmentWeights ? TrickleGain(*m_treatmentWeights, AbilitiesOf(m_character.stats),
                                                AbilitiesOf(bonuses))
                                  : 0;
    }

    // The stats with every implant worn at its level but the one at skip.
    Stats available(const std::vector<int> &worn, std::size_t skip) const
    {
        const Stats added = bonuses(worn, skip);
        Stats stats = m_character.stats + added;
        stats[std::size_t(Stat::Treatment)] += trickle(added);
        return stats;
    }

    // The highest level implant i can be put on at with the others worn as
    // they are; 0 when not even level 1.
    int best(std::size_t i, const std::vector<int> &worn) const
    {
        const Rung &rung = m_rungs[i];
        if (rung.symbiant)
            return wearable(rung, 1, available(worn, i)) ? 1 : 0;
        if (rung.ability < 0)
            return 0;
        const Stats stats = available(worn, i);
        // Requirements rise with the level.
        for (int q = m_top; q >= 1; --q)
            if (wearable(rung, q, stats))
                return q;
        return 0;
    }

    // Every implant raised together, each to the most the others' current
    // levels allow, until nothing rises: the same whatever the order.
    std::vector<int> finalLevels() const
    {
        std::vector<int> levels(m_rungs.size(), 0);
        for (;;) {
            std::vector<int> next = levels;
            for (std::size_t i = 0; i < m_rungs.size(); ++i)
                next[i] = std::max(levels[i], best(i, levels));
            if (next == levels)
                return levels;
            levels = next;
        }
    }

    // The lowest level of an implant whose bonuses are those at q.
    int cheapest(const Rung &rung, int q) const
    {
        while (q > 1 && rung.bonus[std::size_t(q - 1)] == rung.bonus[std::size_t(q)])
            --q;
        return q;
    }

    QList<LadderStep> steps(const std::vector<int> &final) const
    {
        QList<LadderStep> steps;
        std::vector<int> worn(m_rungs.size(), 0);
        const auto wear = [&](std::size_t i, int q, bool isFinal) {
            const Rung &rung = m_rungs[i];
            // Whether the Treatment it needs is there only through the
            // abilities of what is worn already.
            const Stats before = bonuses(worn, i);
            const qint64 treatmentWithout = m_character.stat(Stat::Treatment) + before[std::size_t(Stat::Treatment)];
            const ImplantNeeds &needs = rung.needs[std::size_t(q)];
            const Stats met = available(worn, i);
            const int replaces = worn[i];
            worn[i] = q;
            const Stats added = bonuses(worn, m_rungs.size());
            LadderStep step;
            step.slot = rung.slot;
            step.ql = q;
            step.treatmentNeeded = needs.treatment;
            step.ability = Stat(std::max(rung.ability, int(Stat::Strength)));
            step.abilityNeeded = needs.ability;
            step.final = isFinal;
            step.before = met;
            step.after = available(worn, m_rungs.size());
            step.replaces = rung.symbiant ? 0 : replaces;
            step.trickle = trickle(added);
            step.byTrickle = needs.treatment > treatmentWithout;
            if (rung.symbiant) {
                step.ql = rung.symbiant->level;
                step.symbiant = rung.symbiant->title();
            }
            steps.append(step);
        };
        // Each round looks at the symbiants first: one is worn whole as soon
        // as it can be, and what it gives helps the implants of that round.
        std::vector<std::size_t> order;
        for (std::size_t i = 0; i < m_rungs.size(); ++i)
            if (m_rungs[i].symbiant)
                order.push_back(i);
        for (std::size_t i = 0; i < m_rungs.size(); ++i)
            if (!m_rungs[i].symbiant)
                order.push_back(i);
        for (bool changed = true; changed;) {
            changed = false;
            for (const std::size_t i : order) {
                if (final[i] == 0 || worn[i] == final[i])
                    continue;
                const int q = best(i, worn);
                if (q >= final[i]) {
                    wear(i, final[i], true);
                    changed = true;
                } else if (q > 0 && m_rungs[i].bonus[std::size_t(q)] != m_rungs[i].bonus[std::size_t(worn[i])]) {
                    wear(i, cheapest(m_rungs[i], q), false);
                    changed = true;
                }
            }
        }
        return steps;
    }

    Character m_character;
    int m_top;
    // Treatment's trickle-down weights; nullptr when it is not counted.
    const AbilityWeights *m_treatmentWeights = nullptr;
    std::vector<Rung> m_rungs;
};

} // namespace

Ladder PlanLadder(const QList<PlannedImplant> &implants, const Character &character, int topLevel,
                  const ReferenceData &reference, const LadderOptions &options)
{
    return Planner(implants, character, topLevel, reference, options).plan();
}

} // namespace ludra
