#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace ludra {

class TextTable;

// A grid in its stored text form (GridText): its column and row counts, the
// width of each column in pixels, and its cells, header cells included.
struct GridImage
{
    // Beyond these a grid's counts can only come from a damaged file: the
    // largest grid the program shows has a few hundred rows and seven columns.
    static constexpr int MaxColumns = 1000;
    static constexpr int MaxRows = 1'000'000;

    int columns = 0;
    int rows = 0;
    // Indexed by column; a column the text gives no width has none (0).
    QList<int> widths;
    // cells[row][column]; every row has `columns` entries.
    QList<QStringList> cells;

    // The image of a table and the widths of its view's columns.
    static GridImage fromTable(const TextTable &table, const QList<int> &widths);
    // Gives the table the image's shape and cells.
    void toTable(TextTable &table) const;

    bool operator==(const GridImage &) const = default;
};

// The lines of a grid's GridText.
QStringList WriteGridText(const GridImage &grid);
// Reads a GridText; counts beyond the limits, or a line that is not one of
// the three kinds, throw ECorruptFile naming what is wrong.
GridImage ReadGridText(const QStringList &lines);

// Everything a project file holds, as the lines of its twelve streams and
// the four grids, read whole before anything of it is applied.
struct ProjectImage
{
    QStringList config;
    QStringList colorGrid;
    QStringList selected;
    QStringList available;
    GridImage grid;
    QStringList icons;
    QStringList secondIcons;
    QStringList selImpBool;
    QStringList selImpQL;
    GridImage resultSkill;
    GridImage resultReq;
    GridImage resultSuggest;

    bool operator==(const ProjectImage &) const = default;
};

// Writes the twelve streams to a compressed container file, replacing the
// file only once the new one is whole. Throws EStreamError when it cannot.
void WriteProjectFile(const QString &path, const ProjectImage &project);
// Reads a project file whole. Throws EStreamError when the file cannot be
// opened or read, ECorruptFile when it is not a container, is damaged, or a
// grid in it is; the message says which. A missing stream reads as empty.
ProjectImage ReadProjectFile(const QString &path);

} // namespace ludra
