// Times opening the stock control window: the register built from the shipped
// "data.csv", a stock file of 10,000 items read (cluster and body-slot
// entries alike, every stream of it), the grids filled and the window shown
// and painted on the offscreen platform. The window is destroyed without
// closing, so nothing is written between rounds.
//
//   stock_bench RESOURCES_DIR [ROUNDS]
//
// Prints the median and the fastest of ROUNDS openings (default 51), in
// milliseconds.

#include "support/benchsupport.h"
#include "common/paths.h"
#include "common/prompter.h"
#include "common/text.h"
#include "stock/frmstockcontrol.h"
#include "stock/stockfile.h"
#include "stock/stockwindowstock.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

using namespace ludra;

namespace {

constexpr int Items = 10000;

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: stock_bench RESOURCES_DIR [ROUNDS]\n");
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 51;

    QTemporaryDir dir;
    if (!QFile::copy(resources.filePath(QStringLiteral("data.csv")), dir.filePath(QStringLiteral("data.csv")))) {
        std::fprintf(stderr, "cannot copy data.csv from %s\n", argv[1]);
        return 1;
    }
    SetBaseDir(dir.path());

    // 10,000 items spread over every entry, as a user's long-kept stock might be.
    StockWindowStock stock;
    stock.open(ReferenceFile(QStringLiteral("data.csv")), StockPath());
    StockRegister &reg = stock.stock();
    const char *types[] = {"Faded", "Bright", "Shining"};
    const int entries = int(reg.ClusterStock().size() + reg.ImplantStock().size());
    for (int i = 0; i < Items; ++i) {
        const int e = i % entries;
        const bool cluster = e < int(reg.ClusterStock().size());
        TStockList &items = cluster ? reg.ClusterStock()[e].stock : reg.ImplantStock()[e - reg.ClusterStock().size()].stock;
        items.add(StockItem{QString::number(100 + i % 200), QString::number(1000 + i), QLatin1String(types[i % 3])},
                  cluster);
    }
    stock.save();

    SilentPrompter prompter;
    std::vector<qint64> times;
    int shown = -1;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer timer;
        timer.start();
        {
            TfrmStockControl window(prompter);
            window.show();
            QApplication::processEvents();
            times.push_back(timer.nsecsElapsed());
            shown = window.stock().itemCount();
        }
        QApplication::processEvents();
    }
    if (shown != Items) {
        std::fprintf(stderr, "the window read %d items instead of %d\n", shown, Items);
        return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("   %-44s median %7.2f ms   fastest %7.2f ms\n", "open the stock window (10,000 items)",
                times[times.size() / 2] / 1e6, times.front() / 1e6);
    return 0;
}
