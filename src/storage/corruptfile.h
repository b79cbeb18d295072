#pragma once

#include "common/errors.h"

namespace ludra {

// A container file whose contents are not what the format allows: a payload
// without its magic ("File is corrupt.") or a compressed body that does not
// decode ("Compressed file is corrupt"). A file refused for one of the
// container's limits, or for want of memory, has the reason after that text.
class ECorruptFile : public Exception
{
public:
    using Exception::Exception;
};

inline const char kFileCorruptMessage[] = "File is corrupt.";
inline const char kCompressedCorruptMessage[] = "Compressed file is corrupt";

} // namespace ludra
