#include "engine/image/create_image.h"
#include "engine/image/image.h"
#include "engine/image/image_error.h"
#include "engine/image/true_colour.h"
#include "engine/parallel/bands.h"
#include "tests/support/test_pictures.h"

#include <atomic>
#include <gtest/gtest.h>
#include <vector>

using namespace vask;

TEST(ImageModel, RefusesSidesBeyondSixteenBitCoordinates)
{
    EXPECT_THROW(Image(32768, 1, 24), ImageError);
    EXPECT_THROW(Image(1, 32768, 8), ImageError);
    EXPECT_THROW(Image(0, 10, 8), ImageError);
    EXPECT_THROW(Image(10, -1, 8), ImageError);
    EXPECT_NO_THROW(Image(32767, 1, 1));
}

TEST(ImageModel, RefusesDepthsTheEngineDoesNotHold)
{
    for (int depth : {0, 2, 16, 32})
        EXPECT_THROW(Image(4, 4, depth), ImageError) << depth;
}

TEST(ImageModel, ErrorTextNamesTheRefusedSize)
{
    try {
        Image(40000, 20, 24);
        FAIL() << "no error";
    } catch (const ImageError& e) {
        EXPECT_NE(std::string(e.what()).find("40000 x 20"), std::string::npos) << e.what();
    }
}

TEST(ImageModel, PaletteAlwaysHoldsTwoToTheDepthEntries)
{
    for (int depth : {1, 4, 8}) {
        Image image(3, 3, depth);
        ASSERT_EQ(image.palette().size(), size_t(1) << depth);
        EXPECT_EQ(image.palette().front() & 0xFFFFFF, 0u);
        EXPECT_EQ(image.palette().back() & 0xFFFFFF, 0xFFFFFFu);
        image.setPalette({packRgb(1, 2, 3)});
        EXPECT_EQ(image.palette().size(), size_t(1) << depth);
        EXPECT_EQ(image.paletteEntry(0), packRgb(1, 2, 3));
        EXPECT_EQ(image.paletteEntry(1), packRgb(0, 0, 0));
    }
    EXPECT_TRUE(Image(2, 2, 24).palette().empty());
}

TEST(ImageModel, RowsAreAlignedForWrappingAndVectorLoops)
{
    for (int width : {1, 3, 17, 1001}) {
        Image image(width, 5, 24);
        EXPECT_EQ(image.stride() % 64, 0u);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(image.bits()) % 64, 0u);
        EXPECT_GE(image.stride(), size_t(width) * 4);
    }
}

TEST(ImageModel, CopiesAreDeepAndMovesLeaveAnEmptyPicture)
{
    Image original = test::palettePicture(7, 5, 4, 11);
    Image copy = original;
    copy.row(0)[0] = static_cast<std::uint8_t>((original.row(0)[0] + 1) % 16);
    copy.setPaletteEntry(3, packRgb(9, 9, 9));
    EXPECT_NE(copy.row(0)[0], original.row(0)[0]);
    EXPECT_NE(copy.paletteEntry(3), original.paletteEntry(3));

    Image moved = std::move(copy);
    EXPECT_TRUE(copy.isNull());
    EXPECT_EQ(moved.width(), 7);
    EXPECT_EQ(moved.depth(), 4);
}

TEST(ImageModel, LargePicturesReuseFreedMemoryWithoutMixingContents)
{
    const Rgb colour = packRgb(10, 20, 30);
    const std::uint8_t* first;
    {
        Image a(3000, 2000, 24);
        a.fill(colour);
        first = a.bits();
    }
    Image b(3000, 2000, 24);
    EXPECT_EQ(b.bits(), first) << "the freed block should serve the next picture of its size";
    b.fill(packRgb(1, 1, 1));
    EXPECT_EQ(b.pixelColour(2999, 1999), packRgb(1, 1, 1));
}

TEST(TrueColour, LooksEveryPixelUpThroughThePalette)
{
    const Image source = test::palettePicture(13, 9, 8, 5);
    const Image out = toTrueColour(source);
    ASSERT_EQ(out.depth(), 24);
    EXPECT_TRUE(test::sameColours(source, out));
}

TEST(CreateImage, FillsWithTheColourAtEveryDepth)
{
    for (int depth : {1, 4, 8, 24}) {
        const Image white = createImage(depth, 5, 3, packRgb(255, 255, 255));
        EXPECT_EQ(white.pixelColour(4, 2), packRgb(255, 255, 255)) << depth;
        const Image orange = createImage(depth, 5, 3, packRgb(255, 128, 0));
        EXPECT_EQ(orange.pixelColour(0, 0), packRgb(255, 128, 0)) << depth;
    }
    // A grey on the ramp keeps the ramp intact: an 8-bit mask of grey 128 is index 128.
    const Image mask = createImage(8, 2, 2, packRgb(128, 128, 128));
    EXPECT_EQ(mask.pixelIndex(1, 1), 128);
    EXPECT_EQ(mask.paletteEntry(0), packRgb(0, 0, 0));
}

TEST(Bands, EveryRowIsVisitedExactlyOnce)
{
    for (int rows : {1, 7, 16, 17, 1000, 4001}) {
        std::vector<std::atomic<int>> visits(rows);
        forEachBand(
            rows,
            [&](int first, int end) {
                for (int y = first; y < end; ++y)
                    visits[y]++;
            },
            1);
        for (int y = 0; y < rows; ++y)
            ASSERT_EQ(visits[y].load(), 1) << "rows " << rows << " row " << y;
    }
}

TEST(Bands, NestedCallsRunOnTheCallingThread)
{
    std::atomic<int> total{0};
    forEachBand(
        8,
        [&](int first, int end) {
            for (int y = first; y < end; ++y)
                forEachBand(
                    10, [&](int a, int b) { total += b - a; }, 1);
        },
        1);
    EXPECT_EQ(total.load(), 80);
}
