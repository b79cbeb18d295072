#include "build/symbiantfinder.h"

#include "build/buildformulas.h"
#include "build/buildsettings.h"
#include "build/ladder.h"
#include "common/text.h"
#include "common/texttable.h"
#include "data/referencedata.h"
#include "layout/layoutstate.h"

#include <QSet>

#include <algorithm>
#include <optional>

namespace ludra {

namespace {

// The stats with everything of a ladder worn: its last step's, or the
// character's own when nothing could be worn.
Stats wornStats(const Ladder &ladder, const Character &character)
{
    return ladder.steps.isEmpty() ? character.stats : ladder.steps.last().after;
}

int abilitiesNeeded(const Symbiant &symbiant)
{
    return int(
        std::count_if(symbiant.abilities.begin(), symbiant.abilities.end(), [](qint64 needed) { return needed > 0; }));
}

bool ranksBefore(const SymbiantChoice &a, const SymbiantChoice &b)
{
    if (a.total != b.total)
        return a.total > b.total;
    const int abilitiesA = abilitiesNeeded(a.symbiant);
    const int abilitiesB = abilitiesNeeded(b.symbiant);
    if (abilitiesA != abilitiesB)
        return abilitiesA < abilitiesB;
    if (a.symbiant.treatment != b.symbiant.treatment)
        return a.symbiant.treatment < b.symbiant.treatment;
    if (const int byName = a.symbiant.name.compare(b.symbiant.name, Qt::CaseInsensitive); byName != 0)
        return byName < 0;
    return a.symbiant.level < b.symbiant.level;
}

// What a slot gives each skill now: its symbiant's bonuses, or its implant's
// clusters' increases at level q (nothing at 0).
QList<qint64> currentGives(const QStringList &skills, const Symbiant *symbiant, const PlannedImplant *implant, int q,
                           const ReferenceData &reference)
{
    QList<qint64> gives(skills.size(), 0);
    if (symbiant) {
        for (qsizetype s = 0; s < skills.size(); ++s)
            gives[s] = symbiant->bonus(skills.at(s));
        return gives;
    }
    if (!implant || q <= 0)
        return gives;
    for (int type = 0; type < ClusterTypeCount; ++type) {
        const QString &cluster = implant->clusters[std::size_t(type)];
        if (TrimCtl(QStringView(cluster)).isEmpty())
            continue;
        const TNano *nano = FindCluster(reference.nanoList(), cluster);
        if (!nano)
            continue;
        const qsizetype s = skills.indexOf(TrimCtl(nano->SkillName));
        if (s >= 0)
            gives[s] += SkillIncreaseOf(nano, reference.skillReq(), ClusterTypeNames().at(type), q);
    }
    return gives;
}

QString signedNumber(qint64 value)
{
    return value > 0 ? u'+' + QString::number(value) : QString::number(value);
}

} // namespace

SymbiantFinding FindSymbiants(const LayoutState &layout, const BuildSettings &settings, const ReferenceData &reference,
                              const SymbiantTable &table, bool trickleDown)
{
    const Plan &plan = layout.plan();
    SymbiantFinding finding;
    finding.judged = settings.character.entered();
    QSet<QString> seen;
    for (const SkillEntry &entry : plan.skills.selected()) {
        const QString skill = TrimCtl(entry.name);
        if (!skill.isEmpty() && !seen.contains(skill)) {
            seen.insert(skill);
            finding.skills.append(skill);
        }
    }

    const QList<PlannedImplant> implants = PlannedImplants(plan, layout.catalogueNames());
    const QList<Symbiant> symbiants = PlannedSymbiants(plan, reference);
    const Character &character = settings.character;
    const bool highest = settings.target == BuildSettings::Target::Highest && finding.judged;
    // The whole plan's ladder: the levels of "Highest I Can Wear", and what
    // a slot that holds nothing has beside it.
    std::optional<Ladder> whole;
    if (finding.judged)
        whole = PlanLadder(implants, character, settings.ladderTopLevel, reference,
                           LadderOptions{trickleDown, symbiants});

    for (int slot = 0; slot < BodySlotCount; ++slot) {
        const QString &slotName = BodySlotNames().at(slot);
        const PlannedImplant *implant = nullptr;
        for (const PlannedImplant &planned : implants)
            if (planned.slot == slotName)
                implant = &planned;
        const Symbiant *held = nullptr;
        for (const Symbiant &symbiant : symbiants)
            if (symbiant.slot == slot)
                held = &symbiant;
        int q = 0;
        if (!held && implant)
            q = highest ? whole->finalLevel(slotName)
                        : ImplantQL(settings, plan.implantSelections, reference.bodySlots(), slotName);
        const QList<qint64> now = currentGives(finding.skills, held, implant, q, reference);

        // What the rest of the plan lets the character meet.
        Stats available{};
        if (finding.judged) {
            if (!implant && !held && whole) {
                available = wornStats(*whole, character);
            } else {
                QList<PlannedImplant> others;
                for (const PlannedImplant &planned : implants)
                    if (&planned != implant)
                        others.append(planned);
                QList<Symbiant> otherSymbiants;
                for (const Symbiant &symbiant : symbiants)
                    if (&symbiant != held)
                        otherSymbiants.append(symbiant);
                available = wornStats(PlanLadder(others, character, settings.ladderTopLevel, reference,
                                                 LadderOptions{trickleDown, otherSymbiants}),
                                      character);
            }
        }

        QList<SymbiantChoice> &choices = finding.bySlot[std::size_t(slot)];
        for (const Symbiant *symbiant : table.forSlot(slot)) {
            if (finding.judged && !SymbiantUnmet(*symbiant, character, available).isEmpty())
                continue;
            SymbiantChoice choice;
            choice.symbiant = *symbiant;
            choice.current = held && held->title() == symbiant->title();
            choice.gains.reserve(finding.skills.size());
            for (qsizetype s = 0; s < finding.skills.size(); ++s) {
                const qint64 gain = symbiant->bonus(finding.skills.at(s)) - now.at(s);
                choice.gains.append(gain);
                choice.total += gain;
            }
            choices.append(std::move(choice));
        }
        std::stable_sort(choices.begin(), choices.end(), ranksBefore);
    }
    return finding;
}

QList<std::pair<int, int>> FillSymbiantTable(const SymbiantFinding &finding, TextTable &table, int slot)
{
    QStringList header{QStringLiteral("Slot"), QStringLiteral("Symbiant"), QStringLiteral("QL"),
                       QStringLiteral("Total Gain")};
    header += finding.skills;
    // Named apart from the skill columns, Treatment among them.
    header += QStringList{QStringLiteral("Treatment Needed"), QStringLiteral("Level Needed"),
                          QStringLiteral("Abilities Needed"), QStringLiteral("Professions")};
    QList<QStringList> rows{header};
    QList<std::pair<int, int>> chosen;
    for (int s = 0; s < BodySlotCount; ++s) {
        if (slot >= 0 && s != slot)
            continue;
        const QList<SymbiantChoice> &choices = finding.bySlot[std::size_t(s)];
        for (int c = 0; c < int(choices.size()); ++c) {
            const SymbiantChoice &choice = choices.at(c);
            const Symbiant &symbiant = choice.symbiant;
            QStringList row{BodySlotNames().at(s),
                            choice.current ? symbiant.name + QStringLiteral(" (current)") : symbiant.name,
                            QString::number(symbiant.level), signedNumber(choice.total)};
            for (const qint64 gain : choice.gains)
                row.append(signedNumber(gain));
            row += QStringList{QString::number(symbiant.treatment), QString::number(symbiant.characterLevel),
                               SymbiantAbilityNeeds(symbiant),
                               symbiant.professions.isEmpty() ? QStringLiteral("Any")
                                                              : symbiant.professions.join(QStringLiteral(", "))};
            rows.append(row);
            chosen.append({s, c});
        }
    }
    if (rows.size() == 1)
        rows.append(QStringList());
    table.assign(int(header.size()), rows);
    return chosen;
}

} // namespace ludra
