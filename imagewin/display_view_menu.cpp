// The image window's View menu, its scale commands, and how the image windows' menus and
// names appear in the main window's menu bar.
#include "controls/component_tag.h"
#include "controls/picbuf.h"
#include "imagewin/display_window.h"
#include "shell/fault_report.h"
#include "shell/program_state.h"
#include "shell/status_routines.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <array>

namespace vask {

namespace {

constexpr int kAutoZoomTag = 98;
constexpr int kOneToOneTag = 99;
constexpr int kLastZoomInTag = 20;
// Zoom out 1:n carries n + 40.
constexpr int kZoomOutBase = 40;

constexpr const char* kWindowListEntry = "vaskImageWindowEntry";

struct ZoomItem {
    QAction* TKV_Display::*member;
    const char* name;
    const char* caption;
    int tag;
};

constexpr std::array<ZoomItem, 8> kZoomInItems = {{
    {&TKV_Display::KV_DM_ZoomIn21, "KV_DM_ZoomIn21", "2:1", 2},
    {&TKV_Display::KV_DM_ZoomIn31, "KV_DM_ZoomIn31", "3:1", 3},
    {&TKV_Display::KV_DM_ZoomIn41, "KV_DM_ZoomIn41", "4:1", 4},
    {&TKV_Display::KV_DM_ZoomIn51, "KV_DM_ZoomIn51", "5:1", 5},
    {&TKV_Display::KV_DM_ZoomIn81, "KV_DM_ZoomIn81", "8:1", 8},
    {&TKV_Display::KV_DM_ZoomIn101, "KV_DM_ZoomIn101", "10:1", 10},
    {&TKV_Display::KV_DM_ZoomIn151, "KV_DM_ZoomIn151", "15:1", 15},
    {&TKV_Display::KV_DM_ZoomIn201, "KV_DM_ZoomIn201", "20:1", 20},
}};

constexpr std::array<ZoomItem, 8> kZoomOutItems = {{
    {&TKV_Display::KV_DM_ZoomOut12, "KV_DM_ZoomOut12", "1:2", 42},
    {&TKV_Display::KV_DM_ZoomOut13, "KV_DM_ZoomOut13", "1:3", 43},
    {&TKV_Display::KV_DM_ZoomOut14, "KV_DM_ZoomOut14", "1:4", 44},
    {&TKV_Display::KV_DM_ZoomOut15, "KV_DM_ZoomOut15", "1:5", 45},
    {&TKV_Display::KV_DM_ZoomOut18, "KV_DM_ZoomOut18", "1:8", 48},
    {&TKV_Display::KV_DM_ZoomOut110, "KV_DM_ZoomOut110", "1:10", 50},
    {&TKV_Display::KV_DM_ZoomOut115, "KV_DM_ZoomOut115", "1:15", 55},
    {&TKV_Display::KV_DM_ZoomOut120, "KV_DM_ZoomOut120", "1:20", 60},
}};

QMenu* addNamedMenu(QMenu* parent, const char* name, const char* caption)
{
    QMenu* menu = parent->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* addNamedItem(QMenu* menu, const char* name, const char* caption, int tag)
{
    QAction* item = menu->addAction(QString::fromLatin1(caption));
    item->setObjectName(QString::fromLatin1(name));
    setTag(item, tag);
    return item;
}

} // namespace

void TKV_Display::buildViewMenu()
{
    KV_DM_View = new QMenu(QStringLiteral("&View"), this);
    KV_DM_View->setObjectName(QStringLiteral("KV_DM_View"));
    auto scaleItem = [this](QAction* item) {
        connect(item, &QAction::triggered, this, [this, item] { SetViewScale(item); });
    };

    KV_DM_AutoZoom = addNamedItem(KV_DM_View, "KV_DM_AutoZoom", "Auto Size Image to Windows", kAutoZoomTag);
    KV_DM_AutoZoom->setCheckable(true);
    KV_DM_AutoZoom->setChecked(true);
    scaleItem(KV_DM_AutoZoom);
    KV_DM_Zoom11 = addNamedItem(KV_DM_View, "KV_DM_Zoom11", "Display Image at 1:1", kOneToOneTag);
    scaleItem(KV_DM_Zoom11);

    KV_DM_ZoomIn = addNamedMenu(KV_DM_View, "KV_DM_ZoomIn", "Zoom IN on Image");
    for (const ZoomItem& zoom : kZoomInItems) {
        this->*zoom.member = addNamedItem(KV_DM_ZoomIn, zoom.name, zoom.caption, zoom.tag);
        scaleItem(this->*zoom.member);
    }
    KV_DM_ZoomOUT = addNamedMenu(KV_DM_View, "KV_DM_ZoomOUT", "Zoom OUT on Image");
    for (const ZoomItem& zoom : kZoomOutItems) {
        this->*zoom.member = addNamedItem(KV_DM_ZoomOUT, zoom.name, zoom.caption, zoom.tag);
        scaleItem(this->*zoom.member);
    }
    KV_DM_View->addSeparator();
    KV_DM_Refresh = addNamedItem(KV_DM_View, "KV_DM_Refresh", "Refresh Active Image", 0);
    connect(KV_DM_Refresh, &QAction::triggered, this, &TKV_Display::KV_DM_RefreshClick);

    m_displayMenus = {KV_DM_View};
}

void TKV_Display::SetViewScale(QObject* sender)
{
    guardedHandler("UDisplay32v1", 458, [&] {
        programState().CurrentMouseFunction = kNoFunction;
        ShowMouseFunction(kNoFunction);
        SetMouseCursor(kNoFunction);
        ChildPicbuf->setAutoScale(false);
        ChildPicbuf->setScrollBars(3);
        KV_DM_AutoZoom->setChecked(false);
        const int tag = tagOf(sender);
        if (tag == kAutoZoomTag) {
            ChildPicbuf->setScrollBars(0);
            ChildPicbuf->setAutoScale(true);
            KV_DM_AutoZoom->setChecked(true);
        } else if (tag == kOneToOneTag) {
            ChildPicbuf->setScaleImage(1);
            ChildPicbuf->setScaleScreen(1);
        } else if (tag >= 1 && tag <= kLastZoomInTag) {
            ChildPicbuf->setScaleImage(1);
            ChildPicbuf->setScaleScreen(tag);
        } else if (tag >= kZoomOutBase) {
            ChildPicbuf->setScaleImage(tag - kZoomOutBase);
            ChildPicbuf->setScaleScreen(1);
        }
    });
}

void TKV_Display::KV_DM_RefreshClick()
{
    ChildPicbuf->Refresh();
}

void mergeDisplayMenus(QMenuBar* bar, QAction* before, TKV_Display* active)
{
    const QList<QMenu*> wanted = active != nullptr ? active->displayMenus() : QList<QMenu*>();
    for (QAction* entry : bar->actions()) {
        QMenu* menu = entry->menu();
        if (menu != nullptr && qobject_cast<TKV_Display*>(menu->parent()) != nullptr &&
            !wanted.contains(menu))
            bar->removeAction(entry);
    }
    const QList<QAction*> present = bar->actions();
    for (QMenu* menu : wanted) {
        if (!present.contains(menu->menuAction()))
            bar->insertAction(before, menu->menuAction());
    }
}

void listImageWindows(QMenu* windowMenu, QMdiArea* area)
{
    for (QAction* entry : windowMenu->actions()) {
        if (entry->property(kWindowListEntry).toBool()) {
            windowMenu->removeAction(entry);
            entry->deleteLater();
        }
    }
    const TKV_Display* active = activeImageWindow();
    bool separated = false;
    for (QMdiSubWindow* frame : area->subWindowList()) {
        auto* display = qobject_cast<TKV_Display*>(frame->widget());
        if (display == nullptr)
            continue;
        if (!separated) {
            windowMenu->addSeparator()->setProperty(kWindowListEntry, true);
            separated = true;
        }
        // A caption holding "&" must not turn the next letter into a mnemonic.
        QString caption = display->windowTitle();
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* entry = windowMenu->addAction(caption);
        entry->setProperty(kWindowListEntry, true);
        entry->setCheckable(true);
        entry->setChecked(display == active);
        QPointer<QMdiSubWindow> target = frame;
        QObject::connect(entry, &QAction::triggered, area, [area, target] {
            if (target != nullptr)
                area->setActiveSubWindow(target);
        });
    }
}

} // namespace vask
