#include "storage/huffman.h"

#include <algorithm>

namespace ludra::lh5 {

namespace {

constexpr int kMaxLength = 16;

// Number of codes of each length 0..16.
void CountLengths(const uint8_t *lengths, int count, uint32_t (&perLength)[kMaxLength + 1])
{
    std::fill(std::begin(perLength), std::end(perLength), 0u);
    for (int s = 0; s < count; ++s)
        ++perLength[lengths[s]];
}

// Depth of every leaf in an unrestricted Huffman tree. `order` lists the used
// symbols by increasing frequency; because the two cheapest nodes are always
// taken from the fronts of two queues already in order (leaves, and the
// internal nodes in order of creation), no heap is needed.
std::vector<int> HuffmanDepths(const uint32_t *freq, const std::vector<int> &order)
{
    const int leaves = int(order.size());
    const int internals = leaves - 1;
    std::vector<uint64_t> weight(internals);
    std::vector<int> leafParent(leaves), nodeParent(internals, -1);

    int nextLeaf = 0, nextNode = 0;
    auto takeCheapest = [&](int created) -> int {  // >= 0 leaf, < 0 ~internal
        const bool leafLeft = nextLeaf < leaves;
        const bool nodeLeft = nextNode < created;
        if (leafLeft && (!nodeLeft || freq[order[nextLeaf]] <= weight[nextNode]))
            return nextLeaf++;
        return ~nextNode++;
    };
    auto weightOf = [&](int n) -> uint64_t { return n >= 0 ? freq[order[n]] : weight[~n]; };
    auto setParent = [&](int n, int parent) {
        if (n >= 0)
            leafParent[n] = parent;
        else
            nodeParent[~n] = parent;
    };

    for (int created = 0; created < internals; ++created) {
        const int a = takeCheapest(created);
        const int b = takeCheapest(created);
        weight[created] = weightOf(a) + weightOf(b);
        setParent(a, created);
        setParent(b, created);
    }

    // Parents are created after their children, so walking down from the root
    // (the last node) visits every parent before its children.
    std::vector<int> nodeDepth(internals, 0);
    for (int n = internals - 2; n >= 0; --n)
        nodeDepth[n] = nodeDepth[nodeParent[n]] + 1;
    std::vector<int> depth(leaves);
    for (int l = 0; l < leaves; ++l)
        depth[l] = nodeDepth[leafParent[l]] + 1;
    return depth;
}

} // namespace

void BuildCodeLengths(const uint32_t *freq, int count, uint8_t *lengths, int maxLength)
{
    std::fill(lengths, lengths + count, uint8_t(0));
    std::vector<int> order;
    for (int s = 0; s < count; ++s)
        if (freq[s] != 0)
            order.push_back(s);
    if (order.size() < 2)
        return;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return freq[a] < freq[b]; });

    const std::vector<int> depth = HuffmanDepths(freq, order);

    // How many codes get each length; codes deeper than the limit are first
    // pulled up to it, which oversubscribes the code space.
    std::vector<uint32_t> perLength(maxLength + 1, 0);
    for (int d : depth)
        ++perLength[std::min(d, maxLength)];
    uint64_t kraft = 0;  // in units of 2^-maxLength
    for (int l = 1; l <= maxLength; ++l)
        kraft += uint64_t(perLength[l]) << (maxLength - l);
    // Each step takes one code off the longest length and splits a code of the
    // next shorter used length into two one bit longer: the number of codes
    // stays, the Kraft sum drops by exactly one unit, so it ends at exactly 1.
    const uint64_t full = uint64_t(1) << maxLength;
    while (kraft > full) {
        --perLength[maxLength];
        for (int l = maxLength - 1; l > 0; --l) {
            if (perLength[l] != 0) {
                --perLength[l];
                perLength[l + 1] += 2;
                break;
            }
        }
        --kraft;
    }

    // The rarest symbols take the longest codes.
    auto next = order.begin();
    for (int l = maxLength; l > 0; --l)
        for (uint32_t k = 0; k < perLength[l]; ++k)
            lengths[*next++] = uint8_t(l);
}

bool IsCompleteCode(const uint8_t *lengths, int count)
{
    uint64_t kraft = 0;
    for (int s = 0; s < count; ++s) {
        if (lengths[s] > kMaxLength)
            return false;
        if (lengths[s] != 0)
            kraft += uint64_t(1) << (kMaxLength - lengths[s]);
    }
    return kraft == (uint64_t(1) << kMaxLength);
}

void AssignCanonicalCodes(const uint8_t *lengths, int count, uint16_t *codes)
{
    uint32_t perLength[kMaxLength + 1];
    CountLengths(lengths, count, perLength);
    uint32_t next[kMaxLength + 2] = {};
    for (int l = 1; l <= kMaxLength; ++l)
        next[l + 1] = (next[l] + perLength[l]) << 1;
    for (int s = 0; s < count; ++s)
        codes[s] = lengths[s] != 0 ? uint16_t(next[lengths[s]]++) : 0;
}

DecodeTable::DecodeTable(int fastBits)
    : m_fastBits(fastBits), m_fast(size_t(1) << fastBits, kLongCode)
{
}

bool DecodeTable::build(const uint8_t *lengths, int count)
{
    if (!IsCompleteCode(lengths, count))
        return false;

    uint32_t perLength[kMaxLength + 1];
    CountLengths(lengths, count, perLength);

    uint32_t next[kMaxLength + 2] = {};
    uint32_t offset = 0;
    for (int l = 1; l <= kMaxLength; ++l) {
        next[l + 1] = (next[l] + perLength[l]) << 1;
        m_first[l] = next[l];
        m_count[l] = perLength[l];
        m_offset[l] = offset;
        offset += perLength[l];
    }

    m_sorted.assign(offset, 0);
    uint32_t fill[kMaxLength + 1];
    std::copy(std::begin(m_offset), std::end(m_offset), fill);
    std::fill(m_fast.begin(), m_fast.end(), uint32_t(kLongCode));
    for (int s = 0; s < count; ++s) {
        const int l = lengths[s];
        if (l == 0)
            continue;
        m_sorted[fill[l]++] = uint16_t(s);
        const uint32_t code = next[l]++;
        if (l <= m_fastBits) {
            const int spare = m_fastBits - l;
            const uint32_t entry = (uint32_t(s) << 8) | uint32_t(l);
            std::fill_n(m_fast.begin() + (code << spare), size_t(1) << spare, entry);
        }
    }
    return true;
}

void DecodeTable::buildSingle(int symbol)
{
    std::fill(m_fast.begin(), m_fast.end(), uint32_t(symbol) << 8);
}

int DecodeTable::decodeLong(BitReader &in) const
{
    const uint32_t bits = in.peek(kMaxLength);
    for (int l = m_fastBits + 1; l <= kMaxLength; ++l) {
        const uint32_t code = bits >> (kMaxLength - l);
        if (code - m_first[l] < m_count[l]) {
            in.skip(l);
            return m_sorted[m_offset[l] + code - m_first[l]];
        }
    }
    // Unreachable for a complete code: every 16-bit pattern begins with a code.
    in.skip(kMaxLength);
    return 0;
}

} // namespace ludra::lh5
