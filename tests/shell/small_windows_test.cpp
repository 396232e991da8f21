#include "program_fixture.h"

#include "controls/control_drag.h"
#include "controls/form_widgets.h"
#include "controls/lead_ctrl.h"
#include "controls/picbuf.h"
#include "engine/image/create_image.h"
#include "imagewin/background_window.h"
#include "imagewin/drag_selection_window.h"
#include "imagewin/full_screen_window.h"
#include "settings/ini_file.h"
#include "shell/master_form.h"
#include "store/disk_control_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QTest>
#include <QTextEdit>

namespace vask {
namespace {

using SmallWindows = ProgramTest;

TEST_F(SmallWindows, BackgroundOwnsTheFourImageStores)
{
    start();
    TKV_BackGround* background = windows().KV_BackGround;
    for (TPicbuf* store : {background->VaskClipboard, background->KV_BCK_MarkedUndo,
                           background->KV_BCK_AutoUndo, background->KV_BCK_ProvidedUndo}) {
        ASSERT_NE(store, nullptr);
        EXPECT_EQ(store->size(), QSize(35, 33));
        EXPECT_EQ(store->Contents(), 0);
    }
    EXPECT_EQ(background->findChildren<TPicbuf*>().size(), 4);
}

TEST_F(SmallWindows, ClickingTheFullScreenPictureClosesTheViewAndFreesItsCopy)
{
    start();
    TKV_FullScreen* view = windows().KV_FullScreen;
    EXPECT_EQ(view->geometry(), QRect(QPoint(0, 0), screenSize()));
    EXPECT_EQ(view->KV_FS_FullScreen->toolTip(), QStringLiteral("Click Image to Cancel Full Screen Mode"));
    view->KV_FS_FullScreen->setImage(createImage(8, 50, 40, Rgb{3}));
    view->show();
    ASSERT_TRUE(view->isVisible());
    QTest::mouseClick(view->KV_FS_FullScreen->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(view->KV_FS_FullScreen->Contents(), 0);
}

TEST_F(SmallWindows, FloatingWindowStepsOutFromUnderThePointer)
{
    start();
    TKV_DragSelection* floating = windows().KV_DragSelection;
    EXPECT_EQ(floating->size(), QSize(104, 50));
    EXPECT_EQ(floating->KV_DS_Text->text(), QStringLiteral("-- TEXT --"));
    EXPECT_FALSE(floating->KV_DS_Text->isVisibleTo(floating));
    floating->show();
    // The picture grows one pixel past the window on each side it resizes.
    EXPECT_EQ(floating->KV_DS_Image->size(), QSize(105, 51));
    floating->move(200, 150);
    bool accept = false;
    floating->KV_DS_ImageDragOver(10, 7, accept);
    EXPECT_TRUE(accept);
    EXPECT_EQ(floating->pos(), QPoint(211, 158));
}

TEST_F(SmallWindows, FloatingPictureKeepsItsSizeWhileADropIsComposed)
{
    start();
    TKV_DragSelection* floating = windows().KV_DragSelection;
    floating->show();
    programState().DropInProgress = 1;
    floating->resize(60, 30);
    EXPECT_EQ(floating->KV_DS_Image->size(), QSize(105, 51));
    programState().DropInProgress = 0;
    floating->resize(61, 31);
    EXPECT_EQ(floating->KV_DS_Image->size(), QSize(62, 32));
}

TEST_F(SmallWindows, FrameAcceptsImageControlsAndRefusesTextBoxes)
{
    start();
    TKV_Masterform* master = windows().KV_Masterform;
    TPicbuf picture;
    TLeadCtrl lead;
    QTextEdit memo;
    QWidget other;
    ControlDrag::instance().setDragMode(&picture, ControlDrag::DragMode::Automatic);
    windows().KV_DragSelection->show();

    bool accept = false;
    master->FormDragOver(&picture, accept);
    EXPECT_TRUE(accept);
    EXPECT_EQ(ControlDrag::instance().dragMode(&picture), ControlDrag::DragMode::Manual);
    EXPECT_FALSE(windows().KV_DragSelection->isVisible());
    accept = false;
    master->FormDragOver(&lead, accept);
    EXPECT_TRUE(accept);
    accept = true;
    master->FormDragOver(&memo, accept);
    EXPECT_FALSE(accept);
    accept = true;
    master->FormDragOver(&other, accept);
    EXPECT_TRUE(accept); // left as it came
    // While a drop is composed the flag is not touched.
    programState().DropInProgress = 1;
    accept = false;
    master->FormDragOver(&picture, accept);
    EXPECT_FALSE(accept);
}

TEST_F(SmallWindows, DiskControlKeepsItsOptionsButNeverTheLastFile)
{
    writeSettingsText(QStringLiteral("[FileOptions]\nJpgcomp=55\nProgWrite=3\nFifScale=2\nPreview=0\n"
                                     "LastFileLoaded=/tmp/one.tga\n"));
    start();
    TRZ_DiskControl32V1* disk = windows().RZ_DiskControl32V1;
    EXPECT_EQ(disk->RZ_JPG_VALUE->value(), 55);
    EXPECT_EQ(disk->RZ_Write_Options->currentText(), QStringLiteral("8 Bit GreyScale JPG [PRG]"));
    EXPECT_EQ(disk->RZ_FIF_Scale->currentIndex(), 2);
    EXPECT_EQ(disk->RZ_FIF_Height->value(), 200);
    EXPECT_FALSE(disk->RZ_Preview->isChecked());
    EXPECT_FALSE(disk->RZ_Commonpalette->isChecked()); // a 24-bit screen does not map by default
    EXPECT_EQ(disk->rememberedFileName(), QStringLiteral("/tmp/one.tga"));

    disk->RZ_JPG_VALUE->setValue(80);
    disk->setRememberedFileName(QStringLiteral("/tmp/two.png"));
    disk->reject();
    const IniFile ini(settingsFilePath());
    EXPECT_EQ(ini.ReadInteger("FileOptions", "Jpgcomp", 0), 80);
    EXPECT_EQ(ini.ReadString("FileOptions", "LastFileLoaded", ""), "/tmp/one.tga");
    for (const char* key :
         {"ProgWrite", "FifOption", "FifScale", "FifHeight", "FifWidth", "Preview", "Common"})
        EXPECT_TRUE(ini.hasKey("FileOptions", key)) << key;
}

} // namespace
} // namespace vask
