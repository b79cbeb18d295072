#include "common/paths.h"

#include <QCoreApplication>
#include <QDir>

namespace ludra {

namespace {
QString &overrideDir()
{
    static QString dir;
    return dir;
}
} // namespace

QString BaseDir()
{
    if (!overrideDir().isEmpty())
        return overrideDir();
    return QCoreApplication::applicationDirPath();
}

void SetBaseDir(const QString &dir)
{
    overrideDir() = dir;
}

QString BesideExe(const QString &fileName)
{
    return QDir(BaseDir()).filePath(fileName);
}

} // namespace ludra
