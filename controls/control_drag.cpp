#include "controls/control_drag.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QtDebug>

#include <exception>

namespace vask {

namespace {

// Runs a handler from the event filter, where no exception may escape into Qt.
template <typename Call> void runFromEventLoop(const char* what, Call&& call)
{
    try {
        call();
    } catch (const std::exception& error) {
        qWarning("Control drag: the %s failed: %s", what, error.what());
    } catch (...) {
        qWarning("Control drag: the %s failed.", what);
    }
}

} // namespace

ControlDrag& ControlDrag::instance()
{
    // Never destroyed: controls may unregister while the program shuts down.
    static ControlDrag* drag = new ControlDrag;
    return *drag;
}

ControlDrag::Handlers& ControlDrag::handlersOf(QWidget* control)
{
    auto found = m_controls.find(control);
    if (found != m_controls.end())
        return found->second;
    connect(control, &QObject::destroyed, this, [this, control] { m_controls.erase(control); });
    control->installEventFilter(this);
    if (auto* scrollArea = qobject_cast<QAbstractScrollArea*>(control))
        scrollArea->viewport()->installEventFilter(this);
    return m_controls[control];
}

QWidget* ControlDrag::controlFor(QObject* watched) const
{
    if (!watched->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(watched);
    if (m_controls.count(widget) != 0)
        return widget;
    auto* scrollArea = qobject_cast<QAbstractScrollArea*>(widget->parentWidget());
    if (scrollArea != nullptr && scrollArea->viewport() == widget && m_controls.count(scrollArea) != 0)
        return scrollArea;
    return nullptr;
}

void ControlDrag::setDragMode(QWidget* control, DragMode mode)
{
    if (control != nullptr)
        handlersOf(control).mode = mode;
}

ControlDrag::DragMode ControlDrag::dragMode(QWidget* control) const
{
    const auto found = m_controls.find(control);
    return found == m_controls.end() ? DragMode::Manual : found->second.mode;
}

void ControlDrag::setDragOverHandler(QWidget* target, DragOverHandler handler)
{
    if (target != nullptr)
        handlersOf(target).dragOver = std::move(handler);
}

void ControlDrag::setDropHandler(QWidget* target, DropHandler handler)
{
    if (target != nullptr)
        handlersOf(target).drop = std::move(handler);
}

void ControlDrag::setEndDragHandler(QWidget* source, EndDragHandler handler)
{
    if (source != nullptr)
        handlersOf(source).endDrag = std::move(handler);
}

void ControlDrag::beginDrag(QWidget* source)
{
    if (source == nullptr || isDragging())
        return;
    endGesture(); // leftovers of a drag whose source was destroyed
    m_source = source;
    m_lastTarget = nullptr;
    m_lastAccepted = false;
    qApp->installEventFilter(this);
    m_filteringApplication = true;
    m_cursorShape = Qt::ForbiddenCursor;
    QGuiApplication::setOverrideCursor(QCursor(m_cursorShape));
    m_cursorShown = true;
}

QWidget* ControlDrag::answeringControl(QWidget* widget, QPoint* position) const
{
    for (QWidget* candidate = widget; candidate != nullptr; candidate = candidate->parentWidget()) {
        const auto found = m_controls.find(candidate);
        if (found != m_controls.end() && found->second.dragOver)
            return candidate;
        if (candidate->isWindow())
            break;
        *position = candidate->mapToParent(*position);
    }
    return nullptr;
}

bool ControlDrag::dragOver(QWidget* target, QPoint position)
{
    if (!isDragging())
        return false;
    QWidget* control = target != nullptr ? answeringControl(target, &position) : nullptr;
    m_lastTarget = control;
    m_lastAccepted = false;
    if (control == nullptr) {
        showAcceptance(false);
        return false;
    }
    bool accept = true;
    // A copy: the handler may register controls and so move the map's entries.
    const DragOverHandler handler = m_controls.at(control).dragOver;
    try {
        handler(m_source, position.x(), position.y(), accept);
    } catch (...) {
        showAcceptance(false);
        throw;
    }
    // The handler may have cancelled the drag or destroyed the control.
    m_lastAccepted = accept && m_lastTarget == control;
    showAcceptance(m_lastAccepted);
    return m_lastAccepted;
}

void ControlDrag::drop(QWidget* target, QPoint position)
{
    if (!isDragging())
        return;
    QPoint local = position;
    QWidget* control = target != nullptr ? answeringControl(target, &local) : nullptr;
    bool accepted = false;
    try {
        if (control != nullptr && control == m_lastTarget)
            accepted = m_lastAccepted;
        else if (control != nullptr)
            accepted = dragOver(target, position);
    } catch (...) {
        finish(nullptr, {}, false);
        throw;
    }
    if (!isDragging())
        return;
    finish(accepted ? control : nullptr, local, accepted);
}

void ControlDrag::cancel()
{
    if (isDragging())
        finish(nullptr, {}, false);
}

void ControlDrag::finish(QWidget* target, QPoint position, bool accepted)
{
    QWidget* source = m_source;
    endGesture();

    std::exception_ptr dropFailure;
    if (accepted && target != nullptr) {
        const auto found = m_controls.find(target);
        const DropHandler dropHandler = found != m_controls.end() ? found->second.drop : DropHandler();
        if (dropHandler) {
            try {
                dropHandler(source, position.x(), position.y());
            } catch (...) {
                dropFailure = std::current_exception();
            }
        }
    }

    // The drop handler may have destroyed the source; then nobody is left to tell.
    const bool sourceAlive = m_source != nullptr;
    m_source = nullptr;
    m_lastTarget = nullptr;
    m_lastAccepted = false;
    if (sourceAlive) {
        const auto found = m_controls.find(source);
        const EndDragHandler endDrag = found != m_controls.end() ? found->second.endDrag : EndDragHandler();
        if (endDrag) {
            if (accepted && target != nullptr)
                endDrag(target, position.x(), position.y());
            else
                endDrag(nullptr, 0, 0);
        }
    }
    if (dropFailure)
        std::rethrow_exception(dropFailure);
}

QWidget* ControlDrag::targetAt(QPoint globalPosition, QPoint* local) const
{
    QWidget* widget = QApplication::widgetAt(globalPosition);
    if (widget == nullptr) {
        // Platforms without a window stack to ask (offscreen): the topmost visible window
        // that holds the point, in the order Qt lists them.
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (auto window = windows.crbegin(); window != windows.crend() && widget == nullptr; ++window) {
            if (!(*window)->isVisible() || !(*window)->geometry().contains(globalPosition))
                continue;
            QWidget* child = (*window)->childAt((*window)->mapFromGlobal(globalPosition));
            widget = child != nullptr ? child : *window;
        }
    }
    if (widget != nullptr && local != nullptr)
        *local = widget->mapFromGlobal(globalPosition);
    return widget;
}

bool ControlDrag::dragOverGlobal(QPoint globalPosition)
{
    QPoint local;
    QWidget* widget = targetAt(globalPosition, &local);
    if (widget == nullptr) {
        m_lastTarget = nullptr;
        m_lastAccepted = false;
        showAcceptance(false);
        return false;
    }
    return dragOver(widget, local);
}

void ControlDrag::dropGlobal(QPoint globalPosition)
{
    if (!isDragging())
        return;
    QPoint local;
    QWidget* widget = targetAt(globalPosition, &local);
    if (widget == nullptr)
        finish(nullptr, {}, false);
    else
        drop(widget, local);
}

bool ControlDrag::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (m_filteringApplication)
        return handleDragEvent(watched, event);
    if (type != QEvent::MouseButtonPress)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton || isDragging())
        return false;
    QWidget* control = controlFor(watched);
    if (control == nullptr || dragMode(control) != DragMode::Automatic)
        return false;
    beginDrag(control);
    return true;
}

bool ControlDrag::handleDragEvent(QObject* watched, QEvent* event)
{
    if (!isDragging()) {
        endGesture();
        return false;
    }
    // Window-level copies of mouse events go on to their widgets; those are the ones taken.
    if (!watched->isWidgetType())
        return false;
    switch (event->type()) {
    case QEvent::MouseMove: {
        const QPoint global = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        runFromEventLoop("drag-over handler", [&] { dragOverGlobal(global); });
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QPoint global = mouse->globalPosition().toPoint();
            runFromEventLoop("drop", [&] { dropGlobal(global); });
        }
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return true;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            runFromEventLoop("end of drag", [&] { cancel(); });
            return true;
        }
        return false;
    default:
        return false;
    }
}

void ControlDrag::showAcceptance(bool accepted)
{
    if (!m_cursorShown)
        return;
    const Qt::CursorShape shape = accepted ? Qt::DragMoveCursor : Qt::ForbiddenCursor;
    if (shape == m_cursorShape)
        return;
    m_cursorShape = shape;
    QGuiApplication::changeOverrideCursor(QCursor(shape));
}

void ControlDrag::endGesture()
{
    if (m_filteringApplication) {
        qApp->removeEventFilter(this);
        m_filteringApplication = false;
    }
    if (m_cursorShown) {
        // Only our own cursor: a handler may have reset the program's cursors meanwhile.
        const QCursor* shown = QGuiApplication::overrideCursor();
        if (shown != nullptr && shown->shape() == m_cursorShape)
            QGuiApplication::restoreOverrideCursor();
        m_cursorShown = false;
    }
}

} // namespace vask
