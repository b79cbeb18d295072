#pragma once

// Inputs for the codec and container tests and benchmarks, made up on the
// spot from a seed so that no test depends on files of the machine it runs on.

#include <QByteArray>
#include <QList>

namespace ludra::test {

// English-like text: words of a fixed vocabulary with skewed frequencies,
// numbers and punctuation, in lines ending in CR LF.
QByteArray SampleText(qsizetype bytes, quint32 seed);

// Bytes with no structure at all.
QByteArray SampleRandom(qsizetype bytes, quint32 seed);

// Random picks from a set of byte values (repetitive but not periodic).
QByteArray SamplePicks(qsizetype bytes, const QByteArray &alphabet, quint32 seed);

// Text, random bytes, long runs and short repeating patterns in turn.
QByteArray SampleMixed(qsizetype bytes, quint32 seed);

// The uncompressed payload of a project-like container: a dozen streams of
// short CR LF lines (settings, grid cell lists, marker codes, skill names),
// about 30 KB in all.
QByteArray SampleProjectPayload(quint32 seed);

// An input the codec is tried on: the interop tests pass each through
// Ludra, lhasa and jlha, and the codec benchmark compares packed sizes.
struct CodecSample
{
    const char *name;
    QByteArray data;
    // Whether jlha packs it as -lh5-: an input it cannot shrink it keeps
    // stored (-lh0-) instead.
    bool jlhaCompresses;
};

// Edge cases of the stream (empty input, window-sized text, runs, matches
// at and beyond the window's reach, every form of zero run in the literal
// table) beside ordinary text, random and mixed data.
QList<CodecSample> CodecSamples();

} // namespace ludra::test
