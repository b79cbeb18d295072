#pragma once

#include "reports/printsettings.h"

#include <QList>
#include <QPixmap>

#include <functional>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace ludra {

class TextTable;

// What a grid prints: its table (row 0 the header, repeated at the top of
// every page), the width of each column in pixels on screen (scaled to the
// page), and, for grids with cell images, the image of a cell.
struct PrintableGrid
{
    const TextTable *table = nullptr;
    QList<int> columnWidths;
    std::function<QPixmap(int column, int row)> cellImage;
};

// Lays a grid out on pages and paints them: the title lines top left, the
// date top right, "Page" and the number bottom right, the table broken
// between rows with the header row on every page, in the table's row order,
// as the settings ask. No heading is broken inside a word: the other
// columns give up room as far as their own words allow, then the header font
// gets smaller, and printing turns a portrait page to landscape when neither
// is enough; only a table too wide for that has its cells' words broken
// rather than the headings'.
class GridPrinter
{
public:
    GridPrinter(PrintableGrid grid, PrintSettings settings);

    // The number of pages the grid takes on the device, in the device's
    // orientation.
    int pageCount(QPagedPaintDevice &device) const;
    // Paints one page (from 0) on a painter that is active on the device, in
    // the device's orientation.
    void paintPage(QPainter &painter, QPagedPaintDevice &device, int page) const;
    // Prints every page on the printer (a PDF file when the printer's
    // output is one), in the settings' orientation or in landscape when the
    // headings need it. Throws EStreamError when the printer cannot be
    // started.
    void print(QPrinter &printer) const;

private:
    PrintableGrid m_grid;
    PrintSettings m_settings;
};

} // namespace ludra
