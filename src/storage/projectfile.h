#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

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
    // Both limits at once would be a billion cells. A grid is held whole, every
    // empty cell an empty text, so its cells are limited too: about 24 MB of
    // empty texts, and over a hundred times the largest grid the program
    // fills (the suggestions, a few thousand rows of three columns).
    static constexpr qint64 MaxCells = 1'000'000;

    int columns = 0;
    int rows = 0;
    // Indexed by column; a column the text gives no width has none (0).
    QList<int> widths;
    // cells[row][column]; every row has `columns` entries.
    QList<QStringList> cells;

    // The image of a table and the widths of its view's columns (cut, or
    // padded with 0, to the table's columns); or of count of its columns
    // from first on (-1: to the last), with their widths.
    static GridImage fromTable(const TextTable &table, const QList<int> &widths, int first = 0, int count = -1);
    // The image with the columns of another beside its own, when both have
    // as many rows; nothing otherwise.
    std::optional<GridImage> besides(const GridImage &more) const;
    // Gives the table the image's shape and cells.
    void toTable(TextTable &table) const;

    bool operator==(const GridImage &) const = default;
};

// The lines of a grid's GridText: "C,R"; "cw i,width" for each column; then,
// row by row and column by column, "c,r,text" for each cell whose text is not
// empty. In a text holding a carriage return, every CR is written as
// character 9 and every LF as character 8; other texts are written as they
// are.
QStringList WriteGridText(const GridImage &grid);
// Reads a GridText: empty lines are skipped, the first line gives the counts,
// a line starting with "cw" a column's width, and a line whose first two comma
// fields are whole numbers a cell, whose text is the rest of the line (commas
// included) with characters 9 and 8 turned into CR and LF. Cells not listed
// are empty. Any other line is skipped: it can only be the rest of a text
// that held a line feed but no carriage return, which the writing rule leaves
// raw, so that the text reads back cut at its first line feed. No lines give
// an empty grid. Throws ECorruptFile ("File is corrupt." and the reason) for
// counts that are not whole numbers, are negative or beyond the limits, for a
// width line that does not hold two whole numbers, and for a width or cell
// line naming a column or row outside the counts; nothing is allocated for
// counts before they are checked.
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
    // Streams later versions added; a file without them reads them empty.
    // "Character": the player's character as "Name=value" lines.
    QStringList character;
    // "GridResultLadder": the ladder of the last build, when it made one.
    GridImage resultLadder;
    // "GridResultSkillTrickle" and "GridResultReqLevels": the columns of the
    // skill and requirement tables after those their own streams keep (whose
    // columns older versions know), header row included; and "ResultTrickle":
    // the build's trickle-down besides its table, as "Name=value" lines.
    GridImage resultSkillMore;
    GridImage resultReqMore;
    QStringList resultTrickle;
    // "Symbiants": the body slots holding a symbiant in place of an implant,
    // as "SLOT=TITLE" lines (a file without the stream holds none; the grid
    // keeps every slot's clusters, so an older version reads the plan
    // without them).
    QStringList symbiants;
    // "Recovery": in a recovery copy only, what the copy says of the plan
    // besides the plan, as "Name=value" lines (the project file it belongs
    // to, when it was last changed). A project saved by the player has none.
    QStringList recovery;

    bool operator==(const ProjectImage &) const = default;
};

// Writes the twelve streams, and the character, the ladder and the later
// result columns after them (each when it holds anything), to
// a container file, replacing the file only once the new one is whole.
// Compressed as the program saves a project; a recovery copy, written while
// the player works, is stored uncompressed, which every reader takes and
// which costs a fraction of the time. Throws EStreamError when it cannot.
enum class ProjectCompression { Compressed, Stored };
void WriteProjectFile(const QString &path, const ProjectImage &project,
                      ProjectCompression compression = ProjectCompression::Compressed);
// Reads a project file whole. Throws EStreamError when the file cannot be
// opened or read, ECorruptFile when it is not a container, is damaged, or a
// grid in it is; the message says which. A missing stream reads as empty.
ProjectImage ReadProjectFile(const QString &path);

} // namespace ludra
