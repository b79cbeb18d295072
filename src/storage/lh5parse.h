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

// Decides which literals and matches describe the input. It works through the
// input in windows of 16 KB: it gathers every useful match in the window, then
// picks the sequence of codes with the fewest expected bits (a shortest path
// over the positions), pricing each symbol from the frequencies of the
// previous choice. The first window is priced from a plain lazy-evaluation
// pass (a match is put off when the next position has a longer one); each
// window is chosen twice, the second time with the prices of the first.
class CodeChooser
{
public:
    CodeChooser(const uint8_t *data, qsizetype size);

    // The codes covering the next window, empty once the input is used up.
    const std::vector<Code> &next();

private:
    void gatherMatches(qsizetype start, qsizetype count);

    const uint8_t *m_data;
    qsizetype m_size;
    qsizetype m_done = 0;
    MatchFinder m_finder;
    bool m_priced = false;
    float m_charCost[kNumChars];
    float m_distCost[kNumDistances];
    // Matches of the current window: those of position i are
    // m_matches[m_first[i] .. m_first[i + 1]).
    std::vector<uint32_t> m_first;
    std::vector<MatchFinder::Match> m_matches;
    std::vector<float> m_pathCost;
    std::vector<Code> m_pathStep;
    std::vector<Code> m_codes;
};

} // namespace ludra::lh5
