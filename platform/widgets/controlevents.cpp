// Control events in the platform's terms.
#include "platform/widgets/controlevents.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <utility>

namespace bralvo::platform {

int virtualKeyOf(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;  // the same codes
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 9;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Help: return 47;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    default: return 0;
    }
}

int shiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    int shift = 0;
    if (modifiers & Qt::ShiftModifier) shift |= kShiftShift;
    if (modifiers & Qt::AltModifier) shift |= kShiftAlt;
    if (modifiers & Qt::ControlModifier) shift |= kShiftCtrl;
    if (buttons & Qt::LeftButton) shift |= kShiftLeft;
    if (buttons & Qt::RightButton) shift |= kShiftRight;
    if (buttons & Qt::MiddleButton) shift |= kShiftMiddle;
    return shift;
}

namespace {

int buttonOf(Qt::MouseButton button)
{
    return button == Qt::RightButton ? kMouseRight : button == Qt::MiddleButton ? kMouseMiddle : kMouseLeft;
}

} // namespace

ControlEventRouter::ControlEventRouter(QWidget *widget, ControlEvents events)
    : QObject(widget), m_widget(widget), m_events(std::move(events))
{
    widget->installEventFilter(this);
    if (m_events.onMouseMove)
        widget->setMouseTracking(true);
    if (m_events.watchChildren) {
        for (QWidget *child : widget->findChildren<QWidget *>())
            child->installEventFilter(this);
    }
}

void ControlEventRouter::watch(QWidget *widget)
{
    widget->installEventFilter(this);
}

bool ControlEventRouter::key(QObject *watched, QKeyEvent *event)
{
    const int shift = shiftStateOf(event->modifiers());
    // Keys without a virtual-key code only type their character.
    int vk = virtualKeyOf(event->key());
    if (event->type() == QEvent::KeyRelease) {
        if (vk == 0 || !m_events.onKeyUp)
            return false;
        m_events.onKeyUp(vk, shift);
        return vk == 0;
    }
    if (vk != 0 && m_events.onKeyDown) {
        m_events.onKeyDown(vk, shift);
        if (vk == 0)
            return true;
    }
    if (!m_events.onKeyPress || event->text().isEmpty())
        return false;
    const QChar typed = event->text().at(0);
    QChar back = typed;
    m_events.onKeyPress(back);
    if (back == typed)
        return false;
    if (!back.isNull()) {
        // The handler typed another character: it goes in place of this one.
        QKeyEvent replaced(QEvent::KeyPress, 0, event->modifiers(), QString(back));
        m_resending = true;
        QApplication::sendEvent(watched, &replaced);
        m_resending = false;
    }
    return true;
}

bool ControlEventRouter::eventFilter(QObject *watched, QEvent *event)
{
    if (m_resending)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return key(watched, static_cast<QKeyEvent *>(event));
    case QEvent::FocusIn:
        if (watched == m_widget && m_events.onEnter)
            m_events.onEnter();
        break;
    case QEvent::FocusOut:
        if (watched == m_widget && m_events.onExit)
            m_events.onExit();
        break;
    case QEvent::Resize:
        if (watched == m_widget && m_events.onResize)
            m_events.onResize();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        if (!m_events.childMouse && watched != m_widget)
            break;
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint at = m_widget->mapFromGlobal(mouse->globalPosition().toPoint());
        const int shift = shiftStateOf(mouse->modifiers(), mouse->buttons() | mouse->button());
        if (event->type() == QEvent::MouseButtonDblClick) {
            if (m_events.onDblClick)
                m_events.onDblClick();
            break;
        }
        const bool down = event->type() == QEvent::MouseButtonPress;
        if (down && m_events.onMouseDown)
            m_events.onMouseDown(buttonOf(mouse->button()), shift, at.x(), at.y());
        if (!down && m_events.onMouseUp)
            m_events.onMouseUp(buttonOf(mouse->button()), shift, at.x(), at.y());
        if (m_events.clickFromMouse && mouse->button() == Qt::LeftButton) {
            if (down)
                m_pressed = true;
            else if (std::exchange(m_pressed, false) && m_widget->rect().contains(at) && m_events.onClick)
                m_events.onClick();
        }
        break;
    }
    case QEvent::MouseMove:
        if (m_events.onMouseMove && (m_events.childMouse || watched == m_widget)) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            const QPoint at = m_widget->mapFromGlobal(mouse->globalPosition().toPoint());
            m_events.onMouseMove(shiftStateOf(mouse->modifiers(), mouse->buttons()), at.x(), at.y());
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace bralvo::platform
