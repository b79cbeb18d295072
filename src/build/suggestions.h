#pragma once

#include "build/buildsettings.h"
#include "common/texttable.h"
#include "data/referencefiles.h"

namespace ludra {

// The name the recipes know a cluster by: its text before the first "(",
// trimmed. A requirement row's cluster and implant cells read the same way.
QString RecipeClusterName(const QString &text);

// The secondary skill the recipes give an implant holding these clusters
// (their names, empty where it holds none): the attribute of the first
// recipe holding exactly them; empty when no recipe does.
QString ImplantSecondarySkill(const TSecSkills &recipes, const QString &shining, const QString &bright,
                              const QString &faded);

// The suggestions pass of a build (BuildSuggestions). Groups the requirement
// rows by implant in the order of each implant's first row, finds the
// implant's secondary skill in the recipes (the first recipe holding exactly
// its clusters, "Unknown" when none does), appends " - " and it to the
// "Secondary Skill" cell of each of its rows, and, for an implant with a free
// position whose secondary skill is an attribute the settings leave
// unticked, lists in suggestTable every recipe that agrees with the clusters
// it holds and gives a ticked attribute. suggestTable is expected blank, with
// one data row.
void BuildSuggestions(TextTable &reqTable, TextTable &suggestTable, const TSecSkills &recipes,
                      const BuildSettings &settings);

} // namespace ludra
