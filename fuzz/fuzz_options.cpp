// libFuzzer target: the options file ("nnludra.inf") on its own, read as the
// program reads it and then changed through one of its setters, as the options
// dialog, opening a project and closing the window change it. The input is
// the file. Any bytes must read without a crash or undefined behaviour, and
// what is read must keep the file's rules: the lines as the file holds them,
// the auto-load on exactly when line 1 of two or more is "1", "Ask to save"
// off exactly when its last line says "0", at most eight recent projects,
// each once and none blank. Each setter must write a file that reads back
// with the new value and every other option as it was (but for the padding
// of a file of one line, whose line 1 then counts), and the lines of no
// option the program knows must stay, in their order, through it. One
// setter is tried an input, chosen by the input's last byte.
// (fuzz_referencefiles reads this file too, as a part of a larger input,
// through the start-up functions.)

#include "common/text.h"
#include "fuzzsupport.h"
#include "model/options.h"

#include <QByteArray>
#include <QSet>

#include <algorithm>

#include <cstdint>
#include <cstdlib>

using namespace ludra;

namespace {

const QString &filePath()
{
    static const QString path = fuzz::WorkFile(OptionsFileName);
    return path;
}

// Every option as one file holds them.
struct Values
{
    bool autoLoad = false;
    QString lastProject;
    bool askToSave = true;
    QStringList recent;
    QByteArray geometry;

    bool operator==(const Values &) const = default;
};

Values valuesOf(const Options &options)
{
    return {options.autoLoad(), options.lastProject(), options.askToSave(), options.recentProjects(),
            options.windowGeometry()};
}

// The lines of options the program does not know, after lines 1 and 2.
QStringList unknownLines(const QStringList &lines)
{
    QStringList unknown;
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (!line.startsWith(QLatin1String("AskToSave=")) && !line.startsWith(QLatin1String("Recent="))
            && !line.startsWith(QLatin1String("WindowGeometry=")))
            unknown.append(line);
    }
    return unknown;
}

void checkRead(const Options &options, const QStringList &lines)
{
    if (options.lines() != lines)
        std::abort();
    if (options.autoLoad() != (lines.size() >= 2 && lines.at(0) == u"1"))
        std::abort();
    const QStringList ask = OptionValues(lines, QStringLiteral("AskToSave"));
    if (options.askToSave() == (!ask.isEmpty() && ask.constLast() == u"0"))
        std::abort();
    const QStringList recent = options.recentProjects();
    if (recent.size() > RecentProjectCount || QSet<QString>(recent.begin(), recent.end()).size() != recent.size())
        std::abort();
    for (const QString &path : recent)
        if (TrimCtl(QStringView(path)).isEmpty())
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    fuzz::WriteFile(filePath(), bytes);
    const QStringList lines = SplitLines(bytes.toByteArray());
    Options options(filePath());
    checkRead(options, lines);

    // One setter an input, which the input's last byte chooses: each
    // writes the whole file through a synced temporary file, and all five
    // with a read after each took four fifths of an input's time.
    Values values = valuesOf(options);
    const int setter = size == 0 ? 0 : data[size - 1] % 5;
    switch (setter) {
    case 0:
        values.autoLoad = !values.autoLoad;
        options.setAutoLoad(values.autoLoad);
        break;
    case 1:
        values.askToSave = !values.askToSave;
        options.setAskToSave(values.askToSave);
        break;
    case 2:
        // The newest recent project becomes the last one.
        values.lastProject = values.recent.value(0, QStringLiteral("/home/player/Ludra plans/new.prj"));
        options.setLastProject(values.lastProject);
        break;
    case 3:
        // The last project joins the recent ones at the end, and their order
        // turns round.
        if (!TrimCtl(QStringView(values.lastProject)).isEmpty() && !values.recent.contains(values.lastProject)
            && values.recent.size() < RecentProjectCount)
            values.recent.append(values.lastProject);
        std::reverse(values.recent.begin(), values.recent.end());
        options.setRecentProjects(values.recent);
        break;
    default:
        values.geometry += '\x01';
        options.setWindowGeometry(values.geometry);
        break;
    }
    // A setter writes lines 1 and 2 whole: a file of one line keeps it as
    // line 1, which then counts.
    if (lines.size() < 2 && setter != 0)
        values.autoLoad = lines.size() == 1 && lines.at(0) == u"1";
    const Options again(filePath());
    if (!(valuesOf(again) == values) || !(valuesOf(options) == values))
        std::abort();

    if (unknownLines(again.lines()) != unknownLines(lines))
        std::abort();
    return 0;
}
