#pragma once

#include <QString>

namespace ludra {

// How the stock rules draw on the register, as the build's settings say:
// whether only owned stock is used, and whether an owned item must lie within
// a range above the level asked for. The range stays the text of its box: a
// rule that reads it converts it with the strict integer rule then, so a
// range that is no number fails only where a rule needs it.
struct StockUse
{
    bool onlyOwned = false;
    bool useRange = false;
    QString rangeText;
};

} // namespace ludra
