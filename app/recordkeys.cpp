// Focus moves and the number key filter of the record windows.
#include "app/recordkeys.h"

#include "platform/regionalsettings.h"
#include "services/numbers.h"
#include "services/uitexts.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace bralvo::app {

namespace {

bool takesTabFocus(const QWidget &form, const QWidget &w)
{
    return form.isAncestorOf(&w) && w.isVisibleTo(&form) && w.isEnabled() &&
           (w.focusPolicy() & Qt::TabFocus) && !w.focusProxy();
}

} // namespace

void FocusNeighbour(QWidget &form, QWidget &from, bool forward)
{
    QWidget *start = &from;
    // The line edit of a combo box hands its focus to the combo.
    while (start->focusProxy())
        start = start->focusProxy();
    QWidget *candidate = start;
    // The focus chain is circular and spans the whole top-level window.
    do {
        candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (candidate != start && takesTabFocus(form, *candidate)) {
            candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    } while (candidate && candidate != start);
}

bool MoveFocusByKey(QWidget &form, QWidget &from, const QKeyEvent &key)
{
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        FocusNeighbour(form, from, true);
        return true;
    case Qt::Key_Up:
        FocusNeighbour(form, from, false);
        return true;
    default:
        return false;
    }
}

bool IsOwnFocusMove(const QEvent &event)
{
    if (event.type() != QEvent::FocusIn && event.type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent &>(event).reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

bool IsListMoveKey(const QKeyEvent &key)
{
    switch (key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

bool FilterNumberKey(QLineEdit &field, const QKeyEvent &key)
{
    const QString text = key.text();
    if (key.key() == Qt::Key_Backspace || text.isEmpty() || !text.at(0).isPrint())
        return false;
    const QChar typed = text.at(0);
    const QChar separator = platform::regionalSettings().decimalSeparator;
    if (typed == u'-' || (typed >= u'0' && typed <= u'9'))
        return false;
    if (typed != separator && typed != services::OtherDecimalSeparator()) {
        QApplication::beep();
        return true;
    }
    if (field.hasSelectedText())
        field.del();
    const QString old = field.text();
    int caret = field.cursorPosition();
    QString kept;
    for (int i = 0; i < old.size(); ++i) {
        if (old.at(i) == separator) {
            if (i < caret)
                --caret;
            continue;
        }
        kept += old.at(i);
    }
    field.setText(kept);
    field.setCursorPosition(caret);
    field.insert(QString(separator));
    return true;
}

QString MessageWithName(int number, const QString &name)
{
    return services::FillPlaceholders(services::MessageText(number), {name});
}

} // namespace bralvo::app
