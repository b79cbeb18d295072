// libFuzzer target: any bytes given to the container's loader must end in a
// loaded container or in one of its two errors, with no crash, no access
// outside a buffer and no undefined behaviour. A container that loads must
// hold its names in order, and save and load back to the same streams.

#include "storage/vellstreams.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Streams this size and larger are legitimate (a block of single-symbol
// tables gives 16 MB from 7 bytes), but fuzzing them would only measure
// memory bandwidth; inputs stating more are left out.
constexpr quint32 kLargestPayload = 4u << 20;

// Re-saving is checked for containers up to this much content, to keep the
// run fast. They are re-saved stored, not compressed: the encoder is
// instrumented too, and compressing even a few hundred bytes costs a
// millisecond under the sanitizers and coverage tracing, so compressing
// what loaded drew the run into exploring the encoder (three quarters of
// its time) rather than the loader this target is about. The encoder has
// its own tests, against two other LHA implementations too.
constexpr qsizetype kLargestResave = 256 * 1024;

void CheckResave(const ludra::TVellStreams &loaded)
{
    qsizetype total = 0;
    const QStringList names = loaded.StreamNames();
    for (const QString &name : names)
        total += loaded.ReadStream(name).size();
    if (total > kLargestResave)
        return;

    ludra::TVellStreams copy = loaded;
    copy.Compressed = false;
    ludra::TVellStreams again;
    again.LoadFromByteArray(copy.SaveToByteArray());
    if (again.StreamNames() != names)
        std::abort();
    for (const QString &name : names)
        if (again.ReadStream(name) != loaded.ReadStream(name))
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size >= 6 && data[0] == '&') {
        const quint32 stated = quint32(data[2]) | quint32(data[3]) << 8 | quint32(data[4]) << 16
                               | quint32(data[5]) << 24;
        if (stated > kLargestPayload)
            return -1;  // not worth keeping in the corpus
    }
    const QByteArray image = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    ludra::TVellStreams streams;
    int corruptCalls = 0;
    streams.OnCorrupt = [&](ludra::TVellStreams &) { ++corruptCalls; };
    try {
        streams.LoadFromByteArray(image);
    } catch (const ludra::ECorruptFile &e) {
        // OnCorrupt announces exactly the "File is corrupt." kind, which may
        // have a reason after it.
        if ((corruptCalls == 1) != e.message().startsWith(QLatin1String(ludra::kFileCorruptMessage)))
            std::abort();
        return 0;
    } catch (const ludra::EStreamError &) {
        return 0;
    }
    if (corruptCalls != 0)
        std::abort();
    // The names are held in order, case ignored, none twice.
    const QStringList names = streams.StreamNames();
    for (qsizetype i = 1; i < names.size(); ++i)
        if (QString::compare(names[i - 1], names[i], Qt::CaseInsensitive) >= 0)
            std::abort();
    CheckResave(streams);
    return 0;
}
