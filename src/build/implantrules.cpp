#include "build/implantrules.h"

#include "build/buildformulas.h"
#include "data/referencedata.h"

namespace ludra {

ImplantNeeds NeedsAt(const RequirementProfile *profile, int q)
{
    if (!profile)
        return ImplantNeeds{TreatmentReq(q), SecondarySkillReq(q)};
    return ImplantNeeds{ProfileValue(profile->treatment, q), ProfileValue(profile->ability, q)};
}

const RequirementProfile *ImplantProfile(const ReferenceData &reference, const std::array<QString, 3> &clusters)
{
    return reference.requirementProfiles().find(clusters[0], clusters[1], clusters[2]);
}

int LowestClusterQL(int type, int implantQL)
{
    // Shining, Bright, Faded.
    static constexpr int percent[3] = {86, 84, 82};
    if (implantQL <= 0 || type < 0 || type >= 3)
        return 0;
    return (percent[type] * implantQL + 99) / 100;
}

int SameBonusLevel(const QList<BonusCluster> &clusters, const TSkillReq &skillReq, int q)
{
    if (q < 2 || clusters.isEmpty())
        return q;
    const QStringList &types = ClusterTypeNames();
    QList<qint64> wanted;
    for (const BonusCluster &cluster : clusters)
        wanted.append(SkillIncreaseOf(cluster.nano, skillReq, types.at(cluster.type), q));
    // An increase is a rounded line with a floor of 2, so the same value may
    // come back lower down: every level is tried from the bottom.
    for (int level = 1; level < q; ++level) {
        bool same = true;
        for (qsizetype i = 0; i < clusters.size() && same; ++i)
            same = SkillIncreaseOf(clusters.at(i).nano, skillReq, types.at(clusters.at(i).type), level) == wanted.at(i);
        if (same)
            return level;
    }
    return q;
}

Abilities AbilitiesOf(const Stats &stats)
{
    Abilities abilities{};
    for (int a = 0; a < AbilityCount; ++a)
        abilities[std::size_t(a)] = stats[std::size_t(a + 1)];
    return abilities;
}

qint64 TrickleInto(const TrickleTable &table, const QString &skill, const Stats &base, const Stats &added)
{
    return table.gain(skill, AbilitiesOf(base), AbilitiesOf(added));
}

} // namespace ludra
