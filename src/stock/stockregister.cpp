#include "stock/stockregister.h"

#include "common/collation.h"
#include "data/nano.h"

#include <algorithm>

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
    m_clusters.clear();
    m_clusters.reserve(names.size());
    for (const QString &name : names)
        m_clusters.append(StockEntry{name, {}});
    std::stable_sort(m_clusters.begin(), m_clusters.end(),
                     [](const StockEntry &a, const StockEntry &b) { return CompareText(a.name, b.name) < 0; });
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
