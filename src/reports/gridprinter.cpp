#include "reports/gridprinter.h"

#include "common/errors.h"
#include "common/texttable.h"
#include "reports/columnfit.h"

#include <QDate>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace ludra {

namespace {

// Column widths come in pixels of a screen at this resolution.
constexpr double ScreenDpi = 96.0;
// A column without a width of its own: the grid's default width.
constexpr int DefaultColumnWidth = 64;
// The header font gets no smaller than this to fit the page.
constexpr int MinHeaderPointSize = 6;

// A part of a row on one page: its lines [firstLine, firstLine + lineCount)
// of every cell. A row taller than a page is split into several parts, each
// on a page of its own, so that no line is lost.
struct RowPart
{
    int row = 0;
    int firstLine = 0;
    int lineCount = 0;
    double height = 0.0;
};

struct CellLayout
{
    QStringList lines;
    QSizeF image;
};

// Everything a page needs, worked out once for a device: the fonts, the
// places of the page's furniture, the column widths, each row's lines and
// the rows of each page.
struct Layout
{
    double dpi = 72.0;
    QRectF content;      // page rect minus the margins, in painter coordinates
    QFont titleFont;
    QFont cellFont;
    QFont headerFont;
    double tableTop = 0.0;
    double tableBottom = 0.0;
    double tableLeft = 0.0;
    QList<double> columnWidths;
    double padX = 0.0;
    double padY = 0.0;
    double imageGap = 0.0;
    double spacing = 0.0;
    double cellLine = 0.0;
    double headerLine = 0.0;
    // Lines of each cell, [row][column]; row 0 is the header.
    QList<QList<CellLayout>> cells;
    QList<int> rowLines;
    QList<QList<RowPart>> pages;
    int headerLineCount = 0;
    double headerHeight = 0.0;
    // Whether every heading fits its column without a word broken.
    bool headingsWhole = true;
};

double MmToPixels(double mm, double dpi)
{
    return mm * dpi / 25.4;
}

QFont CellFont(const PrintSettings &settings)
{
    QFont font = QGuiApplication::font();
    if (!settings.fontFamily.isEmpty())
        font.setFamily(settings.fontFamily);
    font.setPointSize(std::max(1, settings.fontPointSize));
    return font;
}

// The text of a cell broken into lines no wider than width: at word
// boundaries where it can, anywhere within a word longer than the width.
QStringList wrapText(const QString &text, const QFont &font, QPaintDevice *device,
                     const QFontMetricsF &metrics, double width)
{
    if (text.isEmpty())
        return {};
    const bool breaks = text.contains(QLatin1Char('\n'));
    if (!breaks && metrics.horizontalAdvance(text) <= width)
        return {text};
    QString laid = text;
    laid.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(laid, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(1.0, width));
        QString part = laid.mid(line.textStart(), line.textLength());
        while (!part.isEmpty() && (part.back().isSpace() || part.back() == QChar::LineSeparator))
            part.chop(1);
        lines << part;
    }
    layout.endLayout();
    return lines;
}

QSizeF imageSize(const PrintableGrid &grid, const PrintSettings &settings, int column,
                 int row, double dpi)
{
    if (!settings.cellGraphics || !grid.cellImage)
        return {};
    const QPixmap image = grid.cellImage(column, row);
    if (image.isNull())
        return {};
    const QSizeF screen = image.deviceIndependentSize();
    return screen * (dpi / ScreenDpi);
}

// The page rect minus the margins, in the coordinates of a painter on the
// device (whose origin is the device's own paint rect).
QRectF contentRect(const QPagedPaintDevice &device, const PrintSettings &settings,
                   double dpi)
{
    const QPageLayout page = device.pageLayout();
    const int resolution = int(std::lround(dpi));
    const QRectF full = page.fullRectPixels(resolution);
    const QRectF paint = page.paintRectPixels(resolution);
    const QMarginsF &mm = settings.marginsMm;
    QRectF content = full.adjusted(MmToPixels(mm.left(), dpi), MmToPixels(mm.top(), dpi),
                                   -MmToPixels(mm.right(), dpi),
                                   -MmToPixels(mm.bottom(), dpi));
    content = content.intersected(paint);
    if (content.isEmpty())
        content = paint;
    return content.translated(-paint.topLeft());
}

// What the cells below the header need of each column, measured once
// whatever size the header font takes: the longest text on one line, and
// the longest single word, each with the cell's image and padding.
struct ColumnNeeds
{
    QList<double> longest;
    QList<double> longestWord;
};

QStringList wordsOf(const QString &text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return text.split(blanks, Qt::SkipEmptyParts);
}

// How wide a text is in a font: its longest line and its longest word.
struct TextExtent
{
    double line = 0.0;
    double word = 0.0;
};

TextExtent measureText(const QString &text, const QFontMetricsF &metrics)
{
    TextExtent extent;
    for (const QString &line : text.split(QLatin1Char('\n')))
        extent.line = std::max(extent.line, metrics.horizontalAdvance(line));
    for (const QString &part : wordsOf(text))
        extent.word = std::max(extent.word, metrics.horizontalAdvance(part));
    return extent;
}

// The width a text takes in a column: the text, the cell's image before it,
// the padding either side, and a pixel to spare so that rounding never
// breaks a text that was meant to fit.
double columnWidthFor(double text, const QSizeF &image, const Layout &layout)
{
    if (!image.isEmpty())
        text += image.width() + layout.imageGap;
    return text > 0.0 ? std::ceil(text) + 2 + 2 * layout.padX : 0.0;
}

ColumnNeeds measureCells(const Layout &layout, const PrintableGrid &grid, const PrintSettings &settings,
                         const QFontMetricsF &cellMetrics)
{
    const TextTable &table = *grid.table;
    const int columns = table.columnCount();
    ColumnNeeds needs{QList<double>(columns, 0.0), QList<double>(columns, 0.0)};
    for (int c = 0; c < columns; ++c) {
        for (int r = 1; r < table.rowCount(); ++r) {
            const QString text = table.cell(c, r);
            if (text.isEmpty())
                continue;
            const TextExtent extent = measureText(text, cellMetrics);
            const QSizeF image = imageSize(grid, settings, c, r, layout.dpi);
            needs.longest[c] = std::max(needs.longest[c], columnWidthFor(extent.line, image, layout));
            needs.longestWord[c] = std::max(needs.longestWord[c], columnWidthFor(extent.word, image, layout));
        }
    }
    return needs;
}

// How a layout keeps the headings' words whole:
// - AsLaidOut: columns as wide as the page gives them are enough when no
//   heading breaks there; otherwise as WholeWords;
// - WholeWords: every word whole, of the headings and of the cells;
// - WholeHeadings: the headings' words whole, at the cost of the cells' when
//   the page has no room for both.
enum class Fit { AsLaidOut, WholeWords, WholeHeadings };

// The column widths with the header in the font of headerMetrics: the
// screen's widths scaled to the page, widened towards the longest text
// while the page has room, and then, where a heading would break inside a
// word, made wide enough for every word of every heading, the other columns
// narrowed as far as their own longest words allow (and, fitting
// WholeHeadings, below those). False when the headings' words do not fit
// the page side by side that way at this size.
bool layOutColumns(Layout &layout, const PrintableGrid &grid, const PrintSettings &settings,
                   const ColumnNeeds &cells, const QFontMetricsF &headerMetrics, Fit fit)
{
    const TextTable &table = *grid.table;
    const int columns = table.columnCount();
    const double available = layout.content.width();
    const double scale = layout.dpi / ScreenDpi;

    QList<double> widths(columns);
    for (int c = 0; c < columns; ++c) {
        const int screen = c < grid.columnWidths.size() ? grid.columnWidths[c] : DefaultColumnWidth;
        widths[c] = std::max(1, screen) * scale;
    }
    const double total = ShrinkToRoom(widths, available);

    // The heading's longest line, and its longest word.
    QList<double> headingWord(columns, 0.0);
    QList<double> needs(columns, 0.0);
    for (int c = 0; c < columns; ++c) {
        const QString heading = table.cell(c, 0);
        const QSizeF image = imageSize(grid, settings, c, 0, layout.dpi);
        const TextExtent extent = measureText(heading, headerMetrics);
        headingWord[c] = columnWidthFor(extent.word, image, layout);
        needs[c] = std::max(0.0, std::max(columnWidthFor(extent.line, image, layout), cells.longest[c]) - widths[c]);
    }
    // Widen to the longest text while the table still fits the page; when
    // it does not, the room left is shared evenly, a column needing less than
    // its share taking only what it needs, so a short column is not wrapped
    // for the sake of a long one.
    double room = std::max(0.0, available - total);
    QList<int> order(columns);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return needs[a] < needs[b]; });
    for (int i = 0; i < columns; ++i) {
        const int c = order[i];
        const double grant = std::min(needs[c], room / (columns - i));
        widths[c] += grant;
        room -= grant;
    }

    // A heading broken inside a word reads as two words: no column is left
    // narrower than its heading's longest word. The room comes from the
    // other columns, as far as no word of their cells breaks either.
    QList<double> wholeWords(columns);
    for (int c = 0; c < columns; ++c)
        wholeWords[c] = std::max(headingWord[c], cells.longestWord[c]);
    bool whole = true;
    for (int c = 0; c < columns; ++c)
        whole = whole && widths[c] >= (fit == Fit::WholeWords ? wholeWords[c] : headingWord[c]);
    if (!whole)
        whole = RaiseToLeast(widths, wholeWords, available) ||
                (fit == Fit::WholeHeadings && RaiseToLeast(widths, headingWord, available));
    layout.columnWidths = widths;
    return whole;
}

Layout makeLayout(const PrintableGrid &grid, const PrintSettings &settings, QPagedPaintDevice &device,
                  Fit fit)
{
    Layout layout;
    layout.dpi = device.logicalDpiY() > 0 ? device.logicalDpiY() : 72.0;
    layout.content = contentRect(device, settings, layout.dpi);
    layout.cellFont = CellFont(settings);
    layout.headerFont = layout.cellFont;
    layout.headerFont.setPointSize(std::max(1, settings.headerPointSize));
    layout.headerFont.setBold(settings.headerBold);
    layout.titleFont = layout.cellFont;
    layout.titleFont.setPointSize(std::max(1, settings.fontPointSize) + 4);
    layout.titleFont.setBold(true);

    const QFontMetricsF cellMetrics(layout.cellFont, &device);
    const QFontMetricsF titleMetrics(layout.titleFont, &device);
    layout.cellLine = cellMetrics.lineSpacing();
    layout.padX = MmToPixels(1.0, layout.dpi);
    layout.padY = MmToPixels(0.5, layout.dpi);
    layout.imageGap = MmToPixels(1.0, layout.dpi);
    layout.spacing = MmToPixels(std::max(0.0, settings.rowSpacingMm), layout.dpi);

    // The furniture: title lines (and the date beside the first) above the
    // table, the page number below it.
    double top = layout.content.top();
    for (int i = 0; i < settings.titleLines.size(); ++i)
        top += i == 0 ? titleMetrics.lineSpacing() : cellMetrics.lineSpacing();
    if (settings.titleLines.isEmpty() && settings.showDate)
        top += cellMetrics.lineSpacing();
    if (top > layout.content.top())
        top += MmToPixels(3.0, layout.dpi);
    layout.tableTop = top;
    layout.tableBottom = layout.content.bottom();
    if (settings.showPageNumbers)
        layout.tableBottom -= cellMetrics.lineSpacing() + MmToPixels(2.0, layout.dpi);

    if (grid.table == nullptr || grid.table->rowCount() == 0 || grid.table->columnCount() == 0) {
        layout.pages = {{}};
        return layout;
    }
    const TextTable &table = *grid.table;
    // Headings too wide for the page side by side take a smaller header
    // font, a point at a time, down to two points below the cells' size;
    // should they not fit even then, the smallest size breaks the fewest. A
    // smaller font is there to keep words whole, so a size below the
    // settings' that breaks a cell's word instead is no fit.
    const ColumnNeeds cells = measureCells(layout, grid, settings, cellMetrics);
    const int headerSize = std::max(1, settings.headerPointSize);
    const int smallest = std::min(headerSize, std::max(MinHeaderPointSize, std::max(1, settings.fontPointSize) - 2));
    for (int size = headerSize;; --size) {
        layout.headerFont.setPointSize(size);
        const Fit sizeFit = fit == Fit::AsLaidOut && size < headerSize ? Fit::WholeWords : fit;
        layout.headingsWhole =
            layOutColumns(layout, grid, settings, cells, QFontMetricsF(layout.headerFont, &device), sizeFit);
        if (layout.headingsWhole || size <= smallest)
            break;
    }
    const QFontMetricsF headerMetrics(layout.headerFont, &device);
    layout.headerLine = headerMetrics.lineSpacing();
    double tableWidth = 0.0;
    for (double w : layout.columnWidths)
        tableWidth += w;
    layout.tableLeft = settings.centred
        ? layout.content.left() + (layout.content.width() - tableWidth) / 2
        : layout.content.left();

    const int rows = table.rowCount();
    layout.cells.resize(rows);
    layout.rowLines.resize(rows);
    QList<double> imageHeights(rows, 0.0);
    for (int r = 0; r < rows; ++r) {
        QList<CellLayout> &cells = layout.cells[r];
        cells.resize(table.columnCount());
        int lines = 0;
        for (int c = 0; c < table.columnCount(); ++c) {
            CellLayout &cell = cells[c];
            cell.image = imageSize(grid, settings, c, r, layout.dpi);
            double width = layout.columnWidths[c] - 2 * layout.padX;
            if (!cell.image.isEmpty())
                width -= cell.image.width() + layout.imageGap;
            cell.lines = wrapText(table.cell(c, r), r == 0 ? layout.headerFont : layout.cellFont,
                                  &device, r == 0 ? headerMetrics : cellMetrics, width);
            lines = std::max(lines, int(cell.lines.size()));
            imageHeights[r] = std::max(imageHeights[r], cell.image.height());
        }
        layout.rowLines[r] = std::max(1, lines);
    }

    const double area = layout.tableBottom - layout.tableTop;
    // The header row repeats on every page; should it be taller than half
    // the table's room, it prints only the lines that fit in that half.
    const int headerFit = std::max(1, int((area / 2 - 2 * layout.padY) / layout.headerLine));
    layout.headerLineCount = std::min(layout.rowLines[0], headerFit);
    layout.headerHeight = std::max(layout.headerLineCount * layout.headerLine, imageHeights[0])
        + 2 * layout.padY + layout.spacing;
    const double body = area - layout.headerHeight;
    const int linesPerPage = std::max(1, int((body - 2 * layout.padY - layout.spacing) / layout.cellLine));

    QList<RowPart> page;
    double used = 0.0;
    for (int r = 1; r < rows; ++r) {
        int first = 0;
        int left = layout.rowLines[r];
        while (left > 0) {
            const int count = std::min(left, linesPerPage);
            RowPart part{r, first, count, 0.0};
            const double image = first == 0 ? imageHeights[r] : 0.0;
            part.height = std::max(count * layout.cellLine, image) + 2 * layout.padY + layout.spacing;
            // A row taller than a page is split: each part takes the lines a
            // page holds and the next part goes on at the top of the next
            // page, below the header row.
            if (!page.isEmpty() && used + part.height > body) {
                layout.pages << page;
                page.clear();
                used = 0.0;
            }
            page << part;
            used += part.height;
            first += part.lineCount;
            left -= part.lineCount;
        }
    }
    if (!page.isEmpty() || layout.pages.isEmpty())
        layout.pages << page;
    return layout;
}

// Paints the lines [firstLine, firstLine + lineCount) of a row at y, with
// its images (on the part holding the first line) and borders.
void paintRow(QPainter &painter, const Layout &layout, const PrintSettings &settings,
              const PrintableGrid &grid, int row, int firstLine, int lineCount, double y,
              double height)
{
    const bool header = row == 0;
    const QFont &font = header ? layout.headerFont : layout.cellFont;
    const double lineHeight = header ? layout.headerLine : layout.cellLine;
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double cellHeight = height - layout.spacing;
    double x = layout.tableLeft;
    const QList<CellLayout> &cells = layout.cells[row];
    for (int c = 0; c < cells.size(); ++c) {
        const double width = layout.columnWidths[c];
        const CellLayout &cell = cells[c];
        double textX = x + layout.padX;
        if (!cell.image.isEmpty()) {
            if (firstLine == 0) {
                const QRectF target(textX, y + (cellHeight - cell.image.height()) / 2,
                                    cell.image.width(), cell.image.height());
                const QPixmap image = grid.cellImage(c, row);
                painter.drawPixmap(target, image, QRectF(image.rect()));
            }
            textX += cell.image.width() + layout.imageGap;
        }
        const int last = std::min(int(cell.lines.size()), firstLine + lineCount);
        double baseline = y + layout.padY + metrics.ascent();
        for (int i = firstLine; i < last; ++i, baseline += lineHeight)
            painter.drawText(QPointF(textX, baseline), cell.lines[i]);
        if (settings.borders)
            painter.drawRect(QRectF(x, y, width, cellHeight));
        x += width;
    }
}

void paintLayoutPage(QPainter &painter, const Layout &layout, const PrintableGrid &grid,
                     const PrintSettings &settings, int page)
{
    if (page < 0 || page >= layout.pages.size())
        return;
    painter.save();
    painter.setPen(QPen(Qt::black, layout.dpi / ScreenDpi));
    painter.setBrush(Qt::NoBrush);
    const QRectF &content = layout.content;

    double y = content.top();
    for (int i = 0; i < settings.titleLines.size(); ++i) {
        const QFont &font = i == 0 ? layout.titleFont : layout.cellFont;
        painter.setFont(font);
        const QFontMetricsF metrics(font, painter.device());
        painter.drawText(QPointF(content.left(), y + metrics.ascent()), settings.titleLines[i]);
        y += metrics.lineSpacing();
    }
    if (settings.showDate) {
        painter.setFont(layout.cellFont);
        const QFontMetricsF metrics(layout.cellFont, painter.device());
        const QString date = QDate::currentDate().toString(settings.dateFormat);
        const double ascent = settings.titleLines.isEmpty()
            ? metrics.ascent()
            : QFontMetricsF(layout.titleFont, painter.device()).ascent();
        painter.drawText(QPointF(content.right() - metrics.horizontalAdvance(date),
                                 content.top() + ascent), date);
    }
    if (settings.showPageNumbers) {
        painter.setFont(layout.cellFont);
        const QFontMetricsF metrics(layout.cellFont, painter.device());
        const QString number = settings.pagePrefix + QLatin1Char(' ') + QString::number(page + 1);
        painter.drawText(QPointF(content.right() - metrics.horizontalAdvance(number),
                                 content.bottom() - metrics.descent()), number);
    }

    if (!layout.cells.isEmpty()) {
        y = layout.tableTop;
        paintRow(painter, layout, settings, grid, 0, 0, layout.headerLineCount, y,
                 layout.headerHeight);
        y += layout.headerHeight;
        for (const RowPart &part : layout.pages[page]) {
            paintRow(painter, layout, settings, grid, part.row, part.firstLine, part.lineCount, y,
                     part.height);
            y += part.height;
        }
    }
    painter.restore();
}

// The layout on the device as it stands: every word whole where the page
// allows, else the headings' words whole at the cost of the cells'.
Layout deviceLayout(const PrintableGrid &grid, const PrintSettings &settings, QPagedPaintDevice &device)
{
    Layout layout = makeLayout(grid, settings, device, Fit::AsLaidOut);
    if (!layout.headingsWhole)
        layout = makeLayout(grid, settings, device, Fit::WholeHeadings);
    return layout;
}

} // namespace

GridPrinter::GridPrinter(PrintableGrid grid, PrintSettings settings)
    : m_grid(std::move(grid)), m_settings(std::move(settings))
{
}

int GridPrinter::pageCount(QPagedPaintDevice &device) const
{
    return int(deviceLayout(m_grid, m_settings, device).pages.size());
}

void GridPrinter::paintPage(QPainter &painter, QPagedPaintDevice &device, int page) const
{
    paintLayoutPage(painter, deviceLayout(m_grid, m_settings, device), m_grid, m_settings, page);
}

void GridPrinter::print(QPrinter &printer) const
{
    printer.setPageOrientation(m_settings.landscape ? QPageLayout::Landscape
                                                    : QPageLayout::Portrait);
    printer.setPageMargins(m_settings.marginsMm, QPageLayout::Millimeter);
    // Laid out once for every page: a long table is not measured per page.
    // A table whose words do not all fit a portrait page whole at any header
    // size turns to landscape; where they do not fit there either, the
    // headings keep their words whole at the cost of the cells'.
    Layout layout = makeLayout(m_grid, m_settings, printer, Fit::AsLaidOut);
    if (!layout.headingsWhole && !m_settings.landscape) {
        printer.setPageOrientation(QPageLayout::Landscape);
        layout = makeLayout(m_grid, m_settings, printer, Fit::WholeWords);
    }
    if (!layout.headingsWhole)
        layout = makeLayout(m_grid, m_settings, printer, Fit::WholeHeadings);
    QPainter painter;
    if (!painter.begin(&printer))
        throw EStreamError(QStringLiteral("The printer could not be started"));
    for (int page = 0; page < layout.pages.size(); ++page) {
        if (page > 0 && !printer.newPage())
            throw EStreamError(QStringLiteral("The printer could not start a new page"));
        paintLayoutPage(painter, layout, m_grid, m_settings, page);
    }
    if (!painter.end())
        throw EStreamError(QStringLiteral("The printer could not finish the print"));
}

} // namespace ludra
