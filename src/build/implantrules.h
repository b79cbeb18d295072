#pragma once

#include "data/character.h"
#include "data/gamerules.h"
#include "data/nano.h"
#include "data/skillreq.h"

#include <QList>
#include <QString>

#include <array>

namespace ludra {

class ReferenceData;

// The game's rules for an implant beyond the build's per-cluster formulas:
// what an implant of a recipe needs, which cluster levels fit it, the lowest
// level that gives the same bonuses, and how the abilities an implant adds
// trickle down into the skills.

// What an implant needs to be worn at a level: Treatment and the ability its
// recipe names.
struct ImplantNeeds
{
    qint64 treatment = 0;
    qint64 ability = 0;

    bool operator==(const ImplantNeeds &) const = default;
};

// The needs at level q of an implant of a recipe with this profile; without
// one (nullptr), the build's formulas (TreatmentReq, SecondarySkillReq).
ImplantNeeds NeedsAt(const RequirementProfile *profile, int q);

// The profile of the implant holding these clusters (Shining, Bright, Faded
// by cluster name, empty where it holds none); nullptr when its recipe keeps
// the build's formulas.
const RequirementProfile *ImplantProfile(const ReferenceData &reference, const std::array<QString, 3> &clusters);

// The lowest level a cluster of a type (an index of ClusterTypeNames) may
// have and still fit an implant of level implantQL: 86 % of it for Shining,
// 84 % for Bright, 82 % for Faded, rounded up. 0 for a level of 0 or less.
int LowestClusterQL(int type, int implantQL);

// One cluster of an implant as its bonus is worked out: its catalogue record
// (nullptr when the catalogue does not know it) and its type.
struct BonusCluster
{
    const TNano *nano = nullptr;
    int type = 0;
};

// The lowest level L from 1 to q at which every one of the clusters gives
// exactly the increase it gives at q (SkillIncreaseOf); q itself when no
// lower level does, and q for a level below 2. A value the catalogue holds
// that is no number throws EConvertError, as it ends a build.
int SameBonusLevel(const QList<BonusCluster> &clusters, const TSkillReq &skillReq, int q);

// The abilities of a character's stats (Treatment left out).
Abilities AbilitiesOf(const Stats &stats);

// What the abilities added (the ability bonuses of what is worn) add to a
// skill through trickle-down, for a character whose own abilities are base
// (all 0 without a character).
qint64 TrickleInto(const TrickleTable &table, const QString &skill, const Stats &base, const Stats &added);

// The skill name of Treatment, as the catalogue and the trickle table spell it.
inline const QString &TreatmentSkill() { return StatNames().at(int(Stat::Treatment)); }

} // namespace ludra
