// libFuzzer target: the two optional files of the game's rules, the
// trickle-down weights ("trickle.csv") and the recipes' requirement profiles
// ("reqprofile.csv"), read from a base folder by the loaders the program
// calls. The input is cut at its first NUL byte into the two files, in that
// order; without one the second file is missing. Any bytes must read without
// a crash or undefined behaviour, and what is read must keep its rules:
//
// - the trickle table is the built-in one exactly when no line can be read;
//   its skills are trimmed, not blank and each once, no more than the lines,
//   each with weights of no sign; its own lines read back as the same table;
//   and more of an ability never takes trickle-down away;
// - every profile is found by the clusters of a line of the file, one for
//   each different set of clusters found so, and meets the points it was
//   read with at levels 1, 200, 201 and 300, lying between them at the
//   levels in between.

#include "common/paths.h"
#include "common/text.h"
#include "data/gamerules.h"
#include "fuzzsupport.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace ludra;

namespace {

const QString &path(const QString &name)
{
    static const QString trickle = (fuzz::UseWorkDirAsBase(), ReferenceFile(RefFile::Trickle));
    static const QString profiles = ReferenceFile(RefFile::RequirementProfiles);
    return name == RefFile::Trickle ? trickle : profiles;
}

// The largest weight the file can write: six digits and three decimals.
constexpr qint64 MostWeight = 999'999'999;

bool sameTable(const TrickleTable &a, const TrickleTable &b)
{
    if (a.skills() != b.skills())
        return false;
    for (const QString &skill : a.skills()) {
        const AbilityWeights *wa = a.weights(skill);
        const AbilityWeights *wb = b.weights(skill);
        if (!wa || !wb || *wa != *wb)
            return false;
    }
    return true;
}

void checkTrickle(const QStringList &lines)
{
    const TrickleTable table = TrickleTable::load();
    const std::optional<TrickleTable> parsed = TrickleTable::parse(lines);
    if (!sameTable(table, parsed ? *parsed : TrickleTable::builtIn()))
        std::abort();
    if (!parsed)
        return;
    const QStringList &skills = table.skills();
    if (skills.size() > lines.size() || QSet<QString>(skills.begin(), skills.end()).size() != skills.size())
        std::abort();
    // Abilities of a well-built character, and more of one or all of them.
    const Abilities base{480, 350, 420, 510, 390, 450};
    Abilities all{};
    all.fill(250);
    for (const QString &skill : skills) {
        if (skill.isEmpty() || TrimCtl(skill) != skill)
            std::abort();
        const AbilityWeights *weights = table.weights(skill);
        if (!weights || table.weights(u' ' + skill + u'\t') != weights
            || table.gain(skill, base, all) != TrickleGain(*weights, base, all))
            std::abort();
        const qint64 most = TrickleGain(*weights, base, all);
        for (int a = 0; a < AbilityCount; ++a) {
            if ((*weights)[std::size_t(a)] < 0 || (*weights)[std::size_t(a)] > MostWeight)
                std::abort();
            Abilities added{};
            added[std::size_t(a)] = 250;
            const qint64 gain = TrickleGain(*weights, base, added);
            if (gain < 0 || gain > most)
                std::abort();
        }
        if (TrickleGain(*weights, base, Abilities{}) != 0)
            std::abort();
    }
    const std::optional<TrickleTable> again = TrickleTable::parse(table.lines());
    if (!again || !sameTable(*again, table))
        std::abort();
}

// The profile's line meets its points at their levels and lies between two
// points at the levels between them.
void checkProfile(const RequirementProfile &profile)
{
    for (const std::array<qint64, 4> &points : {profile.treatment, profile.ability}) {
        for (std::size_t i = 0; i < points.size(); ++i)
            if (points[i] < 0 || ProfileValue(points, ProfileLevels[i]) != points[i])
                std::abort();
        for (const int q : {2, 57, 100, 150, 199, 202, 250, 299}) {
            const std::size_t first = q <= ProfileLevels[1] ? 0 : 2;
            const qint64 value = ProfileValue(points, q);
            if (value < std::min(points[first], points[first + 1]) || value > std::max(points[first], points[first + 1]))
                std::abort();
        }
    }
}

void checkProfiles(const QStringList &lines)
{
    const RequirementProfiles profiles = RequirementProfiles::load();
    if (profiles.count() > lines.size())
        std::abort();
    QSet<QString> found;
    for (const QString &line : lines) {
        const QStringList fields = line.split(QLatin1Char(','));
        if (fields.size() != 11)
            continue;
        const RequirementProfile *profile = profiles.find(fields.at(0), fields.at(1), fields.at(2));
        if (!profile)
            continue;
        checkProfile(*profile);
        // The same clusters with blanks around them.
        if (profiles.find(u' ' + fields.at(0), fields.at(1) + u' ', fields.at(2)) != profile)
            std::abort();
        found.insert(TrimCtl(fields.at(0)) + u'\n' + TrimCtl(fields.at(1)) + u'\n' + TrimCtl(fields.at(2)));
    }
    if (found.size() != profiles.count())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView whole(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype nul = whole.indexOf('\0');
    const QByteArrayView trickle = nul < 0 ? whole : whole.first(nul);
    fuzz::WriteFile(path(RefFile::Trickle), trickle);
    if (nul < 0)
        QFile::remove(path(RefFile::RequirementProfiles));
    else
        fuzz::WriteFile(path(RefFile::RequirementProfiles), whole.sliced(nul + 1));

    checkTrickle(SplitLines(trickle.toByteArray()));
    checkProfiles(nul < 0 ? QStringList() : SplitLines(whole.sliced(nul + 1).toByteArray()));
    if (nul < 0 && RequirementProfiles::load().count() != 0)
        std::abort();
    return 0;
}
