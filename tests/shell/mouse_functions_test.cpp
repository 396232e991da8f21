#include "program_fixture.h"

#include "engine/ops/composite/draw_lines.h"
#include "imagewin/display_mouse.h"
#include "imagewin/drag_selection_window.h"
#include "processing/annotation.h"
#include "shell/status_routines.h"
#include "utilities/utilities_window.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStyle>
#include <QTest>

#include <array>

namespace vask {
namespace {

constexpr Rgb kPictureColour = 0xFF336699;
const QString kSelectionName = QStringLiteral("Set Selection Area [+ ALT for no Selection Image update]");

// An image window showing a plain picture at 1:1 from its top-left corner, so a control pixel
// names the same image pixel until the view scrolls.
class MouseFunctions : public ImageStore {
protected:
    void SetUp() override
    {
        ImageStore::SetUp();
        ASSERT_NE(windows().KV_UTilities, nullptr);
        mouseDragState() = MouseDragState{};
    }
    TPicbuf* showPlainPicture(int width = 400, int height = 300)
    {
        TPicbuf* picture = showPicture(createImage(24, width, height, kPictureColour))->ChildPicbuf;
        picture->setAutoScale(false);
        picture->setScaleImage(1);
        picture->setScaleScreen(1);
        picture->setScrollBars(3);
        // Changing the scale keeps the centre in view; the tests start from the corner.
        picture->PanImage(0, 0, 0, 0);
        QCoreApplication::processEvents();
        return picture;
    }
    template <typename Control> Control* utility(const char* name)
    {
        auto* control = windows().KV_UTilities->findChild<Control*>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    void check(const char* name, bool on) { utility<QCheckBox>(name)->setChecked(on); }
    // Left, top, width, height in image pixels.
    static std::array<int, 4> selectionOf(const TPicbuf* picture)
    {
        return {picture->SelectLeft(), picture->SelectTop(), picture->SelectWidth(), picture->SelectHeight()};
    }
    QString panel(int index) { return master().KV_MF_Statuspanel->panelText(index); }

    static void press(TPicbuf* picture, QPoint at, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers shift = {})
    {
        QTest::mousePress(picture->viewport(), button, shift, at);
    }
    static void release(TPicbuf* picture, QPoint at, Qt::MouseButton button = Qt::LeftButton,
                        Qt::KeyboardModifiers shift = {})
    {
        QTest::mouseRelease(picture->viewport(), button, shift, at);
    }
    // QTest cannot say which buttons are held during a move; the event is sent as the system
    // would deliver it.
    static void move(TPicbuf* picture, QPoint at, Qt::MouseButtons held = Qt::LeftButton,
                     Qt::KeyboardModifiers shift = {})
    {
        QWidget* viewport = picture->viewport();
        QMouseEvent event(QEvent::MouseMove, QPointF(at), viewport->mapToGlobal(QPointF(at)), Qt::NoButton,
                          held, shift);
        QCoreApplication::sendEvent(viewport, &event);
    }
    // Pixels along a row of the rendered control that differ from the picture's colour.
    static int markedPixels(TPicbuf* picture, int y, int fromX, int toX)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QImage shown = picture->viewport()->grab().toImage();
        int marked = 0;
        for (int x = fromX; x <= toX; ++x)
            marked += shown.pixel(x, y) != QColor(0x33, 0x66, 0x99).rgb();
        return marked;
    }
};

struct SelectionCase {
    const char* name;
    QPoint from;
    QPoint to;
    Qt::KeyboardModifiers shift;
    bool floatingImageUpdated;
};

class SelectionDrag : public MouseFunctions, public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(SelectionDrag, ReportsTheAreaLiveAndEndsWithTheFloatingImageUnlessAltIsHeld)
{
    const SelectionCase& run = GetParam();
    TPicbuf* picture = showPlainPicture();
    ASSERT_EQ(picture->ScreenToImageX(20), 20);
    check("KV_UT_DragDrop_DragSelectionasImage", true);
    TPicbuf* floating = windows().KV_DragSelection->KV_DS_Image;
    floating->ClearImage();
    programState().CurrentMouseFunction = kSelectionFunction;

    press(picture, run.from);
    move(picture, run.to, Qt::LeftButton, run.shift);
    EXPECT_EQ(panel(3), QStringLiteral(" [ T:30 L:20 W:40 H:40 ]"));
    EXPECT_EQ(panel(4), kSelectionName);
    EXPECT_EQ(panel(1), QStringLiteral("X: %1 Y: %2 [400x300]").arg(run.to.x()).arg(run.to.y()));
    EXPECT_EQ(applicationCursorIndex(), kSelectionCursor);
    // The outline shows on the control; the picture's pixels stay as they were.
    EXPECT_GT(markedPixels(picture, 30, 21, 59), 0);
    EXPECT_EQ(picture->image().pixelColour(40, 30), kPictureColour);

    release(picture, run.to, Qt::LeftButton, run.shift);
    EXPECT_EQ(selectionOf(picture), (std::array<int, 4>{20, 30, 40, 40}));
    EXPECT_EQ(markedPixels(picture, 30, 21, 59), 0);
    EXPECT_EQ(mouseDragState().RubberBand, RubberBandRect{});
    EXPECT_EQ(floating->Contents(), run.floatingImageUpdated ? 1 : 0);
    // The thumbnail shows the selected area, not its cyan background.
    if (run.floatingImageUpdated) {
        EXPECT_EQ(floating->image().pixelColour(50, 50), kPictureColour);
    }
    expectIdle();
}

INSTANTIATE_TEST_SUITE_P(
    BothDirections, SelectionDrag,
    ::testing::Values(SelectionCase{"DownRight", {20, 30}, {60, 70}, {}, true},
                      SelectionCase{"UpLeft", {60, 70}, {20, 30}, {}, true},
                      SelectionCase{"DownRightWithAlt", {20, 30}, {60, 70}, Qt::AltModifier, false},
                      SelectionCase{"UpLeftWithAlt", {60, 70}, {20, 30}, Qt::AltModifier, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MouseFunctions, RightButtonReleaseLeavesTheSelectionGoingAndTheNextOneStartsClean)
{
    TPicbuf* picture = showPlainPicture();
    programState().CurrentMouseFunction = kSelectionFunction;
    press(picture, {20, 30});
    move(picture, {60, 70});
    master().KV_MF_Statuspanel->setPanelText(3, QStringLiteral("marker"));
    release(picture, {60, 70}, Qt::RightButton);
    EXPECT_EQ(programState().CurrentMouseFunction, kSelectionFunction);
    EXPECT_EQ(panel(3), QStringLiteral("marker"));
    EXPECT_GT(markedPixels(picture, 30, 21, 59), 0);

    release(picture, {60, 70});
    EXPECT_EQ(programState().CurrentMouseFunction, kNoFunction);
    EXPECT_EQ(markedPixels(picture, 30, 21, 59), 0);

    programState().CurrentMouseFunction = kSelectionFunction;
    press(picture, {100, 100});
    move(picture, {110, 110});
    EXPECT_EQ(markedPixels(picture, 30, 21, 59), 0);
    EXPECT_GT(markedPixels(picture, 100, 101, 109), 0);
    release(picture, {110, 110});
}

struct PanCase {
    const char* name;
    int x; // negative: counted from the control's width less the scroll-thumb size
    int y;
    bool pans;
};

class PanLimits : public MouseFunctions, public ::testing::WithParamInterface<PanCase> {};

TEST_P(PanLimits, PanningStopsAtTheTopLeftAndInsideTheScrollThumbMargin)
{
    const PanCase& run = GetParam();
    TPicbuf* picture = showPlainPicture(1000, 1000);
    picture->PanImage(300, 300, 0, 0);
    ASSERT_EQ(picture->ScreenToImageX(0), 300);
    const int thumb = picture->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, picture);
    const int x = run.x >= 0 ? run.x : picture->width() - thumb + run.x + 1;
    const int y = run.y >= 0 ? run.y : picture->height() - thumb + run.y + 1;
    programState().CurrentMouseFunction = kPanFunction;

    press(picture, {10, 10});
    move(picture, {x, y});
    if (run.pans) {
        EXPECT_EQ(picture->ScreenToImageX(x), 310);
        EXPECT_EQ(picture->ScreenToImageY(y), 310);
    } else {
        EXPECT_EQ(picture->ScreenToImageX(0), 300);
        EXPECT_EQ(picture->ScreenToImageY(0), 300);
    }
    release(picture, {x, y});
    EXPECT_EQ(programState().CurrentMouseFunction, kPanFunction);
}

INSTANTIATE_TEST_SUITE_P(Margins, PanLimits,
                         ::testing::Values(PanCase{"Inside", 5, 5, true}, PanCase{"LeftEdge", 0, 5, false},
                                           PanCase{"TopEdge", 5, 0, false},
                                           PanCase{"LastColumnBeforeThumb", -2, 5, true},
                                           PanCase{"IntoRightThumbMargin", -1, 5, false},
                                           PanCase{"IntoBottomThumbMargin", 5, -1, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MouseFunctions, DynamicZoomCopiesTheAreaAroundThePointerOnlyWhileTheLeftButtonIsHeld)
{
    TPicbuf* picture = showPlainPicture();
    TPicbuf* zoom = utility<TPicbuf>("KV_UT_Zoom_ZoomImage");
    zoom->ClearImage();
    utility<QSpinBox>("KV_UT_Zoom_ZoomWidth")->setValue(75);
    utility<QSpinBox>("KV_UT_Zoom_ZoomHeight")->setValue(75);
    programState().CurrentMouseFunction = kDynamicZoomFunction;

    move(picture, {10, 10}, Qt::NoButton);
    EXPECT_EQ(selectionOf(picture), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(zoom->Contents(), 0);
    EXPECT_EQ(panel(4), QStringLiteral("Dynamic Zoom"));

    move(picture, {10, 10}, Qt::LeftButton);
    EXPECT_EQ(selectionOf(picture), (std::array<int, 4>{-27, -27, 75, 75}));
    EXPECT_EQ(zoom->Contents(), 1);
    EXPECT_EQ(zoom->image().pixelColour(zoom->Xresolution() - 1, zoom->Yresolution() - 1), kPictureColour);
}

struct LineCase {
    const char* name;
    bool arrows;
    bool doubleArrows;
    bool defaultWidth;
    ArrowHeads heads;
    int width;
};

class LineDrawing : public MouseFunctions, public ::testing::WithParamInterface<LineCase> {};

TEST_P(LineDrawing, ReleaseDrawsTheLineInTheFontColourWithTheChosenHeads)
{
    const LineCase& run = GetParam();
    TPicbuf* picture = showPlainPicture();
    const Image before = picture->image();
    check("KV_UT_Annotation_WithArrows", run.arrows);
    check("KV_UT_Annotation_DoubleArrows", run.doubleArrows);
    check("KV_UT_Annotation_PrefWidth", run.defaultWidth);
    utility<QSpinBox>("KV_UT_Annotation_LineWidth")->setValue(5);
    auto* text = utility<QPlainTextEdit>("KV_UT_Annotation_Text");
    QPalette colours = text->palette();
    colours.setColor(QPalette::Text, QColor(255, 0, 0));
    text->setPalette(colours);
    programState().CurrentMouseFunction = kDrawLinesFunction;

    press(picture, {20, 20});
    move(picture, {120, 80});
    EXPECT_TRUE(test::sameColours(picture->image(), before));
    EXPECT_EQ(panel(4), QStringLiteral("Draw Arrows or Lines"));
    release(picture, {120, 80});

    Image expected = before;
    const Point ends[] = {{20, 20}, {120, 80}};
    drawLines(expected, ends, run.width, Rgb{0xFFFF0000}, run.heads);
    EXPECT_TRUE(test::sameColours(picture->image(), expected));
    EXPECT_FALSE(test::sameColours(picture->image(), before));
    expectIdle();
}

INSTANTIATE_TEST_SUITE_P(
    Arrows, LineDrawing,
    ::testing::Values(LineCase{"SingleHead", true, false, true, ArrowHeads::AtEnd, 1},
                      LineCase{"DoubleHeads", true, true, true, ArrowHeads::AtBothEnds, 1},
                      LineCase{"NoHeadWhateverDoubleShows", false, true, true, ArrowHeads::None, 1},
                      LineCase{"PlainLine", false, false, true, ArrowHeads::None, 1},
                      LineCase{"LineWidthWhenNotDefault", false, false, false, ArrowHeads::None, 5}),
    [](const auto& info) { return std::string(info.param.name); });

// The leftmost column in the area where the text changed the picture; -1 when none did.
int firstMarkedColumn(const Image& picture, const Rect& area)
{
    for (int x = area.left; x < area.left + area.width; ++x) {
        for (int y = area.top; y < area.top + area.height; ++y) {
            if (picture.pixelColour(x, y) != kPictureColour)
                return x;
        }
    }
    return -1;
}

TEST_F(MouseFunctions, AnnotationTextIsLeftJustifiedOrCentredAndTheBackgroundIsSilverAgain)
{
    TPicbuf* picture = showPlainPicture();
    auto* text = utility<QPlainTextEdit>("KV_UT_Annotation_Text");
    text->setPlainText(QStringLiteral("Hi"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(20);
    text->setFont(font);
    QPalette colours = text->palette();
    colours.setColor(QPalette::Text, QColor(0, 0, 0));
    colours.setColor(QPalette::Base, QColor(255, 255, 0));
    text->setPalette(colours);
    const Rect area{10, 10, 300, 40};
    int firstColumn[2] = {};
    for (const bool leftJustify : {true, false}) {
        picture->setImage(createImage(24, 400, 300, kPictureColour));
        picture->setSelection(area);
        DrawAnnotationText(*picture, *text, true, leftJustify, false, false, true, false);
        EXPECT_EQ(picture->BackColor(), QColor(0xC0, 0xC0, 0xC0));
        firstColumn[leftJustify ? 0 : 1] = firstMarkedColumn(picture->image(), area);
    }
    // "Hi" at 20 pixels is far narrower than half the area.
    ASSERT_GE(firstColumn[0], 0);
    EXPECT_LT(firstColumn[0], area.left + 20);
    EXPECT_GT(firstColumn[1], area.left + 100);
    EXPECT_LT(firstColumn[1], area.left + area.width / 2);
}

TEST_F(MouseFunctions, NothingHappensWhileADropIsComposed)
{
    TPicbuf* picture = showPlainPicture();
    programState().CurrentMouseFunction = kSelectionFunction;
    programState().DropInProgress = 1;
    for (int index = 1; index <= 4; ++index)
        master().KV_MF_Statuspanel->setPanelText(index, QStringLiteral("marker"));

    press(picture, {20, 30});
    move(picture, {60, 70});
    release(picture, {60, 70});
    EXPECT_EQ(mouseDragState().DownPoint, QPoint());
    EXPECT_EQ(mouseDragState().rubberBandCanvas, nullptr);
    EXPECT_EQ(selectionOf(picture), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(programState().CurrentMouseFunction, kSelectionFunction);
    for (int index = 1; index <= 4; ++index)
        EXPECT_EQ(panel(index), QStringLiteral("marker")) << index;
    programState().DropInProgress = 0;
}

} // namespace
} // namespace vask

namespace vask {
namespace {

TEST_F(ImageStore, UtilityButtonsChooseZoomAndLinesAndTheAnnotationLook)
{
    TKV_UTilities* utilities = windows().KV_UTilities;
    auto* zoom = utilities->findChild<QAbstractButton*>(QStringLiteral("KV_UT_Zoom_ActivateZoom"));
    auto* arrows = utilities->findChild<QAbstractButton*>(QStringLiteral("KV_UT_Annotation_DrawArrows"));
    // Without an image window the zoom button changes nothing.
    zoom->click();
    EXPECT_EQ(programState().CurrentMouseFunction, kNoFunction);
    showPicture(createImage(24, 40, 30, Rgb{0xFF808080}));
    zoom->click();
    EXPECT_EQ(programState().CurrentMouseFunction, kDynamicZoomFunction);
    EXPECT_EQ(progressText(), QStringLiteral("Dynamic Zoom"));
    arrows->click();
    EXPECT_EQ(programState().CurrentMouseFunction, kDrawLinesFunction);
    EXPECT_EQ(progressText(), QStringLiteral("Draw Arrows or Lines"));

    // Fonts: the font, then its colour; Back Color: the memo's background.
    QFont chosen(QStringLiteral("Arial"));
    chosen.setPixelSize(30);
    std::deque<DialogAnswer> answers = {DialogAnswer{true, {}, {}, chosen},
                                        DialogAnswer{true, {}, QColor(200, 0, 0), {}},
                                        DialogAnswer{true, {}, QColor(0, 0, 150), {}}};
    DialogService::instance().setResponder([&](const DialogRequest&) {
        DialogAnswer next = answers.front();
        answers.pop_front();
        return next;
    });
    utilities->findChild<QAbstractButton*>(QStringLiteral("KV_UT_Annotation_Callupfonts"))->click();
    utilities->findChild<QAbstractButton*>(QStringLiteral("KV_UT_Annotation_BckColor"))->click();
    auto* memo = utilities->findChild<QPlainTextEdit*>(QStringLiteral("KV_UT_Annotation_Text"));
    EXPECT_EQ(memo->font().pixelSize(), 30);
    EXPECT_EQ(memo->palette().color(QPalette::Text), QColor(200, 0, 0));
    EXPECT_EQ(memo->palette().color(QPalette::Base), QColor(0, 0, 150));
    EXPECT_TRUE(answers.empty());
}

} // namespace
} // namespace vask
