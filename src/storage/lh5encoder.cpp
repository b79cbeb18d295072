#include "storage/lh5encoder.h"

#include "storage/bitwriter.h"
#include "storage/huffman.h"
#include "storage/lh5.h"
#include "storage/lh5format.h"
#include "storage/lh5parse.h"

#include <algorithm>

namespace ludra::lh5 {

std::vector<LengthItem> CharLengthItems(const uint8_t *lengths, int count)
{
    std::vector<LengthItem> items;
    int i = 0;
    while (i < count) {
        if (lengths[i] != 0) {
            items.push_back({uint8_t(lengths[i] + 2), 0});
            ++i;
            continue;
        }
        int run = 1;
        while (i + run < count && lengths[i + run] == 0)
            ++run;
        i += run;
        if (run <= 2) {
            items.insert(items.end(), size_t(run), LengthItem{0, 0});
        } else if (run <= 18) {
            items.push_back({1, uint16_t(run - 3)});
        } else if (run == 19) {
            // 19 fits neither the 4-bit run (3..18) nor the 9-bit one (20..).
            items.push_back({0, 0});
            items.push_back({1, 15});
        } else {
            items.push_back({2, uint16_t(run - 20)});
        }
    }
    return items;
}

namespace {

// Number of entries up to and including the last non-zero one.
int SentCount(const uint8_t *lengths, int count)
{
    while (count > 0 && lengths[count - 1] == 0)
        --count;
    return count;
}

// The used symbol of a table with fewer than two (0 if none is used).
int OnlySymbol(const uint32_t *freq, int count)
{
    for (int s = 0; s < count; ++s)
        if (freq[s] != 0)
            return s;
    return 0;
}

int UsedSymbols(const uint32_t *freq, int count)
{
    return int(std::count_if(freq, freq + count, [](uint32_t f) { return f != 0; }));
}

// Gathers codes into blocks and sends each block: its code count, its three
// length tables, then the codes.
class BlockEncoder
{
public:
    explicit BlockEncoder(qsizetype inputSize) : m_out(inputSize / 2 + 64) {}

    void literal(uint8_t c)
    {
        beginCode();
        m_buf[m_bufPos++] = c;
        ++m_charFreq[c];
    }

    void match(int length, int distance)
    {
        beginCode();
        m_buf[m_flagPos] |= m_mask;
        m_buf[m_bufPos++] = uint8_t(length - kMinMatch);  // low byte of the symbol
        m_buf[m_bufPos++] = uint8_t(distance >> 8);
        m_buf[m_bufPos++] = uint8_t(distance);
        ++m_charFreq[length + kMatchSymbolBias];
        ++m_distFreq[DistanceSymbol(distance)];
    }

    // Sends the codes gathered so far as a block of their own.
    void endBlock()
    {
        if (m_codes != 0)
            sendBlock();
    }

    QByteArray finish()
    {
        endBlock();
        m_out.put(0, 7);
        return m_out.takeBytes();
    }

private:
    // Each group of eight codes starts with a flag byte (bit 7 first, set for
    // a match). The block goes out when a new group would start in a buffer
    // that is nearly full.
    void beginCode()
    {
        m_mask >>= 1;
        if (m_mask == 0) {
            if (m_bufPos >= kBlockFlushAt)
                sendBlock();
            m_mask = 0x80;
            m_flagPos = m_bufPos++;
            m_buf[m_flagPos] = 0;
        }
        ++m_codes;
    }

    void sendBlock();
    void writeLengthTable(const uint8_t *lengths, int count, int countBits, int zeroRunAfter);
    void sendTable(const uint32_t *freq, int count, int countBits, int zeroRunAfter, uint8_t *lengths,
                   uint16_t *codes);
    void writeSingle(int countBits, int symbol)
    {
        m_out.put(0, countBits);
        m_out.put(uint32_t(symbol), countBits);
    }
    void writeCodes(const uint8_t *charLen, const uint16_t *charCode,
                    const uint8_t *distLen, const uint16_t *distCode);

    BitWriter m_out;
    uint8_t m_buf[kBlockBufferSize];
    int m_bufPos = 0;
    int m_flagPos = 0;
    uint8_t m_mask = 0;
    uint32_t m_codes = 0;  // codes in the current block (the last one may be incomplete)
    uint32_t m_charFreq[kNumChars] = {};
    uint32_t m_distFreq[kNumDistances] = {};
};

// A length table in the form shared by the length-code and distance tables:
// lengths 0..6 in three bits, 7 and more as 111, one 1 per step above 7 and
// a closing 0; with zeroRunAfter >= 0, a 2-bit count of skipped zero lengths
// follows that many lengths.
void BlockEncoder::writeLengthTable(const uint8_t *lengths, int count, int countBits,
                                    int zeroRunAfter)
{
    const int n = SentCount(lengths, count);
    m_out.put(uint32_t(n), countBits);
    int i = 0;
    while (i < n) {
        const int l = lengths[i++];
        if (l <= 6)
            m_out.put(uint32_t(l), 3);
        else
            m_out.put(((1u << (l - 4)) - 1) << 1, l - 3);
        if (i == zeroRunAfter) {
            int zeros = 0;
            while (zeros < 3 && i + zeros < n && lengths[i + zeros] == 0)
                ++zeros;
            m_out.put(uint32_t(zeros), 2);
            i += zeros;
        }
    }
}

// Builds the code of a length-code or distance table from its frequencies
// and sends it: in the one-symbol form when at most one symbol is used.
void BlockEncoder::sendTable(const uint32_t *freq, int count, int countBits, int zeroRunAfter, uint8_t *lengths,
                             uint16_t *codes)
{
    BuildCodeLengths(freq, count, lengths, kMaxCodeLength);
    AssignCanonicalCodes(lengths, count, codes);
    if (UsedSymbols(freq, count) < 2)
        writeSingle(countBits, OnlySymbol(freq, count));
    else
        writeLengthTable(lengths, count, countBits, zeroRunAfter);
}

void BlockEncoder::sendBlock()
{
    m_out.put(m_codes, 16);

    uint8_t charLen[kNumChars];
    uint16_t charCode[kNumChars];
    BuildCodeLengths(m_charFreq, kNumChars, charLen, kMaxCodeLength);
    AssignCanonicalCodes(charLen, kNumChars, charCode);

    if (UsedSymbols(m_charFreq, kNumChars) < 2) {
        writeSingle(kLengthCountBits, 0);
        writeSingle(kCharCountBits, OnlySymbol(m_charFreq, kNumChars));
    } else {
        const int n = SentCount(charLen, kNumChars);
        const std::vector<LengthItem> items = CharLengthItems(charLen, n);
        uint32_t lenFreq[kNumLengthSymbols] = {};
        for (const LengthItem &item : items)
            ++lenFreq[item.symbol];
        uint8_t lenLen[kNumLengthSymbols];
        uint16_t lenCode[kNumLengthSymbols];
        sendTable(lenFreq, kNumLengthSymbols, kLengthCountBits, kLengthZeroRunAfter, lenLen, lenCode);

        m_out.put(uint32_t(n), kCharCountBits);
        for (const LengthItem &item : items) {
            m_out.put(lenCode[item.symbol], lenLen[item.symbol]);
            if (item.symbol == 1)
                m_out.put(item.extra, 4);
            else if (item.symbol == 2)
                m_out.put(item.extra, kCharCountBits);
        }
    }

    uint8_t distLen[kNumDistances];
    uint16_t distCode[kNumDistances];
    sendTable(m_distFreq, kNumDistances, kDistanceCountBits, -1, distLen, distCode);

    writeCodes(charLen, charCode, distLen, distCode);

    std::fill(std::begin(m_charFreq), std::end(m_charFreq), 0u);
    std::fill(std::begin(m_distFreq), std::end(m_distFreq), 0u);
    m_codes = 0;
    m_bufPos = 0;
    m_mask = 0;
}

void BlockEncoder::writeCodes(const uint8_t *charLen, const uint16_t *charCode,
                              const uint8_t *distLen, const uint16_t *distCode)
{
    int pos = 0;
    uint8_t flags = 0;
    for (uint32_t k = 0; k < m_codes; ++k) {
        if (k % 8 == 0)
            flags = m_buf[pos++];
        const bool isMatch = flags & (0x80 >> (k % 8));
        if (!isMatch) {
            const uint8_t c = m_buf[pos++];
            m_out.put(charCode[c], charLen[c]);
            continue;
        }
        const int symbol = 256 + m_buf[pos];
        const int distance = m_buf[pos + 1] << 8 | m_buf[pos + 2];
        pos += 3;
        m_out.put(charCode[symbol], charLen[symbol]);
        const int d = DistanceSymbol(distance);
        m_out.put(distCode[d], distLen[d]);
        if (d > 1)
            m_out.put(uint32_t(distance), d - 1);  // put() keeps the low d - 1 bits
    }
}

// Passes codes on to a BlockEncoder, giving every long stretch of codes that
// share one literal/length symbol and one distance symbol blocks of their own.
// In such a block both tables hold a single symbol, which costs no bits per
// code; mixed with other codes, each would cost at least one. A stretch is
// held back until it is known to be long enough to be worth the extra block
// headers this brings.
class RunSplitter
{
public:
    explicit RunSplitter(BlockEncoder &out) : m_out(out) { m_held.reserve(kLongRun); }

    void add(Code c)
    {
        const uint32_t key = c.length == 0
            ? c.value
            : uint32_t(c.length + kMatchSymbolBias) | uint32_t(DistanceSymbol(c.value) + 1) << 16;
        if (key != m_key) {
            if (m_inLongRun)
                m_out.endBlock();
            else
                release();
            m_inLongRun = false;
            m_key = key;
        }
        if (m_inLongRun) {
            send(c);
            return;
        }
        m_held.push_back(c);
        if (m_held.size() == size_t(kLongRun)) {
            m_out.endBlock();
            release();
            m_inLongRun = true;
        }
    }

    QByteArray finish()
    {
        release();
        return m_out.finish();
    }

private:
    // Long enough that the codes saved outweigh the block headers added,
    // even when a block with full tables has to be started after the stretch.
    static constexpr int kLongRun = 2048;

    void send(Code c)
    {
        if (c.length == 0)
            m_out.literal(uint8_t(c.value));
        else
            m_out.match(c.length, c.value);
    }

    void release()
    {
        for (const Code &c : m_held)
            send(c);
        m_held.clear();
    }

    BlockEncoder &m_out;
    std::vector<Code> m_held;
    uint32_t m_key = UINT32_MAX;
    bool m_inLongRun = false;
};

} // namespace

QByteArray Compress(QByteArrayView input)
{
    const auto *data = reinterpret_cast<const uint8_t *>(input.data());
    BlockEncoder blocks(input.size());
    RunSplitter out(blocks);
    CodeChooser chooser(data, input.size());
    for (;;) {
        const std::vector<Code> &codes = chooser.next();
        if (codes.empty())
            break;
        for (const Code &c : codes)
            out.add(c);
    }
    return out.finish();
}

} // namespace ludra::lh5
