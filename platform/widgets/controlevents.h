// The events a control reports in the platform's terms: clicks, mouse
// buttons and moves, focus entering and leaving, and keys as virtual-key
// codes and characters. Script forms and report dialog controls use it to
// call their handlers; a handler that sets a key to 0 (or a character to
// #0) swallows it, one that changes a character types the new one.
#pragma once

#include <QChar>
#include <QObject>
#include <functional>

class QWidget;
class QKeyEvent;

namespace bralvo::platform {

// TShiftState bits.
inline constexpr int kShiftShift = 1, kShiftAlt = 2, kShiftCtrl = 4, kShiftLeft = 8, kShiftRight = 16,
                     kShiftMiddle = 32, kShiftDouble = 64;
// TMouseButton values.
inline constexpr int kMouseLeft = 0, kMouseRight = 1, kMouseMiddle = 2;

// The virtual-key code of a Qt key; 0 for keys without one.
int virtualKeyOf(int qtKey);
// The TShiftState bits of modifiers and pressed mouse buttons.
int shiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);

struct ControlEvents {
    std::function<void()> onClick, onDblClick, onEnter, onExit, onResize;
    std::function<void(int button, int shift, int x, int y)> onMouseDown, onMouseUp;
    std::function<void(int shift, int x, int y)> onMouseMove;
    std::function<void(int &key, int shift)> onKeyDown, onKeyUp;
    std::function<void(QChar &key)> onKeyPress;
    // A button's click comes from its clicked signal; other controls
    // count a left press and release inside them as a click.
    bool clickFromMouse = true;
    // Child widgets (an editable combo's line edit) count as the control
    // for the mouse; a window takes only its own mouse events.
    bool childMouse = true;
    // The control's child widgets are watched (keys and mouse).
    bool watchChildren = true;
};

// Watches one widget (and, for keys and mouse, its child widgets such as
// an editable combo's line edit) and calls the handlers. Lives as a
// child of the widget.
class ControlEventRouter : public QObject {
public:
    ControlEventRouter(QWidget *widget, ControlEvents events);
    ControlEvents &events() { return m_events; }
    // Watches the keys of one more widget (a window's key preview).
    void watch(QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool key(QObject *watched, QKeyEvent *event);

    QWidget *m_widget;
    ControlEvents m_events;
    bool m_resending = false;
    bool m_pressed = false;
};

} // namespace bralvo::platform
