#include "controls/picbuf.h"
#include "engine/image/image_error.h"
#include "tests/controls/picbuf_test_support.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <functional>

namespace vask {
namespace {

// --- pixels and colours ------------------------------------------------------------------------

TEST(PicbufPixels, GetPixelGivesWindowsColoursWithRedInTheLowByte)
{
    TPicbuf picbuf;
    Image picture = test::flatPicture(4, 3, packRgb(0x12, 0x34, 0x56));
    picbuf.setImage(picture);
    EXPECT_EQ(picbuf.GetPixel(3, 2), 0x563412u);
    EXPECT_EQ(picbuf.GetPixel(4, 2), 0u); // outside
    EXPECT_EQ(picbuf.GetPixel(-1, 0), 0u);

    picbuf.setImage(test::flatPicture(4, 3, packRgb(0xAA, 0xBB, 0xCC), 8));
    EXPECT_EQ(picbuf.GetPixel(1, 1), 0xCCBBAAu);
    EXPECT_EQ(picbuf.GetPixelIndex(1, 1), 0);
}

TEST(PicbufPixels, PaletteEntriesUseWindowsColoursBothWays)
{
    TPicbuf picbuf;
    Image picture(3, 1, 8);
    picture.row(0)[0] = 3;
    picbuf.setImage(picture);
    picbuf.SetPaletteEntry(3, 0x0000FFu); // red
    EXPECT_EQ(picbuf.image().paletteEntry(3), packRgb(255, 0, 0));
    EXPECT_EQ(picbuf.GetPixel(0, 0), 0x0000FFu);
    EXPECT_EQ(picbuf.GetPaletteEntry(3), 0x0000FFu);
    EXPECT_EQ(picbuf.GetPaletteEntry(256), 0u);
    const std::vector<quint32> entries = picbuf.GetPaletteEntries();
    ASSERT_EQ(entries.size(), 256u);
    EXPECT_EQ(entries[3], 0x0000FFu);
    EXPECT_EQ(entries[255], 0xFFFFFFu); // grey ramp

    picbuf.setImage(Image(3, 1, 4));
    EXPECT_EQ(picbuf.GetPaletteEntries().size(), 256u);
    EXPECT_EQ(picbuf.GetPaletteEntries()[16], 0u);
    picbuf.setImage(Image(3, 1, 24));
    EXPECT_TRUE(picbuf.GetPaletteEntries().empty());
}

TEST(PicbufPixels, CreateImageFillsWithTheWindowsColourAtEveryDepth)
{
    for (const int bits : {1, 4, 8, 24}) {
        SCOPED_TRACE(bits);
        TPicbuf picbuf;
        picbuf.CreateImage(bits, 7, 5, 0xFFFF00u); // cyan
        EXPECT_EQ(picbuf.ColorDepth(), bits);
        EXPECT_EQ(picbuf.Xresolution(), 7);
        EXPECT_EQ(picbuf.Yresolution(), 5);
        EXPECT_EQ(picbuf.image().pixelColour(6, 4), packRgb(0, 255, 255));
        EXPECT_EQ(picbuf.GetPixel(0, 0), 0xFFFF00u);
    }
    TPicbuf grey;
    grey.CreateImage(8, 2, 2, 0xC0C0C0u); // on the grey ramp: its own entry
    EXPECT_EQ(grey.GetPixelIndex(1, 1), 0xC0);
    EXPECT_THROW(grey.CreateImage(16, 2, 2, 0), ImageError);
}

TEST(PicbufPixels, PutRowTakesRgbWordsAndRefusesRowsOutside)
{
    TPicbuf picbuf;
    picbuf.CreateImage(24, 4, 2, 0);
    picbuf.PutRow(1, {0x112233u, 0x445566u});
    EXPECT_EQ(picbuf.image().pixelColour(0, 1), packRgb(0x11, 0x22, 0x33));
    EXPECT_EQ(picbuf.image().pixelColour(1, 1), packRgb(0x44, 0x55, 0x66));
    EXPECT_EQ(picbuf.image().pixelColour(2, 1), packRgb(0, 0, 0));
    EXPECT_THROW(picbuf.PutRow(2, {0u}), ImageError);
}

// --- selection -----------------------------------------------------------------------------------

TEST(PicbufSelection, NegativePositionsStayAndNegativeSidesBecomeZero)
{
    TPicbuf picbuf;
    picbuf.setImage(Image(50, 50, 24));
    // The dynamic zoom writes areas reaching past the top-left corner.
    picbuf.setSelectLeft(-27);
    picbuf.setSelectTop(-27);
    picbuf.setSelectWidth(75);
    picbuf.setSelectHeight(75);
    EXPECT_EQ(picbuf.SelectLeft(), -27);
    EXPECT_EQ(picbuf.SelectTop(), -27);
    EXPECT_EQ(picbuf.SelectWidth(), 75);

    picbuf.setSelectWidth(-5);
    EXPECT_EQ(picbuf.SelectWidth(), 0);
    EXPECT_TRUE(picbuf.selection().isEmpty());
    picbuf.setSelectLeft(70000);
    EXPECT_EQ(picbuf.SelectLeft(), 32767);
    picbuf.setSelectTop(-70000);
    EXPECT_EQ(picbuf.SelectTop(), -32768);
    picbuf.setSelectHeight(100000);
    EXPECT_EQ(picbuf.SelectHeight(), 65535);
}

// --- assigning --------------------------------------------------------------------------------------

TEST(PicbufAssign, TheSourceSelectionFillsAnEmptyOrUnselectedTarget)
{
    TPicbuf source;
    const Image picture = test::noisePicture(40, 30, 21u);
    source.setImage(picture);
    source.setSelection({10, 5, 8, 6});

    TPicbuf target;
    target.setAssignMode(2); // an empty target takes a copy whatever the mode
    target.AssignImage(false, source, true);
    ASSERT_EQ(target.Xresolution(), 8);
    ASSERT_EQ(target.Yresolution(), 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(target.image().pixelColour(x, y), picture.pixelColour(10 + x, 5 + y));

    TPicbuf whole;
    whole.AssignImage(false, source, false);
    EXPECT_TRUE(test::sameColours(whole.image(), picture));

    TPicbuf unchanged;
    unchanged.setImage(test::flatPicture(3, 3, packRgb(1, 2, 3)));
    TPicbuf empty;
    unchanged.AssignImage(false, empty, false);
    EXPECT_EQ(unchanged.image().pixelColour(0, 0), packRgb(1, 2, 3));
}

TEST(PicbufAssign, ATargetSelectionReceivesTheSourceAtOneToOne)
{
    TPicbuf source;
    const Image picture = test::noisePicture(40, 30, 22u);
    source.setImage(picture);
    source.setSelection({10, 5, 8, 6});

    TPicbuf target;
    target.setImage(test::flatPicture(20, 20, packRgb(255, 255, 255)));
    target.setSelection({2, 3, 8, 6});
    target.setAssignMode(0);
    target.AssignImage(true, source, true);
    EXPECT_EQ(target.Xresolution(), 20);
    EXPECT_EQ(target.image().pixelColour(2, 3), picture.pixelColour(10, 5));
    EXPECT_EQ(target.image().pixelColour(9, 8), picture.pixelColour(17, 10));
    EXPECT_EQ(target.image().pixelColour(10, 8), packRgb(255, 255, 255));
    EXPECT_EQ(target.image().pixelColour(1, 3), packRgb(255, 255, 255));
}

TEST(PicbufAssign, APictureCanBeAssignedFromItself)
{
    TPicbuf picbuf;
    const Image picture = test::noisePicture(20, 20, 23u);
    picbuf.setImage(picture);
    picbuf.setSelection({0, 0, 5, 5});
    picbuf.AssignImage(false, picbuf, true);
    ASSERT_EQ(picbuf.Xresolution(), 5);
    EXPECT_EQ(picbuf.image().pixelColour(4, 4), picture.pixelColour(4, 4));
}

// --- operations ------------------------------------------------------------------------------------

struct Operation {
    const char* name;
    std::function<void(TPicbuf&)> run;
};

const std::vector<Operation>& operations()
{
    static const std::vector<Operation> all = {
        {"Sharpen", [](TPicbuf& p) { p.SharpenImage(5); }},
        {"Soften", [](TPicbuf& p) { p.SoftenImage(5); }},
        {"Edges", [](TPicbuf& p) { p.EdgeExtract(5); }},
        {"Blur", [](TPicbuf& p) { p.BlurImage(); }},
        {"Negate", [](TPicbuf& p) { p.NegateImage(); }},
        {"Grey", [](TPicbuf& p) { p.GreyScaleImage(); }},
        {"Mirror", [](TPicbuf& p) { p.MirrorImage(-1, 0); }},
        {"Rotate", [](TPicbuf& p) { p.RotateImage(90, 0); }},
        {"Depth", [](TPicbuf& p) { p.IncreaseDepth(24); }},
        {"Reduce", [](TPicbuf& p) { p.ReduceColors(16, true, true, false); }},
        {"Matrix",
         [](TPicbuf& p) {
             p.MatrixFilter({0, 0, 0, 0, 2, 0, 0, 0, 0}, 1, 1, 0);
         }},
        {"Text",
         [](TPicbuf& p) {
             p.setText("Ab");
             p.PlaceText(0);
         }},
        {"Lines",
         [](TPicbuf& p) {
             p.DrawLines({{0, 0}, {5, 5}}, 0);
         }},
    };
    return all;
}

TEST(PicbufOperations, EachOperationChangesThePictureAndSignalsChangeOnce)
{
    for (const Operation& operation : operations()) {
        SCOPED_TRACE(operation.name);
        TPicbuf picbuf;
        const Image before = test::palettePicture(13, 9, 8, 31u);
        picbuf.setImage(before);
        int changes = 0;
        QObject::connect(&picbuf, &TPicbuf::Change, [&] { ++changes; });
        operation.run(picbuf);
        EXPECT_EQ(changes, 1);
        EXPECT_FALSE(picbuf.ColorDepth() == before.depth() && picbuf.Xresolution() == before.width() &&
                     picbuf.Yresolution() == before.height() && test::sameColours(picbuf.image(), before) &&
                     picbuf.image().palette() == before.palette());
    }
}

TEST(PicbufOperations, OperationsOnAnEmptyControlDoNothing)
{
    for (const Operation& operation : operations()) {
        SCOPED_TRACE(operation.name);
        TPicbuf picbuf;
        int changes = 0;
        QObject::connect(&picbuf, &TPicbuf::Change, [&] { ++changes; });
        EXPECT_NO_THROW(operation.run(picbuf));
        EXPECT_EQ(picbuf.Contents(), 0);
        EXPECT_EQ(changes, 0);
    }
}

TEST(PicbufOperations, MirrorAndRotateMoveThePixelsWhereExpected)
{
    TPicbuf picbuf;
    const Image picture = test::noisePicture(5, 3, 41u);
    picbuf.setImage(picture);
    picbuf.MirrorImage(-1, 0);
    EXPECT_EQ(picbuf.image().pixelColour(0, 1), picture.pixelColour(4, 1));
    picbuf.MirrorImage(0, -1);
    EXPECT_EQ(picbuf.image().pixelColour(0, 0), picture.pixelColour(4, 2));

    picbuf.setImage(picture);
    picbuf.RotateImage(90, 0); // anticlockwise: the top-right corner comes to the top-left
    EXPECT_EQ(picbuf.Xresolution(), 3);
    EXPECT_EQ(picbuf.Yresolution(), 5);
    EXPECT_EQ(picbuf.image().pixelColour(0, 0), picture.pixelColour(4, 0));

    // The fill of the uncovered corners is a Windows colour.
    picbuf.setImage(test::flatPicture(20, 20, packRgb(255, 255, 255)));
    picbuf.RotateImage(45, 0xFF0000u); // blue
    EXPECT_EQ(picbuf.image().pixelColour(0, 0), packRgb(0, 0, 255));
}

TEST(PicbufOperations, AKernelOfTheWrongSizeIsRefusedAndChangesNothing)
{
    TPicbuf picbuf;
    const Image picture = test::noisePicture(5, 5, 42u);
    picbuf.setImage(picture);
    EXPECT_THROW(picbuf.MatrixFilter({1, 2, 3, 4, 5, 6, 7}, 1, 0, 0), ImageError);
    EXPECT_TRUE(test::sameColours(picbuf.image(), picture));
    // An identity 5 x 5 kernel keeps every pixel.
    std::vector<int> identity(25, 0);
    identity[12] = 1;
    picbuf.MatrixFilter(identity, 1, 0, 0);
    EXPECT_TRUE(test::sameColours(picbuf.image(), picture));
}

TEST(PicbufOperations, MaskImagesBlendsTheSourceThroughTheMask)
{
    TPicbuf destination, source, mask;
    destination.setImage(test::flatPicture(4, 4, packRgb(0, 0, 0)));
    source.setImage(test::flatPicture(4, 4, packRgb(200, 100, 50)));
    Image maskPicture = test::flatPicture(4, 4, packRgb(0, 0, 0));
    maskPicture.rgbRow(0)[0] = packRgb(255, 255, 255);
    mask.setImage(maskPicture);
    destination.MaskImages(source, mask);
    EXPECT_EQ(destination.image().pixelColour(0, 0), packRgb(200, 100, 50));
    EXPECT_EQ(destination.image().pixelColour(1, 0), packRgb(0, 0, 0));
}

} // namespace
} // namespace vask
