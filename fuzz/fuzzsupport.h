#pragma once

// What the file-reading fuzz targets share: a folder for the files they
// write, kept in memory where the system has such a folder. The program's
// writers replace a file through a temporary file that is synced to disk, and
// on a disk that sync, not the reading, took most of each input's time.

#include "common/paths.h"

#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdlib>

namespace ludra::fuzz {

// The folder of the run, made once and removed when the run ends.
inline const QString &WorkDir()
{
    static const QString memory = QStringLiteral("/dev/shm");
    static const bool inMemory = QFileInfo(memory).isDir() && QFileInfo(memory).isWritable();
    static QTemporaryDir dir = inMemory ? QTemporaryDir(memory + QStringLiteral("/ludra-fuzz-XXXXXX"))
                                        : QTemporaryDir();
    if (!dir.isValid())
        std::abort();
    static const QString path = dir.path();
    return path;
}

// A file of that folder.
inline QString WorkFile(const QString &name)
{
    return WorkDir() + QLatin1Char('/') + name;
}

// Makes the folder the program's base folder, where it reads its shipped and
// user files (both there, as when run portable). Done once; later calls only
// return the folder.
inline const QString &UseWorkDirAsBase()
{
    static const bool set = (SetBaseDir(WorkDir()), true);
    (void)set;
    return WorkDir();
}

// Writes a file of the folder whole. A plain write: the program's writers
// replace a file through a synced temporary file, which is not what a target
// fuzzes.
inline void WriteFile(const QString &path, QByteArrayView bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes.data(), bytes.size()) != bytes.size())
        std::abort();
}

} // namespace ludra::fuzz
