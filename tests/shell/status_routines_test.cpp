#include "program_fixture.h"

#include "controls/control_drag.h"
#include "imagewin/drag_selection_window.h"
#include "imagewin/full_screen_window.h"
#include "shell/busy_command.h"
#include "shell/fault_report.h"
#include "shell/shell_routines.h"
#include "shell/status_routines.h"

#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <stdexcept>

namespace vask {
namespace {

using StatusRoutines = ProgramTest;

TEST_F(StatusRoutines, EachMouseFunctionShowsItsNameAndCursorAndResetEndsIt)
{
    start();
    // The drag sets its own cursor (-1).
    // clang-format off
    struct Function { const char* name; int cursor; };
    const Function functions[] = {
        {"No Function", kDefaultCursor},
        {"Set Selection Area [+ ALT for no Selection Image update]", kSelectionCursor},
        {"Pan the Image", kGrabHandCursor}, {"Dynamic Zoom", kZoomCursor}, {"Drag and Drop Image", -1},
        {"Draw Arrows or Lines", kDArrowCursor}};
    // clang-format on
    StatusPanelBar* bar = master().KV_MF_Statuspanel;
    for (int function = 0; function <= 5; ++function) {
        ShowMouseFunction(function, bar);
        EXPECT_EQ(bar->panelText(4), QString::fromLatin1(functions[function].name)) << function;
        if (functions[function].cursor >= 0) {
            SetMouseCursor(function);
            EXPECT_EQ(applicationCursorIndex(), functions[function].cursor) << function;
        }
    }

    programState().CurrentMouseFunction = kDynamicZoomFunction;
    programState().DropInProgress = 1;
    master().KV_Masterform_ResetMouse_Icon->click();
    EXPECT_EQ(programState().AbortRequested, 1);
    EXPECT_EQ(programState().DropInProgress, 0);
    expectIdle();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(StatusRoutines, SelectionDraggedEitherWayReadsTheSameAreaAndThePointerFillsThreePanels)
{
    start();
    TPicbuf picture(&master());
    picture.resize(300, 200);
    picture.setImage(createImage(24, 640, 480, Rgb{0xFF808080}));
    picture.setAutoScale(false);
    picture.setScaleImage(1);
    picture.setScaleScreen(2); // two screen pixels per image pixel
    StatusPanelBar* bar = master().KV_MF_Statuspanel;
    // At 2 : 1 the screen rectangle 100 x 60 is 50 x 30 picture pixels, wherever the view is scrolled.
    const QRect selected(picture.ScreenToImageX(20), picture.ScreenToImageY(30), 50, 30);
    const QString expected =
        QStringLiteral(" [ T:%1 L:%2 W:50 H:30 ]").arg(selected.top()).arg(selected.left());
    for (const QRect dragged :
         {QRect(QPoint(20, 30), QPoint(120, 90)), QRect(QPoint(120, 90), QPoint(20, 30)),
          QRect(QPoint(20, 90), QPoint(120, 30))}) {
        ShowSelectionStatus(picture, dragged, bar);
        EXPECT_EQ(bar->panelText(3), expected);
        EXPECT_EQ(
            QRect(picture.SelectLeft(), picture.SelectTop(), picture.SelectWidth(), picture.SelectHeight()),
            selected);
        const SelectionArea& area = programState().selectionArea;
        EXPECT_EQ(QRect(area.left, area.top, area.width, area.height), selected);
    }

    picture.editableImage().rgbRow(5)[7] = Rgb{0xFF102030};
    picture.imageChanged();
    picture.setSelection(Rect{1, 2, 3, 4});
    const QPointF at = picture.imageToControl(QPointF(7.5, 5.5));
    ShowPointerStatus(picture, static_cast<int>(at.x()), static_cast<int>(at.y()));
    EXPECT_EQ(bar->panelText(1), QStringLiteral("X: 7 Y: 5 [640x480]"));
    EXPECT_EQ(bar->panelText(2), QStringLiteral("R: 16 G: 32 B: 48 [24]"));
    EXPECT_EQ(bar->panelText(3), QStringLiteral(" [ T:2 L:1 W:3 H:4 ] [2 : 1]"));
}

TEST_F(StatusRoutines, FaultInACommandIsReportedBeforeTheIdleTextReturns)
{
    start();
    QString panelWhileReporting;
    bool busyWhileReporting = false;
    DialogService::instance().setResponder([&](const DialogRequest&) {
        panelWhileReporting = progressText();
        busyWhileReporting = applicationCursorIndex() == kCalcCursor;
        return DialogAnswer{true, {}, {}, {}};
    });
    QString panelDuringWork;
    EXPECT_FALSE(runBusyCommand("UDisplay32v1", 458, QStringLiteral("Applying Sharpening"), [&] {
        panelDuringWork = progressText();
        throw std::runtime_error("picture refused");
    }));
    EXPECT_EQ(panelDuringWork, QStringLiteral("Applying Sharpening"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Error:- UDisplay32v1 - Code 458")});
    EXPECT_EQ(panelWhileReporting, QStringLiteral("Applying Sharpening"));
    EXPECT_TRUE(busyWhileReporting);
    EXPECT_EQ(progressText(), QStringLiteral("No Function"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(StatusRoutines, FaultMessagesFollowTheOneFormat)
{
    EXPECT_EQ(faultMessage("UMaster32v1", 185), QStringLiteral("Error:- UMaster32v1 - Code 185"));
    EXPECT_EQ(faultMessage("UIKUtil32v1", 172, QStringLiteral("Cannot read file")),
              QStringLiteral("Error:- UIKUtil32v1 - Code 172 - Cannot read file"));
    guardedHandler(
        "UIKUtil32v1", 222, [] { throw std::runtime_error("disk full"); }, true);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Error:- UIKUtil32v1 - Code 222 - disk full")});
}

TEST_F(StatusRoutines, MissingFileIsToldAndTheNameStillReturned)
{
    const QString name = QStringLiteral("/no/such/folder/VQ32v100.html");
    EXPECT_EQ(CheckFileExists(name), name);
    EXPECT_EQ(messages(),
              QStringList{QStringLiteral("Information:- Cannot find file [ /no/such/folder/VQ32v100.html ].  "
                                         "Please check file is correctly specified.  OK to continue.")});
    DialogService::instance().clearHistory();
    EXPECT_EQ(CheckFileExists(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(StatusRoutines, DesktopRefusalsAreReportedWithTheirCodes)
{
    QStringList opened;
    ShellLauncher refusing;
    refusing.openDocument = [&](const QString& document) {
        opened << document;
        return false;
    };
    refusing.run = [&](const QString& program, const QStringList& arguments, const QString&) {
        opened << program + QLatin1Char(' ') + arguments.join(QLatin1Char(','));
        return false;
    };
    setShellLauncher(refusing);
    ShellOpenDocument(QStringLiteral("/tmp/help.html"));
    ShellRun(QStringLiteral("/usr/bin/tool"), QStringLiteral("-a \"two words\""), QStringLiteral("/tmp"), 5);
    resetShellLauncher();
    EXPECT_EQ(opened, QStringList({"/tmp/help.html", "/usr/bin/tool -a,two words"}));
    EXPECT_EQ(messages(), QStringList({"Error:- UUtil32v1 - Code 406", "Error:- UUtil32v1 - Code 421"}));
}

using SmallWindows = ProgramTest;

TEST_F(SmallWindows, ClickingTheFullScreenPictureClosesTheViewAndFreesItsCopy)
{
    start();
    TKV_FullScreen* view = windows().KV_FullScreen;
    EXPECT_EQ(view->geometry(), QRect(QPoint(0, 0), screenSize()));
    EXPECT_EQ(view->KV_FS_FullScreen->toolTip(), QStringLiteral("Click Image to Cancel Full Screen Mode"));
    view->KV_FS_FullScreen->setImage(createImage(8, 50, 40, Rgb{3}));
    view->show();
    QTest::mouseClick(view->KV_FS_FullScreen->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(view->KV_FS_FullScreen->Contents(), 0);
}

TEST_F(SmallWindows, FloatingSelectionStepsOutFromUnderThePointer)
{
    start();
    TKV_DragSelection* floating = windows().KV_DragSelection;
    floating->show();
    // The picture grows one pixel past the window on each side it resizes.
    EXPECT_EQ(floating->KV_DS_Image->size(), QSize(105, 51));
    floating->move(200, 150);
    bool accept = false;
    floating->KV_DS_ImageDragOver(10, 7, accept);
    EXPECT_TRUE(accept);
    EXPECT_EQ(floating->pos(), QPoint(211, 158));
}

TEST_F(SmallWindows, FrameAcceptsImageControlsAndRefusesTextBoxes)
{
    start();
    TPicbuf picture;
    TLeadCtrl lead;
    QTextEdit memo;
    QWidget other;
    ControlDrag::instance().setDragMode(&picture, ControlDrag::DragMode::Automatic);
    windows().KV_DragSelection->show();
    // clang-format off
    // Anything else is left as it came.
    struct Case { QWidget* source; bool acceptBefore; bool acceptAfter; };
    const Case cases[] = {
        {&picture, false, true}, {&lead, false, true}, {&memo, true, false}, {&other, true, true}};
    // clang-format on
    for (const Case& check : cases) {
        bool accept = check.acceptBefore;
        master().FormDragOver(check.source, accept);
        EXPECT_EQ(accept, check.acceptAfter) << check.source->metaObject()->className();
    }
    EXPECT_EQ(ControlDrag::instance().dragMode(&picture), ControlDrag::DragMode::Manual);
    EXPECT_FALSE(windows().KV_DragSelection->isVisible());
    // While a drop is composed the flag is not touched.
    programState().DropInProgress = 1;
    bool accept = false;
    master().FormDragOver(&picture, accept);
    EXPECT_FALSE(accept);
}

} // namespace
} // namespace vask
