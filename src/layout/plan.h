#pragma once

#include "common/numbers.h"
#include "data/cataloguenames.h"
#include "data/nano.h"
#include "layout/celltable.h"
#include "layout/marker.h"
#include "layout/skilllists.h"

#include <QList>
#include <QString>

#include <array>

namespace ludra {

inline constexpr int ClusterTypeCount = 3;

// What one cluster place of a plan holds: nothing, a catalogue record, or a
// text that stands for no record as it is (typed, read from a project, the
// blank first choice of a pick list). A text keeps the kind of names it was
// written in where that matters: a text that some record's name becomes when
// the names switch. A cell is a value; the record it names belongs to the
// catalogue, which outlives every plan.
class PlanCell
{
public:
    PlanCell() = default;

    // The cell a text written under the names given stands for: empty for an
    // empty text, the record for a text that names a stable record
    // (CatalogueNames::recordNamed), the text itself otherwise.
    static PlanCell fromText(const QString &text, LayoutNames names, const CatalogueNames &catalogue);
    static PlanCell fromRecord(const TNano *nano);

    // Nothing placed: no record and an empty text.
    bool isEmpty() const { return !m_nano && m_text.isEmpty(); }
    // Nothing placed once trimmed: empty, or a text of blanks (the blank
    // choice counts as occupied for allocation but as empty for the rest).
    bool isBlank() const;
    // The record held; nullptr for a text or nothing.
    const TNano *nano() const { return m_nano; }

    // What the cell shows under the names given: a record by its name of
    // that kind, a text as the switch of names turns it.
    QString shown(LayoutNames names, const CatalogueNames &catalogue) const;
    // The cell after the names shown switch to those given: a record stays,
    // a text takes what the switch makes of it.
    PlanCell switchedTo(LayoutNames names, const CatalogueNames &catalogue) const;

    bool operator==(const PlanCell &) const = default;

private:
    const TNano *m_nano = nullptr;
    QString m_text;
    LayoutNames m_names = LayoutNames::SkillNames;
};

// One body slot of a plan: its Shining, Bright and Faded cluster, or a
// symbiant worn in place of the implant. A slot holding a symbiant keeps its
// clusters, which come back when it goes back to an implant.
struct PlanSlot
{
    std::array<PlanCell, ClusterTypeCount> clusters;
    // The symbiant's title (name and level, as the symbiant table gives it);
    // empty for an implant.
    QString symbiant;

    bool holdsSymbiant() const { return !symbiant.isEmpty(); }

    // Whether any of its clusters is more than blank.
    bool holdsCluster() const;

    bool operator==(const PlanSlot &) const = default;
};

// The choice of one body slot for "Individual Implant Levels" (an entry of
// SelImp-Bool and SelImp-QL): whether the slot is selected, and the quality
// level to build its implant at as it was typed. A level that is no whole
// number ends the build where it reads it.
struct ImplantSelection
{
    bool selected = false;
    EnteredNumber qualityLevel;

    bool operator==(const ImplantSelection &) const = default;
};

// The plan: the thirteen body slots in body order with what each holds, the
// markers the player and allocation put on the cells of either view, the
// skill lists and the implant selection. It is a value: copies share their data until one changes,
// so every step of an undo history can keep one.
struct Plan
{
    std::array<PlanSlot, BodySlotCount> bodySlots;
    // The markers of the body-placement view: [column 0..3][row 0..13], row 0
    // the type headers, column 0 the slot names.
    TCellTable<Marker> slotMarkers{0, ClusterTypeCount, 0, BodySlotCount, Marker::None};
    // The markers of the skill/cluster-set view: [column 0..3][row 0..400],
    // row k + 1 the catalogue's record k.
    TCellTable<Marker> recordMarkers{0, ClusterTypeCount, 0, LayoutMaxRows, Marker::None};
    SkillLists skills;
    // The implant selection, entry k for body slot k: none before the player
    // made one (no slot selected then), thirteen after. A project may hold
    // fewer or more; they are kept as read, and an entry beyond the body
    // slots selects nothing.
    QList<ImplantSelection> implantSelections;

    // How many entries of the implant selection are selected.
    int selectedImplants() const;

    // The cell of a slot (0 to 12) and a type (0 Shining, 1 Bright, 2 Faded).
    const PlanCell &cell(int slot, int type) const { return bodySlots.at(std::size_t(slot)).clusters.at(std::size_t(type)); }
    void setCell(int slot, int type, const PlanCell &cell)
    {
        bodySlots.at(std::size_t(slot)).clusters.at(std::size_t(type)) = cell;
    }
    // Whether no slot holds anything, blank choices included; a symbiant
    // counts.
    bool cellsEmpty() const;
    // The symbiant a slot holds (0 to 12); empty for an implant.
    const QString &symbiant(int slot) const { return bodySlots.at(std::size_t(slot)).symbiant; }
    void setSymbiant(int slot, const QString &title) { bodySlots.at(std::size_t(slot)).symbiant = title; }
    bool holdsSymbiants() const;

    bool operator==(const Plan &) const = default;
};

} // namespace ludra
