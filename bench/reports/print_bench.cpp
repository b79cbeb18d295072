// Times printing a grid to a PDF file with the report settings: a
// requirements table of a full build (40 rows, 7 columns) and a table of
// 10,000 rows. Each round lays out, paints and writes the whole file.
//
//   print_bench [ROUNDS]
//
// Prints the median and the fastest of ROUNDS runs (default 51 for the
// requirements, a fifth of that for the long table), in milliseconds.

#include "common/texttable.h"
#include "reports/gridprinter.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace ludra;

namespace {

void fillRequirements(TextTable &table, int rows)
{
    static const char *const slotNames[] = {"HEAD", "CHEST", "EAR", "EYE", "LEFT ARM", "RIGHT ARM",
                                        "LEFT WRIST", "RIGHT WRIST", "LEG", "LEFT HAND",
                                        "RIGHT HAND", "WAIST", "FEET"};
    static const char *const types[] = {"Shining", "Bright", "Faded"};
    table.setColumnCount(7);
    table.setRowCount(rows + 1);
    table.setRow(0, {"Slot", "Type", "Cluster Name", "QL", "Credits", "Skill Req", "Treatment"});
    for (int r = 1; r <= rows; ++r)
        table.setRow(r, {slotNames[r % 13], types[r % 3],
                         QStringLiteral("Nano Programming Cluster %1").arg(r),
                         QString::number(150 + r % 50), QString::number(12000 + 37 * r),
                         QString::number(600 + 3 * r), QString::number(400 + 2 * r)});
}

double printOnce(const GridPrinter &printer, const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    QPrinter device(QPrinter::HighResolution);
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setOutputFileName(path);
    printer.print(device);
    return timer.nsecsElapsed() / 1e6;
}

void report(const char *name, const GridPrinter &printer, const QString &path, int rounds)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i)
        times.push_back(printOnce(printer, path));
    std::sort(times.begin(), times.end());
    QPrinter device(QPrinter::HighResolution);
    device.setOutputFormat(QPrinter::PdfFormat);
    std::printf("%-28s pages %4d  median %8.1f ms  fastest %8.1f ms  (%d rounds)\n", name,
                printer.pageCount(device), times[times.size() / 2], times.front(), rounds);
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 51;
    QTemporaryDir dir;
    PrintSettings settings;
    settings.setReportSettings("Ludra Requirements and Layout Report", "/home/user/plan.lud");
    const QList<int> widths{80, 70, 180, 40, 70, 70, 70};

    TextTable requirements;
    fillRequirements(requirements, 40);
    report("requirements, 40 rows", GridPrinter({&requirements, widths, {}}, settings),
           dir.filePath("requirements.pdf"), rounds);

    TextTable large;
    fillRequirements(large, 10000);
    report("table of 10,000 rows", GridPrinter({&large, widths, {}}, settings),
           dir.filePath("large.pdf"), std::max(1, rounds / 5));
    return 0;
}
