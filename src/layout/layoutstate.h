#pragma once

#include "common/texttable.h"
#include "layout/celltable.h"
#include "layout/marker.h"

#include <QStringList>

namespace ludra {

// The layout grid has four columns: the row header and one per cluster type.
inline constexpr int LayoutColumns = 4;

// What the layout table holds: one row per body slot, or one row per selected
// skill.
enum class LayoutView { BodyPlacement = 0, SkillSet = 1 };

// The layout: the table the layout grid shows, the duplicate marks of its
// cells and the markers of each view's cells.
class LayoutState
{
public:
    LayoutState();

    // The layout table (LayoutTable): row 0 holds the cluster type headers,
    // column 0 the slot or skill of each row.
    TextTable &table() { return m_table; }
    const TextTable &table() const { return m_table; }

    LayoutView currentView() const { return m_currentView; }

    // Arranges the table for the body-placement view: the type headers in row
    // 0 and one row per body slot, the slot's name in column 0. Data cells
    // keep their text.
    void prepareBodyView(const QStringList &bodySlots);

    // Whether a data cell's text repeats another cell's (ColorGrid).
    bool isDuplicate(int column, int row) const { return m_colorGrid.value(column, row); }
    // The marker of a cell in a view (Icons and SecondIcons).
    Marker marker(LayoutView view, int column, int row) const { return markers(view).value(column, row); }

    // Clears the duplicate marks and the markers of both views and returns to
    // the body-placement view.
    void clearMarks();

private:
    const TCellTable<Marker> &markers(LayoutView view) const
    {
        return view == LayoutView::BodyPlacement ? m_icons : m_secondIcons;
    }

    TextTable m_table;
    TCellTable<bool> m_colorGrid;
    TCellTable<Marker> m_icons;
    TCellTable<Marker> m_secondIcons;
    LayoutView m_currentView = LayoutView::BodyPlacement;
};

} // namespace ludra
