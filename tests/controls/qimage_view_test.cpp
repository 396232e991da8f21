#include "engine/image/image_error.h"
#include "engine/qt/qimage_view.h"
#include "tests/support/test_pictures.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace vask {
namespace {

class QImageViewDepth : public ::testing::TestWithParam<int> {};

Image pictureOfDepth(int depth)
{
    // 37 pixels wide: the stride has padding at every depth.
    return depth == 24 ? test::noisePicture(37, 23, 11u) : test::palettePicture(37, 23, depth, 11u + depth);
}

TEST_P(QImageViewDepth, SharesThePixelsWithTheRightFormatAndColours)
{
    const int depth = GetParam();
    const Image picture = pictureOfDepth(depth);
    const QImage view = qimageView(picture);

    EXPECT_EQ(view.constBits(), picture.bits()); // no copy
    EXPECT_EQ(view.bytesPerLine(), static_cast<qsizetype>(picture.stride()));
    EXPECT_EQ(view.size(), QSize(37, 23));
    if (depth == 24) {
        EXPECT_EQ(view.format(), QImage::Format_RGB32);
        EXPECT_TRUE(view.colorTable().isEmpty());
    } else {
        EXPECT_EQ(view.format(), QImage::Format_Indexed8);
        ASSERT_EQ(view.colorCount(), 1 << depth);
        for (int i = 0; i < view.colorCount(); ++i)
            EXPECT_EQ(view.color(i), picture.paletteEntry(i)) << i;
    }
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            ASSERT_EQ(view.pixel(x, y), picture.pixelColour(x, y)) << x << ", " << y;
            if (depth != 24) {
                ASSERT_EQ(view.pixelIndex(x, y), picture.pixelIndex(x, y));
            }
        }
}

TEST_P(QImageViewDepth, ConvertingTheViewBackGivesTheSamePictureAndDepth)
{
    const int depth = GetParam();
    const Image picture = pictureOfDepth(depth);
    const Image back = imageFromQImage(qimageView(picture));
    EXPECT_EQ(back.depth(), depth);
    EXPECT_TRUE(test::sameColours(back, picture));
    EXPECT_NE(back.bits(), picture.bits());
}

INSTANTIATE_TEST_SUITE_P(AllDepths, QImageViewDepth, ::testing::Values(1, 4, 8, 24));

TEST(QImageView, AWritableViewDrawsStraightIntoThePicture)
{
    Image picture(20, 10, 24);
    picture.fill(packRgb(255, 255, 255));
    QImage view = qimageView(picture);
    {
        QPainter painter(&view);
        painter.fillRect(QRect(2, 3, 4, 5), QColor(10, 20, 30));
    }
    EXPECT_EQ(view.constBits(), picture.bits());
    EXPECT_EQ(picture.pixelColour(2, 3), packRgb(10, 20, 30));
    EXPECT_EQ(picture.pixelColour(5, 7), packRgb(10, 20, 30));
    EXPECT_EQ(picture.pixelColour(6, 7), packRgb(255, 255, 255));
}

TEST(QImageView, AReadOnlyViewCopiesOnWriteAndLeavesThePictureAlone)
{
    Image picture(20, 10, 24);
    picture.fill(packRgb(255, 255, 255));
    const Image& constPicture = picture;
    QImage view = qimageView(constPicture);
    view.setPixel(1, 1, qRgb(0, 0, 0));
    EXPECT_NE(view.constBits(), picture.bits());
    EXPECT_EQ(picture.pixelColour(1, 1), packRgb(255, 255, 255));
}

TEST(QImageView, NullPicturesAndNullQImagesGiveNulls)
{
    EXPECT_TRUE(qimageView(Image()).isNull());
    EXPECT_TRUE(imageFromQImage(QImage()).isNull());
}

TEST(QImageView, IndexedQImagesTakeTheSmallestDepthThatHoldsTheirColours)
{
    struct Case {
        int colours;
        int depth;
    };
    for (const Case c : {Case{2, 1}, Case{5, 4}, Case{16, 4}, Case{17, 8}, Case{256, 8}}) {
        QImage indexed(6, 4, QImage::Format_Indexed8);
        QList<QRgb> table;
        for (int i = 0; i < c.colours; ++i)
            table.append(qRgb(i, 255 - i, (i * 7) & 0xFF));
        indexed.setColorTable(table);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
                indexed.setPixel(x, y, static_cast<uint>((x + y * 6) % c.colours));
        const Image picture = imageFromQImage(indexed);
        EXPECT_EQ(picture.depth(), c.depth) << c.colours;
        EXPECT_EQ(picture.pixelIndex(5, 3), 23 % c.colours);
        EXPECT_EQ(picture.pixelColour(5, 3) & 0xFFFFFF, indexed.pixel(5, 3) & 0xFFFFFF);
    }
}

TEST(QImageView, MonoAndAlphaQImagesConvert)
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

    QImage rgb888(3, 2, QImage::Format_RGB888);
    rgb888.fill(QColor(200, 100, 50));
    EXPECT_EQ(imageFromQImage(rgb888).pixelColour(1, 1), packRgb(200, 100, 50));
}

TEST(QImageView, AQImageTooWideForAPictureIsRefused)
{
    const QImage wide(40000, 1, QImage::Format_RGB32);
    ASSERT_FALSE(wide.isNull());
    EXPECT_THROW(imageFromQImage(wide), ImageError);
}

} // namespace
} // namespace vask
