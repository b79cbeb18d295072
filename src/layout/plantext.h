#pragma once

#include "data/nano.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace ludra {

class LayoutState;

// The plan as text a spreadsheet or a chat message takes as a table: a
// header line "Slot", "Shining", "Bright", "Faded", then one line per body
// slot with its cluster names, the fields apart by tabs, lines ending in LF.
QString PlanText(const LayoutState &layout);

// What a plan's text holds: for every body slot, in slot order, the record
// placed as its Shining, Bright and Faded cluster (nullptr where none is),
// and every line or name that could not be read, each as one sentence.
// A labelled line above a plan's grid, "Skills:", "Target:", "Character:" or
// "Symbiants:" and what follows: its line's number and the text after the colon; line 0
// where the text holds no such line.
struct PlanLabel
{
    int line = 0;
    QString value;

    bool operator==(const PlanLabel &) const = default;
};
enum class PlanLabelKind { Skills, Target, Character, Symbiants };
inline constexpr int PlanLabelCount = 4;
// "Skills", "Target", "Character", "Symbiants".
const QStringList &PlanLabelNames();

struct PlanReading
{
    QList<std::array<const TNano *, 3>> placed;
    QStringList problems;
    std::array<PlanLabel, PlanLabelCount> labels;

    const PlanLabel &label(PlanLabelKind kind) const { return labels[std::size_t(kind)]; }
};

// Reads a plan's text: lines of a slot and up to three names, apart by tabs
// (or, in a line without a tab, by "|", ";" or two spaces or more), with or
// without the header line, and with or without labelled lines (PlanLabel),
// which are kept as they stand for the layers that know what they hold; a
// label given twice is a problem. Slots and names are read without regard to
// letter case; a name is a cluster's or a skill's, and must be one that goes
// into that slot as that type. Slots the text does not name stay empty.
PlanReading ReadPlanText(const QString &text, const TNanoList &nanoList, const QStringList &bodySlots);

// Puts a plan read from text into the layout as hand edits would, shown by
// body placement (a layout shown by skill or cluster set is turned first, its
// duplicate marks gone), each name in the names the layout shows.
void PlacePlan(LayoutState &layout, const PlanReading &reading);

} // namespace ludra
