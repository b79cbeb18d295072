#pragma once

#include "storage/bitreader.h"

#include <cstdint>
#include <vector>

namespace ludra::lh5 {

// Canonical Huffman codes as the lh5 stream uses them: codes of one length are
// consecutive numbers in increasing symbol order, and shorter codes come first.

// Code lengths from symbol frequencies, none longer than maxLength. With two or
// more used symbols the lengths form a complete code (Kraft sum exactly 1) and a
// more frequent symbol never gets a longer code than a less frequent one. With
// fewer than two used symbols every length is 0: such a table is sent in the
// single-symbol form instead.
void BuildCodeLengths(const uint32_t *freq, int count, uint8_t *lengths, int maxLength);

// Whether the lengths (each 0..16, 0 = unused) form a complete prefix code.
bool IsCompleteCode(const uint8_t *lengths, int count);

// The canonical code of every symbol with a non-zero length.
void AssignCanonicalCodes(const uint8_t *lengths, int count, uint16_t *codes);

// Decodes symbols of one table: a direct lookup on the next `fastBits` bits,
// and a walk over the longer code lengths for codes that do not fit.
class DecodeTable
{
public:
    explicit DecodeTable(int fastBits);

    // Returns false when the lengths do not form a complete code.
    bool build(const uint8_t *lengths, int count);
    // Every lookup yields `symbol` and consumes no bits.
    void buildSingle(int symbol);

    int decode(BitReader &in) const
    {
        const uint32_t entry = m_fast[in.peek(m_fastBits)];
        const int length = int(entry & 0xFF);
        if (length == kLongCode)
            return decodeLong(in);
        in.skip(length);
        return int(entry >> 8);
    }

private:
    static constexpr int kLongCode = 0xFF;
    int decodeLong(BitReader &in) const;

    int m_fastBits;
    std::vector<uint32_t> m_fast;  // (symbol << 8) | code length, or kLongCode
    // For lengths above m_fastBits: first canonical code, number of codes, and
    // where their symbols start in m_sorted.
    uint32_t m_first[17] = {};
    uint32_t m_count[17] = {};
    uint32_t m_offset[17] = {};
    std::vector<uint16_t> m_sorted;  // used symbols ordered by (length, symbol)
};

} // namespace ludra::lh5
