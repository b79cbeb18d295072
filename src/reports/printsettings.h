#pragma once

#include <QMarginsF>
#include <QString>
#include <QStringList>

namespace ludra {

// The ranges the print settings take: font sizes in points, margins and the
// space between rows in millimetres.
inline constexpr int MinPrintPointSize = 4;
inline constexpr int MaxPrintPointSize = 48;
inline constexpr double MaxPrintMarginMm = 100.0;

// How a grid prints: what the page carries around the table and how the
// table is drawn. Each grid keeps its own; a grid not yet printed or
// previewed has the bare settings a default-constructed value gives.
struct PrintSettings
{
    // Title lines, drawn top left above the table; none by default.
    QStringList titleLines;
    // The date top right, in this format; not drawn by default.
    bool showDate = false;
    QString dateFormat = QStringLiteral("dd/MM/yyyy");
    // "Page" and the number, bottom right; not drawn by default.
    bool showPageNumbers = false;
    QString pagePrefix = QStringLiteral("Page");
    // Single lines around and between the cells.
    bool borders = false;
    // The header row's font: bold and its size in points.
    bool headerBold = false;
    int headerPointSize = 10;
    // The cells' font: family (empty: the application's) and size in points.
    QString fontFamily;
    int fontPointSize = 10;
    // Whether cells print their images (the layout's markers) before the
    // text.
    bool cellGraphics = false;
    // The table centred across the page, or at the left margin.
    bool centred = false;
    bool landscape = false;
    // Page margins in millimetres.
    QMarginsF marginsMm{15.0, 15.0, 15.0, 15.0};
    // Extra space between rows, in millimetres.
    double rowSpacingMm = 0.0;
    // Whether the user saved these settings in "Print Settings": a report
    // then prints as they say rather than with the report's own furniture.
    bool chosen = false;
    // Whether the title lines are the user's own; otherwise a report's are
    // its title and the project's name.
    bool ownTitle = false;

    bool operator==(const PrintSettings &) const = default;

    // The settings a print and a preview of a report gets: the report's own
    // title and the project's name as the two title lines unless the user
    // gave a title of their own, and until the user has saved settings of
    // their own the date, "Page" numbers, borders, a bold 12-point header,
    // cell images and the table centred; everything else stays as the user
    // chose.
    void setReportSettings(const QString &reportTitle, const QString &fileName)
    {
        if (!ownTitle)
            titleLines = QStringList{reportTitle, fileName};
        if (chosen)
            return;
        showDate = true;
        dateFormat = QStringLiteral("dd/MM/yyyy");
        showPageNumbers = true;
        pagePrefix = QStringLiteral("Page");
        borders = true;
        headerBold = true;
        headerPointSize = 12;
        cellGraphics = true;
        centred = true;
    }
};

} // namespace ludra
