#pragma once

#include "build/buildsettings.h"
#include "layout/plan.h"
#include "layout/plantext.h"
#include "layout/skilllists.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace ludra {

class LayoutState;
class SymbiantTable;

// The plan's text as "Copy Plan" writes it: labelled lines of the selected
// skills ("Skills:"), the quality level target ("Target:"), the character
// when one is entered ("Character:") and the symbiants worn in place of
// implants when there are any ("Symbiants:"), then the grid (PlanText).
// Fields are apart by tabs, as in the grid, so that a spreadsheet puts each
// in a cell.
//
//   Skills:     Treatment  MG & SMG
//   Target:     QL 200 | Individual Implant Levels  HEAD QL 200 ...
//               | Highest I Can Wear  up to QL 300
//   Character:  Treatment 700, Strength 250, ..., level 150, Doctor
//   Symbiants:  HEAD=NAME (QL 170)  EYE=NAME (QL 200)
//
// The grid holds every slot's clusters, a symbiant's slot too: they come
// back when the slot goes back to an implant.
QString LabelledPlanText(const LayoutState &layout, const BuildSettings &settings);

// What the labelled lines of a plan's text ask for: each part none when the
// text has no line for it (an older text has none), and a sentence naming
// the line for every value that cannot be read.
struct PlanLabels
{
    // The skills' names as the skill lists spell them, in their order.
    std::optional<QStringList> skills;
    std::optional<BuildSettings::Target> target;
    EnteredNumber implantQL;
    int ladderTopLevel = TopQualityLevel;
    // For individual levels: the selection of every body slot.
    QList<ImplantSelection> selections;
    std::optional<Character> character;
    // For a text with labelled lines, which is a whole plan: the title of
    // the symbiant in each body slot (empty for an implant), none but those
    // of its "Symbiants:" line. None for an older text, with the grid alone.
    std::optional<QStringList> symbiants;
    QStringList problems;
};

// Reads the labelled lines of a reading; skills are those of the lists (by
// name, letter case aside), symbiants those of the table (by name or title,
// any case; a "Symbiants:" line naming any needs the table).
PlanLabels ReadPlanLabels(const PlanReading &reading, const SkillLists &skills,
                          const SymbiantTable *symbiants = nullptr);

// A plan's whole text read: the grid, its labelled lines, and every problem
// of both, the grid's first.
struct LabelledPlanReading
{
    PlanReading plan;
    PlanLabels labels;
    QStringList problems;
};
LabelledPlanReading ReadLabelledPlanText(const QString &text, const TNanoList &nanoList, const SkillLists &skills,
                                         const SymbiantTable *symbiants);

// Puts a plan read from text into the layout (PlacePlan), the labels'
// skills selected (ApplyPlanSkills) and their symbiants worn: every slot's
// clusters are placed, those of a slot that holds a symbiant before or
// after too.
void PlaceLabelledPlan(LayoutState &layout, const PlanReading &reading, const PlanLabels &labels);

// The skills of the labels selected in place of those selected (the layout
// as it is where the labels name none), and the settings with the target and
// the character they give.
void ApplyPlanSkills(const PlanLabels &labels, LayoutState &layout);
BuildSettings PlanLabelSettings(const PlanLabels &labels, const BuildSettings &settings);

// A character as Character::summary() writes it ("Treatment 700, Strength
// 250, ..., level 150, Doctor"): every stat once, its level and profession
// when given, in any order, letter case aside; none, with the problem, when a
// part cannot be read.
std::optional<Character> ReadCharacterSummary(const QString &text, QString *problem = nullptr);

} // namespace ludra
