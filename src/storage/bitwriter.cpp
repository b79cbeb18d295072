#include "storage/bitwriter.h"

namespace ludra::lh5 {

void BitWriter::drain()
{
    // Called with at least 32 bits pending: moves four whole bytes at once.
    m_pending -= 32;
    const uint32_t word = uint32_t(m_acc >> m_pending);
    const char bytes[4] = {char(word >> 24), char(word >> 16), char(word >> 8), char(word)};
    m_out.append(bytes, 4);
}

QByteArray BitWriter::takeBytes()
{
    while (m_pending >= 8) {
        m_pending -= 8;
        m_out.append(char(uint8_t(m_acc >> m_pending)));
    }
    m_acc = 0;
    m_pending = 0;
    return std::move(m_out);
}

} // namespace ludra::lh5
