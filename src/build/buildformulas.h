#pragma once

#include "build/buildsettings.h"
#include "data/nano.h"
#include "data/referencefiles.h"
#include "data/skillreq.h"
#include "layout/plan.h"

#include <QString>
#include <QStringList>

namespace ludra {

// The rules by which a build turns one planned cluster into numbers. Where a
// value must be a whole number and its text is not, the strict conversion
// throws EConvertError with "'<text>' is not a valid integer value", which
// ends the build.

// Halves-to-even rounding of an extended-precision value, as the build
// rounds every fraction.
qint64 RoundHalfEven(long double value);

// The treatment requirement of an implant of quality level q.
qint64 TreatmentReq(int q);
// The secondary-skill requirement of an implant of quality level q.
qint64 SecondarySkillReq(int q);

// The quality level an implant selection gives a slot (IndividualQL): the
// typed level of the slot's entry when the slot is ticked, -1 when the slot
// is not a body slot, is not ticked, or the selection has no entry for it.
int IndividualQL(const QList<ImplantSelection> &selections, const QStringList &bodySlots, const QString &slot);
// The quality level a build gives a slot's implant (ImplantQL): the one
// level for all when the settings target one, otherwise the slot's
// individual level in the selection given (0 when it has none).
int ImplantQL(const BuildSettings &settings, const QList<ImplantSelection> &selections, const QStringList &bodySlots,
              const QString &slot);

// The record of the first catalogue entry with this cluster name; nullptr
// when there is none.
const TNano *FindCluster(const TNanoList &nanoList, const QString &cluster);

// The skill a cluster raises at quality level q (SkillIncrease): interpolated
// between the base of its category and type at level 1 and the table's
// values at 200 and 300. Never below 2; 2 for a cluster the catalogue does not
// know or a category outside 1 to 12.
qint64 SkillIncrease(const TNanoList &nanoList, const TSkillReq &skillReq, const QString &cluster,
                     const QString &type, int q);
// The same for a cluster whose record was looked up once (nullptr: the
// catalogue does not know it), for callers that ask at many levels.
qint64 SkillIncreaseOf(const TNano *nano, const TSkillReq &skillReq, const QString &type, int q);

// The nano-programming requirement of a cluster of a type in an implant of
// quality level implantQL (ClusterSkillReq), from its requirement base value:
// ClusterSkillReqOf its ClusterSkillFactor.
qint64 ClusterSkillReq(const RequirementList &requirements, const QString &cluster, const QString &type,
                       int implantQL);
// The two halves of it, for callers that ask at many levels: the factor of a
// cluster and type (its base value looked up and scaled for the type, per
// level), and the requirement that factor gives at a level.
double ClusterSkillFactor(const RequirementList &requirements, const QString &cluster, const QString &type);
qint64 ClusterSkillReqOf(double factor, int implantQL);

// The skill name of the first catalogue record of a cluster; empty when the
// catalogue does not know it (ClusterToSkill).
QString ClusterToSkill(const TNanoList &nanoList, const QString &cluster);

// The recipe-table text of a cluster for a type (ClusterSecSkill): the entry
// of the type's column at the first recipe whose name is the cluster, as
// "- " and the text; empty when there is none or it is blank.
QString ClusterSecSkill(const TSecSkills &secSkills, const QString &cluster, const QString &type);

} // namespace ludra
