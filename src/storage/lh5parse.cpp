#include "storage/lh5parse.h"

#include <algorithm>
#include <cmath>

namespace ludra::lh5 {

namespace {

// Positions chosen together. Long enough that the prices settle and that the
// cut between windows (where a match may not reach across) rarely matters.
constexpr qsizetype kWindowSize = 16384;

// How thoroughly matches are searched. Inputs up to 128 KB (a project file
// is some tens of KB) have every position searched 64 deep: at a few MB/s
// that takes milliseconds, and finds what there is to find. On larger
// inputs the time matters more than the last percent: chains are searched
// 16 deep, and since long repeats are where a search at every position
// costs the most, a match of 32 bytes or more is taken as it stands there
// and the positions inside it are only entered into the match finder,
// neither searched nor weighed; little better is likely to start there.
constexpr qsizetype kSmallInput = 128 * 1024;
constexpr SearchEffort kSmallInputEffort = {64, kMaxMatch};
constexpr SearchEffort kLargeInputEffort = {16, 32};

constexpr int kPriceScale = 16;  // prices are in sixteenths of a bit

// Expected price per symbol from how often each occurred: -log2 of its share.
// A symbol not seen is priced as a little rarer than one seen once.
void PriceSymbols(const uint32_t *freq, int count, uint32_t *price)
{
    uint64_t total = 0;
    for (int s = 0; s < count; ++s)
        total += freq[s];
    const float all = float(std::max<uint64_t>(total, 1));
    const auto scaled = [](float bits) { return uint32_t(std::lround(bits * kPriceScale)); };
    const uint32_t unseen = scaled(std::log2(all) + 2.0f);
    for (int s = 0; s < count; ++s)
        price[s] = freq[s] != 0 ? scaled(std::log2(all / float(freq[s]))) : unseen;
}

} // namespace

CodeChooser::CodeChooser(const uint8_t *data, qsizetype size)
    : m_data(data), m_size(size),
      m_effort(size <= kSmallInput ? kSmallInputEffort : kLargeInputEffort),
      m_finder(data, size, m_effort.maxChain)
{
}

qsizetype CodeChooser::gatherMatches(qsizetype start, qsizetype count)
{
    // A match taken as it stands may carry the window past its planned end,
    // so that it is not cut in two.
    const qsizetype available = m_size - start;
    m_first.resize(size_t(std::min(count + kMaxMatch, available)) + 1);
    m_first[0] = 0;
    uint32_t used = 0;
    qsizetype takenUntil = 0;
    qsizetype i = 0;
    for (; i < count || (i < takenUntil && i < available); ++i) {
        if (i < takenUntil) {
            m_finder.insert(start + i);
            m_first[i + 1] = used;
            continue;
        }
        if (m_matches.size() < used + kMaxMatch)
            m_matches.resize(std::max<size_t>(2 * m_matches.size(), used + kMaxMatch));
        const int found = m_finder.find(start + i, m_matches.data() + used);
        if (found != 0 && m_matches[used + found - 1].length >= m_effort.takeAtOnce)
            takenUntil = i + m_matches[used + found - 1].length;
        used += uint32_t(found);
        m_first[i + 1] = used;
    }
    return i;
}

void CodeChooser::chooseLazily(qsizetype start, qsizetype count)
{
    // The longest match at i that stays inside the window.
    auto longestAt = [&](qsizetype i) -> int {
        if (i >= count || m_first[i + 1] == m_first[i])
            return 0;
        return int(std::min<qsizetype>(m_matches[m_first[i + 1] - 1].length, count - i));
    };
    m_codes.clear();
    for (qsizetype i = 0; i < count;) {
        const int here = longestAt(i);
        if (here < kMinMatch || longestAt(i + 1) > here) {
            m_codes.push_back({0, m_data[start + i]});
            ++i;
        } else {
            const MatchFinder::Match &m = m_matches[m_first[i + 1] - 1];
            m_codes.push_back({uint16_t(here), uint16_t(m.distance)});
            i += here;
        }
    }
}

void CodeChooser::chooseCheapest(qsizetype start, qsizetype count)
{
    // The prices of the symbols placed as they go into m_reach, with the
    // length of a match beside its price.
    uint64_t literalPart[256];
    for (int c = 0; c < 256; ++c)
        literalPart[c] = uint64_t(m_charPrice[c]) << 32;
    uint64_t lengthPart[kMaxMatch + 1];
    for (int length = kMinMatch; length <= kMaxMatch; ++length)
        lengthPart[length] = uint64_t(m_charPrice[length + kMatchSymbolBias]) << 32 | uint64_t(length) << 16;
    uint64_t distancePart[kNumDistances];
    for (int d = 0; d < kNumDistances; ++d)
        distancePart[d] = uint64_t(m_distPrice[d]) << 32;

    m_reach.assign(size_t(count) + 1, UINT64_MAX);
    m_reach[0] = 0;
    uint64_t *const reach = m_reach.data();
    const uint8_t *const bytes = m_data + start;
    const MatchFinder::Match *const matches = m_matches.data();
    const uint32_t *const first = m_first.data();
    for (qsizetype i = 0; i < count; ++i) {
        const uint64_t here = reach[i] & ~uint64_t(0xFFFFFFFF);
        reach[i + 1] = std::min(reach[i + 1], here + literalPart[bytes[i]]);
        // Lengths between two listed matches are served by the longer,
        // which is the nearest source for them.
        const MatchFinder::Match *m = matches + first[i];
        const MatchFinder::Match *const end = matches + first[i + 1];
        if (m == end)
            continue;
        const int room = int(std::min<qsizetype>(count - i, kMaxMatch));
        uint64_t *const to = reach + i;
        int length = kMinMatch;
        for (; m != end; ++m) {
            const int longest = std::min(m->length, room);
            const uint64_t base = here + distancePart[DistanceSymbol(m->distance)] + uint64_t(m->distance);
            for (; length <= longest; ++length)
                to[length] = std::min(to[length], base + lengthPart[length]);
        }
    }

    m_codes.clear();
    for (qsizetype i = count; i > 0;) {
        const uint32_t step = uint32_t(reach[i]);
        const uint16_t length = uint16_t(step >> 16);
        if (length == 0) {
            m_codes.push_back({0, bytes[i - 1]});
            --i;
        } else {
            m_codes.push_back({length, uint16_t(step)});
            i -= length;
        }
    }
    std::reverse(m_codes.begin(), m_codes.end());
}

void CodeChooser::setPrices()
{
    uint32_t charFreq[kNumChars] = {};
    uint32_t distFreq[kNumDistances] = {};
    for (const Code &c : m_codes) {
        if (c.length == 0) {
            ++charFreq[c.value];
        } else {
            ++charFreq[c.length + kMatchSymbolBias];
            ++distFreq[DistanceSymbol(c.value)];
        }
    }
    PriceSymbols(charFreq, kNumChars, m_charPrice);
    PriceSymbols(distFreq, kNumDistances, m_distPrice);
    for (int d = 2; d < kNumDistances; ++d)
        m_distPrice[d] += uint32_t((d - 1) * kPriceScale);
}

const std::vector<Code> &CodeChooser::next()
{
    m_codes.clear();
    if (m_done >= m_size)
        return m_codes;
    const qsizetype start = m_done;
    const bool first = start == 0;
    const qsizetype count = gatherMatches(start, std::min(kWindowSize, m_size - start));
    m_done += count;

    if (first) {
        chooseLazily(start, count);
        setPrices();
    }
    for (int round = 0, rounds = first ? 2 : 1; round < rounds; ++round) {
        chooseCheapest(start, count);
        setPrices();
    }
    return m_codes;
}

} // namespace ludra::lh5
