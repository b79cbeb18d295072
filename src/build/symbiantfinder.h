#pragma once

#include "data/nano.h"
#include "data/symbiants.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <utility>

namespace ludra {

class BuildSettings;
class LayoutState;
class ReferenceData;
class TextTable;

// One symbiant a slot could hold instead of what it holds now, and what the
// change would give the plan's selected skills.
struct SymbiantChoice
{
    Symbiant symbiant;
    // The sum of gains.
    qint64 total = 0;
    // Per selected skill (SymbiantFinding::skills, in that order): what the
    // symbiant gives it less what the slot gives it now.
    QList<qint64> gains;
    // Whether the slot holds this symbiant already.
    bool current = false;
};

// The symbiants each body slot could hold, best first.
struct SymbiantFinding
{
    // Whether a character was entered, so that the requirements were judged;
    // without one every symbiant of a slot is listed.
    bool judged = false;
    // The plan's selected skills, each name once, in the plan's order.
    QStringList skills;
    // Per body slot, in body order: the symbiants the character can wear
    // there, ranked.
    std::array<QList<SymbiantChoice>, BodySlotCount> bySlot;
};

// Finds the symbiants of the table each slot of the layout's plan could hold.
//
// With a character entered, a symbiant is kept when the character meets its
// level and profession, and its Treatment and abilities with the rest of the
// plan worn: the ladder of the plan without that slot (its implant and its
// symbiant left out, the other symbiants in), everything at its final level,
// Treatment with trickle-down when trickleDown is on.
//
// A gain is what the symbiant adds to a selected skill less what the slot
// gives it now: the slot's symbiant's bonus, or its implant's clusters'
// increases at the level the build would make it (the ladder's final level
// with a character at "Highest I Can Wear", else the settings' one level or
// the implant selection's level). Ranked by the total gain, highest first;
// then by the fewer abilities needed, the lower Treatment, the name and the
// level. A value the catalogue holds or the settings give that is no number
// throws EConvertError, as it ends a build.
SymbiantFinding FindSymbiants(const LayoutState &layout, const BuildSettings &settings, const ReferenceData &reference,
                              const SymbiantTable &table, bool trickleDown = true);

// The finding as a table: a header row ("Slot", "Symbiant", "QL", "Total
// Gain", a column per selected skill, "Treatment Needed", "Level Needed", "Abilities Needed",
// "Professions"), then the slots' rows in body order, each slot ranked; only
// that slot's rows for a slot of 0 to 12. The current symbiant's name says
// so. Without rows, one blank row. Returns, per row after the header, the
// slot and the index of its choice there.
QList<std::pair<int, int>> FillSymbiantTable(const SymbiantFinding &finding, TextTable &table, int slot = -1);

// Its columns before the skills' and after them.
namespace SymbiantCol {
inline constexpr int Slot = 0;
inline constexpr int Name = 1;
inline constexpr int QL = 2;
inline constexpr int Total = 3;
inline constexpr int FirstSkill = 4;
} // namespace SymbiantCol

} // namespace ludra
