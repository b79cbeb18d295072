#pragma once

#include "build/buildsettings.h"
#include "data/nano.h"
#include "stock/stockregister.h"
#include "stock/stockstate.h"

#include <QString>
#include <QStringList>

namespace ludra {

class LayoutState;

// The stock rules. With "Use only avaliable stock" off every availability
// answers yes, a cluster is sourced at the level asked for, costs nothing,
// and nothing is removed. Names and types compare exactly; quality levels and
// costs read from the register convert with the strict integer rule.

// Whether the first register entry of the name holds an item of the type at
// a level that qualifies: from ql up, or from ql to ql plus the range when
// "Quality Level Range" is on.
bool ClusterAvailable(const StockRegister &stock, const BuildSettings &settings, const QString &name,
                      const QString &type, int ql);
// The level of the qualifying item a build uses: the lowest, the later of
// two equal ones. With remove, the item leaves the register and is counted.
// ql itself when no item qualifies.
int SourceCluster(StockState &state, const BuildSettings &settings, const QString &name, const QString &type,
                  int ql, bool remove);
// The recorded cost of an item of the name and type whose level text is ql's
// decimal text; of several entries of the name the last with such an item
// counts. 0 when none has one.
int StockCost(const StockRegister &stock, const BuildSettings &settings, const QString &name, const QString &type,
              int ql);
// Whether the slot's implant is owned at exactly ql. With remove, the first
// such implant leaves the register and is counted.
bool ImplantAvailable(StockState &state, const BuildSettings &settings, const QString &slot, int ql, bool remove);
// The cluster name of the first catalogue record of a skill; empty when none.
QString SkillToCluster(const TNanoList &nanoList, const QString &skill);

// What a stock check of a layout cell reads and writes.
struct StockCheck
{
    LayoutState &layout;
    const TNanoList &nanoList;
    const QStringList &bodySlots;
    const BuildSettings &settings;
    StockState &state;
    // The build log, which failed checks add to during a build.
    QStringList &buildLog;
    // The stock target box of the Layout tab (StockTargetQL), as typed.
    QString stockTargetText;
};

// Checks one data cell of the layout against the stock (CheckStock). During
// a build a failure adds its line to the build log and a success records the
// slot's implant; outside a build the cell gets the marker "in stock",
// "no stock" or "no implant". An empty cell answers false and changes
// nothing.
bool CheckStock(StockCheck &check, int column, int row);

} // namespace ludra
