// libFuzzer target: the project file's streams as a project is read from
// them. The input is the text of the twelve streams, separated by NUL bytes,
// in the order Config, ColorGrid, Selected, Avaliable, Grid, Icons,
// SecondIcons, SelImp-Bool, SelImp-QL, GridResultSkill, GridResultReq,
// GridResultSuggest. It is stored, uncompressed, in a container file and read
// as a project, so the fuzzer works on the lines and the grids' text rather
// than on the container, which has its own target.
//
// A damaged grid may end the read as a corrupt file, and nothing else may end
// it. What is read must be written back as a project and read again the same,
// with one exception the grid text form makes: a cell text that holds a line
// feed but no carriage return is written as it is, so it reads back cut at
// its first line feed, and the pieces after it are read as lines of their
// own. Such a read is compared with the image whose cells are cut so, unless
// a piece would itself read as a width or cell line; then it only has to end
// without a fault (a corrupt file allowed).

#include "common/errors.h"
#include "common/numbers.h"
#include "common/text.h"
#include "storage/corruptfile.h"
#include "storage/projectfile.h"
#include "storage/vellstreams.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <optional>

using namespace ludra;

namespace {

const QStringList &streamNames()
{
    static const QStringList names{"Config",    "ColorGrid",   "Selected",    "Avaliable",
                                   "Grid",      "Icons",       "SecondIcons", "SelImp-Bool",
                                   "SelImp-QL", "GridResultSkill", "GridResultReq", "GridResultSuggest"};
    return names;
}

QString filePath(const QString &name)
{
    static QTemporaryDir dir;
    return QDir(dir.path()).filePath(name);
}

std::optional<ProjectImage> read(const QString &path)
{
    try {
        return ReadProjectFile(path);
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
    streams.SaveToFile(filePath(QStringLiteral("input.lud")));

    const std::optional<ProjectImage> project = read(filePath(QStringLiteral("input.lud")));
    if (!project)
        return 0;

    // Every line read is Latin-1 and holds no line break: the lists come back
    // as they are, and so does every grid that holds no raw line feed.
    WriteProjectFile(filePath(QStringLiteral("written.lud")), *project);
    ProjectImage expected = *project;
    bool predictable = true;
    for (GridImage *grid : {&expected.grid, &expected.resultSkill, &expected.resultReq, &expected.resultSuggest})
        predictable = cutRawLineFeeds(*grid) && predictable;
    const std::optional<ProjectImage> again = read(filePath(QStringLiteral("written.lud")));
    if (predictable && !(again && *again == expected))
        std::abort();
    return 0;
}
