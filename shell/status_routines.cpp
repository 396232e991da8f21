#include "shell/status_routines.h"

#include "controls/dialog_service.h"
#include "controls/picbuf.h"
#include "controls/program_cursors.h"
#include "shell/fault_report.h"
#include "shell/program_state.h"
#include "shell/program_windows.h"
#include "shell/status_panel_bar.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdlib>

namespace vask {

namespace {

void letWaitingEventsRun()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

QString mouseFunctionName(int function)
{
    switch (function) {
    case kNoFunction:
        return QStringLiteral("No Function");
    case kSelectionFunction:
        return QStringLiteral("Set Selection Area [+ ALT for no Selection Image update]");
    case kPanFunction:
        return QStringLiteral("Pan the Image");
    case kDynamicZoomFunction:
        return QStringLiteral("Dynamic Zoom");
    case kDragDropFunction:
        return QStringLiteral("Drag and Drop Image");
    case kDrawLinesFunction:
        return QStringLiteral("Draw Arrows or Lines");
    default:
        return {};
    }
}

void SetBusy(bool on, int cursorIndex)
{
    setApplicationCursor(on ? cursorIndex : kDefaultCursor);
    letWaitingEventsRun();
}

void ShowProgress(const QString& text, StatusPanelBar* bar, int panel)
{
    if (bar == nullptr)
        return;
    bar->setPanelText(panel, text);
    letWaitingEventsRun();
}

void ShowProgress(const QString& text)
{
    ShowProgress(text, programStatusBar());
}

void ShowMouseFunction(int function, StatusPanelBar* bar, int panel)
{
    try {
        if (function < 0 || function > kDrawLinesFunction || bar == nullptr)
            return;
        bar->setPanelText(panel, mouseFunctionName(function));
    } catch (...) {
        // The one report that asks for a restart: the status bar itself is in doubt.
        DialogService::instance().information(faultMessage("UUtil32v1", 237) + QStringLiteral(". Restart."));
    }
}

void ShowMouseFunction(int function)
{
    ShowMouseFunction(function, programStatusBar());
}

void SetMouseCursor(int function)
{
    switch (function) {
    case kSelectionFunction:
        setApplicationCursor(kSelectionCursor);
        break;
    case kPanFunction:
        setApplicationCursor(kGrabHandCursor);
        break;
    case kDynamicZoomFunction:
        setApplicationCursor(kZoomCursor);
        break;
    case kDragDropFunction:
        setApplicationDragCursor();
        break;
    case kDrawLinesFunction:
        setApplicationCursor(kDArrowCursor);
        break;
    default:
        setApplicationCursor(kDefaultCursor);
        break;
    }
}

void ShowPointerStatus(const TPicbuf& picture, int x, int y)
{
    StatusPanelBar* bar = programStatusBar();
    if (bar == nullptr)
        return;
    const int imageX = asShort(picture.ScreenToImageX(asShort(x)));
    const int imageY = asShort(picture.ScreenToImageY(asShort(y)));
    bar->setPanelText(1, QStringLiteral("X: %1 Y: %2 [%3x%4]")
                             .arg(imageX)
                             .arg(imageY)
                             .arg(picture.Xresolution())
                             .arg(picture.Yresolution()));
    const quint32 colour = picture.GetPixel(imageX, imageY);
    bar->setPanelText(2, QStringLiteral("R: %1 G: %2 B: %3 [%4]")
                             .arg(colour & 0xFF)
                             .arg((colour >> 8) & 0xFF)
                             .arg((colour >> 16) & 0xFF)
                             .arg(picture.ColorDepth()));
    bar->setPanelText(3, QStringLiteral(" [ T:%1 L:%2 W:%3 H:%4 ] [%5 : %6]")
                             .arg(picture.SelectTop())
                             .arg(picture.SelectLeft())
                             .arg(picture.SelectWidth())
                             .arg(picture.SelectHeight())
                             .arg(picture.ScaleScreen())
                             .arg(picture.ScaleImage()));
}

void ShowSelectionStatus(TPicbuf& picture, QRect rectangleInControl, StatusPanelBar* bar, int panel)
{
    // Each axis is ordered on its own, so a rectangle dragged up and to the left reports
    // the same area as one dragged down and to the right.
    const int controlLeft = std::min(rectangleInControl.left(), rectangleInControl.right());
    const int controlRight = std::max(rectangleInControl.left(), rectangleInControl.right());
    const int controlTop = std::min(rectangleInControl.top(), rectangleInControl.bottom());
    const int controlBottom = std::max(rectangleInControl.top(), rectangleInControl.bottom());

    SelectionArea& area = programState().selectionArea;
    area.top = asShort(picture.ScreenToImageY(asShort(controlTop)));
    area.left = asShort(picture.ScreenToImageX(asShort(controlLeft)));
    area.width = asShort(picture.ScreenToImageX(asShort(controlRight))) - area.left;
    area.height = asShort(picture.ScreenToImageY(asShort(controlBottom))) - area.top;

    picture.setSelectTop(area.top);
    picture.setSelectLeft(area.left);
    if (area.width >= 0)
        picture.setSelectWidth(area.width);
    if (area.height >= 0)
        picture.setSelectHeight(area.height);
    if (bar != nullptr) {
        bar->setPanelText(panel, QStringLiteral(" [ T:%1 L:%2 W:%3 H:%4 ]")
                                     .arg(area.top)
                                     .arg(area.left)
                                     .arg(std::abs(area.width))
                                     .arg(std::abs(area.height)));
    }
}

BusyGuard::BusyGuard(const QString& progressText)
{
    SetBusy(true);
    ShowProgress(progressText);
}

BusyGuard::~BusyGuard()
{
    ShowProgress(QStringLiteral("No Function"));
    SetBusy(false);
}

} // namespace vask
