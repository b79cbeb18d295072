#pragma once

#include "data/nano.h"
#include "stock/stockregister.h"
#include "stock/stockstate.h"
#include "stock/stockuse.h"

#include <QString>

namespace ludra {

// The stock rules, which read the settings as a StockUse. Without only owned
// stock ("Use only available stock") every availability answers yes, a
// cluster is sourced at the level asked for, costs nothing, and nothing is
// removed. Names and types compare exactly; quality levels and
// costs read from the register convert with the strict integer rule.

// Whether the first register entry of the name holds an item of the type at
// a level that qualifies: from ql up, or from ql to ql plus the range when
// the range is on ("Quality Level Range").
bool ClusterAvailable(const StockRegister &stock, const StockUse &use, const QString &name, const QString &type,
                      int ql);
// The level of the qualifying item a build uses: the lowest, the later of
// two equal ones. With remove, the item leaves the register and is counted.
// ql itself when no item qualifies.
int SourceCluster(StockState &state, const StockUse &use, const QString &name, const QString &type, int ql,
                  bool remove);
// The recorded cost of an item of the name and type whose level text is ql's
// decimal text; of several entries of the name the last with such an item
// counts. 0 when none has one.
int StockCost(const StockRegister &stock, const StockUse &use, const QString &name, const QString &type, int ql);
// Whether the slot's implant is owned at exactly ql.
bool ImplantOwned(const StockRegister &stock, const StockUse &use, const QString &slot, int ql);
// The same; with remove, the first such implant leaves the register and is
// counted.
bool ImplantAvailable(StockState &state, const StockUse &use, const QString &slot, int ql, bool remove);
// The cluster name of the first catalogue record of a skill; empty when none.
QString SkillToCluster(const TNanoList &nanoList, const QString &skill);

// A layout cell as the stock rules read it: the body slot, the cluster and
// its type.
struct StockCell
{
    QString slot;
    QString cluster;
    QString type;
};

// What a stock check finds.
enum class StockVerdict {
    InStock,   // a qualifying cluster is owned (and the implant, when asked)
    NoImplant, // the slot's implant is not owned at the level
    NoStock,   // no owned cluster of the name and type qualifies
};

// Checks a cell against the stock at quality level ql (CheckStock); with
// checkImplant, the slot's implant must be owned at exactly ql first. The
// caller decides what a verdict leaves behind: a marker on the layout, or a
// line in the build log.
StockVerdict CheckStock(const StockRegister &stock, const StockUse &use, const StockCell &cell, int ql,
                        bool checkImplant);

// The build log line of a check that failed.
QString StockFailureLine(StockVerdict verdict, const StockCell &cell, int ql, const StockUse &use);

} // namespace ludra
