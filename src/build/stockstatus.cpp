#include "build/stockstatus.h"

#include "build/buildsettings.h"
#include "common/numbers.h"
#include "common/text.h"
#include "data/nano.h"
#include "layout/layoutstate.h"
#include "stock/stockstate.h"

namespace ludra {

std::optional<StockCell> StockCellAt(const LayoutState &layout, const TNanoList &nanoList, int column, int row)
{
    const TextTable &table = layout.table();
    const QString text = table.cell(column, row);
    if (TrimCtl(QStringView(text)).isEmpty())
        return std::nullopt;
    const bool skillNames = layout.names() == LayoutNames::SkillNames;
    StockCell cell;
    if (layout.currentView() == LayoutView::BodyPlacement) {
        cell.slot = table.cell(0, row);
        cell.cluster = skillNames ? SkillToCluster(nanoList, text) : text;
    } else {
        cell.slot = text;
        cell.cluster = skillNames ? SkillToCluster(nanoList, table.cell(0, row)) : table.cell(0, row);
    }
    cell.type = table.cell(column, 0);
    // A slot holding a symbiant builds none of its clusters: no stock is
    // looked for them.
    const int slot = int(BodySlotNames().indexOf(TrimCtl(QStringView(cell.slot))));
    if (slot >= 0 && layout.plan().bodySlots.at(std::size_t(slot)).holdsSymbiant())
        return std::nullopt;
    return cell;
}

void CheckCellStock(int column, int row, const QString &targetText, LayoutState &layout,
                    const BuildSettings &settings, StockState &stock, const TNanoList &nanoList)
{
    const std::optional<StockCell> cell = StockCellAt(layout, nanoList, column, row);
    if (!cell)
        return;
    // A target of 0 means any level, and the implant is not looked at.
    const int ql = StrToInt(targetText);
    switch (CheckStock(stock.stock(), settings.stockUse(), *cell, ql, ql != 0)) {
    case StockVerdict::InStock:
        layout.setStockMarker(column, row, Marker::InStock);
        break;
    case StockVerdict::NoImplant:
        // The key's "Bad Cluster" image, which the status uses for a slot
        // without a usable implant.
        layout.setStockMarker(column, row, Marker::BadCluster);
        break;
    case StockVerdict::NoStock:
        layout.setStockMarker(column, row, Marker::NoStock);
        break;
    }
}

void CheckLayoutStock(const QString &targetText, LayoutState &layout, const BuildSettings &settings,
                      StockState &stock, const TNanoList &nanoList)
{
    const int rows = layout.table().rowCount();
    for (int row = 1; row < rows; ++row)
        for (int column = 1; column < LayoutColumns; ++column)
            CheckCellStock(column, row, targetText, layout, settings, stock, nanoList);
}

void ApplyStockControl(bool on, const QString &targetText, bool targetChanged, LayoutState &layout,
                       BuildSettings &settings, StockState &stock, const TNanoList &nanoList)
{
    if (!on) {
        settings.useStock = false;
        layout.clearStockMarkers();
        return;
    }
    if (targetChanged)
        settings.implantQL = EnteredNumber(targetText);
    settings.target = BuildSettings::Target::OneLevel;
    settings.useStock = true;
    CheckLayoutStock(targetText, layout, settings, stock, nanoList);
}

} // namespace ludra
