// Focus highlight and arrow/Enter navigation of the record windows.
#include "app/fieldkeys.h"

#include "app/recordkeys.h"

#include "services/windowhelpers.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QWidget>

namespace bralvo::app {

FieldKeys::FieldKeys(QWidget &window, int slot) : QObject(&window), m_slot(slot) {}

void FieldKeys::highlight(QWidget *control)
{
    m_highlighted << control;
    control->installEventFilter(this);
}

void FieldKeys::moveOnKeys(QWidget *control)
{
    m_moving << control;
    control->installEventFilter(this);
}

void FieldKeys::memoKeys(QPlainTextEdit *memo)
{
    // Tab leaves the memo as it leaves an edit, so moving on works alike.
    memo->setTabChangesFocus(true);
    m_memos << memo;
    memo->installEventFilter(this);
}

namespace {

class SelectionKeys : public QObject {
public:
    SelectionKeys(QListWidget &list, std::function<void()> handler)
        : QObject(&list), m_handler(std::move(handler))
    {
        list.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        // On release the list has already moved its selection.
        if (event->type() == QEvent::KeyRelease && IsListMoveKey(*static_cast<QKeyEvent *>(event)))
            m_handler();
        return false;
    }

private:
    std::function<void()> m_handler;
};

} // namespace

void FieldKeys::OnSelectionKeys(QListWidget &list, std::function<void()> handler)
{
    new SelectionKeys(list, std::move(handler));
}

bool FieldKeys::MoveFocusByKey(QWidget &from, int key)
{
    int step = 0;
    if (key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter)
        step = Qt::Key_Tab;
    else if (key == Qt::Key_Up)
        step = Qt::Key_Backtab;
    else
        return false;
    // The window's tab chain decides where, exactly as Tab would.
    QKeyEvent tab(QEvent::KeyPress, step, step == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    QCoreApplication::sendEvent(&from, &tab);
    return true;
}

bool FieldKeys::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = qobject_cast<QWidget *>(watched);
    if (!control)
        return false;
    const QEvent::Type type = event->type();
    if ((type == QEvent::FocusIn || type == QEvent::FocusOut) && m_highlighted.contains(watched)) {
        if (type == QEvent::FocusIn)
            services::HighlightOnEnter(*control, 1, m_slot);
        else
            services::RestoreColorOnExit(*control, m_slot);
        return false;
    }
    if (type != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (m_memos.contains(watched)) {
        if (!(key->modifiers() & Qt::ControlModifier))
            return MoveFocusByKey(*control, key->key());
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            static_cast<QPlainTextEdit *>(control)->insertPlainText(QStringLiteral("\n"));
            return true;
        }
        return false;
    }
    if (m_moving.contains(watched))
        return MoveFocusByKey(*control, key->key());
    return false;
}

} // namespace bralvo::app
