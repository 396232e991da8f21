#include "program_fixture.h"

#include "controls/lead_ctrl.h"
#include "controls/picbuf.h"
#include "engine/codecs/image_file.h"
#include "engine/image/create_image.h"
#include "imagewin/background_window.h"
#include "imagewin/display_window.h"
#include "imagewin/full_screen_window.h"
#include "settings/preferences_dialog.h"
#include "shell/clear_module.h"
#include "shell/master_form.h"
#include "shell/shell_routines.h"
#include "shell/status_panel_bar.h"
#include "utilities/utilities_window.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace vask {
namespace {

class MainCommandTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        ShellLauncher recording;
        recording.openDocument = [this](const QString& document) {
            m_opened << document;
            return true;
        };
        recording.run = [](const QString&, const QStringList&, const QString&) { return true; };
        setShellLauncher(recording);
        start();
    }
    void TearDown() override
    {
        resetShellLauncher();
        ProgramTest::TearDown();
    }
    QString pictureFile(const QString& name, int depth = 24)
    {
        const QString path = m_folder.filePath(name);
        saveImageFile(createImage(depth, 30, 20, Rgb{0xFF336699}), path.toStdString());
        return path;
    }
    QStringList imageCaptions() const
    {
        QStringList captions;
        for (QMdiSubWindow* window : programWindows().KV_Masterform->mdiArea()->subWindowList())
            captions << window->widget()->windowTitle();
        return captions;
    }
    QTemporaryDir m_folder;
    QStringList m_opened;
};

TEST_F(MainCommandTest, ClearButtonAsksTwiceAndEmptiesThePictures)
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
    windows().KV_Masterform->KV_Masterform_Clear_Icon->click();
    EXPECT_EQ(DialogService::instance().messageTexts(),
              QStringList({clearModuleQuestion(QStringLiteral("Image Utilities")),
                           clearModuleQuestion(QStringLiteral("Undo and Marked Image"))}));
    EXPECT_EQ(DialogService::instance().history().front().kind, DialogRequest::Caution);
    EXPECT_GT(scanned->Bitmap(), 0);
    EXPECT_EQ(background->KV_BCK_AutoUndo->Contents(), 0);
    EXPECT_EQ(windows().KV_Masterform->KV_MF_Statuspanel->panelText(4), QStringLiteral("No Function"));
    EXPECT_EQ(clearModuleQuestion(QStringLiteral("Image Utilities")),
              QStringLiteral(
                  "Caution:- This will Clear and Reset all Images within the \"Image Utilities\" module.  "
                  "Are you sure you wish to do this - Select \"YES\" to Confirm?"));
}

TEST_F(MainCommandTest, HelpAndAddOnsSayWhenTheFileIsMissingAndStillAskTheDesktop)
{
    windows().KV_Preferences32v1->KV_Pref_AddOn2->setText(m_folder.filePath(QStringLiteral("tool.exe")));
    windows().KV_Masterform->KV_MM_Addons_Addon2->trigger();
    windows().KV_Masterform->KV_MM_Help->trigger();
    ASSERT_EQ(m_opened.size(), 2);
    EXPECT_EQ(m_opened[0], m_folder.filePath(QStringLiteral("tool.exe")));
    EXPECT_TRUE(m_opened[1].endsWith(QStringLiteral("/VQ32v100.html")));
    const QStringList texts = DialogService::instance().messageTexts();
    ASSERT_GE(texts.size(), 1);
    EXPECT_EQ(texts[0],
              QStringLiteral("Information:- Cannot find file [ %1 ].  Please check file is correctly "
                             "specified.  OK to continue.")
                  .arg(m_folder.filePath(QStringLiteral("tool.exe"))));
}

TEST_F(MainCommandTest, CommandsOnTheActiveImageDoNothingWithoutOne)
{
    TKV_Masterform* master = windows().KV_Masterform;
    master->KV_MM_Closefile->trigger();
    master->KV_MM_Saveas->trigger();
    master->KV_Masterform_FScreen_Icon->click();
    master->KV_Masterform_Refresh_Icon->click();
    EXPECT_TRUE(DialogService::instance().history().empty());
    EXPECT_FALSE(windows().KV_FullScreen->isVisible());
}

TEST_F(MainCommandTest, DesktopDropOpensFilesInOrderAndSkipsMissingOnes)
{
    const QStringList files = {pictureFile(QStringLiteral("one.bmp")), pictureFile(QStringLiteral("two.png")),
                               m_folder.filePath(QStringLiteral("missing.bmp")),
                               pictureFile(QStringLiteral("four.tga")),
                               pictureFile(QStringLiteral("five.pcx"), 8)};
    windows().KV_Masterform->AppMessage(files);
    EXPECT_EQ(imageCaptions(), QStringList({QStringLiteral("one.bmp"), QStringLiteral("two.png"),
                                            QStringLiteral("four.tga"), QStringLiteral("five.pcx")}));
    EXPECT_EQ(windows().KV_Masterform->KV_MM_LastFile->text(), files.last());
    EXPECT_TRUE(DialogService::instance().messageTexts().isEmpty());
}

TEST_F(MainCommandTest, CancelBetweenDroppedFilesStopsAfterTheCurrentOne)
{
    const QStringList files = {pictureFile(QStringLiteral("a1.bmp")), pictureFile(QStringLiteral("a2.bmp")),
                               pictureFile(QStringLiteral("a3.bmp"))};
    // The cancel button is pressed while the first file loads (its window has just appeared).
    TKV_Masterform* master = windows().KV_Masterform;
    QMetaObject::Connection pressCancel = QObject::connect(
        master->mdiArea(), &QMdiArea::subWindowActivated, master, [&](QMdiSubWindow* window) {
            if (window != nullptr) {
                QObject::disconnect(pressCancel);
                master->KV_Masterform_ResetMouse_Icon->click();
            }
        });
    master->AppMessage(files);
    EXPECT_EQ(imageCaptions(), QStringList({QStringLiteral("a1.bmp")}));
    EXPECT_EQ(programState().AbortRequested, 0);
}

TEST_F(MainCommandTest, FullScreenShowsACopyAndAClickReturns)
{
    windows().KV_Masterform->AppMessage({pictureFile(QStringLiteral("view.bmp"))});
    TKV_Display* window = activeImageWindow();
    ASSERT_NE(window, nullptr);
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
    windows().KV_Masterform->KV_Masterform_FScreen_Icon->click();
    EXPECT_EQ(shownWidth, 30);
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(view->KV_FS_FullScreen->Contents(), 0);
    EXPECT_EQ(window->ChildPicbuf->Xresolution(), 30);
}

} // namespace
} // namespace vask
