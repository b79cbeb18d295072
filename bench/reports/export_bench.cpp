// Times the export of a 10,000-row, 7-column table (a header row and cells
// of a few words, some with commas, quotes, markup and characters beyond
// Latin-1) in each format, file writing included.
//
//   export_bench [ROUNDS]
//
// Prints the median and the fastest of ROUNDS runs (default 21) of each
// format, in milliseconds, and the size of the file.

#include "common/texttable.h"
#include "reports/export.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace ludra;

namespace {

void Fill(TextTable &table)
{
    const QStringList header{QStringLiteral("Slot"), QStringLiteral("Cluster"),
                             QStringLiteral("Type"), QStringLiteral("QL"),
                             QStringLiteral("Skill \"increase\""), QStringLiteral("Cost, credits"),
                             QStringLiteral("Notes")};
    table.setRow(0, header);
    for (int row = 1; row < table.rowCount(); ++row) {
        table.setRow(row, {QStringLiteral("RIGHT HAND"),
                           QStringLiteral("Pistol %1").arg(row),
                           QStringLiteral("Shining"),
                           QString::number(row % 300),
                           QStringLiteral("+%1 <max>").arg(row % 97),
                           QStringLiteral("1,%1 €").arg(row % 1000, 3, 10, QLatin1Char('0')),
                           QStringLiteral("from stock & \"shop\"\n日本 line two")});
    }
}

void Time(const char *name, int rounds, const QString &path, const std::function<void()> &run)
{
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-5s median %7.1f ms  fastest %7.1f ms  (%lld bytes)\n", name,
                ms[ms.size() / 2], ms.front(), static_cast<long long>(QFileInfo(path).size()));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 21;
    TextTable table(7, 10000);
    Fill(table);
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("report.csv"));
    const QString html = dir.filePath(QStringLiteral("report.htm"));
    const QString rtf = dir.filePath(QStringLiteral("report.doc"));
    std::printf("10000 rows x 7 columns, %d rounds (goal: each median under 200 ms)\n", rounds);
    Time("CSV", rounds, csv, [&] { ExportCsv(table, csv); });
    Time("HTML", rounds, html, [&] { ExportHtml(table, QStringLiteral("Ludra Report"), html); });
    Time("RTF", rounds, rtf, [&] { ExportRtf(table, QStringLiteral("Ludra Report"), rtf); });
    return 0;
}
