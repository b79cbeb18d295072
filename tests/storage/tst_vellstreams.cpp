// The stream container: what it writes, what it reads back, and how it meets
// files that are damaged, cut short or not its own.

#include "storage/bitwriter.h"
#include "storage/lh5.h"
#include "storage/lh5format.h"
#include "storage/vellstreams.h"
#include "samples.h"
#include "support/memorycap.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <optional>
#include <random>

#include <sys/resource.h>
#include <unistd.h>

using namespace ludra;

namespace {

const QByteArray kMagic("\x01\x02\x03\x04\x05\x06\x07\x08", 8);

QByteArray LE(quint32 value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out.append(char(uint8_t(value >> (8 * i))));
    return out;
}

QByteArray Entry(const QByteArray &name, const QByteArray &data)
{
    return LE(quint32(name.size()), 2) + name + LE(quint32(data.size()), 4) + data;
}

QByteArray Payload(const QList<QByteArray> &entries, std::optional<qint32> count = std::nullopt)
{
    QByteArray p = kMagic + LE(quint32(count.value_or(qint32(entries.size()))), 4);
    for (const QByteArray &e : entries)
        p += e;
    return p;
}

QByteArray StoredImage(const QByteArray &payload) { return QByteArray("  ") + payload; }

QByteArray CompressedImage(const QByteArray &payload)
{
    return QByteArray("& ") + LE(quint32(payload.size()), 4) + lh5::Compress(payload);
}

// Streams and contents for the round trips.
using StreamSet = QList<QPair<QString, QByteArray>>;

QByteArray Bytes(int size, quint32 seed)
{
    return ludra::test::SampleRandom(size, seed);
}

QByteArray PayloadOf(const StreamSet &streams)
{
    QList<QByteArray> entries;
    entries.reserve(streams.size());
    for (const auto &[name, data] : streams)
        entries.append(Entry(name.toLatin1(), data));
    return Payload(entries);
}

// An lh5 stream of at least `bytes` zero bytes (at most 16 MiB more) whose
// blocks have every table in the one-symbol form, 52 bits a block: 65535
// literal zeros, then blocks of 65535 matches of 256 bytes, each copying the
// byte before. Made bit by bit, so a stream of gigabytes takes a few hundred
// bytes to make.
QByteArray ZeroStream(qint64 bytes)
{
    using namespace ludra::lh5;
    BitWriter out;
    auto block = [&](int charSymbol) {
        out.put(kMaxCodesPerBlock, 16);
        out.put(0, kLengthCountBits);
        out.put(0, kLengthCountBits);
        out.put(0, kCharCountBits);
        out.put(uint32_t(charSymbol), kCharCountBits);
        out.put(0, kDistanceCountBits);
        out.put(0, kDistanceCountBits);  // distance 0: the byte before
    };
    block(0);
    for (qint64 made = kMaxCodesPerBlock; made < bytes; made += qint64(kMaxCodesPerBlock) * kMaxMatch)
        block(kMaxMatch + kMatchSymbolBias);
    out.put(0, 7);
    return out.takeBytes();
}

} // namespace

Q_DECLARE_METATYPE(StreamSet)

class TstVellStreams : public QObject
{
    Q_OBJECT

private slots:
    void emptyContainerIsFlagsAndTwelveBytePayload();
    void roundTrip_data();
    void roundTrip();
    void namesDifferingInCaseAreOneName();
    void entriesAreWrittenInNameOrderIgnoringCase();
    void storedImageLoadsUncompressed();
    void flagsComeFromTheFile_data();
    void flagsComeFromTheFile();
    void wrongMagicIsFileCorrupt_data();
    void wrongMagicIsFileCorrupt();
    void incompleteTableIsCompressedCorrupt();
    void loadedStreamsDoNotDependOnStoredOrder_data();
    void loadedStreamsDoNotDependOnStoredOrder();
    void filesBeyondTheLimitsAreRefusedWithTheirReason_data();
    void filesBeyondTheLimitsAreRefusedWithTheirReason();
    void badEntriesAreStreamErrors_data();
    void badEntriesAreStreamErrors();
    void fileCutShort_data();
    void fileCutShort();
    void everyCutEndsInALoadOrOneOfTheTwoErrors_data();
    void everyCutEndsInALoadOrOneOfTheTwoErrors();
    void readStreamAppendsAndRewinds();
    void storeStreamCopiesTheWholeSource();
    void saveToFileReplacesTheFile();
    void failedSaveLeavesTheOldFileWhole();
    void missingFileIsAStreamError();
};

void TstVellStreams::emptyContainerIsFlagsAndTwelveBytePayload()
{
    TVellStreams v;
    const QByteArray image = v.SaveToByteArray();
    QCOMPARE(image.left(2), QByteArray("& "));
    QCOMPARE(image.mid(2, 4), LE(12, 4));
    QCOMPARE(lh5::Decompress(QByteArrayView(image).sliced(6), 12), kMagic + LE(0, 4));

    TVellStreams back;
    back.StoreStream("Stale", "x");
    back.Compressed = false;
    back.LoadFromByteArray(image);
    QVERIFY(back.StreamNames().isEmpty());
    QVERIFY(back.Compressed);
    QVERIFY(!back.Encrypted);
}

void TstVellStreams::roundTrip_data()
{
    QTest::addColumn<bool>("compressed");
    QTest::addColumn<StreamSet>("streams");
    QTest::addColumn<int>("payloadSize");  // -1: not checked

    // One stream named "P" of n bytes makes a payload of n + 19 bytes.
    auto payloadOf = [](int size, quint32 seed) { return StreamSet{{"P", Bytes(size - 19, seed)}}; };
    StreamSet many;
    for (int i = 0; i < 300; ++i)
        many.append({QStringLiteral("Stream%1").arg(i, 3, 10, QChar('0')),
                     QByteArray::number(i).repeated(i % 17)});
    const QList<std::tuple<const char *, StreamSet, int>> sets = {
        {"one empty stream", {{"Empty", QByteArray()}}, 8 + 4 + 2 + 5 + 4},
        {"text streams", {{"Config", "0\r\n1\r\ntrue\r\n"}, {"Selected", "Nano Programming\r\n"}}, -1},
        {"all byte values", {{"Binary", Bytes(4096, 1)}}, -1},
        {"payload of 8192 bytes", payloadOf(8192, 2), 8192},
        {"payload of 8193 bytes", payloadOf(8193, 3), 8193},
        {"large stream", {{"Large", Bytes(50000, 4) + QByteArray(300000, 'r')}}, -1},
        {"Latin-1 name", {{QString::fromLatin1("Gr\xfc\xdf" "e"), "x"}}, -1},
        {"300 streams", many, -1},
    };
    for (const auto &[name, set, size] : sets) {
        QTest::addRow("%s, compressed", name) << true << set << size;
        QTest::addRow("%s, stored", name) << false << set << size;
    }
}

void TstVellStreams::roundTrip()
{
    QFETCH(bool, compressed);
    QFETCH(StreamSet, streams);
    QFETCH(int, payloadSize);

    TVellStreams out;
    out.Compressed = compressed;
    for (const auto &[name, data] : streams)
        out.StoreStream(name, data);
    const QByteArray image = out.SaveToByteArray();
    QCOMPARE(image.at(0), compressed ? '&' : ' ');
    if (payloadSize >= 0)
        QCOMPARE(compressed ? image.mid(2, 4) : LE(quint32(image.size() - 2), 4), LE(quint32(payloadSize), 4));

    TVellStreams in;
    in.Compressed = !compressed;
    in.LoadFromByteArray(image);
    QCOMPARE(in.Compressed, compressed);
    QCOMPARE(in.StreamNames().size(), streams.size());
    for (const auto &[name, data] : streams) {
        QVERIFY2(in.HasStream(name), qPrintable(name));
        QCOMPARE(in.ReadStream(name), data);
    }
}

void TstVellStreams::namesDifferingInCaseAreOneName()
{
    TVellStreams v;
    v.StoreStream("Config", "first");
    v.StoreStream("CONFIG", "second");
    QCOMPARE(v.StreamNames(), QStringList{"CONFIG"});
    QCOMPARE(v.ReadStream("config"), QByteArray("second"));

    // Two entries in a file whose names differ in case load as one.
    TVellStreams in;
    in.LoadFromByteArray(StoredImage(Payload({Entry("grid", "a"), Entry("GRID", "b")})));
    QCOMPARE(in.StreamNames().size(), 1);
    QCOMPARE(in.ReadStream("Grid"), QByteArray("b"));
}

void TstVellStreams::entriesAreWrittenInNameOrderIgnoringCase()
{
    TVellStreams v;
    v.Compressed = false;
    for (const char *name : {"b", "C", "a", "B2", "Icons", "icon"})
        v.StoreStream(name, name);
    const QStringList expected{"a", "b", "B2", "C", "icon", "Icons"};
    QCOMPARE(v.StreamNames(), expected);
    QByteArray want = kMagic + LE(6, 4);
    for (const QString &name : expected)
        want += Entry(name.toLatin1(), name.toLatin1());
    QCOMPARE(v.SaveToByteArray(), StoredImage(want));
}

void TstVellStreams::storedImageLoadsUncompressed()
{
    // A stored body beginning with the magic, including an empty stream and
    // trailing bytes after the last entry, which are ignored.
    const QByteArray image = StoredImage(Payload({Entry("Empty", ""), Entry("Text", "line\r\n")}) + "tail");
    TVellStreams v;
    v.LoadFromByteArray(image);
    QVERIFY(!v.Compressed);
    QVERIFY(v.HasStream("Empty"));
    QCOMPARE(v.ReadStream("Empty"), QByteArray());
    QCOMPARE(v.ReadStream("text"), QByteArray("line\r\n"));
}

void TstVellStreams::flagsComeFromTheFile_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<bool>("compressed");
    QTest::addColumn<bool>("encrypted");

    const QByteArray payload = Payload({Entry("A", "1")});
    const QByteArray packed = CompressedImage(payload).mid(2);
    QTest::newRow("& blank") << QByteArray("& ") + packed << true << false;
    QTest::newRow("& *") << QByteArray("&*") + packed << true << true;
    QTest::newRow("blank *") << QByteArray(" *") + payload << false << true;
    QTest::newRow("other bytes mean stored and plain") << QByteArray("xy") + payload << false << false;
}

void TstVellStreams::flagsComeFromTheFile()
{
    QFETCH(QByteArray, image);
    QFETCH(bool, compressed);
    QFETCH(bool, encrypted);
    TVellStreams v;
    v.LoadFromByteArray(image);
    QCOMPARE(v.Compressed, compressed);
    QCOMPARE(v.Encrypted, encrypted);
    QCOMPARE(v.ReadStream("A"), QByteArray("1"));
}

void TstVellStreams::wrongMagicIsFileCorrupt_data()
{
    QTest::addColumn<QByteArray>("image");

    QByteArray wrong = Payload({Entry("A", "1")});
    wrong[7] = 9;
    QTest::newRow("stored body") << StoredImage(wrong);
    QTest::newRow("stored body shorter than the magic") << StoredImage(kMagic.left(5));
    QTest::newRow("empty stored body") << StoredImage(QByteArray());
    QTest::newRow("decompressed payload") << CompressedImage(wrong);
    QTest::newRow("decompressed payload shorter than the magic") << CompressedImage(kMagic.left(7));
}

void TstVellStreams::wrongMagicIsFileCorrupt()
{
    QFETCH(QByteArray, image);
    TVellStreams v;
    v.StoreStream("Kept", "old");
    int calls = 0;
    v.OnCorrupt = [&](TVellStreams &sender) {
        QCOMPARE(&sender, &v);
        ++calls;
    };
    try {
        v.LoadFromByteArray(image);
        QFAIL("loaded a file with a wrong magic");
    } catch (const ECorruptFile &e) {
        QCOMPARE(e.message(), QStringLiteral("File is corrupt."));
    }
    QCOMPARE(calls, 1);
    QCOMPARE(v.ReadStream("Kept"), QByteArray("old"));
}

void TstVellStreams::incompleteTableIsCompressedCorrupt()
{
    // A block whose length-code table holds one code of length 1.
    QByteArray image = QByteArray("& ") + LE(12, 4);
    // 16 bits of count 1; count 1 (5 bits) and length 1 (3 bits); padding.
    image += QByteArray("\x00\x01\x09\x00\x00\x00", 6);
    TVellStreams v;
    v.StoreStream("Kept", "old");
    bool called = false;
    v.OnCorrupt = [&](TVellStreams &) { called = true; };
    try {
        v.LoadFromByteArray(image);
        QFAIL("loaded a stream with an incomplete table");
    } catch (const ECorruptFile &e) {
        QCOMPARE(e.message(), QStringLiteral("Compressed file is corrupt"));
    }
    QVERIFY(!called);
    QCOMPARE(v.ReadStream("Kept"), QByteArray("old"));
}

void TstVellStreams::loadedStreamsDoNotDependOnStoredOrder_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<StreamSet>("expected");  // in name order

    // 100,000 streams in three orders, compressed as Ludra writes them.
    StreamSet ascending;
    for (int i = 0; i < 100000; ++i)
        ascending.append({QStringLiteral("S%1").arg(i, 6, 10, QChar('0')), QByteArray::number(i)});
    StreamSet descending(ascending.crbegin(), ascending.crend());
    StreamSet shuffled = ascending;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(14));
    QTest::newRow("100,000 names ascending") << CompressedImage(PayloadOf(ascending)) << ascending;
    QTest::newRow("100,000 names descending") << CompressedImage(PayloadOf(descending)) << ascending;
    QTest::newRow("100,000 names shuffled") << CompressedImage(PayloadOf(shuffled)) << ascending;

    // Of names equal but for case, the later entry is loaded, spelling and all.
    const StreamSet repeats{{"b", "1"}, {"A", "2"}, {"B", "3"}, {"c", "4"}, {"a", "5"}, {"B", "6"}, {"C", "7"}, {"c", "8"}};
    QTest::newRow("repeated names")
        << StoredImage(PayloadOf(repeats)) << StreamSet{{"a", "5"}, {"B", "6"}, {"c", "8"}};

    // Names over characters whose case folding is out of the ordinary (the
    // micro sign folds outside Latin-1, sharp s and y with diaeresis have no
    // capital in it, NUL sorts first), many equal but for case; then with
    // two thirds alike in their first eight characters, then all sharing a
    // long prefix. Loaded, they must be what storing the entries one by one
    // gives.
    const QByteArray odd("aAzZ\0\x7f~\xb5\xdf\xff\xe4\xc4\xd7\xf7", 14);
    std::mt19937 random(14);
    auto oddName = [&](const QByteArray &prefix) {
        QByteArray name = prefix;
        for (int n = int(random() % 11); n > 0; --n)
            name += odd[random() % odd.size()];
        return name;
    };
    const QList<QPair<QByteArray, bool>> prefixes{
        {QByteArray(), false}, {"abcdefgh", false}, {"Prefix all names share/", true}};
    for (const auto &[prefix, everyName] : prefixes) {
        StreamSet entries;
        for (int c = 0; prefix.isEmpty() && c < 256; ++c)
            entries.append({QString(QChar(c)), QByteArray::number(c)});
        for (int i = 0; i < 3000; ++i) {
            QByteArray start = i % 2 ? prefix : prefix.toUpper();
            if (!everyName && i % 3 == 0)
                start.clear();
            const QByteArray name = oddName(start);
            if (!name.isEmpty())
                entries.append({QString::fromLatin1(name), QByteArray::number(i)});
        }
        std::shuffle(entries.begin(), entries.end(), random);
        TVellStreams oneByOne;
        for (const auto &[name, data] : entries)
            oneByOne.StoreStream(name, data);
        StreamSet expected;
        for (const QString &name : oneByOne.StreamNames())
            expected.append({name, oneByOne.ReadStream(name)});
        QTest::addRow("odd characters after \"%s\"", prefix.constData()) << StoredImage(PayloadOf(entries)) << expected;
    }

    // As many entries as a file may hold: 1,000 names, each a thousand times.
    StreamSet most;
    StreamSet lastOfEach;
    for (int i = 0; i < TVellStreams::MaxStreamCount; ++i) {
        const int n = (i * 7) % 1000;
        most.append({QStringLiteral("N%1").arg(n, 3, 10, QChar('0')), QByteArray::number(i)});
    }
    for (int n = 0; n < 1000; ++n)
        lastOfEach.append({QStringLiteral("N%1").arg(n, 3, 10, QChar('0')),
                           QByteArray::number(TVellStreams::MaxStreamCount - 1000 + (n * 143) % 1000)});
    QTest::newRow("1,000,000 entries, 1,000 names") << StoredImage(PayloadOf(most)) << lastOfEach;
}

void TstVellStreams::loadedStreamsDoNotDependOnStoredOrder()
{
    QFETCH(QByteArray, image);
    QFETCH(StreamSet, expected);

    TVellStreams v;
    v.LoadFromByteArray(image);
    QStringList names;
    for (const auto &[name, data] : expected)
        names.append(name);
    QCOMPARE(v.StreamNames(), names);
    for (const auto &[name, data] : expected)
        QCOMPARE(v.ReadStream(name), data);
}

void TstVellStreams::filesBeyondTheLimitsAreRefusedWithTheirReason_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<int>("spareMiB");  // memory the load may take; 0: no cap
    QTest::addColumn<QString>("message");

    const qint64 limit = TVellStreams::MaxPayloadSize;
    const QString tooLarge = QStringLiteral(
        "Compressed file is corrupt: its contents would take %1 bytes, more than the 268435456 a file may hold.");
    auto zeros = [](qint64 stated, qint64 made) {
        return QByteArray("& ") + LE(quint32(stated), 4) + ZeroStream(made);
    };
    // 845 bytes that really decode to 2 GiB of zeros.
    QTest::newRow("2 GiB from 845 bytes")
        << zeros(qint64(2) << 30, qint64(2) << 30) << 64 << tooLarge.arg(qint64(2) << 30);
    QTest::newRow("one byte over the limit") << zeros(limit + 1, limit + 1) << 64 << tooLarge.arg(limit + 1);
    QTest::newRow("4 GiB stated for 20 bytes")
        << QByteArray("& ") + LE(0xFFFFFFFFu, 4) + QByteArray(20, '\xA5') << 64 << tooLarge.arg(0xFFFFFFFFu);
    // At the limit the stream is decoded: its zeros have no magic.
    QTest::newRow("at the limit") << zeros(limit, limit) << 0 << "File is corrupt.";
    QTest::newRow("stored, one byte over the limit")
        << StoredImage(kMagic + LE(0, 4) + QByteArray(limit + 1 - 12, '\0')) << 64
        << "File is corrupt. Its contents take 268435457 bytes, more than the 268435456 a file may hold.";

    const QString tooMany = QStringLiteral(
        "File is corrupt. It holds 1000001 streams, more than the 1000000 a file may hold.");
    const QByteArray many = Payload({Entry("A", "1")}, TVellStreams::MaxStreamCount + 1);
    QTest::newRow("1,000,001 streams, stored") << StoredImage(many) << 64 << tooMany;
    QTest::newRow("1,000,001 streams, compressed") << CompressedImage(many) << 64 << tooMany;

    // Within the limits, but more than the memory there is.
    QTest::newRow("200 MiB with 64 MiB to spare")
        << zeros(200 << 20, 200 << 20) << 64 << "File is corrupt. There is not enough memory to load it.";
}

void TstVellStreams::filesBeyondTheLimitsAreRefusedWithTheirReason()
{
    QFETCH(QByteArray, image);
    QFETCH(int, spareMiB);
    QFETCH(QString, message);

    TVellStreams v;
    v.StoreStream("Kept", "old");
    int calls = 0;
    v.OnCorrupt = [&](TVellStreams &) { ++calls; };
    QString caught;
    {
        std::optional<MemoryCap> cap;
        if (spareMiB > 0)
            cap.emplace(spareMiB);
        QVERIFY(!cap || cap->active());
        try {
            v.LoadFromByteArray(image);
        } catch (const ECorruptFile &e) {
            caught = e.message();
        }
    }
    QCOMPARE(caught, message);
    QCOMPARE(calls, message.startsWith("File is corrupt.") ? 1 : 0);
    QCOMPARE(v.StreamNames(), QStringList{"Kept"});
}

void TstVellStreams::badEntriesAreStreamErrors_data()
{
    QTest::addColumn<QByteArray>("payload");

    QTest::newRow("negative count") << Payload({}, -1);
    QTest::newRow("negative count with entries") << Payload({Entry("A", "1")}, -5);
    QTest::newRow("count beyond the entries") << Payload({Entry("A", "1")}, 2);
    QTest::newRow("count field cut") << kMagic + LE(1, 2);
    QByteArray negativeSize = kMagic + LE(1, 4) + LE(1, 2) + "A" + LE(0xFFFFFFFFu, 4) + "xyz";
    QTest::newRow("negative size") << negativeSize;
    QTest::newRow("size past the end") << kMagic + LE(1, 4) + LE(1, 2) + "A" + LE(10, 4) + "short";
    QTest::newRow("name past the end") << kMagic + LE(1, 4) + LE(300, 2) + "Name";
    QTest::newRow("size field cut") << kMagic + LE(1, 4) + LE(1, 2) + "A" + LE(1, 3);
}

void TstVellStreams::badEntriesAreStreamErrors()
{
    QFETCH(QByteArray, payload);
    for (const QByteArray &image : {StoredImage(payload), CompressedImage(payload)}) {
        TVellStreams v;
        v.StoreStream("Old", "old");
        QVERIFY_THROWS_EXCEPTION(EStreamError, v.LoadFromByteArray(image));
        // The magic was right, so the old streams are gone, and a failed
        // load leaves nothing half-read behind.
        QVERIFY(v.StreamNames().isEmpty());
    }
}

void TstVellStreams::fileCutShort_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<QString>("error");

    TVellStreams v;
    QByteArray numbers;
    for (int i = 0; i < 60000; ++i)
        numbers += QByteArray::number(i * 7919 % 10007) + "\r\n";
    v.StoreStream("Numbers", numbers);
    const QByteArray compressed = v.SaveToByteArray();
    v.Compressed = false;
    const QByteArray stored = v.SaveToByteArray();

    QTest::newRow("nothing") << QByteArray() << "stream";
    QTest::newRow("one flag") << compressed.left(1) << "stream";
    QTest::newRow("flags only, compressed") << compressed.left(2) << "stream";
    QTest::newRow("size field cut") << compressed.left(5) << "stream";
    QTest::newRow("size field and no stream") << compressed.left(6) << "table";
    QTest::newRow("compressed, half") << compressed.left(compressed.size() / 2) << "table";
    QTest::newRow("stored, inside the data") << stored.left(stored.size() - 1) << "stream";
    QTest::newRow("stored, inside the name") << stored.left(2 + 12 + 3) << "stream";
}

void TstVellStreams::fileCutShort()
{
    QFETCH(QByteArray, image);
    QFETCH(QString, error);

    QTemporaryDir dir;
    const QString path = dir.filePath("cut.lud");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(image);
    file.close();

    TVellStreams v;
    if (error == "stream") {
        QVERIFY_THROWS_EXCEPTION(EStreamError, v.LoadFromFile(path));
    } else {
        try {
            v.LoadFromFile(path);
            QFAIL("a cut file loaded");
        } catch (const ECorruptFile &e) {
            QCOMPARE(e.message(), QStringLiteral("Compressed file is corrupt"));
        }
    }
}

void TstVellStreams::everyCutEndsInALoadOrOneOfTheTwoErrors_data()
{
    QTest::addColumn<bool>("compressed");
    QTest::addColumn<bool>("mustFail");

    // A stored image needs every byte; a compressed one cut near its end
    // decodes on zero bits and may load with a damaged last stream.
    QTest::newRow("stored") << false << true;
    QTest::newRow("compressed") << true << false;
}

void TstVellStreams::everyCutEndsInALoadOrOneOfTheTwoErrors()
{
    QFETCH(bool, compressed);
    QFETCH(bool, mustFail);

    TVellStreams v;
    v.Compressed = compressed;
    v.StoreStream("Config", "0\r\n1\r\ntrue\r\n1\r\n");
    v.StoreStream("Grid", "4,14\r\ncw 0,64\r\n0,1,HEAD\r\n1,1,Matter Creation\r\n");
    v.StoreStream("Empty", "");
    const QByteArray image = v.SaveToByteArray();

    for (qsizetype length = 0; length < image.size(); ++length) {
        TVellStreams in;
        const QByteArray cut = image.left(length);
        try {
            in.LoadFromByteArray(cut);
            QVERIFY2(!mustFail, qPrintable(QStringLiteral("cut at %1 loaded").arg(length)));
        } catch (const ECorruptFile &) {
        } catch (const EStreamError &) {
        } catch (...) {
            QFAIL(qPrintable(QStringLiteral("cut at %1: another kind of exception").arg(length)));
        }
    }
}

void TstVellStreams::readStreamAppendsAndRewinds()
{
    TVellStreams v;
    v.StoreStream("Selected", "Agility\r\n");

    QByteArray target("before:");
    QBuffer buffer(&target);
    QVERIFY(buffer.open(QIODevice::ReadWrite));
    buffer.seek(3);
    v.ReadStream("SELECTED", &buffer);
    QCOMPARE(target, QByteArray("before:Agility\r\n"));
    QCOMPARE(buffer.pos(), 0);

    buffer.seek(5);
    v.ReadStream("Missing", &buffer);
    QCOMPARE(target, QByteArray("before:Agility\r\n"));
    QCOMPARE(buffer.pos(), 0);

    buffer.seek(5);
    v.ReadStream("", &buffer);
    QCOMPARE(buffer.pos(), 5);
    v.ReadStream("Selected", nullptr);  // nothing to write to: nothing happens
}

void TstVellStreams::storeStreamCopiesTheWholeSource()
{
    QByteArray source("whole content");
    QBuffer buffer(&source);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    buffer.seek(6);

    TVellStreams v;
    v.StoreStream("Copy", &buffer);
    source = "changed afterwards";
    QCOMPARE(v.ReadStream("Copy"), QByteArray("whole content"));

    v.StoreStream("", &buffer);
    v.StoreStream("Null", static_cast<QIODevice *>(nullptr));
    v.StoreStream("", QByteArray("x"));
    QCOMPARE(v.StreamNames(), QStringList{"Copy"});

    QBuffer closed;
    QVERIFY_THROWS_EXCEPTION(EStreamError, v.StoreStream("Closed", &closed));
}

void TstVellStreams::saveToFileReplacesTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("project.lud");

    TVellStreams v;
    v.StoreStream("Config", QByteArray(5000, 'c'));
    v.SaveToFile(path);
    v.ClearStreams();
    v.StoreStream("Other", "short");
    v.SaveToFile(path);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), v.SaveToByteArray());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"project.lud"});

    TVellStreams in;
    in.LoadFromFile(path);
    QCOMPARE(in.StreamNames(), QStringList{"Other"});
}

void TstVellStreams::failedSaveLeavesTheOldFileWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("project.lud");
    TVellStreams old;
    old.StoreStream("Config", "old");
    old.SaveToFile(path);
    const QByteArray oldImage = old.SaveToByteArray();

    TVellStreams v;
    v.Compressed = false;
    v.StoreStream("Big", QByteArray(200000, 'b'));
    {
        // Files of this process may not grow past 4 KB for a moment: the
        // write of the new image fails part way, as on a full disk.
        struct rlimit saved;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        struct rlimit small = saved;
        small.rlim_cur = 4096;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        bool threw = false;
        try {
            v.SaveToFile(path);
        } catch (const EStreamError &) {
            threw = true;
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(threw);
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), oldImage);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"project.lud"});

    // Nor can a file be made in a folder that does not exist, or where a
    // folder of that name is in the way.
    QVERIFY_THROWS_EXCEPTION(EStreamError, v.SaveToFile(dir.filePath("missing/project.lud")));
    QVERIFY(QDir(dir.path()).mkdir("folder.lud"));
    QVERIFY_THROWS_EXCEPTION(EStreamError, v.SaveToFile(dir.filePath("folder.lud")));
    QVERIFY(QFileInfo(dir.filePath("folder.lud")).isDir());
}

void TstVellStreams::missingFileIsAStreamError()
{
    QTemporaryDir dir;
    TVellStreams v;
    v.StoreStream("Kept", "1");
    QVERIFY_THROWS_EXCEPTION(EStreamError, v.LoadFromFile(dir.filePath("none.lud")));
    QCOMPARE(v.ReadStream("Kept"), QByteArray("1"));
}

QTEST_GUILESS_MAIN(TstVellStreams)
#include "tst_vellstreams.moc"
