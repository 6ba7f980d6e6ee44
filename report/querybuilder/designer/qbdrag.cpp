// In-window dragging of the query builder.
#include "report/querybuilder/designer/qbdrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace bralvo::report {

void QbDragTracker::Press(const QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    m_dragging = false;
    m_start = event->globalPosition().toPoint();
}

bool QbDragTracker::Move(const QMouseEvent *event)
{
    if (!m_pressed || !(event->buttons() & Qt::LeftButton))
        return false;
    const QPoint global = event->globalPosition().toPoint();
    if (!m_dragging && (global - m_start).manhattanLength() >= QApplication::startDragDistance())
        m_dragging = true;
    if (m_dragging) {
        QPoint local;
        QbDropTarget *target = TargetAt(m_source, global, &local);
        const bool ok = target && target->CanDrop(m_source, local);
        m_source->setCursor(ok ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
    }
    return m_dragging;
}

bool QbDragTracker::Release(const QMouseEvent *event)
{
    const bool wasDragging = m_dragging;
    m_pressed = m_dragging = false;
    if (!wasDragging)
        return false;
    m_source->unsetCursor();
    QPoint local;
    if (QbDropTarget *target = TargetAt(m_source, event->globalPosition().toPoint(), &local);
        target && target->CanDrop(m_source, local))
        target->Drop(m_source, local);
    return true;
}

QbDropTarget *QbDragTracker::TargetAt(QWidget *source, QPoint globalPos, QPoint *local)
{
    QWidget *window = source->window();
    for (QWidget *w = window->childAt(window->mapFromGlobal(globalPos)); w; w = w->parentWidget()) {
        if (auto *target = dynamic_cast<QbDropTarget *>(w)) {
            *local = w->mapFromGlobal(globalPos);
            return target;
        }
        if (w == window)
            break;
    }
    return nullptr;
}

} // namespace bralvo::report
