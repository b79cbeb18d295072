#pragma once

#include "build/skilltally.h"
#include "data/nano.h"
#include "data/symbiants.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace ludra {

// One row of the requirement table as a build makes it: a planned cluster the
// build could source, with the values its cells show (RequirementCells).
struct RequirementRow
{
    // How far the build got with the row. A build that stops at a value that
    // is no whole number keeps the row it was making as far as it got: its
    // type alone, then also the cluster and the implant, then also the
    // nano-programming requirement. Every row of a finished build is Whole.
    enum class Reached { Type, Implant, SkillReq, Whole };

    // The cluster name as the plan's cell names it, and the catalogue record
    // of that name; none when the catalogue does not know it.
    QString cluster;
    std::optional<TNano> record;
    // The body slot of the implant, and the cluster's type (an index of
    // ClusterTypeNames).
    QString slot;
    int type = 0;
    // The level of the cluster the build uses (the owned one, when it draws
    // on stock) and the implant's level.
    int clusterQL = 0;
    int implantQL = 0;
    // "Skill Req": the nano-programming requirement.
    qint64 skillReq = 0;
    int credits = 0;
    qint64 treatment = 0;
    // The ability requirement of the implant, and the recipes' secondary-skill
    // text of the cluster for its type ("- " and the text; empty when they
    // have none).
    qint64 abilityReq = 0;
    QString recipeText;
    // The implant's secondary skill as the suggestions found it (an
    // attribute, or "Unknown"); none before they ran.
    std::optional<QString> attribute;
    // The lowest level a cluster of this type may have to fit the implant
    // (LowestClusterQL of the implant's level).
    int lowestClusterQL = 0;
    // The lowest implant level whose clusters give the bonuses they give at
    // the implant's level (SameBonusLevel over the implant's rows), and the
    // Treatment and ability it needs less than the implant's level.
    int sameBonusQL = 0;
    qint64 treatmentSaved = 0;
    qint64 abilitySaved = 0;
    Reached reached = Reached::Whole;

    const QString &typeName() const { return ClusterTypeNames().at(type); }
};

// The cells of a requirement row, one per column of the requirement table:
// "Alpha Cluster (QL 40)", the credits, "Skill Req", "HEAD (QL 35)", the type,
// the treatment, and the ability requirement with the recipe text and the
// implant's attribute ("404  - Agility" when the recipe text is empty); then
// the lowest cluster level that fits, the lowest implant level with the same
// bonuses and the Treatment and ability that level saves.
QStringList RequirementCells(const RequirementRow &row);

// A body slot of the plan holding a symbiant, as the build counts it: a row
// of the requirement table after the implants' rows.
struct SymbiantRow
{
    QString slot;
    Symbiant symbiant;
    // Whether the character's profession may wear it; true when no
    // character is entered, as nothing is judged then.
    bool professionAllowed = true;

    bool operator==(const SymbiantRow &) const = default;
};

// The type cell of a symbiant's row, and of one the character's profession
// may not wear.
inline const QString SymbiantType = QStringLiteral("Symbiant");
inline const QString SymbiantOtherProfession = QStringLiteral("Symbiant, not for your profession");

// The cells of a symbiant's row: its title, no credits and no
// nano-programming, "HEAD (QL 170)", the type, the Treatment it needs, and
// the abilities and character level it needs ("Agility 383, Sense 383,
// level 125"); nothing in the later columns, which are about clusters.
QStringList SymbiantCells(const SymbiantRow &row);

// One row of the skill increase table: a skill, its increase and the number
// of clusters counted, or the blank first row (SkillTallies); and what the
// abilities the plan adds give the skill through trickle-down, when the
// build counted it.
struct SkillTotalRow : SkillTallies::Tally
{
    std::optional<qint64> trickle;
};

// A skill of the selected list that the plan raises through trickle-down
// alone (no cluster of it is built), and by how much.
struct TrickleOnlySkill
{
    QString skill;
    qint64 gain = 0;

    bool operator==(const TrickleOnlySkill &) const = default;
};

// One row of the suggestion table: the clusters to add, the body slot of the
// implant they go into, and the secondary skill the implant then has.
struct SuggestionRow
{
    QString addition;
    QString slot;
    QString secondarySkill;

    bool operator==(const SuggestionRow &) const = default;
};

} // namespace ludra
