#include "stock/stocksourcing.h"

#include "build/buildformulas.h"
#include "common/numbers.h"
#include "common/text.h"
#include "layout/layoutstate.h"

namespace ludra {

namespace {

// Whether item level q qualifies for a target of ql.
bool qualifies(const BuildSettings &settings, int q, int ql)
{
    if (settings.useRange)
        return q >= ql && qint64(q) <= qint64(ql) + StrToInt(settings.rangeText);
    return q >= ql;
}

// The position of the qualifying item SourceCluster takes; -1 when none.
int sourceItem(const TStockList &items, const BuildSettings &settings, const QString &type, int ql)
{
    int chosen = -1;
    int chosenLevel = 0;
    const int count = int(items.QualityLevels.size());
    for (int k = 0; k < count; ++k) {
        if (k >= items.Types.size() || items.Types.at(k) != type)
            continue;
        const int q = StrToInt(items.QualityLevels.at(k));
        if (qualifies(settings, q, ql) && (chosen < 0 || q <= chosenLevel)) {
            chosen = k;
            chosenLevel = q;
        }
    }
    return chosen;
}

} // namespace

bool ClusterAvailable(const StockRegister &stock, const BuildSettings &settings, const QString &name,
                      const QString &type, int ql)
{
    if (!settings.useStock)
        return true;
    const int entry = stock.findCluster(name);
    if (entry < 0)
        return false;
    const TStockList &items = stock.ClusterStock().at(entry).stock;
    const int count = int(items.QualityLevels.size());
    for (int k = 0; k < count; ++k) {
        if (k < items.Types.size() && items.Types.at(k) == type &&
            qualifies(settings, StrToInt(items.QualityLevels.at(k)), ql))
            return true;
    }
    return false;
}

int SourceCluster(StockState &state, const BuildSettings &settings, const QString &name, const QString &type,
                  int ql, bool remove)
{
    if (!settings.useStock)
        return ql;
    const int entry = state.stock().findCluster(name);
    if (entry < 0)
        return ql;
    TStockList &items = state.stock().ClusterStock()[entry].stock;
    const int k = sourceItem(items, settings, type, ql);
    if (k < 0)
        return ql;
    const int level = StrToInt(items.QualityLevels.at(k));
    if (remove) {
        items.removeItem(k);
        ++state.ClustersDeleted;
    }
    return level;
}

int StockCost(const StockRegister &stock, const BuildSettings &settings, const QString &name, const QString &type,
              int ql)
{
    if (!settings.useStock)
        return 0;
    const QString level = QString::number(ql);
    int cost = 0;
    for (const StockEntry &entry : stock.ClusterStock()) {
        if (entry.name != name)
            continue;
        const TStockList &items = entry.stock;
        const int count = int(items.QualityLevels.size());
        for (int k = 0; k < count; ++k) {
            if (k < items.Types.size() && k < items.Costs.size() && items.Types.at(k) == type &&
                items.QualityLevels.at(k) == level) {
                cost = StrToInt(items.Costs.at(k));
                break;
            }
        }
    }
    return cost;
}

bool ImplantAvailable(StockState &state, const BuildSettings &settings, const QString &slot, int ql, bool remove)
{
    if (!settings.useStock)
        return true;
    const int entry = state.stock().findImplant(slot);
    if (entry < 0)
        return false;
    TStockList &items = state.stock().ImplantStock()[entry].stock;
    const int count = int(items.QualityLevels.size());
    for (int k = 0; k < count; ++k) {
        if (StrToInt(items.QualityLevels.at(k)) != ql)
            continue;
        if (remove) {
            items.removeItem(k);
            ++state.ImplantsDeleted;
        }
        return true;
    }
    return false;
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

bool CheckStock(StockCheck &check, int column, int row)
{
    const TextTable &table = check.layout.table();
    const QString text = table.cell(column, row);
    if (TrimCtl(QStringView(text)).isEmpty())
        return false;

    const bool skillNames = check.layout.names() == LayoutNames::SkillNames;
    QString slot;
    QString cluster;
    if (check.layout.currentView() == LayoutView::BodyPlacement) {
        slot = table.cell(0, row);
        cluster = skillNames ? SkillToCluster(check.nanoList, text) : text;
    } else {
        slot = text;
        cluster = skillNames ? SkillToCluster(check.nanoList, table.cell(0, row)) : table.cell(0, row);
    }
    const QString type = table.cell(column, 0);
    const bool building = check.state.Building;
    const int ql = building ? ImplantQL(check.settings, check.bodySlots, slot) : StrToInt(check.stockTargetText);

    // Outside a build a target of 0 means any level, and the implant is not
    // looked at; during one the implant counts only when stock is used.
    const bool implantChecked = building ? check.settings.useStock : ql != 0;
    if (implantChecked && !ImplantAvailable(check.state, check.settings, slot, ql, false)) {
        if (building)
            check.buildLog.append(QStringLiteral("Fail - No ") + slot + QStringLiteral(" of Quality ") +
                                  QString::number(ql) + QStringLiteral(" avaliable for ") + cluster);
        else
            // Code 4: the key's "Bad Cluster" image, which the stock status
            // uses for a slot without a usable implant.
            check.layout.setMarker(column, row, Marker::BadCluster);
        return false;
    }

    if (ClusterAvailable(check.state.stock(), check.settings, cluster, type, ql)) {
        if (building) {
            if (!check.state.ImplantsUsed.contains(slot)) {
                check.state.ImplantsUsed.append(slot);
                check.state.ImplantsUsedQL.append(QString::number(ql));
            }
        } else {
            check.layout.setMarker(column, row, Marker::InStock);
        }
        return true;
    }
    if (building) {
        if (check.settings.useRange)
            check.buildLog.append(QStringLiteral("Fail - No ") + type + QLatin1Char(' ') + cluster +
                                  QStringLiteral(" of between Quality ") + QString::number(ql) +
                                  QStringLiteral(" and ") +
                                  QString::number(qint64(ql) + StrToInt(check.settings.rangeText)) +
                                  QStringLiteral(" avaliable"));
        else
            check.buildLog.append(QStringLiteral("Fail - No ") + type + QLatin1Char(' ') + cluster +
                                  QStringLiteral(" of at least Quality ") + QString::number(ql) +
                                  QStringLiteral(" avaliable"));
    } else {
        check.layout.setMarker(column, row, Marker::NoStock);
    }
    return false;
}

} // namespace ludra
