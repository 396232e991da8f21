#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/codecs/image_format.h"
#include "engine/codecs/write_options.h"
#include "engine/image/image.h"

#include <string>

namespace vask {

// Reads a picture; the format comes from the file name's extension. ImageError (with a
// sentence that names the file) for an unknown extension, an unreadable, damaged or hostile
// file, or a FIF file, which no public decoder reads.
Image loadImageFile(const std::string& path);

// Writes a picture in the format of the file name's extension, through a temporary file
// renamed over the target when complete. ImageError for formats that cannot be written
// (MSP, FIF, unknown) and for any write failure; the target is then untouched.
void saveImageFile(const Image& image, const std::string& path, const WriteOptions& options = {});

// The same in memory, for callers that have the bytes already (and for the fuzzers).
Image decodeImage(ImageFormat format, ByteSpan bytes);
Bytes encodeImage(const Image& image, ImageFormat format, const WriteOptions& options = {});

} // namespace vask
