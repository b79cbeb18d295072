#include "storage/lh5parse.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ludra::lh5 {

namespace {

// Positions chosen together. Long enough that the prices settle and that the
// cut between windows (where a match may not reach across) rarely matters.
constexpr qsizetype kWindowSize = 16384;

// How many positions of a four-byte chain a match search tries. The window
// is only 8 KB, so this finds nearly every match worth having on text.
constexpr int kMaxChain = 128;

// A full-length match is taken as it stands: nothing can beat it by much, and
// weighing every position inside long runs would cost time for nothing.
constexpr int kTakeAtOnce = kMaxMatch;

// Expected bits per symbol from how often each occurred: -log2 of its share.
// A symbol not seen is priced as a little rarer than one seen once.
void PriceSymbols(const uint32_t *freq, int count, float *cost)
{
    uint64_t total = 0;
    for (int s = 0; s < count; ++s)
        total += freq[s];
    const float all = float(std::max<uint64_t>(total, 1));
    const float unseen = std::log2(all) + 2.0f;
    for (int s = 0; s < count; ++s)
        cost[s] = freq[s] != 0 ? std::log2(all / float(freq[s])) : unseen;
}

} // namespace

CodeChooser::CodeChooser(const uint8_t *data, qsizetype size)
    : m_data(data), m_size(size), m_finder(data, size, kMaxChain)
{
}

void CodeChooser::gatherMatches(qsizetype start, qsizetype count)
{
    m_first.assign(1, 0);
    uint32_t used = 0;
    for (qsizetype i = 0; i < count; ++i) {
        if (m_matches.size() < used + kMaxMatch)
            m_matches.resize(std::max<size_t>(2 * m_matches.size(), used + kMaxMatch));
        const int found = m_finder.find(start + i, m_matches.data() + used);
        if (found != 0 && m_matches[used + found - 1].length >= kTakeAtOnce) {
            // Keep only the long match here and none inside it.
            m_matches[used] = m_matches[used + found - 1];
            m_first.push_back(++used);
            const qsizetype end = std::min(i + m_matches[used - 1].length, count);
            for (++i; i < end; ++i) {
                m_finder.insert(start + i);
                m_first.push_back(used);
            }
            --i;
            continue;
        }
        used += uint32_t(found);
        m_first.push_back(used);
    }
}

const std::vector<Code> &CodeChooser::next()
{
    m_codes.clear();
    if (m_done >= m_size)
        return m_codes;
    const qsizetype start = m_done;
    const qsizetype count = std::min(kWindowSize, m_size - start);
    m_done += count;
    gatherMatches(start, count);

    // The longest match at i that stays inside the window.
    auto longestAt = [&](qsizetype i) -> int {
        if (i >= count || m_first[i + 1] == m_first[i])
            return 0;
        return int(std::min<qsizetype>(m_matches[m_first[i + 1] - 1].length, count - i));
    };
    auto price = [&]() {
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
        PriceSymbols(charFreq, kNumChars, m_charCost);
        PriceSymbols(distFreq, kNumDistances, m_distCost);
        m_priced = true;
    };

    if (!m_priced) {
        // Lazy evaluation: a match waits if the next position has a longer one.
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
        price();
    }

    for (int round = 0; round < 2; ++round) {
        // Cheapest way to reach each position from the window's start.
        m_pathCost.assign(size_t(count) + 1, std::numeric_limits<float>::infinity());
        m_pathStep.resize(size_t(count) + 1);
        m_pathCost[0] = 0;
        for (qsizetype i = 0; i < count; ++i) {
            const float here = m_pathCost[i];
            const uint8_t byte = m_data[start + i];
            if (here + m_charCost[byte] < m_pathCost[i + 1]) {
                m_pathCost[i + 1] = here + m_charCost[byte];
                m_pathStep[i + 1] = {0, byte};
            }
            // Lengths between two listed matches are served by the longer,
            // which is the nearest source for them.
            int shorter = kMinMatch - 1;
            for (uint32_t k = m_first[i]; k < m_first[i + 1]; ++k) {
                const int longest = int(std::min<qsizetype>(m_matches[k].length, count - i));
                const int distance = m_matches[k].distance;
                const int d = DistanceSymbol(distance);
                const float distanceBits = here + m_distCost[d] + float(std::max(d - 1, 0));
                for (int length = shorter + 1; length <= longest; ++length) {
                    const float total = distanceBits + m_charCost[length + kMatchSymbolBias];
                    if (total < m_pathCost[i + length]) {
                        m_pathCost[i + length] = total;
                        m_pathStep[i + length] = {uint16_t(length), uint16_t(distance)};
                    }
                }
                shorter = std::max(shorter, longest);
            }
        }
        m_codes.clear();
        for (qsizetype i = count; i > 0;) {
            const Code step = m_pathStep[i];
            m_codes.push_back(step);
            i -= step.length == 0 ? 1 : step.length;
        }
        std::reverse(m_codes.begin(), m_codes.end());
        price();
    }
    return m_codes;
}

} // namespace ludra::lh5
