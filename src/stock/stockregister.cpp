#include "stock/stockregister.h"

#include "common/collation.h"
#include "data/nano.h"

#include <algorithm>
#include <numeric>

namespace ludra {

void TStockList::removeItem(int k)
{
    for (QStringList *list : {&QualityLevels, &Costs, &Types}) {
        if (k >= 0 && k < list->size())
            list->removeAt(k);
    }
}

void TStockList::clear()
{
    QualityLevels.clear();
    Costs.clear();
    Types.clear();
}

StockRegister::StockRegister()
{
    m_implants.reserve(BodySlotNames().size());
    for (const QString &slot : BodySlotNames())
        m_implants.append(StockEntry{slot, {}});
}

void StockRegister::setClusterNames(const QStringList &names)
{
    // The positions are sorted rather than the entries, which are large to
    // move; names that compare equal keep their order.
    QList<qsizetype> order(names.size());
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(),
                     [&names](qsizetype a, qsizetype b) { return CompareText(names.at(a), names.at(b)) < 0; });
    m_clusters.clear();
    m_clusters.reserve(names.size());
    for (const qsizetype i : order)
        m_clusters.append(StockEntry{names.at(i), {}});
}

void StockRegister::clearItems()
{
    for (StockEntry &entry : m_clusters)
        entry.stock.clear();
    for (StockEntry &entry : m_implants)
        entry.stock.clear();
}

int StockRegister::findCluster(const QString &name) const
{
    for (int i = 0; i < int(m_clusters.size()); ++i) {
        if (m_clusters.at(i).name == name)
            return i;
    }
    return -1;
}

int StockRegister::findImplant(const QString &slot) const
{
    for (int i = 0; i < int(m_implants.size()); ++i) {
        if (m_implants.at(i).name == slot)
            return i;
    }
    return -1;
}

int StockRegister::itemCount() const
{
    int items = 0;
    for (const StockEntry &entry : m_clusters)
        items += entry.stock.count();
    for (const StockEntry &entry : m_implants)
        items += entry.stock.count();
    return items;
}

} // namespace ludra
