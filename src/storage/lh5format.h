#pragma once

// Constants of the lh5 bit stream: LZSS over an 8 KB window whose literals,
// match lengths and distances are sent with static Huffman codes per block.

#include <bit>

namespace ludra::lh5 {

inline constexpr int kDictBits = 13;
inline constexpr int kDictSize = 1 << kDictBits;  // distances 0..8191
inline constexpr int kMinMatch = 3;
inline constexpr int kMaxMatch = 256;

// Literal/length alphabet: 0..255 are bytes, 256 + (length - 3) a match.
inline constexpr int kNumChars = 256 + kMaxMatch - kMinMatch + 1;  // 510
inline constexpr int kMatchSymbolBias = 256 - kMinMatch;           // symbol = length + 253

// Distance alphabet: symbol 0 is distance 0, symbol k covers 2^(k-1)..2^k - 1.
inline constexpr int kNumDistances = kDictBits + 1;  // 14

// The distance symbol of a match distance; symbols above 1 are followed by
// (symbol - 1) extra bits, the distance without its leading 1 bit.
constexpr int DistanceSymbol(int distance)
{
    return int(std::bit_width(unsigned(distance)));
}

// Alphabet of the code that sends the literal/length code lengths:
// 0 = one zero, 1 = 3..18 zeros, 2 = 20..531 zeros, s >= 3 = length s - 2.
inline constexpr int kNumLengthSymbols = 19;

// Widths of the symbol counts in front of each length table.
inline constexpr int kLengthCountBits = 5;    // length-code table
inline constexpr int kCharCountBits = 9;      // literal/length table
inline constexpr int kDistanceCountBits = 4;  // distance table

// The length-code table carries a 2-bit zero count after this many lengths.
inline constexpr int kLengthZeroRunAfter = 3;

inline constexpr int kMaxCodeLength = 16;

// Encoder block buffer: codes are gathered here (one flag byte per eight codes,
// one byte per literal, three per match) and sent as a block once it holds
// this many bytes, which leaves room for one more group of eight matches.
inline constexpr int kBlockBufferSize = 16384;
inline constexpr int kBlockFlushAt = kBlockBufferSize - 24;

// The fewest bits one block can take: a 16-bit code count and three tables of
// which the smallest forms are 8, 9 and 7 bits. Used to bound how much output a
// compressed input of a given size can legitimately describe.
inline constexpr int kMinBlockBits = 16 + 8 + 9 + 7;
inline constexpr int kMaxCodesPerBlock = 0xFFFF;

} // namespace ludra::lh5
