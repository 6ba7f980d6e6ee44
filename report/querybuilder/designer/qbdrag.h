// Dragging inside the query builder window, done with plain mouse events
// (press, move past the start distance, release over a target) so that it
// stays inside the window and can be driven by synthetic events. A source
// widget feeds its mouse events to a QbDragTracker; the widget under the
// release point (or one of its parents) that is a QbDropTarget decides.
#pragma once

#include <QPoint>

class QMouseEvent;
class QWidget;

namespace bralvo::report {

class QbDropTarget {
public:
    virtual ~QbDropTarget() = default;
    // Whether source may be dropped at local (the target's coordinates);
    // may also show where it would land.
    virtual bool CanDrop(QWidget *source, QPoint local) = 0;
    virtual void Drop(QWidget *source, QPoint local) = 0;
};

class QbDragTracker {
public:
    explicit QbDragTracker(QWidget *source) : m_source(source) {}

    void Press(const QMouseEvent *event);
    // True while a drag runs (the source should not treat the move itself).
    bool Move(const QMouseEvent *event);
    // True when the release ended a drag (dropped or refused).
    bool Release(const QMouseEvent *event);
    bool Dragging() const { return m_dragging; }

    // The drop target under a global point of source's window, with the
    // point in the target's coordinates.
    static QbDropTarget *TargetAt(QWidget *source, QPoint globalPos, QPoint *local);

private:
    QWidget *m_source;
    QPoint m_start;
    bool m_pressed = false;
    bool m_dragging = false;
};

} // namespace bralvo::report
