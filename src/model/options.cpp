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

} // namespace ludra
