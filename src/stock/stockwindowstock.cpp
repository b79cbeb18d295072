#include "stock/stockwindowstock.h"

#include "common/text.h"
#include "data/referencefiles.h"

#include <QFileInfo>

#include <optional>

namespace ludra {

QStringList StockWindowClusterNames(QStringView catalogueText)
{
    QStringList names;
    UnknownCounter unknown;
    unknown.reset(0);
    ForEachLine(catalogueText, [&](QStringView line) {
        FieldReader fields(line);
        names.append(unknown.nameOr(fields.next()));
    });
    return names;
}

void StockWindowStock::open(const QString &cataloguePath, const QString &stockPath)
{
    m_stockPath = stockPath;
    m_unreadableReason.clear();
    m_implantClusters = ImplantClusterLists();
    const std::optional<QString> catalogue = ReadText(cataloguePath);
    m_catalogueRead = catalogue.has_value();
    m_register.setClusterNames(m_catalogueRead ? StockWindowClusterNames(*catalogue) : QStringList());
    m_register.clearItems();
    if (!QFileInfo::exists(stockPath))
        return;
    QString error;
    if (LoadStockFile(stockPath, m_register, &m_implantClusters, &error))
        return;
    // A file that failed half-way may have filled some entries.
    m_register.clearItems();
    m_implantClusters = ImplantClusterLists();
    m_unreadableReason = error.isEmpty() ? QStringLiteral("the file is damaged") : error;
}

QString StockWindowStock::keptName() const
{
    return UnreadableName(m_stockPath);
}

QString StockWindowStock::save()
{
    QString kept;
    if (!m_unreadableReason.isEmpty() && QFileInfo::exists(m_stockPath)) {
        kept = KeepUnreadable(m_stockPath);
        m_unreadableReason.clear();
    }
    SaveStockFile(m_stockPath, m_register, m_catalogueRead ? &m_implantClusters : nullptr);
    return kept;
}

} // namespace ludra
