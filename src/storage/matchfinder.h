#pragma once

#include <QtGlobal>
#include <cstdint>
#include <vector>

namespace ludra::lh5 {

// Finds earlier occurrences of the bytes at a position within the 8 KB
// window. The nearest earlier position with the same first three bytes comes
// from a table that keeps only the latest position per three-byte hash;
// longer matches come from hash chains over the first four bytes, which on
// text are several times shorter than chains over three bytes would be. The
// whole input is held in memory, so positions are plain offsets into it
// (below 4 GiB).
class MatchFinder
{
public:
    struct Match
    {
        int length = 0;    // 3..256
        int distance = 0;  // bytes between source and position, minus one
    };

    // maxChain bounds how many positions of a four-byte chain one search
    // looks at.
    MatchFinder(const uint8_t *data, qsizetype size, int maxChain);

    // Writes to out (room for kMaxMatch entries) every match at pos that is
    // longer than all nearer ones, so the list grows in length and distance
    // and gives, for each length, the nearest source found; returns how many.
    // Then enters pos as a source for later positions. Each position is to be
    // visited once, in increasing order, by find() or insert().
    int find(qsizetype pos, Match *out);
    // Enters pos as a source without looking for its matches.
    void insert(qsizetype pos);

private:
    static constexpr int kHash3Bits = 12;
    static constexpr int kHash4Bits = 14;
    // Chain links are kept per position modulo this, which is larger than the
    // window, so a link still in reach is never overwritten.
    static constexpr int kChainSize = 1 << 14;

    uint32_t &latest3(qsizetype pos);
    // Enters pos into its four-byte chain; returns the previous position of
    // the chain, or -1 if none is in reach.
    qsizetype link(qsizetype pos);

    const uint8_t *m_data;
    qsizetype m_size;
    int m_maxChain;
    std::vector<uint32_t> m_head3;  // per three-byte hash: latest position + 1, or 0
    std::vector<uint32_t> m_head4;  // per four-byte hash: latest position + 1, or 0
    std::vector<uint16_t> m_chain;  // per position: distance back to the previous one with its four-byte hash, 0 = none in reach
};

} // namespace ludra::lh5
