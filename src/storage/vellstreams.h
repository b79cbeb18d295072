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
// LoadFromFile/LoadFromStream throw ECorruptFile or EStreamError and nothing
// else, also when memory runs out; callers that load quietly catch both.
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
    // What a file may hold. A project Ludra writes has about a dozen streams
    // and a payload of tens of kilobytes; these limits are thousands of times
    // above that, so no real file meets them. They are there for files that
    // are damaged or made to do harm: lh5 describes up to 256 bytes per bit,
    // so a file of a few hundred bytes can state, and really decode to,
    // gigabytes; and an entry of six bytes in the file takes about a hundred
    // in memory. Within both limits a load needs at most about 850 MB (the
    // payload, a copy of its streams, their names at two bytes a character);
    // where that much is not to be had, the load ends as a corrupt file too.
    // A file beyond the limits is refused as a corrupt file naming the
    // limit, before it is decoded or its entries are read.
    //   The payload, stored or decoded, in bytes:
    static constexpr qint64 MaxPayloadSize = qint64(256) << 20;
    //   The entry count the payload states:
    static constexpr qint32 MaxStreamCount = 1'000'000;

    // Compress the payload when saving; set from the file when loading.
    bool Compressed = true;
    // Set from the file's flag when loading. Enciphering needs a key, which
    // this program never has, so saving always writes a plain body.
    bool Encrypted = false;
    // Called just before an ECorruptFile whose message starts with "File is
    // corrupt." is thrown.
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
    // were; once the magic has been seen, an EStreamError leaves none.
    // ECorruptFile's message starts with "File is corrupt." or "Compressed
    // file is corrupt"; a file refused for a limit, or one that needs more
    // memory than there is, adds the reason after it.
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
    void load(const QByteArray &image);
    // Throws ECorruptFile("File is corrupt.") with `reason` after it, if any.
    [[noreturn]] void corrupt(const QString &reason = QString());

    std::vector<Entry> m_entries;  // sorted by name, case ignored
};

} // namespace ludra
