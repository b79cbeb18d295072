#include "build/buildformulas.h"

#include "common/numbers.h"
#include "common/text.h"

#include <cmath>

namespace ludra {

namespace {

// The value of a category and type at quality level 1.
int baseValue(int category, const QString &type)
{
    // Skill, Attr, AC, Life/Nano, AddAll; every later category as the sixth.
    static constexpr int faded[6] = {2, 2, 3, 3, 2, 2};
    static constexpr int bright[6] = {3, 3, 4, 4, 3, 3};
    static constexpr int shining[6] = {6, 5, 8, 7, 6, 5};
    const int i = category <= 5 ? category - 1 : 5;
    if (type == QLatin1String("Faded"))
        return faded[i];
    if (type == QLatin1String("Bright"))
        return bright[i];
    return shining[i];
}

// The column of the skill increase table for a type at level 200; the
// level-300 column is three further on.
int typeColumn(const QString &type)
{
    if (type == QLatin1String("Faded"))
        return 0;
    if (type == QLatin1String("Bright"))
        return 1;
    return 2;
}

} // namespace

qint64 RoundHalfEven(long double value)
{
    // nearbyint rounds in the current mode, which is to nearest with halves
    // to even unless someone changed it; std::round would take halves away
    // from zero.
    return qint64(std::nearbyint(value));
}

qint64 TreatmentReq(int q)
{
    if (q <= 200)
        return RoundHalfEven((static_cast<long double>(q) - 1) * 4.723L + 11);
    return RoundHalfEven((static_cast<long double>(q) - 201) * 10.606L + 1001);
}

qint64 SecondarySkillReq(int q)
{
    if (q <= 200)
        return 2 * qint64(q) + 4;
    return RoundHalfEven((static_cast<long double>(q) - 201) * 6.757L + 426);
}

int IndividualQL(const QList<ImplantSelection> &selections, const QStringList &bodySlots, const QString &slot)
{
    const QStringView wanted = TrimCtl(QStringView(slot));
    int position = -1;
    for (int i = 0; i < int(bodySlots.size()); ++i) {
        if (TrimCtl(QStringView(bodySlots.at(i))) == wanted) {
            position = i;
            break;
        }
    }
    if (position < 0 || position >= selections.size() || !selections.at(position).selected)
        return -1;
    return selections.at(position).qualityLevel.value();
}

int ImplantQL(const BuildSettings &settings, const QList<ImplantSelection> &selections, const QStringList &bodySlots,
              const QString &slot)
{
    if (settings.target == BuildSettings::Target::OneLevel)
        return settings.implantQL.value();
    const int level = IndividualQL(selections, bodySlots, slot);
    return level >= 0 ? level : 0;
}

const TNano *FindCluster(const TNanoList &nanoList, const QString &cluster)
{
    for (int i = 0; i < nanoList.count(); ++i) {
        const TNano *nano = nanoList.at(i);
        if (nano->ClusterName == cluster)
            return nano;
    }
    return nullptr;
}

qint64 SkillIncrease(const TNanoList &nanoList, const TSkillReq &skillReq, const QString &cluster,
                     const QString &type, int q)
{
    return SkillIncreaseOf(FindCluster(nanoList, cluster), skillReq, type, q);
}

qint64 SkillIncreaseOf(const TNano *nano, const TSkillReq &skillReq, const QString &type, int q)
{
    if (!nano)
        return 2;
    const int category = StrToInt(QLatin1Char('0') + nano->IncCategory);
    int v200 = 0;
    int v300 = 0;
    const int column = typeColumn(type);
    if (!skillReq.lookup(category, column, v200) || !skillReq.lookup(category, column + 3, v300))
        return 2;
    const int base = baseValue(category, type);
    qint64 result;
    if (q <= 200)
        result = RoundHalfEven(static_cast<long double>(v200 - base) / 199 * (static_cast<long double>(q) - 1)) +
                 base;
    else
        result = RoundHalfEven(static_cast<long double>(v300 - v200) / 99 * (static_cast<long double>(q) - 201)) +
                 v200;
    return result < 2 ? 2 : result;
}

qint64 ClusterSkillReq(const RequirementList &requirements, const QString &cluster, const QString &type,
                       int implantQL)
{
    return ClusterSkillReqOf(ClusterSkillFactor(requirements, cluster, type), implantQL);
}

double ClusterSkillFactor(const RequirementList &requirements, const QString &cluster, const QString &type)
{
    // base and factor are rounded to doubles after each step; only the last
    // product is extended. So a requirement whose decimal value is whole
    // (3 / 200 * 200) comes out one below it, as it always has: the double
    // nearest 0.015 is a little less than 0.015, and the extended product
    // keeps that difference where a double product would round it away.
    double base = 0.0;
    const QStringView wanted = TrimCtl(QStringView(cluster));
    for (const Requirement &requirement : requirements) {
        if (TrimCtl(QStringView(requirement.cluster)) == wanted) {
            base = StrToInt(requirement.value);
            break;
        }
    }
    if (type == QLatin1String("Bright"))
        base = base / 100 * 75;
    else if (type == QLatin1String("Faded"))
        base = base / 2;
    return base / 200;
}

qint64 ClusterSkillReqOf(double factor, int implantQL)
{
    return qint64(std::trunc(static_cast<long double>(implantQL) * static_cast<long double>(factor)));
}

QString ClusterToSkill(const TNanoList &nanoList, const QString &cluster)
{
    const TNano *nano = FindCluster(nanoList, cluster);
    return nano ? nano->SkillName : QString();
}

QString ClusterSecSkill(const TSecSkills &secSkills, const QString &cluster, const QString &type)
{
    const QString kind = UpperAscii(TrimCtl(type));
    const int i = secSkills.firstNamed(cluster);
    if (i < 0)
        return QString();
    QStringView text;
    if (kind == QLatin1String("BRIGHT"))
        text = secSkills.SecSkillBright(i);
    else if (kind == QLatin1String("FADED"))
        text = secSkills.SecSkillFaded(i);
    else if (kind == QLatin1String("SHINING"))
        text = secSkills.SecSkillShining(i);
    if (TrimCtl(text).isEmpty())
        return QString();
    return QStringLiteral("- ") + text.toString();
}

} // namespace ludra
