#include "program_fixture.h"

#include "controls/form_widgets.h"
#include "imagewin/background_window.h"
#include "imagewin/full_screen_window.h"
#include "shell/shell_routines.h"
#include "utilities/utilities_window.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace vask {
namespace {

using ImageLoadSave = ImageStore;
using test::noisePicture;
using test::palettePicture;

const QString kCode172 = QStringLiteral("Error:- UIKUtil32v1 - Code 172 - ");

// Smooth ramps: a JPG keeps them closely. Depth 8 gives a grey ramp for the greyscale JPGs.
Image smoothPicture(int width, int height, int depth = 24)
{
    Image picture(width, height, depth);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (depth == 8)
                picture.row(y)[x] = static_cast<std::uint8_t>(x * 255 / (width - 1));
            else
                picture.rgbRow(y)[x] = packRgb(x * 255 / (width - 1), y * 255 / (height - 1), 128);
        }
    return picture;
}

void expectSamePicture(const Image& actual, const Image& expected, int depth, double minimumPsnr)
{
    EXPECT_EQ(actual.depth(), depth);
    if (minimumPsnr == 0)
        EXPECT_TRUE(test::sameColours(actual, expected));
    else
        EXPECT_GT(test::psnr(actual, expected), minimumPsnr);
}

TEST_F(ImageLoadSave, OpenFileShowsEveryReadableFormatUnderItsNameAndRecordsTheLastFile)
{
    // The lossless formats have no minimum PSNR.
    // clang-format off
    struct Case { const char* name; Image picture; double minimumPsnr; };
    const Case cases[] = {
        {"noise.bmp", noisePicture(13, 9, 1), 0},      {"mono.bmp", palettePicture(17, 5, 1, 2), 0},
        {"four.dib", palettePicture(11, 7, 4, 3), 0},  {"eight.tga", palettePicture(9, 9, 8, 4), 0},
        {"true.tga", noisePicture(15, 4, 5), 0},       {"eight.pcx", palettePicture(21, 6, 8, 6), 0},
        {"true.pcx", noisePicture(7, 7, 7), 0},        {"SCAN.TIF", noisePicture(19, 3, 8), 0},
        {"photo.jpg", smoothPicture(64, 48), 30.0},    {"index.png", palettePicture(10, 10, 8, 9), 0},
        {"true.png", noisePicture(5, 12, 10), 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = saveFile(c.picture, QString::fromLatin1(c.name));
        answer(file);
        OpenFileCommand();
        EXPECT_EQ(m_showings.back().caption, QStringLiteral("Disk Control - [Load Image]"));
        TKV_Display* window = activeImageWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), QString::fromLatin1(c.name));
        expectSamePicture(window->ChildPicbuf->image(), c.picture, c.picture.depth(), c.minimumPsnr);
        EXPECT_EQ(QStringList({window->ChildPicbuf->FileName(), lastFile(), disk().rememberedFileName()}),
                  QStringList(3, file));
        expectIdle();
    }
    EXPECT_EQ(imageWindowCount(), qsizetype(std::size(cases)));
    EXPECT_EQ(m_showings.size(), std::size(cases));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ImageLoadSave, DamagedOrFractalFileReportsCode172AndLeavesItsEmptyWindowOpenAndOtherNamesLoadNothing)
{
    const QString broken = saveFile(noisePicture(40, 30, 12), QStringLiteral("broken.bmp"));
    writeBytes(broken, fileBytes(broken).left(80));
    QDir(m_folder).mkdir(QStringLiteral("fractals"));
    writeBytes(path(QStringLiteral("fractals/coast.fif")), "FIF fractal data");
    for (const QString& name : {broken, path(QStringLiteral("fractals/coast.fif"))}) {
        DialogService::instance().clearHistory();
        LoadImage(name);
        ASSERT_EQ(messages().size(), 1);
        EXPECT_TRUE(messages()[0].startsWith(kCode172)) << messages()[0].toStdString();
        EXPECT_GT(messages()[0].size(), kCode172.size());
        EXPECT_EQ(activeImageWindow()->ChildPicbuf->Contents(), 0);
        expectIdle();
    }
    EXPECT_TRUE(messages()[0].contains(QStringLiteral("FIF")));
    EXPECT_EQ(QDir(QDir::currentPath()).canonicalPath(),
              QDir(path(QStringLiteral("fractals"))).canonicalPath());
    // Names that are not pictures load nothing and say nothing.
    DialogService::instance().clearHistory();
    for (const char* name : {"PHOTO.GIF", "notes.txt", "tool.exe", "a.bm"})
        LoadImage(path(QString::fromLatin1(name)));
    EXPECT_EQ(imageWindowCount(), 2);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ImageLoadSave, PreviewedPictureIsTakenWithoutReadingTheFileAgainUnlessThePreviewIsOff)
{
    const Image previewed = noisePicture(9, 6, 14);
    disk().RZ_Preview->setChecked(true);
    disk().RZ_Preview_Image->setImage(previewed);
    LoadImage(path(QStringLiteral("seen.png"))); // not on the disk at all
    EXPECT_TRUE(test::sameColours(activeImageWindow()->ChildPicbuf->image(), previewed));
    EXPECT_EQ(disk().RZ_Preview_Image->Contents(), 0);
    // A typed name after a preview gets the previewed picture under the typed name.
    saveFile(noisePicture(3, 3, 16), QStringLiteral("typed.bmp"));
    disk().RZ_Preview_Image->setImage(previewed);
    answer(path(QStringLiteral("typed.bmp")));
    OpenFileCommand();
    EXPECT_TRUE(test::sameColours(activeImageWindow()->ChildPicbuf->image(), previewed));
    EXPECT_EQ(lastFile(), path(QStringLiteral("typed.bmp")));

    const Image onDisk = noisePicture(5, 5, 18);
    disk().RZ_Preview->setChecked(false);
    disk().RZ_Preview_Image->setImage(previewed);
    LoadImage(saveFile(onDisk, QStringLiteral("disk.bmp")));
    EXPECT_TRUE(test::sameColours(activeImageWindow()->ChildPicbuf->image(), onDisk));
    EXPECT_TRUE(test::sameColours(disk().RZ_Preview_Image->image(), previewed));
    EXPECT_EQ(imageCaptions(), QStringList({"seen.png", "typed.bmp", "disk.bmp"}));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ImageLoadSave, LastFileIsRememberedByTheDialogAndReopenedWhenItIsThere)
{
    const Image picture = noisePicture(7, 5, 37);
    const QString file = saveFile(picture, QStringLiteral("again.png"));
    for (const QString& name :
         {path(QStringLiteral("gone.bmp")), path(QStringLiteral("*.*")), m_folder, file}) {
        SetLastFile(name);
        ReopenLastFileCommand();
        EXPECT_EQ(lastFile(), name);
        EXPECT_EQ(disk().rememberedFileName(), name);
    }
    EXPECT_EQ(disk().RZ_Selected_Extension->currentIndex(), 9);
    EXPECT_EQ(imageCaptions(), QStringList{"again.png"});
    EXPECT_TRUE(test::sameColours(activeImageWindow()->ChildPicbuf->image(), picture));
    // Cancelled, or the chosen file is missing: nothing loads.
    answer(file, false);
    answer(path(QStringLiteral("missing.bmp")));
    OpenFileCommand();
    OpenFileCommand();
    EXPECT_EQ(imageWindowCount(), 1);
    EXPECT_EQ(lastFile(), file);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ImageLoadSave, NewImageHasThePreferredDepthSizeAndFill)
{
    // Mask grey = value x 2.55 rounded with halves to even: 50 -> 127.5 -> 128, 30 -> 76.5 -> 76.
    // clang-format off
    struct Case { int depthIndex; bool asMask; int maskValue; QColor baseColour; int depth; QColor fill; };
    const Case cases[] = {
        {3, true, 50, Qt::red, 24, QColor(128, 128, 128)}, {3, true, 100, Qt::red, 24, QColor(255, 255, 255)},
        {3, true, 0, Qt::red, 24, QColor(0, 0, 0)},        {3, true, 30, Qt::red, 24, QColor(76, 76, 76)},
        {3, true, 10, Qt::red, 24, QColor(26, 26, 26)},    {3, true, 1, Qt::red, 24, QColor(3, 3, 3)},
        {3, false, 50, QColor(10, 200, 30), 24, QColor(10, 200, 30)},
        {2, false, 50, QColor(10, 200, 30), 8, QColor(10, 200, 30)},
        {1, false, 50, QColor(255, 0, 0), 4, QColor(255, 0, 0)},
        {0, true, 50, Qt::red, 1, QColor(128, 128, 128)},
    };
    // clang-format on
    preferences().KV_Pref_NewWidth->setValue(37);
    preferences().KV_Pref_NewHeight->setValue(23);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.depthIndex << " " << c.asMask << " " << c.maskValue);
        preferences().KV_Pref_BitDepths->setItemIndex(c.depthIndex);
        preferences().KV_Pref_Asmask->setChecked(c.asMask);
        preferences().KV_Pref_maskvalue->setValue(c.maskValue);
        preferences().KV_Pref_BaseColour->setColour(c.baseColour);
        NewImage();
        const TPicbuf& picture = *activeImageWindow()->ChildPicbuf;
        EXPECT_EQ(activeImageWindow()->windowTitle(), QStringLiteral("New Image"));
        EXPECT_EQ(picture.ColorDepth(), c.depth);
        EXPECT_EQ(QSize(picture.Xresolution(), picture.Yresolution()), QSize(37, 23));
        const auto fill = static_cast<quint32>(windowsValueFromColour(c.fill));
        for (const QPoint at : {QPoint(0, 0), QPoint(36, 22), QPoint(18, 11)})
            EXPECT_EQ(picture.GetPixel(at.x(), at.y()), fill) << at.x();
        expectIdle();
    }
    EXPECT_EQ(imageWindowCount(), qsizetype(std::size(cases)));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ImageLoadSave, SaveAsWritesEveryWritableFormatAndCaptionsTheWindowWithTheName)
{
    // The lossless formats have no minimum PSNR.
    // clang-format off
    struct Case { const char* name; Image picture; int writeOption; int depth; double minimumPsnr = 0; };
    const Case cases[] = {
        {"saved.bmp", noisePicture(13, 7, 20), 0, 24},       {"saved.tga", noisePicture(6, 11, 21), 0, 24},
        {"eight.pcx", palettePicture(15, 5, 8, 22), 0, 8},   {"true.pcx", noisePicture(9, 4, 23), 0, 24},
        {"mono.pcx", palettePicture(19, 3, 1, 24), 0, 1},    {"saved.tif", noisePicture(7, 7, 25), 1, 24},
        {"saved.png", noisePicture(10, 3, 26), 0, 24},       {"laced.png", noisePicture(10, 9, 27), 1, 24},
        {"index.png", palettePicture(8, 8, 8, 28), 2, 8},
        {"baseline.jpg", test::gradientPicture(64, 48), 0, 24, 30.0},
        {"progressive.jpg", test::gradientPicture(64, 48), 1, 24, 30.0},
        {"grey.jpg", smoothPicture(64, 16, 8), 2, 8, 30.0},
        {"greyprg.jpg", smoothPicture(64, 16, 8), 3, 8, 30.0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromLatin1(c.name);
        TKV_Display* window = showPicture(c.picture);
        disk().RZ_Write_Options->setCurrentIndex(c.writeOption);
        disk().RZ_Preview_Image->setImage(noisePicture(3, 3, 19));
        m_showings.clear();
        answer(path(name));
        SaveAsCommand();
        ASSERT_EQ(m_showings.size(), 1u);
        EXPECT_EQ(m_showings[0].caption, QStringLiteral("Disk Control - [Save As]"));
        EXPECT_TRUE(m_showings[0].previewEmpty);
        EXPECT_TRUE(messages().isEmpty()) << messages().join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(window->windowTitle(), name);
        EXPECT_EQ(lastFile(), path(name));
        EXPECT_EQ(disk().RZ_PCXPATCH->Bitmap(), 0);
        expectIdle();
        expectSamePicture(loadImageFile(path(name).toStdString()), c.picture, c.depth, c.minimumPsnr);
    }
}

TEST_F(ImageLoadSave, RefusedSaveWritesNothingAndOpensSaveAsAgain)
{
    const QString png =
        QStringLiteral("You cannot save a \"PNG file\" with a JPG compression option selected. Select "
                       "Default or Progressive Compression.");
    const QString grey =
        QStringLiteral("A 24 bit Image cannot be saved as a JPG file with the \"8 Bit GreyScale "
                       "JPG%1\" option selected. Select default compression or reduce the Images depth.");
    // An empty message: refused without a word.
    // clang-format off
    struct Case { const char* name; int writeOption; QString message; };
    const Case cases[] = {
        {"grey.jpg", 2, grey.arg(QString())}, {"greyprg.jpg", 3, grey.arg(QStringLiteral(" [PRG]"))},
        {"compressed.png", 2, png}, {"compressed.png", 3, png}, {"fractal.fif", 0, QString()},
        {"access.msp", 0, QStringLiteral("The MSP save as format is a reserved format [used by Microsoft Access]. "
                                         "Please select BMP to save your file.")},
    };
    // clang-format on
    showPicture(noisePicture(8, 8, 29));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromLatin1(c.name);
        DialogService::instance().clearHistory();
        m_showings.clear();
        disk().RZ_Write_Options->setCurrentIndex(c.writeOption);
        answer(path(name));
        SaveAsCommand();
        EXPECT_FALSE(QFile::exists(path(name)));
        EXPECT_EQ(messages(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        ASSERT_EQ(m_showings.size(), 2u);
        EXPECT_EQ(m_showings[1].caption, QStringLiteral("Disk Control - [Save As]"));
        EXPECT_EQ(activeImageWindow()->windowTitle(), QStringLiteral("Picture"));
        EXPECT_EQ(lastFile(), path(name));
        expectIdle();
    }
}

TEST_F(ImageLoadSave, OverwriteNoKeepsTheOldFileYesReplacesItAndAGifNameIsNotValid)
{
    const QString overwrite =
        QStringLiteral("The Selected file name already exists on Disk - OverWrite this file?");
    const QString kept = saveFile(noisePicture(6, 6, 30), QStringLiteral("kept.bmp"));
    const QByteArray oldBytes = fileBytes(kept);
    const Image replacement = noisePicture(6, 6, 31);
    TKV_Display* window = showPicture(replacement);
    DialogService::instance().setResponder(answerAll(false));
    SaveActiveImage(kept);
    EXPECT_EQ(messages(), QStringList{overwrite});
    EXPECT_EQ(fileBytes(kept), oldBytes);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Picture"));
    DialogService::instance().setResponder(answerAll(true));
    SaveActiveImage(kept);
    EXPECT_EQ(messages(), QStringList({overwrite, overwrite}));
    EXPECT_TRUE(test::sameColours(loadImageFile(kept.toStdString()), replacement));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("kept.bmp"));

    DialogService::instance().clearHistory();
    answer(path(QStringLiteral("PHOTO.GIF")));
    SaveAsCommand();
    EXPECT_EQ(messages(),
              QStringList{QStringLiteral("The selected filename is not valid [Always include the "
                                         "extension --> \"Example.BMP\"]. The file has not been saved.")});
    EXPECT_EQ(m_showings.size(), 1u);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("PHOTO.GIF"))));
    EXPECT_EQ(lastFile(), path(QStringLiteral("PHOTO.GIF")));
}

TEST_F(ImageLoadSave, ClearButtonAsksTwiceAndEmptiesOnlyTheConfirmedPictures)
{
    TKV_BackGround* background = windows().KV_BackGround;
    background->KV_BCK_AutoUndo->setImage(createImage(8, 4, 4, Rgb{1}));
    auto* scanned = windows().KV_UTilities->findChild<TLeadCtrl*>(QStringLiteral("KV_UT_TwainImage"));
    ASSERT_NE(scanned, nullptr);
    scanned->SetDIB(createImage(24, 4, 4, Rgb{0xFF000000}));
    // No to the utilities, Yes to the undo and marked images.
    int asked = 0;
    DialogService::instance().setResponder([&](const DialogRequest&) {
        return DialogAnswer{++asked == 2, {}, {}, {}};
    });
    master().KV_Masterform_Clear_Icon->click();
    const QString question =
        QStringLiteral("Caution:- This will Clear and Reset all Images within the \"%1\" module.  "
                       "Are you sure you wish to do this - Select \"YES\" to Confirm?");
    EXPECT_EQ(messages(),
              QStringList({question.arg("Image Utilities"), question.arg("Undo and Marked Image")}));
    EXPECT_EQ(DialogService::instance().history().front().kind, DialogRequest::Caution);
    EXPECT_GT(scanned->Bitmap(), 0);
    EXPECT_EQ(background->KV_BCK_AutoUndo->Contents(), 0);
    EXPECT_EQ(progressText(), QStringLiteral("No Function"));
}

TEST_F(ImageLoadSave, HelpAndAddOnsSayWhenTheFileIsMissingAndStillAskTheDesktop)
{
    QStringList opened;
    setShellLauncher({[&opened](const QString& document) {
                          opened << document;
                          return true;
                      },
                      {}});
    preferences().KV_Pref_AddOn2->setText(path(QStringLiteral("tool.exe")));
    master().KV_MM_Addons_Addon2->trigger();
    master().KV_MM_Help->trigger();
    resetShellLauncher();
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], path(QStringLiteral("tool.exe")));
    EXPECT_TRUE(opened[1].endsWith(QStringLiteral("/VQ32v100.html")));
    EXPECT_EQ(messages().value(0),
              QStringLiteral("Information:- Cannot find file [ %1 ].  Please check file is correctly "
                             "specified.  OK to continue.")
                  .arg(path(QStringLiteral("tool.exe"))));
}

TEST_F(ImageLoadSave, DesktopDropOpensFilesInOrderAndSkipsMissingOnes)
{
    const QStringList files = {pictureFile("one.bmp"), pictureFile("two.png"),
                               path(QStringLiteral("missing.bmp")), pictureFile("four.tga"),
                               pictureFile("five.pcx", 8)};
    master().AppMessage(files);
    EXPECT_EQ(imageCaptions(), QStringList({"one.bmp", "two.png", "four.tga", "five.pcx"}));
    EXPECT_EQ(lastFile(), files.last());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ImageLoadSave, CancelBetweenDroppedFilesStopsAfterTheCurrentOne)
{
    // The cancel button is pressed while the first file loads (its window has just appeared).
    QMetaObject::Connection pressCancel =
        QObject::connect(area(), &QMdiArea::subWindowActivated, area(), [&](QMdiSubWindow* window) {
            if (window != nullptr) {
                QObject::disconnect(pressCancel);
                master().KV_Masterform_ResetMouse_Icon->click();
            }
        });
    master().AppMessage({pictureFile("a1.bmp"), pictureFile("a2.bmp"), pictureFile("a3.bmp")});
    EXPECT_EQ(imageCaptions(), QStringList({"a1.bmp"}));
    EXPECT_EQ(programState().AbortRequested, 0);
}

TEST_F(ImageLoadSave, FullScreenButtonShowsACopyAndAClickReturns)
{
    master().AppMessage({pictureFile("view.bmp")});
    TKV_FullScreen* view = windows().KV_FullScreen;
    int shownWidth = 0;
    // Click the picture once the view is up (events also run while the copy is made).
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, view, [&] {
        if (!view->isVisible())
            return;
        clicker.stop();
        shownWidth = view->KV_FS_FullScreen->Xresolution();
        QTest::mouseClick(view->KV_FS_FullScreen->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    });
    clicker.start(5);
    master().KV_Masterform_FScreen_Icon->click();
    EXPECT_EQ(shownWidth, 30);
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(view->KV_FS_FullScreen->Contents(), 0);
    EXPECT_EQ(activeImageWindow()->ChildPicbuf->Xresolution(), 30);
}

} // namespace
} // namespace vask
