#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace ludra {

// The owned items of one cluster or one body slot: item k is
// (QualityLevels[k], Costs[k], Types[k]). Values stay as the text the user
// typed and are converted only where compared. Lists read from a file may
// differ in length, so every reader checks the index against the list it
// reads. Body-slot entries leave Types empty.
class TStockList
{
public:
    QStringList QualityLevels;
    QStringList Costs;
    QStringList Types;

    // The number of items: the length of Costs.
    int count() const { return int(Costs.size()); }
    // Removes item k from every list that has one.
    void removeItem(int k);
    void clear();

    bool operator==(const TStockList &) const = default;
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
