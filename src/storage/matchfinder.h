#pragma once

#include <QtGlobal>
#include <cstdint>
#include <vector>

namespace ludra::lh5 {

// Finds earlier occurrences of the bytes at a position within the 8 KB
// window, through hash chains over their first three bytes. The whole input
// is held in memory, so positions are plain offsets into it (below 4 GiB).
class MatchFinder
{
public:
    struct Match
    {
        int length = 0;    // 3..256
        int distance = 0;  // bytes between source and position, minus one
    };

    // maxChain bounds how many earlier positions one search looks at.
    MatchFinder(const uint8_t *data, qsizetype size, int maxChain);

    // Appends every match at pos that is longer than all nearer ones, so the
    // list grows in length and distance and gives, for each length, the
    // nearest source; then enters pos into the chains. Each position is to be
    // visited once, in increasing order, by findAll() or insert().
    void findAll(qsizetype pos, std::vector<Match> &out);
    void insert(qsizetype pos);

private:
    static constexpr int kHashBits = 15;
    // Chain links are kept per position modulo this, which is larger than the
    // window, so a link still in reach is never overwritten.
    static constexpr int kChainSize = 1 << 14;

    uint32_t hashAt(qsizetype pos) const;
    int matchLength(qsizetype a, qsizetype b, int limit) const;
    void link(qsizetype pos, uint32_t hash);

    const uint8_t *m_data;
    qsizetype m_size;
    int m_maxChain;
    std::vector<uint32_t> m_head;   // per hash: latest position + 1, or 0
    std::vector<uint16_t> m_chain;  // per position: distance back to the previous one with its hash, 0 = none in reach
};

} // namespace ludra::lh5
