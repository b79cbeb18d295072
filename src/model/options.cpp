#include "model/options.h"

#include "common/errors.h"
#include "common/paths.h"
#include "common/text.h"
#include "common/wholefile.h"

#include <QFileInfo>

#include <optional>

namespace ludra {

namespace {

const QString AutoLoadOn = QStringLiteral("1");
const QString AutoLoadOff = QStringLiteral("0");

void writeOptions(const QStringList &lines)
{
    const QString path = OptionsPath();
    QString reason;
    if (!WriteLines(path, lines, &reason))
        throw EStreamError(CannotCreateFileMessage(path, reason));
}

} // namespace

QString OptionsPath()
{
    return UserFile(OptionsFileName);
}

QStringList ReadOptions()
{
    const std::optional<QStringList> lines = ReadLines(OptionsPath());
    if (!lines)
        return {AutoLoadOff, QString()};
    return *lines;
}

bool AutoLoadOption(const QStringList &options)
{
    return options.size() >= 2 && options.at(0) == AutoLoadOn;
}

QString AutoLoadPath()
{
    const QStringList options = ReadOptions();
    if (!AutoLoadOption(options) || TrimCtl(QStringView(options.at(1))).isEmpty())
        return QString();
    const QString path = PathFromText(options.at(1));
    return QFileInfo(path).isFile() ? path : QString();
}

void SetAutoLoadOption(bool on)
{
    QStringList lines = ReadOptions();
    if (lines.isEmpty())
        lines.append(AutoLoadOff);
    if (lines.size() < 2)
        lines.append(QString());
    lines[0] = on ? AutoLoadOn : AutoLoadOff;
    writeOptions(lines);
}

void RecordLastProject(const QString &path)
{
    QStringList lines = ReadOptions();
    if (lines.isEmpty())
        lines.append(AutoLoadOff);
    const QString text = PathToText(path);
    if (lines.size() < 2)
        lines.append(text);
    else
        lines[1] = text;
    writeOptions(lines);
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

void SetOptionValues(const QString &name, const QStringList &values)
{
    const QStringList old = ReadOptions();
    QStringList lines{old.value(0, AutoLoadOff), old.value(1)};
    const QString prefix = name + u'=';
    for (qsizetype i = 2; i < old.size(); ++i)
        if (!old.at(i).startsWith(prefix))
            lines.append(old.at(i));
    for (const QString &value : values)
        lines.append(prefix + value);
    writeOptions(lines);
}

namespace {

const QString AskToSaveName = QStringLiteral("AskToSave");
const QString RecentName = QStringLiteral("Recent");
const QString GeometryName = QStringLiteral("WindowGeometry");

void writeRecent(const QStringList &paths)
{
    QStringList texts;
    for (const QString &path : paths)
        texts.append(PathToText(path));
    SetOptionValues(RecentName, texts);
}

} // namespace

bool AskToSaveOption()
{
    const QStringList values = OptionValues(ReadOptions(), AskToSaveName);
    return values.isEmpty() || values.constLast() != AutoLoadOff;
}

void SetAskToSaveOption(bool on)
{
    SetOptionValues(AskToSaveName, {on ? AutoLoadOn : AutoLoadOff});
}

QStringList RecentProjects()
{
    QStringList paths;
    for (const QString &text : OptionValues(ReadOptions(), RecentName)) {
        const QString path = PathFromText(text);
        if (!TrimCtl(QStringView(text)).isEmpty() && !paths.contains(path) && paths.size() < RecentProjectCount)
            paths.append(path);
    }
    return paths;
}

void AddRecentProject(const QString &path)
{
    QStringList paths = RecentProjects();
    paths.removeAll(path);
    paths.prepend(path);
    writeRecent(paths.mid(0, RecentProjectCount));
}

void ForgetRecentProject(const QString &path)
{
    QStringList paths = RecentProjects();
    paths.removeAll(path);
    writeRecent(paths);
}

QByteArray WindowGeometryOption()
{
    const QStringList values = OptionValues(ReadOptions(), GeometryName);
    return values.isEmpty() ? QByteArray() : QByteArray::fromBase64(values.constLast().toLatin1());
}

void SetWindowGeometryOption(const QByteArray &geometry)
{
    SetOptionValues(GeometryName, {QString::fromLatin1(geometry.toBase64())});
}

} // namespace ludra
