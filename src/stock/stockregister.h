#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace ludra {

// One owned item: its quality level, its cost and, for a cluster, its type,
// each as the user typed it or the file held it. The numbers are converted
// only where they are compared or used.
struct StockItem
{
    QString qualityLevel;
    QString cost;
    QString type;

    bool operator==(const StockItem &) const = default;
};

// The owned items of one cluster or one body slot, in the order they were
// added. A stock file holds them as three lists (levels, costs, types), which
// a file may give in unequal lengths: an item then lacks the values beyond
// the end of a shorter list (they read as empty), and every rule asks
// whether an item has the value it reads. Items the program makes have every
// value; body-slot items have no type.
class TStockList
{
public:
    const QList<StockItem> &items() const { return m_items; }
    const StockItem &item(int k) const { return m_items.at(k); }
    // The number of items: those with a cost.
    int count() const { return m_costs; }
    bool hasQualityLevel(int k) const { return k >= 0 && k < m_levels; }
    bool hasCost(int k) const { return k >= 0 && k < m_costs; }
    bool hasType(int k) const { return k >= 0 && k < m_types; }

    // Adds an item, with its type or (body slots) without. Each value takes
    // the next place of its own kind, as the file's lists would.
    void add(const StockItem &item, bool withType = true);
    // Removes item k with every value it has.
    void removeItem(int k);
    void clear();

    // The file's three lists, and back.
    static TStockList fromLists(const QStringList &qualityLevels, const QStringList &costs,
                                const QStringList &types);
    QStringList qualityLevels() const;
    QStringList costs() const;
    QStringList types() const;

    bool operator==(const TStockList &) const = default;

private:
    QList<StockItem> m_items;
    // How many items, from the first, have each value.
    int m_levels = 0;
    int m_costs = 0;
    int m_types = 0;
};

// One register entry: the cluster or slot name and its items.
struct StockEntry
{
    QString name;
    TStockList stock;

    bool operator==(const StockEntry &) const = default;
};

// A stock register: ClusterStock, one entry per catalogue line sorted by the
// one collation (an entry's position is what the stock file stores), and
// ImplantStock, one entry per body slot in slot order.
class StockRegister
{
public:
    StockRegister();

    // Makes one empty entry per name, sorted by the one collation; equal
    // names keep their given order. The body slots stay.
    void setClusterNames(const QStringList &names);
    // Empties every entry's items; the names stay.
    void clearItems();

    QList<StockEntry> &ClusterStock() { return m_clusters; }
    const QList<StockEntry> &ClusterStock() const { return m_clusters; }
    QList<StockEntry> &ImplantStock() { return m_implants; }
    const QList<StockEntry> &ImplantStock() const { return m_implants; }

    // The position of the first entry whose name equals name exactly; -1 when
    // there is none.
    int findCluster(const QString &name) const;
    int findImplant(const QString &slot) const;

    // The number of items held in all entries.
    int itemCount() const;

    bool operator==(const StockRegister &) const = default;

private:
    QList<StockEntry> m_clusters;
    QList<StockEntry> m_implants;
};

} // namespace ludra
