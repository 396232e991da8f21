#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/image.h"

namespace vask {

// TIFF through libtiff, from and to memory (or an open file); libtiff never prints, its errors become
// ImageError sentences. Both directions run on all cores in bands of rows.
//
// Reading takes the first page of any file libtiff reads, stripped or tiled, with any
// compression it decodes:
//   bilevel (min-is-white or min-is-black)  -> 1 bit, palette black/white in file order
//   grey 2 and 4 bits                       -> 4 bits with a grey palette (2 bits use 4 entries)
//   grey 8 and 16 bits                      -> 8 bits with a grey palette
//   palette 1, 2, 4, 8 bits                 -> 1, 4, 4, 8 bits, the colour map's high bytes
//   RGB 8 and 16 bits                       -> 24 bits
// 16-bit samples are rounded to 8. Alpha (grey or RGB with an alpha extra sample) is composed
// over white. Everything else (YCbCr, CMYK, Lab, separate planes) goes through libtiff's RGBA
// reader to 24 bits. The Orientation tag is ignored: rows come in stored order.
Image decodeTiff(ByteSpan bytes);

// Writes 1, 4 and 8-bit pictures with their palette as a colour map (a 1-bit picture whose
// palette is exactly black and white, or white and black, as plain bilevel) and 24-bit
// pictures as 8-bit RGB. compression: 0 none (1 MB strips), 1 Deflate (zlib level 6, with
// the horizontal predictor at 24 bits), 2 PackBits; never LZW. Other values: ImageError.
Bytes encodeTiff(const Image& image, int compression = 0);

// The same file written straight into an open, empty file from offset 0, strip by strip,
// without the whole file in memory first: for a 6000 x 4000 picture this saves a 72 MB
// buffer and its copy (about a third of an uncompressed save). fd stays open; ImageError
// (naming the system's reason) on any failure, the file then being incomplete.
void encodeTiffToFile(const Image& image, int compression, int fileDescriptor);

} // namespace vask
