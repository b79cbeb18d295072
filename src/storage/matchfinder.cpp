#include "storage/matchfinder.h"

#include "storage/lh5format.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace ludra::lh5 {

namespace {

// Number of equal bytes at a and b, at most limit; the bytes up to
// a + limit and b + limit must lie within the input.
inline int MatchLength(const uint8_t *a, const uint8_t *b, int limit)
{
    int n = 0;
    if constexpr (std::endian::native == std::endian::little) {
        while (n + 8 <= limit) {
            uint64_t x, y;
            std::memcpy(&x, a + n, 8);
            std::memcpy(&y, b + n, 8);
            if (const uint64_t diff = x ^ y)
                return n + std::countr_zero(diff) / 8;
            n += 8;
        }
    }
    while (n < limit && a[n] == b[n])
        ++n;
    return n;
}

} // namespace

MatchFinder::MatchFinder(const uint8_t *data, qsizetype size, int maxChain)
    : m_data(data), m_size(size), m_maxChain(maxChain),
      m_head3(size_t(1) << kHash3Bits, 0), m_head4(size_t(1) << kHash4Bits, 0),
      m_chain(kChainSize, 0)
{
    Q_ASSERT(size < qsizetype(UINT32_MAX));
}

inline uint32_t &MatchFinder::latest3(qsizetype pos)
{
    const uint8_t *const p = m_data + pos;
    const uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
    return m_head3[(v * 2654435761u) >> (32 - kHash3Bits)];
}

inline qsizetype MatchFinder::link(qsizetype pos)
{
    uint32_t v;
    std::memcpy(&v, m_data + pos, 4);
    uint32_t &latest = m_head4[(v * 2246822519u) >> (32 - kHash4Bits)];
    const qsizetype back = latest != 0 ? pos - (qsizetype(latest) - 1) : kDictSize + 1;
    const bool inReach = back <= kDictSize;
    m_chain[size_t(pos) & (kChainSize - 1)] = inReach ? uint16_t(back) : 0;
    latest = uint32_t(pos + 1);
    return inReach ? pos - back : -1;
}

int MatchFinder::find(qsizetype pos, Match *out)
{
    const qsizetype left = m_size - pos;
    if (left < kMinMatch)
        return 0;
    const uint8_t *const here = m_data + pos;
    const int limit = int(std::min<qsizetype>(kMaxMatch, left));
    int found = 0;

    // The nearest three-byte match (unless other bytes with the same hash
    // came later, which is rare enough not to matter).
    int bestLength = kMinMatch - 1;
    uint32_t &latest = latest3(pos);
    const qsizetype nearest = qsizetype(latest) - 1;
    latest = uint32_t(pos + 1);
    if (nearest >= 0 && pos - nearest <= kDictSize) {
        const int length = MatchLength(m_data + nearest, here, limit);
        if (length >= kMinMatch) {
            out[found++] = {length, int(pos - nearest - 1)};
            bestLength = length;
        }
    }
    if (left < 4)
        return found;

    // Longer matches: a candidate can only beat the best so far if it also
    // matches one byte beyond it, which most fail on at once.
    qsizetype candidate = link(pos);
    if (bestLength == limit)
        return found;
    for (int steps = m_maxChain; candidate >= 0 && steps > 0; --steps) {
        const uint8_t *const there = m_data + candidate;
        if (there[bestLength] == here[bestLength]) {
            const int length = MatchLength(there, here, limit);
            if (length > bestLength) {
                bestLength = length;
                out[found++] = {length, int(pos - candidate - 1)};
                if (length == limit)
                    break;
            }
        }
        const uint16_t back = m_chain[size_t(candidate) & (kChainSize - 1)];
        candidate -= back;
        if (back == 0 || pos - candidate > kDictSize)
            break;
    }
    return found;
}

void MatchFinder::insert(qsizetype pos)
{
    const qsizetype left = m_size - pos;
    if (left >= kMinMatch)
        latest3(pos) = uint32_t(pos + 1);
    if (left >= 4)
        link(pos);
}

} // namespace ludra::lh5
