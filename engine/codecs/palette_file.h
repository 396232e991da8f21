#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/pixel.h"

#include <string>
#include <vector>

namespace vask {

// .PAL palette files: reads the RIFF "PAL " form (a "data" chunk holding a LOGPALETTE) and
// JASC-PAL text; writes RIFF. A palette holds 1 to 256 colours.
std::vector<Rgb> decodePalette(ByteSpan bytes);
Bytes encodePalette(const std::vector<Rgb>& palette);

std::vector<Rgb> readPaletteFile(const std::string& path);
void writePaletteFile(const std::string& path, const std::vector<Rgb>& palette);

} // namespace vask
