#include "engine/ops/palette/palette_mapping.h"

#include "engine/image/pixel_memory.h"
#include "engine/ops/palette/nearest_colour.h"
#include "engine/ops/palette/slices.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vask {
namespace {

// Rows a dithering strip runs before its first own row; the error pattern forgets its start
// within a few rows, so the strip joins the one above without a visible seam.
constexpr int kWarmUpRows = 16;
// Rows of one dithering strip: the warm-up costs 3 % more rows.
constexpr int kStripRows = 512;

// Error is kept in 1/16 of a level (Floyd-Steinberg's weights 7, 3, 5, 1 over 16), in int16:
// a pixel receives at most 16 x 255 in all.
using Error = std::int16_t;

// The error-limiting curve used for "bleed": corrections up to 16 levels pass unchanged,
// 16..48 are halved above 16, beyond that held at 32, so an edge that the palette cannot
// follow spills at most 32 levels into its neighbours. Argument and result in 1/16 levels.
inline int limitError(int e)
{
    const int a = std::abs(e);
    const int f = std::min({a, (a + 256) >> 1, 512});
    return e < 0 ? -f : f;
}

// A pixel's error is measured from the wanted colour before it is clamped to 0..255, so a
// flat area near the edge of the palette's colours keeps its mean; the error itself is held
// to one full range so it cannot run away where the palette cannot reach at all.
inline int clampError(int v)
{
    return std::min(255, std::max(-255, v));
}

inline int clampLevel(int v)
{
    return std::min(255, std::max(0, v));
}

// One row of a strip: where its colours come from and go, the error it received from the
// row above and the buffer for the error it passes to the row below. Error rows are
// 3 x (width + 2) with one unused pixel at each end.
struct RowJob {
    const Rgb* source;
    std::uint8_t* out;
    const Error* incoming;
    Error* next;
};

// kLanes rows of different strips in direction kStep (+1 left to right, -1 right to left),
// pixel by pixel in lockstep: each pixel waits for its neighbour's error and a table read,
// so two independent rows let the processor overlap those waits.
template <int kStep, bool kBleed, int kLanes>
void ditherRows(const RowJob* jobs, int width, NearestColour& nearest, const Rgb* palette)
{
    const Rgb* source[kLanes];
    std::uint8_t* out[kLanes];
    const Error* incoming[kLanes];
    Error* next[kLanes];
    for (int l = 0; l < kLanes; ++l) {
        source[l] = jobs[l].source;
        out[l] = jobs[l].out;
        incoming[l] = jobs[l].incoming;
        next[l] = jobs[l].next;
    }
    // carry: 7/16 of the last error, for the next pixel along the row. pending1 and pending2:
    // what the row below already has at this pixel and at the one ahead.
    int carry[kLanes][3] = {}, pending1[kLanes][3] = {}, pending2[kLanes][3] = {};
    const int start = kStep > 0 ? 0 : width - 1;
    const int stop = kStep > 0 ? width : -1;
    for (int x = start; x != stop; x += kStep) {
        const int i = 3 * (x + 1);
#pragma GCC unroll 2
        for (int l = 0; l < kLanes; ++l) {
            int correction[3];
            for (int c = 0; c < 3; ++c) {
                correction[c] = incoming[l][i + c] + carry[l][c];
                if constexpr (kBleed)
                    correction[c] = limitError(correction[c]);
            }
            const Rgb s = source[l][x];
            const int wantR = int(redOf(s)) + ((correction[0] + 8) >> 4);
            const int wantG = int(greenOf(s)) + ((correction[1] + 8) >> 4);
            const int wantB = int(blueOf(s)) + ((correction[2] + 8) >> 4);
            const std::uint8_t index = nearest.indexOf(
                unsigned(clampLevel(wantR)), unsigned(clampLevel(wantG)), unsigned(clampLevel(wantB)));
            out[l][x] = index;
            const Rgb p = palette[index];
            const int error[3] = {clampError(wantR - int(redOf(p))), clampError(wantG - int(greenOf(p))),
                                  clampError(wantB - int(blueOf(p)))};
            const int behind = i - 3 * kStep;
            for (int c = 0; c < 3; ++c) {
                carry[l][c] = 7 * error[c];
                next[l][behind + c] = static_cast<Error>(pending1[l][c] + 3 * error[c]);
                pending1[l][c] = pending2[l][c] + 5 * error[c];
                pending2[l][c] = error[c];
            }
        }
    }
    const int last = 3 * (stop - kStep + 1);
    for (int l = 0; l < kLanes; ++l)
        for (int c = 0; c < 3; ++c)
            next[l][last + c] = static_cast<Error>(pending1[l][c]);
}

// One strip's walk down its rows, warm-up rows first: its error rows and, for a palette
// picture, the current row looked up through the palette.
class StripWalk {
public:
    StripWalk(const Image& image, Image& out, int first, int end)
        : m_image(image), m_out(out), m_first(first), m_end(end),
          m_y(first < end ? std::max(0, first - kWarmUpRows) : end),
          m_errorLength(3 * (std::size_t(image.width()) + 2)),
          m_scratch(2 * m_errorLength * sizeof(Error) + std::size_t(image.width()) * (sizeof(Rgb) + 1) + 64)
    {
        m_incoming = m_scratch.as<Error>();
        m_next = m_incoming + m_errorLength;
        m_expanded = reinterpret_cast<Rgb*>(m_next + m_errorLength);
        m_discard = reinterpret_cast<std::uint8_t*>(m_expanded + image.width());
        std::memset(m_incoming, 0, m_errorLength * sizeof(Error));
    }

    bool done() const { return m_y >= m_end; }
    int row() const { return m_y; }

    RowJob job()
    {
        const Rgb* source = m_expanded;
        if (m_image.isTrueColour()) {
            source = m_image.rgbRow(m_y);
        } else {
            const std::uint8_t* in = m_image.row(m_y);
            const Rgb* palette = m_image.palette().data();
            for (int x = 0; x < m_image.width(); ++x)
                m_expanded[x] = palette[in[x]];
        }
        return {source, m_y >= m_first ? m_out.row(m_y) : m_discard, m_incoming, m_next};
    }

    void advance()
    {
        std::swap(m_incoming, m_next);
        ++m_y;
    }

private:
    const Image& m_image;
    Image& m_out;
    int m_first, m_end, m_y;
    std::size_t m_errorLength;
    PixelScratch m_scratch;
    Error* m_incoming;
    Error* m_next;
    Rgb* m_expanded;
    std::uint8_t* m_discard;
};

// The scan direction follows the row number, so every strip agrees on it.
template <bool kBleed, int kLanes>
void ditherRowsOf(StripWalk* walks, int width, NearestColour& nearest, const Rgb* palette)
{
    RowJob jobs[kLanes];
    for (int l = 0; l < kLanes; ++l)
        jobs[l] = walks[l].job();
    if (walks[0].row() & 1)
        ditherRows<-1, kBleed, kLanes>(jobs, width, nearest, palette);
    else
        ditherRows<1, kBleed, kLanes>(jobs, width, nearest, palette);
    for (int l = 0; l < kLanes; ++l)
        walks[l].advance();
}

// Dithers strips first and first + 1 (when there is one) side by side, then whatever rows
// the longer one has left.
template <bool kBleed>
void ditherStripPair(const Image& image, Image& out, int strip, NearestColour& nearest, const Rgb* palette)
{
    static_assert(kStripRows % 2 == 0 && kWarmUpRows % 2 == 0, "strips side by side must share a direction");
    const int height = image.height(), width = image.width();
    const auto firstRow = [](int s) { return s * kStripRows; };
    StripWalk walks[2] = {{image, out, firstRow(strip), std::min(height, firstRow(strip + 1))},
                          {image, out, firstRow(strip + 1), std::min(height, firstRow(strip + 2))}};
    while (!walks[0].done() && !walks[1].done())
        ditherRowsOf<kBleed, 2>(walks, width, nearest, palette);
    for (StripWalk& walk : walks)
        while (!walk.done())
            ditherRowsOf<kBleed, 1>(&walk, width, nearest, palette);
}

} // namespace

Image mapToPalette(const Image& image, const std::vector<Rgb>& wanted, int depth, bool dither, bool bleed)
{
    Image out(image.width(), image.height(), depth);
    std::vector<Rgb> palette(wanted.begin(),
                             wanted.begin() + std::min<std::size_t>(wanted.size(), out.palette().size()));
    if (palette.empty())
        palette.push_back(packRgb(0, 0, 0));
    out.setPalette(palette);
    const int width = image.width(), height = image.height();
    const NearestColour prepared(palette);
    if (!dither && !image.isTrueColour()) {
        NearestColour nearest = prepared;
        std::uint8_t lookup[256];
        const auto& own = image.palette();
        for (std::size_t i = 0; i < 256; ++i)
            lookup[i] = i < own.size() ? nearest.indexOf(own[i]) : 0;
        forEachBand(height, [&](int first, int end) {
            for (int y = first; y < end; ++y) {
                const std::uint8_t* in = image.row(y);
                std::uint8_t* o = out.row(y);
                for (int x = 0; x < width; ++x)
                    o[x] = lookup[in[x]];
            }
        });
        return out;
    }
    if (!dither) {
        forEachSlice(height, sliceCount(long(width) * height, 1L << 16), [&](int, int first, int end) {
            NearestColour nearest = prepared;
            for (int y = first; y < end; ++y) {
                const Rgb* in = image.rgbRow(y);
                std::uint8_t* o = out.row(y);
                for (int x = 0; x < width; ++x)
                    o[x] = nearest.indexOf(in[x]);
            }
        });
        return out;
    }
    // The palette as the image will hold it, so an index always reads back a real entry.
    const Rgb* entries = out.palette().data();
    // Strips have a fixed height, so the result does not depend on the number of cores.
    const int pairs = (height + 2 * kStripRows - 1) / (2 * kStripRows);
    forEachBandOrThrow(
        pairs,
        [&](int firstPair, int endPair) {
            NearestColour nearest = prepared;
            for (int pair = firstPair; pair < endPair; ++pair) {
                if (bleed)
                    ditherStripPair<true>(image, out, 2 * pair, nearest, entries);
                else
                    ditherStripPair<false>(image, out, 2 * pair, nearest, entries);
            }
        },
        1);
    return out;
}

} // namespace vask
