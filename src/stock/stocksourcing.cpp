#include "stock/stocksourcing.h"

#include "common/numbers.h"
#include "common/text.h"

namespace ludra {

namespace {

// Whether item level q qualifies for a target of ql.
bool qualifies(const StockUse &use, int q, int ql)
{
    if (use.useRange)
        return q >= ql && qint64(q) <= qint64(ql) + use.range.value();
    return q >= ql;
}

// The position of the qualifying item SourceCluster takes; -1 when none.
int sourceItem(const TStockList &items, const StockUse &use, const QString &type, int ql)
{
    int chosen = -1;
    int chosenLevel = 0;
    for (int k = 0; items.hasQualityLevel(k); ++k) {
        if (!items.hasType(k) || items.item(k).type != type)
            continue;
        const int q = StrToInt(items.item(k).qualityLevel);
        if (qualifies(use, q, ql) && (chosen < 0 || q <= chosenLevel)) {
            chosen = k;
            chosenLevel = q;
        }
    }
    return chosen;
}

// Where an item sits in a register: its entry and its position there; -1 and
// -1 for none.
struct ItemAt
{
    int entry = -1;
    int item = -1;
};

// The first implant item of the slot's first entry at exactly ql.
ItemAt implantItem(const StockRegister &stock, const QString &slot, int ql)
{
    const int entry = stock.findImplant(slot);
    if (entry < 0)
        return {};
    const TStockList &items = stock.ImplantStock().at(entry).stock;
    for (int k = 0; items.hasQualityLevel(k); ++k)
        if (StrToInt(items.item(k).qualityLevel) == ql)
            return {entry, k};
    return {};
}

} // namespace

bool ClusterAvailable(const StockRegister &stock, const StockUse &use, const QString &name, const QString &type, int ql)
{
    if (!use.onlyOwned)
        return true;
    const int entry = stock.findCluster(name);
    if (entry < 0)
        return false;
    const TStockList &items = stock.ClusterStock().at(entry).stock;
    for (int k = 0; items.hasQualityLevel(k); ++k) {
        if (items.hasType(k) && items.item(k).type == type && qualifies(use, StrToInt(items.item(k).qualityLevel), ql))
            return true;
    }
    return false;
}

int SourceCluster(StockState &state, const StockUse &use, const QString &name, const QString &type, int ql, bool remove)
{
    if (!use.onlyOwned)
        return ql;
    const int entry = state.stock().findCluster(name);
    if (entry < 0)
        return ql;
    TStockList &items = state.stock().ClusterStock()[entry].stock;
    const int k = sourceItem(items, use, type, ql);
    if (k < 0)
        return ql;
    const int level = StrToInt(items.item(k).qualityLevel);
    if (remove) {
        items.removeItem(k);
        ++state.ClustersDeleted;
    }
    return level;
}

int StockCost(const StockRegister &stock, const StockUse &use, const QString &name, const QString &type, int ql)
{
    if (!use.onlyOwned)
        return 0;
    const QString level = QString::number(ql);
    int cost = 0;
    for (const StockEntry &entry : stock.ClusterStock()) {
        if (entry.name != name)
            continue;
        const TStockList &items = entry.stock;
        for (int k = 0; items.hasQualityLevel(k); ++k) {
            const StockItem &item = items.item(k);
            if (items.hasType(k) && items.hasCost(k) && item.type == type && item.qualityLevel == level) {
                cost = StrToInt(item.cost);
                break;
            }
        }
    }
    return cost;
}

bool ImplantOwned(const StockRegister &stock, const StockUse &use, const QString &slot, int ql)
{
    return !use.onlyOwned || implantItem(stock, slot, ql).entry >= 0;
}

bool ImplantAvailable(StockState &state, const StockUse &use, const QString &slot, int ql, bool remove)
{
    if (!use.onlyOwned)
        return true;
    const ItemAt at = implantItem(state.stock(), slot, ql);
    if (at.entry < 0)
        return false;
    if (remove) {
        state.stock().ImplantStock()[at.entry].stock.removeItem(at.item);
        ++state.ImplantsDeleted;
    }
    return true;
}

QString SkillToCluster(const TNanoList &nanoList, const QString &skill)
{
    for (int i = 0; i < nanoList.count(); ++i) {
        const TNano *nano = nanoList.at(i);
        if (nano->SkillName == skill)
            return nano->ClusterName;
    }
    return QString();
}

StockVerdict CheckStock(const StockRegister &stock, const StockUse &use, const StockCell &cell, int ql,
                        bool checkImplant)
{
    if (checkImplant && !ImplantOwned(stock, use, cell.slot, ql))
        return StockVerdict::NoImplant;
    return ClusterAvailable(stock, use, cell.cluster, cell.type, ql) ? StockVerdict::InStock : StockVerdict::NoStock;
}

QString StockFailureLine(StockVerdict verdict, const StockCell &cell, int ql, const StockUse &use)
{
    switch (verdict) {
    case StockVerdict::InStock:
        break;
    case StockVerdict::NoImplant:
        return QStringLiteral("Fail - No ") + cell.slot + QStringLiteral(" of Quality ") + QString::number(ql) +
               QStringLiteral(" available for ") + cell.cluster;
    case StockVerdict::NoStock:
        if (use.useRange)
            return QStringLiteral("Fail - No ") + cell.type + QLatin1Char(' ') + cell.cluster +
                   QStringLiteral(" of between Quality ") + QString::number(ql) + QStringLiteral(" and ") +
                   QString::number(qint64(ql) + use.range.value()) + QStringLiteral(" available");
        return QStringLiteral("Fail - No ") + cell.type + QLatin1Char(' ') + cell.cluster +
               QStringLiteral(" of at least Quality ") + QString::number(ql) + QStringLiteral(" available");
    }
    return QString();
}

} // namespace ludra
