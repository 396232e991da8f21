#include "program_fixture.h"

#include "controls/component_tag.h"
#include "controls/form_widgets.h"
#include "engine/ops/colour/greyscale.h"
#include "engine/ops/colour/negate.h"
#include "engine/ops/filter/level_filters.h"
#include "engine/ops/geometry/mirror.h"
#include "engine/ops/geometry/rotate.h"
#include "engine/ops/palette/increase_depth.h"
#include "engine/ops/palette/reduce_colors.h"
#include "imagewin/background_window.h"
#include "imagewin/display_commands.h"
#include "shell/status_routines.h"
#include "utilities/depth_page.h"
#include "utilities/utilities_window.h"

#include <QCheckBox>
#include <QMenu>

#include <functional>

namespace vask {
namespace {

class DisplayCommandsTest : public ImageStore {
protected:
    void SetUp() override
    {
        ImageStore::SetUp();
        programState().AutoUndo = true;
    }
    // Runs a menu item of the window by name and returns the progress texts shown whenever
    // the picture changed, that is while the work was done.
    QStringList run(TKV_Display* window, const char* itemName)
    {
        QStringList seen;
        auto* item = window->findChild<QAction*>(QString::fromLatin1(itemName));
        EXPECT_NE(item, nullptr) << itemName;
        if (item == nullptr)
            return seen;
        const auto watch = QObject::connect(window->ChildPicbuf, &TPicbuf::Change,
                                            [this, &seen] { seen << progressText(); });
        item->trigger();
        QObject::disconnect(watch);
        return seen;
    }
    TPicbuf& undoPicture() { return *windows().KV_BackGround->KV_BCK_AutoUndo; }
    static QStringList captionsAndTags(const QMenu* menu)
    {
        // "-" for a separator, "caption>" for a submenu, else "caption=tag".
        QStringList texts;
        for (const QAction* item : menu->actions()) {
            if (item->isSeparator())
                texts << QStringLiteral("-");
            else if (item->menu() != nullptr)
                texts << item->text() + QLatin1Char('>');
            else
                texts << item->text() + QLatin1Char('=') + QString::number(tagOf(item));
        }
        return texts;
    }
};

struct ProcessCase {
    const char* item;
    const char* progress;
    std::function<void(Image&)> oracle;
};

TEST_F(DisplayCommandsTest, EachImageProcessItemShowsItsTextAppliesItsOperationAndKeepsTheUndoCopy)
{
    preferences().KV_Pref_Custom_Angle->setValue(33);
    preferences().KV_Pref_BaseColour->setColour(QColor(200, 10, 60));
    const Rgb chosenFill = packRgb(200, 10, 60);
    const Rgb aqua = rgbFromColorref(16776960);
    const std::vector<ProcessCase> cases = {
        {"KV_DM_Sharpen_Level11", "Applying Sharpening", [](Image& i) { sharpenImage(i, 1); }},
        {"KV_DM_Sharpen_Level10", "Applying Sharpening", [](Image& i) { sharpenImage(i, 10); }},
        {"KV_DM_Soften_Level1", "Applying Softening", [](Image& i) { softenImage(i, 1); }},
        {"KV_DM_Soften_Level7", "Applying Softening", [](Image& i) { softenImage(i, 7); }},
        {"KV_DM_Edge_Level10", "Extracting Edges", [](Image& i) { edgeExtract(i, 10); }},
        {"KV_DM_Blur", "Blurring Image", [](Image& i) { blurImage(i); }},
        {"KV_DM_Mirror_Horizontal", "Mirroring Image", [](Image& i) { mirrorImage(i, true, false); }},
        {"KV_DM_Mirror_Vertical", "Mirroring Image", [](Image& i) { mirrorImage(i, false, true); }},
        {"KV_DM_Mirror_HorizontalandVertical", "Mirroring Image",
         [](Image& i) { mirrorImage(i, true, true); }},
        {"KV_DM_Rotate_270", "Rotating Image", [=](Image& i) { rotateImage(i, 270, chosenFill); }},
        {"KV_DM_Rotate_n5", "Rotating Image", [=](Image& i) { rotateImage(i, -5, chosenFill); }},
        {"KV_DM_Rotate_Custom", "Rotating Image", [=](Image& i) { rotateImage(i, 33, chosenFill); }},
        {"KV_DM_Negate", "Negating Image", [](Image& i) { negateImage(i); }},
        {"KV_DM_GreyScale", "Returning Grayscale", [](Image& i) { greyScaleImage(i); }},
    };
    const Image original = test::noisePicture(17, 11, 5);
    TKV_Display* window = showPicture(original);
    for (const ProcessCase& c : cases) {
        SCOPED_TRACE(c.item);
        window->ChildPicbuf->setImage(original);
        undoPicture().ClearImage();
        EXPECT_EQ(run(window, c.item), QStringList{QString::fromLatin1(c.progress)});
        Image expected = original;
        c.oracle(expected);
        EXPECT_TRUE(test::sameColours(window->ChildPicbuf->image(), expected));
        EXPECT_TRUE(test::sameColours(undoPicture().image(), original));
        expectIdle();
    }
    // The level reaches the operation: level 1 and level 10 differ, and the default fill is
    // not what the rotation used.
    Image one = original, ten = original, aquaFill = original;
    sharpenImage(one, 1);
    sharpenImage(ten, 10);
    rotateImage(aquaFill, 33, aqua);
    EXPECT_FALSE(test::sameColours(one, ten));
    EXPECT_FALSE(test::sameColours(aquaFill, window->ChildPicbuf->image()));
}

TEST_F(DisplayCommandsTest, CustomRotationByDefaultTurnsNinetyDegreesAndFillsWithAqua)
{
    const Image original = test::noisePicture(9, 4, 2);
    TKV_Display* window = showPicture(original);
    run(window, "KV_DM_Rotate_Custom");
    Image expected = original;
    rotateImage(expected, 90, rgbFromColorref(16776960));
    EXPECT_TRUE(test::sameColours(window->ChildPicbuf->image(), expected));
    EXPECT_EQ(window->ChildPicbuf->image().width(), 4);
}

TEST_F(DisplayCommandsTest, CommandsOnAWindowWithoutAnImageChangeNothingAndEndIdle)
{
    TKV_Display* window = CreateImageWindow();
    for (const char* item :
         {"KV_DM_Sharpen_Level5", "KV_DM_Edge_Level1", "KV_DM_Blur", "KV_DM_Rotate_90", "KV_DM_Negate",
          "KV_DM_GreyScale", "KV_DM_To1", "KV_DM_To24", "KV_DM_DefineSelectionArea"}) {
        SCOPED_TRACE(item);
        EXPECT_TRUE(run(window, item).isEmpty());
        EXPECT_EQ(window->ChildPicbuf->Contents(), 0);
        expectIdle();
    }
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(DisplayCommandsTest, ConvertDepthUsesTheDepthPageOptionsAndRefusesTheSameDepth)
{
    auto* page = windows().KV_UTilities->findChild<DepthPage*>();
    ASSERT_NE(page, nullptr);
    page->KV_UT_Depth_Conversion_Dither->setChecked(false);
    const Image original = test::noisePicture(13, 7, 9);
    TKV_Display* window = showPicture(original);
    struct DepthCase {
        const char* item;
        int colours;
    } const cases[] = {{"KV_DM_To8", 256}, {"KV_DM_To4", 16}, {"KV_DM_To1", 2}};
    for (const DepthCase& c : cases) {
        SCOPED_TRACE(c.item);
        window->ChildPicbuf->setImage(original);
        EXPECT_EQ(run(window, c.item), QStringList{"Converting Depth"});
        Image expected = original;
        reduceColors(expected, c.colours, true, false, true);
        EXPECT_TRUE(test::sameColours(window->ChildPicbuf->image(), expected));
        EXPECT_EQ(window->ChildPicbuf->ColorDepth(), expected.depth());
        expectIdle();
    }
    run(window, "KV_DM_To24");
    EXPECT_EQ(window->ChildPicbuf->ColorDepth(), 24);
    EXPECT_TRUE(messages().isEmpty());
    run(window, "KV_DM_To24");
    EXPECT_EQ(messages(), QStringList{"The Image is already 24 Bit. OK to Continue."});
    expectIdle();
}

TEST_F(DisplayCommandsTest, EditMenuCopyReplacesTheUndoImageButContextMenuCopyDoesNot)
{
    const Image picture = test::noisePicture(6, 5, 3);
    TKV_Display* window = showPicture(picture);
    TPicbuf& clipboard = *windows().KV_BackGround->VaskClipboard;
    run(window, "KV_UD_CP_Copy_To_Clip");
    EXPECT_EQ(undoPicture().Contents(), 0);
    EXPECT_TRUE(test::sameColours(clipboard.image(), picture));
    clipboard.ClearImage();
    run(window, "KV_DM_CopyFull");
    EXPECT_TRUE(test::sameColours(undoPicture().image(), picture));
    EXPECT_TRUE(test::sameColours(clipboard.image(), picture));
    expectIdle();
    // Pasting through the context menu keeps the picture it overwrites.
    undoPicture().ClearImage();
    clipboard.setImage(test::noisePicture(6, 5, 8));
    run(window, "KV_UD_CP_Paste_Clip_To_Active_Image");
    EXPECT_TRUE(test::sameColours(undoPicture().image(), picture));
    EXPECT_TRUE(test::sameColours(window->ChildPicbuf->image(), clipboard.image()));
}

TEST_F(DisplayCommandsTest, ContextMenuUndoBringsBackThePictureBeforeTheLastCommand)
{
    const Image picture = test::noisePicture(8, 3, 4);
    TKV_Display* window = showPicture(picture);
    run(window, "KV_DM_Negate");
    EXPECT_FALSE(test::sameColours(window->ChildPicbuf->image(), picture));
    run(window, "KV_UD_CP_Undo");
    EXPECT_TRUE(test::sameColours(window->ChildPicbuf->image(), picture));
}

TEST_F(DisplayCommandsTest, DefineSelectionAreaStartsTheSelectionFunction)
{
    TKV_Display* window = showPicture(test::noisePicture(4, 4, 1));
    run(window, "KV_DM_DefineSelectionArea");
    EXPECT_EQ(programState().CurrentMouseFunction, kSelectionFunction);
    EXPECT_EQ(progressText(), mouseFunctionName(kSelectionFunction));
}

TEST_F(DisplayCommandsTest, MenusShowInOrderWithTheirCaptionsAndTags)
{
    TKV_Display* window = CreateImageWindow();
    EXPECT_EQ(menuBarTitles(),
              (QStringList{"&File", "&View", "&Edit", "&Image Process", "&Window", "&About"}));
    const DisplayCommands& commands = *displayCommandsOf(*window);
    EXPECT_EQ(captionsAndTags(commands.KV_DM_Edit),
              (QStringList{"Copy Active Image to Clipboard=0", "Copy Selection Area to Clipboard=1", "-",
                           "Paste to Active Image [Overwrite]=2", "Paste to Active Selection Area=3",
                           "Paste Clipboard as New Image=4", "-", "Define Image Selection Area=0"}));
    EXPECT_EQ(captionsAndTags(commands.KV_DM_ImageProcess),
              (QStringList{"Sharpen Image>", "Soften Image>", "Edge Extraction>", "Blur Image [Fixed]=0",
                           "Mirror Image>", "Rotate Image>", "Return Negative=0", "Return GreyScale=0",
                           "Convert Depth>"}));
    EXPECT_EQ(captionsAndTags(commands.KV_DM_Edge).first(), "Level 1=1");
    EXPECT_EQ(captionsAndTags(commands.KV_DM_Soften).last(), "Level 10=10");
    EXPECT_EQ(captionsAndTags(commands.KV_DM_Rotate),
              (QStringList{"90=90", "180=180", "270=270", "-", "1=1", "2=2", "5=5", "10=10", "-", "-1=-1",
                           "-2=-2", "-5=-5", "-10=-10", "Custom Value [ Pref ]=99"}));
    EXPECT_EQ(captionsAndTags(commands.KV_DM_Convertto),
              (QStringList{"Force to 1 Bit=5", "Force to 4 Bit=6", "Force to 8 Bit=7", "Force to 24 Bit=8",
                           "Map to Common Palette=9"}));
    EXPECT_EQ(captionsAndTags(commands.KV_UD_CutPaste),
              (QStringList{"Drag this Image [ Enable Drag Mode ]=0", "-", "Copy this Image to Clipboard=1",
                           "Copy this Selection Area to Clipboard=2", "-",
                           "Paste Clipboard to Active Image [ Overwrite ]=3",
                           "Paste Clipboard  to Active Selection Area=4", "Paste Clipboard as New Image=5",
                           "-", "Create New Image from this Selection Set=6", "-",
                           "Undo - Restore Undo Image=7", "-", "Help=8"}));
    EXPECT_EQ(commands.KV_UD_CP_Help->shortcut(), QKeySequence(Qt::Key_F1));
    // A right click on the picture opens it.
    emit window->ChildPicbuf->customContextMenuRequested(QPoint(5, 5));
    EXPECT_TRUE(commands.KV_UD_CutPaste->isVisible());
    commands.KV_UD_CutPaste->hide();
}

} // namespace
} // namespace vask
