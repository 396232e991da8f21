#include "program_fixture.h"

#include "controls/component_tag.h"
#include "controls/picbuf.h"
#include "controls/program_cursors.h"
#include "imagewin/display_window.h"
#include "shell/master_form.h"
#include "shell/status_panel_bar.h"
#include "shell/status_routines.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <memory>

namespace vask {
namespace {

class DisplayWindow : public ProgramTest {
protected:
    QMdiArea* area() { return windows().KV_Masterform->mdiArea(); }
    static QMdiSubWindow* frameOf(TKV_Display* window)
    {
        return qobject_cast<QMdiSubWindow*>(window->parentWidget());
    }
    QString functionPanel() { return windows().KV_Masterform->KV_MF_Statuspanel->panelText(kProgressPanel); }
    QStringList menuBarTitles()
    {
        QStringList titles;
        for (QAction* entry : windows().KV_Masterform->KV_MainMenu->actions())
            titles << entry->text();
        return titles;
    }
    bool inMenuBar(QMenu* menu)
    {
        return windows().KV_Masterform->KV_MainMenu->actions().contains(menu->menuAction());
    }
    // The image window entries below the Window menu's fixed items, as the menu shows them.
    QStringList windowMenuEntries(QList<QAction*>* entries = nullptr)
    {
        QMenu* menu = windows().KV_Masterform->KV_MM_WindowMenu_Caption;
        menu->popup(QPoint(0, 0));
        menu->hide();
        QStringList texts;
        bool pastFixedItems = false;
        for (QAction* entry : menu->actions()) {
            if (entry == windows().KV_Masterform->KV_MM_MinimiseImages) {
                pastFixedItems = true;
                continue;
            }
            if (!pastFixedItems || entry->isSeparator())
                continue;
            texts << entry->text() + (entry->isChecked() ? QStringLiteral(" *") : QString());
            if (entries != nullptr)
                entries->append(entry);
        }
        return texts;
    }
    static void runDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(DisplayWindow, NewWindowIsCaptionedLoadingAndTakesTheDefaultSizeFromTheSettings)
{
    writeSettingsText(QStringLiteral("[DisplayOptions]\nDWidth=320\nDHeight=210\n"));
    start();
    TKV_Display* window = CreateImageWindow();
    QMdiSubWindow* frame = frameOf(window);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Loading....."));
    EXPECT_EQ(frame->size(), QSize(320, 210));
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(activeImageWindow(), window);
    // The picture fills the client area from one pixel above it, under the cross-hair.
    EXPECT_EQ(QRect(window->ChildPicbuf->pos(), window->ChildPicbuf->size()),
              QRect(QPoint(0, -1), window->size()));
    EXPECT_EQ(window->ChildPicbuf->cursor(), programCursor(kCrossHairCursor));
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(DisplayWindow, CleanSettingsGiveTheDefaultSizeOfTheirPreferences)
{
    start();
    EXPECT_EQ(frameOf(CreateImageWindow())->size(), QSize(250, 250));
}

TEST(DisplayWindowAlone, WithoutThePreferencesWindowANewWindowIs640By480)
{
    std::unique_ptr<TKV_Display> window(CreateImageWindow());
    EXPECT_EQ(window->size(), QSize(640, 480));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Loading....."));
}

TEST_F(DisplayWindow, TwoWindowsMayBearTheSameCaptionAndTheWindowMenuListsEach)
{
    start();
    TKV_Display* first = CreateImageWindow();
    first->setWindowTitle(QStringLiteral("photo.bmp"));
    CreateImageWindow()->setWindowTitle(QStringLiteral("New Image"));
    CreateImageWindow()->setWindowTitle(QStringLiteral("New Image"));
    CreateImageWindow()->setWindowTitle(QStringLiteral("R&D.png"));
    QList<QAction*> entries;
    EXPECT_EQ(windowMenuEntries(&entries),
              QStringList({QStringLiteral("photo.bmp"), QStringLiteral("New Image"),
                           QStringLiteral("New Image"), QStringLiteral("R&&D.png *")}));
    // Opening it again lists each window once, and choosing an entry activates its window.
    EXPECT_EQ(windowMenuEntries(&entries).size(), 4);
    entries.first()->trigger();
    EXPECT_EQ(activeImageWindow(), first);
    EXPECT_EQ(windowMenuEntries().first(), QStringLiteral("photo.bmp *"));
}

TEST_F(DisplayWindow, ClientAreaBelowFiveByFiveLeavesThePictureSize)
{
    start();
    TKV_Display* window = CreateImageWindow();
    frameOf(window)->resize(300, 260);
    const QSize pictureSize = window->size();
    EXPECT_EQ(window->ChildPicbuf->size(), pictureSize);
    struct Case {
        QSize client;
        QSize picture;
    };
    const Case cases[] = {
        {QSize(4, 100), pictureSize}, {QSize(100, 4), pictureSize}, {QSize(0, 0), pictureSize},
        {QSize(5, 5), QSize(5, 5)},   {QSize(4, 4), QSize(5, 5)},   {QSize(180, 90), QSize(180, 90)},
    };
    for (const Case& step : cases) {
        window->resize(step.client);
        EXPECT_EQ(window->ChildPicbuf->size(), step.picture)
            << step.client.width() << "x" << step.client.height();
    }
    frameOf(window)->resize(400, 330);
    EXPECT_EQ(window->ChildPicbuf->size(), window->size());
    EXPECT_GT(window->ChildPicbuf->width(), 300);
}

TEST_F(DisplayWindow, ViewMenuHoldsTheScaleCommandsWithTheirTags)
{
    start();
    TKV_Display* window = CreateImageWindow();
    QMenu* view = window->KV_DM_View;
    EXPECT_EQ(view->objectName(), QStringLiteral("KV_DM_View"));
    EXPECT_EQ(view->title(), QStringLiteral("&View"));
    QStringList items;
    for (QAction* entry : view->actions())
        items << (entry->isSeparator() ? QStringLiteral("-") : entry->text());
    EXPECT_EQ(items, QStringList({QStringLiteral("Auto Size Image to Windows"),
                                  QStringLiteral("Display Image at 1:1"), QStringLiteral("Zoom IN on Image"),
                                  QStringLiteral("Zoom OUT on Image"), QStringLiteral("-"),
                                  QStringLiteral("Refresh Active Image")}));
    EXPECT_TRUE(window->KV_DM_AutoZoom->isCheckable());
    EXPECT_TRUE(window->KV_DM_AutoZoom->isChecked());
    EXPECT_EQ(window->displayMenus(), QList<QMenu*>({view}));

    struct Submenu {
        QMenu* menu;
        QStringList names;
        QStringList captions;
        QList<int> tags;
    };
    const Submenu submenus[] = {
        {window->KV_DM_ZoomIn,
         {"KV_DM_ZoomIn21", "KV_DM_ZoomIn31", "KV_DM_ZoomIn41", "KV_DM_ZoomIn51", "KV_DM_ZoomIn81",
          "KV_DM_ZoomIn101", "KV_DM_ZoomIn151", "KV_DM_ZoomIn201"},
         {"2:1", "3:1", "4:1", "5:1", "8:1", "10:1", "15:1", "20:1"},
         {2, 3, 4, 5, 8, 10, 15, 20}},
        {window->KV_DM_ZoomOUT,
         {"KV_DM_ZoomOut12", "KV_DM_ZoomOut13", "KV_DM_ZoomOut14", "KV_DM_ZoomOut15", "KV_DM_ZoomOut18",
          "KV_DM_ZoomOut110", "KV_DM_ZoomOut115", "KV_DM_ZoomOut120"},
         {"1:2", "1:3", "1:4", "1:5", "1:8", "1:10", "1:15", "1:20"},
         {42, 43, 44, 45, 48, 50, 55, 60}},
    };
    for (const Submenu& submenu : submenus) {
        QStringList names;
        QStringList captions;
        QList<int> tags;
        for (QAction* entry : submenu.menu->actions()) {
            names << entry->objectName();
            captions << entry->text();
            tags << tagOf(entry);
        }
        EXPECT_EQ(names, submenu.names);
        EXPECT_EQ(captions, submenu.captions);
        EXPECT_EQ(tags, submenu.tags);
    }
    EXPECT_EQ(window->KV_DM_ZoomIn, window->findChild<QMenu*>(QStringLiteral("KV_DM_ZoomIn")));
    EXPECT_EQ(window->KV_DM_ZoomOUT, window->findChild<QMenu*>(QStringLiteral("KV_DM_ZoomOUT")));
    EXPECT_EQ(window->KV_DM_ZoomOut120, window->findChild<QAction*>(QStringLiteral("KV_DM_ZoomOut120")));
}

TEST_F(DisplayWindow, EachScaleCommandSetsScaleScrollBarsAndTheAutoSizeMark)
{
    start();
    TKV_Display* window = CreateImageWindow();
    TPicbuf* picture = window->ChildPicbuf;
    struct Case {
        const char* item; // a View menu item, or null for a sender carrying only the tag
        int tag;
        int scaleImage;  // 0: left as it was (7)
        int scaleScreen; // 0: left as it was (9)
        bool autoScale;
        int scrollBars;
    };
    const Case cases[] = {
        {"KV_DM_AutoZoom", 98, 0, 0, true, 0},
        {"KV_DM_Zoom11", 99, 1, 1, false, 3},
        {"KV_DM_ZoomIn21", 2, 1, 2, false, 3},
        {"KV_DM_ZoomIn31", 3, 1, 3, false, 3},
        {"KV_DM_ZoomIn41", 4, 1, 4, false, 3},
        {"KV_DM_ZoomIn51", 5, 1, 5, false, 3},
        {"KV_DM_ZoomIn81", 8, 1, 8, false, 3},
        {"KV_DM_ZoomIn101", 10, 1, 10, false, 3},
        {"KV_DM_ZoomIn151", 15, 1, 15, false, 3},
        {"KV_DM_ZoomIn201", 20, 1, 20, false, 3},
        {"KV_DM_ZoomOut12", 42, 2, 1, false, 3},
        {"KV_DM_ZoomOut13", 43, 3, 1, false, 3},
        {"KV_DM_ZoomOut14", 44, 4, 1, false, 3},
        {"KV_DM_ZoomOut15", 45, 5, 1, false, 3},
        {"KV_DM_ZoomOut18", 48, 8, 1, false, 3},
        {"KV_DM_ZoomOut110", 50, 10, 1, false, 3},
        {"KV_DM_ZoomOut115", 55, 15, 1, false, 3},
        {"KV_DM_ZoomOut120", 60, 20, 1, false, 3},
        {nullptr, 1, 1, 1, false, 3},
        {nullptr, 21, 0, 0, false, 3},
        {nullptr, 30, 0, 0, false, 3},
        {nullptr, 39, 0, 0, false, 3},
    };
    for (const Case& step : cases) {
        SCOPED_TRACE(step.tag);
        picture->setAutoScale(!step.autoScale);
        picture->setScrollBars(3 - step.scrollBars);
        picture->setScaleImage(7);
        picture->setScaleScreen(9);
        window->KV_DM_AutoZoom->setChecked(step.tag != 98);
        if (step.item != nullptr) {
            QAction* item = window->findChild<QAction*>(QString::fromLatin1(step.item));
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(tagOf(item), step.tag);
            item->trigger();
        } else {
            QObject sender;
            setTag(&sender, step.tag);
            window->SetViewScale(&sender);
        }
        EXPECT_EQ(picture->ScaleImage(), step.scaleImage != 0 ? step.scaleImage : 7);
        EXPECT_EQ(picture->ScaleScreen(), step.scaleScreen != 0 ? step.scaleScreen : 9);
        EXPECT_EQ(picture->AutoScale(), step.autoScale);
        EXPECT_EQ(picture->ScrollBars(), step.scrollBars);
        EXPECT_EQ(window->KV_DM_AutoZoom->isChecked(), step.tag == 98);
    }
    EXPECT_TRUE(DialogService::instance().messageTexts().isEmpty());
}

TEST_F(DisplayWindow, ChoosingAScaleEndsTheMouseFunction)
{
    start();
    TKV_Display* window = CreateImageWindow();
    programState().CurrentMouseFunction = kPanFunction;
    ShowMouseFunction(kPanFunction);
    SetMouseCursor(kPanFunction);
    ASSERT_EQ(functionPanel(), QStringLiteral("Pan the Image"));
    window->KV_DM_ZoomIn41->trigger();
    EXPECT_EQ(programState().CurrentMouseFunction, kNoFunction);
    EXPECT_EQ(functionPanel(), QStringLiteral("No Function"));
    EXPECT_EQ(applicationCursorIndex(), kDefaultCursor);
}

TEST_F(DisplayWindow, AnsweringNoKeepsTheWindowAndItsPicture)
{
    start();
    TKV_Display* window = CreateImageWindow();
    window->setWindowTitle(QStringLiteral("holiday.jpg"));
    window->ChildPicbuf->CreateImage(24, 40, 30, 0xFFFFFF);
    QPointer<QMdiSubWindow> frame = frameOf(window);
    DialogService::instance().setResponder(answerAll(false));
    programState().CurrentMouseFunction = kSelectionFunction;
    EXPECT_FALSE(frame->close());
    runDeferredDeletes();
    ASSERT_FALSE(frame.isNull());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(window->ChildPicbuf->Xresolution(), 40);
    EXPECT_EQ(programState().CurrentMouseFunction, kSelectionFunction);
    EXPECT_EQ(programState().AbortRequested, 0);
    ASSERT_EQ(DialogService::instance().history().size(), 1U);
    EXPECT_EQ(DialogService::instance().history().front().kind, DialogRequest::Confirm);
    EXPECT_EQ(DialogService::instance().history().front().text,
              QStringLiteral("Please confirm you wish to close Image:- holiday.jpg"));
}

TEST_F(DisplayWindow, AnsweringYesDestroysTheWindowAndRunsTheCancelReset)
{
    start();
    TKV_Display* window = CreateImageWindow();
    window->setWindowTitle(QStringLiteral("New Image"));
    QPointer<TPicbuf> picture = window->ChildPicbuf;
    QPointer<QMdiSubWindow> frame = frameOf(window);
    programState().CurrentMouseFunction = kSelectionFunction;
    programState().DropInProgress = 1;
    ShowMouseFunction(kSelectionFunction);
    EXPECT_TRUE(frame->close());
    runDeferredDeletes();
    EXPECT_TRUE(frame.isNull());
    EXPECT_TRUE(picture.isNull());
    EXPECT_TRUE(area()->subWindowList().isEmpty());
    EXPECT_EQ(activeImageWindow(), nullptr);
    EXPECT_EQ(programState().AbortRequested, 1);
    EXPECT_EQ(programState().CurrentMouseFunction, kNoFunction);
    EXPECT_EQ(programState().DropInProgress, 0);
    EXPECT_EQ(functionPanel(), QStringLiteral("No Function"));
    EXPECT_EQ(DialogService::instance().messageTexts(),
              QStringList({QStringLiteral("Please confirm you wish to close Image:- New Image")}));
}

TEST_F(DisplayWindow, TheActiveWindowsViewMenuStandsBeforeTheWindowMenu)
{
    start();
    const QStringList withoutImages = {QStringLiteral("&File"), QStringLiteral("&Window"),
                                       QStringLiteral("&About")};
    const QStringList withImage = {QStringLiteral("&File"), QStringLiteral("&View"),
                                   QStringLiteral("&Window"), QStringLiteral("&About")};
    EXPECT_EQ(menuBarTitles(), withoutImages);
    TKV_Display* first = CreateImageWindow();
    EXPECT_EQ(menuBarTitles(), withImage);
    EXPECT_TRUE(inMenuBar(first->KV_DM_View));
    TKV_Display* second = CreateImageWindow();
    EXPECT_EQ(menuBarTitles(), withImage);
    EXPECT_TRUE(inMenuBar(second->KV_DM_View));
    EXPECT_FALSE(inMenuBar(first->KV_DM_View));
    area()->setActiveSubWindow(frameOf(first));
    EXPECT_TRUE(inMenuBar(first->KV_DM_View));
    EXPECT_FALSE(inMenuBar(second->KV_DM_View));
    // With the main window in front and no image window active, no image menu shows.
    windows().KV_Masterform->activateWindow();
    QApplication::processEvents();
    area()->setActiveSubWindow(nullptr);
    EXPECT_EQ(menuBarTitles(), withoutImages);
    area()->setActiveSubWindow(frameOf(second));
    EXPECT_EQ(menuBarTitles(), withImage);
    area()->closeAllSubWindows();
    runDeferredDeletes();
    EXPECT_EQ(menuBarTitles(), withoutImages);
}

TEST_F(DisplayWindow, PreparedPictureTakesTheLoadSettings)
{
    writeSettingsText(
        QStringLiteral("[DisplayOptions]\nAssignmode=1\nResizeMode=2\n"
                       "[FileOptions]\nFifOption=1\nFifScale=3\nFifHeight=321\nFifWidth=123\n"));
    start();
    TPicbuf* picture = CreateImageWindow()->ChildPicbuf;
    picture->setAutoScale(false);
    picture->setAutoSize(true);
    PreparePicture(*picture);
    EXPECT_EQ(picture->AssignMode(), 1);
    EXPECT_EQ(picture->ResizeMode(), 2);
    EXPECT_TRUE(picture->AutoScale());
    EXPECT_FALSE(picture->AutoSize());
    EXPECT_EQ(picture->LoadOptions(), 1);
    EXPECT_EQ(picture->LoadScale(), 3);
    EXPECT_EQ(picture->LoadHeight(), 321);
    EXPECT_EQ(picture->LoadWidth(), 123);
}

TEST_F(DisplayWindow, LeavingAWindowForAnotherEndsTheMouseFunction)
{
    start();
    TKV_Display* first = CreateImageWindow();
    TKV_Display* second = CreateImageWindow();
    programState().CurrentMouseFunction = kSelectionFunction;
    ShowMouseFunction(kSelectionFunction);
    area()->setActiveSubWindow(frameOf(first));
    EXPECT_EQ(programState().CurrentMouseFunction, kNoFunction);
    EXPECT_EQ(functionPanel(), QStringLiteral("No Function"));
    EXPECT_EQ(applicationCursorIndex(), kDefaultCursor);
    // Activating a window while none was active deactivates nothing.
    windows().KV_Masterform->activateWindow();
    QApplication::processEvents();
    area()->setActiveSubWindow(nullptr);
    programState().CurrentMouseFunction = kPanFunction;
    area()->setActiveSubWindow(frameOf(second));
    EXPECT_EQ(programState().CurrentMouseFunction, kPanFunction);
}

} // namespace
} // namespace vask
