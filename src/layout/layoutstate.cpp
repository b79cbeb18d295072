#include "layout/layoutstate.h"

#include "data/nano.h"

namespace ludra {

LayoutState::LayoutState()
    : m_colorGrid(1, LayoutColumns - 1, 1, LayoutMaxRows, false),
      m_icons(0, LayoutColumns - 1, 0, LayoutMaxRows, Marker::None),
      m_secondIcons(0, LayoutColumns - 1, 0, LayoutMaxRows, Marker::None)
{
}

void LayoutState::prepareBodyView(const QStringList &bodySlots)
{
    m_table.setColumnCount(LayoutColumns);
    m_table.setRowCount(int(bodySlots.size()) + 1);
    const QStringList &types = ClusterTypeNames();
    for (int c = 1; c < LayoutColumns; ++c)
        m_table.setCell(c, 0, types.at(c - 1));
    for (int r = 1; r < m_table.rowCount(); ++r)
        m_table.setCell(0, r, bodySlots.at(r - 1));
    m_currentView = LayoutView::BodyPlacement;
}

void LayoutState::clearMarks()
{
    m_colorGrid.reset();
    m_icons.reset();
    m_secondIcons.reset();
    m_currentView = LayoutView::BodyPlacement;
}

} // namespace ludra
