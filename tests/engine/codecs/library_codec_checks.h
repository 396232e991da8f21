#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/image.h"

#include <functional>
#include <string>
#include <vector>

namespace vask::test {

using Decoder = Image (*)(ByteSpan);

// One reference file under tests/data/<folder>/<name> with what decoding it must give.
struct ReferenceCase {
    const char* name;
    int depth;     // the depth of the decoded picture
    int tolerance; // the largest channel difference from <name>.ppm (ImageMagick's decoding)
};

// Decodes the reference file and compares it with its .ppm; failures name the file.
void expectMatchesReference(const std::string& folder, const ReferenceCase& c, Decoder decode);

// The pictures every round trip runs through: 1x1, 3x2, 17x5 and 1001x3 (odd widths leave
// partial bytes in packed rows), random colours at 24 bits, random indices below.
std::vector<Image> roundTripPictures(int depth, std::uint32_t seed);

// What run wrote to stderr (libraries must stay silent).
std::string stderrOf(const std::function<void()>& run);

// A colour with alpha composed over white in floating point: an independent check of the
// codecs' integer composition.
Rgb overWhiteReference(Rgb colour, unsigned alpha);

} // namespace vask::test
