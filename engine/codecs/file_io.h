#pragma once

#include "engine/codecs/byte_span.h"

#include <string>

namespace vask {

// The whole file in memory; ImageError naming the file when it cannot be read.
Bytes readWholeFile(const std::string& path);

// Writes to a temporary file beside the target and renames it over the target only when
// every byte is on disk, so a failed or interrupted save leaves the old file as it was and
// no partial file behind. ImageError naming the file on any failure.
void writeFileAtomically(const std::string& path, ByteSpan bytes);

} // namespace vask
