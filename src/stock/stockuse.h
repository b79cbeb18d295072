#pragma once

#include "common/numbers.h"

namespace ludra {

// How the stock rules draw on the register, as the build's settings say:
// whether only owned stock is used, and whether an owned item must lie within
// a range above the level asked for. The range is held as it was typed: a
// range that is no number fails only where a rule reads its value.
struct StockUse
{
    bool onlyOwned = false;
    bool useRange = false;
    EnteredNumber range;
};

} // namespace ludra
