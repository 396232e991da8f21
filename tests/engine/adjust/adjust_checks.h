#pragma once

#include "engine/image/image.h"

namespace vask::test {

inline constexpr auto grey = [](unsigned level) { return packRgb(level, level, level); };

// True when no two channels of q are in the opposite order to those of p, and equal ones stay equal.
inline bool keepsChannelOrder(Rgb p, Rgb q)
{
    for (const auto& [a, b] : {std::pair{16, 8}, std::pair{8, 0}, std::pair{16, 0}}) {
        const int before = int((p >> a) & 0xFF) - int((p >> b) & 0xFF);
        const int after = int((q >> a) & 0xFF) - int((q >> b) & 0xFF);
        if ((before > 0 && after < 0) || (before < 0 && after > 0) || (before == 0 && after != 0))
            return false;
    }
    return true;
}

} // namespace vask::test
