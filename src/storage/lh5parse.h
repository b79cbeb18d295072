#pragma once

#include "storage/lh5format.h"
#include "storage/matchfinder.h"

#include <QtGlobal>
#include <cstdint>
#include <vector>

namespace ludra::lh5 {

// One code to send: a literal byte or a match.
struct Code
{
    uint16_t length;  // 0 for a literal, else 3..256
    uint16_t value;   // the literal byte, or the match distance
};

// How thoroughly the matches of a position are searched.
struct SearchEffort
{
    int maxChain;    // positions of a four-byte chain tried per search
    int takeAtOnce;  // a match this long is taken as it stands
};

// Decides which literals and matches describe the input. It works through the
// input in windows of about 16 KB: it gathers the useful matches of the
// window, then picks the sequence of codes with the fewest expected bits (a
// shortest path over the positions), pricing each symbol from how often it
// was chosen in the window before. The first window has no window before it:
// it is priced from a plain lazy-evaluation pass (a match is put off when the
// next position has a longer one), then chosen twice, the second time with
// the prices of the first.
class CodeChooser
{
public:
    CodeChooser(const uint8_t *data, qsizetype size);

    // The codes covering the next window, empty once the input is used up.
    const std::vector<Code> &next();

private:
    // Gathers the matches of a window of about `count` positions from
    // `start`; returns its actual size.
    qsizetype gatherMatches(qsizetype start, qsizetype count);
    void chooseLazily(qsizetype start, qsizetype count);
    void chooseCheapest(qsizetype start, qsizetype count);
    void setPrices();

    const uint8_t *m_data;
    qsizetype m_size;
    qsizetype m_done = 0;
    SearchEffort m_effort;
    MatchFinder m_finder;
    // Expected bits of each symbol, in sixteenths of a bit; the price of a
    // distance symbol includes its extra bits.
    uint32_t m_charPrice[kNumChars];
    uint32_t m_distPrice[kNumDistances];
    // Matches of the current window: those of position i are
    // m_matches[m_first[i] .. m_first[i + 1]).
    std::vector<uint32_t> m_first;
    std::vector<MatchFinder::Match> m_matches;
    // Per position of the window, the cheapest way found to reach it from
    // the window's start: price << 32 | length << 16 | distance of its last
    // code (length 0 for a literal). The smallest number is the cheapest
    // way, a tie going to a literal or the shorter match.
    std::vector<uint64_t> m_reach;
    std::vector<Code> m_codes;
};

} // namespace ludra::lh5
