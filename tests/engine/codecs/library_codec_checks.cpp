#include "tests/engine/codecs/library_codec_checks.h"

#include "engine/image/image_error.h"
#include "tests/engine/codecs/reference_files.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vask::test {

void expectMatchesReference(const std::string& folder, const ReferenceCase& c, Decoder decode)
{
    SCOPED_TRACE(folder + "/" + c.name);
    const Bytes file = readReferenceFile(folder + "/" + c.name);
    const Image expected = decodeNetpbm(readReferenceFile(folder + "/" + c.name + ".ppm"));
    ASSERT_FALSE(file.empty());
    ASSERT_FALSE(expected.isNull());
    Image decoded;
    try {
        decoded = decode(file);
    } catch (const ImageError& e) {
        FAIL() << e.what();
    }
    EXPECT_EQ(decoded.depth(), c.depth);
    ASSERT_EQ(decoded.width(), expected.width());
    ASSERT_EQ(decoded.height(), expected.height());
    EXPECT_LE(maxChannelDifference(decoded, expected), c.tolerance);
}

std::vector<Image> roundTripPictures(int depth, std::uint32_t seed)
{
    std::vector<Image> pictures;
    for (const auto& [width, height] : {std::pair{1, 1}, {3, 2}, {17, 5}, {1001, 3}}) {
        pictures.push_back(depth == 24 ? noisePicture(width, height, seed)
                                       : palettePicture(width, height, depth, seed));
        ++seed;
    }
    return pictures;
}

std::string stderrOf(const std::function<void()>& run)
{
    ::testing::internal::CaptureStderr();
    run();
    return ::testing::internal::GetCapturedStderr();
}

Rgb overWhiteReference(Rgb colour, unsigned alpha)
{
    const double a = alpha / 255.0;
    const auto channel = [&](unsigned c) {
        return static_cast<unsigned>(std::lround(c * a + 255.0 * (1 - a)));
    };
    return packRgb(channel(redOf(colour)), channel(greenOf(colour)), channel(blueOf(colour)));
}

} // namespace vask::test
