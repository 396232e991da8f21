#include "operations.h"

#include "engine/codecs/file_io.h"
#include "engine/codecs/image_file.h"
#include "engine/codecs/kernel_file.h"
#include "engine/codecs/palette_file.h"
#include "engine/image/image_error.h"
#include "engine/ops/adjust/adjustments.h"
#include "engine/ops/adjust/equalize.h"
#include "engine/ops/colour/greyscale.h"
#include "engine/ops/colour/negate.h"
#include "engine/ops/filter/level_filters.h"
#include "engine/ops/filter/matrix_filter.h"
#include "engine/ops/geometry/mirror.h"
#include "engine/ops/geometry/resample.h"
#include "engine/ops/geometry/rotate.h"
#include "engine/ops/palette/increase_depth.h"
#include "engine/ops/palette/map_palette.h"
#include "engine/ops/palette/reduce_colors.h"

#include <algorithm>
#include <cctype>

namespace vaskimg {

using vask::Image;
using Words = std::vector<std::string>;

void convertDepth(Image& image, int depth, bool optimise, bool dither, bool bleed)
{
    if (depth > image.depth()) {
        vask::increaseDepth(image, depth);
        return;
    }
    if (depth == image.depth())
        return;
    const int colours = depth == 1 ? 2 : (depth == 4 ? 16 : 256);
    vask::reduceColors(image, colours, optimise, dither, bleed);
}

namespace {

bool isPaletteFileName(const std::string& name)
{
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    return upper.find(".PAL") != std::string::npos;
}

void applyAdjustment(Image& image, const Words& words)
{
    const std::string& kind = words[0];
    if (kind == "brightness")
        vask::changeBrightness(image, parseInteger(words[1], -1000, 1000, "brightness"));
    else if (kind == "contrast")
        vask::changeContrast(image, parseInteger(words[1], -1000, 1000, "contrast"));
    else if (kind == "histcontrast")
        vask::changeHistogramContrast(image, parseInteger(words[1], -1000, 1000, "histogram contrast"));
    else if (kind == "gamma")
        vask::changeGamma(image, parseInteger(words[1], 1, 250, "gamma"));
    else if (kind == "hue")
        vask::changeHue(image, parseInteger(words[1], -180, 180, "hue"));
    else if (kind == "saturation")
        vask::changeSaturation(image, parseInteger(words[1], -1000, 1000, "saturation"));
    else
        throw UsageError{"adjust takes brightness, contrast, histcontrast, gamma, hue or saturation, not \"" +
                         kind + "\""};
}

std::vector<PictureOperation> makeOperations()
{
    return {
        {"sharpen", 1, "sharpen LEVEL(1..10)",
         [](Image& i, const Words& w, const Arguments&) { vask::sharpenImage(i, parseInteger(w[0], 1, 10, "the level")); }},
        {"soften", 1, "soften LEVEL(1..10)",
         [](Image& i, const Words& w, const Arguments&) { vask::softenImage(i, parseInteger(w[0], 1, 10, "the level")); }},
        {"edge", 1, "edge LEVEL(1..10)",
         [](Image& i, const Words& w, const Arguments&) { vask::edgeExtract(i, parseInteger(w[0], 1, 10, "the level")); }},
        {"blur", 0, "blur", [](Image& i, const Words&, const Arguments&) { vask::blurImage(i); }},
        {"mirror", 1, "mirror h|v|hv",
         [](Image& i, const Words& w, const Arguments&) {
             if (w[0] != "h" && w[0] != "v" && w[0] != "hv" && w[0] != "vh")
                 throw UsageError{"mirror takes h, v or hv, not \"" + w[0] + "\""};
             vask::mirrorImage(i, w[0].find('h') != std::string::npos, w[0].find('v') != std::string::npos);
         }},
        {"rotate", 1, "rotate DEGREES [--fill RRGGBB]",
         [](Image& i, const Words& w, const Arguments& a) {
             const double degrees = parseNumber(w[0], "the angle");
             vask::rotateImage(i, degrees, a.has("--fill") ? parseColour(a.value("--fill")) : vask::packRgb(0, 0, 0));
         }},
        {"negate", 0, "negate", [](Image& i, const Words&, const Arguments&) { vask::negateImage(i); }},
        {"grey", 0, "grey", [](Image& i, const Words&, const Arguments&) { vask::greyScaleImage(i); }},
        {"depth", 1, "depth 1|4|8|24 [--no-dither] [--no-optimise] [--no-bleed]",
         [](Image& i, const Words& w, const Arguments& a) {
             const int depth = parseInteger(w[0], 1, 24, "the depth");
             if (!Image::isValidDepth(depth))
                 throw UsageError{"the depth must be 1, 4, 8 or 24, not " + w[0]};
             convertDepth(i, depth, !a.has("--no-optimise"), !a.has("--no-dither"), !a.has("--no-bleed"));
         }},
        {"reduce", 1, "reduce COUNT(2..256) [--no-dither] [--no-optimise] [--no-bleed]",
         [](Image& i, const Words& w, const Arguments& a) {
             vask::reduceColors(i, parseInteger(w[0], 2, 256, "the colour count"), !a.has("--no-optimise"),
                                !a.has("--no-dither"), !a.has("--no-bleed"));
         }},
        {"map-palette", 1, "map-palette PALETTE.PAL|IMAGE",
         [](Image& i, const Words& w, const Arguments&) {
             if (isPaletteFileName(w[0])) {
                 const auto palette = vask::readPaletteFile(w[0]);
                 int depth = palette.size() <= 2 ? 1 : (palette.size() <= 16 ? 4 : 8);
                 Image holder(1, 1, depth);
                 holder.setPalette(palette);
                 vask::mapPalette(i, holder);
             } else {
                 vask::mapPalette(i, vask::loadImageFile(w[0]));
             }
         }},
        {"matrix", 1, "matrix KERNEL.MA3|KERNEL.MA5",
         [](Image& i, const Words& w, const Arguments&) {
             const int size = vask::filterSizeForName(w[0]);
             if (size == 0)
                 throw UsageError{"a kernel file name contains MA3 or MA5: \"" + w[0] + "\""};
             const vask::FilterFile filter = vask::decodeFilterFile(vask::readWholeFile(w[0]), size);
             vask::matrixFilter(i, filter.kernel, filter.scale, filter.norm, filter.offset);
         }},
        {"resize", 2, "resize WIDTH HEIGHT [--fast]",
         [](Image& i, const Words& w, const Arguments& a) {
             const int width = parseInteger(w[0], 1, Image::kMaxSide, "the width");
             const int height = parseInteger(w[1], 1, Image::kMaxSide, "the height");
             i = vask::resampleImage(i, width, height,
                                     a.has("--fast") ? vask::ResampleQuality::Fast : vask::ResampleQuality::High);
         }},
        {"equalize", 0, "equalize", [](Image& i, const Words&, const Arguments&) { vask::histogramEqualize(i); }},
        {"stretch", 0, "stretch", [](Image& i, const Words&, const Arguments&) { vask::stretchIntensity(i); }},
        {"adjust", 2, "adjust brightness|contrast|histcontrast|gamma|hue|saturation VALUE",
         [](Image& i, const Words& w, const Arguments&) { applyAdjustment(i, w); }},
    };
}

} // namespace

const std::vector<PictureOperation>& pictureOperations()
{
    static const std::vector<PictureOperation> operations = makeOperations();
    return operations;
}

const PictureOperation* findPictureOperation(const std::string& name)
{
    for (const auto& op : pictureOperations())
        if (name == op.name)
            return &op;
    return nullptr;
}

} // namespace vaskimg
