// Unit tests of the lh5 codec's pieces, for rules a round trip would not
// reveal: length limiting, canonical code order, the exact run codes of the
// length table, and how the decoder meets streams no encoder of ours writes.

#include "storage/bitwriter.h"
#include "storage/corruptfile.h"
#include "storage/huffman.h"
#include "storage/lh5.h"
#include "storage/lh5encoder.h"
#include "storage/lh5format.h"

#include <QTest>

#include <functional>

using namespace ludra;
using namespace ludra::lh5;

Q_DECLARE_METATYPE(std::vector<uint32_t>)
Q_DECLARE_METATYPE(std::vector<int>)

namespace {

// Writes block parts by hand, straight from the format, to give the decoder
// streams with shapes of our choosing.
class StreamBuilder
{
public:
    void bits(uint32_t value, int count) { m_out.put(value, count); }
    void blockSize(int codes) { bits(uint32_t(codes), 16); }
    // A table in the single-symbol form: count 0, then the symbol.
    void single(int countBits, int symbol)
    {
        bits(0, countBits);
        bits(uint32_t(symbol), countBits);
    }
    // Lengths in the 3-bit / unary form, with the 2-bit zero count after the
    // third one when zeroRunAfter is 3.
    void lengths(const std::vector<int> &lengths, int countBits, int zeroRunAfter)
    {
        bits(uint32_t(lengths.size()), countBits);
        for (size_t i = 0; i < lengths.size(); ++i) {
            const int l = lengths[i];
            if (l < 7)
                bits(uint32_t(l), 3);
            else
                bits(((1u << (l - 4)) - 1) << 1, l - 3);
            if (int(i) + 1 == zeroRunAfter)
                bits(0, 2);
        }
    }
    QByteArray finish()
    {
        m_out.put(0, 7);
        return m_out.takeBytes();
    }

private:
    BitWriter m_out;
};

// The length-code table that gives items 0..2 and length 1 (symbol 3) two
// bits each: lengths 2,2,2,2 for symbols 0..3.
void LengthCodeOfTwoBits(StreamBuilder &s)
{
    s.lengths({2, 2, 2, 2}, kLengthCountBits, kLengthZeroRunAfter);
}

uint64_t KraftUnits(const std::vector<uint8_t> &lengths)
{
    uint64_t sum = 0;
    for (uint8_t l : lengths)
        if (l != 0)
            sum += uint64_t(1) << (16 - l);
    return sum;
}

} // namespace

class TstLh5 : public QObject
{
    Q_OBJECT

private slots:
    void codeLengthsAreLimitedAndComplete_data();
    void codeLengthsAreLimitedAndComplete();
    void codeLengthsOfASmallTableAreOptimal();
    void canonicalCodesPutShorterCodesFirst();
    void zeroRunsUseTheirExactCodes_data();
    void zeroRunsUseTheirExactCodes();
    void singleSymbolTablesCostNoBits();
    void outputFarBeyond256BytesPerBitIsAccepted();
    void missingBitsReadAsZero();
    void brokenStreamsAreCorrupt_data();
    void brokenStreamsAreCorrupt();
    void sizeBeyondWhatTheStreamCanHoldIsCorrupt();
    void streamEndingLongBeforeItsSizeIsCorrupt_data();
    void streamEndingLongBeforeItsSizeIsCorrupt();
};

void TstLh5::codeLengthsAreLimitedAndComplete_data()
{
    QTest::addColumn<std::vector<uint32_t>>("freq");
    QTest::addColumn<bool>("limitBites");

    // Fibonacci weights give a Huffman tree as deep as there are symbols.
    std::vector<uint32_t> fibonacci{1, 1};
    while (fibonacci.size() < 40)
        fibonacci.push_back(fibonacci[fibonacci.size() - 1] + fibonacci[fibonacci.size() - 2]);
    QTest::newRow("fibonacci, 40 symbols") << fibonacci << true;

    std::vector<uint32_t> powers;
    for (int i = 0; i < 30; ++i)
        powers.push_back(1u << i);
    QTest::newRow("powers of two, 30 symbols") << powers << true;

    std::vector<uint32_t> oneGiant(510, 1);
    oneGiant[97] = 100000000;
    QTest::newRow("one symbol of 10^8, 509 of 1") << oneGiant << false;

    std::vector<uint32_t> sparse(510, 0);
    sparse[3] = 5;
    sparse[500] = 9;
    QTest::newRow("two used of 510") << sparse << false;

    QTest::newRow("uniform 510") << std::vector<uint32_t>(510, 7) << false;
}

void TstLh5::codeLengthsAreLimitedAndComplete()
{
    QFETCH(std::vector<uint32_t>, freq);
    QFETCH(bool, limitBites);

    std::vector<uint8_t> lengths(freq.size());
    BuildCodeLengths(freq.data(), int(freq.size()), lengths.data(), 16);

    for (size_t s = 0; s < freq.size(); ++s) {
        QVERIFY2((lengths[s] == 0) == (freq[s] == 0), qPrintable(QString::number(s)));
        QVERIFY(lengths[s] <= 16);
    }
    QCOMPARE(KraftUnits(lengths), uint64_t(1) << 16);
    QVERIFY(IsCompleteCode(lengths.data(), int(lengths.size())));
    for (size_t a = 0; a < freq.size(); ++a)
        for (size_t b = 0; b < freq.size(); ++b)
            if (freq[a] > freq[b] && freq[b] != 0)
                QVERIFY2(lengths[a] <= lengths[b], qPrintable(QStringLiteral("%1 vs %2").arg(a).arg(b)));
    if (limitBites)
        QCOMPARE(*std::max_element(lengths.begin(), lengths.end()), uint8_t(16));
}

void TstLh5::codeLengthsOfASmallTableAreOptimal()
{
    const uint32_t freq[6] = {10, 0, 3, 4, 1, 5};
    uint8_t lengths[6];
    BuildCodeLengths(freq, 6, lengths, 16);
    // Huffman merges 1+3, 4+(4), 5+(8), 10+(13): weight 10 at depth 1, 5 at
    // 2, 4 at 3, 3 and 1 at 4; the unused symbol gets no code.
    const uint8_t expected[6] = {1, 0, 4, 3, 4, 2};
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(lengths), 6),
             QByteArray(reinterpret_cast<const char *>(expected), 6));
}

void TstLh5::canonicalCodesPutShorterCodesFirst()
{
    const uint8_t lengths[6] = {3, 1, 0, 3, 3, 3};
    uint16_t codes[6];
    AssignCanonicalCodes(lengths, 6, codes);
    QCOMPARE(codes[1], uint16_t(0b0));
    QCOMPARE(codes[0], uint16_t(0b100));
    QCOMPARE(codes[3], uint16_t(0b101));
    QCOMPARE(codes[4], uint16_t(0b110));
    QCOMPARE(codes[5], uint16_t(0b111));
}

void TstLh5::zeroRunsUseTheirExactCodes_data()
{
    QTest::addColumn<int>("run");
    QTest::addColumn<std::vector<int>>("expected");  // symbol, extra, symbol, extra ...

    QTest::newRow("1") << 1 << std::vector<int>{0, 0};
    QTest::newRow("2") << 2 << std::vector<int>{0, 0, 0, 0};
    QTest::newRow("3") << 3 << std::vector<int>{1, 0};
    QTest::newRow("18") << 18 << std::vector<int>{1, 15};
    QTest::newRow("19") << 19 << std::vector<int>{0, 0, 1, 15};
    QTest::newRow("20") << 20 << std::vector<int>{2, 0};
    QTest::newRow("21") << 21 << std::vector<int>{2, 1};
    QTest::newRow("507") << 507 << std::vector<int>{2, 487};
}

void TstLh5::zeroRunsUseTheirExactCodes()
{
    QFETCH(int, run);
    QFETCH(std::vector<int>, expected);

    // A length of 5 on both sides of the run.
    std::vector<uint8_t> lengths(size_t(run) + 2, 0);
    lengths.front() = 5;
    lengths.back() = 5;
    const std::vector<LengthItem> items = CharLengthItems(lengths.data(), int(lengths.size()));

    std::vector<LengthItem> want{{7, 0}};
    for (size_t i = 0; i < expected.size(); i += 2)
        want.push_back({uint8_t(expected[i]), uint16_t(expected[i + 1])});
    want.push_back({7, 0});
    QCOMPARE(items.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        QCOMPARE(items[i].symbol, want[i].symbol);
        QCOMPARE(items[i].extra, want[i].extra);
    }
}

void TstLh5::singleSymbolTablesCostNoBits()
{
    StreamBuilder s;
    // Block 1: five times 'A', every table in its single-symbol form.
    s.blockSize(5);
    s.single(kLengthCountBits, 0);
    s.single(kCharCountBits, 'A');
    s.single(kDistanceCountBits, 0);
    // Block 2: three matches of 256 at distance 0.
    s.blockSize(3);
    s.single(kLengthCountBits, 0);
    s.single(kCharCountBits, 256 + kMaxMatch - kMinMatch);
    s.single(kDistanceCountBits, 0);
    const QByteArray stream = s.finish();

    QCOMPARE(Decompress(stream, 5 + 3 * 256), QByteArray(5 + 3 * 256, 'A'));
}

void TstLh5::outputFarBeyond256BytesPerBitIsAccepted()
{
    // One literal, then a block of 65535 full-length matches in 52 bits: a
    // legitimate stream (a long run of one byte gives such blocks) that puts
    // out over 16 MB from 13 bytes.
    StreamBuilder s;
    s.blockSize(1);
    s.single(kLengthCountBits, 0);
    s.single(kCharCountBits, 'z');
    s.single(kDistanceCountBits, 0);
    s.blockSize(65535);
    s.single(kLengthCountBits, 0);
    s.single(kCharCountBits, 509);
    s.single(kDistanceCountBits, 0);
    const QByteArray stream = s.finish();

    const quint32 size = 1 + 65535u * 256u;
    QVERIFY(quint64(stream.size()) * 8 * 256 < size);
    const QByteArray out = Decompress(stream, size);
    QCOMPARE(out.size(), qsizetype(size));
    QCOMPARE(out.count('z'), qsizetype(size));
}

void TstLh5::missingBitsReadAsZero()
{
    // 'a' and 'b' with one-bit codes ('a' = 0): "baaaaaaaaaaaaaaaa" leaves
    // the stream ending in sixteen zero bits, which may as well be absent.
    StreamBuilder s;
    s.blockSize(17);
    LengthCodeOfTwoBits(s);
    s.bits('b' + 1, kCharCountBits);       // n: up to and including 'b'
    s.bits(0b10, 2);                       // item 2: 20 + x zeros ...
    s.bits('a' - 20, kCharCountBits);      // ... x = 77, zeros up to 'a'
    s.bits(0b11, 2);                       // 'a': length 1 (item 3)
    s.bits(0b11, 2);                       // 'b': length 1
    s.single(kDistanceCountBits, 0);
    s.bits(1, 1);                          // 'b'
    s.bits(0, 16);                         // sixteen times 'a'
    const QByteArray full = s.finish();
    const QByteArray expected = "b" + QByteArray(16, 'a');
    QCOMPARE(Decompress(full, 17), expected);

    QByteArray cut = full;
    while (!cut.isEmpty() && cut.back() == '\0')
        cut.chop(1);
    QVERIFY(cut.size() < full.size() - 1);
    QCOMPARE(Decompress(cut, 17), expected);
}

void TstLh5::brokenStreamsAreCorrupt_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<int>("size");

    auto block = [](const std::function<void(StreamBuilder &)> &tables) {
        StreamBuilder s;
        s.blockSize(1);
        tables(s);
        s.bits(0, 32);
        return s.finish();
    };
    auto charsAB = [](StreamBuilder &s) {  // 'a' and 'b', one bit each
        LengthCodeOfTwoBits(s);
        s.bits('b' + 1, kCharCountBits);
        s.bits(0b10, 2);
        s.bits('a' - 20, kCharCountBits);
        s.bits(0b11, 2);
        s.bits(0b11, 2);
    };

    QTest::newRow("length code with one length of 1")
        << block([](StreamBuilder &s) { s.lengths({1}, kLengthCountBits, 3); }) << 1;
    QTest::newRow("length code oversubscribed")
        << block([](StreamBuilder &s) { s.lengths({1, 1, 1}, kLengthCountBits, 3); }) << 1;
    QTest::newRow("length code of all zeros")
        << block([](StreamBuilder &s) { s.lengths({0, 0}, kLengthCountBits, 3); }) << 1;
    QTest::newRow("length code count 20 of 19")
        << block([](StreamBuilder &s) { s.bits(20, kLengthCountBits); }) << 1;
    QTest::newRow("length code single symbol 19")
        << block([](StreamBuilder &s) { s.single(kLengthCountBits, 19); }) << 1;
    QTest::newRow("code length 17")
        << block([](StreamBuilder &s) { s.lengths({17, 1}, kLengthCountBits, 3); }) << 1;
    QTest::newRow("literal table incomplete")
        << block([](StreamBuilder &s) {
               LengthCodeOfTwoBits(s);
               s.bits('a' + 1, kCharCountBits);
               s.bits(0b10, 2);
               s.bits('a' - 20, kCharCountBits);
               s.bits(0b11, 2);  // 'a' alone with length 1
           }) << 1;
    QTest::newRow("literal table count 511")
        << block([](StreamBuilder &s) { LengthCodeOfTwoBits(s); s.bits(511, kCharCountBits); }) << 1;
    QTest::newRow("literal single symbol 510")
        << block([](StreamBuilder &s) { s.single(kLengthCountBits, 0); s.single(kCharCountBits, 510); }) << 1;
    QTest::newRow("zero run past the alphabet")
        << block([](StreamBuilder &s) {
               LengthCodeOfTwoBits(s);
               s.bits(kNumChars, kCharCountBits);
               s.bits(0b11, 2);
               s.bits(0b10, 2);
               s.bits(511, kCharCountBits);  // 531 zeros after one length
           }) << 1;
    QTest::newRow("distance table incomplete")
        << block([&](StreamBuilder &s) { charsAB(s); s.lengths({0, 2}, kDistanceCountBits, -1); }) << 1;
    QTest::newRow("distance table count 15")
        << block([&](StreamBuilder &s) { charsAB(s); s.bits(15, kDistanceCountBits); }) << 1;
    QTest::newRow("distance single symbol 14")
        << block([&](StreamBuilder &s) { charsAB(s); s.single(kDistanceCountBits, 14); }) << 1;
    QTest::newRow("match before the first byte")
        << block([](StreamBuilder &s) {
               s.single(kLengthCountBits, 0);
               s.single(kCharCountBits, 256);  // matches of 3
               s.single(kDistanceCountBits, 0);
           }) << 3;
}

void TstLh5::brokenStreamsAreCorrupt()
{
    QFETCH(QByteArray, stream);
    QFETCH(int, size);
    try {
        Decompress(stream, quint32(size));
        QFAIL("decoded a broken stream");
    } catch (const ECorruptFile &e) {
        QCOMPARE(e.message(), QStringLiteral("Compressed file is corrupt"));
    }
}

void TstLh5::sizeBeyondWhatTheStreamCanHoldIsCorrupt()
{
    const QByteArray stream = Compress(QByteArray(1000, 'q'));
    QVERIFY_THROWS_EXCEPTION(ECorruptFile, Decompress(stream, 0xFFFFFFFFu));
    QVERIFY_THROWS_EXCEPTION(ECorruptFile, Decompress(QByteArray(), 1));
}

void TstLh5::streamEndingLongBeforeItsSizeIsCorrupt_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<quint32>("size");

    // Zero bits form blocks of no codes with valid one-symbol tables.
    QTest::newRow("all zero bytes") << QByteArray(64, '\0') << quint32(1000000);
    QByteArray input;
    for (int i = 0; i < 100000; ++i)
        input += QByteArray::number(i * 7919 % 10007) + ",";
    const QByteArray whole = Compress(input);
    QTest::newRow("half a multi-block stream")
        << whole.left(whole.size() / 2) << quint32(input.size());
}

void TstLh5::streamEndingLongBeforeItsSizeIsCorrupt()
{
    QFETCH(QByteArray, stream);
    QFETCH(quint32, size);
    QVERIFY_THROWS_EXCEPTION(ECorruptFile, Decompress(stream, size));
}

QTEST_GUILESS_MAIN(TstLh5)
#include "tst_lh5.moc"
