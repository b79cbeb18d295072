// Times saving and opening a full project file, and reloading a large stock
// file:
//   - WriteProjectFile and ReadProjectFile of a project whose layout grid has
//     399 data rows with every cell filled, full colour and marker lists
//     (1200, 1604 and 1604 lines), result grids of 39 and 23 rows and a
//     suggestions grid of 2,000 rows; the file lies in a temporary folder;
//   - ReloadStock of a stock file of 10,000 items over a register of 111
//     cluster entries.
//
//   project_bench [ROUNDS]
//
// Prints the median and the fastest of ROUNDS runs (default 101), in
// milliseconds. Goals: each project step under 20 ms, the reload under 10 ms.

#include "common/texttable.h"
#include "stock/stockfile.h"
#include "stock/stockregister.h"
#include "storage/projectfile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace ludra;

namespace {

void measure(const char *what, int rounds, const std::function<void()> &work)
{
    std::vector<qint64> times;
    times.reserve(size_t(rounds));
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed());
    }
    std::sort(times.begin(), times.end());
    std::printf("   %-36s median %8.3f ms   fastest %8.3f ms\n", what, times[times.size() / 2] / 1e6,
                times.front() / 1e6);
}

const QStringList &words()
{
    static const QStringList list{"Nano Programming", "Computer Literacy", "Assault Rifle", "Body Development",
                                  "Psychological Modifications", "Matter Creation", "Time and Space",
                                  "Agility", "Stamina", "First Aid", "Treatment", "Perception"};
    return list;
}

QString word(int i)
{
    return words().at(i % words().size());
}

// A grid of the given shape with every cell filled: a header row, then
// texts of the lengths the program's grids hold.
GridImage fullGrid(int columns, int rows, const QList<int> &widths, int seed)
{
    TextTable table(columns, rows);
    for (int column = 0; column < columns; ++column)
        table.setCell(column, 0, QStringLiteral("Heading %1").arg(column));
    for (int row = 1; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            table.setCell(column, row,
                          column % 3 == 1 ? QString::number((row * 37 + column * 11 + seed) % 1000)
                                          : word(row * 5 + column + seed) + QStringLiteral(" (%1)").arg(row));
    return GridImage::fromTable(table, widths);
}

QStringList lines(int count, const std::function<QString(int)> &line)
{
    QStringList list;
    list.reserve(count);
    for (int i = 0; i < count; ++i)
        list.append(line(i));
    return list;
}

ProjectImage fullProject()
{
    ProjectImage p;
    p.config = {"1", "0", "true", "1", "1", "1", "1", "1", "1", "1", "1", "150", "200",
                "<no implants selected>", "1", "1300", "1", "1", "1", "1", "1", "1"};
    p.colorGrid = lines(1200, [](int i) { return i % 17 == 0 ? QStringLiteral("1") : QStringLiteral("0"); });
    p.icons = lines(1604, [](int i) { return i % 9 == 0 ? QString::number(i % 12) : QStringLiteral("-1"); });
    p.secondIcons = lines(1604, [](int i) { return i % 13 == 0 ? QString::number(i % 12) : QStringLiteral("-1"); });
    p.selected = lines(60, [](int i) { return word(i) + QStringLiteral(" %1").arg(i); });
    p.available = lines(51, [](int i) { return word(i + 3) + QStringLiteral(" %1").arg(i); });
    p.selImpBool = lines(13, [](int i) { return QString::number(i % 2); });
    p.selImpQL = lines(13, [](int i) { return QString::number(100 + i * 7); });
    // The layout in the skill view of a 399-record catalogue: the name column
    // and one column per cluster type.
    p.grid = fullGrid(4, 400, {140, 120, 120, 120}, 1);
    p.resultSkill = fullGrid(3, 39, {160, 60, 200}, 2);
    p.resultReq = fullGrid(7, 23, {140, 60, 60, 90, 60, 60, 140}, 3);
    p.resultSuggest = fullGrid(3, 2000, {200, 90, 160}, 4);
    return p;
}

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 101;
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot make a temporary folder\n");
        return 2;
    }

    const QString projectPath = QDir(dir.path()).filePath(QStringLiteral("full.lud"));
    const ProjectImage project = fullProject();
    WriteProjectFile(projectPath, project);
    if (!(ReadProjectFile(projectPath) == project)) {
        std::fprintf(stderr, "the project did not read back as written\n");
        return 1;
    }
    std::printf("== project file: %lld bytes, %lld grid cells\n", QFileInfo(projectPath).size(),
                qint64(project.grid.columns) * project.grid.rows
                    + qint64(project.resultSkill.columns) * project.resultSkill.rows
                    + qint64(project.resultReq.columns) * project.resultReq.rows
                    + qint64(project.resultSuggest.columns) * project.resultSuggest.rows);
    measure("WriteProjectFile", rounds, [&] { WriteProjectFile(projectPath, project); });
    int readRows = 0;
    measure("ReadProjectFile", rounds, [&] { readRows = ReadProjectFile(projectPath).resultSuggest.rows; });
    if (readRows != project.resultSuggest.rows)
        return 1;

    // 111 cluster entries holding 10,000 items between them.
    StockRegister stock;
    stock.setClusterNames(lines(111, [](int i) { return word(i) + QStringLiteral(" %1").arg(i, 3, 10, QLatin1Char('0')); }));
    constexpr int Items = 10'000;
    for (int k = 0; k < Items; ++k) {
        TStockList &items = stock.ClusterStock()[k % 111].stock;
        items.add(StockItem{QString::number(1 + k % 300), QString::number(1000 + (k * 7919) % 250000),
                            k % 3 == 0   ? QStringLiteral("Shining")
                            : k % 3 == 1 ? QStringLiteral("Bright")
                                         : QStringLiteral("Faded")});
    }
    const QString stockPath = QDir(dir.path()).filePath(StockFileName);
    SaveStockFile(stockPath, stock);
    StockRegister reloaded = stock;
    ReloadStock(reloaded, stockPath);
    if (reloaded.itemCount() != Items || !(reloaded == stock)) {
        std::fprintf(stderr, "the stock file did not read back as written\n");
        return 1;
    }
    std::printf("== stock file: %lld bytes, %d items in %d cluster entries\n", QFileInfo(stockPath).size(),
                reloaded.itemCount(), int(reloaded.ClusterStock().size()));
    measure("ReloadStock", rounds, [&] { ReloadStock(reloaded, stockPath); });
    return reloaded.itemCount() == Items ? 0 : 1;
}
