#pragma once

#include "storage/corruptfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QIODevice;

namespace ludra {

// A set of named binary streams held in memory and saved to, or loaded from,
// one file, normally compressed with lh5.
//
// Writing a file:  ClearStreams(); StoreStream(name, data) for each stream;
//                  SaveToFile(path); ClearStreams();
// Reading a file:  LoadFromFile(path); ReadStream(name) for each stream;
//                  ClearStreams();
// LoadFromFile/LoadFromStream throw ECorruptFile or EStreamError; callers that
// load quietly catch both.
//
// File image: a compression flag ('&' compressed, ' ' stored), an encryption
// flag ('*' enciphered, ' ' plain), then the body. The body is the payload, or
// its size (4 bytes, little-endian) and its lh5 stream. The payload is the
// magic 01..08, a signed 32-bit entry count, and per entry a 16-bit name
// length, the Latin-1 name, a signed 32-bit data size and the data.
//
// Names are 8-bit: characters outside Latin-1 become '?'. They are kept
// sorted and compared without case, so names differing only in case are one
// name; storing under a name already held replaces that stream (and takes the
// new spelling). Likewise, of two entries of a file with the same name, the
// later one is loaded.
class TVellStreams
{
public:
    // Compress the payload when saving; set from the file when loading.
    bool Compressed = true;
    // Set from the file's flag when loading. Enciphering needs a key, which
    // this program never has, so saving always writes a plain body.
    bool Encrypted = false;
    // Called just before ECorruptFile("File is corrupt.") is thrown.
    std::function<void(TVellStreams &sender)> OnCorrupt;

    // Copies `data` under `name`. An empty name stores nothing.
    void StoreStream(const QString &name, const QByteArray &data);
    // Copies the whole of `source`, from its start, under `name`. An empty
    // name or a null source stores nothing; a source not open for reading
    // throws EStreamError.
    void StoreStream(const QString &name, QIODevice *source);

    // The content held under `name` (case ignored), or empty if none.
    QByteArray ReadStream(const QString &name) const;
    // Appends the content held under `name` to `destination` and sets its
    // position to 0 (also when no such stream is held). An empty name or a
    // null destination does nothing.
    void ReadStream(const QString &name, QIODevice *destination) const;

    bool HasStream(const QString &name) const;
    // Held names, in stored (case-insensitive) order.
    QStringList StreamNames() const;

    void ClearStreams();

    // The file image. Throws EStreamError if the destination fails to take it.
    void SaveToStream(QIODevice &destination) const;
    QByteArray SaveToByteArray() const;
    // Writes the image beside `path` and renames it into place, so a failed
    // save leaves an existing file whole. Throws EStreamError.
    void SaveToFile(const QString &path) const;

    // Reads a file image from the source's current position to its end and
    // replaces the held streams. On ECorruptFile, and on an EStreamError
    // before the payload's magic was seen, the held streams are left as they
    // were; once the magic has been seen, a later failure leaves none.
    void LoadFromStream(QIODevice &source);
    void LoadFromByteArray(const QByteArray &image);
    // Throws EStreamError when the file cannot be opened.
    void LoadFromFile(const QString &path);

private:
    struct Entry
    {
        QString name;
        QByteArray data;
    };

    std::vector<Entry>::const_iterator find(const QString &name) const;
    void put(QString name, QByteArray data);
    [[noreturn]] void corrupt();

    std::vector<Entry> m_entries;  // sorted by name, case ignored
};

} // namespace ludra
