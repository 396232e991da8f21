#pragma once

#include "engine/image/image.h"

#include <QFont>
#include <QString>

namespace vask {

enum class TextAlignment { Left = 0, Right = 1, Centre = 2 };

// How placeText draws: colours are engine words 0xFFRRGGBB.
struct TextStyle {
    QFont font;
    Rgb foreColour = packRgb(0, 0, 0);
    Rgb backColour = packRgb(255, 255, 255);
    // Draws only the glyphs; otherwise the whole area is first filled with backColour.
    bool transparent = true;
    TextAlignment alignment = TextAlignment::Left;
    // Scales the font so the text block fills the area (the larger of the sizes at which
    // neither its width nor its height is exceeded) and centres the block vertically.
    // Without it the font's own size is used and the block starts at the area's top.
    bool autoSize = false;
};

// Draws text into an area of the picture (picture pixels, clipped to the picture) with
// QPainter; nothing is drawn outside the area. Lines break only at the text's own line
// breaks ("\r\n" or "\n"). Font sizes in points are taken at 96 pixels per inch. Glyph
// edges are antialiased; a palette picture is drawn on a 24-bit copy of the area and every
// pixel the text changed takes the nearest entry of its palette, so depth, palette and the
// untouched pixels' indices stay. An empty area or a null picture changes nothing.
void placeText(Image& image, const Rect& area, const QString& text, const TextStyle& style);

// The pixel size placeText's auto size gives the font for text in an area of this size:
// at least 1.
int autoSizedPixelSize(const QString& text, const QFont& font, int areaWidth, int areaHeight);

} // namespace vask
