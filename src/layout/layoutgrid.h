#pragma once

#include <QStringList>

namespace ludra {

class TextTable;

// The layout grid has four columns: the row header and one per cluster type.
inline constexpr int LayoutColumns = 4;

// Arranges the layout for the body-placement view: the cluster type headers
// in row 0 and one row per body slot with the slot name in column 0. Data
// cells keep their text.
void PrepareBodyView(TextTable &layout, const QStringList &bodySlots);

} // namespace ludra
