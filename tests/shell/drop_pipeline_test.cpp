#include "controls/component_tag.h"
#include "controls/control_drag.h"
#include "dragdrop/drop_pipeline.h"
#include "imagewin/drag_selection_window.h"
#include "shell/tool_palette.h"
#include "tests/shell/program_fixture.h"
#include "utilities/annotation_page.h"
#include "utilities/depth_page.h"
#include "utilities/drag_drop_options_page.h"
#include "utilities/utilities_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolButton>

#include <memory>

namespace vask {
namespace {

constexpr quint32 kRedWindows = 0x0000FF; // red in the low byte
constexpr quint32 kWhiteWindows = 0xFFFFFF;

class DropPipeline : public ImageStore {
protected:
    DragDropOptionsPage& options() { return *windows().KV_UTilities->dragDropOptionsPage; }
    TKV_DragSelection& floating() { return *windows().KV_DragSelection; }
    ControlDrag& layer() { return ControlDrag::instance(); }
    // Drags source over the window's picture and lets it go there.
    bool dropOn(TKV_Display* target, QWidget* source, QPoint at)
    {
        layer().beginDrag(source);
        const bool accepted = layer().dragOver(target->ChildPicbuf->viewport(), at);
        layer().drop(target->ChildPicbuf->viewport(), at);
        return accepted;
    }
    bool acceptedOver(QWidget* target, QWidget* source, QPoint at = {20, 20})
    {
        layer().beginDrag(source);
        const bool accepted = layer().dragOver(target, at);
        layer().cancel();
        return accepted;
    }
};

// One 8-bit picture dropped on a 4-bit one under each combination of the compatibility boxes.
struct EqualiseCase {
    const char* name;
    bool autoEqualise;
    bool raise24;
    bool equaliseDepths;
    bool remap;
    int sourceDepth;
    int destinationDepth;
    bool sourceTakesDestinationPalette;
};

class DropEqualising : public DropPipeline, public ::testing::WithParamInterface<EqualiseCase> {};

TEST_P(DropEqualising, MakesThePicturesCompatibleAsTheBoxesSay)
{
    const EqualiseCase& c = GetParam();
    options().KV_UT_DragDrop_DragSelectionasImage->setChecked(false);
    options().KV_UT_DragDrop_AutoEqualise->setChecked(c.autoEqualise);
    options().KV_UT_DragDrop_Raise24->setChecked(c.raise24);
    options().KV_UT_DragDrop_EBitDepths->setChecked(c.equaliseDepths);
    options().KV_UT_DragDrop_Remap->setChecked(c.remap);
    TKV_Display* source = showPicture(test::palettePicture(40, 30, 8, 7));
    TKV_Display* destination = showPicture(test::palettePicture(50, 40, 4, 9));
    destination->ChildPicbuf->setResizeMode(1);
    destination->ChildPicbuf->setAssignMode(1);

    EXPECT_TRUE(dropOn(destination, source->ChildPicbuf, {10, 10}));

    EXPECT_EQ(source->ChildPicbuf->ColorDepth(), c.sourceDepth);
    EXPECT_EQ(destination->ChildPicbuf->ColorDepth(), c.destinationDepth);
    if (c.sourceTakesDestinationPalette) {
        EXPECT_EQ(source->ChildPicbuf->GetPaletteEntries(), destination->ChildPicbuf->GetPaletteEntries());
    }
    // "Set Modes to Resize" acts only through the master switch.
    EXPECT_EQ(destination->ChildPicbuf->ResizeMode(), c.autoEqualise ? 3 : 1);
    EXPECT_EQ(destination->ChildPicbuf->AssignMode(), c.autoEqualise ? 3 : 1);
    expectIdle();
    EXPECT_EQ(programState().DropInProgress, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, DropEqualising,
    ::testing::Values(
        EqualiseCase{"AutoEqualiseOffChangesNothing", false, true, true, true, 8, 4, false},
        EqualiseCase{"RaiseTo24RaisesBoth", true, true, true, true, 24, 24, false},
        EqualiseCase{"EqualiseAndRemapTakeDestinationDepthAndPalette", true, false, true, true, 4, 4, true},
        EqualiseCase{"EqualiseWithoutRemapKeepsDepthOnly", true, false, true, false, 4, 4, false},
        EqualiseCase{"NeitherKeepsTheSource", true, false, false, false, 8, 4, false}),
    [](const ::testing::TestParamInfo<EqualiseCase>& info) { return std::string(info.param.name); });

TEST_F(DropPipeline, FloatingPasteLandsOnePixelRightAndTwoDownOfTheDropPoint)
{
    TKV_Display* source = showPicture(createImage(24, 10, 10, Rgb{0xFFFF0000}));
    source->ChildPicbuf->setSelection({0, 0, 6, 5});
    // Larger than the view at 1 : 1, so the picture starts at the control's corner.
    TKV_Display* destination = showPicture(createImage(24, 1200, 900, Rgb{0xFFFFFFFF}));
    TPicbuf& target = *destination->ChildPicbuf;
    target.setAutoScale(false);
    target.setScaleImage(1);
    target.setScaleScreen(1);
    target.PanImage(0, 0, 0, 0);

    dropOn(destination, source->ChildPicbuf, {30, 40});

    EXPECT_EQ(target.SelectLeft(), 31);
    EXPECT_EQ(target.SelectTop(), 42);
    EXPECT_EQ(target.SelectWidth(), 6);
    EXPECT_EQ(target.SelectHeight(), 5);
    EXPECT_EQ(target.GetPixel(31, 42), kRedWindows);
    EXPECT_EQ(target.GetPixel(36, 46), kRedWindows);
    EXPECT_EQ(target.GetPixel(30, 42), kWhiteWindows);
    EXPECT_EQ(target.GetPixel(31, 41), kWhiteWindows);
    EXPECT_EQ(target.GetPixel(37, 42), kWhiteWindows);
}

TEST_F(DropPipeline, SelfDropIsRefusedOnlyWhilePreventSelfIsChecked)
{
    TKV_Display* window = showPicture(createImage(24, 20, 20, Rgb{0xFF00FF00}));
    options().KV_UT_DragDrop_PSelf->setChecked(true);
    EXPECT_FALSE(dropOn(window, window->ChildPicbuf, {5, 5}));
    EXPECT_EQ(programState().DropInProgress, 0);
    EXPECT_EQ(window->ChildPicbuf->ResizeMode(), 0) << "nothing was prepared for a paste";

    options().KV_UT_DragDrop_DragSelectionasImage->setChecked(false);
    options().KV_UT_DragDrop_PSelf->setChecked(false);
    EXPECT_TRUE(dropOn(window, window->ChildPicbuf, {5, 5}));
    EXPECT_EQ(window->ChildPicbuf->ResizeMode(), 3);
}

TEST_F(DropPipeline, ASecondDropWhileOneIsInProgressIsIgnored)
{
    options().KV_UT_DragDrop_DragSelectionasImage->setChecked(false);
    TKV_Display* first = showPicture(createImage(24, 20, 20, Rgb{0xFFFF0000}));
    TKV_Display* second = showPicture(createImage(8, 20, 20, Rgb{0xFF0000FF}));
    TKV_Display* destination = showPicture(createImage(24, 20, 20, Rgb{0xFFFFFFFF}));

    destination->ChildPicbufDragDrop(first->ChildPicbuf, 3, 3);
    EXPECT_EQ(programState().DropInProgress, 1);
    const Image afterFirst = destination->ChildPicbuf->image();
    EXPECT_EQ(destination->ChildPicbuf->GetPixel(10, 10), kRedWindows);

    bool accept = true;
    destination->ChildPicbufDragOver(second->ChildPicbuf, 3, 3, accept);
    destination->ChildPicbufDragDrop(second->ChildPicbuf, 3, 3);
    EXPECT_TRUE(test::sameColours(destination->ChildPicbuf->image(), afterFirst));
    EXPECT_EQ(second->ChildPicbuf->ColorDepth(), 8) << "the second source was not raised";

    first->ChildPicbufEndDrag(destination->ChildPicbuf, 3, 3);
    EXPECT_EQ(programState().DropInProgress, 0);
    expectIdle();
}

TEST_F(DropPipeline, FloatingImageFollowsThePointerAtTheDestinationsScale)
{
    TKV_Display* source = showPicture(createImage(24, 40, 40, Rgb{0xFFFF0000}));
    source->ChildPicbuf->setSelection({0, 0, 12, 8});
    PrepareDragImage(*source->ChildPicbuf);
    EXPECT_EQ(floating().KV_DS_Image->Xresolution(), 100);
    EXPECT_EQ(floating().KV_DS_Image->GetPixel(50, 50), kRedWindows);
    TKV_Display* destination = showPicture(createImage(24, 40, 40, Rgb{0xFFFFFFFF}));
    destination->ChildPicbuf->setAutoScale(false);
    destination->ChildPicbuf->setScaleImage(1);
    destination->ChildPicbuf->setScaleScreen(2);

    layer().beginDrag(source->ChildPicbuf);
    for (const QPoint at : {QPoint(15, 25), QPoint(60, 70)}) {
        EXPECT_TRUE(layer().dragOver(destination->ChildPicbuf->viewport(), at));
        EXPECT_TRUE(floating().isVisible());
        EXPECT_TRUE(floating().KV_DS_Image->isVisibleTo(&floating()));
        EXPECT_EQ(floating().pos(), destination->ChildPicbuf->viewport()->mapToGlobal(at) + QPoint(1, 1));
        EXPECT_EQ(floating().size(), QSize(24, 16));
    }
    layer().cancel();
    EXPECT_FALSE(floating().isVisible());
    expectIdle();
}

TEST_F(DropPipeline, TextBoxIsAcceptedByImageWindowsAndRefusedByTheFrame)
{
    TKV_Display* window = showPicture(createImage(24, 40, 40, Rgb{0xFFFFFFFF}));
    QPlainTextEdit* memo = windows().KV_UTilities->annotationPage->KV_UT_Annotation_Text;
    EXPECT_TRUE(acceptedOver(window->ChildPicbuf->viewport(), memo));
    EXPECT_FALSE(acceptedOver(area()->viewport(), memo));
    layer().beginDrag(memo);
    layer().dragOver(window->ChildPicbuf->viewport(), {5, 5});
    EXPECT_TRUE(floating().KV_DS_Text->isVisibleTo(&floating()));
    EXPECT_FALSE(floating().KV_DS_Image->isVisibleTo(&floating()));
    layer().cancel();
}

TEST_F(DropPipeline, DroppedTextIsDrawnIntoTheSelectionMovedToTheDropPoint)
{
    TKV_Display* window = showPicture(createImage(24, 1200, 900, Rgb{0xFFFFFFFF}));
    TPicbuf& target = *window->ChildPicbuf;
    target.setAutoScale(false);
    target.setScaleImage(1);
    target.setScaleScreen(1);
    target.PanImage(0, 0, 0, 0);
    target.setSelection({0, 0, 80, 40});
    QPlainTextEdit* memo = windows().KV_UTilities->annotationPage->KV_UT_Annotation_Text;
    memo->setPlainText(QStringLiteral("MM"));
    windows().KV_UTilities->annotationPage->KV_UT_Annotation_AutoSize->setChecked(true);

    EXPECT_TRUE(dropOn(window, memo, {100, 200}));

    EXPECT_EQ(target.selection().left, 101);
    EXPECT_EQ(target.selection().top, 202);
    EXPECT_EQ(target.SelectWidth(), 80) << "the selection keeps its size";
    int darkInside = 0;
    int changedOutside = 0;
    for (int y = 150; y < 300; ++y)
        for (int x = 50; x < 250; ++x) {
            const bool inside = x >= 101 && x < 181 && y >= 202 && y < 242;
            const bool dark = (target.GetPixel(x, y) & 0xFF) < 0x80;
            if (inside && dark)
                ++darkInside;
            if (!inside && target.GetPixel(x, y) != kWhiteWindows)
                ++changedOutside;
        }
    EXPECT_GT(darkInside, 50);
    EXPECT_EQ(changedOutside, 0);
    EXPECT_EQ(programState().DropInProgress, 0);
}

TEST_F(DropPipeline, LeadControlIsRefusedByImageWindowsAndAcceptedByTheFrame)
{
    TKV_Display* window = showPicture(createImage(24, 40, 40, Rgb{0xFFFFFFFF}));
    auto lead = std::make_unique<TLeadCtrl>();
    EXPECT_FALSE(acceptedOver(window->ChildPicbuf->viewport(), lead.get()));
    EXPECT_TRUE(acceptedOver(area()->viewport(), lead.get()));
}

// A picture dropped on the empty background opens at the drop point, wherever the palette is.
struct BackgroundCase {
    const char* name;
    PaletteDock dock;
    bool fromImageWindow;
    const char* caption;
};

class BackgroundDrop : public DropPipeline, public ::testing::WithParamInterface<BackgroundCase> {};

TEST_P(BackgroundDrop, OpensANewWindowAtTheDropPoint)
{
    const BackgroundCase& c = GetParam();
    master().KV_Top_Tool_Palette->dockAt(c.dock);
    TPicbuf* source = nullptr;
    if (c.fromImageWindow) {
        source = showPicture(createImage(24, 30, 20, Rgb{0xFFFF0000}))->ChildPicbuf;
        source->setFileName(path(QStringLiteral("holiday.bmp")));
    } else {
        source = windows().KV_UTilities->depthPage->KV_UT_Depth_Preview;
        source->setImage(createImage(24, 30, 20, Rgb{0xFFFF0000}));
    }
    const qsizetype before = imageWindowCount();
    const QPoint at(150, 120);

    layer().beginDrag(source);
    EXPECT_TRUE(layer().dragOver(area()->viewport(), at));
    layer().drop(area()->viewport(), at);

    ASSERT_EQ(imageWindowCount(), before + 1);
    QMdiSubWindow* made = area()->subWindowList().last();
    EXPECT_EQ(made->widget()->windowTitle(), QString::fromLatin1(c.caption));
    EXPECT_EQ(made->pos(), at);
    auto* display = qobject_cast<TKV_Display*>(made->widget());
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->ChildPicbuf->Xresolution(), 30);
    EXPECT_EQ(display->ChildPicbuf->GetPixel(5, 5), kRedWindows);
    programState().DropInProgress = 0;
}

INSTANTIATE_TEST_SUITE_P(
    Sources, BackgroundDrop,
    ::testing::Values(BackgroundCase{"ImageWindowPaletteTop", PaletteDock::Top, true, "[Copy] holiday.bmp"},
                      BackgroundCase{"ImageWindowPaletteLeft", PaletteDock::Left, true, "[Copy] holiday.bmp"},
                      BackgroundCase{"UtilityImagePaletteBottom", PaletteDock::Bottom, false,
                                     "Dropped Image"}),
    [](const ::testing::TestParamInfo<BackgroundCase>& info) { return std::string(info.param.name); });

TEST_F(DropPipeline, DragButtonArmsThePictureAndTheResetButtonLeavesDragMode)
{
    TKV_Display* window = showPicture(createImage(24, 20, 20, Rgb{0xFFFF0000}));
    const QList<QToolButton*> ddButtons = [&] {
        QList<QToolButton*> found;
        for (QToolButton* button : windows().KV_UTilities->findChildren<QToolButton*>())
            if (button->text() == QStringLiteral("DD"))
                found << button;
        return found;
    }();
    ASSERT_FALSE(ddButtons.isEmpty());

    master().SetMouseFunction(master().KV_Masterform_Drag_Icon);
    EXPECT_EQ(programState().CurrentMouseFunction, kDragDropFunction);
    EXPECT_EQ(layer().dragMode(window->ChildPicbuf), ControlDrag::DragMode::Automatic);
    EXPECT_FALSE(master().KV_Masterform_Drag_Icon->isEnabled());
    for (QToolButton* button : ddButtons)
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    EXPECT_EQ(progressText(), QStringLiteral("Drag and Drop Image"));

    programState().DropInProgress = 1;
    master().SetMouseFunction(master().KV_Masterform_ResetMouse_Icon);
    EXPECT_EQ(programState().DropInProgress, 0);
    EXPECT_TRUE(master().KV_Masterform_Drag_Icon->isEnabled());
    for (QToolButton* button : ddButtons)
        EXPECT_TRUE(button->isEnabled());
    expectIdle();
}

} // namespace
} // namespace vask
