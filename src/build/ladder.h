#pragma once

#include "data/character.h"
#include "data/nano.h"
#include "data/symbiants.h"

#include <QList>
#include <QString>

#include <array>

namespace ludra {

class CatalogueNames;
class ReferenceData;
struct Plan;

// One implant of a plan: a body slot and the clusters it holds, Shining,
// Bright and Faded, empty where it holds none.
struct PlannedImplant
{
    QString slot;
    std::array<QString, 3> clusters;
};

// The implants of a plan, each cluster by its cluster name: every slot
// holding at least one cluster and no symbiant, in slot order.
QList<PlannedImplant> PlannedImplants(const Plan &plan, const CatalogueNames &names);

// The symbiants of a plan, in slot order: those the symbiant table knows
// (none without one). The slots whose symbiant it does not know are added
// to unknown, when given, as "SLOT: TITLE".
QList<Symbiant> PlannedSymbiants(const Plan &plan, const ReferenceData &reference, QStringList *unknown = nullptr);


// One wearing of a ladder: the implant of a slot put on at a level, what
// that needs, and every stat once it is on.
struct LadderStep
{
    QString slot;
    int ql = 0;
    qint64 treatmentNeeded = 0;
    // The ability the implant requires (a Stat other than Treatment).
    Stat ability = Stat::Strength;
    qint64 abilityNeeded = 0;
    // The implant's last step: it is at its final level.
    bool final = false;
    // Every stat as the implant goes on, with the slot's earlier implant
    // off: what its requirements are met from.
    Stats before{};
    // Every stat once it is on, Treatment with what the abilities worn add
    // through trickle-down (trickle).
    Stats after{};
    // The level the slot's implant had before the step; 0 when it was bare.
    int replaces = 0;
    qint64 trickle = 0;
    // Whether only trickle-down made the step possible: the Treatment it
    // needs is above the character's and the Treatment clusters' worn.
    bool byTrickle = false;
    // The symbiant the step puts on (its title; ql its level, ability the
    // one it needs that leaves the least to spare); empty for an implant.
    QString symbiant;
};

// An implant of the plan that cannot be worn, and why.
struct LadderUnwearable
{
    QString slot;
    QString reason;
};

// The level an implant of the plan ends at; 0 when it cannot be worn.
struct LadderLevel
{
    QString slot;
    int ql = 0;
};

// What a character can wear of a plan, and in which order to put it on.
struct Ladder
{
    Character character;
    int topLevel = TopQualityLevel;
    // Whether trickle-down into Treatment was counted.
    bool trickleDown = true;
    QList<LadderStep> steps;
    // Every implant of the plan, in the plan's order.
    QList<LadderLevel> finalLevels;
    QList<LadderUnwearable> unwearable;

    // The final level of a slot's implant; 0 for a slot the plan does not
    // hold or that cannot be worn.
    int finalLevel(const QString &slot) const;
};

// Why an implant cannot be worn: its clusters make no recipe, or the
// character cannot wear it even at level 1.
inline const QString NoRecipeReason = QStringLiteral("no recipe");
inline const QString TooWeakReason = QStringLiteral("too weak for level 1");

// The ability an implant's recipe requires (a Stat other than Treatment); -1
// when its clusters make no recipe or the recipe names no ability.
int ImplantAbility(const PlannedImplant &implant, const ReferenceData &reference);

// Why an implant with that ability (ImplantAbility) cannot be worn when the
// highest level it can be worn at is level; empty when it can be worn.
QString UnwearableReason(int ability, int level);

// How a ladder is planned.
struct LadderOptions
{
    // Whether the abilities of what is worn trickle down into Treatment.
    bool trickleDown = true;
    // The plan's symbiants (PlannedSymbiants): each is worn or not, at its
    // one level, put on at the first step the character meets its
    // requirements; its bonuses count for what comes after.
    QList<Symbiant> symbiants;
};

// Plans the ladder of a character for the implants, up to topLevel (1 to
// 300). An implant's requirements at level Q are the Treatment and the
// ability its recipe names at Q (NeedsAt: its recipe's own profile, or the
// build's formulas); its bonuses are the increases its Treatment and ability
// clusters give at Q. Wearing an implant needs the character's stats plus
// the bonuses of the others worn at that moment (its own slot's implant comes
// off first), and, with trickle-down, Treatment plus what those bonuses'
// abilities add to it.
//
// The final levels are the highest each implant can be worn at given the
// others at their final levels, reached from nothing worn: the most any
// order of wearing reaches, whatever the order of the implants. The steps
// lead there from nothing worn: on the way an implant is worn at the lowest
// level that gives the bonuses of the highest it could wear then, and only
// when its bonuses rise; its last step puts it on at its final level.
// A value the catalogue holds that is no number (a category) throws
// EConvertError, as it ends a build.
Ladder PlanLadder(const QList<PlannedImplant> &implants, const Character &character, int topLevel,
                  const ReferenceData &reference, const LadderOptions &options = {});

} // namespace ludra
