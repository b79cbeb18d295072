#include "storage/bitwriter.h"

namespace ludra::lh5 {

void BitWriter::drain()
{
    while (m_pending >= 8) {
        m_pending -= 8;
        m_out.append(char(uint8_t(m_acc >> m_pending)));
    }
}

QByteArray BitWriter::takeBytes()
{
    drain();
    m_acc = 0;
    m_pending = 0;
    return std::move(m_out);
}

} // namespace ludra::lh5
