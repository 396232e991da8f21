#pragma once

#include "controls/picbuf_geometry.h"
#include "engine/image/image.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

namespace vask {

// The picture buffer control: one engine picture, shown in a scrollable view at any scale,
// with a selection rectangle in image pixels, file loading and saving by FileName, the
// clipboard, printing into a rectangle and the picture operations the windows call by name.
// Every image window, utility slot, image store and preview holds one.
//
// Display: with AutoScale the whole picture is fitted into the control keeping its aspect;
// otherwise ScaleScreen screen pixels show ScaleImage image pixels (2 : 1 doubles) and the
// view scrolls when ScrollBars is 3. Painting scales only the visible part of the picture.
//
// Coordinates: control X, Y are viewport pixels; ScreenToImageX/Y give the image pixel drawn
// there (it may lie outside the picture, as it does left of or above a centred picture).
//
// A picture smaller than the control (at the chosen scale) is centred; a larger one starts at
// the top-left corner and scrolls. Painting and ScreenToImageX/Y share PicbufGeometry, so the
// pixel a conversion names is the one painted there (when shrinking, the painted colour is
// the average of the pixels from that one to the next control pixel's).
//
// Colours: GetPixel, CreateImage, RotateImage and the palette entry methods use Windows colour
// values (red in the low byte); PutRow takes 0x00RRGGBB.
//
// Faults: Load, Save and the operations throw ImageError (or std::exception) with a sentence;
// the picture is then unchanged. Operations on an empty control do nothing.
//
// Change is emitted after the picture was replaced or changed (after the selection was
// cleared, so a handler may set a new one). The control sets no cursor of its own.
class TPicbuf : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TPicbuf(QWidget* parent = nullptr);
    ~TPicbuf() override;

    // --- the picture ------------------------------------------------------------------
    // 1 when the control holds a picture, 0 otherwise.
    int Contents() const { return m_image.isNull() ? 0 : 1; }
    bool hasImage() const { return !m_image.isNull(); }
    int Xresolution() const { return m_image.width(); }
    int Yresolution() const { return m_image.height(); }
    int ColorDepth() const { return m_image.depth(); }
    const Image& image() const { return m_image; }
    // Replaces the picture (the selection is cleared) and repaints.
    void setImage(Image image);
    // The size and depth in a few words, for hints ("640 x 480 x 24 Bit"); empty without one.
    QString InfoImage() const;
    // For operations done on the engine picture directly: call imageChanged() afterwards
    // (repaints and emits Change).
    Image& editableImage() { return m_image; }
    void imageChanged();

    // --- file properties and methods ---------------------------------------------------
    QString FileName() const { return m_fileName; }
    void setFileName(const QString& name) { m_fileName = name; }
    int JPGQuality() const { return m_jpgQuality; }
    void setJPGQuality(int quality) { m_jpgQuality = quality; }
    // The write option of the disk control dialog (JPG/PNG/TIFF meaning as in WriteOptions).
    int WriteOption() const { return m_writeOption; }
    void setWriteOption(int option) { m_writeOption = option; }
    int LoadOptions() const { return m_loadOptions; }
    void setLoadOptions(int value) { m_loadOptions = value; }
    int LoadScale() const { return m_loadScale; }
    void setLoadScale(int value) { m_loadScale = value; }
    int LoadWidth() const { return m_loadWidth; }
    void setLoadWidth(int value) { m_loadWidth = value; }
    int LoadHeight() const { return m_loadHeight; }
    void setLoadHeight(int value) { m_loadHeight = value; }
    // Reads FileName through the engine codecs; throws with the codec's sentence.
    void Load();
    // Writes FileName with JPGQuality and WriteOption; throws, leaving any old file intact.
    void Save();

    // --- display -------------------------------------------------------------------------
    bool AutoScale() const { return m_autoScale; }
    void setAutoScale(bool on);
    int ScaleImage() const { return m_scaleImage; }
    void setScaleImage(int value);
    int ScaleScreen() const { return m_scaleScreen; }
    void setScaleScreen(int value);
    // Sizes the control to the picture when set (not used by the windows, kept as a flag).
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool on) { m_autoSize = on; }
    // 0 none, 3 both.
    int ScrollBars() const { return m_scrollBars; }
    void setScrollBars(int value);
    // Scrolls so that image point (imageX, imageY) shows at control point (controlX, controlY).
    void PanImage(int imageX, int imageY, int controlX, int controlY);
    void Refresh();
    void RealizePalette();
    int ScreenToImageX(int controlX) const;
    int ScreenToImageY(int controlY) const;
    // The inverse, for tests and for drawing overlays: the control position of an image point.
    QPointF imageToControl(QPointF imagePoint) const;
    // The control rectangle the whole picture occupies at the current scale and scroll.
    QRectF pictureRectInControl() const;
    // The display arithmetic for the current picture, scale, scroll and viewport.
    PicbufGeometry geometry() const;

    // --- selection (image pixels) ----------------------------------------------------------
    int SelectLeft() const { return m_selectLeft; }
    void setSelectLeft(int value);
    int SelectTop() const { return m_selectTop; }
    void setSelectTop(int value);
    int SelectWidth() const { return m_selectWidth; }
    void setSelectWidth(int value);
    int SelectHeight() const { return m_selectHeight; }
    void setSelectHeight(int value);
    // Left and top may be negative (a zoom area near the edge); width and height are 0 to
    // 65535 (a negative width or height is taken as 0). Left and top are 16-bit values.
    // The selection as an engine rectangle, empty when width or height is 0.
    Rect selection() const { return {m_selectLeft, m_selectTop, m_selectWidth, m_selectHeight}; }
    void setSelection(const Rect& area);
    // Shows the selection outline on the picture (off by default).
    void setSelectionVisible(bool on);
    bool selectionVisible() const { return m_selectionVisible; }

    // --- drawing and text properties ------------------------------------------------------
    QColor FillColor() const { return m_fillColor; }
    void setFillColor(const QColor& colour) { m_fillColor = colour; }
    QColor BackColor() const { return m_backColor; }
    void setBackColor(const QColor& colour);
    QColor ForeColor() const { return m_foreColor; }
    void setForeColor(const QColor& colour) { m_foreColor = colour; }
    QFont Font() const { return m_textFont; }
    void setFont(const QFont& font) { m_textFont = font; }
    QString Text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }
    bool FontTransparent() const { return m_fontTransparent; }
    void setFontTransparent(bool on) { m_fontTransparent = on; }
    bool TextAutoSize() const { return m_textAutoSize; }
    void setTextAutoSize(bool on) { m_textAutoSize = on; }
    // 0 left, 1 right, 2 centred.
    int TextAlignment() const { return m_textAlignment; }
    void setTextAlignment(int value) { m_textAlignment = value; }
    // 0 none, 1 head at the start, 2 head at the end, 3 both.
    int DrawArrows() const { return m_drawArrows; }
    void setDrawArrows(int value) { m_drawArrows = value; }
    int DrawStyle() const { return m_drawStyle; }
    void setDrawStyle(int value) { m_drawStyle = value; }
    int DrawWidth() const { return m_drawWidth; }
    void setDrawWidth(int value) { m_drawWidth = value; }
    int AssignMode() const { return m_assignMode; }
    void setAssignMode(int value) { m_assignMode = value; }
    int ResizeMode() const { return m_resizeMode; }
    void setResizeMode(int value) { m_resizeMode = value; }

    // Draws Text into the selection area (the whole picture without one) with Font,
    // ForeColor, BackColor unless FontTransparent, TextAlignment, and, with TextAutoSize,
    // the font scaled so the text fills the area. Several lines stay several lines.
    void PlaceText(int reserved = 0);
    // Polyline in image pixels with DrawWidth, ForeColor and DrawArrows.
    void DrawLines(const std::vector<Point>& points, int reserved = 0);

    // --- printing -------------------------------------------------------------------------
    int PrintLeft() const { return m_printLeft; }
    void setPrintLeft(int value) { m_printLeft = value; }
    int PrintTop() const { return m_printTop; }
    void setPrintTop(int value) { m_printTop = value; }
    int PrintWidth() const { return m_printWidth; }
    void setPrintWidth(int value) { m_printWidth = value; }
    int PrintHeight() const { return m_printHeight; }
    void setPrintHeight(int value) { m_printHeight = value; }
    // The printer's device context: the picture draws itself into its print rectangle
    // (device pixels of the painter's device) at once.
    void setPrinterhDC(QPainter* printer);

    // --- pixels and palettes ---------------------------------------------------------------
    // Colour with red in the low byte (a Windows colour value); 0 outside the picture.
    quint32 GetPixel(int x, int y) const;
    // Palette index of a pixel; 0 outside the picture and for 24-bit pictures.
    int GetPixelIndex(int x, int y) const;
    // Palette entries as Windows colour values; 0 for an index outside the palette.
    quint32 GetPaletteEntry(int index) const;
    void SetPaletteEntry(int index, quint32 colour);
    // All 256 entries (unused ones 0), empty for a 24-bit or empty control.
    std::vector<quint32> GetPaletteEntries() const;
    // Colours 0x00RRGGBB, one per pixel from the left.
    void PutRow(int row, const std::vector<quint32>& colours);
    void MapPalette(const TPicbuf& source);
    void ReadPalette();  // palette of FileName into this picture (as MapPalette would use it)
    void WritePalette(); // palette of this picture to FileName

    // --- operations --------------------------------------------------------------------------
    void ClearImage();
    // bits 1, 4, 8 or 24; fill is a Windows colour value (red in the low byte).
    void CreateImage(int bits, int width, int height, quint32 fillColour);
    // Copies source (or its selection when useSourceSelection) into this picture (or its
    // selection when useTargetSelection) by AssignMode and ResizeMode.
    void AssignImage(bool useTargetSelection, const TPicbuf& source, bool useSourceSelection);
    void SharpenImage(int level);
    void SoftenImage(int level);
    void EdgeExtract(int level);
    void BlurImage();
    void NegateImage();
    void GreyScaleImage();
    // -1 yes, 0 no, as the windows pass them.
    void MirrorImage(int horizontal, int vertical);
    // Degrees anticlockwise; fill is a Windows colour value.
    void RotateImage(int degrees, quint32 fillColour);
    void IncreaseDepth(int bits);
    void ReduceColors(int colours, bool optimise, bool dither, bool bleed);
    // 3x3 or 5x5 kernel given row by row.
    void MatrixFilter(const std::vector<int>& kernel, int scale, int norm, int offset);
    void MaskImages(const TPicbuf& source, const TPicbuf& mask);

    // --- clipboard ------------------------------------------------------------------------
    // whole 1: the whole picture; 0: the selection area (clipped to the picture; the whole
    // picture when the selection is empty or outside it).
    void CopyToClipboard(int whole = 1);
    // whole 1: the clipboard picture replaces this one (selection cleared); 0: it is copied
    // into the selection area at 1:1 by AssignImage's rules (the whole picture without a
    // selection). false when the clipboard holds no picture (the control is then unchanged).
    bool PasteFromClipboard(int whole = 1);

signals:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void Click();
    // The picture was replaced or changed by an operation.
    void Change();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void updateScrollRange();
    double zoom() const;
    QPointF origin() const;
    QPoint scroll() const;
    void setScroll(QPoint scroll);
    // Changes the scale, keeping the image point at the viewport's centre where it was.
    template <typename Apply> void changeScale(Apply apply);
    // The picture scaled for the visible rectangle, rendered again only when something
    // that shows changed.
    const QImage& visiblePicture(const PicbufGeometry& geometry, const QRect& visible);
    void drawSelectionOutline(QPainter& painter, const PicbufGeometry& geometry) const;
    std::optional<Rect> selectionIfAny() const;
    Rect clippedSelection() const;

    Image m_image;
    QString m_fileName;
    int m_jpgQuality = 75;
    int m_writeOption = 0;
    int m_loadOptions = 0;
    int m_loadScale = 0;
    int m_loadWidth = 0;
    int m_loadHeight = 0;
    bool m_autoScale = true;
    int m_scaleImage = 1;
    int m_scaleScreen = 1;
    bool m_autoSize = false;
    int m_scrollBars = 0;
    int m_selectLeft = 0;
    int m_selectTop = 0;
    int m_selectWidth = 0;
    int m_selectHeight = 0;
    bool m_selectionVisible = false;
    QColor m_fillColor = Qt::white;
    QColor m_backColor = QColor(0xC0, 0xC0, 0xC0);
    QColor m_foreColor = Qt::black;
    QFont m_textFont;
    QString m_text;
    bool m_fontTransparent = true;
    bool m_textAutoSize = false;
    int m_textAlignment = 0;
    int m_drawArrows = 0;
    int m_drawStyle = 0;
    int m_drawWidth = 1;
    int m_assignMode = 0;
    int m_resizeMode = 0;
    int m_printLeft = 0;
    int m_printTop = 0;
    int m_printWidth = 0;
    int m_printHeight = 0;
    bool m_pressed = false;
    QPoint m_pressPoint;
    // Bumped by every change of the picture; the rendered view remembers what it showed.
    quint64 m_generation = 1;
    struct RenderedView {
        quint64 generation = 0;
        QRect visible;
        QPoint origin;
        qint64 screenUnits = 0;
        qint64 imageUnits = 0;
        QImage pixels;
    } m_rendered;
};

} // namespace vask
