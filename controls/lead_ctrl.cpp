#include "controls/lead_ctrl.h"

#include "controls/classic_look.h"

#include "engine/qt/qimage_view.h"
#include "engine/codecs/file_io.h"
#include "engine/codecs/image_file.h"
#include "engine/image/image_error.h"
#include "engine/ops/adjust/adjustments.h"
#include "engine/ops/adjust/equalize.h"
#include "engine/ops/adjust/histogram.h"
#include "engine/ops/colour/separations.h"
#include "engine/ops/geometry/resample.h"
#include "engine/ops/palette/increase_depth.h"
#include "engine/ops/palette/reduce_colors.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace vask {

namespace {

// Handles only have to differ between pictures; one counter for all controls makes a handle
// name one picture program-wide, as the bitmap handles did.
int nextHandle()
{
    static int counter = 0;
    counter = counter == std::numeric_limits<int>::max() ? 1 : counter + 1;
    return counter;
}

void checkPlaneIndex(int plane)
{
    if (plane < 0 || plane > 3)
        throw ImageError("Colour plane " + std::to_string(plane) + " does not exist; planes are 0 to 3.");
}

ColourModel modelForCode(int model)
{
    if (model < 0 || model > 4)
        throw ImageError("Colour model code " + std::to_string(model) +
                         " is not one of 0 RGB, 1 CMYK, 2 HSV, 3 HLS and 4 CMY.");
    return static_cast<ColourModel>(model);
}

// The BMP writer keeps the picture's depth, so a requested depth is reached beforehand the
// way the PCX writer does it: reduceColors (optimised, dithered) down, increaseDepth up.
Image atBmpDepth(const Image& picture, int bits)
{
    if (bits == 16 || bits == 32)
        bits = 24;
    if (bits == 0 || bits == picture.depth())
        return picture;
    if (!Image::isValidDepth(bits))
        throw ImageError("A BMP file cannot be written with " + std::to_string(bits) + " bits per pixel.");
    Image result = picture;
    if (bits > picture.depth())
        increaseDepth(result, bits);
    else
        reduceColors(result, 1 << bits, true, true, false);
    return result;
}

int roundedSide(float side)
{
    if (!std::isfinite(side))
        throw ImageError("The new picture size is not a number.");
    return static_cast<int>(std::lround(side));
}

} // namespace

TLeadCtrl::TLeadCtrl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TLeadCtrl::~TLeadCtrl() = default;

int TLeadCtrl::Bitmap() const
{
    return m_image.isNull() ? 0 : m_handle;
}

void TLeadCtrl::setBitmap(int handle)
{
    // Only releasing is meaningful here: pictures come in through SetDIB or copyBitmapFrom.
    if (handle != 0 || m_image.isNull())
        return;
    m_image = Image();
    m_handle = 0;
    pictureChanged();
}

void TLeadCtrl::copyBitmapFrom(const TLeadCtrl& other)
{
    if (&other == this)
        return;
    if (other.m_image.isNull()) {
        setBitmap(0);
        return;
    }
    takePicture(other.m_image);
}

Image TLeadCtrl::GetDIB() const
{
    return m_image;
}

void TLeadCtrl::SetDIB(const Image& picture)
{
    if (picture.isNull()) {
        setBitmap(0);
        return;
    }
    takePicture(picture);
}

void TLeadCtrl::SetDisplayRect(float left, float top, float width, float height)
{
    m_displayRect = QRectF(left, top, width, height);
    update();
}

void TLeadCtrl::SetDisplayClipRect(float left, float top, float width, float height)
{
    m_clipRect = QRectF(left, top, width, height);
    update();
}

void TLeadCtrl::Save(const QString& fileName, int format, int bits, int /*quality*/, bool /*multipage*/)
{
    if (m_image.isNull())
        return;
    const std::string path = fileName.toStdString();
    // The format is the argument's, whatever the name's extension says.
    Bytes bytes;
    if (format == 1) {
        WriteOptions options;
        options.depth = bits;
        bytes = encodeImage(m_image, ImageFormat::Pcx, options);
    } else if (format == 6) {
        bytes = encodeImage(atBmpDepth(m_image, bits), ImageFormat::Bmp);
    } else {
        throw ImageError("File format " + std::to_string(format) +
                         " cannot be written here; only 1 (PCX) and 6 (BMP) can.");
    }
    writeFileAtomically(path, bytes);
}

void TLeadCtrl::ColorSeparate(int model)
{
    const ColourModel colourModel = modelForCode(model);
    if (m_image.isNull())
        return;
    std::vector<Image> planes = colorSeparate(m_image, colourModel);
    for (std::size_t i = 0; i < m_planes.size(); ++i)
        m_planes[i] = i < planes.size() ? std::move(planes[i]) : Image();
}

void TLeadCtrl::ColorMerge(int model)
{
    const ColourModel colourModel = modelForCode(model);
    const int count = planeCount(colourModel);
    std::vector<Image> planes(m_planes.begin(), m_planes.begin() + count);
    takePicture(colorMerge(planes, colourModel));
}

Image TLeadCtrl::ColorPlanes(int plane) const
{
    checkPlaneIndex(plane);
    return m_planes[static_cast<std::size_t>(plane)];
}

void TLeadCtrl::setColorPlanes(int plane, const Image& planePicture)
{
    checkPlaneIndex(plane);
    m_planes[static_cast<std::size_t>(plane)] = planePicture;
}

void TLeadCtrl::ComputeHistogram(int channel)
{
    const Histogram counts = computeHistogram(m_image, channel);
    constexpr std::uint64_t kMaxCount = std::numeric_limits<quint32>::max();
    for (std::size_t i = 0; i < counts.size(); ++i)
        m_histogram[i] = static_cast<quint32>(std::min(counts[i], kMaxCount));
}

quint32 TLeadCtrl::HistogramValues(int bin) const
{
    if (bin < 0 || bin > 255)
        return 0;
    return m_histogram[static_cast<std::size_t>(bin)];
}

void TLeadCtrl::adjustInPlace(const std::function<void(Image&)>& adjustment)
{
    if (m_image.isNull())
        return;
    adjustment(m_image);
    pictureChanged();
}

void TLeadCtrl::HistogramEqualize()
{
    adjustInPlace([&](Image& picture) { histogramEqualize(picture); });
}

void TLeadCtrl::StretchIntensity()
{
    adjustInPlace([&](Image& picture) { stretchIntensity(picture); });
}

void TLeadCtrl::ChangeBrightness(int amount)
{
    adjustInPlace([&](Image& picture) { changeBrightness(picture, amount); });
}

void TLeadCtrl::ChangeContrast(int amount)
{
    adjustInPlace([&](Image& picture) { changeContrast(picture, amount); });
}

void TLeadCtrl::ChangeHistogramContrast(int amount)
{
    adjustInPlace([&](Image& picture) { changeHistogramContrast(picture, amount); });
}

void TLeadCtrl::ChangeGamma(int amount)
{
    adjustInPlace([&](Image& picture) { changeGamma(picture, amount); });
}

void TLeadCtrl::ChangeHue(int degrees)
{
    adjustInPlace([&](Image& picture) { changeHue(picture, degrees); });
}

void TLeadCtrl::ChangeSaturation(int amount)
{
    adjustInPlace([&](Image& picture) { changeSaturation(picture, amount); });
}

void TLeadCtrl::ResizeBitmap(float width, float height, int quality)
{
    if (m_image.isNull())
        return;
    const ResampleQuality resampleQuality = quality == 0 ? ResampleQuality::Fast : ResampleQuality::High;
    takePicture(resampleImage(m_image, roundedSide(width), roundedSide(height), resampleQuality));
}

void TLeadCtrl::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), silverColour());
    if (m_image.isNull())
        return;
    QRectF target = m_displayRect;
    if (target.isEmpty()) {
        const double scale = std::min(double(width()) / m_image.width(), double(height()) / m_image.height());
        target = QRectF(0, 0, m_image.width() * scale, m_image.height() * scale);
    }
    if (!m_clipRect.isEmpty())
        painter.setClipRect(m_clipRect);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, qimageView(m_image));
}

void TLeadCtrl::takePicture(Image picture)
{
    if (picture.width() != m_image.width() || picture.height() != m_image.height()) {
        m_displayRect = QRectF();
        m_clipRect = QRectF();
    }
    m_image = std::move(picture);
    m_handle = nextHandle();
    pictureChanged();
}

void TLeadCtrl::pictureChanged()
{
    update();
    emit Change();
}

} // namespace vask
