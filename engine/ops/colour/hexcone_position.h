#pragma once

#include "engine/image/pixel.h"

#include <algorithm>

namespace vask::hexcone {

// A colour's place on the hexcone, shared by the HSV and HLS planes and the hue turn. Written
// with choices and masks the compiler turns into vector selects, so row loops built on it
// vectorise (a chain of choices on one value it would turn into branches instead).
struct Position {
    int mx, mn, delta;
    int sector; // 0 red..yellow, 1 yellow..green, 2 green..cyan, ... 5 magenta..red
    int along;  // 0..delta into the sector in the direction of rising hue
};

inline Position positionOf(int r, int g, int b)
{
    Position p;
    p.mx = std::max(r, std::max(g, b));
    p.mn = std::min(r, std::min(g, b));
    p.delta = p.mx - p.mn;
    // The max channel picks red, green or blue; the sign of the other two's difference the
    // sector on either side of it.
    const bool redMax = r == p.mx, greenMax = !redMax & (g == p.mx);
    int difference = greenMax ? b - r : r - g;
    difference = redMax ? g - b : difference;
    const int base = redMax ? 0 : (greenMax ? 2 : 4);
    const bool before = difference < 0;
    p.sector = before ? (redMax ? 5 : base - 1) : base;
    p.along = before ? difference + p.delta : difference;
    return p;
}

// Channels 0 red, 1 green, 2 blue: the one holding max and the one holding min in a sector;
// the third holds the middle value, which rises through even sectors and falls through odd.
inline int maxChannelOf(int sector)
{
    return (sector >= 1) + (sector >= 3) - 2 * (sector >= 5);
}
inline int minChannelOf(int sector)
{
    return 2 - 2 * (sector >= 2) + (sector >= 4);
}

// Places max, mid and min on the channels of a sector.
inline Rgb arrange(int sector, int mx, int mid, int mn)
{
    const int maxChannel = maxChannelOf(sector), minChannel = minChannelOf(sector);
    const int toMax = mid ^ mx, toMin = mid ^ mn;
    const int r = mid ^ (toMax & -int(maxChannel == 0)) ^ (toMin & -int(minChannel == 0));
    const int g = mid ^ (toMax & -int(maxChannel == 1)) ^ (toMin & -int(minChannel == 1));
    const int b = mid ^ (toMax & -int(maxChannel == 2)) ^ (toMin & -int(minChannel == 2));
    return 0xFF000000u | static_cast<Rgb>((r << 16) | (g << 8) | b);
}

} // namespace vask::hexcone
