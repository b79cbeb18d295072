// Command-line driver for measuring the lh5 codec beside other LHA tools
// (see bench/storage-bench.sh). Archives it writes and reads are one-member
// LZH archives, so the same files go through every tool.
//
//   storage_bench compress INPUT ARCHIVE      lh5-compress INPUT into ARCHIVE
//   storage_bench decompress ARCHIVE OUTPUT   decode the first member
//   storage_bench info ARCHIVE                method, packed and original size
//   storage_bench speed INPUT [ROUNDS]        in-process MB/s, best of ROUNDS
//   storage_bench project-payload OUTPUT      a project-like container payload
//   storage_bench samples DIR                 the codec test inputs, one file each,
//                                             named NN-name (spaces as dashes)
//   storage_bench load-order [STREAMS] [ROUNDS]
//                                             container load time of STREAMS
//                                             streams (default 100000) stored
//                                             in ascending, descending and
//                                             random name order: median of
//                                             ROUNDS loads (default 11)
//   storage_bench symbiants DIR [ROUNDS]      SymbiantTable::load of
//                                             DIR/symbiants.csv: median and
//                                             fastest of ROUNDS loads (default
//                                             101); goal: under 10 ms
//   storage_bench none                        nothing: times the start alone

#include "lzharchive.h"
#include "samples.h"
#include "support/benchsupport.h"

#include "common/paths.h"
#include "data/nano.h"
#include "data/symbiants.h"

#include "storage/corruptfile.h"
#include "storage/lh5.h"
#include "storage/vellstreams.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

using namespace ludra;

namespace {

QByteArray ReadAll(const char *path)
{
    QFile f(QString::fromLocal8Bit(path));
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", path);
        std::exit(2);
    }
    return f.readAll();
}

void WriteAll(const char *path, const QByteArray &data)
{
    QFile f(QString::fromLocal8Bit(path));
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size()) {
        std::fprintf(stderr, "cannot write %s\n", path);
        std::exit(2);
    }
}

test::LzhMember Member(const char *path)
{
    QString error;
    const auto member = test::ReadFirstLzhMember(ReadAll(path), &error);
    if (!member) {
        std::fprintf(stderr, "%s: %s\n", path, qPrintable(error));
        std::exit(2);
    }
    return *member;
}

int Speed(const QByteArray &input, int rounds)
{
    const double mb = double(input.size()) / 1e6;
    QByteArray packed, unpacked;
    qint64 bestCompress = std::numeric_limits<qint64>::max();
    qint64 bestDecompress = std::numeric_limits<qint64>::max();
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        packed = lh5::Compress(input);
        bestCompress = std::min(bestCompress, t.nsecsElapsed());
        t.restart();
        unpacked = lh5::Decompress(packed, quint32(input.size()));
        bestDecompress = std::min(bestDecompress, t.nsecsElapsed());
    }
    if (unpacked != input) {
        std::fprintf(stderr, "round trip differs\n");
        return 1;
    }
    std::printf("%lld -> %lld bytes (%.2f%%), compress %.3f ms (%.1f MB/s), decompress %.3f ms (%.1f MB/s)\n",
                qint64(input.size()), qint64(packed.size()),
                input.isEmpty() ? 0.0 : 100.0 * double(packed.size()) / double(input.size()),
                double(bestCompress) / 1e6, mb / (double(bestCompress) / 1e9),
                double(bestDecompress) / 1e6, mb / (double(bestDecompress) / 1e9));
    return 0;
}

int WriteSamples(const char *dir)
{
    if (!QDir().mkpath(QString::fromLocal8Bit(dir))) {
        std::fprintf(stderr, "cannot create %s\n", dir);
        return 2;
    }
    int index = 0;
    for (const test::CodecSample &s : test::CodecSamples()) {
        QByteArray name = QByteArray(s.name).replace(',', "").replace(' ', '-');
        const QByteArray path = QByteArray(dir) + '/' + QByteArray::number(++index).rightJustified(2, '0') + '-' + name;
        WriteAll(path.constData(), s.data);
    }
    return 0;
}

// A compressed container image whose entries are written in the given order
// (Ludra itself always writes them sorted), each an empty stream.
QByteArray ContainerImage(const std::vector<QByteArray> &names)
{
    auto le = [](QByteArray &out, quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.append(char(uint8_t(value >> (8 * i))));
    };
    QByteArray payload("\x01\x02\x03\x04\x05\x06\x07\x08", 8);
    le(payload, quint32(names.size()), 4);
    for (const QByteArray &name : names) {
        le(payload, quint32(name.size()), 2);
        payload.append(name);
        le(payload, 0, 4);
    }
    QByteArray image("& ");
    le(image, quint32(payload.size()), 4);
    return image + lh5::Compress(payload);
}

int LoadOrder(int streams, int rounds)
{
    std::vector<QByteArray> names;
    for (int i = 0; i < streams; ++i)
        names.push_back("Stream" + QByteArray::number(i).rightJustified(7, '0'));
    std::vector<QByteArray> descending(names.rbegin(), names.rend());
    std::vector<QByteArray> shuffled = names;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(2024));

    const std::pair<const char *, const std::vector<QByteArray> *> orders[] = {
        {"ascending", &names}, {"descending", &descending}, {"random", &shuffled}};
    for (const auto &[label, order] : orders) {
        const QByteArray image = ContainerImage(*order);
        std::vector<double> ms;
        for (int r = 0; r < rounds; ++r) {
            TVellStreams v;
            QElapsedTimer t;
            t.start();
            v.LoadFromByteArray(image);
            ms.push_back(double(t.nsecsElapsed()) / 1e6);
            if (v.StreamNames().size() != streams) {
                std::fprintf(stderr, "%s: %lld streams loaded\n", label, qint64(v.StreamNames().size()));
                return 1;
            }
        }
        std::sort(ms.begin(), ms.end());
        std::printf("%-10s %d streams, %lld-byte file: median %.1f ms (min %.1f, max %.1f) over %d loads\n",
                    label, streams, qint64(image.size()), ms[ms.size() / 2], ms.front(), ms.back(), rounds);
    }
    return 0;
}

// The symbiant file is read on first use, so its whole load (file, lines,
// table) is what is timed.
int Symbiants(const QString &dir, int rounds)
{
    SetBaseDir(dir);
    const std::optional<SymbiantTable> table = SymbiantTable::load(BodySlotNames());
    if (!table) {
        std::fprintf(stderr, "%s: no symbiants.csv\n", qPrintable(dir));
        return 1;
    }
    std::printf("== symbiants.csv: %lld symbiants, %d lines skipped\n", qint64(table->all().size()),
                table->skipped());
    qsizetype read = 0;
    measure("SymbiantTable::load", rounds, [] {}, [&] { read += SymbiantTable::load(BodySlotNames())->all().size(); });
    return read == table->all().size() * rounds ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    const char *mode = argc > 1 ? argv[1] : "";
    if (!std::strcmp(mode, "none"))
        return 0;
    try {
        if (!std::strcmp(mode, "compress") && argc == 4) {
            const QByteArray input = ReadAll(argv[2]);
            const char *slash = std::strrchr(argv[2], '/');
            const QByteArray name = slash ? QByteArray(slash + 1) : QByteArray(argv[2]);
            WriteAll(argv[3], test::MakeLzhArchive(name, input, lh5::Compress(input)));
            return 0;
        }
        if (!std::strcmp(mode, "decompress") && argc == 4) {
            const test::LzhMember m = Member(argv[2]);
            if (m.method != "-lh5-") {
                std::fprintf(stderr, "%s: method %s\n", argv[2], m.method.constData());
                return 1;
            }
            const QByteArray out = lh5::Decompress(m.data, m.originalSize);
            if (test::Crc16(out) != m.crc) {
                std::fprintf(stderr, "%s: CRC differs\n", argv[2]);
                return 1;
            }
            WriteAll(argv[3], out);
            return 0;
        }
        if (!std::strcmp(mode, "info") && argc == 3) {
            const test::LzhMember m = Member(argv[2]);
            std::printf("%s %lld %u\n", m.method.constData(), qint64(m.data.size()), m.originalSize);
            return 0;
        }
        if (!std::strcmp(mode, "speed") && (argc == 3 || argc == 4))
            return Speed(ReadAll(argv[2]), argc == 4 ? std::max(1, std::atoi(argv[3])) : 10);
        if (!std::strcmp(mode, "load-order") && argc <= 4)
            return LoadOrder(argc > 2 ? std::max(1, std::atoi(argv[2])) : 100000,
                             argc > 3 ? std::max(1, std::atoi(argv[3])) : 11);
        if (!std::strcmp(mode, "symbiants") && (argc == 3 || argc == 4))
            return Symbiants(QString::fromLocal8Bit(argv[2]), argc == 4 ? std::max(1, std::atoi(argv[3])) : 101);
        if (!std::strcmp(mode, "samples") && argc == 3)
            return WriteSamples(argv[2]);
        if (!std::strcmp(mode, "project-payload") && argc == 3) {
            WriteAll(argv[2], test::SampleProjectPayload(2024));
            return 0;
        }
    } catch (const ECorruptFile &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: see the top of storage_bench.cpp\n");
    return 2;
}
