#include "stock/stockstatus.h"

#include "build/buildsettings.h"
#include "data/referencedata.h"
#include "layout/layoutstate.h"
#include "stock/stocksourcing.h"
#include "stock/stockstate.h"

namespace ludra {

void CheckCellStock(int column, int row, const QString &targetText, LayoutState &layout,
                    const BuildSettings &settings, StockState &stock, const ReferenceData &reference)
{
    // Outside a build a failed check leaves a marker, not a log line.
    QStringList unused;
    StockCheck check{layout, reference.nanoList(), reference.bodySlots(), settings, stock, unused, targetText};
    CheckStock(check, column, row);
}

void CheckLayoutStock(const QString &targetText, LayoutState &layout, const BuildSettings &settings,
                      StockState &stock, const ReferenceData &reference)
{
    const int rows = layout.table().rowCount();
    for (int row = 1; row < rows; ++row)
        for (int column = 1; column < LayoutColumns; ++column)
            CheckCellStock(column, row, targetText, layout, settings, stock, reference);
}

void ApplyStockControl(bool on, const QString &targetText, bool targetChanged, LayoutState &layout,
                       BuildSettings &settings, StockState &stock, const ReferenceData &reference)
{
    if (!on) {
        settings.useStock = false;
        layout.clearStockMarkers();
        return;
    }
    if (targetChanged)
        settings.implantQLText = targetText;
    settings.oneLevel = true;
    settings.useStock = true;
    CheckLayoutStock(targetText, layout, settings, stock, reference);
}

} // namespace ludra
