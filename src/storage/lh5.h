#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace ludra::lh5 {

// The lh5 bit stream of `input`, ended with seven zero bits. The stream does
// not record the input's size; the caller keeps it beside the stream.
QByteArray Compress(QByteArrayView input);

// Exactly `size` bytes decoded from an lh5 stream. Bits past the end of the
// stream read as zero. Throws ECorruptFile ("Compressed file is corrupt") when
// a code table is not a complete code, a table or a match is impossible, the
// stream ends before `size` bytes have come out, or `size` is more than
// MaxDecodedSize() allows for the stream's length.
QByteArray Decompress(QByteArrayView stream, quint32 size);

// The most output a stream of this many bytes can describe: every block needs
// at least 40 bits before its codes and holds at most 65535 codes of at most
// 256 bytes each. (A code may take no bits at all: a block whose tables have a
// single symbol repeats that symbol for free.)
quint64 MaxDecodedSize(qint64 streamBytes);

} // namespace ludra::lh5
