#include "common/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <optional>

namespace ludra {

namespace {

std::optional<FileLayout> &layoutInUse()
{
    static std::optional<FileLayout> layout;
    return layout;
}

} // namespace

FileLayout ResolveLayout(const QString &exeDir, const QString &userDir)
{
    FileLayout layout;
    const QFileInfo folder(exeDir);
    if (QFileInfo::exists(QDir(exeDir).filePath(QStringLiteral("data.csv"))) && folder.isWritable()) {
        layout.dataDir = exeDir;
        layout.userDir = exeDir;
        return layout;
    }
    layout.portable = false;
    layout.dataDir = QDir::cleanPath(QDir(exeDir).filePath(QStringLiteral("../share/ludra")));
    layout.userDir = userDir;
    if (userDir.isEmpty())
        layout.problem = QStringLiteral("There is no folder for your files: the home folder is unknown.");
    else if (!QDir().mkpath(userDir))
        layout.problem = QStringLiteral("Cannot create the folder for your files \"%1\".")
                             .arg(QDir::toNativeSeparators(userDir));
    else if (!QFileInfo(userDir).isWritable())
        layout.problem = QStringLiteral("The folder for your files \"%1\" cannot be written to.")
                             .arg(QDir::toNativeSeparators(userDir));
    if (!layout.problem.isEmpty())
        layout.problem += QStringLiteral(" Changed settings, stock and skill increases are not kept.");
    return layout;
}

QString DefaultUserDir()
{
    const QString generic = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (generic.isEmpty())
        return QString();
    return QDir(generic).filePath(QStringLiteral("Ludra"));
}

const FileLayout &CurrentLayout()
{
    if (!layoutInUse())
        layoutInUse() = ResolveLayout(QCoreApplication::applicationDirPath(), DefaultUserDir());
    return *layoutInUse();
}

void SetLayout(const FileLayout &layout)
{
    layoutInUse() = layout;
}

void SetBaseDir(const QString &dir)
{
    if (dir.isEmpty()) {
        layoutInUse().reset();
        return;
    }
    FileLayout layout;
    layout.dataDir = dir;
    layout.userDir = dir;
    layoutInUse() = layout;
}

QString BaseDir()
{
    return CurrentLayout().dataDir;
}

QString ReferenceFile(const QString &fileName)
{
    const FileLayout &layout = CurrentLayout();
    if (!layout.portable) {
        const QString own = QDir(layout.userDir).filePath(fileName);
        if (QFileInfo::exists(own))
            return own;
    }
    return QDir(layout.dataDir).filePath(fileName);
}

QString UserFile(const QString &fileName)
{
    // Without a user's folder there is nowhere to write: an empty path, which
    // no file opens, rather than a path in the working folder.
    const FileLayout &layout = CurrentLayout();
    if (layout.userDir.isEmpty())
        return QString();
    return QDir(layout.userDir).filePath(fileName);
}

} // namespace ludra
