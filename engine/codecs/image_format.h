#pragma once

#include <string>

namespace vask {

enum class ImageFormat { Unknown, Tif, Tga, Bmp, Dib, Pcx, Jpg, Msp, Fif, Png };

// The format a file name asks for, by its extension, case-insensitively (".TIF" and ".TIFF",
// ".JPG" and ".JPEG"). Unknown for any other name.
ImageFormat formatForFileName(const std::string& fileName);

// "BMP", "TIF", ... for messages.
const char* formatName(ImageFormat format);

} // namespace vask
