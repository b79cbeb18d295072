// libFuzzer target: the stock file's streams as the register reads them, the
// stock rules a build applies to what it read, and the stock window's names
// read from the first stream's bytes taken as a catalogue. The input is the
// text of the streams, separated by NUL bytes, in the order ClusterQL0,
// ClusterCost0, ClusterType0, ClusterQL1, ... for a catalogue of three
// clusters, then ImplantQL0, ImplantCost0 and so on for the body slots. It is
// stored in a container file and read back by the stock file loader as the
// program reads it; the container's own reading of damaged files has its own
// target. Lists of different lengths, values that are no numbers and lines of
// any bytes must give no crash, no access outside a list and no undefined
// behaviour, and the rules must keep to what they promise.

#include "common/errors.h"
#include "data/nano.h"
#include "stock/stockfile.h"
#include "stock/stocksourcing.h"
#include "stock/stockwindowstock.h"
#include "common/text.h"
#include "storage/vellstreams.h"

#include "fuzzsupport.h"

#include <cstdint>
#include <cstdlib>

using namespace ludra;

namespace {

const QStringList &clusterNames()
{
    static const QStringList names{QStringLiteral("b"), QStringLiteral("A"), QStringLiteral("a")};
    return names;
}

const QString &stockPath()
{
    static const QString path = fuzz::WorkFile(StockFileName);
    return path;
}

// Runs a rule; a value the rule had to read as a number and could not ends it,
// as it ends a build.
// The number of quality levels held for clusters: the list an item is found
// by, whatever the lengths of the others.
int clusterLevels(const StockRegister &stock)
{
    int levels = 0;
    for (const StockEntry &entry : stock.ClusterStock())
        levels += int(entry.stock.qualityLevels().size());
    return levels;
}

template <typename F>
void tolerant(F &&rule)
{
    try {
        rule();
    } catch (const EConvertError &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));

    const QList<QByteArray> parts = input.split('\0');

    // The first stream's bytes as the catalogue the stock window builds its
    // register from: one name per line, none of them empty. (The whole input
    // made catalogues of thousands of one-byte lines, whose sorting took a
    // fifth of the run.)
    {
        const QString catalogue = QString::fromLatin1(parts.at(0));
        const QStringList windowNames = StockWindowClusterNames(catalogue);
        qsizetype lines = 0;
        ForEachLine(catalogue, [&lines](QStringView) { ++lines; });
        if (windowNames.size() != lines)
            std::abort();
        for (const QString &name : windowNames)
            if (name.isEmpty())
                std::abort();
    }

    QStringList names;
    for (int i = 0; i < clusterNames().size(); ++i)
        for (const char *list : {"ClusterQL", "ClusterCost", "ClusterType"})
            names.append(QLatin1String(list) + QString::number(i));
    for (int i = 0; i < BodySlotNames().size(); ++i)
        for (const char *list : {"ImplantQL", "ImplantCost"})
            names.append(QLatin1String(list) + QString::number(i));
    for (const QString &name : ImplantClusterLists::streamNames())
        names.append(name);

    TVellStreams streams;
    streams.Compressed = false;
    for (int i = 0; i < parts.size() && i < names.size(); ++i)
        streams.StoreStream(names.at(i), parts.at(i));
    fuzz::WriteFile(stockPath(), streams.SaveToByteArray());

    StockRegister stock;
    stock.setClusterNames(clusterNames());
    ImplantClusterLists implantClusters;
    if (!LoadStockFile(stockPath(), stock, &implantClusters))
        std::abort();

    StockState state;
    state.stock() = stock;
    StockUse use;
    use.onlyOwned = true;
    // One quality level per input, taken from its last byte, so that the
    // fuzzer chooses it too; asking at three fixed levels tripled the work
    // over long lists without reaching more of the rules.
    const int ql = size > 0 ? data[size - 1] : 35;
    for (const bool useRange : {false, true}) {
        use.useRange = useRange;
        use.range = EnteredNumber(QString::fromLatin1(parts.value(0).left(4)));
        for (const QString &name : clusterNames()) {
            for (const QString &type : ClusterTypeNames()) {
                tolerant([&] {
                    const bool available = ClusterAvailable(state.stock(), use, name, type, ql);
                    const int before = clusterLevels(state.stock());
                    SourceCluster(state, use, name, type, ql, true);
                    // An item goes exactly when one qualified.
                    if (clusterLevels(state.stock()) != before - (available ? 1 : 0))
                        std::abort();
                });
                tolerant([&] { StockCost(state.stock(), use, name, type, ql); });
            }
        }
        for (const QString &slot : BodySlotNames())
            tolerant([&] { ImplantAvailable(state, use, slot, ql, true); });
    }

    return 0;
}
