#include "common/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <optional>

namespace ludra {

namespace {

// A build made to be installed (the Debian package) is installed wherever
// its executable lies.
#ifdef LUDRA_BUILT_FOR_INSTALLATION
constexpr bool BuiltForInstallation = true;
#else
constexpr bool BuiltForInstallation = false;
#endif

std::optional<FileLayout> &layoutInUse()
{
    static std::optional<FileLayout> layout;
    return layout;
}

} // namespace

const QStringList &InstalledDataFiles()
{
    // What src/app/CMakeLists.txt installs into share/ludra.
    static const QStringList files{QStringLiteral("data.csv"), QStringLiteral("SecSkill.csv"),
                                   QStringLiteral("require.csv"), QStringLiteral("Ludra.hlp"),
                                   QStringLiteral("english.ini.example")};
    return files;
}

FileLayout ResolveLayout(const QString &exeDir, const QString &userDir, bool builtForInstallation)
{
    FileLayout layout;
    const QString installedData = QDir::cleanPath(QDir(exeDir).filePath(QStringLiteral("../share/ludra")));
    const QDir installed(installedData);
    const bool isInstalled = builtForInstallation ||
                             std::any_of(InstalledDataFiles().cbegin(), InstalledDataFiles().cend(),
                                         [&](const QString &name) { return installed.exists(name); });
    if (!isInstalled) {
        // Whatever files are missing here, this stays the folder of the
        // user's files: a missing file is told as missing, and the stock and
        // options beside the program are still the ones read.
        layout.dataDir = exeDir;
        layout.userDir = exeDir;
    } else {
        layout.portable = false;
        layout.dataDir = installedData;
        layout.userDir = userDir;
        if (userDir.isEmpty())
            layout.problem = QStringLiteral("There is no folder for your files: the home folder is unknown.");
        else if (!QDir().mkpath(userDir))
            layout.problem = QStringLiteral("Cannot create the folder for your files \"%1\".")
                                 .arg(QDir::toNativeSeparators(userDir));
    }
    // The folder for the user's files, there or made, must take them.
    if (layout.problem.isEmpty() && !QFileInfo(layout.userDir).isWritable())
        layout.problem = QStringLiteral("The folder for your files \"%1\" cannot be written to.")
                             .arg(QDir::toNativeSeparators(layout.userDir));
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
        layoutInUse() = ResolveLayout(QCoreApplication::applicationDirPath(), DefaultUserDir(), BuiltForInstallation);
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
