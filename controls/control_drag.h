#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>
#include <unordered_map>

class QWidget;

namespace vask {

// The in-program drag and drop between controls (pictures, LEAD controls, the annotation
// memo), as the windows' handlers expect it:
// - a control is in manual or automatic drag mode; a left press on a control in automatic
//   mode starts a drag at once;
// - while the pointer moves, the control under it (or its nearest ancestor with a handler)
//   is asked to accept: its drag-over handler gets the source, the position in its own
//   coordinates and an accept flag that starts true;
// - on release over a control that accepted, its drop handler runs;
// - the source's end-of-drag handler always runs last, with the target (null when none
//   accepted) and the position in the target's coordinates.
// Everything is synchronous: tests drive it with dragOver()/drop() without a window system.
//
// Our choices where the contract is silent:
// - a control without a drag-over handler hands the question to its nearest ancestor with
//   one (positions converted to that ancestor); with none up to the window, the drag is
//   refused there and the control's drop handler is never reached. Handlers are given to
//   and called with that ancestor, which is also the end-of-drag target;
// - drop() uses the last answer when the pointer is still over the control that gave it,
//   and asks again otherwise; a control that accepted but has no drop handler is still the
//   end-of-drag target;
// - the end of drag gets (null, 0, 0) when no control accepted;
// - a drop handler's exception is caught, the end of drag runs, then the exception is
//   thrown again from drop(). From the mouse (the event filter) exceptions of any handler
//   are swallowed with a warning instead, since they must not cross Qt's event loop; the
//   windows' handlers report their own faults anyway;
// - while the drag runs (until the drop handler starts, so a message box in it works) the
//   layer filters every mouse event of the program: moves ask the control under the pointer,
//   a left release drops, Escape cancels, presses are swallowed. The pointer shows
//   Qt::DragMoveCursor over an accepting control and Qt::ForbiddenCursor elsewhere, as an
//   override cursor removed again before the drop;
// - a picture buffer's presses arrive on its scroll-area viewport; the viewport stands for
//   its control;
// - handlers and modes of a control are forgotten when it is destroyed.
class ControlDrag : public QObject {
    Q_OBJECT
public:
    enum class DragMode { Manual, Automatic };
    using DragOverHandler = std::function<void(QWidget* source, int x, int y, bool& accept)>;
    using DropHandler = std::function<void(QWidget* source, int x, int y)>;
    using EndDragHandler = std::function<void(QWidget* target, int x, int y)>;

    static ControlDrag& instance();

    void setDragMode(QWidget* control, DragMode mode);
    DragMode dragMode(QWidget* control) const;

    void setDragOverHandler(QWidget* target, DragOverHandler handler);
    void setDropHandler(QWidget* target, DropHandler handler);
    void setEndDragHandler(QWidget* source, EndDragHandler handler);

    // Starts a drag from source (what an automatic press does, or a manual BeginDrag).
    void beginDrag(QWidget* source);
    bool isDragging() const { return m_source != nullptr; }
    QWidget* source() const { return m_source; }

    // Asks target (at a position in its own coordinates) to accept; returns the flag.
    bool dragOver(QWidget* target, QPoint position);
    // Ends the drag over target: drop when it accepted, then the source's end of drag.
    void drop(QWidget* target, QPoint position);
    // Ends the drag over nothing: only the end of drag runs.
    void cancel();

    // The same from a screen position, finding the control under it.
    bool dragOverGlobal(QPoint globalPosition);
    void dropGlobal(QPoint globalPosition);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Handlers {
        DragMode mode = DragMode::Manual;
        DragOverHandler dragOver;
        DropHandler drop;
        EndDragHandler endDrag;
    };
    Handlers& handlersOf(QWidget* control);
    // The registered control a watched widget stands for (itself or a scroll area's viewport).
    QWidget* controlFor(QObject* watched) const;
    // The control that answers for widget: itself or its nearest ancestor with a drag-over
    // handler; position converted into it. Null when there is none.
    QWidget* answeringControl(QWidget* widget, QPoint* position) const;
    QWidget* targetAt(QPoint globalPosition, QPoint* local) const;
    void finish(QWidget* target, QPoint position, bool accepted);
    bool handleDragEvent(QObject* watched, QEvent* event);
    void showAcceptance(bool accepted);
    // Removes the program-wide mouse filter and the drag cursor.
    void endGesture();

    std::unordered_map<QWidget*, Handlers> m_controls;
    QPointer<QWidget> m_source;
    QPointer<QWidget> m_lastTarget;
    bool m_lastAccepted = false;
    bool m_filteringApplication = false;
    bool m_cursorShown = false;
    Qt::CursorShape m_cursorShape = Qt::ForbiddenCursor;
};

} // namespace vask
