// TPicbuf's files, pixels, palettes and picture operations: each maps onto one engine
// function and ends with imageChanged(), which repaints and emits Change.
#include "controls/picbuf.h"

#include "engine/codecs/image_file.h"
#include "engine/codecs/image_format.h"
#include "engine/codecs/palette_file.h"
#include "engine/image/create_image.h"
#include "engine/image/image_error.h"
#include "engine/ops/colour/greyscale.h"
#include "engine/ops/colour/negate.h"
#include "engine/ops/composite/draw_lines.h"
#include "engine/ops/composite/mask_images.h"
#include "engine/ops/composite/put_row.h"
#include "engine/ops/filter/level_filters.h"
#include "engine/ops/filter/matrix_filter.h"
#include "engine/ops/geometry/assign_image.h"
#include "engine/ops/geometry/mirror.h"
#include "engine/ops/geometry/rotate.h"
#include "engine/ops/palette/increase_depth.h"
#include "engine/ops/palette/map_palette.h"
#include "engine/ops/palette/reduce_colors.h"
#include "engine/qt/qimage_view.h"
#include "engine/qt/text_placement.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <string>

namespace vask {
namespace {

std::string pathOf(const QString& fileName)
{
    return QFile::encodeName(fileName).toStdString();
}

Rgb rgbOf(const QColor& colour)
{
    return static_cast<Rgb>(colour.rgb()) | 0xFF000000u;
}

int depthForPaletteSize(std::size_t entries)
{
    if (entries <= 2)
        return 1;
    if (entries <= 16)
        return 4;
    return 8;
}

// A small picture that shows every entry of a palette once, 16 to a row: what ReadPalette
// gives an empty control, so MapPalette can use it as a palette source.
Image paletteCarrier(const std::vector<Rgb>& palette)
{
    const int depth = depthForPaletteSize(palette.size());
    const int entries = Image::paletteSizeFor(depth);
    const int width = std::min(entries, 16);
    Image carrier(width, (entries + width - 1) / width, depth);
    carrier.setPalette(palette);
    for (int y = 0; y < carrier.height(); ++y)
        for (int x = 0; x < width; ++x)
            carrier.row(y)[x] = static_cast<std::uint8_t>(std::min(y * width + x, entries - 1));
    return carrier;
}

ArrowHeads arrowHeadsFor(int drawArrows)
{
    switch (drawArrows) {
    case 1: // the polyline is reversed, so its start gets the head
    case 2:
        return ArrowHeads::AtEnd;
    case 3:
        return ArrowHeads::AtBothEnds;
    default:
        return ArrowHeads::None;
    }
}

} // namespace

// --- files -----------------------------------------------------------------------------------

void TPicbuf::Load()
{
    Image loaded = loadImageFile(pathOf(m_fileName));
    setImage(std::move(loaded));
}

void TPicbuf::Save()
{
    if (!hasImage())
        throw ImageError("There is no picture to save as " + m_fileName.toStdString() + ".");
    WriteOptions options;
    options.writeOption = m_writeOption;
    if (formatForFileName(pathOf(m_fileName)) == ImageFormat::Jpg)
        options.jpegQuality = std::clamp(m_jpgQuality, 5, 100);
    saveImageFile(m_image, pathOf(m_fileName), options);
}

// --- pixels and palettes -------------------------------------------------------------------------

quint32 TPicbuf::GetPixel(int x, int y) const
{
    if (!m_image.contains(x, y))
        return 0;
    return colorrefFromRgb(m_image.pixelColour(x, y));
}

int TPicbuf::GetPixelIndex(int x, int y) const
{
    if (!m_image.contains(x, y))
        return 0;
    return m_image.pixelIndex(x, y);
}

quint32 TPicbuf::GetPaletteEntry(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_image.palette().size()))
        return 0;
    return colorrefFromRgb(m_image.paletteEntry(index));
}

void TPicbuf::SetPaletteEntry(int index, quint32 colour)
{
    if (index < 0 || index >= static_cast<int>(m_image.palette().size()))
        return;
    m_image.setPaletteEntry(index, rgbFromColorref(colour));
    imageChanged();
}

std::vector<quint32> TPicbuf::GetPaletteEntries() const
{
    if (!hasImage() || m_image.isTrueColour())
        return {};
    std::vector<quint32> entries(256, 0);
    for (std::size_t i = 0; i < m_image.palette().size(); ++i)
        entries[i] = colorrefFromRgb(m_image.palette()[i]);
    return entries;
}

void TPicbuf::PutRow(int row, const std::vector<quint32>& colours)
{
    if (!hasImage())
        return;
    putRow(m_image, row, std::span<const Rgb>(colours.data(), colours.size()));
    imageChanged();
}

void TPicbuf::MapPalette(const TPicbuf& source)
{
    if (!hasImage() || !source.hasImage())
        return;
    const Image paletteSource = source.image(); // the source may be this control
    mapPalette(m_image, paletteSource);
    imageChanged();
}

// An empty control gets a small picture showing the palette; a palette picture takes the new
// palette for its indices (its depth raised when the palette needs more entries); a 24-bit
// picture is mapped onto the palette.
void TPicbuf::ReadPalette()
{
    const std::vector<Rgb> palette = readPaletteFile(pathOf(m_fileName));
    if (!hasImage()) {
        setImage(paletteCarrier(palette));
        return;
    }
    if (m_image.isTrueColour()) {
        Image mapped = quantiseToPalette(m_image, palette, false);
        m_image.swap(mapped);
    } else {
        const int depth = depthForPaletteSize(palette.size());
        if (depth > m_image.depth())
            increaseDepth(m_image, depth);
        m_image.setPalette(palette);
    }
    imageChanged();
}

// A 24-bit picture writes the best 256-colour palette for it.
void TPicbuf::WritePalette()
{
    if (!hasImage())
        return;
    const std::vector<Rgb> palette =
        m_image.isTrueColour() ? optimisedPalette(m_image, 256) : m_image.palette();
    writePaletteFile(pathOf(m_fileName), palette);
}

// --- operations ----------------------------------------------------------------------------------------

void TPicbuf::ClearImage()
{
    setImage(Image());
}

// A palette picture starts with the grey ramp; a fill colour not on it replaces entry 0, so
// the new picture shows exactly the colour asked for.
void TPicbuf::CreateImage(int bits, int width, int height, quint32 fillColour)
{
    setImage(createImage(bits, width, height, rgbFromColorref(fillColour)));
}

// An empty target takes a copy of the source area whatever AssignMode says.
void TPicbuf::AssignImage(bool useTargetSelection, const TPicbuf& source, bool useSourceSelection)
{
    if (!source.hasImage())
        return;
    const std::optional<Rect> targetArea = useTargetSelection ? selectionIfAny() : std::nullopt;
    const std::optional<Rect> sourceArea = useSourceSelection ? source.selectionIfAny() : std::nullopt;
    const Image sourceCopy = (&source == this) ? m_image : Image();
    const Image& sourcePicture = (&source == this) ? sourceCopy : source.image();
    if (!hasImage()) {
        assignImage(m_image, std::nullopt, sourcePicture, sourceArea, vask::AssignMode::TotalReplacement,
                    vask::ResizeMode::ReplicateFixedAspect);
    } else {
        assignImage(m_image, targetArea, sourcePicture, sourceArea,
                    static_cast<vask::AssignMode>(m_assignMode),
                    static_cast<vask::ResizeMode>(std::clamp(m_resizeMode, 0, 3)));
    }
    imageChanged();
}

void TPicbuf::SharpenImage(int level)
{
    if (!hasImage())
        return;
    sharpenImage(m_image, level);
    imageChanged();
}

void TPicbuf::SoftenImage(int level)
{
    if (!hasImage())
        return;
    softenImage(m_image, level);
    imageChanged();
}

void TPicbuf::EdgeExtract(int level)
{
    if (!hasImage())
        return;
    edgeExtract(m_image, level);
    imageChanged();
}

void TPicbuf::BlurImage()
{
    if (!hasImage())
        return;
    blurImage(m_image);
    imageChanged();
}

void TPicbuf::NegateImage()
{
    if (!hasImage())
        return;
    negateImage(m_image);
    imageChanged();
}

void TPicbuf::GreyScaleImage()
{
    if (!hasImage())
        return;
    greyScaleImage(m_image);
    imageChanged();
}

void TPicbuf::MirrorImage(int horizontal, int vertical)
{
    if (!hasImage())
        return;
    mirrorImage(m_image, horizontal != 0, vertical != 0);
    imageChanged();
}

void TPicbuf::RotateImage(int degrees, quint32 fillColour)
{
    if (!hasImage())
        return;
    rotateImage(m_image, degrees, rgbFromColorref(fillColour));
    imageChanged();
}

void TPicbuf::IncreaseDepth(int bits)
{
    if (!hasImage())
        return;
    increaseDepth(m_image, bits);
    imageChanged();
}

void TPicbuf::ReduceColors(int colours, bool optimise, bool dither, bool bleed)
{
    if (!hasImage())
        return;
    reduceColors(m_image, colours, optimise, dither, bleed);
    imageChanged();
}

void TPicbuf::MatrixFilter(const std::vector<int>& values, int scale, int norm, int offset)
{
    if (!hasImage())
        return;
    if (values.size() != 9 && values.size() != 25)
        throw ImageError("A filter kernel needs 9 or 25 values, not " + std::to_string(values.size()) + ".");
    Kernel kernel;
    kernel.size = values.size() == 9 ? 3 : 5;
    std::copy(values.begin(), values.end(), kernel.values.begin());
    matrixFilter(m_image, kernel, scale, norm, offset);
    imageChanged();
}

void TPicbuf::MaskImages(const TPicbuf& source, const TPicbuf& mask)
{
    if (!hasImage())
        return;
    const Image sourcePicture = source.image(); // either may be this control
    const Image maskPicture = mask.image();
    maskImages(m_image, sourcePicture, maskPicture);
    imageChanged();
}

// --- drawing -----------------------------------------------------------------------------------------

void TPicbuf::PlaceText(int)
{
    if (!hasImage())
        return;
    TextStyle style;
    style.font = m_textFont;
    style.foreColour = rgbOf(m_foreColor);
    style.backColour = rgbOf(m_backColor);
    style.transparent = m_fontTransparent;
    style.alignment = m_textAlignment == 1   ? TextAlignment::Right
                      : m_textAlignment == 2 ? TextAlignment::Centre
                                             : TextAlignment::Left;
    style.autoSize = m_textAutoSize;
    const Rect area = selectionIfAny().value_or(Rect{0, 0, m_image.width(), m_image.height()});
    placeText(m_image, area, m_text, style);
    imageChanged();
}

// DrawStyle is always solid (0) in this program; other styles draw solid too.
void TPicbuf::DrawLines(const std::vector<Point>& points, int)
{
    if (!hasImage() || points.empty())
        return;
    std::vector<Point> path = points;
    if (m_drawArrows == 1)
        std::reverse(path.begin(), path.end());
    drawLines(m_image, path, std::max(1, m_drawWidth), rgbOf(m_foreColor), arrowHeadsFor(m_drawArrows));
    imageChanged();
}

// --- printing ------------------------------------------------------------------------------------------

// The print rectangle is in the device's own pixels: the painter's transformations are set
// aside while drawing. Resampled smoothly, whatever the direction.
void TPicbuf::setPrinterhDC(QPainter* printer)
{
    if (printer == nullptr || !hasImage() || m_printWidth <= 0 || m_printHeight <= 0)
        return;
    printer->save();
    printer->resetTransform();
    printer->setRenderHint(QPainter::SmoothPixmapTransform, true);
    printer->drawImage(QRectF(m_printLeft, m_printTop, m_printWidth, m_printHeight), qimageView(m_image));
    printer->restore();
}

// --- clipboard -------------------------------------------------------------------------------------------

void TPicbuf::CopyToClipboard(int whole)
{
    if (!hasImage())
        return;
    const Rect area = whole == 1 ? Rect{} : clippedSelection();
    const QImage view = qimageView(m_image);
    const QImage copy =
        area.isEmpty() ? view.copy() : view.copy(QRect(area.left, area.top, area.width, area.height));
    QGuiApplication::clipboard()->setImage(copy);
}

bool TPicbuf::PasteFromClipboard(int whole)
{
    const QImage pasted = QGuiApplication::clipboard()->image();
    if (pasted.isNull())
        return false;
    Image picture = imageFromQImage(pasted);
    if (whole == 1 || !hasImage()) {
        setImage(std::move(picture));
        return true;
    }
    assignImage(m_image, selectionIfAny(), picture, std::nullopt, static_cast<vask::AssignMode>(m_assignMode),
                static_cast<vask::ResizeMode>(std::clamp(m_resizeMode, 0, 3)));
    imageChanged();
    return true;
}

} // namespace vask
