#include "controls/lead_ctrl.h"

#include "engine/codecs/image_file.h"
#include "engine/image/create_image.h"
#include "engine/image/image_error.h"
#include "tests/support/test_pictures.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace vask {
namespace {

constexpr QRgb kSilver = 0xFFC0C0C0;

// An 8-bit grey picture whose levels are known exactly: level x + 10 y in column x, row y.
Image greyLevels(int width, int height)
{
    Image picture(width, height, 8);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.row(y)[x] = static_cast<std::uint8_t>((x + 10 * y) & 0xFF);
    return picture;
}

TEST(LeadCtrl, EmptyControlHasNoBitmapAndOperationsDoNothing)
{
    TLeadCtrl lead;
    int changes = 0;
    QObject::connect(&lead, &TLeadCtrl::Change, [&] { ++changes; });
    EXPECT_EQ(lead.Bitmap(), 0);
    lead.ChangeBrightness(500);
    lead.HistogramEqualize();
    lead.ResizeBitmap(10, 10, 1);
    lead.ColorSeparate(0);
    lead.ComputeHistogram(0);
    EXPECT_EQ(lead.Bitmap(), 0);
    EXPECT_TRUE(lead.GetDIB().isNull());
    EXPECT_EQ(lead.HistogramValues(0), 0u);
    EXPECT_EQ(changes, 0);
}

TEST(LeadCtrl, EachNewPictureGetsANewHandleAndReleasingEmptiesTheControl)
{
    TLeadCtrl lead;
    int changes = 0;
    QObject::connect(&lead, &TLeadCtrl::Change, [&] { ++changes; });
    lead.SetDIB(test::noisePicture(5, 4, 1));
    const int first = lead.Bitmap();
    EXPECT_GT(first, 0);
    lead.SetDIB(test::noisePicture(5, 4, 2));
    EXPECT_GT(lead.Bitmap(), 0);
    EXPECT_NE(lead.Bitmap(), first);

    TLeadCtrl other;
    other.copyBitmapFrom(lead);
    EXPECT_GT(other.Bitmap(), 0);
    EXPECT_NE(other.Bitmap(), lead.Bitmap());
    EXPECT_TRUE(test::sameColours(other.image(), lead.image()));

    lead.setBitmap(0);
    EXPECT_EQ(lead.Bitmap(), 0);
    EXPECT_EQ(lead.BitmapWidth(), 0);
    EXPECT_EQ(changes, 3);
    // The copy stays when the original is released; copying from an empty control releases.
    EXPECT_GT(other.Bitmap(), 0);
    other.copyBitmapFrom(lead);
    EXPECT_EQ(other.Bitmap(), 0);
}

TEST(LeadCtrl, GetDibAndSetDibHandOverIndependentCopies)
{
    TLeadCtrl lead;
    Image original = test::noisePicture(7, 3, 9);
    const Image kept = original;
    lead.SetDIB(original);
    original.fill(packRgb(1, 2, 3));
    EXPECT_TRUE(test::sameColours(lead.image(), kept));

    Image copy = lead.GetDIB();
    copy.fill(packRgb(4, 5, 6));
    EXPECT_TRUE(test::sameColours(lead.image(), kept));
    EXPECT_TRUE(test::sameColours(lead.GetDIB(), kept));
}

struct SeparationCase {
    int model;
    int planes;
    int tolerance;
};

class LeadSeparationTest : public ::testing::TestWithParam<SeparationCase> {};

TEST_P(LeadSeparationTest, SeparatingThenMergingGivesThePictureBack)
{
    const SeparationCase c = GetParam();
    const Image source = test::noisePicture(33, 9, 17);
    TLeadCtrl lead;
    lead.SetDIB(source);
    lead.ColorSeparate(c.model);
    for (int plane = 0; plane < 4; ++plane) {
        const Image planePicture = lead.ColorPlanes(plane);
        EXPECT_EQ(planePicture.isNull(), plane >= c.planes) << "plane " << plane;
        if (!planePicture.isNull()) {
            EXPECT_EQ(planePicture.width(), 33);
            EXPECT_EQ(planePicture.depth(), 8);
        }
    }
    lead.setBitmap(0);
    lead.ColorMerge(c.model);
    ASSERT_GT(lead.Bitmap(), 0);
    EXPECT_EQ(lead.BitsPerPixel(), 24);
    EXPECT_LE(test::maxChannelDifference(lead.image(), source), c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(AllModels, LeadSeparationTest,
                         ::testing::Values(SeparationCase{0, 3, 0}, SeparationCase{1, 4, 0},
                                           SeparationCase{2, 3, 2}, SeparationCase{3, 3, 2},
                                           SeparationCase{4, 3, 0}));

TEST(LeadCtrl, RgbPlanesAreBlueGreenRed)
{
    const Image source = test::noisePicture(4, 3, 5);
    TLeadCtrl lead;
    lead.SetDIB(source);
    lead.ColorSeparate(0);
    const std::array<Image, 3> planes = {lead.ColorPlanes(0), lead.ColorPlanes(1), lead.ColorPlanes(2)};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const Rgb colour = source.pixelColour(x, y);
            EXPECT_EQ(planes[0].pixelIndex(x, y), int(blueOf(colour)));
            EXPECT_EQ(planes[1].pixelIndex(x, y), int(greenOf(colour)));
            EXPECT_EQ(planes[2].pixelIndex(x, y), int(redOf(colour)));
        }
}

TEST(LeadCtrl, MergingReadsThePlanesGivenNotStaleOnes)
{
    TLeadCtrl lead;
    lead.setColorPlanes(0, createImage(8, 3, 2, packRgb(0x10, 0x10, 0x10)));
    lead.setColorPlanes(1, createImage(8, 3, 2, packRgb(0x20, 0x20, 0x20)));
    lead.setColorPlanes(2, createImage(8, 3, 2, packRgb(0x30, 0x30, 0x30)));
    lead.ColorMerge(0);
    EXPECT_EQ(lead.image().pixelColour(2, 1), packRgb(0x30, 0x20, 0x10));
}

TEST(LeadCtrl, MergingWithAMissingPlaneOrAnUnknownModelIsRefused)
{
    TLeadCtrl lead;
    lead.SetDIB(test::noisePicture(6, 6, 3));
    lead.ColorSeparate(1);
    lead.setColorPlanes(3, Image());
    EXPECT_THROW(lead.ColorMerge(1), ImageError);
    EXPECT_THROW(lead.ColorSeparate(5), ImageError);
    EXPECT_THROW(lead.ColorPlanes(4), ImageError);
}

struct SaveCase {
    int format;
    const char* extension;
    int depth;
};

class LeadSaveTest : public ::testing::TestWithParam<SaveCase> {
protected:
    void SetUp() override { m_folder = test::makeTemporaryFolder(); }
    void TearDown() override { test::removeFolder(m_folder); }
    std::string m_folder;
};

TEST_P(LeadSaveTest, WrittenFileLoadsBackWithTheSamePixels)
{
    const SaveCase c = GetParam();
    const Image source =
        c.depth == 24 ? test::noisePicture(13, 7, 4) : test::palettePicture(13, 7, c.depth, 4);
    TLeadCtrl lead;
    lead.SetDIB(source);
    const std::string path = m_folder + "/picture." + c.extension;
    lead.Save(QString::fromStdString(path), c.format, c.depth, 0, false);
    ASSERT_TRUE(QFileInfo::exists(QString::fromStdString(path)));
    const Image loaded = loadImageFile(path);
    EXPECT_EQ(loaded.depth(), c.depth);
    EXPECT_TRUE(test::sameColours(loaded, source));
}

INSTANTIATE_TEST_SUITE_P(PcxAndBmp, LeadSaveTest,
                         ::testing::Values(SaveCase{1, "pcx", 24}, SaveCase{1, "pcx", 8},
                                           SaveCase{6, "bmp", 24}, SaveCase{6, "bmp", 8},
                                           SaveCase{6, "bmp", 4}));

TEST(LeadCtrl, SaveWritesTheDepthAskedFor)
{
    const std::string folder = test::makeTemporaryFolder();
    TLeadCtrl lead;
    const Image source = test::palettePicture(9, 5, 8, 11);
    lead.SetDIB(source);
    lead.Save(QString::fromStdString(folder + "/raised.pcx"), 1, 24, 0, false);
    lead.Save(QString::fromStdString(folder + "/raised.bmp"), 6, 24, 0, false);
    const Image pcx = loadImageFile(folder + "/raised.pcx");
    const Image bmp = loadImageFile(folder + "/raised.bmp");
    test::removeFolder(folder);
    EXPECT_EQ(pcx.depth(), 24);
    EXPECT_EQ(bmp.depth(), 24);
    EXPECT_TRUE(test::sameColours(pcx, source));
    EXPECT_TRUE(test::sameColours(bmp, source));
}

TEST(LeadCtrl, SaveInAnotherFormatIsRefusedAndWritesNothing)
{
    const std::string folder = test::makeTemporaryFolder();
    TLeadCtrl lead;
    lead.SetDIB(test::noisePicture(4, 4, 1));
    const QString path = QString::fromStdString(folder + "/picture.jpg");
    EXPECT_THROW(lead.Save(path, 3, 24, 75, false), ImageError);
    EXPECT_FALSE(QFileInfo::exists(path));
    test::removeFolder(folder);
}

TEST(LeadCtrl, HistogramCountsEveryLevelOfTheChannel)
{
    TLeadCtrl lead;
    const Image picture = test::noisePicture(37, 11, 8);
    lead.SetDIB(picture);
    for (int channel = 1; channel <= 3; ++channel) {
        std::array<quint32, 256> expected{};
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const Rgb colour = picture.pixelColour(x, y);
                const unsigned level = channel == 1   ? redOf(colour)
                                       : channel == 2 ? greenOf(colour)
                                                      : blueOf(colour);
                ++expected[level];
            }
        lead.ComputeHistogram(channel);
        for (int bin = 0; bin < 256; ++bin)
            ASSERT_EQ(lead.HistogramValues(bin), expected[bin]) << "channel " << channel << " bin " << bin;
    }
}

TEST(LeadCtrl, LuminanceHistogramOfGreysCountsTheirLevels)
{
    TLeadCtrl lead;
    lead.SetDIB(greyLevels(30, 40)); // levels x + 10 y, wrapping above 255
    std::array<quint32, 256> expected{};
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 30; ++x)
            ++expected[(x + 10 * y) & 0xFF];
    lead.ComputeHistogram(0);
    for (int bin = 0; bin < 256; ++bin)
        ASSERT_EQ(lead.HistogramValues(bin), expected[bin]) << "bin " << bin;
    EXPECT_EQ(lead.HistogramValues(256), 0u);
    EXPECT_EQ(lead.HistogramValues(-1), 0u);
}

struct AdjustmentCase {
    const char* name;
    void (TLeadCtrl::*adjust)(int);
    int position;
    Rgb before;
    Rgb after;
};

class LeadAdjustmentTest : public ::testing::TestWithParam<AdjustmentCase> {};

TEST_P(LeadAdjustmentTest, TrackBarPositionReachesTheAdjustment)
{
    const AdjustmentCase c = GetParam();
    TLeadCtrl lead;
    lead.SetDIB(createImage(24, 5, 4, c.before));
    int changes = 0;
    QObject::connect(&lead, &TLeadCtrl::Change, [&] { ++changes; });
    (lead.*c.adjust)(c.position);
    EXPECT_EQ(lead.image().pixelColour(4, 3), c.after) << c.name;
    EXPECT_EQ(changes, 1);
}

INSTANTIATE_TEST_SUITE_P(Ends, LeadAdjustmentTest,
                         ::testing::Values(AdjustmentCase{"brightness up", &TLeadCtrl::ChangeBrightness, 1000,
                                                          packRgb(10, 100, 200), packRgb(255, 255, 255)},
                                           AdjustmentCase{"brightness down", &TLeadCtrl::ChangeBrightness,
                                                          -1000, packRgb(10, 100, 200), packRgb(0, 0, 0)},
                                           AdjustmentCase{"neutral brightness", &TLeadCtrl::ChangeBrightness,
                                                          0, packRgb(10, 100, 200), packRgb(10, 100, 200)},
                                           AdjustmentCase{"threshold contrast", &TLeadCtrl::ChangeContrast,
                                                          1000, packRgb(100, 200, 30), packRgb(0, 255, 0)},
                                           AdjustmentCase{"neutral gamma", &TLeadCtrl::ChangeGamma, 125,
                                                          packRgb(10, 100, 200), packRgb(10, 100, 200)},
                                           AdjustmentCase{"half turn of hue", &TLeadCtrl::ChangeHue, 180,
                                                          packRgb(255, 0, 0), packRgb(0, 255, 255)},
                                           AdjustmentCase{"no saturation", &TLeadCtrl::ChangeSaturation,
                                                          -1000, packRgb(255, 0, 0),
                                                          packRgb(128, 128, 128)}));

TEST(LeadCtrl, StretchIntensitySpreadsTheLevelsUsed)
{
    Image picture(2, 1, 24);
    picture.rgbRow(0)[0] = packRgb(50, 50, 50);
    picture.rgbRow(0)[1] = packRgb(150, 150, 150);
    TLeadCtrl lead;
    lead.SetDIB(picture);
    lead.StretchIntensity();
    EXPECT_EQ(lead.image().pixelColour(0, 0), packRgb(0, 0, 0));
    EXPECT_EQ(lead.image().pixelColour(1, 0), packRgb(255, 255, 255));
}

struct ResizeCase {
    int quality;
    int sourceDepth;
    float width;
    float height;
    int expectedDepth;
};

class LeadResizeTest : public ::testing::TestWithParam<ResizeCase> {};

TEST_P(LeadResizeTest, ResizeGivesTheSizeAskedFor)
{
    const ResizeCase c = GetParam();
    TLeadCtrl lead;
    lead.SetDIB(c.sourceDepth == 24 ? test::noisePicture(40, 30, 2)
                                    : test::palettePicture(40, 30, c.sourceDepth, 2));
    lead.ResizeBitmap(c.width, c.height, c.quality);
    EXPECT_EQ(lead.BitmapWidth(), static_cast<int>(c.width + 0.5f));
    EXPECT_EQ(lead.BitmapHeight(), static_cast<int>(c.height + 0.5f));
    EXPECT_EQ(lead.BitsPerPixel(), c.expectedDepth);
}

INSTANTIATE_TEST_SUITE_P(BothQualities, LeadResizeTest,
                         ::testing::Values(ResizeCase{1, 24, 80, 60, 24}, ResizeCase{0, 24, 13, 7, 24},
                                           ResizeCase{1, 8, 20.4f, 15.6f, 24}, ResizeCase{0, 8, 1, 1, 8},
                                           ResizeCase{0, 4, 123, 45, 4}));

TEST(LeadCtrl, PasteAnswersWhetherTheClipboardHoldsAPictureAndTakesIt)
{
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    TLeadCtrl lead;
    const Image before = test::noisePicture(3, 3, 1);
    lead.SetDIB(before);
    EXPECT_EQ(lead.Paste(TLeadCtrl::kPasteQuery), 0);
    EXPECT_EQ(lead.Paste(0), 0);
    EXPECT_TRUE(test::sameColours(lead.image(), before));

    clipboard->setText(QStringLiteral("not a picture"));
    EXPECT_EQ(lead.Paste(TLeadCtrl::kPasteQuery), 0);

    QImage picture(5, 4, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 30));
    picture.setPixel(4, 3, qRgb(200, 100, 50));
    clipboard->setImage(picture);
    EXPECT_EQ(lead.Paste(TLeadCtrl::kPasteQuery), 1);
    EXPECT_EQ(lead.Paste(0), 1);
    EXPECT_EQ(lead.BitsPerPixel(), 24);
    EXPECT_EQ(lead.BitmapWidth(), 5);
    EXPECT_EQ(lead.image().pixelColour(0, 0), packRgb(10, 20, 30));
    EXPECT_EQ(lead.image().pixelColour(4, 3), packRgb(200, 100, 50));
    clipboard->clear();
}

TEST(LeadCtrl, CaptureAreaTakesAPictureOfTheAreaSize)
{
    TLeadCtrl lead;
    lead.CaptureArea(0, 0, 0, 40, 30);
    EXPECT_GT(lead.Bitmap(), 0);
    EXPECT_EQ(lead.BitmapWidth(), 40);
    EXPECT_EQ(lead.BitmapHeight(), 30);
    EXPECT_EQ(lead.BitsPerPixel(), 24);
    EXPECT_THROW(lead.CaptureArea(0, 0, 0, 0, 30), ImageError);
}

TEST(LeadCtrl, PictureIsFittedKeepingItsAspectOnSilver)
{
    TLeadCtrl lead;
    lead.resize(100, 100);
    lead.SetDIB(createImage(24, 40, 20, packRgb(255, 0, 0))); // 2:1 fills the top half
    const QImage shown = lead.grab().toImage();
    EXPECT_EQ(shown.pixel(50, 10), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(99, 48), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(50, 60), kSilver);
    EXPECT_EQ(shown.pixel(1, 98), kSilver);
}

TEST(LeadCtrl, DisplayRectanglePlacesThePicture)
{
    TLeadCtrl lead;
    lead.resize(100, 100);
    lead.SetDIB(createImage(8, 10, 10, packRgb(255, 255, 255)));
    lead.SetDisplayRect(20, 30, 40, 10);
    lead.SetDisplayClipRect(0, 0, 50, 100);
    const QImage shown = lead.grab().toImage();
    EXPECT_EQ(shown.pixel(25, 35), qRgb(255, 255, 255));
    EXPECT_EQ(shown.pixel(48, 38), qRgb(255, 255, 255));
    EXPECT_EQ(shown.pixel(55, 35), kSilver); // clipped
    EXPECT_EQ(shown.pixel(25, 45), kSilver); // below the rectangle
    EXPECT_EQ(shown.pixel(15, 35), kSilver); // left of it
}

} // namespace
} // namespace vask
