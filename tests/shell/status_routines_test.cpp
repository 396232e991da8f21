#include "program_fixture.h"

#include "controls/picbuf.h"
#include "controls/program_cursors.h"
#include "engine/image/create_image.h"
#include "shell/busy_command.h"
#include "shell/fault_report.h"
#include "shell/master_form.h"
#include "shell/shell_routines.h"
#include "shell/status_panel_bar.h"
#include "shell/status_routines.h"

#include <QGuiApplication>
#include <QToolButton>

#include <stdexcept>

namespace vask {
namespace {

using StatusRoutines = ProgramTest;

TEST_F(StatusRoutines, EachMouseFunctionShowsItsNameAndAboveFiveChangesNothing)
{
    start();
    StatusPanelBar* bar = windows().KV_Masterform->KV_MF_Statuspanel;
    const char* const names[] = {
        "No Function",         "Set Selection Area [+ ALT for no Selection Image update]",
        "Pan the Image",       "Dynamic Zoom",
        "Drag and Drop Image", "Draw Arrows or Lines"};
    for (int function = 0; function <= 5; ++function) {
        ShowMouseFunction(function, bar);
        EXPECT_EQ(bar->panelText(4), QString::fromLatin1(names[function])) << function;
    }
    ShowMouseFunction(6, bar);
    EXPECT_EQ(bar->panelText(4), QStringLiteral("Draw Arrows or Lines"));
}

TEST_F(StatusRoutines, MouseFunctionCursorsFollowTheTable)
{
    start();
    const int expected[] = {kDefaultCursor, kSelectionCursor, kGrabHandCursor, kZoomCursor, -1,
                            kDArrowCursor};
    for (int function = 0; function <= 5; ++function) {
        if (expected[function] < 0)
            continue;
        SetMouseCursor(function);
        EXPECT_EQ(applicationCursorIndex(), expected[function]) << function;
    }
    SetMouseCursor(0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(StatusRoutines, PaletteMouseButtonsWithoutAnImageOnlyResetAndShow)
{
    start();
    TKV_Masterform* master = windows().KV_Masterform;
    programState().CurrentMouseFunction = kDynamicZoomFunction;
    programState().DropInProgress = 1;
    master->KV_Masterform_Crop_Icon->click();
    // Without an active image the selection button changes nothing but the read-out.
    EXPECT_EQ(programState().CurrentMouseFunction, kDynamicZoomFunction);
    EXPECT_EQ(master->KV_MF_Statuspanel->panelText(4), QStringLiteral("Dynamic Zoom"));
    master->KV_Masterform_ResetMouse_Icon->click();
    EXPECT_EQ(programState().CurrentMouseFunction, kNoFunction);
    EXPECT_EQ(programState().AbortRequested, 1);
    EXPECT_EQ(programState().DropInProgress, 0);
    EXPECT_EQ(master->KV_MF_Statuspanel->panelText(4), QStringLiteral("No Function"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

class SelectionReadOut : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        start();
        m_picture = new TPicbuf(windows().KV_Masterform);
        m_picture->resize(300, 200);
        m_picture->setImage(createImage(24, 640, 480, Rgb{0xFF808080}));
        m_picture->setAutoScale(false);
        m_picture->setScaleImage(1);
        m_picture->setScaleScreen(2); // two screen pixels per image pixel
    }
    TPicbuf* m_picture = nullptr;
};

TEST_F(SelectionReadOut, DraggedEitherWayGivesTheSameArea)
{
    StatusPanelBar* bar = windows().KV_Masterform->KV_MF_Statuspanel;
    const QPoint a(20, 30);
    const QPoint b(120, 90);
    ShowSelectionStatus(*m_picture, QRect(a, b), bar);
    const QString forward = bar->panelText(3);
    const SelectionArea first = programState().selectionArea;
    ShowSelectionStatus(*m_picture, QRect(b, a), bar);
    EXPECT_EQ(bar->panelText(3), forward);
    const SelectionArea second = programState().selectionArea;
    EXPECT_EQ(first.top, second.top);
    EXPECT_EQ(first.left, second.left);
    EXPECT_EQ(first.width, second.width);
    EXPECT_EQ(first.height, second.height);
    // Mixed: up and to the right.
    ShowSelectionStatus(*m_picture, QRect(QPoint(a.x(), b.y()), QPoint(b.x(), a.y())), bar);
    EXPECT_EQ(bar->panelText(3), forward);

    const int left = m_picture->ScreenToImageX(20);
    const int top = m_picture->ScreenToImageY(30);
    const int width = m_picture->ScreenToImageX(120) - left;
    const int height = m_picture->ScreenToImageY(90) - top;
    EXPECT_EQ(forward, QStringLiteral(" [ T:%1 L:%2 W:%3 H:%4 ]").arg(top).arg(left).arg(width).arg(height));
    EXPECT_EQ(m_picture->SelectTop(), top);
    EXPECT_EQ(m_picture->SelectLeft(), left);
    EXPECT_EQ(m_picture->SelectWidth(), width);
    EXPECT_EQ(m_picture->SelectHeight(), height);
    // At 2 : 1 a hundred screen pixels are fifty image pixels.
    EXPECT_EQ(width, 50);
}

TEST_F(SelectionReadOut, PointerStatusFillsThreePanels)
{
    m_picture->editableImage().rgbRow(5)[7] = Rgb{0xFF102030};
    m_picture->imageChanged();
    m_picture->setSelection(Rect{1, 2, 3, 4});
    const int x = static_cast<int>(m_picture->imageToControl(QPointF(7.5, 5.5)).x());
    const int y = static_cast<int>(m_picture->imageToControl(QPointF(7.5, 5.5)).y());
    ShowPointerStatus(*m_picture, x, y);
    StatusPanelBar* bar = windows().KV_Masterform->KV_MF_Statuspanel;
    EXPECT_EQ(bar->panelText(1), QStringLiteral("X: 7 Y: 5 [640x480]"));
    EXPECT_EQ(bar->panelText(2), QStringLiteral("R: 16 G: 32 B: 48 [24]"));
    EXPECT_EQ(bar->panelText(3), QStringLiteral(" [ T:2 L:1 W:3 H:4 ] [2 : 1]"));
}

TEST_F(StatusRoutines, FaultInACommandIsReportedBeforeTheIdleTextReturns)
{
    start();
    StatusPanelBar* bar = windows().KV_Masterform->KV_MF_Statuspanel;
    QString panelWhileReporting;
    bool busyWhileReporting = false;
    DialogService::instance().setResponder([&](const DialogRequest&) {
        panelWhileReporting = bar->panelText(4);
        busyWhileReporting = applicationCursorIndex() == kCalcCursor;
        return DialogAnswer{true, {}, {}, {}};
    });
    QString panelDuringWork;
    const bool completed = runBusyCommand("UDisplay32v1", 458, QStringLiteral("Applying Sharpening"), [&] {
        panelDuringWork = bar->panelText(4);
        throw std::runtime_error("picture refused");
    });
    EXPECT_FALSE(completed);
    EXPECT_EQ(panelDuringWork, QStringLiteral("Applying Sharpening"));
    EXPECT_EQ(DialogService::instance().messageTexts(),
              QStringList{QStringLiteral("Error:- UDisplay32v1 - Code 458")});
    EXPECT_EQ(panelWhileReporting, QStringLiteral("Applying Sharpening"));
    EXPECT_TRUE(busyWhileReporting);
    EXPECT_EQ(bar->panelText(4), QStringLiteral("No Function"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(FaultReports, MessagesFollowTheOneFormat)
{
    EXPECT_EQ(faultMessage("UMaster32v1", 185), QStringLiteral("Error:- UMaster32v1 - Code 185"));
    EXPECT_EQ(faultMessage("UIKUtil32v1", 172, QStringLiteral("Cannot read file")),
              QStringLiteral("Error:- UIKUtil32v1 - Code 172 - Cannot read file"));
    DialogService::instance().clearHistory();
    DialogService::instance().setResponder(answerAll(true));
    guardedHandler(
        "UIKUtil32v1", 222, [] { throw std::runtime_error("disk full"); }, true);
    EXPECT_EQ(DialogService::instance().messageTexts(),
              QStringList{QStringLiteral("Error:- UIKUtil32v1 - Code 222 - disk full")});
    DialogService::instance().clearResponder();
}

TEST_F(StatusRoutines, MissingFileIsToldAndTheNameStillReturned)
{
    const QString name = QStringLiteral("/no/such/folder/VQ32v100.html");
    EXPECT_EQ(CheckFileExists(name), name);
    EXPECT_EQ(DialogService::instance().messageTexts(),
              QStringList{QStringLiteral("Information:- Cannot find file [ /no/such/folder/VQ32v100.html ].  "
                                         "Please check file is correctly specified.  OK to continue.")});
    DialogService::instance().clearHistory();
    EXPECT_EQ(CheckFileExists(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_TRUE(DialogService::instance().messageTexts().isEmpty());
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
    EXPECT_EQ(opened,
              QStringList({QStringLiteral("/tmp/help.html"), QStringLiteral("/usr/bin/tool -a,two words")}));
    EXPECT_EQ(DialogService::instance().messageTexts(),
              QStringList({QStringLiteral("Error:- UUtil32v1 - Code 406"),
                           QStringLiteral("Error:- UUtil32v1 - Code 421")}));
}

} // namespace
} // namespace vask
