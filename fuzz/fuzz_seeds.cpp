// Writes the seed corpus of fuzz_vellstreams (fuzz/seeds/vellstreams) into
// the folder given as the only argument: valid containers, stored and
// compressed, and two damaged ones. The committed seeds were written by it.

#include "storage/vellstreams.h"

#include <QDir>
#include <QFile>

#include <cstdio>

using ludra::TVellStreams;

namespace {

QByteArray Lines(int count, const char *text)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += QByteArray(text) + QByteArray::number(i % 7) + "\r\n";
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    int written = 0;
    auto write = [&](const char *name, TVellStreams &v) {
        for (const bool compressed : {true, false}) {
            v.Compressed = compressed;
            QFile f(dir.filePath(QStringLiteral("%1-%2").arg(name, compressed ? "lh5" : "stored")));
            if (!f.open(QIODevice::WriteOnly) || f.write(v.SaveToByteArray()) < 0)
                std::exit(1);
            ++written;
        }
    };

    TVellStreams v;
    write("empty", v);
    v.StoreStream("Empty", QByteArray());
    write("one-empty-stream", v);
    v.ClearStreams();
    v.StoreStream("Config", "0\r\n1\r\ntrue\r\n1\r\n1\r\n1\r\n0\r\n0\r\n200\r\n");
    v.StoreStream("Selected", "Nano Programming\r\nComputer Literacy\r\n");
    v.StoreStream("Icons", Lines(400, "-"));
    write("project-like", v);
    v.ClearStreams();
    QByteArray bytes;
    for (int i = 0; i < 3000; ++i)
        bytes += char((i * 7 + i / 13) & 0xFF);
    v.StoreStream("Binary", bytes);
    v.StoreStream("Run", QByteArray(9000, 'r'));
    write("binary-and-run", v);
    // Enough names that a load sorts them by radix rather than by comparison,
    // in both cases and with Latin-1 letters, some sharing a prefix.
    v.ClearStreams();
    const char *const stems[] = {"Grid", "grid row ", "Icon", "\xc4rger", "\xe4rger", "\xb5m", "Selected"};
    for (int i = 0; i < 40; ++i)
        v.StoreStream(QString::fromLatin1(stems[i % 7]) + QString::number(i * 37 % 101), QByteArray::number(i));
    write("many-names", v);

    // Damaged files: a compressed project cut short, which the loader
    // refuses, and one with a bit of its compressed data flipped.
    v.ClearStreams();
    v.StoreStream("Config", "0\r\n1\r\ntrue\r\n");
    v.StoreStream("Grid", Lines(60, "1,"));
    v.Compressed = true;
    const QByteArray whole = v.SaveToByteArray();
    auto writeBytes = [&](const char *name, const QByteArray &image) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        if (!f.open(QIODevice::WriteOnly) || f.write(image) < 0)
            std::exit(1);
        ++written;
    };
    writeBytes("damaged-cut-lh5", whole.left(whole.size() * 2 / 3));
    QByteArray flipped = whole;
    flipped[flipped.size() - 8] = char(flipped[flipped.size() - 8] ^ 0x10);
    writeBytes("damaged-flipped-lh5", flipped);
    std::printf("%d seeds written to %s\n", written, argv[1]);
    return 0;
}
