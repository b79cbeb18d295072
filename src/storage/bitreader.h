#pragma once

#include <QtGlobal>
#include <cstdint>

namespace ludra::lh5 {

// Reads bits most significant first. Bits past the end of the input read as
// zero; pastEnd() tells a caller when it is living on those.
class BitReader
{
public:
    BitReader(const uint8_t *data, qsizetype size)
        : m_next(data), m_end(data + size), m_totalBits(qint64(size) * 8)
    {
        refill();
    }

    // The next `count` bits (0..16) without consuming them.
    uint32_t peek(int count) const
    {
        return count == 0 ? 0 : uint32_t(m_buf >> (64 - count));
    }

    void skip(int count)
    {
        m_buf <<= count;
        m_avail -= count;
        m_position += count;
        if (m_avail < 32)
            refill();
    }

    uint32_t get(int count)
    {
        const uint32_t v = peek(count);
        skip(count);
        return v;
    }

    // Bits consumed so far, counted from the start of the input.
    qint64 position() const { return m_position; }
    bool pastEnd() const { return m_position >= m_totalBits; }

private:
    // Keeps at least 32 bits buffered, so any peek of up to 16 bits and a
    // following skip never starve.
    void refill()
    {
        while (m_avail <= 56) {
            const uint64_t byte = m_next < m_end ? *m_next++ : 0;
            m_buf |= byte << (56 - m_avail);
            m_avail += 8;
        }
    }

    const uint8_t *m_next;
    const uint8_t *m_end;
    qint64 m_totalBits;
    qint64 m_position = 0;
    uint64_t m_buf = 0;  // next bits, left-aligned
    int m_avail = 0;     // valid bits in m_buf
};

} // namespace ludra::lh5
