// The grid printer printed to PDF and read back with pdftotext: the page
// furniture, the header row on every page, every row in order, long cells
// wrapped whole, headings never broken inside a word, the orientation, and a
// printer that cannot start.

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

// The words of the first page as pdftotext places them, each with the
// height of its box (which follows the font size).
QHash<QString, double> firstPageWords(const QString &pdf)
{
    const QString boxes = run("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    QHash<QString, double> words;
    const QRegularExpression word("<word xMin=\"[\\d.]+\" yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" "
                                  "yMax=\"([\\d.]+)\">([^<]*)</word>");
    for (auto it = word.globalMatch(boxes); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        // Ligatures ("fi" as one glyph) read back as their letters.
        words.insert(m.captured(3).normalized(QString::NormalizationForm_KC),
                     m.captured(2).toDouble() - m.captured(1).toDouble());
    }
    return words;
}

// Whether the PDF's pages are wider than they are tall.
bool landscapePages(const QString &pdf)
{
    const auto match = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(run("pdfinfo", {pdf}));
    return match.hasMatch() && match.captured(1).toDouble() > match.captured(2).toDouble();
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

    void headingsNeverBrokenInAWord_data()
    {
        QTest::addColumn<QStringList>("headings");
        // The cells of each column, every row alike, after the row's name.
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QList<int>>("widths");
        QTest::addColumn<bool>("smallerFont");
        QTest::addColumn<bool>("landscape");
        // Whether the cells' words stay whole as well.
        QTest::addColumn<bool>("cellsWhole");
        // The requirements as the window shows them: narrowing the wide
        // columns leaves room for every heading.
        QTest::newRow("requirements")
            << QStringList{"Cluster", "Credits", "Skill Req", "Implant", "Type", "Treatment", "Secondary Skill"}
            << QStringList{"0", "800", "RIGHT WRIST (QL 200)", "Shining", "951", "404 - Nano Resist - Agility"}
            << QList<int>{150, 50, 60, 150, 55, 70, 170} << false << false << true;
        // Headings too wide for the page at 12 points fit a smaller header
        // font on the same page.
        QTest::newRow("smaller header font")
            << QStringList{"Implantation", "Requirement", "Qualification", "Conditioning", "Administration",
                           "Intelligence"}
            << QStringList{"37", "Nano Progra (QL 9)", "74", "111", "Nano Progra (QL 9)"}
            << QList<int>{60, 60, 60, 60, 60, 60} << true << false << true;
        // Too many headings for a portrait page in any readable size.
        QTest::newRow("landscape")
            << QStringList{"Implantation", "Requirement", "Qualification", "Conditioning", "Administration",
                           "Intelligence", "Psychological", "Nanotechnology", "Perception"}
            << QStringList{"37", "74", "Nano Progra (QL 9)", "111", "148", "Nano Progra (QL 9)", "185", "222"}
            << QList<int>{60, 60, 60, 60, 60, 60, 60, 60, 60} << true << true << true;
        // Headings that would fit a portrait page only with the cells'
        // words broken: a landscape page holds every word whole.
        QTest::newRow("landscape rather than broken cells")
            << QStringList{"Implantation", "Requirement", "Qualification", "Conditioning", "Administration",
                           "Intelligence"}
            << QStringList{"Psychologicalness", "Nanotechnological", "Administrativeness", "Concentrativeness",
                           "Perceptivenesses"}
            << QList<int>{60, 60, 60, 60, 60, 60} << false << true << true;
        // Cells too wide even for a landscape page: the headings still keep
        // their words, the cells give up theirs.
        QTest::newRow("cells too wide for any page")
            << QStringList{"Implantation", "Requirement", "Qualification", "Conditioning", "Administration",
                           "Intelligence", "Perception", "Concentration", "Dimensional", "Engineering"}
            << QStringList{"Psychologicalness", "Nanotechnological", "Administrativeness", "Concentrativeness",
                           "Perceptivenesses", "Intelligentsias", "Conditionalities", "Multidimensional",
                           "Reengineerings"}
            << QList<int>{60, 60, 60, 60, 60, 60, 60, 60, 60, 60} << true << true << false;
    }

    void headingsNeverBrokenInAWord()
    {
        QFETCH(QStringList, headings);
        QFETCH(QStringList, cells);
        QFETCH(QList<int>, widths);
        QFETCH(bool, smallerFont);
        QFETCH(bool, landscape);
        QFETCH(bool, cellsWhole);
        TextTable table;
        table.setColumnCount(int(headings.size()));
        table.setRowCount(31);
        table.setRow(0, headings);
        for (int r = 1; r <= 30; ++r)
            table.setRow(r, QStringList{rowName(r)} + cells);
        PrintSettings settings;
        settings.setReportSettings("Report", QString());
        QTemporaryDir dir;
        const QString pdf = dir.filePath("headings.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        GridPrinter(PrintableGrid{&table, widths, {}}, settings).print(printer);

        const QHash<QString, double> words = firstPageWords(pdf);
        QVERIFY(words.contains(rowName(1)));
        // No word broken, neither of a heading nor (where the page has room)
        // of a cell.
        for (const QString &heading : headings)
            for (const QString &word : heading.split(' '))
                QVERIFY2(words.contains(word), qPrintable(word + ": " + QStringList(words.keys()).join(' ')));
        bool whole = true;
        for (const QString &cell : cells)
            for (const QString &word : cell.split(' '))
                whole = whole && words.contains(word);
        QCOMPARE(whole, cellsWhole);
        QCOMPARE(landscapePages(pdf), landscape);
        // The header's 12 points against the cells' 10, or a smaller header.
        const double ratio = words.value(headings.first()) / words.value(rowName(1));
        QVERIFY2(smallerFont ? ratio < 1.15 : ratio > 1.15, qPrintable(QString::number(ratio)));
        // Every row is still printed, in order.
        QVERIFY(rowsInOrder(run("pdftotext", {"-layout", pdf, "-"}), 30));
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
