#pragma once

#include "engine/image/image.h"

#include <cstddef>
#include <cstdlib>

namespace vask::fuzz {

// Round trips cost time proportional to the picture; larger pictures are only decoded.
constexpr std::size_t kMaxRoundTripPixels = std::size_t(1) << 18;

inline bool smallEnoughToRoundTrip(const Image& picture)
{
    return static_cast<std::size_t>(picture.width()) * picture.height() <= kMaxRoundTripPixels;
}

// Stops the fuzzer (as a crash it reports) when two pictures differ in size or any colour.
inline void requireSameColours(const Image& a, const Image& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        std::abort();
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixelColour(x, y) & 0xFFFFFF) != (b.pixelColour(x, y) & 0xFFFFFF))
                std::abort();
}

} // namespace vask::fuzz
