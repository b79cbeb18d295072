#include "storage/projectfile.h"

#include "common/numbers.h"
#include "common/text.h"
#include "common/texttable.h"
#include "storage/corruptfile.h"
#include "storage/vellstreams.h"

#include <algorithm>
#include <optional>

namespace ludra {

namespace {

// The streams of a project file, in the order they are stored. The container
// writes them sorted by name; the order here is only the order of the fields.
const QString ConfigStream = QStringLiteral("Config");
const QString ColorGridStream = QStringLiteral("ColorGrid");
const QString SelectedStream = QStringLiteral("Selected");
const QString AvailableStream = QStringLiteral("Avaliable");
const QString GridStream = QStringLiteral("Grid");
const QString IconsStream = QStringLiteral("Icons");
const QString SecondIconsStream = QStringLiteral("SecondIcons");
const QString SelImpBoolStream = QStringLiteral("SelImp-Bool");
const QString SelImpQLStream = QStringLiteral("SelImp-QL");
const QString ResultSkillStream = QStringLiteral("GridResultSkill");
const QString ResultReqStream = QStringLiteral("GridResultReq");
const QString ResultSuggestStream = QStringLiteral("GridResultSuggest");
const QString CharacterStream = QStringLiteral("Character");
const QString ResultLadderStream = QStringLiteral("GridResultLadder");
const QString ResultSkillMoreStream = QStringLiteral("GridResultSkillTrickle");
const QString ResultReqMoreStream = QStringLiteral("GridResultReqLevels");
const QString ResultTrickleStream = QStringLiteral("ResultTrickle");
const QString SymbiantsStream = QStringLiteral("Symbiants");
const QString RecoveryStream = QStringLiteral("Recovery");

// What a cell's carriage returns and line feeds become in a GridText line.
constexpr char16_t StoredCR = 9;
constexpr char16_t StoredLF = 8;

const QLatin1StringView WidthPrefix("cw");

// Throws ECorruptFile: "File is corrupt." and a sentence saying what is wrong,
// naming the stream when the grid came from one. `reason` starts in lower case.
[[noreturn]] void gridCorrupt(const QString &stream, const QString &reason)
{
    QString sentence = stream.isEmpty() ? reason : QStringLiteral("In \"%1\", %2").arg(stream, reason);
    sentence[0] = sentence[0].toUpper();
    throw ECorruptFile(QString::fromLatin1(kFileCorruptMessage) + u' ' + sentence);
}

// A line quoted in a message, cut short: a damaged line may be very long.
QString quoted(QStringView line)
{
    constexpr qsizetype Shown = 40;
    if (line.size() <= Shown)
        return u'"' + line.toString() + u'"';
    return u'"' + line.first(Shown).toString() + QStringLiteral("...\"");
}

std::optional<int> wholeNumber(QStringView text)
{
    int value = 0;
    if (!TryStrToInt(text.toString(), value))
        return std::nullopt;
    return value;
}

GridImage readGridText(const QStringList &lines, const QString &stream)
{
    GridImage grid;
    bool sized = false;
    for (const QString &line : lines) {
        if (line.isEmpty())
            continue;

        if (!sized) {
            FieldReader fields(line);
            const std::optional<int> columns = wholeNumber(fields.next());
            const std::optional<int> rows = wholeNumber(fields.rest());
            if (!columns || !rows)
                gridCorrupt(stream, QStringLiteral("the grid's size %1 is not two whole numbers.").arg(quoted(line)));
            if (*columns < 0 || *rows < 0)
                gridCorrupt(stream, QStringLiteral("a grid cannot have %1 columns and %2 rows.").arg(*columns).arg(*rows));
            if (*columns > GridImage::MaxColumns || *rows > GridImage::MaxRows
                || qint64(*columns) * *rows > GridImage::MaxCells)
                gridCorrupt(stream, QStringLiteral("a grid of %1 columns and %2 rows is more than a grid may have "
                                                   "(%3 columns, %4 rows, %5 cells).")
                                        .arg(*columns)
                                        .arg(*rows)
                                        .arg(GridImage::MaxColumns)
                                        .arg(GridImage::MaxRows)
                                        .arg(GridImage::MaxCells));
            // Only now, with the counts bounded, is anything allocated. The
            // rows share one list of empty cells until a cell is put in them.
            grid.columns = *columns;
            grid.rows = *rows;
            grid.widths = QList<int>(grid.columns, 0);
            QStringList emptyRow;
            emptyRow.resize(grid.columns);
            grid.cells = QList<QStringList>(grid.rows, emptyRow);
            sized = true;
            continue;
        }

        if (line.startsWith(WidthPrefix)) {
            FieldReader fields(QStringView(line).sliced(WidthPrefix.size()));
            const std::optional<int> column = wholeNumber(TrimCtl(fields.next()));
            const std::optional<int> width = wholeNumber(TrimCtl(fields.rest()));
            if (!column || !width)
                gridCorrupt(stream, QStringLiteral("the column width line %1 does not hold two whole numbers.")
                                        .arg(quoted(line)));
            if (*column < 0 || *column >= grid.columns)
                gridCorrupt(stream, QStringLiteral("column %1 is given a width, but the grid has %2 columns.")
                                        .arg(*column)
                                        .arg(grid.columns));
            grid.widths[*column] = *width;
            continue;
        }

        FieldReader fields(line);
        const std::optional<int> column = wholeNumber(fields.next());
        const std::optional<int> row = wholeNumber(fields.next());
        // Not a cell line. Written by the program, this is the rest of a cell
        // text that held a line feed but no carriage return: the writing rule
        // leaves such a text raw, so its line feeds split it into lines of
        // their own. Nothing in the file says which cell a piece belonged to
        // or that it is not damage, so it is left out, and that cell keeps
        // what came before its first line feed. (A piece that happens to
        // read as a width or cell line is taken as one.)
        if (!column || !row)
            continue;
        if (*column < 0 || *column >= grid.columns || *row < 0 || *row >= grid.rows)
            gridCorrupt(stream, QStringLiteral("the cell in column %1, row %2 lies outside the grid's %3 columns "
                                               "and %4 rows.")
                                    .arg(*column)
                                    .arg(*row)
                                    .arg(grid.columns)
                                    .arg(grid.rows));
        QString text = fields.rest().toString();
        for (QChar &ch : text) {
            if (ch.unicode() == StoredCR)
                ch = u'\r';
            else if (ch.unicode() == StoredLF)
                ch = u'\n';
        }
        grid.cells[*row][*column] = std::move(text);
    }
    return grid;
}

// The bytes of a stream: its lines each followed by CR LF. A character a
// Latin-1 stream cannot hold refuses the save, before anything is written.
QByteArray streamBytes(const QString &stream, const QStringList &lines)
{
    QString error;
    std::optional<QByteArray> bytes = EncodeLines(lines, &error);
    if (!bytes)
        throw EStreamError(QStringLiteral("The project cannot be saved: in \"%1\", %2")
                               .arg(stream, error.left(1).toLower() + error.mid(1)));
    return *std::move(bytes);
}

QStringList streamLines(const TVellStreams &streams, const QString &stream)
{
    return SplitLines(streams.ReadStream(stream));
}

} // namespace

GridImage GridImage::fromTable(const TextTable &table, const QList<int> &widths, int first, int count)
{
    GridImage grid;
    first = std::clamp(first, 0, table.columnCount());
    grid.columns = count < 0 ? table.columnCount() - first : std::min(count, table.columnCount() - first);
    grid.rows = table.rowCount();
    grid.widths = widths.mid(first, grid.columns);
    grid.widths.resize(grid.columns);
    grid.cells.reserve(grid.rows);
    for (int row = 0; row < grid.rows; ++row)
        grid.cells.append(table.row(row).mid(first, grid.columns));
    return grid;
}

std::optional<GridImage> GridImage::besides(const GridImage &more) const
{
    if (more.rows != rows || more.columns <= 0)
        return std::nullopt;
    GridImage grid = *this;
    grid.columns = columns + more.columns;
    grid.widths = widths + more.widths;
    for (int row = 0; row < rows; ++row)
        grid.cells[row] += more.cells.at(row);
    return grid;
}

void GridImage::toTable(TextTable &table) const
{
    // Every cell is replaced, those the image holds empty included.
    table.setColumnCount(columns);
    table.replaceRowsFrom(0, cells);
}

QStringList WriteGridText(const GridImage &grid)
{
    // Only cells with text get a line, and most cells of a grid are empty:
    // room is made as lines come, and a row's number is written once it has
    // a cell to write.
    QStringList lines;
    lines.reserve(1 + grid.columns);
    lines.append(QString::number(grid.columns) + u',' + QString::number(grid.rows));
    for (int column = 0; column < grid.columns; ++column)
        lines.append(QStringLiteral("cw ") + QString::number(column) + u',' + QString::number(grid.widths.value(column)));
    for (int row = 0; row < grid.rows; ++row) {
        const QStringList cells = grid.cells.value(row);
        QString rowText;
        for (int column = 0; column < grid.columns; ++column) {
            QString text = cells.value(column);
            if (text.isEmpty())
                continue;
            if (rowText.isEmpty())
                rowText = u',' + QString::number(row) + u',';
            if (text.contains(u'\r')) {
                for (QChar &ch : text) {
                    if (ch == u'\r')
                        ch = QChar(StoredCR);
                    else if (ch == u'\n')
                        ch = QChar(StoredLF);
                }
            }
            lines.append(QString::number(column) + rowText + text);
        }
    }
    return lines;
}

GridImage ReadGridText(const QStringList &lines)
{
    return readGridText(lines, QString());
}

void WriteProjectFile(const QString &path, const ProjectImage &project, ProjectCompression compression)
{
    TVellStreams streams;
    const auto store = [&streams](const QString &stream, const QStringList &lines) {
        streams.StoreStream(stream, streamBytes(stream, lines));
    };
    store(ConfigStream, project.config);
    store(ColorGridStream, project.colorGrid);
    store(SelectedStream, project.selected);
    store(AvailableStream, project.available);
    store(GridStream, WriteGridText(project.grid));
    store(IconsStream, project.icons);
    store(SecondIconsStream, project.secondIcons);
    store(SelImpBoolStream, project.selImpBool);
    store(SelImpQLStream, project.selImpQL);
    store(ResultSkillStream, WriteGridText(project.resultSkill));
    store(ResultReqStream, WriteGridText(project.resultReq));
    store(ResultSuggestStream, WriteGridText(project.resultSuggest));
    if (!project.character.isEmpty())
        store(CharacterStream, project.character);
    if (project.resultLadder.columns > 0)
        store(ResultLadderStream, WriteGridText(project.resultLadder));
    if (project.resultSkillMore.columns > 0)
        store(ResultSkillMoreStream, WriteGridText(project.resultSkillMore));
    if (project.resultReqMore.columns > 0)
        store(ResultReqMoreStream, WriteGridText(project.resultReqMore));
    if (!project.resultTrickle.isEmpty())
        store(ResultTrickleStream, project.resultTrickle);
    if (!project.symbiants.isEmpty())
        store(SymbiantsStream, project.symbiants);
    if (!project.recovery.isEmpty())
        store(RecoveryStream, project.recovery);
    streams.Compressed = compression == ProjectCompression::Compressed;
    streams.SaveToFile(path);
}

ProjectImage ReadProjectFile(const QString &path)
{
    TVellStreams streams;
    streams.LoadFromFile(path);
    ProjectImage project;
    project.config = streamLines(streams, ConfigStream);
    project.colorGrid = streamLines(streams, ColorGridStream);
    project.selected = streamLines(streams, SelectedStream);
    project.available = streamLines(streams, AvailableStream);
    project.grid = readGridText(streamLines(streams, GridStream), GridStream);
    project.icons = streamLines(streams, IconsStream);
    project.secondIcons = streamLines(streams, SecondIconsStream);
    project.selImpBool = streamLines(streams, SelImpBoolStream);
    project.selImpQL = streamLines(streams, SelImpQLStream);
    project.resultSkill = readGridText(streamLines(streams, ResultSkillStream), ResultSkillStream);
    project.resultReq = readGridText(streamLines(streams, ResultReqStream), ResultReqStream);
    project.resultSuggest = readGridText(streamLines(streams, ResultSuggestStream), ResultSuggestStream);
    project.character = streamLines(streams, CharacterStream);
    project.resultLadder = readGridText(streamLines(streams, ResultLadderStream), ResultLadderStream);
    project.resultSkillMore = readGridText(streamLines(streams, ResultSkillMoreStream), ResultSkillMoreStream);
    project.resultReqMore = readGridText(streamLines(streams, ResultReqMoreStream), ResultReqMoreStream);
    project.resultTrickle = streamLines(streams, ResultTrickleStream);
    project.symbiants = streamLines(streams, SymbiantsStream);
    project.recovery = streamLines(streams, RecoveryStream);
    return project;
}

} // namespace ludra
