#pragma once

namespace ludra {

// The marker a layout cell carries, shown as a small image before its text.
// The value is the code a file stores (as decimal text) and the index of the
// marker's image; a marker's place in the marker menu is its code plus one,
// the menu's first entry removing the marker.
enum class Marker : signed char {
    None = -1,
    Confirmed = 0,
    Unconfirmed = 1,
    InStock = 2,
    NoImplant = 3,
    BadCluster = 4,
    Note = 5,
    Unremovable = 6,
    Trash = 7,
    Notification = 8,
    NeedsWork = 9,
    Query = 10,
    Conflict = 11,
    Question = 12,
    NoStock = 13,
};

} // namespace ludra
