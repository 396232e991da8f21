#include "engine/codecs/png_codec.h"
#include "engine/image/image_error.h"
#include "tests/engine/codecs/library_codec_checks.h"
#include "tests/engine/codecs/reference_files.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

namespace vask {
namespace {

// The header fields after the signature, chunk length and "IHDR": bit depth, colour type,
// compression, filter and interlace method.
struct PngHeader {
    int bitDepth = -1;
    int colourType = -1;
    int interlace = -1;
};

PngHeader headerOf(const Bytes& file)
{
    if (file.size() < 29)
        return {};
    return {file[24], file[25], file[28]};
}

struct RoundTrip {
    int depth;
    bool interlaced;
};

class PngRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(PngRoundTrip, GivesBackTheSamePixelsAtTheSameDepth)
{
    const auto [depth, interlaced] = GetParam();
    for (const Image& picture : test::roundTripPictures(depth, 41)) {
        SCOPED_TRACE(std::to_string(picture.width()) + " x " + std::to_string(picture.height()));
        const Bytes file = encodePng(picture, interlaced);
        const PngHeader header = headerOf(file);
        EXPECT_EQ(header.bitDepth, depth == 24 ? 8 : depth);
        EXPECT_EQ(header.colourType, depth == 24 ? 2 : 3);
        EXPECT_EQ(header.interlace, interlaced ? 1 : 0);
        const Image back = decodePng(file);
        EXPECT_EQ(back.depth(), depth);
        EXPECT_TRUE(test::sameColours(back, picture));
        if (depth < 24) {
            EXPECT_EQ(test::indicesOf(back), test::indicesOf(picture));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepths, PngRoundTrip,
                         ::testing::Values(RoundTrip{1, false}, RoundTrip{1, true}, RoundTrip{4, false},
                                           RoundTrip{4, true}, RoundTrip{8, false}, RoundTrip{8, true},
                                           RoundTrip{24, false}, RoundTrip{24, true}),
                         [](const auto& info) {
                             return "Depth" + std::to_string(info.param.depth) +
                                    (info.param.interlaced ? "Interlaced" : "Plain");
                         });

TEST(PngRoundTrip, PicturesLargerThanTheCompressionBufferComeBackWhole)
{
    const Image picture = test::noisePicture(1001, 300, 8);
    EXPECT_TRUE(test::sameColours(decodePng(encodePng(picture, false)), picture));
    EXPECT_TRUE(test::sameColours(decodePng(encodePng(picture, true)), picture));
}

TEST(PngWriting, ShadingCompresses)
{
    const Image gradient = test::gradientPicture(300, 200);
    EXPECT_LT(encodePng(gradient, false).size() * 4, std::size_t(300) * 200 * 3);
    EXPECT_THROW(encodePng(Image(), false), ImageError);
}

// Tolerances: ImageMagick composes alpha in floating point and may round the other way.
class PngReference : public ::testing::TestWithParam<test::ReferenceCase> {};

TEST_P(PngReference, DecodesLikeImageMagick)
{
    test::expectMatchesReference("png", GetParam(), decodePng);
}

INSTANTIATE_TEST_SUITE_P(
    ImageMagickFiles, PngReference,
    ::testing::Values(
        test::ReferenceCase{"rgb8.png", 24, 0}, test::ReferenceCase{"rgb16.png", 24, 1},
        test::ReferenceCase{"rgba8.png", 24, 1}, test::ReferenceCase{"rgba16.png", 24, 1},
        test::ReferenceCase{"rgb8_trns.png", 24, 0}, test::ReferenceCase{"rgb8_trns_interlaced.png", 24, 0},
        test::ReferenceCase{"rgb8_interlaced.png", 24, 0}, test::ReferenceCase{"rgba8_interlaced.png", 24, 1},
        test::ReferenceCase{"grey1.png", 1, 0}, test::ReferenceCase{"grey2.png", 4, 0},
        test::ReferenceCase{"grey4.png", 4, 0}, test::ReferenceCase{"grey8.png", 8, 0},
        test::ReferenceCase{"grey16.png", 8, 1}, test::ReferenceCase{"grey8_trns.png", 8, 0},
        test::ReferenceCase{"grey2_trns.png", 4, 0}, test::ReferenceCase{"grey16_trns.png", 8, 1},
        test::ReferenceCase{"grey4_interlaced.png", 4, 0}, test::ReferenceCase{"grey_alpha8.png", 8, 1},
        test::ReferenceCase{"grey_alpha16.png", 8, 1}, test::ReferenceCase{"pal1.png", 1, 0},
        test::ReferenceCase{"pal2.png", 4, 0}, test::ReferenceCase{"pal4.png", 4, 0},
        test::ReferenceCase{"pal8.png", 8, 0}, test::ReferenceCase{"pal1_interlaced.png", 1, 0},
        test::ReferenceCase{"pal2_interlaced.png", 4, 0}, test::ReferenceCase{"pal4_interlaced.png", 4, 0},
        test::ReferenceCase{"pal8_interlaced.png", 8, 0}, test::ReferenceCase{"pal4_trns.png", 4, 1},
        test::ReferenceCase{"pal4_short.png", 4, 0}, test::ReferenceCase{"pal8_trns.png", 8, 1}),
    [](const auto& info) {
        std::string name = info.param.name;
        return name.substr(0, name.find('.'));
    });

TEST(PngReading, TransparentPaletteEntriesBecomeTheirColourOverWhite)
{
    // pal4_trns.png: entries 0..3 have alpha 0, 64, 128, 200; the rest are opaque.
    const Image image = decodePng(test::readReferenceFile("png/pal4_trns.png"));
    ASSERT_EQ(image.depth(), 4);
    EXPECT_EQ(image.paletteEntry(0) & 0xFFFFFF, 0xFFFFFFu);
    const Rgb opaque = image.paletteEntry(5);
    const Rgb colour = packRgb((5 * 97) % 256, (5 * 53 + 20) % 256, (255 - 5 * 31) % 256);
    EXPECT_EQ(opaque & 0xFFFFFF, colour & 0xFFFFFF);
    const Rgb colour2 = packRgb((2 * 97) % 256, (2 * 53 + 20) % 256, (255 - 2 * 31) % 256);
    const Rgb expected = test::overWhiteReference(colour2, 128);
    EXPECT_NEAR(int(redOf(image.paletteEntry(2))), int(redOf(expected)), 1);
    EXPECT_NEAR(int(greenOf(image.paletteEntry(2))), int(greenOf(expected)), 1);
    EXPECT_NEAR(int(blueOf(image.paletteEntry(2))), int(blueOf(expected)), 1);
}

TEST(PngReading, InterlacedReferencesAreInterlaced)
{
    for (const char* name :
         {"png/rgb8_interlaced.png", "png/pal2_interlaced.png", "png/rgba8_interlaced.png"})
        EXPECT_EQ(headerOf(test::readReferenceFile(name)).interlace, 1) << name;
}

TEST(PngReading, FilesThatAreNotPngAreRefusedWithASentence)
{
    const Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0};
    try {
        decodePng(jpeg);
        FAIL() << "no error";
    } catch (const ImageError& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("PNG"), std::string::npos) << text;
        EXPECT_EQ(text.back(), '.') << text;
    }
    EXPECT_THROW(decodePng({}), ImageError);
}

TEST(PngReading, SidesBeyondTheLimitAreRefused)
{
    // A valid header for 40000 x 1 pixels: refused before any pixel memory is taken.
    Bytes file = encodePng(test::noisePicture(1, 1, 1), false);
    file[16] = 0, file[17] = 0, file[18] = 0x9C, file[19] = 0x40;
    EXPECT_THROW(decodePng(file), ImageError);
}

TEST(PngReading, DamagedFilesGiveAPictureOrAnImageErrorSilently)
{
    std::vector<Bytes> files;
    for (const std::string& name : test::referenceFileNames("png", ".png"))
        files.push_back(test::readReferenceFile("png/" + name));
    for (int depth : {1, 4, 8, 24})
        files.push_back(encodePng(test::roundTripPictures(depth, 2)[2], depth % 2 == 0));
    const std::string printed = test::stderrOf([&] {
        for (const Bytes& file : files)
            test::decodeDamagedVariants(file, [](ByteSpan bytes) { decodePng(bytes); });
    });
    EXPECT_EQ(printed, "");
}

} // namespace
} // namespace vask
