// The grid printer printed to PDF and read back with pdftotext: the page
// furniture, the header row on every page, every row in order, long cells
// wrapped whole, the orientation, and a printer that cannot start.

#include "common/errors.h"
#include "common/texttable.h"
#include "reports/gridprinter.h"

#include <QDate>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace ludra;

namespace {

QString rowName(int row) { return QStringLiteral("R%1").arg(row, 5, 10, QLatin1Char('0')); }

// A numbered table: the header, then rows "R00001" ... with three more cells.
void fill(TextTable &table, int rows)
{
    table.setColumnCount(4);
    table.setRowCount(rows + 1);
    table.setRow(0, {"Number", "Cluster Name", "Slot", "Cost"});
    for (int r = 1; r <= rows; ++r)
        table.setRow(r, {rowName(r), QStringLiteral("Cluster %1").arg(r), "LEFT WRIST", "1000"});
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Prints to a PDF and gives its text, one entry per page.
QStringList printPages(const TextTable &table, const PrintSettings &settings, const QString &path,
                       QPrinter &printer)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    GridPrinter(PrintableGrid{&table, {60, 200, 100, 60}, {}}, settings).print(printer);
    QStringList pages = run("pdftotext", {"-layout", path, "-"}).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// Every row of the table appears once, in table order.
bool rowsInOrder(const QString &text, int rows)
{
    qsizetype at = 0;
    for (int r = 1; r <= rows; ++r) {
        at = text.indexOf(rowName(r), at);
        if (at < 0 || text.count(rowName(r)) != 1)
            return false;
    }
    return true;
}

} // namespace

class TstGridPrinter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reportPages()
    {
        TextTable table;
        fill(table, 200);
        PrintSettings settings;
        settings.setReportSettings("Ludra Requirements and Layout Report", "/home/me/plan.lud");
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        const QString before = QDate::currentDate().toString("dd/MM/yyyy");
        const QStringList pages = printPages(table, settings, dir.filePath("report.pdf"), printer);
        const QString after = QDate::currentDate().toString("dd/MM/yyyy");

        QVERIFY(pages.size() > 2);
        QCOMPARE(pages.size(), GridPrinter(PrintableGrid{&table, {60, 200, 100, 60}, {}}, settings)
                                   .pageCount(printer));
        const QString first = pages.first();
        QVERIFY(first.contains("Ludra Requirements and Layout Report"));
        QVERIFY(first.contains("/home/me/plan.lud"));
        QVERIFY(first.contains(before) || first.contains(after));
        QVERIFY(QRegularExpression("\\d\\d/\\d\\d/\\d{4}").match(first).hasMatch());
        for (int p = 0; p < pages.size(); ++p) {
            QVERIFY2(pages[p].contains(QStringLiteral("Page %1").arg(p + 1)), qPrintable(QString::number(p)));
            QVERIFY(!pages[p].contains(QStringLiteral("Page %1").arg(p + 2)));
            QCOMPARE(pages[p].count("Cluster Name"), 1);
            QVERIFY(pages[p].indexOf("Cluster Name") < pages[p].indexOf("R0"));
        }
        QVERIFY(rowsInOrder(pages.join(QString()), 200));
    }

    void longCellWrapsWhole()
    {
        TextTable table;
        fill(table, 10);
        QStringList words;
        for (int i = 1; i <= 800; ++i)
            words << QStringLiteral("w%1").arg(i, 4, 10, QLatin1Char('0'));
        table.setCell(1, 5, words.join(' '));
        QCOMPARE(table.cell(1, 5).size(), 4799);
        PrintSettings settings;
        settings.borders = true;
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        const QStringList pages = printPages(table, settings, dir.filePath("long.pdf"), printer);

        // Taller than a page: the row goes on over the next pages, under the header.
        QVERIFY(pages.size() >= 2);
        for (const QString &page : pages)
            QCOMPARE(page.count("Cluster Name"), 1);
        const QString text = pages.join(QString());
        qsizetype at = 0;
        for (const QString &word : words) {
            at = text.indexOf(word, at);
            QVERIFY2(at >= 0 && text.count(word) == 1, qPrintable(word));
        }
        const QStringList lines = text.split('\n');
        const auto lineOf = [&](const QString &word) {
            return std::find_if(lines.begin(), lines.end(),
                                [&](const QString &l) { return l.contains(word); }) - lines.begin();
        };
        QVERIFY(lineOf("w0800") - lineOf("w0001") > 20);
        QVERIFY(rowsInOrder(text, 10));
        QVERIFY(text.indexOf(rowName(6)) > text.indexOf("w0800"));
    }

    void bareSettingsPrintOnlyTheTable()
    {
        TextTable table;
        fill(table, 200);
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        const QStringList pages = printPages(table, PrintSettings(), dir.filePath("bare.pdf"), printer);
        QVERIFY(pages.size() > 1);
        const QString text = pages.join(QString());
        QVERIFY(!text.contains("Page"));
        QVERIFY(!text.contains('/'));
        QVERIFY(!text.contains(QDate::currentDate().toString("yyyy")));
        QVERIFY(pages.first().trimmed().startsWith("Number"));
        QVERIFY(rowsInOrder(text, 200));
    }

    void landscapeWidensThePage()
    {
        // Names too long for a portrait line wrap there, and less in landscape.
        TextTable table;
        fill(table, 200);
        for (int r = 1; r <= 200; ++r)
            table.setCell(1, r, QStringLiteral("Cluster %1 ").arg(r).repeated(7));
        PrintSettings settings;
        QTemporaryDir dir;
        QPrinter portrait(QPrinter::HighResolution);
        const QStringList tall = printPages(table, settings, dir.filePath("p.pdf"), portrait);
        settings.landscape = true;
        QPrinter landscape(QPrinter::HighResolution);
        const QStringList wide = printPages(table, settings, dir.filePath("l.pdf"), landscape);
        const QRegularExpression size("Page size:\\s+([\\d.]+) x ([\\d.]+)");
        const auto match = size.match(run("pdfinfo", {dir.filePath("l.pdf")}));
        QVERIFY(match.hasMatch());
        QVERIFY(match.captured(1).toDouble() > match.captured(2).toDouble());
        QVERIFY2(wide.size() < tall.size(),
                 qPrintable(QStringLiteral("%1 %2").arg(wide.size()).arg(tall.size())));
        QCOMPARE(int(wide.size()),
                 GridPrinter(PrintableGrid{&table, {60, 200, 100, 60}, {}}, settings).pageCount(landscape));
        QVERIFY(rowsInOrder(wide.join(QString()), 200));
        QVERIFY(rowsInOrder(tall.join(QString()), 200));
    }

    void tenThousandRowsAllPrinted()
    {
        TextTable table;
        fill(table, 10000);
        PrintSettings settings;
        settings.setReportSettings("Ludra Skill Increase Report", QString());
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        const QStringList pages = printPages(table, settings, dir.filePath("big.pdf"), printer);
        QVERIFY(pages.size() > 100);
        QVERIFY(pages.last().contains(QStringLiteral("Page %1").arg(pages.size())));
        QVERIFY(rowsInOrder(pages.join(QString()), 10000));
    }

    void printerThatCannotStartThrows()
    {
        TextTable table;
        fill(table, 3);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName("/nonexistent-folder/cannot/report.pdf");
        QVERIFY_THROWS_EXCEPTION(EStreamError,
                                 GridPrinter(PrintableGrid{&table, {}, {}}, PrintSettings()).print(printer));
    }
};

QTEST_MAIN(TstGridPrinter)
#include "tst_gridprinter.moc"
