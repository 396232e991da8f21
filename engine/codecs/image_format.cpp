#include "engine/codecs/image_format.h"

#include <algorithm>
#include <cctype>

namespace vask {

ImageFormat formatForFileName(const std::string& fileName)
{
    const auto slash = fileName.find_last_of('/');
    const auto dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return ImageFormat::Unknown;
    std::string ext = fileName.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::toupper(c); });
    if (ext == "TIF" || ext == "TIFF") return ImageFormat::Tif;
    if (ext == "TGA") return ImageFormat::Tga;
    if (ext == "BMP") return ImageFormat::Bmp;
    if (ext == "DIB") return ImageFormat::Dib;
    if (ext == "PCX") return ImageFormat::Pcx;
    if (ext == "JPG" || ext == "JPEG") return ImageFormat::Jpg;
    if (ext == "MSP") return ImageFormat::Msp;
    if (ext == "FIF") return ImageFormat::Fif;
    if (ext == "PNG") return ImageFormat::Png;
    return ImageFormat::Unknown;
}

const char* formatName(ImageFormat format)
{
    switch (format) {
    case ImageFormat::Tif: return "TIF";
    case ImageFormat::Tga: return "TGA";
    case ImageFormat::Bmp: return "BMP";
    case ImageFormat::Dib: return "DIB";
    case ImageFormat::Pcx: return "PCX";
    case ImageFormat::Jpg: return "JPG";
    case ImageFormat::Msp: return "MSP";
    case ImageFormat::Fif: return "FIF";
    case ImageFormat::Png: return "PNG";
    case ImageFormat::Unknown: break;
    }
    return "unknown";
}

} // namespace vask
