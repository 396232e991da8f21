#include "engine/codecs/image_file.h"

#include "engine/codecs/bmp_codec.h"
#include "engine/codecs/file_io.h"
#include "engine/codecs/jpeg_codec.h"
#include "engine/codecs/msp_codec.h"
#include "engine/codecs/pcx_codec.h"
#include "engine/codecs/png_codec.h"
#include "engine/codecs/tga_codec.h"
#include "engine/codecs/tiff_codec.h"
#include "engine/image/image_error.h"

#include <new>

namespace vask {

Image decodeImage(ImageFormat format, ByteSpan bytes)
{
    switch (format) {
    case ImageFormat::Bmp:
    case ImageFormat::Dib: return decodeBmp(bytes);
    case ImageFormat::Tga: return decodeTga(bytes);
    case ImageFormat::Pcx: return decodePcx(bytes);
    case ImageFormat::Msp: return decodeMsp(bytes);
    case ImageFormat::Tif: return decodeTiff(bytes);
    case ImageFormat::Jpg: return decodeJpeg(bytes);
    case ImageFormat::Png: return decodePng(bytes);
    case ImageFormat::Fif:
        throw ImageError("FIF fractal pictures cannot be read: no decoder for this format exists.");
    case ImageFormat::Unknown: break;
    }
    throw ImageError("This kind of file is not a picture format that can be read.");
}

Bytes encodeImage(const Image& image, ImageFormat format, const WriteOptions& options)
{
    if (image.isNull())
        throw ImageError("There is no picture to save.");
    switch (format) {
    case ImageFormat::Bmp:
    case ImageFormat::Dib: return encodeBmp(image);
    case ImageFormat::Tga: return encodeTga(image);
    case ImageFormat::Pcx: return encodePcx(image, options.depth);
    case ImageFormat::Tif: return encodeTiff(image, options.writeOption);
    case ImageFormat::Jpg: return encodeJpeg(image, options.jpegQuality, options.writeOption);
    case ImageFormat::Png: return encodePng(image, options.writeOption == 1);
    case ImageFormat::Msp:
    case ImageFormat::Fif:
        throw ImageError(std::string(formatName(format)) + " files can be read but not written.");
    case ImageFormat::Unknown: break;
    }
    throw ImageError("This kind of file is not a picture format that can be written.");
}

Image loadImageFile(const std::string& path)
{
    const ImageFormat format = formatForFileName(path);
    if (format == ImageFormat::Unknown)
        throw ImageError("The file " + path + " is not of a picture format that can be read.");
    try {
        const FileBytes bytes(path);
        return decodeImage(format, bytes);
    } catch (const std::bad_alloc&) {
        throw ImageError("There is not enough memory to read " + path + ".");
    } catch (const ImageError& e) {
        const std::string what = e.what();
        if (what.find(path) != std::string::npos)
            throw;
        throw ImageError(path + ": " + what);
    }
}

void saveImageFile(const Image& image, const std::string& path, const WriteOptions& options)
{
    const ImageFormat format = formatForFileName(path);
    if (format == ImageFormat::Unknown)
        throw ImageError("The file name " + path + " has no picture extension to save as.");
    try {
        if (format == ImageFormat::Tif && !image.isNull()) {
            // TIFF goes strip by strip straight into the file: no whole-file buffer.
            writeFileAtomically(path, [&](int fd) { encodeTiffToFile(image, options.writeOption, fd); });
            return;
        }
        const Bytes bytes = encodeImage(image, format, options);
        writeFileAtomically(path, bytes);
    } catch (const std::bad_alloc&) {
        throw ImageError("There is not enough memory to write " + path + ".");
    } catch (const ImageError& e) {
        const std::string what = e.what();
        if (what.find(path) != std::string::npos)
            throw;
        throw ImageError(path + ": " + what);
    }
}

} // namespace vask
