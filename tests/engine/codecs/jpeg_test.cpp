#include "engine/codecs/jpeg_codec.h"
#include "engine/image/image_error.h"
#include "tests/engine/codecs/library_codec_checks.h"
#include "tests/engine/codecs/reference_files.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace vask {
namespace {

struct FrameHeader {
    int marker = -1; // 0xC0 baseline, 0xC1 extended, 0xC2 progressive
    int components = 0;
};

// The first start-of-frame marker in a JPEG file and its component count.
FrameHeader frameOf(const Bytes& file)
{
    for (std::size_t i = 2; i + 9 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] >= 0xC0 && file[i + 1] <= 0xC2)
            return {file[i + 1], file[i + 9]};
    return {};
}

// Luminance in floating point, rounded: the grey a greyscale save should hold.
Image luminanceOf(const Image& picture)
{
    Image grey(picture.width(), picture.height(), 24);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Rgb p = picture.pixelColour(x, y);
            const auto v =
                static_cast<unsigned>(std::lround(0.299 * redOf(p) + 0.587 * greenOf(p) + 0.114 * blueOf(p)));
            grey.rgbRow(y)[x] = packRgb(v, v, v);
        }
    return grey;
}

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

struct OptionCase {
    int depth;
    int writeOption;
};

class JpegRoundTrip : public ::testing::TestWithParam<OptionCase> {};

// At quality 100 even random pixels survive closely; greyscale options keep the luminance.
TEST_P(JpegRoundTrip, KeepsThePictureWithinTheLossOfQuality100)
{
    const auto [depth, option] = GetParam();
    const bool grey = option >= 2;
    for (const Image& picture : test::roundTripPictures(depth, 31)) {
        SCOPED_TRACE(std::to_string(picture.width()) + " x " + std::to_string(picture.height()));
        const Bytes file = encodeJpeg(picture, 100, option);
        const FrameHeader frame = frameOf(file);
        EXPECT_EQ(frame.marker, option % 2 == 1 ? 0xC2 : 0xC0);
        EXPECT_EQ(frame.components, grey ? 1 : 3);
        const Image back = decodeJpeg(file);
        ASSERT_EQ(back.width(), picture.width());
        ASSERT_EQ(back.height(), picture.height());
        EXPECT_EQ(back.depth(), grey ? 8 : 24);
        if (grey) {
            EXPECT_EQ(back.palette(), greyPalette(8));
            EXPECT_GT(test::psnr(back, luminanceOf(picture)), 45.0);
        } else {
            EXPECT_GT(test::psnr(back, picture), 38.0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepthsAndOptions, JpegRoundTrip,
                         ::testing::Values(OptionCase{1, 0}, OptionCase{4, 1}, OptionCase{8, 2},
                                           OptionCase{8, 0}, OptionCase{24, 0}, OptionCase{24, 1},
                                           OptionCase{24, 2}, OptionCase{24, 3}, OptionCase{4, 3},
                                           OptionCase{1, 2}),
                         [](const auto& info) {
                             return "Depth" + std::to_string(info.param.depth) + "Option" +
                                    std::to_string(info.param.writeOption);
                         });

TEST(JpegWriting, HigherQualityLosesLess)
{
    const Image picture = smoothPicture(160, 120);
    double previous = 0;
    for (int quality : {5, 25, 50, 75, 95}) {
        const double quality_psnr = test::psnr(decodeJpeg(encodeJpeg(picture, quality, 0)), picture);
        EXPECT_GT(quality_psnr, previous) << quality;
        previous = quality_psnr;
    }
    EXPECT_GT(test::psnr(decodeJpeg(encodeJpeg(picture, 75, 0)), picture), 35.0);
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
    const Image picture = smoothPicture(301, 203);
    const Image baseline = decodeJpeg(encodeJpeg(picture, 85, 0));
    const Image progressive = decodeJpeg(encodeJpeg(picture, 85, 1));
    // The same quantisation, so the same pixels up to rounding in the transforms.
    EXPECT_LE(test::maxChannelDifference(baseline, progressive), 1);
}

TEST(JpegWriting, LargePicturesNeedTheOutputToGrow)
{
    // Noise at quality 100 needs far more than the first guess of two bits a pixel.
    const Image picture = test::noisePicture(700, 500, 3);
    const Bytes file = encodeJpeg(picture, 100, 0);
    EXPECT_GT(file.size(), std::size_t(700) * 500 / 4);
    EXPECT_GT(test::psnr(decodeJpeg(file), picture), 38.0);
}

TEST(JpegWriting, UnknownWriteOptionsAreRefused)
{
    const Image picture = smoothPicture(8, 8);
    for (int option : {-1, 4, 7})
        EXPECT_THROW(encodeJpeg(picture, 75, option), ImageError) << option;
    EXPECT_THROW(encodeJpeg(Image(), 75, 0), ImageError);
}

class JpegReference : public ::testing::TestWithParam<test::ReferenceCase> {};

TEST_P(JpegReference, DecodesLikeImageMagick)
{
    test::expectMatchesReference("jpeg", GetParam(), decodeJpeg);
}

INSTANTIATE_TEST_SUITE_P(ImageMagickFiles, JpegReference,
                         ::testing::Values(test::ReferenceCase{"baseline.jpg", 24, 1},
                                           test::ReferenceCase{"baseline_444.jpg", 24, 1},
                                           test::ReferenceCase{"progressive.jpg", 24, 1},
                                           test::ReferenceCase{"grey.jpg", 8, 0},
                                           test::ReferenceCase{"cmyk.jpg", 24, 1}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             return name.substr(0, name.find('.'));
                         });

TEST(JpegReading, ProgressiveReferenceIsProgressive)
{
    EXPECT_EQ(frameOf(test::readReferenceFile("jpeg/progressive.jpg")).marker, 0xC2);
    EXPECT_EQ(frameOf(test::readReferenceFile("jpeg/cmyk.jpg")).components, 4);
}

TEST(JpegReading, FilesThatAreNotJpegAreRefusedWithASentence)
{
    const Bytes png = {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 0};
    try {
        decodeJpeg(png);
        FAIL() << "no error";
    } catch (const ImageError& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("JPEG"), std::string::npos) << text;
        EXPECT_EQ(text.back(), '.') << text;
    }
    EXPECT_THROW(decodeJpeg({}), ImageError);
}

// Like libjpeg itself: rows before the cut are decoded, rows after it are mid-grey.
TEST(JpegReading, TruncatedFilesGiveTheirFirstRowsAndGreyBelow)
{
    const Image picture = smoothPicture(64, 64);
    for (int option : {0, 1, 2}) {
        SCOPED_TRACE(option);
        const Bytes file = encodeJpeg(picture, 90, option);
        const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(file.size() * 2 / 3));
        const Image back = decodeJpeg(cut);
        ASSERT_EQ(back.height(), 64);
        if (option == 0) {
            Image top(64, 8, 24), topBack(64, 8, 24);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 64; ++x) {
                    top.rgbRow(y)[x] = picture.rgbRow(y)[x];
                    topBack.rgbRow(y)[x] = back.rgbRow(y)[x];
                }
            EXPECT_GT(test::psnr(topBack, top), 35.0);
        }
        if (option != 1) {
            for (int x = 0; x < 64; ++x)
                EXPECT_EQ(back.pixelColour(x, 63) & 0xFFFFFF, 0x808080u) << x;
        }
    }
}

// Progressive files hold tables between their scans; a cut there must not lose the scans before.
TEST(JpegReading, ProgressiveFilesCutAnywhereAfterTheirFirstScanGiveAPicture)
{
    const Bytes file = encodeJpeg(smoothPicture(48, 40), 90, 1);
    const std::uint8_t sos[] = {0xFF, 0xDA};
    const auto first = std::search(file.begin(), file.end(), std::begin(sos), std::end(sos));
    ASSERT_NE(first, file.end());
    const std::size_t start = static_cast<std::size_t>(first - file.begin()) + 20;
    int refused = 0;
    for (std::size_t length = start; length <= file.size(); ++length) {
        try {
            const Image image = decodeJpeg(ByteSpan(file.data(), length));
            EXPECT_EQ(image.width(), 48);
        } catch (const ImageError& e) {
            ++refused;
            ADD_FAILURE() << "cut at " << length << ": " << e.what();
        }
        if (refused > 3)
            break;
    }
}

TEST(JpegReading, AHugeDeclaredSizeWithLittleDataIsMostlyGrey)
{
    Bytes file = encodeJpeg(smoothPicture(16, 16), 90, 0);
    const std::uint8_t marker[] = {0xFF, 0xC0};
    const auto sof = std::search(file.begin(), file.end(), std::begin(marker), std::end(marker));
    ASSERT_NE(sof, file.end());
    const std::size_t at = static_cast<std::size_t>(sof - file.begin());
    file[at + 5] = 4000 >> 8, file[at + 6] = 4000 & 0xFF; // height
    file[at + 7] = 3000 >> 8, file[at + 8] = 3000 & 0xFF; // width
    const Image back = decodeJpeg(file);
    ASSERT_EQ(back.width(), 3000);
    ASSERT_EQ(back.height(), 4000);
    EXPECT_EQ(back.pixelColour(2999, 3999) & 0xFFFFFF, 0x808080u);
}

TEST(JpegReading, DamagedFilesGiveAPictureOrAnImageErrorSilently)
{
    std::vector<Bytes> files;
    for (const std::string& name : test::referenceFileNames("jpeg", ".jpg"))
        files.push_back(test::readReferenceFile("jpeg/" + name));
    files.push_back(encodeJpeg(smoothPicture(17, 5), 75, 1));
    files.push_back(encodeJpeg(smoothPicture(17, 5), 75, 2));
    const std::string printed = test::stderrOf([&] {
        for (const Bytes& file : files)
            test::decodeDamagedVariants(file, [](ByteSpan bytes) { decodeJpeg(bytes); });
    });
    EXPECT_EQ(printed, "");
}

} // namespace
} // namespace vask
