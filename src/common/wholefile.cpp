#include "common/wholefile.h"

#include "common/errors.h"

#include <QDir>

namespace ludra {

QString CannotCreateFileMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot create file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason);
}

QString CannotOpenFileMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason);
}

QString CannotOpenDocumentMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot open \"%1\". %2").arg(QDir::toNativeSeparators(path), reason);
}

WholeFileWriter::WholeFileWriter(const QString &path) : m_file(path), m_path(path)
{
    if (!m_file.open(QIODevice::WriteOnly))
        fail();
}

void WholeFileWriter::write(QByteArrayView bytes)
{
    if (m_file.write(bytes.data(), bytes.size()) != bytes.size())
        fail();
}

void WholeFileWriter::commit()
{
    if (!m_file.commit())
        fail();
}

void WholeFileWriter::fail()
{
    const QString reason = m_file.errorString();
    m_file.cancelWriting();
    throw EStreamError(CannotCreateFileMessage(m_path, reason));
}

bool WriteWholeFile(const QString &path, QByteArrayView bytes, QString *reason)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes.data(), bytes.size()) == bytes.size() && file.commit())
        return true;
    if (reason)
        *reason = file.errorString();
    file.cancelWriting();
    return false;
}

void WriteWholeFileOrThrow(const QString &path, QByteArrayView bytes)
{
    WholeFileWriter file(path);
    file.write(bytes);
    file.commit();
}

} // namespace ludra
