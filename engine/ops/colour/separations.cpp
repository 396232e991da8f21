#include "engine/ops/colour/separations.h"

#include "engine/image/image_error.h"
#include "engine/ops/colour/hexcone_planes.h"
#include "engine/parallel/bands.h"
#include "engine/parallel/cpu_dispatch.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace vask {
namespace {

using Byte = std::uint8_t;

inline int div255(int v)
{
    const int t = v + 128;
    return (t + (t >> 8)) >> 8;
}

void separateRgbRow(const Rgb* __restrict in, int width, Byte* __restrict blue, Byte* __restrict green,
                    Byte* __restrict red)
{
    for (int x = 0; x < width; ++x) {
        const Rgb p = in[x];
        blue[x] = static_cast<Byte>(p);
        green[x] = static_cast<Byte>(p >> 8);
        red[x] = static_cast<Byte>(p >> 16);
    }
}

void separateCmyRow(const Rgb* __restrict in, int width, Byte* __restrict cyan, Byte* __restrict magenta,
                    Byte* __restrict yellow)
{
    for (int x = 0; x < width; ++x) {
        const Rgb p = ~in[x];
        cyan[x] = static_cast<Byte>(p >> 16);
        magenta[x] = static_cast<Byte>(p >> 8);
        yellow[x] = static_cast<Byte>(p);
    }
}

// K = 255 - max; each ink is 255 (max - channel) / max, the share of what K leaves (0 when
// max is 0). The merge channel = (255 - K)(255 - ink) / 255 is then exact: the rounding of the
// ink moves it by at most max / 510 < 0.5 of a level.
VASK_VECTOR_CLONES_UNFUSED void separateCmykRow(const Rgb* __restrict in, int width, Byte* __restrict cyan,
                                                Byte* __restrict magenta, Byte* __restrict yellow,
                                                Byte* __restrict black)
{
    for (int x = 0; x < width; ++x) {
        const Rgb p = in[x];
        const int r = int((p >> 16) & 0xFF), g = int((p >> 8) & 0xFF), b = int(p & 0xFF);
        const int mx = std::max(r, std::max(g, b));
        const float scale = 255.0f / static_cast<float>(mx + (mx == 0));
        cyan[x] = static_cast<Byte>(static_cast<int>(static_cast<float>(mx - r) * scale + 0.5f));
        magenta[x] = static_cast<Byte>(static_cast<int>(static_cast<float>(mx - g) * scale + 0.5f));
        yellow[x] = static_cast<Byte>(static_cast<int>(static_cast<float>(mx - b) * scale + 0.5f));
        black[x] = static_cast<Byte>(255 - mx);
    }
}

void mergeRgbRow(const Byte* __restrict blue, const Byte* __restrict green, const Byte* __restrict red,
                 int width, Rgb* __restrict out)
{
    for (int x = 0; x < width; ++x)
        out[x] = 0xFF000000u | (Rgb(red[x]) << 16) | (Rgb(green[x]) << 8) | Rgb(blue[x]);
}

void mergeCmyRow(const Byte* __restrict cyan, const Byte* __restrict magenta, const Byte* __restrict yellow,
                 int width, Rgb* __restrict out)
{
    for (int x = 0; x < width; ++x)
        out[x] = 0xFF000000u | ~((Rgb(cyan[x]) << 16) | (Rgb(magenta[x]) << 8) | Rgb(yellow[x]));
}

void mergeCmykRow(const Byte* __restrict cyan, const Byte* __restrict magenta, const Byte* __restrict yellow,
                  const Byte* __restrict black, int width, Rgb* __restrict out)
{
    for (int x = 0; x < width; ++x) {
        const int mx = 255 - black[x];
        const int r = div255(mx * (255 - cyan[x]));
        const int g = div255(mx * (255 - magenta[x]));
        const int b = div255(mx * (255 - yellow[x]));
        out[x] = 0xFF000000u | static_cast<Rgb>((r << 16) | (g << 8) | b);
    }
}

// Gives the rows of a plane as levels: an 8-bit grey plane as it is, any other picture through
// the luminance of its palette or of its pixels.
class PlaneLevels {
public:
    explicit PlaneLevels(const Image& plane) : m_plane(plane)
    {
        if (plane.isTrueColour())
            return;
        const std::vector<Rgb>& palette = plane.palette();
        m_direct = plane.depth() == 8;
        for (std::size_t i = 0; i < palette.size(); ++i) {
            m_levels[i] = static_cast<Byte>(lumaOf(palette[i]));
            m_direct = m_direct && m_levels[i] == i;
        }
    }

    bool needsBuffer() const { return !m_direct; }

    // buffer holds a row when the plane needs converting.
    const Byte* row(int y, Byte* buffer) const
    {
        if (m_direct)
            return m_plane.row(y);
        const int width = m_plane.width();
        if (m_plane.isTrueColour()) {
            const Rgb* in = m_plane.rgbRow(y);
            for (int x = 0; x < width; ++x)
                buffer[x] = static_cast<Byte>(lumaOf(in[x]));
        } else {
            const Byte* in = m_plane.row(y);
            for (int x = 0; x < width; ++x)
                buffer[x] = m_levels[in[x]];
        }
        return buffer;
    }

private:
    const Image& m_plane;
    std::array<Byte, 256> m_levels{};
    bool m_direct = false;
};

std::string modelName(ColourModel model)
{
    switch (model) {
    case ColourModel::Rgb:
        return "RGB";
    case ColourModel::Cmyk:
        return "CMYK";
    case ColourModel::Hsv:
        return "HSV";
    case ColourModel::Hls:
        return "HLS";
    case ColourModel::Cmy:
        return "CMY";
    }
    return "unknown";
}

} // namespace

int planeCount(ColourModel model)
{
    switch (model) {
    case ColourModel::Rgb:
    case ColourModel::Hsv:
    case ColourModel::Hls:
    case ColourModel::Cmy:
        return 3;
    case ColourModel::Cmyk:
        return 4;
    }
    return 0;
}

std::vector<Image> colorSeparate(const Image& image, ColourModel model)
{
    const int count = planeCount(model);
    if (count == 0)
        throw ImageError("The colour model " + std::to_string(int(model)) +
                         " is not one the separation knows.");
    if (image.isNull())
        throw ImageError("There is no picture to separate.");
    const int width = image.width();
    std::vector<Image> planes;
    planes.reserve(count);
    for (int i = 0; i < count; ++i)
        planes.emplace_back(width, image.height(), 8);

    forEachBand(image.height(), [&](int first, int end) {
        std::vector<Rgb> colours(image.isTrueColour() ? 0 : width);
        const Rgb* palette = image.palette().data();
        for (int y = first; y < end; ++y) {
            const Rgb* in;
            if (image.isTrueColour()) {
                in = image.rgbRow(y);
            } else {
                const Byte* indices = image.row(y);
                for (int x = 0; x < width; ++x)
                    colours[x] = palette[indices[x]];
                in = colours.data();
            }
            Byte* out[4] = {};
            for (int i = 0; i < count; ++i)
                out[i] = planes[i].row(y);
            switch (model) {
            case ColourModel::Rgb:
                separateRgbRow(in, width, out[0], out[1], out[2]);
                break;
            case ColourModel::Cmy:
                separateCmyRow(in, width, out[0], out[1], out[2]);
                break;
            case ColourModel::Cmyk:
                separateCmykRow(in, width, out[0], out[1], out[2], out[3]);
                break;
            case ColourModel::Hsv:
                hexcone::separateHsvRow(in, width, out[0], out[1], out[2]);
                break;
            case ColourModel::Hls:
                hexcone::separateHlsRow(in, width, out[0], out[1], out[2]);
                break;
            }
        }
    });
    return planes;
}

Image colorMerge(const std::vector<Image>& planes, ColourModel model)
{
    const int count = planeCount(model);
    if (count == 0)
        throw ImageError("The colour model " + std::to_string(int(model)) + " is not one the merge knows.");
    if (static_cast<int>(planes.size()) != count)
        throw ImageError("A " + modelName(model) + " merge needs " + std::to_string(count) + " planes, not " +
                         std::to_string(planes.size()) + ".");
    for (const Image& plane : planes) {
        if (plane.isNull())
            throw ImageError("One of the planes to merge has no picture.");
        if (plane.width() != planes[0].width() || plane.height() != planes[0].height())
            throw ImageError("The planes to merge differ in size.");
    }
    const int width = planes[0].width();
    Image out(width, planes[0].height(), 24);
    std::vector<PlaneLevels> levels;
    levels.reserve(count);
    for (const Image& plane : planes)
        levels.emplace_back(plane);

    forEachBand(out.height(), [&](int first, int end) {
        std::vector<Byte> buffers[4];
        for (int i = 0; i < count; ++i)
            if (levels[i].needsBuffer())
                buffers[i].resize(width);
        for (int y = first; y < end; ++y) {
            const Byte* in[4] = {};
            for (int i = 0; i < count; ++i)
                in[i] = levels[i].row(y, buffers[i].data());
            Rgb* o = out.rgbRow(y);
            switch (model) {
            case ColourModel::Rgb:
                mergeRgbRow(in[0], in[1], in[2], width, o);
                break;
            case ColourModel::Cmy:
                mergeCmyRow(in[0], in[1], in[2], width, o);
                break;
            case ColourModel::Cmyk:
                mergeCmykRow(in[0], in[1], in[2], in[3], width, o);
                break;
            case ColourModel::Hsv:
                hexcone::mergeHsvRow(in[0], in[1], in[2], width, o);
                break;
            case ColourModel::Hls:
                hexcone::mergeHlsRow(in[0], in[1], in[2], width, o);
                break;
            }
        }
    });
    return out;
}

} // namespace vask
