// The window of a report dialog page.
#include "report/preview/trpdialogform.h"

#include "platform/component.h"

#include <QChildEvent>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMoveEvent>
#include <QResizeEvent>

namespace bralvo::report {

TrpDialogForm::TrpDialogForm(const platform::Component *owner, QWidget *parent)
    : QDialog(owner && owner->tag() == kThreadSafeDialogTag ? nullptr : parent),
      m_threadSafe(owner && owner->tag() == kThreadSafeDialogTag)
{
    setObjectName(QStringLiteral("TrpDialogForm"));
    if (m_threadSafe)
        return;
    setWindowTitle(QStringLiteral(" "));
    resize(115, 59);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
}

void TrpDialogForm::reject()
{
    // Esc is a close by the user as well.
    if (mayClose())
        QDialog::reject();
}

void TrpDialogForm::closeEvent(QCloseEvent *event)
{
    if (mayClose())
        QDialog::closeEvent(event);
    else
        event->ignore();
}

bool TrpDialogForm::previewKey(QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !OnKeyDown)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    bool handled = false;
    OnKeyDown(key->key(), key->modifiers(), handled);
    return handled;
}

// Tab and the arrows would move the focus before any key handler saw
// them; the window wants them itself.
bool TrpDialogForm::event(QEvent *event)
{
    // A key a focused control left unused comes up here again; the
    // filter has shown it already.
    QWidget *focused = focusWidget();
    if ((!focused || focused == this) && previewKey(event))
        return true;
    return QDialog::event(event);
}

bool TrpDialogForm::eventFilter(QObject *watched, QEvent *event)
{
    if (previewKey(event))
        return true;
    return QDialog::eventFilter(watched, event);
}

void TrpDialogForm::childEvent(QChildEvent *event)
{
    if ((event->added() || event->polished()) && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
    QDialog::childEvent(event);
}

void TrpDialogForm::moveEvent(QMoveEvent *event)
{
    QDialog::moveEvent(event);
    if (event->spontaneous() && OnModify)
        OnModify(this);
}

void TrpDialogForm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (event->spontaneous() && OnModify)
        OnModify(this);
}

} // namespace bralvo::report
