#include "controls/lead_ctrl.h"

#include "engine/codecs/image_file.h"
#include "engine/image/create_image.h"
#include "engine/image/image_error.h"
#include "tests/controls/picbuf_test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace vask {
namespace {

constexpr QRgb kSilver = 0xFFC0C0C0;

// A LEAD-style control holding picture from the start.
class Lead : public TLeadCtrl {
public:
    explicit Lead(const Image& picture) { SetDIB(picture); }
};

TEST(LeadCtrl, EachPictureGetsANewHandleCopiesAreIndependentAndAnEmptyControlDoesNothing)
{
    TLeadCtrl lead;
    int changes = 0;
    QObject::connect(&lead, &TLeadCtrl::Change, [&] { ++changes; });
    lead.ChangeBrightness(500);
    lead.HistogramEqualize();
    lead.ResizeBitmap(10, 10, 1);
    lead.ColorSeparate(0);
    lead.ComputeHistogram(0);
    EXPECT_EQ(lead.Bitmap(), 0);
    EXPECT_TRUE(lead.GetDIB().isNull());
    EXPECT_EQ(lead.HistogramValues(0), 0u);
    EXPECT_EQ(changes, 0);

    lead.SetDIB(test::noisePicture(5, 4, 1));
    const int first = lead.Bitmap();
    Image original = test::noisePicture(7, 3, 9);
    const Image kept = original;
    lead.SetDIB(original);
    EXPECT_TRUE(first > 0 && lead.Bitmap() != first) << first << " " << lead.Bitmap();
    original.fill(packRgb(1, 2, 3));
    lead.GetDIB().fill(packRgb(4, 5, 6));
    EXPECT_TRUE(test::sameColours(lead.GetDIB(), kept));

    TLeadCtrl other;
    other.copyBitmapFrom(lead);
    EXPECT_TRUE(other.Bitmap() > 0 && other.Bitmap() != lead.Bitmap()) << other.Bitmap();
    lead.setBitmap(0);
    EXPECT_EQ(lead.BitmapWidth(), 0);
    EXPECT_EQ(changes, 3);
    // The copy stays when the original is released; copying from an empty control releases.
    EXPECT_TRUE(test::sameColours(other.image(), kept));
    other.copyBitmapFrom(lead);
    EXPECT_EQ(other.Bitmap(), 0);
}

TEST(LeadCtrl, SeparatingThenMergingGivesThePictureBackAndMergingReadsThePlanesGiven)
{
    const Image source = test::noisePicture(33, 9, 17);
    // Model, planes, largest channel difference (the hexcone models round).
    for (const auto& [model, planes, tolerance] :
         {std::tuple{0, 3, 0}, std::tuple{1, 4, 0}, std::tuple{2, 3, 2}, std::tuple{3, 3, 2},
          std::tuple{4, 3, 0}}) {
        Lead lead(source);
        lead.ColorSeparate(model);
        for (int plane = 0; plane < 4; ++plane)
            EXPECT_EQ(lead.ColorPlanes(plane).isNull(), plane >= planes) << model << " plane " << plane;
        lead.setBitmap(0);
        lead.ColorMerge(model);
        EXPECT_EQ(lead.BitsPerPixel(), 24);
        EXPECT_LE(test::maxChannelDifference(lead.image(), source), tolerance) << model;
    }

    TLeadCtrl lead;
    lead.setColorPlanes(0, createImage(8, 3, 2, packRgb(0x10, 0x10, 0x10)));
    lead.setColorPlanes(1, createImage(8, 3, 2, packRgb(0x20, 0x20, 0x20)));
    lead.setColorPlanes(2, createImage(8, 3, 2, packRgb(0x30, 0x30, 0x30)));
    lead.ColorMerge(0);
    EXPECT_EQ(lead.image().pixelColour(2, 1), packRgb(0x30, 0x20, 0x10)); // blue, green, red
    lead.ColorSeparate(1);
    lead.setColorPlanes(3, Image());
    EXPECT_THROW(lead.ColorMerge(1), ImageError);
    EXPECT_THROW(lead.ColorSeparate(5), ImageError);
    EXPECT_THROW(lead.ColorPlanes(4), ImageError);
}

using LeadFiles = test::FolderTest;

TEST_F(LeadFiles, SavedPcxAndBmpFilesLoadBackWithTheSamePixelsAtTheDepthAskedForAndOthersAreRefused)
{
    // Format, extension, picture depth, depth saved.
    for (const auto& [format, extension, depth, saved] :
         {std::tuple{1, "pcx", 24, 24}, std::tuple{1, "pcx", 8, 8}, std::tuple{1, "pcx", 8, 24},
          std::tuple{6, "bmp", 24, 24}, std::tuple{6, "bmp", 8, 8}, std::tuple{6, "bmp", 4, 4},
          std::tuple{6, "bmp", 8, 24}}) {
        const Image source = test::pictureOfDepth(13, 7, depth, 4);
        Lead lead(source);
        const QString name = path("picture.") + extension;
        lead.Save(name, format, saved, 0, false);
        const Image loaded = loadImageFile(name.toStdString());
        EXPECT_EQ(loaded.depth(), saved) << extension << " " << depth;
        EXPECT_TRUE(test::sameColours(loaded, source)) << extension << " " << depth;
    }
    Lead lead(test::noisePicture(4, 4, 1));
    EXPECT_THROW(lead.Save(path("picture.jpg"), 3, 24, 75, false), ImageError);
    EXPECT_FALSE(QFileInfo::exists(path("picture.jpg")));
}

TEST(LeadCtrl, HistogramCountsEveryLevelOfTheChannel)
{
    const Image picture = test::noisePicture(37, 11, 8);
    Lead lead(picture);
    for (int channel = 0; channel <= 3; ++channel) { // luminance (lumaOf), red, green, blue
        std::array<quint32, 256> expected{};
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const Rgb c = picture.pixelColour(x, y);
                ++expected[std::array<unsigned, 4>{lumaOf(c), redOf(c), greenOf(c), blueOf(c)}[channel]];
            }
        lead.ComputeHistogram(channel);
        for (int bin = 0; bin < 256; ++bin)
            ASSERT_EQ(lead.HistogramValues(bin), expected[bin]) << "channel " << channel << " bin " << bin;
    }
    EXPECT_EQ(lead.HistogramValues(256), 0u);
    EXPECT_EQ(lead.HistogramValues(-1), 0u);
}

TEST(LeadCtrl, TrackBarPositionsReachTheAdjustments)
{
    // clang-format off
    const std::tuple<const char*, void (TLeadCtrl::*)(int), int, Rgb, Rgb> adjustments[] = {
        {"brightness up", &TLeadCtrl::ChangeBrightness, 1000, packRgb(10, 100, 200), packRgb(255, 255, 255)},
        {"brightness down", &TLeadCtrl::ChangeBrightness, -1000, packRgb(10, 100, 200), packRgb(0, 0, 0)},
        {"neutral brightness", &TLeadCtrl::ChangeBrightness, 0, packRgb(10, 100, 200), packRgb(10, 100, 200)},
        {"threshold contrast", &TLeadCtrl::ChangeContrast, 1000, packRgb(100, 200, 30), packRgb(0, 255, 0)},
        {"neutral gamma", &TLeadCtrl::ChangeGamma, 125, packRgb(10, 100, 200), packRgb(10, 100, 200)},
        {"half turn of hue", &TLeadCtrl::ChangeHue, 180, packRgb(255, 0, 0), packRgb(0, 255, 255)},
        {"no saturation", &TLeadCtrl::ChangeSaturation, -1000, packRgb(255, 0, 0), packRgb(128, 128, 128)}};
    // clang-format on
    for (const auto& [name, adjust, position, before, after] : adjustments) {
        Lead lead(createImage(24, 5, 4, before));
        int changes = 0;
        QObject::connect(&lead, &TLeadCtrl::Change, [&] { ++changes; });
        (lead.*adjust)(position);
        EXPECT_EQ(lead.image().pixelColour(4, 3), after) << name;
        EXPECT_EQ(changes, 1) << name;
    }
}

TEST(LeadCtrl, ResizeGivesTheSizeAskedForAndKeepsPalettesOnlyWhenFast)
{
    // Quality, source depth, width, height, resulting depth.
    for (const auto& [quality, depth, width, height, expected] :
         {std::tuple{1, 24, 80.f, 60.f, 24}, std::tuple{0, 24, 13.f, 7.f, 24},
          std::tuple{1, 8, 20.4f, 15.6f, 24}, std::tuple{0, 8, 1.f, 1.f, 8},
          std::tuple{0, 4, 123.f, 45.f, 4}}) {
        Lead lead(test::pictureOfDepth(40, 30, depth, 2));
        lead.ResizeBitmap(width, height, quality);
        EXPECT_EQ(lead.BitmapWidth(), static_cast<int>(width + 0.5f));
        EXPECT_EQ(lead.BitmapHeight(), static_cast<int>(height + 0.5f));
        EXPECT_EQ(lead.BitsPerPixel(), expected) << quality << " " << depth;
    }
}

TEST(LeadCtrl, PasteAndCaptureAreaTakeAPictureAndPasteAnswersWhetherTheClipboardHoldsOne)
{
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    const Image before = test::noisePicture(3, 3, 1);
    Lead lead(before);
    EXPECT_EQ(lead.Paste(TLeadCtrl::kPasteQuery), 0);
    EXPECT_EQ(lead.Paste(0), 0);
    clipboard->setText(QStringLiteral("not a picture"));
    EXPECT_EQ(lead.Paste(TLeadCtrl::kPasteQuery), 0);
    EXPECT_TRUE(test::sameColours(lead.image(), before));

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

    lead.CaptureArea(0, 0, 0, 40, 30);
    EXPECT_EQ(lead.BitmapWidth(), 40);
    EXPECT_EQ(lead.BitmapHeight(), 30);
    EXPECT_EQ(lead.BitsPerPixel(), 24);
    EXPECT_THROW(lead.CaptureArea(0, 0, 0, 0, 30), ImageError);
}

TEST(LeadCtrl, PictureIsFittedKeepingItsAspectOnSilverOrPlacedInTheDisplayRectangle)
{
    TLeadCtrl lead;
    lead.resize(100, 100);
    lead.SetDIB(createImage(24, 40, 20, packRgb(255, 0, 0))); // 2:1 fills the top half
    const QImage fitted = lead.grab().toImage();
    EXPECT_EQ(fitted.pixel(99, 48), qRgb(255, 0, 0));
    EXPECT_EQ(fitted.pixel(50, 52), kSilver);

    lead.SetDIB(createImage(8, 10, 10, packRgb(255, 255, 255)));
    lead.SetDisplayRect(20, 30, 40, 10);
    lead.SetDisplayClipRect(0, 0, 50, 100);
    const QImage placed = lead.grab().toImage();
    EXPECT_EQ(placed.pixel(25, 35), qRgb(255, 255, 255));
    EXPECT_EQ(placed.pixel(48, 38), qRgb(255, 255, 255));
    EXPECT_EQ(placed.pixel(55, 35), kSilver); // clipped
    EXPECT_EQ(placed.pixel(25, 45), kSilver); // below the rectangle
    EXPECT_EQ(placed.pixel(15, 35), kSilver); // left of it
}

} // namespace
} // namespace vask
