#pragma once

namespace vask {

// What a save asks of the encoder beyond the picture itself; the disk control dialog fills
// these from its format options.
struct WriteOptions {
    // JPEG quality, 5 to 100.
    int jpegQuality = 75;
    // JPEG: 0 baseline, 1 progressive, 2 8-bit greyscale, 3 8-bit greyscale progressive.
    // PNG: 1 writes an Adam7 interlaced ("Progressive Display") file, 0 a plain one.
    // TIFF: 0 uncompressed, 1 Deflate, 2 PackBits (never LZW).
    int writeOption = 0;
    // PCX only: the depth to write; 0 means the picture's own. 16 and 32 are written as 24.
    int depth = 0;
};

} // namespace vask
