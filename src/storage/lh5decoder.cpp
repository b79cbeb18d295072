#include "storage/bitreader.h"
#include "storage/corruptfile.h"
#include "storage/huffman.h"
#include "storage/lh5.h"
#include "storage/lh5format.h"

#include <algorithm>
#include <cstring>

namespace ludra::lh5 {

namespace {

[[noreturn]] void Corrupt()
{
    throw ECorruptFile(QString::fromLatin1(kCompressedCorruptMessage));
}

// Lookup widths of the three decode tables: wide enough that nearly every
// code resolves in one step, small enough to rebuild cheaply for each block.
constexpr int kCharFastBits = 12;
constexpr int kSmallFastBits = 8;

class Decoder
{
public:
    Decoder(QByteArrayView stream, quint32 size)
        : m_in(reinterpret_cast<const uint8_t *>(stream.data()), stream.size()),
          m_inputBits(qint64(stream.size()) * 8), m_size(size)
    {
    }

    QByteArray run();

private:
    uint32_t readBlockHeader();
    int readLength();
    int readTableCount(int symbols, int countBits, DecodeTable &table);
    void readLengthTable(int symbols, int countBits, int zeroRunAfter, DecodeTable &table);
    void readCharTable();
    void grow(qsizetype needed);

    BitReader m_in;
    qint64 m_inputBits;
    quint32 m_size;
    DecodeTable m_lengthTable{kSmallFastBits};
    DecodeTable m_charTable{kCharFastBits};
    DecodeTable m_distTable{kSmallFastBits};
    QByteArray m_out;
};

// A code length of the length-code and distance tables: three bits for 0..6;
// 111 followed by one 1 bit per step above 7 and a closing 0 for more.
int Decoder::readLength()
{
    int length = int(m_in.get(3));
    if (length == 7) {
        while (m_in.get(1) == 1) {
            if (++length > kMaxCodeLength)
                Corrupt();
        }
    }
    return length;
}

// Reads a table's count of sent lengths. A count of 0 is the one-symbol
// form: the symbol follows and the table is built from it, and 0 is returned.
int Decoder::readTableCount(int symbols, int countBits, DecodeTable &table)
{
    const int n = int(m_in.get(countBits));
    if (n == 0) {
        const int only = int(m_in.get(countBits));
        if (only >= symbols)
            Corrupt();
        table.buildSingle(only);
    } else if (n > symbols) {
        Corrupt();
    }
    return n;
}

void Decoder::readLengthTable(int symbols, int countBits, int zeroRunAfter, DecodeTable &table)
{
    const int n = readTableCount(symbols, countBits, table);
    if (n == 0)
        return;
    uint8_t lengths[kNumLengthSymbols] = {};  // the larger of the two alphabets
    int i = 0;
    while (i < n) {
        lengths[i++] = uint8_t(readLength());
        if (i == zeroRunAfter)
            i += int(m_in.get(2));  // those lengths stay zero
    }
    if (!table.build(lengths, symbols))
        Corrupt();
}

void Decoder::readCharTable()
{
    const int n = readTableCount(kNumChars, kCharCountBits, m_charTable);
    if (n == 0)
        return;
    uint8_t lengths[kNumChars] = {};
    int i = 0;
    while (i < n) {
        const int item = m_lengthTable.decode(m_in);
        if (item >= 3) {
            lengths[i++] = uint8_t(item - 2);
            continue;
        }
        const int zeros = item == 0 ? 1
                        : item == 1 ? int(m_in.get(4)) + 3
                                    : int(m_in.get(kCharCountBits)) + 20;
        if (i + zeros > kNumChars)
            Corrupt();
        i += zeros;
    }
    if (!m_charTable.build(lengths, kNumChars))
        Corrupt();
}

// Reads a block's code count and its three tables; returns the code count.
uint32_t Decoder::readBlockHeader()
{
    // Every real block starts inside the input. Past its end everything reads
    // as zero, which is a block of no codes with valid one-symbol tables, so
    // going on would never end.
    if (m_in.position() >= m_inputBits)
        Corrupt();
    const uint32_t codes = m_in.get(16);
    readLengthTable(kNumLengthSymbols, kLengthCountBits, kLengthZeroRunAfter, m_lengthTable);
    readCharTable();
    readLengthTable(kNumDistances, kDistanceCountBits, -1, m_distTable);
    return codes;
}

void Decoder::grow(qsizetype needed)
{
    const qsizetype target = std::min<qsizetype>(m_size, std::max(needed, m_out.size() * 2));
    m_out.resize(target);
}

QByteArray Decoder::run()
{
    if (m_size > MaxDecodedSize(m_inputBits / 8))
        Corrupt();
    const qsizetype size = qsizetype(m_size);

    // Memory follows the output actually produced: start with what the input
    // plausibly expands to and double from there, so the size field alone
    // never decides how much is taken.
    m_out.resize(std::min<qsizetype>(size, std::max<qsizetype>(64 * 1024, m_inputBits)));
    char *out = m_out.data();
    qsizetype capacity = m_out.size();

    qsizetype pos = 0;
    uint32_t blockCodes = 0;
    while (pos < size) {
        if (blockCodes == 0) {
            blockCodes = readBlockHeader();
            continue;
        }
        --blockCodes;
        if (capacity - pos < kMaxMatch && capacity < size) {
            grow(pos + kMaxMatch);
            out = m_out.data();
            capacity = m_out.size();
        }

        const int c = m_charTable.decode(m_in);
        if (c < 256) {
            out[pos++] = char(c);
            continue;
        }
        const int length = c - kMatchSymbolBias;
        const int d = m_distTable.decode(m_in);
        const qsizetype distance = d <= 1 ? d : (qsizetype(1) << (d - 1)) + m_in.get(d - 1);
        const qsizetype from = pos - distance - 1;
        if (from < 0)
            Corrupt();  // reaches back before the first byte
        const qsizetype n = std::min<qsizetype>(length, size - pos);
        if (distance + 1 >= n) {
            std::memcpy(out + pos, out + from, size_t(n));
        } else {
            // The source overlaps what is being written: a repeating pattern.
            for (qsizetype k = 0; k < n; ++k)
                out[pos + k] = out[from + k];
        }
        pos += n;
    }
    return std::move(m_out);
}

} // namespace

QByteArray Decompress(QByteArrayView stream, quint32 size)
{
    if (size == 0)
        return QByteArray();
    return Decoder(stream, size).run();
}

quint64 MaxDecodedSize(qint64 streamBytes)
{
    const quint64 bits = quint64(streamBytes) * 8;
    const quint64 blocks = (bits + kMinBlockBits - 1) / kMinBlockBits;
    return blocks * kMaxCodesPerBlock * kMaxMatch;
}

} // namespace ludra::lh5
