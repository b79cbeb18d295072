#pragma once

// Pieces of the lh5 encoder that have rules of their own worth testing apart
// from a whole stream.

#include <cstdint>
#include <vector>

namespace ludra::lh5 {

// One item of the literal/length code-length list, as sent with the
// length code: symbol 0 = one zero length, 1 = (extra + 3) zeros in 4 bits,
// 2 = (extra + 20) zeros in 9 bits, s >= 3 = a length of s - 2.
struct LengthItem
{
    uint8_t symbol;
    uint16_t extra;
    bool operator==(const LengthItem &) const = default;
};

// The items that send the first `count` literal/length code lengths
// (count is one past the last non-zero length).
std::vector<LengthItem> CharLengthItems(const uint8_t *lengths, int count);

} // namespace ludra::lh5
