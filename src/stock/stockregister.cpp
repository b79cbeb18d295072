#include "stock/stockregister.h"

#include "common/collation.h"
#include "data/nano.h"

#include <algorithm>
#include <numeric>

namespace ludra {

void TStockList::add(const StockItem &item, bool withType)
{
    const auto place = [this](int &count, QString StockItem::*field, const QString &value) {
        if (count >= int(m_items.size()))
            m_items.resize(count + 1);
        m_items[count].*field = value;
        ++count;
    };
    place(m_levels, &StockItem::qualityLevel, item.qualityLevel);
    place(m_costs, &StockItem::cost, item.cost);
    if (withType)
        place(m_types, &StockItem::type, item.type);
}

void TStockList::removeItem(int k)
{
    if (k < 0 || k >= int(m_items.size()))
        return;
    m_items.removeAt(k);
    for (int *count : {&m_levels, &m_costs, &m_types})
        if (k < *count)
            --*count;
}

void TStockList::clear()
{
    *this = TStockList();
}

TStockList TStockList::fromLists(const QStringList &qualityLevels, const QStringList &costs, const QStringList &types)
{
    TStockList list;
    list.m_levels = int(qualityLevels.size());
    list.m_costs = int(costs.size());
    list.m_types = int(types.size());
    const int count = std::max({list.m_levels, list.m_costs, list.m_types});
    list.m_items.reserve(count);
    for (int k = 0; k < count; ++k)
        list.m_items.append(StockItem{qualityLevels.value(k), costs.value(k), types.value(k)});
    return list;
}

namespace {

QStringList values(const QList<StockItem> &items, int count, QString StockItem::*field)
{
    QStringList list;
    list.reserve(count);
    for (int k = 0; k < count; ++k)
        list.append(items.at(k).*field);
    return list;
}

} // namespace

QStringList TStockList::qualityLevels() const
{
    return values(m_items, m_levels, &StockItem::qualityLevel);
}

QStringList TStockList::costs() const
{
    return values(m_items, m_costs, &StockItem::cost);
}

QStringList TStockList::types() const
{
    return values(m_items, m_types, &StockItem::type);
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
