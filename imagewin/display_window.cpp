#include "imagewin/display_window.h"

#include "controls/classic_look.h"

#include "controls/dialog_service.h"
#include "controls/form_widgets.h"
#include "controls/picbuf.h"
#include "controls/program_cursors.h"
#include "imagewin/display_commands.h"
#include "settings/preferences_dialog.h"
#include "shell/master_form.h"
#include "shell/program_state.h"
#include "shell/program_windows.h"
#include "shell/status_routines.h"
#include "store/disk_control_dialog.h"
#include "utilities/utilities_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <memory>

namespace vask {

namespace {

constexpr const char* kImageWindowHooks = "vaskImageWindowHooks";

TKV_Display* displayIn(QMdiSubWindow* frame)
{
    return frame != nullptr ? qobject_cast<TKV_Display*>(frame->widget()) : nullptr;
}

// Qt reports "no active sub-window" also when the main window merely loses the focus to a
// tool window or a box; the image window then stays the one the commands work on, so its
// menus stay and it is not deactivated. Only a switch between image windows, or no active
// one while the main window has the focus, counts.
bool mainWindowLostFocus(QMdiArea* area, QMdiSubWindow* activated)
{
    return activated == nullptr && !area->subWindowList().isEmpty() &&
           QApplication::activeWindow() != area->window();
}

// Once per main window: the merged menus follow the active image window, and the Window
// menu lists the image windows each time it opens.
void hookMainWindow(TKV_Masterform* master)
{
    QMdiArea* area = master->mdiArea();
    if (area->property(kImageWindowHooks).toBool())
        return;
    area->setProperty(kImageWindowHooks, true);
    QPointer<QMenuBar> bar = master->KV_MainMenu;
    QPointer<QMenu> windowMenu = master->KV_MM_WindowMenu_Caption;
    if (bar == nullptr || windowMenu == nullptr)
        return;
    QObject::connect(area, &QMdiArea::subWindowActivated, bar,
                     [area, bar, windowMenu](QMdiSubWindow* activated) {
                         if (bar == nullptr || windowMenu == nullptr || mainWindowLostFocus(area, activated))
                             return;
                         mergeDisplayMenus(bar, windowMenu->menuAction(), displayIn(activated));
                     });
    QObject::connect(windowMenu, &QMenu::aboutToShow, area,
                     [area, windowMenu] { listImageWindows(windowMenu, area); });
}

// FormDeactivate runs when this window's frame stops being the active sub-window.
void watchDeactivation(TKV_Display* display, QMdiArea* area, QMdiSubWindow* frame)
{
    auto wasActive = std::make_shared<bool>(false);
    QObject::connect(area, &QMdiArea::subWindowActivated, display,
                     [display, area, frame, wasActive](QMdiSubWindow* activated) {
                         if (mainWindowLostFocus(area, activated))
                             return;
                         const bool active = activated == frame;
                         if (*wasActive && !active)
                             display->FormDeactivate();
                         *wasActive = active;
                     });
}

QWidget* shownToolWindow(QWidget* window)
{
    return window != nullptr && window->isVisible() ? window : nullptr;
}

} // namespace

TKV_Display::TKV_Display(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_Display"));
    setWindowTitle(QStringLiteral("Loading....."));
    applyClassicLook(this);

    ChildPicbuf = new TPicbuf(this);
    ChildPicbuf->setObjectName(QStringLiteral("ChildPicbuf"));
    ChildPicbuf->setCursor(programCursor(kCrossHairCursor));
    // One pixel above the client area: the picture's top row sits under the frame's edge.
    ChildPicbuf->setGeometry(0, -1, kInitialClientWidth, kInitialClientHeight);
    connect(ChildPicbuf, &TPicbuf::Click, this, &TKV_Display::PaletteUpdate);
    connect(ChildPicbuf, &TPicbuf::MouseDown, this, &TKV_Display::ChildPicbufMouseDown);
    connect(ChildPicbuf, &TPicbuf::MouseMove, this, &TKV_Display::ChildPicbufMouseMove);
    connect(ChildPicbuf, &TPicbuf::MouseUp, this, &TKV_Display::ChildPicbufMouseUp);
    installDragHandlers();

    buildViewMenu();
    const DisplayCommands* commands = new DisplayCommands(this);
    m_displayMenus << commands->KV_DM_Edit << commands->KV_DM_ImageProcess;
    resize(kInitialClientWidth, kInitialClientHeight);
}

TKV_Display::~TKV_Display() = default;

void TKV_Display::FormCreate()
{
    int width = kFallbackWidth;
    int height = kFallbackHeight;
    const TKV_Preferences32v1* preferences = programWindows().KV_Preferences32v1;
    if (preferences != nullptr && preferences->KV_Pref_WidthDefault != nullptr &&
        preferences->KV_Pref_HeightDefault != nullptr) {
        width = preferences->KV_Pref_WidthDefault->value();
        height = preferences->KV_Pref_HeightDefault->value();
    }
    QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    (frame != nullptr ? frame : static_cast<QWidget*>(this))->resize(width, height);
}

void TKV_Display::FormResize()
{
    // A fault while the window is sized leaves the picture as it was, without a message.
    try {
        if (width() >= 5 && height() >= 5)
            ChildPicbuf->resize(width(), height());
    } catch (...) {
    }
}

void TKV_Display::FormDeactivate()
{
    programState().CurrentMouseFunction = kNoFunction;
    ShowMouseFunction(kNoFunction);
    SetMouseCursor(kNoFunction);
}

bool TKV_Display::FormCloseQuery()
{
    // The tool windows stay above the main window; lowered, they cannot cover the question
    // where the window manager lets a window go down. Raised again afterwards.
    const ProgramWindows& windows = programWindows();
    const QList<QPointer<QWidget>> lowered = {shownToolWindow(windows.KV_UTilities),
                                              shownToolWindow(windows.KV_Preferences32v1)};
    for (QWidget* tool : lowered) {
        if (tool != nullptr)
            tool->lower();
    }
    const bool close = DialogService::instance().confirm(
        QStringLiteral("Please confirm you wish to close Image:- ") + windowTitle());
    for (QWidget* tool : lowered) {
        if (tool != nullptr)
            tool->raise();
    }
    QCoreApplication::processEvents();
    return close;
}

void TKV_Display::FormClose()
{
    // The cancel button's reset: abort flag, no mouse function, no drop in progress.
    if (TKV_Masterform* master = programWindows().KV_Masterform)
        master->SetMouseFunction(master->KV_Masterform_ResetMouse_Icon);
}

void TKV_Display::PaletteUpdate()
{
    if (ChildPicbuf->hasImage() && ChildPicbuf->ColorDepth() <= 8) {
        ChildPicbuf->RealizePalette();
        ChildPicbuf->Refresh();
    }
}

void TKV_Display::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TKV_Display::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

TKV_Display* CreateImageWindow()
{
    auto* display = new TKV_Display();
    TKV_Masterform* master = programWindows().KV_Masterform;
    if (master == nullptr) {
        display->setAttribute(Qt::WA_DeleteOnClose);
        display->FormCreate();
        display->show();
        QCoreApplication::processEvents();
        return display;
    }
    hookMainWindow(master);
    QMdiArea* area = master->mdiArea();
    QMdiSubWindow* frame = area->addSubWindow(display);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    display->FormCreate();
    watchDeactivation(display, area, frame);
    frame->show();
    area->setActiveSubWindow(frame);
    QCoreApplication::processEvents();
    return display;
}

void PreparePicture(TPicbuf& picture)
{
    const ProgramWindows& windows = programWindows();
    if (const TKV_Preferences32v1* preferences = windows.KV_Preferences32v1) {
        picture.setAssignMode(preferences->KV_Pref_AssignMode->currentIndex());
        picture.setResizeMode(preferences->KV_Pref_ResizeMode->currentIndex());
    }
    picture.setAutoScale(true);
    picture.setAutoSize(false);
    if (const TRZ_DiskControl32V1* disk = windows.RZ_DiskControl32V1) {
        picture.setLoadOptions(disk->RZ_FIF_Options->currentIndex());
        picture.setLoadScale(disk->RZ_FIF_Scale->currentIndex());
        picture.setLoadHeight(disk->RZ_FIF_Height->value());
        picture.setLoadWidth(disk->RZ_FIF_Width->value());
    }
}

TKV_Display* activeImageWindow()
{
    const TKV_Masterform* master = programWindows().KV_Masterform;
    if (master == nullptr)
        return nullptr;
    const QMdiArea* area = master->mdiArea();
    QMdiSubWindow* active = area->activeSubWindow();
    if (active == nullptr && !area->subWindowList().isEmpty())
        active = area->currentSubWindow();
    return displayIn(active);
}

} // namespace vask
