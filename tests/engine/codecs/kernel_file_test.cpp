#include "engine/codecs/kernel_file.h"
#include "engine/image/image_error.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

using namespace vask;

namespace {

Bytes bytesOf(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

} // namespace

TEST(FilterFile, ThreeByThreeIsTwelveCrLfLinesRowByRowThenScaleNormOffset)
{
    FilterFile filter;
    filter.kernel.size = 3;
    filter.kernel.values = {1, -2, 3, -4, 5, -6, 7, -8, 9};
    filter.scale = 2;
    filter.norm = -1;
    filter.offset = 0;
    const Bytes bytes = encodeFilterFile(filter);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
              "1\r\n-2\r\n3\r\n-4\r\n5\r\n-6\r\n7\r\n-8\r\n9\r\n2\r\n-1\r\n0\r\n");

    const FilterFile back = decodeFilterFile(bytes, 3);
    EXPECT_EQ(back.kernel.values, filter.kernel.values);
    EXPECT_EQ(back.kernel.at(1, 2), -6);
    EXPECT_EQ(back.scale, 2);
    EXPECT_EQ(back.norm, -1);
    EXPECT_EQ(back.offset, 0);
}

TEST(FilterFile, FiveByFiveRoundTripsAndIgnoresLinesAfterTheLast)
{
    FilterFile filter;
    filter.kernel.size = 5;
    for (int i = 0; i < 25; ++i)
        filter.kernel.values[i] = i - 12;
    filter.scale = 1000;
    filter.norm = 25;
    filter.offset = -1000;
    Bytes bytes = encodeFilterFile(filter);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 28);
    const std::string extra = "garbage\r\nmore\r\n";
    bytes.insert(bytes.end(), extra.begin(), extra.end());
    const FilterFile back = decodeFilterFile(bytes, 5);
    EXPECT_EQ(back.kernel.values, filter.kernel.values);
    EXPECT_EQ(back.offset, -1000);
}

TEST(FilterFile, AcceptsPlainLineFeedsAndSurroundingSpaces)
{
    const FilterFile f = decodeFilterFile(bytesOf("1\n 2\n3 \n4\n5\n6\n7\n8\n+9\n1\n-1\n1"), 3);
    EXPECT_EQ(f.kernel.values[1], 2);
    EXPECT_EQ(f.kernel.values[8], 9);
    EXPECT_EQ(f.offset, 1);
}

TEST(FilterFile, MissingLinesAndTextAreRefusedWithTheLineNamed)
{
    EXPECT_THROW(decodeFilterFile(bytesOf("1\r\n2\r\n"), 3), ImageError);
    EXPECT_THROW(decodeFilterFile(bytesOf(""), 5), ImageError);
    try {
        decodeFilterFile(bytesOf("1\n2\n3\n4\nfive\n6\n7\n8\n9\n1\n1\n1\n"), 3);
        FAIL();
    } catch (const ImageError& e) {
        EXPECT_NE(std::string(e.what()).find("Line 5"), std::string::npos) << e.what();
    }
    EXPECT_THROW(decodeFilterFile(bytesOf("1\n2\n3\n4\n99999999999\n6\n7\n8\n9\n1\n1\n1\n"), 3), ImageError);
    EXPECT_THROW(decodeFilterFile(bytesOf("1\n"), 4), ImageError);
}

TEST(FilterFile, SizeComesFromMa3OrMa5AnywhereInTheNameWithFiveWinning)
{
    EXPECT_EQ(filterSizeForName("/home/u/FILTERS/sharp.ma3"), 3);
    EXPECT_EQ(filterSizeForName("EDGE.MA5"), 5);
    EXPECT_EQ(filterSizeForName("/x/MA3/blur.MA5"), 5);
    EXPECT_EQ(filterSizeForName("ma3-notes.txt"), 3);
    EXPECT_EQ(filterSizeForName("kernel.txt"), 0);
}
