// libFuzzer target: the project file's streams as a project is read from
// them and opened. The input is the text of the twelve streams, separated by
// NUL bytes, in the order Config, ColorGrid, Selected, Avaliable, Grid, Icons,
// SecondIcons, SelImp-Bool, SelImp-QL, GridResultSkill, GridResultReq,
// GridResultSuggest, and the later Character and GridResultLadder. It is stored, uncompressed, in a container file and read
// as a project, so the fuzzer works on the lines and the grids' text rather
// than on the container, which has its own target. What is read is then
// opened into a model holding the shipped reference files, as the program
// opens a project.
//
// A damaged grid may end the read as a corrupt file, and nothing else may end
// it; a layout grid of another width may end the opening so, and nothing else
// may. Every grid read, written back as GridText and read from it, must be
// the same, with one exception the grid text form makes: a cell text that
// holds a line feed but no carriage return is written as it is, so it reads
// back cut at its first line feed, and the pieces after it are read as lines
// of their own. Such a read is compared with the image whose cells are cut
// so, unless a piece would itself read as a width or cell line; then it only
// has to end without a fault (a corrupt file allowed).

#include "build/buildresults.h"
#include "build/buildsettings.h"
#include "layout/layoutstate.h"
#include "model/program.h"
#include "model/projectstate.h"
#include "common/errors.h"
#include "common/numbers.h"
#include "common/paths.h"
#include "common/prompter.h"
#include "common/text.h"
#include "fuzzsupport.h"
#include "storage/corruptfile.h"
#include "storage/projectfile.h"
#include "storage/vellstreams.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>

using namespace ludra;

namespace {

// More cells than the program's largest filled grids hold together: a
// layout of 401 rows of 4 cells, the suggestions of a few thousand rows of 3.
constexpr qint64 LargestFilledCells = 20'000;

const QStringList &streamNames()
{
    static const QStringList names{"Config",    "ColorGrid",   "Selected",    "Avaliable",
                                   "Grid",      "Icons",       "SecondIcons", "SelImp-Bool",
                                   "SelImp-QL", "GridResultSkill", "GridResultReq", "GridResultSuggest",
                                   "Character", "GridResultLadder"};
    return names;
}

// A plan as a window's after start-up, over the program's reference data:
// the shipped reference files read from the base folder, the skills all
// available, the layout in body view.
struct OpenedPlan
{
    LudraProgram program;
    LayoutState layout;
    BuildSettings settings;
    BuildResults results;
};

OpenedPlan &model()
{
    static OpenedPlan *loaded = [] {
        fuzz::UseWorkDirAsBase();
        for (const QString &name : {RefFile::Catalogue, RefFile::SecSkills, RefFile::Requirements})
            if (!QFile::copy(QStringLiteral(LUDRA_SHIPPED_DIR "/") + name, ReferenceFile(name)))
                std::abort();
        auto *plan = new OpenedPlan;
        SilentPrompter prompter;
        if (!plan->program.start(prompter, StartOptions{.readStock = false}).missingFiles.isEmpty())
            std::abort();
        plan->layout.setCatalogue(plan->program.reference().nanoList());
        plan->layout.skills().assignAvailable(plan->program.reference().skillEntries());
        return plan;
    }();
    return *loaded;
}

template <typename Read>
auto read(Read &&reader) -> std::optional<decltype(reader())>
{
    try {
        return reader();
    } catch (const ECorruptFile &e) {
        // The container is stored whole: only a grid can be corrupt.
        if (!e.message().startsWith(QLatin1String(kFileCorruptMessage)))
            std::abort();
        return std::nullopt;
    }
}

bool isNumber(QStringView text)
{
    int value = 0;
    return TryStrToInt(text.toString(), value);
}

// Cuts every cell text holding a line feed but no carriage return at its
// first line feed, as reading the written grid does. Returns false when a
// piece after a line feed would read as a width or cell line.
bool cutRawLineFeeds(GridImage &grid)
{
    bool plain = true;
    for (QStringList &row : grid.cells) {
        for (QString &text : row) {
            const qsizetype lf = text.indexOf(u'\n');
            if (lf < 0 || text.contains(u'\r'))
                continue;
            for (const QStringView piece : QStringView(text).sliced(lf + 1).split(u'\n')) {
                FieldReader fields(piece);
                const bool cellLine = isNumber(fields.next()) && isNumber(fields.next());
                if (piece.startsWith(u"cw") || cellLine)
                    plain = false;
            }
            text.truncate(lf);
        }
    }
    return plain;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<QByteArray> parts = input.split('\0');

    TVellStreams streams;
    streams.Compressed = false;
    for (int i = 0; i < parts.size() && i < streamNames().size(); ++i)
        streams.StoreStream(streamNames().at(i), parts.at(i));
    static const QString path = fuzz::WorkFile(QStringLiteral("input.lud"));
    fuzz::WriteFile(path, streams.SaveToByteArray());

    const std::optional<ProjectImage> project = read([] { return ReadProjectFile(path); });
    if (!project)
        return 0;

    // The reader takes grids of up to a million cells; the program fills none
    // of more than a few thousand. A project holding more is read, and taken
    // no further: writing it back and opening it runs the code a small grid
    // runs, and took up to two seconds an input, which drew the run's rate
    // down as such inputs gathered in the corpus.
    const std::array<const GridImage *, 5> grids{&project->grid, &project->resultSkill, &project->resultReq,
                                                 &project->resultSuggest, &project->resultLadder};
    qint64 cells = 0;
    for (const GridImage *grid : grids)
        cells += qint64(grid->columns) * grid->rows;
    if (cells > LargestFilledCells)
        return 0;

    // Every grid that holds no raw line feed reads back from its written text
    // as it was; every text read is Latin-1, so every grid can be written.
    // The lists need no such check: they hold no line break, and are written
    // a line each and split into lines again by the same rules; writing them
    // again for every input cut the rate by a third.
    for (const GridImage *grid : grids) {
        GridImage expected = *grid;
        const bool predictable = cutRawLineFeeds(expected);
        // Into a stream's bytes and back into lines, as the file stores them.
        const std::optional<QByteArray> bytes = EncodeLines(WriteGridText(*grid));
        if (!bytes)
            std::abort();
        const std::optional<GridImage> again = read([&bytes] { return ReadGridText(SplitLines(*bytes)); });
        if (predictable && !(again && *again == expected))
            std::abort();
    }

    // Opened into the model that held the previous input's project, as one
    // project opened after another. The layout keeps its shape and the result
    // tables their columns whatever the file held.
    const bool layoutFits = project->grid.columns == 0 || project->grid.columns == LayoutColumns;
    OpenedPlan &opened = model();
    try {
        ApplyProject(*project, opened.program.reference().nanoList(), opened.layout, opened.settings, opened.results);
        if (!layoutFits)
            std::abort();
    } catch (const ECorruptFile &) {
        if (layoutFits)
            std::abort();
    }
    static const BuildResults fresh;
    const BuildResults &results = opened.results;
    // The skill and requirement tables of a project that stored none of
    // their later columns show the stored ones alone, until the next build.
    const auto shape = [](const TextTable &table, int stored, int count) {
        return table.columnCount() == stored || table.columnCount() == count;
    };
    if (opened.layout.table().columnCount() != LayoutColumns || opened.layout.table().rowCount() < 1
        || !shape(results.skillIncTable(), SkillCol::Stored, SkillCol::Count)
        || !shape(results.reqTable(), ReqCol::Stored, ReqCol::Count)
        || results.suggestTable().columnCount() != fresh.suggestTable().columnCount()
        || results.ladderTable().columnCount() != fresh.ladderTable().columnCount())
        std::abort();
    // A character read from any text keeps within what the program allows.
    const BuildSettings &settings = opened.settings;
    if (settings.ladderTopLevel < 1 || settings.ladderTopLevel > TopQualityLevel
        || std::any_of(settings.character.stats.cbegin(), settings.character.stats.cend(),
                       [](qint64 value) { return value < 0; }))
        std::abort();
    return 0;
}
