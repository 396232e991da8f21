#include "engine/ops/palette/reduce_colors.h"

#include "engine/ops/palette/colour_histogram.h"
#include "engine/ops/palette/palette_mapping.h"
#include "engine/ops/palette/slices.h"

#include <algorithm>
#include <atomic>

namespace vask {
namespace {

// A set of at most a few hundred colours, open addressing in a table twice that size.
class SmallColourSet {
public:
    static constexpr int kSlots = 1024; // over twice the 257 a full count can reach

    // False once the set would hold more than limit colours.
    bool insert(Rgb colour, int limit)
    {
        colour |= 0xFF000000u;
        unsigned slot = (colour * 0x9E3779B1u) >> 22;
        while (m_slots[slot] != 0) {
            if (m_slots[slot] == colour)
                return true;
            slot = (slot + 1) & (kSlots - 1);
        }
        if (m_size >= limit)
            return false;
        m_slots[slot] = colour;
        ++m_size;
        return true;
    }

    template <typename Visit> void forEach(Visit&& visit) const
    {
        for (const Rgb c : m_slots)
            if (c != 0)
                visit(c);
    }

private:
    Rgb m_slots[kSlots] = {};
    int m_size = 0;
};

// The distinct colours of the picture in ascending order when there are at most limit of
// them, otherwise empty. Stops as soon as a band passes the limit.
std::vector<Rgb> fewColours(const Image& image, int limit)
{
    std::vector<Rgb> colours;
    if (!image.isTrueColour()) {
        bool used[256] = {};
        for (int y = 0; y < image.height(); ++y) {
            const std::uint8_t* row = image.row(y);
            for (int x = 0; x < image.width(); ++x)
                used[row[x]] = true;
        }
        SmallColourSet set;
        for (std::size_t i = 0; i < image.palette().size(); ++i)
            if (used[i] && !set.insert(image.palette()[i], limit))
                return {};
        set.forEach([&](Rgb c) { colours.push_back(c); });
    } else {
        const int width = image.width();
        const int slices = sliceCount(long(width) * image.height(), 1L << 18);
        std::vector<SmallColourSet> sets(slices);
        std::atomic<bool> tooMany{false};
        forEachSlice(image.height(), slices, [&](int slice, int first, int end) {
            SmallColourSet& set = sets[slice];
            for (int y = first; y < end && !tooMany.load(std::memory_order_relaxed); ++y) {
                const Rgb* row = image.rgbRow(y);
                Rgb last = ~row[0];
                for (int x = 0; x < width; ++x) {
                    // Runs of one colour are common in pictures with few colours.
                    if (row[x] == last)
                        continue;
                    last = row[x];
                    if (!set.insert(last, limit)) {
                        tooMany = true;
                        return;
                    }
                }
            }
        });
        if (tooMany)
            return {};
        SmallColourSet all;
        for (const auto& set : sets) {
            bool fits = true;
            set.forEach([&](Rgb c) { fits = fits && all.insert(c, limit); });
            if (!fits)
                return {};
        }
        all.forEach([&](Rgb c) { colours.push_back(c); });
    }
    std::sort(colours.begin(), colours.end());
    return colours;
}

// The 16 VGA colours in their usual order, and the order in which fewer of them are chosen:
// black and white, the primaries and secondaries, then the greys and the dark shades.
const Rgb kVgaColours[16] = {
    packRgb(0, 0, 0),       packRgb(128, 0, 0),   packRgb(0, 128, 0),   packRgb(128, 128, 0),
    packRgb(0, 0, 128),     packRgb(128, 0, 128), packRgb(0, 128, 128), packRgb(192, 192, 192),
    packRgb(128, 128, 128), packRgb(255, 0, 0),   packRgb(0, 255, 0),   packRgb(255, 255, 0),
    packRgb(0, 0, 255),     packRgb(255, 0, 255), packRgb(0, 255, 255), packRgb(255, 255, 255)};
const int kVgaPriority[16] = {0, 15, 9, 10, 12, 11, 14, 13, 8, 7, 1, 2, 4, 3, 6, 5};

// The fixed palette used without optimise: black and white for 2; VGA colours up to 16;
// above, the largest n x n x n colour cube that fits plus evenly spaced greys for the rest.
std::vector<Rgb> systemPalette(int count)
{
    if (count <= 2)
        return {packRgb(0, 0, 0), packRgb(255, 255, 255)};
    std::vector<Rgb> palette;
    if (count <= 16) {
        bool chosen[16] = {};
        for (int i = 0; i < count; ++i)
            chosen[kVgaPriority[i]] = true;
        for (int i = 0; i < 16; ++i)
            if (chosen[i])
                palette.push_back(kVgaColours[i]);
        return palette;
    }
    int levels = 2;
    while ((levels + 1) * (levels + 1) * (levels + 1) <= count)
        ++levels;
    for (int r = 0; r < levels; ++r)
        for (int g = 0; g < levels; ++g)
            for (int b = 0; b < levels; ++b)
                palette.push_back(
                    packRgb(r * 255 / (levels - 1), g * 255 / (levels - 1), b * 255 / (levels - 1)));
    const int greys = count - levels * levels * levels;
    for (int k = 1; k <= greys; ++k) {
        const unsigned v = unsigned((k * 255 + (greys + 1) / 2) / (greys + 1));
        palette.push_back(packRgb(v, v, v));
    }
    return palette;
}

} // namespace

std::vector<Rgb> optimisedPalette(const Image& image, int count)
{
    if (image.isNull())
        return {};
    count = std::clamp(count, 2, 256);
    std::vector<Rgb> exact = fewColours(image, count);
    if (!exact.empty())
        return exact;
    return varianceCutPalette(colourHistogram(image), count);
}

void reduceColors(Image& image, int count, bool optimise, bool dither, bool bleed)
{
    if (image.isNull())
        return;
    count = std::clamp(count, 2, 256);
    const int depth = depthForColours(count);
    std::vector<Rgb> palette = fewColours(image, count);
    if (!palette.empty()) {
        // Every colour has an entry of its own: a plain nearest match is exact.
        Image out = mapToPalette(image, palette, depth, false, false);
        image.swap(out);
        return;
    }
    palette = optimise ? varianceCutPalette(colourHistogram(image), count) : systemPalette(count);
    Image out = mapToPalette(image, palette, depth, dither, bleed);
    image.swap(out);
}

Image quantiseToPalette(const Image& image, const std::vector<Rgb>& palette, bool dither, bool bleed)
{
    if (image.isNull())
        return Image();
    const int entries = std::clamp(static_cast<int>(palette.size()), 1, 256);
    return mapToPalette(image, palette, depthForColours(entries), dither, bleed);
}

} // namespace vask
