#pragma once

#include "build/buildsettings.h"
#include "build/resultrows.h"
#include "data/referencefiles.h"

#include <QList>

#include <optional>

namespace ludra {

// The name the recipes know a cluster by: its name before the first "(",
// trimmed.
QString RecipeClusterName(const QString &text);

// The secondary skill the recipes give an implant holding these clusters
// (their names, empty where it holds none): the attribute of the first
// recipe holding exactly them; empty when no recipe does.
QString ImplantSecondarySkill(const TSecSkills &recipes, const QString &shining, const QString &bright,
                              const QString &faded);

// The secondary skill the suggestions found for the implant of a body slot.
struct ImplantAttribute
{
    QString slot;
    QString attribute;
};

// What the suggestions pass finds: each implant's secondary skill, in the
// order of the implant's first requirement row, and the suggestion rows.
struct Suggestions
{
    QList<ImplantAttribute> attributes;
    QList<SuggestionRow> rows;

    // The secondary skill found for the slot's implant; none for a slot
    // without a requirement row.
    std::optional<QString> attributeOf(const QString &slot) const;
};

// The suggestions pass of a build (BuildSuggestions). Groups the requirement
// rows by body slot in the order of each implant's first row and finds the
// implant's secondary skill in the recipes from the clusters its rows hold
// (RecipeClusterName of each): the first recipe holding exactly them,
// "Unknown" when none does. For an implant with a free position whose
// secondary skill is an attribute the settings leave unticked, it suggests
// every recipe that agrees with the clusters the implant holds and gives a
// ticked attribute. A suggestion takes the place of the one before when that
// one adds nothing.
Suggestions BuildSuggestions(const QList<RequirementRow> &rows, const TSecSkills &recipes,
                             const BuildSettings &settings);

} // namespace ludra
