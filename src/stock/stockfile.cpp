#include "stock/stockfile.h"

#include "common/errors.h"
#include "common/paths.h"
#include "common/text.h"
#include "storage/vellstreams.h"

#include <QFile>
#include <QFileInfo>

#include <charconv>
#include <iterator>

namespace ludra {

namespace {

QByteArray listText(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += line.toLatin1();
        bytes += "\r\n";
    }
    return bytes;
}

QStringList streamLines(const TVellStreams &streams, const QString &name)
{
    return SplitLines(streams.ReadStream(name));
}

// A list's stream name, made in one allocation: a register of the shipped
// catalogue looks up over three hundred names each time it is read.
QString streamName(const char *prefix, int position)
{
    char digits[16];
    const std::to_chars_result end = std::to_chars(std::begin(digits), std::end(digits), position);
    const QLatin1StringView head(prefix);
    QString name;
    name.reserve(head.size() + (end.ptr - digits));
    name.append(head);
    name.append(QLatin1StringView(digits, end.ptr));
    return name;
}

void storeRegister(TVellStreams &streams, const StockRegister &stock)
{
    const QList<StockEntry> &clusters = stock.ClusterStock();
    for (int i = 0; i < int(clusters.size()); ++i) {
        const TStockList &items = clusters.at(i).stock;
        streams.StoreStream(streamName("ClusterQL", i), listText(items.qualityLevels()));
        streams.StoreStream(streamName("ClusterCost", i), listText(items.costs()));
        streams.StoreStream(streamName("ClusterType", i), listText(items.types()));
    }
    const QList<StockEntry> &implants = stock.ImplantStock();
    for (int i = 0; i < int(implants.size()); ++i) {
        const TStockList &items = implants.at(i).stock;
        streams.StoreStream(streamName("ImplantQL", i), listText(items.qualityLevels()));
        streams.StoreStream(streamName("ImplantCost", i), listText(items.costs()));
    }
}

} // namespace

QString StockPath()
{
    return UserFile(StockFileName);
}

const std::array<QString, 6> &ImplantClusterLists::streamNames()
{
    static const std::array<QString, 6> names{QStringLiteral("IC_Shining"), QStringLiteral("IC_Bright"),
                                              QStringLiteral("IC_Faded"),   QStringLiteral("IC_Cost"),
                                              QStringLiteral("IC_Type"),    QStringLiteral("IC_Quality")};
    return names;
}

bool LoadStockFile(const QString &path, StockRegister &stock, ImplantClusterLists *implantClusters, QString *error)
{
    TVellStreams streams;
    try {
        streams.LoadFromFile(path);
    } catch (const ECorruptFile &e) {
        if (error)
            *error = e.message();
        return false;
    } catch (const EStreamError &e) {
        if (error)
            *error = e.message();
        return false;
    }
    QList<StockEntry> &clusters = stock.ClusterStock();
    for (int i = 0; i < int(clusters.size()); ++i) {
        clusters[i].stock = TStockList::fromLists(streamLines(streams, streamName("ClusterQL", i)),
                                                  streamLines(streams, streamName("ClusterCost", i)),
                                                  streamLines(streams, streamName("ClusterType", i)));
    }
    QList<StockEntry> &implants = stock.ImplantStock();
    for (int i = 0; i < int(implants.size()); ++i) {
        implants[i].stock = TStockList::fromLists(streamLines(streams, streamName("ImplantQL", i)),
                                                  streamLines(streams, streamName("ImplantCost", i)), {});
    }
    if (implantClusters) {
        for (std::size_t i = 0; i < implantClusters->lists.size(); ++i)
            implantClusters->lists[i] = streamLines(streams, ImplantClusterLists::streamNames()[i]);
    }
    return true;
}

void SaveStockFile(const QString &path, const StockRegister &stock, const ImplantClusterLists *implantClusters)
{
    TVellStreams streams;
    if (implantClusters) {
        for (std::size_t i = 0; i < implantClusters->lists.size(); ++i)
            streams.StoreStream(ImplantClusterLists::streamNames()[i], listText(implantClusters->lists[i]));
    } else if (QFileInfo::exists(path)) {
        // Start from the file being replaced, so that whatever this register
        // does not hold stays as it was; the register's own streams then
        // replace theirs. A file that cannot be read has nothing to keep.
        try {
            streams.LoadFromFile(path);
        } catch (const ECorruptFile &) {
            streams.ClearStreams();
        } catch (const EStreamError &) {
            streams.ClearStreams();
        }
    }
    storeRegister(streams, stock);
    streams.Compressed = true;
    streams.SaveToFile(path);
}

bool ReloadStock(StockRegister &stock, const QString &path, QString *error)
{
    stock.clearItems();
    if (!QFileInfo::exists(path))
        return true;
    if (LoadStockFile(path, stock, nullptr, error))
        return true;
    // A file that failed half-way may have filled some entries.
    stock.clearItems();
    return false;
}

QString UnreadableName(const QString &path)
{
    QString kept = path + QStringLiteral(".unreadable");
    for (int n = 2; QFileInfo::exists(kept); ++n)
        kept = path + QStringLiteral(".unreadable.") + QString::number(n);
    return kept;
}

QString KeepUnreadable(const QString &path)
{
    const QString kept = UnreadableName(path);
    if (!QFile::rename(path, kept))
        throw EStreamError(QStringLiteral("Cannot keep the unreadable stock file \"%1\" as \"%2\".").arg(path, kept));
    return kept;
}

} // namespace ludra
