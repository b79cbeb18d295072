#include "model/options.h"

#include "common/errors.h"
#include "common/paths.h"
#include "common/text.h"
#include "common/wholefile.h"

#include <QFileInfo>

#include <optional>
#include <variant>

namespace ludra {

namespace {

enum class OptionType {
    Flag,     // "1" or "0"
    Path,     // PathToText
    PathList, // one line per path, PathToText
    Bytes,    // base64
};

enum class OptionId {
    AutoLoad,
    LastProject,
    AskToSave,
    Recent,
    WindowGeometry,
};

// One option of the file, for reading and writing alike.
struct OptionEntry
{
    OptionId id;
    // 1 or 2: that line of the file, which counts only in a file of at least
    // two lines; 0: the "name=value" lines after line 2.
    int line;
    QLatin1StringView name;
    OptionType type;
    // The default as the file would hold it: what the option reads as when
    // the file does not hold it, and what lines 1 and 2 are padded with. A
    // flag reads as its default unless its text is exactly the other one.
    QLatin1StringView fallback;
    // How many paths a path list keeps; every other option holds one value,
    // the last line of its name counting.
    int most;
};

constexpr OptionEntry OptionTable[] = {
    {OptionId::AutoLoad, 1, {}, OptionType::Flag, QLatin1StringView("0"), 1},
    {OptionId::LastProject, 2, {}, OptionType::Path, QLatin1StringView(""), 1},
    {OptionId::AskToSave, 0, QLatin1StringView("AskToSave"), OptionType::Flag, QLatin1StringView("1"), 1},
    {OptionId::Recent, 0, QLatin1StringView("Recent"), OptionType::PathList, QLatin1StringView(""), RecentProjectCount},
    {OptionId::WindowGeometry, 0, QLatin1StringView("WindowGeometry"), OptionType::Bytes, QLatin1StringView(""), 1},
};

constexpr bool tableInOrder()
{
    for (int i = 0; i < int(std::size(OptionTable)); ++i)
        if (OptionTable[i].id != OptionId(i))
            return false;
    return true;
}
static_assert(tableInOrder(), "the rows of OptionTable follow OptionId");

const OptionEntry &entry(OptionId id)
{
    return OptionTable[int(id)];
}

const QLatin1StringView OnText("1");
const QLatin1StringView OffText("0");

using OptionValue = std::variant<bool, QString, QStringList, QByteArray>;

// The lines padded to lines 1 and 2 with the defaults of their options.
QStringList withFixedLines(QStringList lines)
{
    for (const OptionEntry &option : OptionTable)
        if (option.line > lines.size())
            lines.append(QString(option.fallback));
    return lines;
}

// The texts the lines hold for the option, in file order.
QStringList optionTexts(const QStringList &lines, const OptionEntry &option)
{
    if (option.line == 0)
        return OptionValues(lines, option.name);
    if (lines.size() < 2)
        return {};
    return {lines.at(option.line - 1)};
}

OptionValue readOption(const QStringList &lines, OptionId id)
{
    const OptionEntry &option = entry(id);
    const QStringList texts = optionTexts(lines, option);
    const QString last = texts.isEmpty() ? QString(option.fallback) : texts.constLast();
    switch (option.type) {
    case OptionType::Flag: {
        const bool byDefault = option.fallback == OnText;
        return last == (byDefault ? OffText : OnText) ? !byDefault : byDefault;
    }
    case OptionType::Path:
        return PathFromText(last);
    case OptionType::PathList: {
        QStringList paths;
        for (const QString &text : texts) {
            const QString path = PathFromText(text);
            if (!TrimCtl(QStringView(text)).isEmpty() && !paths.contains(path) && paths.size() < option.most)
                paths.append(path);
        }
        return paths;
    }
    case OptionType::Bytes:
        return QByteArray::fromBase64(last.toLatin1());
    }
    Q_UNREACHABLE();
}

template <typename T> T readAs(const QStringList &lines, OptionId id)
{
    return std::get<T>(readOption(lines, id));
}

QStringList textsOf(const OptionEntry &option, const OptionValue &value)
{
    switch (option.type) {
    case OptionType::Flag:
        return {std::get<bool>(value) ? OnText : OffText};
    case OptionType::Path:
        return {PathToText(std::get<QString>(value))};
    case OptionType::PathList: {
        QStringList texts;
        for (const QString &path : std::get<QStringList>(value).mid(0, option.most))
            texts.append(PathToText(path));
        return texts;
    }
    case OptionType::Bytes:
        return {QString::fromLatin1(std::get<QByteArray>(value).toBase64())};
    }
    Q_UNREACHABLE();
}

// The lines with the option set to the value. Lines 1 and 2 are there first;
// an option whose texts do not change leaves every line where it is;
// otherwise its line 1 or 2 takes the text, or its older "name=value" lines
// go and the new ones follow all the others.
QStringList withOption(const QStringList &old, OptionId id, const OptionValue &value)
{
    const OptionEntry &option = entry(id);
    const QStringList texts = textsOf(option, value);
    QStringList lines = withFixedLines(old);
    if (optionTexts(old, option) == texts)
        return lines;
    if (option.line != 0) {
        lines[option.line - 1] = texts.value(0);
        return lines;
    }
    const QString prefix = QString(option.name) + u'=';
    QStringList kept = lines.mid(0, 2);
    for (qsizetype i = 2; i < lines.size(); ++i)
        if (!lines.at(i).startsWith(prefix))
            kept.append(lines.at(i));
    for (const QString &text : texts)
        kept.append(prefix + text);
    return kept;
}

std::optional<Options> &programOptions()
{
    static std::optional<Options> options;
    return options;
}

} // namespace

QString OptionsPath()
{
    return UserFile(OptionsFileName);
}

Options::Options(const QString &path) : m_path(path), m_lines(ReadLines(path).value_or(withFixedLines({})))
{
}

void Options::write(const QStringList &lines)
{
    QString reason;
    if (!WriteLines(m_path, lines, &reason))
        throw EStreamError(CannotCreateFileMessage(m_path, reason));
    m_lines = lines;
}

bool Options::autoLoad() const
{
    return readAs<bool>(m_lines, OptionId::AutoLoad);
}

void Options::setAutoLoad(bool on)
{
    write(withOption(m_lines, OptionId::AutoLoad, on));
}

QString Options::lastProject() const
{
    return readAs<QString>(m_lines, OptionId::LastProject);
}

void Options::setLastProject(const QString &path)
{
    write(withOption(m_lines, OptionId::LastProject, path));
}

bool Options::askToSave() const
{
    return readAs<bool>(m_lines, OptionId::AskToSave);
}

void Options::setAskToSave(bool on)
{
    write(withOption(m_lines, OptionId::AskToSave, on));
}

QStringList Options::recentProjects() const
{
    return readAs<QStringList>(m_lines, OptionId::Recent);
}

void Options::setRecentProjects(const QStringList &paths)
{
    write(withOption(m_lines, OptionId::Recent, paths));
}

QByteArray Options::windowGeometry() const
{
    return readAs<QByteArray>(m_lines, OptionId::WindowGeometry);
}

void Options::setWindowGeometry(const QByteArray &geometry)
{
    write(withOption(m_lines, OptionId::WindowGeometry, geometry));
}

Options &ProgramOptions()
{
    std::optional<Options> &options = programOptions();
    if (!options)
        options.emplace(OptionsPath());
    return *options;
}

void LoadProgramOptions()
{
    programOptions().emplace(OptionsPath());
}

QStringList ReadOptions()
{
    return ProgramOptions().lines();
}

bool AutoLoadOption(const QStringList &options)
{
    return readAs<bool>(options, OptionId::AutoLoad);
}

QString AutoLoadPath()
{
    const Options &options = ProgramOptions();
    const QString path = options.lastProject();
    if (!options.autoLoad() || TrimCtl(QStringView(path)).isEmpty())
        return QString();
    return QFileInfo(path).isFile() ? path : QString();
}

void SetAutoLoadOption(bool on)
{
    ProgramOptions().setAutoLoad(on);
}

void RecordLastProject(const QString &path)
{
    ProgramOptions().setLastProject(path);
}

QStringList OptionValues(const QStringList &options, const QString &name)
{
    QStringList values;
    const QString prefix = name + u'=';
    for (qsizetype i = 2; i < options.size(); ++i)
        if (options.at(i).startsWith(prefix))
            values.append(options.at(i).mid(prefix.size()));
    return values;
}

bool AskToSaveOption()
{
    return ProgramOptions().askToSave();
}

void SetAskToSaveOption(bool on)
{
    ProgramOptions().setAskToSave(on);
}

QStringList RecentProjects()
{
    return ProgramOptions().recentProjects();
}

void AddRecentProject(const QString &path)
{
    QStringList paths = RecentProjects();
    paths.removeAll(path);
    paths.prepend(path);
    ProgramOptions().setRecentProjects(paths);
}

void ForgetRecentProject(const QString &path)
{
    QStringList paths = RecentProjects();
    paths.removeAll(path);
    ProgramOptions().setRecentProjects(paths);
}

QByteArray WindowGeometryOption()
{
    return ProgramOptions().windowGeometry();
}

void SetWindowGeometryOption(const QByteArray &geometry)
{
    ProgramOptions().setWindowGeometry(geometry);
}

} // namespace ludra
