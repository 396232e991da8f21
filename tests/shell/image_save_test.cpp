#include "image_store_fixture.h"

#include "controls/form_widgets.h"
#include "controls/lead_ctrl.h"
#include "engine/image/create_image.h"

#include <QComboBox>
#include <QFileInfo>

namespace vask {
namespace {

using ImageSave = ImageStore;

const QString kNotValid =
    QStringLiteral("The selected filename is not valid [Always include the extension --> "
                   "\"Example.BMP\"]. The file has not been saved.");
const QString kOverwrite =
    QStringLiteral("The Selected file name already exists on Disk - OverWrite this file?");
const char* const kMspText = "The MSP save as format is a reserved format [used by Microsoft Access]. Please "
                             "select BMP to save your file.";
const char* const kJpgGreyText =
    "A 24 bit Image cannot be saved as a JPG file with the \"8 Bit GreyScale "
    "JPG\" option selected. Select default compression or reduce the Images depth.";
const char* const kJpgGreyPrgText =
    "A 24 bit Image cannot be saved as a JPG file with the \"8 Bit GreyScale JPG "
    "[PRG]\" option selected. Select default compression or reduce the Images "
    "depth.";
const char* const kPngText = "You cannot save a \"PNG file\" with a JPG compression option selected. Select "
                             "Default or Progressive Compression.";

// An 8-bit picture on the grey ramp, smooth enough for a greyscale JPG to keep it closely.
Image greyRamp(int width, int height)
{
    Image picture(width, height, 8);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.row(y)[x] = static_cast<std::uint8_t>((x * 255) / (width - 1));
    return picture;
}

struct SaveCase {
    const char* fileName;
    Image picture;
    int writeOption;
    int expectedDepth;
    double minimumPsnr; // 0 for the lossless formats
};

void PrintTo(const SaveCase& c, std::ostream* out)
{
    *out << c.fileName << " option " << c.writeOption;
}

class SaveEveryFormat : public ImageStore, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveEveryFormat, SaveAsWritesThePictureAndCaptionsTheWindowWithTheName)
{
    const SaveCase& c = GetParam();
    const QString name = QString::fromLatin1(c.fileName);
    TKV_Display* window = showPicture(c.picture);
    disk().RZ_Write_Options->setCurrentIndex(c.writeOption);
    disk().RZ_Preview_Image->setImage(test::noisePicture(3, 3, 19));
    answer(path(name));
    SaveAsCommand();

    ASSERT_EQ(m_showings.size(), 1u);
    EXPECT_EQ(m_showings[0].caption, QStringLiteral("Disk Control - [Save As]"));
    EXPECT_TRUE(m_showings[0].jpgOptionsEnabled);
    EXPECT_FALSE(m_showings[0].fifOptionsEnabled);
    EXPECT_TRUE(m_showings[0].previewEmpty);
    EXPECT_TRUE(messages().isEmpty()) << messages().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(window->windowTitle(), name);
    EXPECT_EQ(lastFile(), path(name));
    EXPECT_EQ(disk().RZ_PCXPATCH->Bitmap(), 0);
    expectIdle();
    const Image written = loadImageFile(path(name).toStdString());
    EXPECT_EQ(written.depth(), c.expectedDepth);
    if (c.minimumPsnr == 0)
        EXPECT_TRUE(test::sameColours(written, c.picture));
    else
        EXPECT_GT(test::psnr(written, c.picture), c.minimumPsnr);
}

INSTANTIATE_TEST_SUITE_P(
    Writable, SaveEveryFormat,
    ::testing::Values(SaveCase{"saved.bmp", test::noisePicture(13, 7, 20), 0, 24, 0},
                      SaveCase{"saved.tga", test::noisePicture(6, 11, 21), 0, 24, 0},
                      SaveCase{"eight.pcx", test::palettePicture(15, 5, 8, 22), 0, 8, 0},
                      SaveCase{"true.pcx", test::noisePicture(9, 4, 23), 0, 24, 0},
                      SaveCase{"mono.pcx", test::palettePicture(19, 3, 1, 24), 0, 1, 0},
                      SaveCase{"saved.tif", test::noisePicture(7, 7, 25), 1, 24, 0},
                      SaveCase{"baseline.jpg", test::gradientPicture(64, 48), 0, 24, 30.0},
                      SaveCase{"progressive.jpg", test::gradientPicture(64, 48), 1, 24, 30.0},
                      SaveCase{"grey.jpg", greyRamp(64, 16), 2, 8, 30.0},
                      SaveCase{"greyprg.jpg", greyRamp(64, 16), 3, 8, 30.0},
                      SaveCase{"saved.png", test::noisePicture(10, 3, 26), 0, 24, 0},
                      SaveCase{"interlaced.png", test::noisePicture(10, 9, 27), 1, 24, 0},
                      SaveCase{"index.png", test::palettePicture(8, 8, 8, 28), 2, 8, 0}));

struct RefusalCase {
    const char* fileName;
    int writeOption;
    const char* message; // null: refused without a word
};

void PrintTo(const RefusalCase& c, std::ostream* out)
{
    *out << c.fileName << " option " << c.writeOption;
}

class RefusedSave : public ImageStore, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusedSave, WritesNothingAndOpensSaveAsAgain)
{
    const RefusalCase& c = GetParam();
    const QString name = QString::fromLatin1(c.fileName);
    showPicture(test::noisePicture(8, 8, 29));
    disk().RZ_Write_Options->setCurrentIndex(c.writeOption);
    answer(path(name));
    SaveAsCommand();

    EXPECT_FALSE(QFile::exists(path(name)));
    const QStringList expected = c.message ? QStringList{QString::fromLatin1(c.message)} : QStringList{};
    EXPECT_EQ(messages(), expected);
    ASSERT_EQ(m_showings.size(), 2u);
    EXPECT_EQ(m_showings[1].caption, QStringLiteral("Disk Control - [Save As]"));
    EXPECT_EQ(activeImageWindow()->windowTitle(), QStringLiteral("Picture"));
    EXPECT_EQ(lastFile(), path(name));
    expectIdle();
}

INSTANTIATE_TEST_SUITE_P(Refusals, RefusedSave,
                         ::testing::Values(RefusalCase{"grey.jpg", 2, kJpgGreyText},
                                           RefusalCase{"greyprg.jpg", 3, kJpgGreyPrgText},
                                           RefusalCase{"compressed.png", 2, kPngText},
                                           RefusalCase{"compressed.png", 3, kPngText},
                                           RefusalCase{"access.msp", 0, kMspText},
                                           RefusalCase{"fractal.fif", 0, nullptr}));

TEST_F(ImageSave, OverwriteNoKeepsTheOldFileAndYesReplacesIt)
{
    const Image old = test::noisePicture(6, 6, 30);
    const Image replacement = test::noisePicture(6, 6, 31);
    saveFile(old, QStringLiteral("kept.bmp"));
    const QByteArray oldBytes = fileBytes(path(QStringLiteral("kept.bmp")));
    TKV_Display* window = showPicture(replacement);

    DialogService::instance().setResponder([](const DialogRequest& request) {
        DialogAnswer reply;
        reply.accepted = request.kind != DialogRequest::Confirm;
        return reply;
    });
    SaveActiveImage(path(QStringLiteral("kept.bmp")));
    EXPECT_EQ(messages(), QStringList{kOverwrite});
    EXPECT_EQ(fileBytes(path(QStringLiteral("kept.bmp"))), oldBytes);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Picture"));

    DialogService::instance().setResponder(answerAll(true));
    SaveActiveImage(path(QStringLiteral("kept.bmp")));
    EXPECT_EQ(messages(), (QStringList{kOverwrite, kOverwrite}));
    EXPECT_TRUE(
        test::sameColours(loadImageFile(path(QStringLiteral("kept.bmp")).toStdString()), replacement));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("kept.bmp"));
}

TEST_F(ImageSave, GifNameIsNotValidForSavingAndTheDialogIsNotOpenedAgain)
{
    showPicture(test::noisePicture(5, 5, 32));
    answer(path(QStringLiteral("PHOTO.GIF")));
    SaveAsCommand();
    EXPECT_EQ(messages(), QStringList{kNotValid});
    EXPECT_EQ(m_showings.size(), 1u);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("PHOTO.GIF"))));
    EXPECT_EQ(lastFile(), path(QStringLiteral("PHOTO.GIF")));
}

TEST_F(ImageSave, CancelledSaveAsWritesNothingButRecordsTheNameAsLastFile)
{
    showPicture(test::noisePicture(5, 5, 33));
    answer(path(QStringLiteral("later.bmp")), false);
    SaveAsCommand();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("later.bmp"))));
    EXPECT_EQ(lastFile(), path(QStringLiteral("later.bmp")));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ImageSave, SaveAsWithoutAPictureDoesNotOpenTheDialog)
{
    SaveAsCommand();
    showPicture(Image());
    SaveAsCommand();
    EXPECT_TRUE(m_showings.empty());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ImageSave, JpgQualityComesFromTheDialog)
{
    showPicture(test::noisePicture(48, 48, 34));
    disk().RZ_Write_Options->setCurrentIndex(0);
    disk().RZ_JPG_VALUE->setValue(100);
    SaveActiveImage(path(QStringLiteral("fine.jpg")));
    disk().RZ_JPG_VALUE->setValue(5);
    SaveActiveImage(path(QStringLiteral("coarse.jpg")));
    EXPECT_LT(QFileInfo(path(QStringLiteral("coarse.jpg"))).size() * 3,
              QFileInfo(path(QStringLiteral("fine.jpg"))).size());
}

TEST_F(ImageSave, TiffIsWrittenUncompressedWhateverTheWriteOption)
{
    showPicture(createImage(24, 64, 64, Rgb{0xFF336699u}));
    disk().RZ_Write_Options->setCurrentIndex(1);
    SaveActiveImage(path(QStringLiteral("flat.tif")));
    EXPECT_GE(QFileInfo(path(QStringLiteral("flat.tif"))).size(), 64 * 64 * 3);
}

TEST_F(ImageSave, PcxWriteFailureIsReportedWithCode259AndNotSavedTwice)
{
    TKV_Display* window = showPicture(test::noisePicture(5, 5, 35));
    EXPECT_FALSE(SaveAsPcx(path(QStringLiteral("other.bmp")), *window->ChildPicbuf));
    EXPECT_TRUE(messages().isEmpty());

    SaveActiveImage(path(QStringLiteral("no such folder/lost.pcx")));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(QStringLiteral("Error:- UIKUtil32v1 - Code 259 - [PCX]")));
    EXPECT_GT(messages()[0].size(), 40);
    EXPECT_EQ(disk().RZ_PCXPATCH->Bitmap(), 0);
    expectIdle();
}

TEST_F(ImageSave, UnwritableFolderIsReportedWithCode222AndTheWindowKeepsItsCaption)
{
    TKV_Display* window = showPicture(test::noisePicture(5, 5, 36));
    SaveActiveImage(path(QStringLiteral("no such folder/lost.bmp")));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(QStringLiteral("Error:- UIKUtil32v1 - Code 222 - ")));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Picture"));
    expectIdle();
}

} // namespace
} // namespace vask
