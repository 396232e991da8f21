#include "controls/control_drag.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScrollArea>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vask {
namespace {

using Events = std::vector<std::string>;

QWidget* child(QWidget* parent, const char* name, QRect geometry)
{
    auto* widget = new QWidget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

// Two sibling controls in one window, source on the left, target on the right; what the drag
// layer calls is recorded in order, widgets named by objectName.
class ControlDragTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        m_drag.cancel();
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    void record(const std::string& what, QWidget* other, int x, int y)
    {
        const std::string name = other ? other->objectName().toStdString() : "nothing";
        m_events.push_back(what + name + " " + std::to_string(x) + "," + std::to_string(y));
    }
    // Recording handlers: target answers accept, the source records its end of drag.
    void handle(QWidget* target, bool accept = true)
    {
        const std::string name = target->objectName().toStdString();
        m_drag.setDragOverHandler(target, [=, this](QWidget* source, int x, int y, bool& accepted) {
            EXPECT_TRUE(accepted) << "the flag starts true";
            record("over " + name + " from ", source, x, y);
            accepted = accept;
        });
        m_drag.setDropHandler(target, [=, this](QWidget* source, int x, int y) {
            record("drop " + name + " from ", source, x, y);
        });
        m_drag.setEndDragHandler(m_source, [this](QWidget* endTarget, int x, int y) {
            EXPECT_FALSE(m_drag.isDragging());
            record("end source on ", endTarget, x, y);
        });
    }
    // A mouse event as the window system delivers it: to the window, which routes it to the
    // widget under the pointer (or to the one holding the button).
    void sendToWindow(QEvent::Type type, QPoint position, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, position, m_window->mapToGlobal(position), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(m_window->windowHandle(), &event);
        QCoreApplication::processEvents();
    }

    ControlDrag& m_drag = ControlDrag::instance();
    std::unique_ptr<QWidget> m_window = std::make_unique<QWidget>();
    QWidget* m_source = child(m_window.get(), "source", {0, 0, 100, 100});
    QWidget* m_target = child(m_window.get(), "target", {200, 0, 100, 100});
    Events m_events;
};

TEST_F(ControlDragTest, AcceptedDragDropsThenEndsOnTheTargetOrTheParentAnsweringForAChild)
{
    handle(m_target);
    m_drag.beginDrag(m_source);
    EXPECT_EQ(m_drag.source(), m_source);
    EXPECT_TRUE(m_drag.dragOver(m_target, {5, 6}));
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
    m_drag.drop(m_target, {7, 8});
    EXPECT_FALSE(m_drag.isDragging());
    // A child without handler asks its parent, in the parent's coordinates.
    QWidget* inner = child(m_target, "child", {10, 20, 30, 30});
    m_drag.beginDrag(m_source);
    EXPECT_TRUE(m_drag.dragOver(inner, {1, 2}));
    m_drag.drop(inner, {3, 4});
    EXPECT_EQ(m_events, (Events{"over target from source 5,6", "drop target from source 7,8",
                                "end source on target 7,8", "over target from source 11,22",
                                "drop target from source 13,24", "end source on target 13,24"}));
}

TEST_F(ControlDragTest, RefusingOrUnhandledControlsGetNoDropAndAReleaseElsewhereAsksThatControl)
{
    handle(m_target);
    handle(m_source, false);
    m_drag.beginDrag(m_source);
    EXPECT_FALSE(m_drag.dragOver(m_source, {5, 6})); // refused over itself
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
    m_drag.drop(m_source, {5, 6});
    m_drag.beginDrag(m_source);
    m_drag.dragOver(m_source, {3, 3});
    m_drag.drop(m_target, {9, 9}); // released over another control straight away
    m_drag.setDragOverHandler(m_target, nullptr);
    m_drag.beginDrag(m_source);
    EXPECT_FALSE(m_drag.dragOver(m_target, {1, 1}));
    m_drag.drop(m_target, {1, 1});
    EXPECT_EQ(m_events, (Events{"over source from source 5,6", "end source on nothing 0,0",
                                "over source from source 3,3", "over target from source 9,9",
                                "drop target from source 9,9", "end source on target 9,9",
                                "end source on nothing 0,0"}));
}

TEST_F(ControlDragTest, EndOfDragRunsOnceWhenTheDropFailsOrTheDragIsCancelled)
{
    handle(m_target);
    m_drag.setDropHandler(m_target, [](QWidget*, int, int) { throw std::runtime_error("disk full"); });
    m_drag.beginDrag(m_source);
    m_drag.dragOver(m_target, {1, 1});
    EXPECT_THROW(m_drag.drop(m_target, {2, 2}), std::runtime_error);
    EXPECT_FALSE(m_drag.isDragging());
    m_drag.cancel(); // nothing left to end
    m_drag.beginDrag(m_source);
    m_drag.dragOver(m_target, {4, 4});
    m_drag.cancel();
    EXPECT_EQ(m_events, (Events{"over target from source 1,1", "end source on target 2,2",
                                "over target from source 4,4", "end source on nothing 0,0"}));
}

TEST_F(ControlDragTest, OnlyAutomaticModeStartsADragOnAPressAndAScrollAreaTakesItFromItsViewport)
{
    auto* area = new QScrollArea(m_window.get());
    const auto press = [](QWidget* widget) {
        QMouseEvent event(QEvent::MouseButtonPress, QPoint(5, 5), QPoint(5, 5), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &event);
    };
    m_drag.setDragMode(area, ControlDrag::DragMode::Automatic);
    press(area->viewport());
    EXPECT_EQ(m_drag.source(), area);
    m_drag.cancel();
    // Switched back to manual (what a drag-over handler does with its source).
    m_drag.setDragMode(area, ControlDrag::DragMode::Manual);
    press(area->viewport());
    EXPECT_FALSE(m_drag.isDragging());

    // A destroyed control is forgotten; the pointer is only compared as a key here.
    m_drag.setDragMode(area, ControlDrag::DragMode::Automatic);
    area->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m_drag.dragMode(area), ControlDrag::DragMode::Manual);
}

TEST_F(ControlDragTest, MousePressMoveAndReleaseDeliverTheDropOrEndOnNothing)
{
    handle(m_target);
    m_drag.setDragMode(m_source, ControlDrag::DragMode::Automatic);
    m_window->resize(300, 100);
    m_window->show();
    QCoreApplication::processEvents();
    ASSERT_NE(m_window->windowHandle(), nullptr);

    sendToWindow(QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(m_drag.isDragging());
    sendToWindow(QEvent::MouseMove, {150, 45}, Qt::NoButton, Qt::LeftButton); // the gap
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
    sendToWindow(QEvent::MouseMove, {240, 45}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
    sendToWindow(QEvent::MouseButtonRelease, {250, 40}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(m_drag.isDragging());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // Released over the gap after passing the target: no drop.
    sendToWindow(QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
    sendToWindow(QEvent::MouseMove, {240, 45}, Qt::NoButton, Qt::LeftButton);
    sendToWindow(QEvent::MouseButtonRelease, {150, 40}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(m_events, (Events{"over target from source 40,45", "drop target from source 50,40",
                                "end source on target 50,40", "over target from source 40,45",
                                "end source on nothing 0,0"}));
}

} // namespace
} // namespace vask
