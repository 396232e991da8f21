#include "image_store_fixture.h"

#include "controls/form_widgets.h"
#include "controls/lead_ctrl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>

namespace vask {
namespace {

const QString kCode172 = QStringLiteral("Error:- UIKUtil32v1 - Code 172 - ");

// Smooth ramps in all three channels: a JPG at the default quality keeps them closely.
Image smoothPicture(int width, int height)
{
    Image picture(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.rgbRow(y)[x] = packRgb(x * 255 / (width - 1), y * 255 / (height - 1), 128);
    return picture;
}

// --- opening --------------------------------------------------------------------------------

struct OpenCase {
    const char* fileName;
    Image picture;
    double minimumPsnr; // 0 for the lossless formats
};

void PrintTo(const OpenCase& c, std::ostream* out)
{
    *out << c.fileName;
}

class OpenEveryFormat : public ImageStore, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenEveryFormat, OpenFileShowsThePictureUnderItsNameAndRecordsTheLastFile)
{
    const OpenCase& c = GetParam();
    const QString name = QString::fromLatin1(c.fileName);
    saveFile(c.picture, name);
    answer(path(name));
    OpenFileCommand();

    ASSERT_EQ(m_showings.size(), 1u);
    EXPECT_EQ(m_showings[0].caption, QStringLiteral("Disk Control - [Load Image]"));
    EXPECT_FALSE(m_showings[0].jpgOptionsEnabled);
    EXPECT_TRUE(m_showings[0].fifOptionsEnabled);
    ASSERT_EQ(imageWindowCount(), 1);
    TKV_Display* window = activeImageWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), name);
    const Image& loaded = window->ChildPicbuf->image();
    ASSERT_EQ(loaded.width(), c.picture.width());
    ASSERT_EQ(loaded.height(), c.picture.height());
    if (c.minimumPsnr == 0) {
        EXPECT_EQ(loaded.depth(), c.picture.depth());
        EXPECT_TRUE(test::sameColours(loaded, c.picture));
    } else {
        EXPECT_GT(test::psnr(loaded, c.picture), c.minimumPsnr);
    }
    EXPECT_EQ(window->ChildPicbuf->FileName(), path(name));
    EXPECT_EQ(lastFile(), path(name));
    EXPECT_EQ(disk().rememberedFileName(), path(name));
    EXPECT_TRUE(messages().isEmpty());
    expectIdle();
}

INSTANTIATE_TEST_SUITE_P(Readable, OpenEveryFormat,
                         ::testing::Values(OpenCase{"noise.bmp", test::noisePicture(13, 9, 1), 0},
                                           OpenCase{"mono.bmp", test::palettePicture(17, 5, 1, 2), 0},
                                           OpenCase{"four.dib", test::palettePicture(11, 7, 4, 3), 0},
                                           OpenCase{"eight.tga", test::palettePicture(9, 9, 8, 4), 0},
                                           OpenCase{"true.tga", test::noisePicture(15, 4, 5), 0},
                                           OpenCase{"eight.pcx", test::palettePicture(21, 6, 8, 6), 0},
                                           OpenCase{"true.pcx", test::noisePicture(7, 7, 7), 0},
                                           OpenCase{"SCAN.TIF", test::noisePicture(19, 3, 8), 0},
                                           OpenCase{"photo.jpg", smoothPicture(64, 48), 30.0},
                                           OpenCase{"index.png", test::palettePicture(10, 10, 8, 9), 0},
                                           OpenCase{"true.png", test::noisePicture(5, 12, 10), 0}));

TEST_F(ImageStore, PaintFileOpensAsABlackAndWhitePicture)
{
    // Version 1: key "DanM", 10 x 2, aspect and printer fields, the XOR checksum, raw rows.
    QByteArray file;
    auto word = [&file](unsigned value) { file.append(char(value & 0xFF)).append(char(value >> 8)); };
    for (unsigned value : {0x6144u, 0x4D6Eu, 10u, 2u, 1u, 1u, 1u, 1u, 0u, 0u, 0u, 0u})
        word(value);
    word(0x6144u ^ 0x4D6Eu ^ 10u ^ 2u);
    for (int i = 0; i < 3; ++i)
        word(0);
    file.append(QByteArray::fromHex("F0408000"));
    writeBytes(path(QStringLiteral("paint.msp")), file);

    LoadImage(path(QStringLiteral("paint.msp")));
    TKV_Display* window = activeImageWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("paint.msp"));
    const TPicbuf& picture = *window->ChildPicbuf;
    ASSERT_EQ(picture.ColorDepth(), 1);
    const int whiteInRowOne[] = {1, 1, 1, 1, 0, 0, 0, 0, 0, 1};
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(picture.GetPixel(x, 0), whiteInRowOne[x] ? 0xFFFFFFu : 0u) << x;
        EXPECT_EQ(picture.GetPixel(x, 1), x == 0 ? 0xFFFFFFu : 0u) << x;
    }
}

TEST_F(ImageStore, FractalFileReportsCode172AndLeavesItsEmptyWindowOpen)
{
    QDir(m_folder).mkdir(QStringLiteral("fractals"));
    writeBytes(path(QStringLiteral("fractals/coast.fif")), QByteArray("FIF fractal data"));
    LoadImage(path(QStringLiteral("fractals/coast.fif")));

    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(kCode172)) << messages()[0].toStdString();
    EXPECT_TRUE(messages()[0].contains(QStringLiteral("FIF")));
    ASSERT_EQ(imageWindowCount(), 1);
    EXPECT_EQ(activeImageWindow()->ChildPicbuf->Contents(), 0);
    EXPECT_EQ(QFileInfo(QDir::currentPath()).canonicalFilePath(),
              QFileInfo(path(QStringLiteral("fractals"))).canonicalFilePath());
    expectIdle();
}

TEST_F(ImageStore, DamagedFileReportsCode172AndLeavesTheOtherWindowsAlone)
{
    const Image first = test::noisePicture(12, 8, 11);
    saveFile(first, QStringLiteral("good.bmp"));
    LoadImage(path(QStringLiteral("good.bmp")));
    TKV_Display* good = activeImageWindow();
    ASSERT_NE(good, nullptr);
    saveFile(test::noisePicture(40, 30, 12), QStringLiteral("broken.bmp"));
    writeBytes(path(QStringLiteral("broken.bmp")), fileBytes(path(QStringLiteral("broken.bmp"))).left(80));

    LoadImage(path(QStringLiteral("broken.bmp")));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(kCode172));
    EXPECT_GT(messages()[0].size(), kCode172.size());
    EXPECT_EQ(imageWindowCount(), 2);
    EXPECT_EQ(good->windowTitle(), QStringLiteral("good.bmp"));
    EXPECT_TRUE(test::sameColours(good->ChildPicbuf->image(), first));
    expectIdle();
}

TEST_F(ImageStore, NamesThatAreNotPicturesLoadNothingAndSayNothing)
{
    writeBytes(path(QStringLiteral("PHOTO.GIF")), QByteArray("GIF89a"));
    for (const QString& name : {path(QStringLiteral("PHOTO.GIF")), path(QStringLiteral("notes.txt")),
                                path(QStringLiteral("tool.exe")), path(QStringLiteral("a.bm"))}) {
        LoadImage(name);
        EXPECT_EQ(imageWindowCount(), 0) << name.toStdString();
        expectIdle();
    }
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ImageStore, OpenLoadsNothingWhenCancelledOrWhenTheChosenFileIsMissing)
{
    saveFile(test::noisePicture(4, 4, 13), QStringLiteral("there.bmp"));
    const QString before = lastFile();
    answer(path(QStringLiteral("there.bmp")), false);
    answer(path(QStringLiteral("missing.bmp")));
    OpenFileCommand();
    OpenFileCommand();
    EXPECT_EQ(m_showings.size(), 2u);
    EXPECT_EQ(imageWindowCount(), 0);
    EXPECT_EQ(lastFile(), before);
}

// --- the preview ----------------------------------------------------------------------------

TEST_F(ImageStore, PreviewedPictureIsTakenWithoutReadingTheFileAgain)
{
    const Image previewed = test::noisePicture(9, 6, 14);
    saveFile(previewed, QStringLiteral("seen.png"));
    disk().RZ_Preview->setChecked(true);
    disk().RZ_Preview_Image->setImage(previewed);
    QFile::remove(path(QStringLiteral("seen.png")));

    LoadImage(path(QStringLiteral("seen.png")));
    ASSERT_EQ(imageWindowCount(), 1);
    EXPECT_EQ(activeImageWindow()->windowTitle(), QStringLiteral("seen.png"));
    EXPECT_TRUE(test::sameColours(activeImageWindow()->ChildPicbuf->image(), previewed));
    EXPECT_EQ(disk().RZ_Preview_Image->Contents(), 0);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ImageStore, TypedNameAfterAPreviewGetsThePreviewedPictureUnderTheTypedName)
{
    const Image previewed = test::noisePicture(9, 6, 15);
    saveFile(test::noisePicture(3, 3, 16), QStringLiteral("typed.bmp"));
    disk().RZ_Preview->setChecked(true);
    disk().RZ_Preview_Image->setImage(previewed);
    answer(path(QStringLiteral("typed.bmp")));
    OpenFileCommand();
    ASSERT_EQ(imageWindowCount(), 1);
    EXPECT_EQ(activeImageWindow()->windowTitle(), QStringLiteral("typed.bmp"));
    EXPECT_TRUE(test::sameColours(activeImageWindow()->ChildPicbuf->image(), previewed));
    EXPECT_EQ(lastFile(), path(QStringLiteral("typed.bmp")));
}

TEST_F(ImageStore, WithPreviewOffTheFileIsReadAndThePreviewKept)
{
    const Image previewed = test::noisePicture(9, 6, 17);
    const Image onDisk = test::noisePicture(5, 5, 18);
    saveFile(onDisk, QStringLiteral("disk.bmp"));
    disk().RZ_Preview->setChecked(false);
    disk().RZ_Preview_Image->setImage(previewed);
    LoadImage(path(QStringLiteral("disk.bmp")));
    ASSERT_EQ(imageWindowCount(), 1);
    EXPECT_TRUE(test::sameColours(activeImageWindow()->ChildPicbuf->image(), onDisk));
    EXPECT_TRUE(test::sameColours(disk().RZ_Preview_Image->image(), previewed));
}

// --- the last file --------------------------------------------------------------------------

TEST_F(ImageStore, LastFileIsRememberedByTheDialogAndReopened)
{
    const Image picture = test::noisePicture(7, 5, 37);
    saveFile(picture, QStringLiteral("again.png"));
    SetLastFile(path(QStringLiteral("again.png")));
    EXPECT_EQ(disk().rememberedFileName(), path(QStringLiteral("again.png")));
    EXPECT_EQ(disk().RZ_Selected_Extension->currentIndex(), 9);
    EXPECT_EQ(lastFile(), path(QStringLiteral("again.png")));

    ReopenLastFileCommand();
    ASSERT_EQ(imageWindowCount(), 1);
    EXPECT_EQ(activeImageWindow()->windowTitle(), QStringLiteral("again.png"));
    EXPECT_TRUE(test::sameColours(activeImageWindow()->ChildPicbuf->image(), picture));
    EXPECT_EQ(lastFile(), path(QStringLiteral("again.png")));
}

TEST_F(ImageStore, ReopenDoesNothingForAMissingFileOrAMask)
{
    for (const QString& name : {path(QStringLiteral("gone.bmp")), path(QStringLiteral("*.*")), m_folder}) {
        SetLastFile(name);
        ReopenLastFileCommand();
        EXPECT_EQ(imageWindowCount(), 0) << name.toStdString();
        EXPECT_EQ(lastFile(), name);
    }
    EXPECT_TRUE(messages().isEmpty());
}

// --- new images and transfers ---------------------------------------------------------------

struct NewImageCase {
    int depthIndex;
    bool asMask;
    int maskValue;
    QColor baseColour;
    int expectedDepth;
    QColor expectedFill;
};

class NewImageFromPreferences : public ImageStore, public ::testing::WithParamInterface<NewImageCase> {};

TEST_P(NewImageFromPreferences, HasTheChosenDepthSizeAndFill)
{
    const NewImageCase& c = GetParam();
    preferences().KV_Pref_BitDepths->setItemIndex(c.depthIndex);
    preferences().KV_Pref_Asmask->setChecked(c.asMask);
    preferences().KV_Pref_maskvalue->setValue(c.maskValue);
    preferences().KV_Pref_BaseColour->setColour(c.baseColour);
    preferences().KV_Pref_NewWidth->setValue(37);
    preferences().KV_Pref_NewHeight->setValue(23);
    NewImage();

    ASSERT_EQ(imageWindowCount(), 1);
    const TPicbuf& picture = *activeImageWindow()->ChildPicbuf;
    EXPECT_EQ(activeImageWindow()->windowTitle(), QStringLiteral("New Image"));
    EXPECT_EQ(picture.ColorDepth(), c.expectedDepth);
    EXPECT_EQ(picture.Xresolution(), 37);
    EXPECT_EQ(picture.Yresolution(), 23);
    const quint32 fill = static_cast<quint32>(windowsValueFromColour(c.expectedFill));
    for (const QPoint corner : {QPoint(0, 0), QPoint(36, 22), QPoint(18, 11)})
        EXPECT_EQ(picture.GetPixel(corner.x(), corner.y()), fill) << corner.x();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(applicationCursorIndex(), kDefaultCursor);
}

// Mask grey = value x 2.55 rounded with halves to even: 50 -> 127.5 -> 128, 30 -> 76.5 -> 76.
INSTANTIATE_TEST_SUITE_P(
    MaskAndBaseColour, NewImageFromPreferences,
    ::testing::Values(NewImageCase{3, true, 50, Qt::red, 24, QColor(128, 128, 128)},
                      NewImageCase{3, true, 100, Qt::red, 24, QColor(255, 255, 255)},
                      NewImageCase{3, true, 0, Qt::red, 24, QColor(0, 0, 0)},
                      NewImageCase{3, true, 30, Qt::red, 24, QColor(76, 76, 76)},
                      NewImageCase{3, true, 10, Qt::red, 24, QColor(26, 26, 26)},
                      NewImageCase{3, true, 1, Qt::red, 24, QColor(3, 3, 3)},
                      NewImageCase{3, false, 50, QColor(10, 200, 30), 24, QColor(10, 200, 30)},
                      NewImageCase{2, false, 50, QColor(10, 200, 30), 8, QColor(10, 200, 30)},
                      NewImageCase{1, false, 50, QColor(255, 0, 0), 4, QColor(255, 0, 0)},
                      NewImageCase{0, true, 50, Qt::red, 1, QColor(128, 128, 128)}));

TEST_F(ImageStore, LeadPictureArrivesInABufferWithItsColours)
{
    TLeadCtrl lead;
    TPicbuf buffer;
    const Image picture = test::palettePicture(9, 7, 8, 38);
    lead.SetDIB(picture);
    TransferImage(&lead, &buffer);
    EXPECT_EQ(buffer.ColorDepth(), 8);
    EXPECT_TRUE(test::sameColours(buffer.image(), picture));
    EXPECT_TRUE(test::sameColours(lead.image(), picture));
    expectIdle();
}

TEST_F(ImageStore, EmptySourceTransfersNothing)
{
    TLeadCtrl lead;
    TPicbuf empty;
    TPicbuf buffer;
    const Image kept = test::noisePicture(4, 4, 39);
    lead.SetDIB(kept);
    buffer.setImage(kept);
    TransferImage(&empty, &lead);
    TransferImage(&empty, &buffer);
    EXPECT_TRUE(test::sameColours(lead.image(), kept));
    EXPECT_TRUE(test::sameColours(buffer.image(), kept));
    TLeadCtrl emptyLead;
    TransferImage(&emptyLead, &buffer);
    EXPECT_TRUE(test::sameColours(buffer.image(), kept));
    expectIdle();
}

} // namespace
} // namespace vask
