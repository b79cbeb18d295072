#pragma once

#include "data/referencedata.h"
#include "layout/layoutstate.h"

// Puts into every data cell of a body-placement layout with cluster names the
// first cluster of the catalogue that fits it; returns how many cells it
// filled. The tests and the benchmarks build this plan as the fullest the
// catalogue allows.
inline int fillEveryCell(ludra::LayoutState &layout, const ludra::ReferenceData &reference)
{
    int filled = 0;
    const QStringList &bodySlots = reference.bodySlots();
    for (int row = 1; row <= int(bodySlots.size()); ++row) {
        for (int column = 1; column <= 3; ++column) {
            const QStringList choices = ludra::FillBodyPickList(reference.nanoList(), bodySlots.at(row - 1), column,
                                                                ludra::LayoutNames::ClusterNames);
            if (choices.size() > 1) {
                layout.editCell(column, row, choices.at(1));
                ++filled;
            }
        }
    }
    return filled;
}
