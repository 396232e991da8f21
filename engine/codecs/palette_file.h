#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/pixel.h"

#include <string>
#include <vector>

namespace vask {

// .PAL palette files: reads the RIFF "PAL " form (a "data" chunk holding a LOGPALETTE) and
// JASC-PAL text; writes RIFF. A palette holds 1 to 256 colours.
//
// decodePalette: JASC text may end its lines with CR LF or LF. ImageError, a sentence
// beginning "The palette file", for any other kind of file, a count outside 1 to 256, a
// colour outside 0 to 255 or a file cut short.
std::vector<Rgb> decodePalette(ByteSpan bytes);
// A RIFF palette with flags 0. ImageError for a palette of no or more than 256 colours.
Bytes encodePalette(const std::vector<Rgb>& palette);

// The same through a file; errors name the file. The write replaces the file only when
// complete (writeFileAtomically).
std::vector<Rgb> readPaletteFile(const std::string& path);
void writePaletteFile(const std::string& path, const std::vector<Rgb>& palette);

} // namespace vask
