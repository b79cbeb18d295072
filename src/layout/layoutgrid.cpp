#include "layout/layoutgrid.h"

#include "common/texttable.h"
#include "data/nano.h"

namespace ludra {

void PrepareBodyView(TextTable &layout, const QStringList &bodySlots)
{
    layout.setColumnCount(LayoutColumns);
    layout.setRowCount(int(bodySlots.size()) + 1);
    const QStringList &types = ClusterTypeNames();
    for (int c = 1; c < LayoutColumns; ++c)
        layout.setCell(c, 0, types.at(c - 1));
    for (int r = 1; r < layout.rowCount(); ++r)
        layout.setCell(0, r, bodySlots.at(r - 1));
}

} // namespace ludra
