#pragma once

#include "engine/image/image.h"
#include "engine/parallel/bands.h"

#include <vector>

namespace vask {

// Applies one colour change to a whole picture in place: below 24 bits to each palette entry
// (the indices stay), at 24 bits to every row, on all cores in bands of rows. changeEntry(Rgb)
// returns the new colour of one entry; changeRow(Rgb* row, int width) changes a row of pixel
// words alike. An empty picture is left alone.
template <typename EntryChange, typename RowChange>
void changeColours(Image& image, const EntryChange& changeEntry, const RowChange& changeRow)
{
    if (image.isNull())
        return;
    if (!image.isTrueColour()) {
        std::vector<Rgb> palette = image.palette();
        for (Rgb& entry : palette)
            entry = changeEntry(entry);
        image.setPalette(palette);
        return;
    }
    const int width = image.width();
    forEachBand(image.height(), [&](int first, int end) {
        for (int y = first; y < end; ++y)
            changeRow(image.rgbRow(y), width);
    });
}

} // namespace vask
