#pragma once

#include <QByteArray>
#include <cstdint>

namespace ludra::lh5 {

// Collects bits most significant first into bytes.
class BitWriter
{
public:
    explicit BitWriter(qsizetype expectedBytes = 0) { m_out.reserve(expectedBytes); }

    // Appends the low `count` bits of `value` (count 0..25), highest first.
    void put(uint32_t value, int count)
    {
        m_acc = (m_acc << count) | (value & ((uint64_t(1) << count) - 1));
        m_pending += count;
        if (m_pending >= 32)
            drain();
    }

    // Number of bits written so far.
    qint64 bitCount() const { return qint64(m_out.size()) * 8 + m_pending; }

    // Returns the complete bytes written; bits of an unfinished last byte are
    // dropped, so callers end the stream with enough padding bits themselves.
    QByteArray takeBytes();

private:
    void drain();

    QByteArray m_out;
    uint64_t m_acc = 0;
    int m_pending = 0;  // bits in m_acc not yet moved to m_out
};

} // namespace ludra::lh5
