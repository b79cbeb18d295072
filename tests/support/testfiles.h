#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTest>

// Writes bytes to a file in a test folder, failing the test when it cannot.
inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// The source tree, for tests about the shipped files.
inline QString sourceDir()
{
    return QString::fromLocal8Bit(qgetenv("LUDRA_SOURCE_DIR"));
}

#include <QProcess>

// Makes a folder refuse new files, also for a test run as root (where folder
// permissions are not enforced, the folder is made immutable instead).
// Returns false when neither works on this file system. Undo with
// makeWritable before the folder is removed.
inline bool canCreateIn(const QString &dir)
{
    QFile probe(QDir(dir).filePath(QStringLiteral(".probe")));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.close();
    probe.remove();
    return true;
}

inline bool makeUnwritable(const QString &dir)
{
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (!canCreateIn(dir))
        return true;
    QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), dir});
    return !canCreateIn(dir);
}

inline void makeWritable(const QString &dir)
{
    QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), dir});
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
