#include "storage/matchfinder.h"

#include "storage/lh5format.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace ludra::lh5 {

MatchFinder::MatchFinder(const uint8_t *data, qsizetype size, int maxChain)
    : m_data(data), m_size(size), m_maxChain(maxChain),
      m_head(size_t(1) << kHashBits, 0), m_chain(kChainSize, 0)
{
    Q_ASSERT(size < qsizetype(UINT32_MAX));
}

uint32_t MatchFinder::hashAt(qsizetype pos) const
{
    const uint32_t v = uint32_t(m_data[pos]) | uint32_t(m_data[pos + 1]) << 8
                       | uint32_t(m_data[pos + 2]) << 16;
    return (v * 2654435761u) >> (32 - kHashBits);
}

// Number of equal bytes at a and b, at most limit; b + limit must lie within
// the input.
int MatchFinder::matchLength(qsizetype a, qsizetype b, int limit) const
{
    int n = 0;
    if constexpr (std::endian::native == std::endian::little) {
        while (n + 8 <= limit) {
            uint64_t x, y;
            std::memcpy(&x, m_data + a + n, 8);
            std::memcpy(&y, m_data + b + n, 8);
            if (const uint64_t diff = x ^ y)
                return n + std::countr_zero(diff) / 8;
            n += 8;
        }
    }
    while (n < limit && m_data[a + n] == m_data[b + n])
        ++n;
    return n;
}

void MatchFinder::link(qsizetype pos, uint32_t hash)
{
    const uint32_t latest = m_head[hash];
    const qsizetype back = latest != 0 ? pos - (qsizetype(latest) - 1) : 0;
    m_chain[size_t(pos) & (kChainSize - 1)] = back <= kDictSize ? uint16_t(back) : 0;
    m_head[hash] = uint32_t(pos + 1);
}

void MatchFinder::findAll(qsizetype pos, std::vector<Match> &out)
{
    const qsizetype left = m_size - pos;
    if (left < kMinMatch)
        return;
    const int limit = int(std::min<qsizetype>(kMaxMatch, left));
    const uint32_t h = hashAt(pos);

    const uint32_t latest = m_head[h];
    qsizetype candidate = qsizetype(latest) - 1;
    int bestLength = kMinMatch - 1;
    for (int steps = m_maxChain; latest != 0 && pos - candidate <= kDictSize && steps > 0; --steps) {
        // A candidate can only beat the best so far if it also matches one
        // byte beyond it; checking that byte first skips most of them cheaply.
        if (m_data[candidate + bestLength] == m_data[pos + bestLength]) {
            const int length = matchLength(candidate, pos, limit);
            if (length > bestLength) {
                bestLength = length;
                out.push_back({length, int(pos - candidate - 1)});
                if (length == limit)
                    break;
            }
        }
        const uint16_t back = m_chain[size_t(candidate) & (kChainSize - 1)];
        if (back == 0)
            break;
        candidate -= back;
    }
    link(pos, h);
}

void MatchFinder::insert(qsizetype pos)
{
    if (m_size - pos >= kMinMatch)
        link(pos, hashAt(pos));
}

} // namespace ludra::lh5
