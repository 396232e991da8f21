#include "controls/control_drag.h"

#include <QApplication>
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

std::string at(const char* what, int x, int y)
{
    return std::string(what) + " " + std::to_string(x) + "," + std::to_string(y);
}

// Records what the drag layer calls, in order, naming widgets by objectName.
class DragRecorder {
public:
    void target(QWidget* widget, bool accept = true)
    {
        ControlDrag& drag = ControlDrag::instance();
        drag.setDragOverHandler(
            widget, [this, widget, accept](QWidget* source, int x, int y, bool& accepted) {
                EXPECT_TRUE(accepted) << "the flag starts true";
                m_events.push_back(at(("over " + name(widget) + " from " + name(source)).c_str(), x, y));
                accepted = accept;
            });
        drag.setDropHandler(widget, [this, widget](QWidget* source, int x, int y) {
            m_events.push_back(at(("drop " + name(widget) + " from " + name(source)).c_str(), x, y));
        });
    }
    void source(QWidget* widget)
    {
        ControlDrag::instance().setEndDragHandler(widget, [this, widget](QWidget* target, int x, int y) {
            EXPECT_FALSE(ControlDrag::instance().isDragging());
            m_events.push_back(at(("end " + name(widget) + " on " + name(target)).c_str(), x, y));
        });
    }
    const Events& events() const { return m_events; }

private:
    static std::string name(QWidget* widget)
    {
        return widget == nullptr ? "nothing" : widget->objectName().toStdString();
    }
    Events m_events;
};

// Two sibling controls in one window: source on the left, target on the right.
class ControlDragTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window = std::make_unique<QWidget>();
        m_window->resize(300, 100);
        m_source = named(new QWidget(m_window.get()), "source");
        m_source->setGeometry(0, 0, 100, 100);
        m_target = named(new QWidget(m_window.get()), "target");
        m_target->setGeometry(200, 0, 100, 100);
    }
    void TearDown() override
    {
        ControlDrag::instance().cancel();
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    static QWidget* named(QWidget* widget, const char* name)
    {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    }

    std::unique_ptr<QWidget> m_window;
    QWidget* m_source = nullptr;
    QWidget* m_target = nullptr;
    DragRecorder m_recorder;
};

TEST_F(ControlDragTest, AcceptedDragDropsThenEndsOnTheTarget)
{
    m_recorder.target(m_target);
    m_recorder.source(m_source);
    ControlDrag& drag = ControlDrag::instance();
    drag.beginDrag(m_source);
    EXPECT_TRUE(drag.isDragging());
    EXPECT_EQ(drag.source(), m_source);
    EXPECT_TRUE(drag.dragOver(m_target, {5, 6}));
    drag.drop(m_target, {7, 8});
    EXPECT_FALSE(drag.isDragging());
    EXPECT_EQ(m_recorder.events(), (Events{"over target from source 5,6", "drop target from source 7,8",
                                           "end source on target 7,8"}));
}

TEST_F(ControlDragTest, RefusedDragEndsOnNothingWithoutDrop)
{
    m_recorder.target(m_target, false);
    m_recorder.source(m_source);
    ControlDrag& drag = ControlDrag::instance();
    drag.beginDrag(m_source);
    EXPECT_FALSE(drag.dragOver(m_target, {5, 6}));
    drag.drop(m_target, {5, 6});
    EXPECT_EQ(m_recorder.events(), (Events{"over target from source 5,6", "end source on nothing 0,0"}));
}

TEST_F(ControlDragTest, ControlWithoutHandlerRefusesAndGetsNoDrop)
{
    bool dropped = false;
    ControlDrag& drag = ControlDrag::instance();
    drag.setDropHandler(m_target, [&](QWidget*, int, int) { dropped = true; });
    m_recorder.source(m_source);
    drag.beginDrag(m_source);
    EXPECT_FALSE(drag.dragOver(m_target, {1, 1}));
    drag.drop(m_target, {1, 1});
    EXPECT_FALSE(dropped);
    EXPECT_EQ(m_recorder.events(), (Events{"end source on nothing 0,0"}));
}

TEST_F(ControlDragTest, DropWithoutDragOverAsksTheTargetFirst)
{
    m_recorder.target(m_target);
    m_recorder.target(m_source, false);
    m_recorder.source(m_source);
    ControlDrag& drag = ControlDrag::instance();
    drag.beginDrag(m_source);
    drag.dragOver(m_source, {3, 3}); // refused over itself
    drag.drop(m_target, {9, 9});     // released over another control straight away
    EXPECT_EQ(m_recorder.events(), (Events{"over source from source 3,3", "over target from source 9,9",
                                           "drop target from source 9,9", "end source on target 9,9"}));
}

TEST_F(ControlDragTest, ChildWithoutHandlerAsksItsParentInTheParentsCoordinates)
{
    QWidget* child = named(new QWidget(m_target), "child");
    child->setGeometry(10, 20, 30, 30);
    m_recorder.target(m_target);
    m_recorder.source(m_source);
    ControlDrag& drag = ControlDrag::instance();
    drag.beginDrag(m_source);
    EXPECT_TRUE(drag.dragOver(child, {1, 2}));
    drag.drop(child, {3, 4});
    EXPECT_EQ(m_recorder.events(), (Events{"over target from source 11,22", "drop target from source 13,24",
                                           "end source on target 13,24"}));
}

TEST_F(ControlDragTest, EndOfDragRunsOnceEvenWhenTheDropFails)
{
    ControlDrag& drag = ControlDrag::instance();
    m_recorder.target(m_target);
    drag.setDropHandler(m_target, [](QWidget*, int, int) { throw std::runtime_error("disk full"); });
    m_recorder.source(m_source);
    drag.beginDrag(m_source);
    drag.dragOver(m_target, {1, 1});
    EXPECT_THROW(drag.drop(m_target, {2, 2}), std::runtime_error);
    EXPECT_FALSE(drag.isDragging());
    EXPECT_EQ(m_recorder.events(), (Events{"over target from source 1,1", "end source on target 2,2"}));
    drag.cancel(); // nothing left to end
    EXPECT_EQ(m_recorder.events().size(), 2u);
}

TEST_F(ControlDragTest, CancelEndsOnNothing)
{
    m_recorder.target(m_target);
    m_recorder.source(m_source);
    ControlDrag& drag = ControlDrag::instance();
    drag.beginDrag(m_source);
    drag.dragOver(m_target, {4, 4});
    drag.cancel();
    EXPECT_EQ(m_recorder.events(), (Events{"over target from source 4,4", "end source on nothing 0,0"}));
}

TEST_F(ControlDragTest, PointerShowsWhetherTheControlUnderItAccepts)
{
    m_recorder.target(m_target);
    m_recorder.target(m_source, false);
    ControlDrag& drag = ControlDrag::instance();
    drag.beginDrag(m_source);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    drag.dragOver(m_target, {1, 1});
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
    drag.dragOver(m_source, {1, 1});
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
    drag.drop(m_source, {1, 1});
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

void press(QWidget* widget, QPoint position)
{
    QMouseEvent event(QEvent::MouseButtonPress, position, widget->mapToGlobal(position), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

class PressCounter : public QWidget {
public:
    using QWidget::QWidget;
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

TEST_F(ControlDragTest, OnlyAutomaticModeStartsADragOnAPress)
{
    auto* control = new PressCounter(m_window.get());
    ControlDrag& drag = ControlDrag::instance();
    drag.setDragMode(control, ControlDrag::DragMode::Automatic);
    press(control, {5, 5});
    EXPECT_TRUE(drag.isDragging());
    EXPECT_EQ(drag.source(), control);
    EXPECT_EQ(control->presses, 0) << "the press starts the drag instead";
    drag.cancel();

    // Switched back to manual (what a drag-over handler does with its source).
    drag.setDragMode(control, ControlDrag::DragMode::Manual);
    press(control, {5, 5});
    EXPECT_FALSE(drag.isDragging());
    EXPECT_EQ(control->presses, 1);

    drag.setDragMode(control, ControlDrag::DragMode::Automatic);
    press(control, {5, 5});
    EXPECT_TRUE(drag.isDragging());
}

TEST_F(ControlDragTest, ScrollAreaStartsADragFromItsViewport)
{
    auto* area = new QScrollArea(m_window.get());
    ControlDrag& drag = ControlDrag::instance();
    drag.setDragMode(area, ControlDrag::DragMode::Automatic);
    press(area->viewport(), {5, 5});
    EXPECT_EQ(drag.source(), area);
}

TEST_F(ControlDragTest, DestroyedControlsAreForgotten)
{
    ControlDrag& drag = ControlDrag::instance();
    QWidget* control = new QWidget(m_window.get());
    drag.setDragMode(control, ControlDrag::DragMode::Automatic);
    ASSERT_EQ(drag.dragMode(control), ControlDrag::DragMode::Automatic);
    delete control;
    // The pointer is only compared as a key here.
    EXPECT_EQ(drag.dragMode(control), ControlDrag::DragMode::Manual);
}

// A mouse event as the window system delivers it: to the window, which routes it to the
// widget under the pointer (or to the one holding the button).
void sendToWindow(QWidget* window, QEvent::Type type, QPoint position, Qt::MouseButton button,
                  Qt::MouseButtons buttons)
{
    QMouseEvent event(type, position, window->mapToGlobal(position), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(window->windowHandle(), &event);
    QCoreApplication::processEvents();
}

TEST_F(ControlDragTest, MousePressMoveAndReleaseDeliverTheDrop)
{
    m_recorder.target(m_target);
    m_recorder.source(m_source);
    ControlDrag& drag = ControlDrag::instance();
    drag.setDragMode(m_source, ControlDrag::DragMode::Automatic);
    m_window->show();
    QCoreApplication::processEvents();
    ASSERT_NE(m_window->windowHandle(), nullptr);

    sendToWindow(m_window.get(), QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(drag.isDragging());
    sendToWindow(m_window.get(), QEvent::MouseMove, {150, 45}, Qt::NoButton, Qt::LeftButton); // the gap
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
    sendToWindow(m_window.get(), QEvent::MouseMove, {240, 45}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
    sendToWindow(m_window.get(), QEvent::MouseButtonRelease, {250, 40}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(drag.isDragging());
    EXPECT_EQ(m_recorder.events(), (Events{"over target from source 40,45", "drop target from source 50,40",
                                           "end source on target 50,40"}));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ControlDragTest, ReleaseOverNothingEndsTheDragOnNothing)
{
    m_recorder.target(m_target);
    m_recorder.source(m_source);
    ControlDrag& drag = ControlDrag::instance();
    drag.setDragMode(m_source, ControlDrag::DragMode::Automatic);
    m_window->show();
    QCoreApplication::processEvents();

    sendToWindow(m_window.get(), QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
    sendToWindow(m_window.get(), QEvent::MouseMove, {240, 45}, Qt::NoButton, Qt::LeftButton);
    sendToWindow(m_window.get(), QEvent::MouseButtonRelease, {150, 40}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(m_recorder.events(), (Events{"over target from source 40,45", "end source on nothing 0,0"}));
}

} // namespace
} // namespace vask
