// The window-wide keys: Esc, F1 and Enter that moves on.
#include "platform/widgets/keypreview.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QWidget>

namespace bralvo::platform {

KeyPreview::KeyPreview(QWidget *window) : QObject(window), m_window(window)
{
    m_onEscape = [window] { window->close(); };
    watch(window);
}

void KeyPreview::watch(QWidget *widget)
{
    widget->installEventFilter(this);
    for (QWidget *child : widget->findChildren<QWidget *>())
        child->installEventFilter(this);
    for (QPushButton *button : widget->findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

bool KeyPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Escape:
        if (m_onEscape)
            m_onEscape();
        return true;
    case Qt::Key_F1:
        if (m_onHelp)
            m_onHelp();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return handleEnter(qobject_cast<QWidget *>(watched));
    default:
        return false;
    }
}

bool KeyPreview::handleEnter(QWidget *focused)
{
    if (!focused)
        return false;
    // Multi-line fields keep Enter for their own line breaks.
    if (qobject_cast<QPlainTextEdit *>(focused) || qobject_cast<QTextEdit *>(focused))
        return false;
    // A check box or radio button changes only by a click or Space: Enter
    // walking through a form must not flip a setting on its way.
    const bool choice = qobject_cast<QCheckBox *>(focused) || qobject_cast<QRadioButton *>(focused);
    if (auto *button = qobject_cast<QAbstractButton *>(focused); button && !choice) {
        button->click();
        return true;
    }
    // Moving on is what Tab does; the window's focus chain decides where.
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(focused, &tab);
    return true;
}

} // namespace bralvo::platform
