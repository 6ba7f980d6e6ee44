// The memos edit with Tab instead of letting it move the focus: their
// event() hands a Tab press to their own key handling before the widget
// base sees it (QWidget::event would take it for focus changes).
#pragma once

#include <QEvent>
#include <QKeyEvent>

namespace bralvo::report {

// Calls onTab with the key event when event is a Tab press; true then.
template <typename OnTab>
bool captureTabPress(QEvent *event, OnTab onTab)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Tab)
        return false;
    onTab(key);
    return true;
}

} // namespace bralvo::report
