#pragma once

namespace vask {

class TPicbuf;

// Converts a picture to a bits-per-pixel depth: 1, 4, 8 or 24, or 99 for a custom colour
// count. A deeper target raises the picture (IncreaseDepth); a shallower one reduces it to
// 2, 16 or 256 colours (ReduceColors with the optimise, dither and bleed flags). 99 reduces to
// the custom count, capped by the picture's depth (customColourCount), when that is above 2.
// Asking for the depth the picture already has says so in an information box and changes
// nothing. Nothing happens without an image or while a utility preview is being filled.
// Shows the busy cursor and "Converting Depth" while it works, "No Function" after; a fault
// goes to the caller, which reports it with its own code.
void ConvertDepth(TPicbuf& picture, int bits, int customCount, bool optimise, bool dither, bool bleed);

// The Depth page's custom count and its optimise, dither and bleed boxes: the options every
// depth conversion outside the page takes (the page's defaults without the utilities window).
struct DepthOptions {
    int customCount = 255;
    bool optimise = true;
    bool dither = true;
    bool bleed = true;
};
DepthOptions currentDepthOptions();

// ConvertDepth with the Depth page's current options.
void ConvertDepth(TPicbuf& picture, int bits);

// The custom colour count a picture can take: wanted, at most 2 for 1 bit, 15 for 4 bits,
// 255 for 8 bits and 256 otherwise.
int customColourCount(int pictureBits, int wanted);

} // namespace vask
