#pragma once

#include <QList>

namespace ludra {

// How a table's columns are fitted to the width of a page, in whatever unit
// the caller measures in: the printed grid in pixels, the RTF export in
// twips.

// Narrows every column in proportion when together they are wider than the
// room; returns their width together afterwards.
double ShrinkToRoom(QList<double> &widths, double available);

// Raises every column narrower than its least width to that width, first
// into the room the page has left and then taking from the columns wider
// than their own least widths, in proportion to what they have above them.
// False, leaving the widths as they were, when the least widths together
// are wider than the room.
bool RaiseToLeast(QList<double> &widths, const QList<double> &least, double available);

// Least widths that fit side by side: where together they are wider than
// the room, the widest are cut to one width that fills it, so that the
// narrower ones keep theirs.
void CapToRoom(QList<double> &least, double available);

} // namespace ludra
