#include "engine/codecs/jpeg_codec.h"
#include "tests/engine/codecs/reference_files.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace vask {
namespace {

// Soft shading, the kind of picture JPEG is made for.
Image smoothPicture(int width, int height)
{
    Image image(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.rgbRow(y)[x] = packRgb(40 + x * 150 / width, 30 + y * 190 / height,
                                         static_cast<unsigned>(128 + 90 * std::sin((x + 2 * y) * 0.05)));
    return image;
}

// The offset of the first occurrence of a two-byte marker.
std::size_t markerAt(const Bytes& file, std::uint8_t code)
{
    const std::uint8_t marker[] = {0xFF, code};
    return static_cast<std::size_t>(std::search(file.begin(), file.end(), marker, marker + 2) - file.begin());
}

TEST(JpegWriting, HigherQualityLosesLess)
{
    const Image picture = smoothPicture(160, 120);
    double previous = 0;
    for (int quality : {5, 25, 50, 75, 95}) {
        const double qualityPsnr = test::psnr(decodeJpeg(encodeJpeg(picture, quality, 0)), picture);
        EXPECT_GT(qualityPsnr, std::max(previous, quality == 75 ? 35.0 : 0.0)) << quality;
        previous = qualityPsnr;
    }
}

TEST(JpegWriting, QualityOutsideFiveToHundredIsClamped)
{
    const Image picture = smoothPicture(40, 30);
    EXPECT_EQ(encodeJpeg(picture, 0, 0), encodeJpeg(picture, 5, 0));
    EXPECT_EQ(encodeJpeg(picture, -20, 1), encodeJpeg(picture, 5, 1));
    EXPECT_EQ(encodeJpeg(picture, 250, 0), encodeJpeg(picture, 100, 0));
}

TEST(JpegWriting, ProgressiveFilesDecodeLikeBaselineFiles)
{
    // The same quantisation, so the same pixels up to rounding in the transforms.
    const Image picture = smoothPicture(301, 203);
    EXPECT_LE(test::maxChannelDifference(decodeJpeg(encodeJpeg(picture, 85, 0)),
                                         decodeJpeg(encodeJpeg(picture, 85, 1))),
              1);
}

TEST(JpegWriting, LargePicturesNeedTheOutputToGrow)
{
    // Noise at quality 100 needs far more than the first guess of two bits a pixel.
    const Image picture = test::noisePicture(700, 500, 3);
    const Bytes file = encodeJpeg(picture, 100, 0);
    EXPECT_GT(file.size(), std::size_t(700) * 500 / 4);
    EXPECT_GT(test::psnr(decodeJpeg(file), picture), 38.0);
}

// Like libjpeg itself: rows before the cut are decoded, rows after it are mid-grey.
TEST(JpegReading, TruncatedFilesGiveTheirFirstRowsAndGreyBelow)
{
    const Image picture = smoothPicture(64, 64);
    for (int option : {0, 1, 2}) {
        SCOPED_TRACE(option);
        const Bytes file = encodeJpeg(picture, 90, option);
        const Image back = decodeJpeg(ByteSpan(file.data(), file.size() * 2 / 3));
        ASSERT_EQ(back.height(), 64);
        if (option == 0) {
            Image top(64, 8, 24), topBack(64, 8, 24);
            for (int y = 0; y < 8; ++y)
                std::copy_n(picture.rgbRow(y), 64, top.rgbRow(y)),
                    std::copy_n(back.rgbRow(y), 64, topBack.rgbRow(y));
            EXPECT_GT(test::psnr(topBack, top), 35.0);
        }
        for (int x = 0; x < 64 && option != 1; ++x)
            EXPECT_EQ(back.pixelColour(x, 63) & 0xFFFFFF, 0x808080u) << x;
    }
}

// Progressive files hold tables between their scans; a cut there must not lose the scans before.
TEST(JpegReading, ProgressiveFilesCutAnywhereAfterTheirFirstScanGiveAPicture)
{
    const Bytes file = encodeJpeg(smoothPicture(48, 40), 90, 1);
    const std::size_t start = markerAt(file, 0xDA) + 20;
    ASSERT_LT(start, file.size());
    for (std::size_t length = start, refused = 0; length <= file.size() && refused <= 3; ++length) {
        const std::string message =
            test::errorOf([&] { EXPECT_EQ(decodeJpeg(ByteSpan(file.data(), length)).width(), 48); });
        refused += !message.empty();
        EXPECT_EQ(message, "") << "cut at " << length;
    }
}

TEST(JpegReading, AHugeDeclaredSizeWithLittleDataIsMostlyGrey)
{
    Bytes file = encodeJpeg(smoothPicture(16, 16), 90, 0);
    const std::size_t at = markerAt(file, 0xC0);
    ASSERT_LT(at, file.size());
    file[at + 5] = 4000 >> 8, file[at + 6] = 4000 & 0xFF; // height
    file[at + 7] = 3000 >> 8, file[at + 8] = 3000 & 0xFF; // width
    const Image back = decodeJpeg(file);
    ASSERT_EQ(back.width(), 3000);
    ASSERT_EQ(back.height(), 4000);
    EXPECT_EQ(back.pixelColour(2999, 3999) & 0xFFFFFF, 0x808080u);
}

} // namespace
} // namespace vask
