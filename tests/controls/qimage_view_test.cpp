#include "engine/image/image_error.h"
#include "engine/qt/qimage_view.h"
#include "tests/controls/picbuf_test_support.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <utility>

namespace vask {
namespace {

class QImageViewDepth : public ::testing::TestWithParam<int> {};

TEST_P(QImageViewDepth, SharesThePixelsWithTheRightFormatAndColoursAndConvertsBack)
{
    const int depth = GetParam();
    const Image picture = test::pictureOfDepth(37, 23, depth, 11u); // padded rows at every depth
    const QImage view = qimageView(picture);
    EXPECT_EQ(view.constBits(), picture.bits()); // no copy
    EXPECT_EQ(view.bytesPerLine(), static_cast<qsizetype>(picture.stride()));
    EXPECT_EQ(view.format(), depth == 24 ? QImage::Format_RGB32 : QImage::Format_Indexed8);
    ASSERT_EQ(view.colorCount(), depth == 24 ? 0 : 1 << depth);
    for (int i = 0; i < view.colorCount(); ++i)
        EXPECT_EQ(view.color(i), picture.paletteEntry(i)) << i;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            ASSERT_EQ(view.pixel(x, y), picture.pixelColour(x, y)) << x << ", " << y;
            if (depth != 24) {
                ASSERT_EQ(view.pixelIndex(x, y), picture.pixelIndex(x, y));
            }
        }

    const Image back = imageFromQImage(view);
    EXPECT_EQ(back.depth(), depth);
    EXPECT_TRUE(test::sameColours(back, picture));
    EXPECT_NE(back.bits(), picture.bits());
}

INSTANTIATE_TEST_SUITE_P(AllDepths, QImageViewDepth, ::testing::Values(1, 4, 8, 24));

TEST(QImageView, AWritableViewDrawsIntoThePictureAndAReadOnlyOneCopiesOnWrite)
{
    Image picture = createImage(24, 20, 10, packRgb(255, 255, 255));
    QImage view = qimageView(picture);
    {
        QPainter painter(&view);
        painter.fillRect(QRect(2, 3, 4, 5), QColor(10, 20, 30));
    }
    EXPECT_EQ(view.constBits(), picture.bits());
    EXPECT_EQ(picture.pixelColour(2, 3), packRgb(10, 20, 30));
    EXPECT_EQ(picture.pixelColour(5, 7), packRgb(10, 20, 30));
    EXPECT_EQ(picture.pixelColour(6, 7), packRgb(255, 255, 255));

    QImage readOnly = qimageView(static_cast<const Image&>(picture));
    readOnly.setPixel(1, 1, qRgb(0, 0, 0));
    EXPECT_NE(readOnly.constBits(), picture.bits());
    EXPECT_EQ(picture.pixelColour(1, 1), packRgb(255, 255, 255));

    EXPECT_TRUE(qimageView(Image()).isNull());
    EXPECT_TRUE(imageFromQImage(QImage()).isNull());
}

TEST(QImageView, IndexedQImagesTakeTheSmallestDepthThatHoldsTheirColours)
{
    for (const auto& [colours, depth] :
         {std::pair{2, 1}, std::pair{5, 4}, std::pair{16, 4}, std::pair{17, 8}, std::pair{256, 8}}) {
        QImage indexed(6, 4, QImage::Format_Indexed8);
        indexed.setColorCount(colours);
        for (int i = 0; i < colours; ++i)
            indexed.setColor(i, qRgb(i, 255 - i, (i * 7) & 0xFF));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
                indexed.setPixel(x, y, static_cast<uint>((x + y * 6) % colours));
        const Image picture = imageFromQImage(indexed);
        EXPECT_EQ(picture.depth(), depth) << colours;
        EXPECT_EQ(picture.pixelIndex(5, 3), 23 % colours);
        EXPECT_EQ(picture.pixelColour(5, 3) & 0xFFFFFF, indexed.pixel(5, 3) & 0xFFFFFF);
    }
}

TEST(QImageView, MonoAndAlphaQImagesConvertAndTooWideOnesAreRefused)
{
    QImage mono(9, 3, QImage::Format_Mono);
    mono.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
    mono.fill(0);
    mono.setPixel(8, 2, 1);
    const Image fromMono = imageFromQImage(mono);
    EXPECT_EQ(fromMono.depth(), 1);
    EXPECT_EQ(fromMono.pixelColour(0, 0), packRgb(255, 0, 0));
    EXPECT_EQ(fromMono.pixelColour(8, 2), packRgb(0, 0, 255));

    QImage alpha(3, 2, QImage::Format_ARGB32);
    alpha.fill(qRgba(12, 34, 56, 0));
    const Image fromAlpha = imageFromQImage(alpha);
    EXPECT_EQ(fromAlpha.depth(), 24);
    EXPECT_EQ(fromAlpha.pixelColour(2, 1), packRgb(12, 34, 56));

    const QImage wide(40000, 1, QImage::Format_RGB32);
    ASSERT_FALSE(wide.isNull());
    EXPECT_THROW(imageFromQImage(wide), ImageError);
}

} // namespace
} // namespace vask
