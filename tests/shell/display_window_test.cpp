#include "program_fixture.h"

#include "controls/component_tag.h"
#include "shell/status_routines.h"

#include <QApplication>
#include <QMenu>
#include <QPointer>

namespace vask {
namespace {

class DisplayWindow : public ProgramTest {
protected:
    static QMdiSubWindow* frameOf(TKV_Display* window)
    {
        return qobject_cast<QMdiSubWindow*>(window->parentWidget());
    }
    bool inMenuBar(TKV_Display* window)
    {
        return master().KV_MainMenu->actions().contains(window->KV_DM_View->menuAction());
    }
    // The image window entries below the Window menu's fixed items, as the menu shows them.
    QStringList windowMenuEntries(QList<QAction*>* entries = nullptr)
    {
        QMenu* menu = master().KV_MM_WindowMenu_Caption;
        menu->popup(QPoint(0, 0));
        menu->hide();
        QStringList texts;
        const QList<QAction*> all = menu->actions();
        for (qsizetype index = all.indexOf(master().KV_MM_MinimiseImages) + 1; index < all.size(); ++index) {
            if (all[index]->isSeparator())
                continue;
            texts << all[index]->text() + (all[index]->isChecked() ? QStringLiteral(" *") : QString());
            if (entries != nullptr)
                entries->append(all[index]);
        }
        return texts;
    }
    static void runDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(DisplayWindow, NewWindowIsCaptionedLoadingAndTakesItsSizeFromTheSettings)
{
    start();
    EXPECT_EQ(frameOf(CreateImageWindow())->size(), QSize(250, 250));
    stop();
    writeBytes(settingsPath(), "[DisplayOptions]\nDWidth=320\nDHeight=210\n");
    start();
    TKV_Display* window = CreateImageWindow();
    QMdiSubWindow* frame = frameOf(window);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Loading....."));
    EXPECT_EQ(frame->size(), QSize(320, 210));
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(activeImageWindow(), window);
    // The picture fills the client area from one pixel above it, under the cross-hair.
    TPicbuf* picture = window->ChildPicbuf;
    EXPECT_EQ(QRect(picture->pos(), picture->size()), QRect(QPoint(0, -1), window->size()));
    EXPECT_EQ(picture->cursor(), programCursor(kCrossHairCursor));
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(DisplayWindow, ClientAreaBelowFiveByFiveLeavesThePictureSize)
{
    start();
    TKV_Display* window = CreateImageWindow();
    frameOf(window)->resize(300, 260);
    const QSize before = window->size();
    EXPECT_EQ(window->ChildPicbuf->size(), before);
    const QSize steps[][2] = {{{4, 100}, before}, {{100, 4}, before}, {{0, 0}, before},
                              {{5, 5}, {5, 5}},   {{4, 4}, {5, 5}},   {{180, 90}, {180, 90}}};
    for (const auto& step : steps) {
        window->resize(step[0]);
        EXPECT_EQ(window->ChildPicbuf->size(), step[1]) << step[0].width() << "x" << step[0].height();
    }
    frameOf(window)->resize(400, 330);
    EXPECT_EQ(window->ChildPicbuf->size(), window->size());
    EXPECT_GT(window->ChildPicbuf->width(), 300);
}

TEST_F(DisplayWindow, EachViewCommandSetsScaleScrollBarsAndTheAutoSizeMark)
{
    start();
    TKV_Display* window = CreateImageWindow();
    TPicbuf* picture = window->ChildPicbuf;
    QStringList viewItems;
    for (QAction* entry : window->KV_DM_View->actions())
        viewItems << (entry->isSeparator() ? QStringLiteral("-") : entry->text());
    EXPECT_EQ(viewItems, QStringList({"Auto Size Image to Windows", "Display Image at 1:1",
                                      "Zoom IN on Image", "Zoom OUT on Image", "-", "Refresh Active Image"}));
    // Past the menu items, senders carrying only the tag; a scale of 0 leaves the one set before (7 and 9).
    // clang-format off
    struct Case { const char* item; const char* caption; int tag; int scaleImage; int scaleScreen; };
    const Case cases[] = {
        {"KV_DM_AutoZoom", "Auto Size Image to Windows", 98, 0, 0},
        {"KV_DM_Zoom11", "Display Image at 1:1", 99, 1, 1},
        {"KV_DM_ZoomIn21", "2:1", 2, 1, 2},       {"KV_DM_ZoomIn31", "3:1", 3, 1, 3},
        {"KV_DM_ZoomIn41", "4:1", 4, 1, 4},       {"KV_DM_ZoomIn51", "5:1", 5, 1, 5},
        {"KV_DM_ZoomIn81", "8:1", 8, 1, 8},       {"KV_DM_ZoomIn101", "10:1", 10, 1, 10},
        {"KV_DM_ZoomIn151", "15:1", 15, 1, 15},   {"KV_DM_ZoomIn201", "20:1", 20, 1, 20},
        {"KV_DM_ZoomOut12", "1:2", 42, 2, 1},     {"KV_DM_ZoomOut13", "1:3", 43, 3, 1},
        {"KV_DM_ZoomOut14", "1:4", 44, 4, 1},     {"KV_DM_ZoomOut15", "1:5", 45, 5, 1},
        {"KV_DM_ZoomOut18", "1:8", 48, 8, 1},     {"KV_DM_ZoomOut110", "1:10", 50, 10, 1},
        {"KV_DM_ZoomOut115", "1:15", 55, 15, 1},  {"KV_DM_ZoomOut120", "1:20", 60, 20, 1},
        {nullptr, "", 1, 1, 1}, {nullptr, "", 21, 0, 0}, {nullptr, "", 30, 0, 0}, {nullptr, "", 39, 0, 0},
    };
    // clang-format on
    // The menu items in menu order, the rows of the table above.
    QList<QAction*> items = {window->KV_DM_AutoZoom, window->KV_DM_Zoom11};
    items << window->KV_DM_ZoomIn->actions() << window->KV_DM_ZoomOUT->actions();
    ASSERT_EQ(items.size(), 18);
    for (qsizetype row = 0; row < qsizetype(std::size(cases)); ++row) {
        const Case& step = cases[row];
        SCOPED_TRACE(step.tag);
        const bool autoSize = step.tag == 98;
        picture->setAutoScale(!autoSize);
        picture->setScrollBars(autoSize ? 3 : 0);
        picture->setScaleImage(7);
        picture->setScaleScreen(9);
        window->KV_DM_AutoZoom->setChecked(!autoSize);
        if (row < items.size()) {
            EXPECT_EQ(items[row]->objectName(), QString::fromLatin1(step.item));
            EXPECT_EQ(items[row]->text(), QString::fromLatin1(step.caption));
            EXPECT_EQ(tagOf(items[row]), step.tag);
            items[row]->trigger();
        } else {
            QObject sender;
            setTag(&sender, step.tag);
            window->SetViewScale(&sender);
        }
        EXPECT_EQ(picture->ScaleImage(), step.scaleImage != 0 ? step.scaleImage : 7);
        EXPECT_EQ(picture->ScaleScreen(), step.scaleScreen != 0 ? step.scaleScreen : 9);
        EXPECT_EQ(picture->AutoScale(), autoSize);
        EXPECT_EQ(picture->ScrollBars(), autoSize ? 0 : 3);
        EXPECT_EQ(window->KV_DM_AutoZoom->isChecked(), autoSize);
    }
    EXPECT_TRUE(messages().isEmpty());
    // Choosing a scale ends the mouse function.
    programState().CurrentMouseFunction = kPanFunction;
    ShowMouseFunction(kPanFunction);
    SetMouseCursor(kPanFunction);
    window->KV_DM_ZoomIn41->trigger();
    expectIdle();
}

TEST_F(DisplayWindow, CloseAsksFirstNoKeepsTheWindowAndYesDestroysItAndResets)
{
    start();
    TKV_Display* window = CreateImageWindow();
    window->setWindowTitle(QStringLiteral("holiday.jpg"));
    window->ChildPicbuf->CreateImage(24, 40, 30, 0xFFFFFF);
    QPointer<TPicbuf> picture = window->ChildPicbuf;
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
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(DialogService::instance().history().front().kind, DialogRequest::Confirm);

    DialogService::instance().setResponder(answerAll(true));
    programState().DropInProgress = 1;
    ShowMouseFunction(kSelectionFunction);
    EXPECT_TRUE(frame->close());
    runDeferredDeletes();
    EXPECT_TRUE(frame.isNull());
    EXPECT_TRUE(picture.isNull());
    EXPECT_EQ(activeImageWindow(), nullptr);
    EXPECT_EQ(programState().AbortRequested, 1);
    EXPECT_EQ(programState().DropInProgress, 0);
    expectIdle();
    EXPECT_EQ(messages(),
              QStringList(2, QStringLiteral("Please confirm you wish to close Image:- holiday.jpg")));
}

TEST_F(DisplayWindow, ActiveWindowsViewMenuStandsBeforeTheWindowMenuAndLeavingAWindowEndsTheMouseFunction)
{
    start();
    const QStringList withoutImages = {"&File", "&Window", "&About"};
    const QStringList withImage = {"&File", "&View", "&Edit", "&Image Process", "&Window", "&About"};
    EXPECT_EQ(menuBarTitles(), withoutImages);
    TKV_Display* first = CreateImageWindow();
    EXPECT_EQ(menuBarTitles(), withImage);
    EXPECT_TRUE(inMenuBar(first));
    TKV_Display* second = CreateImageWindow();
    EXPECT_EQ(menuBarTitles(), withImage);
    EXPECT_TRUE(inMenuBar(second));
    EXPECT_FALSE(inMenuBar(first));
    programState().CurrentMouseFunction = kSelectionFunction;
    ShowMouseFunction(kSelectionFunction);
    area()->setActiveSubWindow(frameOf(first));
    EXPECT_TRUE(inMenuBar(first));
    EXPECT_FALSE(inMenuBar(second));
    expectIdle();
    // With the main window in front and no image window active, no image menu shows; activating
    // a window then deactivates nothing.
    master().activateWindow();
    QApplication::processEvents();
    area()->setActiveSubWindow(nullptr);
    EXPECT_EQ(menuBarTitles(), withoutImages);
    programState().CurrentMouseFunction = kPanFunction;
    area()->setActiveSubWindow(frameOf(second));
    EXPECT_EQ(menuBarTitles(), withImage);
    EXPECT_EQ(programState().CurrentMouseFunction, kPanFunction);
    area()->closeAllSubWindows();
    runDeferredDeletes();
    EXPECT_EQ(menuBarTitles(), withoutImages);
}

TEST_F(DisplayWindow, WindowMenuListsEveryImageWindowAlsoUnderTheSameCaption)
{
    start();
    TKV_Display* first = CreateImageWindow();
    first->setWindowTitle(QStringLiteral("photo.bmp"));
    for (const char* caption : {"New Image", "New Image", "R&D.png"})
        CreateImageWindow()->setWindowTitle(QString::fromLatin1(caption));
    QList<QAction*> entries;
    EXPECT_EQ(windowMenuEntries(&entries),
              QStringList({"photo.bmp", "New Image", "New Image", "R&&D.png *"}));
    // Opening it again lists each window once, and choosing an entry activates its window.
    EXPECT_EQ(windowMenuEntries(&entries).size(), 4);
    entries.first()->trigger();
    EXPECT_EQ(activeImageWindow(), first);
    EXPECT_EQ(windowMenuEntries().first(), QStringLiteral("photo.bmp *"));
}

} // namespace
} // namespace vask
