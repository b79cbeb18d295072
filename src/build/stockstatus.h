#pragma once

#include "stock/stocksourcing.h"

#include <QString>

#include <optional>

namespace ludra {

class BuildSettings;
class LayoutState;
class TNanoList;
class StockState;

// The cell at column, row of the layout by its current view and names: in
// the body-placement view the row names the slot and the cell the cluster,
// in the skill/cluster-set view the other way round; a skill name stands for
// the cluster of its first record; the column's header is the type. Nothing
// for a cell that is empty once trimmed, or of a slot holding a symbiant.
std::optional<StockCell> StockCellAt(const LayoutState &layout, const TNanoList &nanoList, int column, int row);

// The layout's stock status, as "Activate Stock Control" switches it
// (ApplyStockControl). On: builds use one quality level and only owned
// stock, the target's text becomes the one level when it changed, and every
// data cell is checked against the stock at the target and marked in stock,
// no stock or no implant. Off: builds no longer use stock, and the automatic
// markers (in stock, no implant, conflict, no stock) leave both views.
void ApplyStockControl(bool on, const QString &targetText, bool targetChanged, LayoutState &layout,
                       BuildSettings &settings, StockState &stock, const TNanoList &nanoList);

// Checks every data cell of the layout against the stock at the target, as
// the status does after the view changed.
void CheckLayoutStock(const QString &targetText, LayoutState &layout, const BuildSettings &settings,
                      StockState &stock, const TNanoList &nanoList);

// Checks one data cell, as the status does after the cell was edited.
void CheckCellStock(int column, int row, const QString &targetText, LayoutState &layout,
                    const BuildSettings &settings, StockState &stock, const TNanoList &nanoList);

} // namespace ludra
