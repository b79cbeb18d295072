#pragma once

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

namespace ludra {

// What the program says of a file it cannot use, each message made here
// alone: the file's name as the system writes it, then the reason.

// A file that cannot be written (created, written or put in place).
QString CannotCreateFileMessage(const QString &path, const QString &reason);
// A file that cannot be opened for reading.
QString CannotOpenFileMessage(const QString &path, const QString &reason);
// A document (a project) that cannot be opened, with what reading it said.
QString CannotOpenDocumentMessage(const QString &path, const QString &reason);

// Writes a file whole or not at all: the bytes go into a new file beside it,
// which takes the old file's place only once everything is written, so a
// write that fails leaves any old file as it was. Every failure throws
// EStreamError with CannotCreateFileMessage.
class WholeFileWriter
{
public:
    explicit WholeFileWriter(const QString &path);
    WholeFileWriter(const WholeFileWriter &) = delete;
    WholeFileWriter &operator=(const WholeFileWriter &) = delete;
    // A writer given up before commit() leaves the old file as it was.
    ~WholeFileWriter() = default;

    void write(QByteArrayView bytes);
    // Puts the new file in place of the old one.
    void commit();

private:
    [[noreturn]] void fail();

    QSaveFile m_file;
    QString m_path;
};

// The bytes as a whole file, by WholeFileWriter. False, with the reason in
// *reason, when it cannot be written.
bool WriteWholeFile(const QString &path, QByteArrayView bytes, QString *reason = nullptr);
// The same, throwing EStreamError with CannotCreateFileMessage.
void WriteWholeFileOrThrow(const QString &path, QByteArrayView bytes);

} // namespace ludra
