#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

namespace ludra {

// Two optional reference files with rules of the game beyond the build's own
// formulas. Either may be missing or unreadable: then the built-in weights,
// and the build's formulas for every implant, stand, and nothing is said.
namespace RefFile {
inline const QString Trickle = QStringLiteral("trickle.csv");
inline const QString RequirementProfiles = QStringLiteral("reqprofile.csv");
} // namespace RefFile

// The six abilities, in the order a character's stats list them after
// Treatment: Strength, Agility, Stamina, Intelligence, Psychic, Sense.
inline constexpr int AbilityCount = 6;
using Abilities = std::array<qint64, AbilityCount>;
// The weight of each ability in a skill's trickle-down, in thousandths, in
// that order.
using AbilityWeights = std::array<qint64, AbilityCount>;

// The trickle-down of a skill with these weights: what abilities of base
// plus added give over what base alone gives, each floor(sum of weight x
// ability / 4).
qint64 TrickleGain(const AbilityWeights &weights, const Abilities &base, const Abilities &added);

// How much of each ability trickles down into each skill. The file has a
// header line, then one line per skill: the skill's name as the catalogue
// spells it, then the weights of Agility, Intelligence, Psychic, Sense,
// Stamina and Strength (the game's order), as decimals such as 0.3. A line
// that cannot be read is passed over.
class TrickleTable
{
public:
    // The weights Ludra ships, compiled in.
    static const TrickleTable &builtIn();
    // The table of the lines; nothing when no line can be read.
    static std::optional<TrickleTable> parse(const QStringList &lines);
    // The table of "trickle.csv" (the user's own copy first), or the built-in
    // one when it is missing or holds no line that can be read.
    static TrickleTable load();

    // The weights of a skill; nullptr for a skill that abilities do not feed.
    const AbilityWeights *weights(const QString &skill) const;
    qint64 gain(const QString &skill, const Abilities &base, const Abilities &added) const;
    // The skills, in the order of the file.
    const QStringList &skills() const { return m_skills; }

    // The file's lines for this table, header first.
    QStringList lines() const;

private:
    QStringList m_skills;
    QHash<QString, AbilityWeights> m_weights;
};

// Treatment and ability an implant of a recipe needs at levels 1, 200, 201
// and 300; between them the requirement follows the straight line, below 201
// between the first two points and from 201 between the last two.
struct RequirementProfile
{
    std::array<qint64, 4> treatment{};
    std::array<qint64, 4> ability{};

    bool operator==(const RequirementProfile &) const = default;
};

// The levels of a profile's points.
inline constexpr std::array<int, 4> ProfileLevels{1, 200, 201, 300};

// The value of a profile's line at level q (points as given, ProfileLevels),
// rounded to the nearest, halves to even.
qint64 ProfileValue(const std::array<qint64, 4> &points, int q);

// The recipes whose requirements are not the build's formulas (those holding
// one of the special clusters), by their three clusters. The file has a
// header line, then one line per recipe: the Shining, Bright and Faded
// cluster names (empty where the recipe has none), then Treatment and ability
// at level 1, 200, 201 and 300, in that order. A line that cannot be read is
// passed over.
class RequirementProfiles
{
public:
    static RequirementProfiles parse(const QStringList &lines);
    // The profiles of "reqprofile.csv" (the user's own copy first); none when
    // it is missing.
    static RequirementProfiles load();

    // The profile of the recipe with these clusters (Shining, Bright, Faded;
    // empty where there is none); nullptr when it keeps the build's formulas.
    const RequirementProfile *find(QStringView shining, QStringView bright, QStringView faded) const;
    qsizetype count() const { return m_profiles.size(); }

private:
    QHash<QString, RequirementProfile> m_profiles;
};

} // namespace ludra
