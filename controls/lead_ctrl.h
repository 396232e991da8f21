#pragma once

#include "engine/image/image.h"

#include <QWidget>

#include <array>
#include <functional>

namespace vask {

// The LEAD-style imaging control: one engine picture shown fitted into its display
// rectangle, with file writing, colour separations, histograms, the six enhancement
// adjustments, resizing, screen capture and clipboard paste. Pictures move in and out of it
// only as copies (GetDIB / SetDIB).
//
// Methods that can fail throw ImageError (or std::exception) with a sentence; the caller
// reports it with its own code. Operations on an empty control do nothing. Change is emitted
// after every change of the picture (also when it is released).
//
// Display: without SetDisplayRect the picture is fitted into the whole control keeping its
// aspect, at the top left; with it, the picture is stretched into that rectangle (the
// caller's fit routine keeps the aspect), clipped to SetDisplayClipRect when one is set. A
// new picture of another size drops the old rectangles.
class TLeadCtrl : public QWidget {
    Q_OBJECT
public:
    explicit TLeadCtrl(QWidget* parent = nullptr);
    ~TLeadCtrl() override;

    // Above 0 while the control holds a picture (a number that changes with each new
    // picture); setBitmap(0) releases it.
    int Bitmap() const;
    void setBitmap(int handle);
    // P.Bitmap := Q.Bitmap: this control takes a copy of other's picture (released when
    // other is empty).
    void copyBitmapFrom(const TLeadCtrl& other);

    int BitmapWidth() const { return m_image.width(); }
    int BitmapHeight() const { return m_image.height(); }
    int BitsPerPixel() const { return m_image.depth(); }
    const Image& image() const { return m_image; }

    // A copy of the picture, owned by the caller; a null picture when empty.
    Image GetDIB() const;
    // Takes a copy of the picture; the caller keeps its own.
    void SetDIB(const Image& picture);

    // Display and clip rectangles in control pixels (floats as the control takes them).
    void SetDisplayRect(float left, float top, float width, float height);
    void SetDisplayClipRect(float left, float top, float width, float height);
    QRectF displayRect() const { return m_displayRect; }

    // Writes the picture: format 1 PCX, 6 BMP (others refused with ImageError); bits is the
    // depth to write (0 the picture's own), quality unused by these two formats.
    void Save(const QString& fileName, int format, int bits, int quality, bool multipage);

    // Model codes 0 RGB, 1 CMYK, 2 HSV, 3 HLS, 4 CMY are the engine's ColourModel values
    // one for one. Planes (8-bit grey, the picture's size) go into ColorPlanes(0..3) in the
    // engine's plane order: RGB blue, green, red; CMYK cyan, magenta, yellow, K; CMY cyan,
    // magenta, yellow; HSV hue, saturation, value; HLS hue, lightness, saturation. Planes the
    // model does not use are emptied. The picture itself is kept. ImageError for another code.
    void ColorSeparate(int model);
    // Builds a 24-bit picture from ColorPlanes(0..planes - 1) by the model; the planes stay.
    // ImageError when one of them is empty or their sizes differ.
    void ColorMerge(int model);
    // Copies in and out; an empty picture releases a plane. ImageError for a plane outside 0..3.
    Image ColorPlanes(int plane) const;
    void setColorPlanes(int plane, const Image& planePicture);

    // Channel 0 all (luminance), 1 red, 2 green, 3 blue; counts above 2^32 - 1 are held there.
    // An empty control gives all zeros. HistogramValues answers 0 outside 0..255.
    void ComputeHistogram(int channel);
    quint32 HistogramValues(int bin) const;
    void HistogramEqualize();
    void StretchIntensity();
    // Track bar positions in the engine's units (engine/ops/adjust/adjustments.h): brightness,
    // contrast, histogram contrast and saturation -1000..1000 tenths of a percent, gamma
    // 1..250 with 125 neutral, hue -180..180 degrees.
    void ChangeBrightness(int amount);
    void ChangeContrast(int amount);
    void ChangeHistogramContrast(int amount);
    void ChangeGamma(int amount);
    void ChangeHue(int degrees);
    void ChangeSaturation(int amount);

    // Resamples to width x height (rounded); quality 1 high (palette pictures become 24-bit),
    // 0 fast (pixel replication, depth kept).
    void ResizeBitmap(float width, float height, int quality);

    // Grabs the area of the primary screen (screen pixels; device is ignored) into the control
    // as a 24-bit picture. ImageError when the platform refuses to show the screen (some
    // Wayland sessions) or the area is empty.
    void CaptureArea(int device, float left, float top, float width, float height);
    // Flag 16384 asks whether the clipboard holds a picture: 1 yes, 0 no. Flag 0 pastes it as
    // a 24-bit picture and answers 1, or answers 0 and leaves the picture as it was when the
    // clipboard holds none.
    int Paste(int flags);
    static constexpr int kPasteQuery = 16384;

signals:
    void Change();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Takes picture as the new one: a new handle, old display rectangles dropped when the
    // size changed, repaint, Change.
    void takePicture(Image picture);
    void pictureChanged();
    // Runs an in-place adjustment (same handle) on a held picture, then Change.
    void adjustInPlace(const std::function<void(Image&)>& adjustment);

    Image m_image;
    int m_handle = 0;
    QRectF m_displayRect;
    QRectF m_clipRect;
    std::array<Image, 4> m_planes;
    std::array<quint32, 256> m_histogram{};
};

} // namespace vask
