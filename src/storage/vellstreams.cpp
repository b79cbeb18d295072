#include "storage/vellstreams.h"

#include "common/collation.h"
#include "common/wholefile.h"
#include "storage/lh5.h"

#include <QDir>
#include <QFile>
#include <QIODevice>

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>
#include <new>
#include <utility>

namespace ludra {

namespace {

constexpr char kCompressedFlag = '&';
constexpr char kEncryptedFlag = '*';
constexpr char kBlankFlag = ' ';
constexpr char kMagicBytes[] = "\x01\x02\x03\x04\x05\x06\x07\x08";
const QByteArrayView kMagic(kMagicBytes, 8);

[[noreturn]] void ReadError()
{
    throw EStreamError(QStringLiteral("Stream read error"));
}

[[noreturn]] void WriteError()
{
    throw EStreamError(QStringLiteral("Stream write error"));
}

// Stream names are looked up without regard to case, by the shared rule.
int CompareNames(const QString &a, const QString &b)
{
    return CompareNoCase(a, b);
}

// The smallest entry of a payload: a name length, an empty name and a size.
constexpr qsizetype kSmallestEntry = 2 + 4;

// For each Latin-1 character, the place of its case-folded form among those
// of all 256, as CompareNames orders them, so that comparing places compares
// names as CompareNames does. Folded forms are not all Latin-1 (the micro
// sign folds to Greek mu, after y with diaeresis), but there are only 200 of
// them, so a place, even plus one, fits in a byte.
const std::array<uint8_t, 256> &FoldedPlaces()
{
    static const std::array<uint8_t, 256> places = [] {
        std::array<char16_t, 256> folded;
        for (int c = 0; c < 256; ++c)
            folded[c] = QChar(char16_t(c)).toCaseFolded().unicode();
        std::array<char16_t, 256> distinct = folded;
        std::sort(distinct.begin(), distinct.end());
        const auto end = std::unique(distinct.begin(), distinct.end());
        std::array<uint8_t, 256> result;
        for (int c = 0; c < 256; ++c)
            result[c] = uint8_t(std::lower_bound(distinct.begin(), end, folded[c]) - distinct.begin());
        return result;
    }();
    return places;
}

constexpr char kOutOfMemory[] = "There is not enough memory to load it.";

[[noreturn]] void CompressedCorrupt(const QString &reason)
{
    throw ECorruptFile(QString::fromLatin1(kCompressedCorruptMessage) + QStringLiteral(": ") + reason);
}

// What a name becomes once written as 8-bit text and read back.
QString OnDiskName(const QString &name)
{
    return QString::fromLatin1(name.toLatin1());
}

void AppendLE(QByteArray &out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char(uint8_t(value >> (8 * i))));
}

quint32 ReadLE(QByteArrayView bytes)
{
    quint32 v = 0;
    for (qsizetype i = bytes.size(); i-- > 0;)
        v = v << 8 | uint8_t(bytes[i]);
    return v;
}

// Reads the payload's fields; running past its end is a stream error.
class PayloadReader
{
public:
    PayloadReader(QByteArrayView data, qsizetype start) : m_data(data), m_pos(start) {}

    QByteArrayView bytes(qsizetype count)
    {
        if (count < 0 || count > m_data.size() - m_pos)
            ReadError();
        const QByteArrayView v = m_data.sliced(m_pos, count);
        m_pos += count;
        return v;
    }
    quint16 u16() { return quint16(ReadLE(bytes(2))); }
    qint32 i32() { return qint32(ReadLE(bytes(4))); }
    qsizetype position() const { return m_pos; }

private:
    QByteArrayView m_data;
    qsizetype m_pos;
};

// An entry of a payload, with a name, as a load sorts it: where its name and
// data lie in the payload.
struct NamedEntry
{
    uint64_t head;  // while sorting, eight characters of the name (see SortByName)
    uint32_t nameAt;
    uint32_t dataAt;
    uint32_t dataSize;
    uint16_t nameSize;
};

// Sorts the entries into CompareNames' order of their names and keeps, of
// equal names, the later in the payload. The names are sorted eight
// characters at a time, each turn by radix on a 64-bit head, which costs the
// same whatever order the names come in; only entries whose heads are equal
// go on to the next eight. So no name is read much more than once, and no
// comparison sort runs over long names that differ only near their ends.
void SortByName(std::vector<NamedEntry> &entries, QByteArrayView payload)
{
    // A character's byte in a head: its folded place plus one, 0 past the end
    // of the name, so that equal heads ending in 0 are equal names.
    const std::array<uint8_t, 256> &places = FoldedPlaces();
    auto name = [&](const NamedEntry &e) { return payload.sliced(e.nameAt, e.nameSize); };
    auto headAt = [&](const NamedEntry &e, qsizetype from) {
        const QByteArrayView n = name(e);
        uint64_t head = 0;
        for (qsizetype i = from; i < from + 8; ++i)
            head = head << 8 | (i < n.size() ? places[uint8_t(n[i])] + 1u : 0u);
        return head;
    };
    // CompareNames' order of names whose first `from` characters are equal.
    auto compareFrom = [&](const NamedEntry &a, const NamedEntry &b, qsizetype from) {
        const QByteArrayView x = name(a), y = name(b);
        for (qsizetype i = from; i < x.size() && i < y.size(); ++i) {
            if (const int d = places[uint8_t(x[i])] - places[uint8_t(y[i])])
                return d;
        }
        return int(x.size() > y.size()) - int(x.size() < y.size());
    };

    // Below this many entries a comparison sort is cheaper than the radix.
    constexpr size_t kFewEntries = 16;
    std::vector<NamedEntry> moved(entries.size());
    struct Run
    {
        size_t begin, end;
        qsizetype from;  // the entries' first `from` characters are equal
    };
    std::vector<Run> runs{{0, entries.size(), 0}};
    while (!runs.empty()) {
        const Run run = runs.back();
        runs.pop_back();
        const auto first = entries.begin() + qsizetype(run.begin);
        const auto last = entries.begin() + qsizetype(run.end);
        if (run.end - run.begin < kFewEntries) {
            std::stable_sort(first, last, [&](const NamedEntry &a, const NamedEntry &b) {
                return compareFrom(a, b, run.from) < 0;
            });
            continue;
        }
        // Characters all the run's names share are passed over at once: each
        // name is read through in one go rather than eight characters a turn.
        const QByteArrayView model = name(*first);
        qsizetype from = std::min(run.from, model.size());
        qsizetype shared = model.size();
        for (auto it = first; it != last && shared > from; ++it) {
            const QByteArrayView n = name(*it);
            qsizetype i = from;
            while (i < shared && i < n.size() && places[uint8_t(n[i])] == places[uint8_t(model[i])])
                ++i;
            shared = i;
        }
        from = std::max(from, shared);

        bool allEqual = true;
        for (auto it = first; it != last; ++it) {
            it->head = headAt(*it, from);
            allEqual = allEqual && it->head == first->head;
        }
        if (!allEqual) {
            // Least significant byte first; every pass is stable, so equal
            // heads keep the payload's order. A byte all heads share is skipped.
            for (int shift = 0; shift < 64; shift += 8) {
                std::array<size_t, 256> at{};
                for (auto it = first; it != last; ++it)
                    ++at[(it->head >> shift) & 0xFF];
                if (at[(first->head >> shift) & 0xFF] == run.end - run.begin)
                    continue;
                size_t start = run.begin;
                for (size_t &n : at)
                    start += std::exchange(n, start);
                for (auto it = first; it != last; ++it)
                    moved[at[(it->head >> shift) & 0xFF]++] = *it;
                std::copy(moved.begin() + qsizetype(run.begin), moved.begin() + qsizetype(run.end), first);
            }
        }
        // Equal heads whose names go on past these eight characters are
        // sorted by the next eight; those ending within them are equal names.
        for (auto it = first; it != last;) {
            const auto end = std::find_if(it, last, [&](const NamedEntry &e) { return e.head != it->head; });
            if (end - it > 1 && (it->head & 0xFF) != 0)
                runs.push_back(Run{size_t(it - entries.begin()), size_t(end - entries.begin()), from + 8});
            it = end;
        }
    }

    auto kept = entries.begin();
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        const auto next = std::next(it);
        if (next == entries.end() || next->nameSize != it->nameSize || compareFrom(*it, *next, 0) != 0)
            *kept++ = *it;
    }
    entries.erase(kept, entries.end());
}

QByteArray BuildPayload(const auto &entries)
{
    qsizetype total = kMagic.size() + 4;
    for (const auto &e : entries)
        total += 2 + e.name.size() + 4 + e.data.size();
    QByteArray payload;
    payload.reserve(total);
    payload.append(kMagic);
    AppendLE(payload, quint32(entries.size()), 4);
    for (const auto &e : entries) {
        const QByteArray name = e.name.toLatin1();
        AppendLE(payload, quint32(name.size()), 2);
        payload.append(name);
        AppendLE(payload, quint32(e.data.size()), 4);
        payload.append(e.data);
    }
    return payload;
}

} // namespace

std::vector<TVellStreams::Entry>::const_iterator TVellStreams::find(const QString &name) const
{
    const QString key = OnDiskName(name);
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), key,
                               [](const Entry &e, const QString &k) { return CompareNames(e.name, k) < 0; });
    if (it != m_entries.end() && CompareNames(it->name, key) == 0)
        return it;
    return m_entries.end();
}

void TVellStreams::put(QString name, QByteArray data)
{
    name = OnDiskName(name);
    if (name.size() > std::numeric_limits<quint16>::max())
        throw Exception(QStringLiteral("Stream name \"%1...\" is too long").arg(name.left(32)));
    if (data.size() > std::numeric_limits<qint32>::max())
        throw Exception(QStringLiteral("Stream \"%1\" is too large").arg(name));
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), name,
                               [](const Entry &e, const QString &k) { return CompareNames(e.name, k) < 0; });
    if (it != m_entries.end() && CompareNames(it->name, name) == 0)
        *it = Entry{std::move(name), std::move(data)};
    else
        m_entries.insert(it, Entry{std::move(name), std::move(data)});
}

void TVellStreams::StoreStream(const QString &name, const QByteArray &data)
{
    if (name.isEmpty())
        return;
    put(name, data);
}

void TVellStreams::StoreStream(const QString &name, QIODevice *source)
{
    if (name.isEmpty() || source == nullptr)
        return;
    if (!source->isReadable())
        ReadError();
    if (!source->isSequential() && !source->seek(0))
        ReadError();
    put(name, source->readAll());
}

QByteArray TVellStreams::ReadStream(const QString &name) const
{
    const auto it = find(name);
    return it != m_entries.end() ? it->data : QByteArray();
}

void TVellStreams::ReadStream(const QString &name, QIODevice *destination) const
{
    if (name.isEmpty() || destination == nullptr)
        return;
    const auto it = find(name);
    if (it != m_entries.end()) {
        if (!destination->isSequential() && !destination->seek(destination->size()))
            WriteError();
        if (destination->write(it->data) != it->data.size())
            WriteError();
    }
    if (!destination->isSequential())
        destination->seek(0);
}

bool TVellStreams::HasStream(const QString &name) const
{
    return !name.isEmpty() && find(name) != m_entries.end();
}

QStringList TVellStreams::StreamNames() const
{
    QStringList names;
    names.reserve(qsizetype(m_entries.size()));
    for (const Entry &e : m_entries)
        names.append(e.name);
    return names;
}

void TVellStreams::ClearStreams()
{
    m_entries.clear();
}

QByteArray TVellStreams::SaveToByteArray() const
{
    const QByteArray payload = BuildPayload(m_entries);
    QByteArray image;
    image.append(Compressed ? kCompressedFlag : kBlankFlag);
    image.append(kBlankFlag);  // enciphering is never done: there is no key
    if (!Compressed) {
        image.append(payload);
        return image;
    }
    if (payload.size() > qsizetype(std::numeric_limits<quint32>::max()))
        throw EStreamError(QStringLiteral("Payload too large to compress"));
    AppendLE(image, quint32(payload.size()), 4);
    image.append(lh5::Compress(payload));
    return image;
}

void TVellStreams::SaveToStream(QIODevice &destination) const
{
    const QByteArray image = SaveToByteArray();
    if (destination.write(image) != image.size())
        WriteError();
}

void TVellStreams::SaveToFile(const QString &path) const
{
    // The image is complete before the file system is touched.
    const QByteArray image = SaveToByteArray();
    WriteWholeFileOrThrow(path, image);
}

void TVellStreams::corrupt(const QString &reason)
{
    if (OnCorrupt)
        OnCorrupt(*this);
    QString message = QString::fromLatin1(kFileCorruptMessage);
    if (!reason.isEmpty())
        message += QLatin1Char(' ') + reason;
    throw ECorruptFile(message);
}

void TVellStreams::load(const QByteArray &image)
{
    if (image.size() < 2)
        ReadError();
    const char compression = image[0];
    const char encryption = image[1];
    const QByteArrayView body = QByteArrayView(image).sliced(2);

    QByteArray decoded;
    QByteArrayView payload = body;
    if (compression != kCompressedFlag) {
        if (body.size() > MaxPayloadSize)
            corrupt(QStringLiteral("Its contents take %1 bytes, more than the %2 a file may hold.")
                        .arg(body.size()).arg(MaxPayloadSize));
        if (!body.startsWith(kMagic))
            corrupt();
    } else {
        if (body.size() < 4)
            ReadError();
        const quint32 size = ReadLE(body.first(4));
        // Refused before anything is decoded: the decoder's own bound lets a
        // few hundred bytes describe gigabytes.
        if (size > MaxPayloadSize)
            CompressedCorrupt(QStringLiteral("its contents would take %1 bytes, more than the %2 a file may hold.")
                                  .arg(size).arg(MaxPayloadSize));
        decoded = lh5::Decompress(body.sliced(4), size);
        payload = decoded;
    }
    if (!payload.startsWith(kMagic))
        corrupt();

    // The entries are gathered in the file's order and sorted once, so the
    // order they are stored in does not change what a load costs.
    std::vector<NamedEntry> named;
    try {
        PayloadReader in(payload, kMagic.size());
        const qint32 count = in.i32();
        if (count < 0)
            ReadError();
        if (count > MaxStreamCount)
            corrupt(QStringLiteral("It holds %1 streams, more than the %2 a file may hold.")
                        .arg(count).arg(MaxStreamCount));
        // No more than the payload can hold, whatever the count says.
        named.reserve(size_t(std::min<qsizetype>(count, (payload.size() - kMagic.size() - 4) / kSmallestEntry)));
        for (qint32 i = 0; i < count; ++i) {
            const quint16 nameSize = in.u16();
            const qsizetype nameAt = in.position();
            in.bytes(nameSize);
            const qint32 size = in.i32();
            if (size < 0)
                ReadError();
            const qsizetype dataAt = in.position();
            in.bytes(size);
            // (Offsets fit in 32 bits: the payload is limited far below 4 GiB.)
            if (nameSize > 0)
                named.push_back(NamedEntry{0, uint32_t(nameAt), uint32_t(dataAt), uint32_t(size), nameSize});
        }
    } catch (const EStreamError &) {
        ClearStreams();
        throw;
    }

    SortByName(named, payload);
    std::vector<Entry> loaded;
    loaded.reserve(named.size());
    for (const NamedEntry &e : named)
        loaded.push_back(Entry{QString::fromLatin1(payload.sliced(e.nameAt, e.nameSize)),
                               payload.sliced(e.dataAt, e.dataSize).toByteArray()});

    m_entries = std::move(loaded);
    Compressed = compression == kCompressedFlag;
    Encrypted = encryption == kEncryptedFlag;
}

void TVellStreams::LoadFromByteArray(const QByteArray &image)
{
    try {
        load(image);
    } catch (const std::bad_alloc &) {
        corrupt(QString::fromLatin1(kOutOfMemory));
    }
}

void TVellStreams::LoadFromStream(QIODevice &source)
{
    QByteArray image;
    try {
        image = source.readAll();
    } catch (const std::bad_alloc &) {
        corrupt(QString::fromLatin1(kOutOfMemory));
    }
    LoadFromByteArray(image);
}

void TVellStreams::LoadFromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EStreamError(CannotOpenFileMessage(path, file.errorString()));
    LoadFromStream(file);
}

} // namespace ludra
