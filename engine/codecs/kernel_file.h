#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/ops/filter/matrix_filter.h"

#include <string>

namespace vask {

// A convolution filter as stored in .MA3 (12 lines) and .MA5 (28 lines) files: one signed
// decimal integer a line, the kernel row by row, then scale, norm and offset. Lines are
// ended by CR LF; lines after the last expected one are not read.
struct FilterFile {
    Kernel kernel;
    int scale = 1;
    int norm = -1;
    int offset = 1;
};

// size is 3 or 5. ImageError when a line is missing or is not an integer.
FilterFile decodeFilterFile(ByteSpan bytes, int size);
Bytes encodeFilterFile(const FilterFile& filter);

// The size a file name asks for: 5 when the upper-cased name contains "MA5", otherwise 3
// when it contains "MA3", otherwise 0.
int filterSizeForName(const std::string& fileName);

} // namespace vask
