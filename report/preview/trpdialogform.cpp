// The window of a report dialog page.
#include "report/preview/trpdialogform.h"

#include "platform/component.h"

#include <QApplication>
#include <QChildEvent>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
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

bool TrpDialogForm::previewCharacter(QObject *target, QKeyEvent *event)
{
    if (!OnKeyPress || event->text().isEmpty())
        return false;
    const QChar typed = event->text().at(0);
    QChar back = typed;
    OnKeyPress(back);
    if (back == typed)
        return false;
    if (!back.isNull()) {
        QKeyEvent replaced(QEvent::KeyPress, 0, event->modifiers(), QString(back));
        m_resending = true;
        QApplication::sendEvent(target, &replaced);
        m_resending = false;
    }
    return true;
}

bool TrpDialogForm::previewKey(QObject *target, QEvent *event)
{
    if (m_resending || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    bool handled = false;
    if (event->type() == QEvent::KeyRelease) {
        if (OnKeyUp)
            OnKeyUp(key->key(), key->modifiers(), handled);
        return handled;
    }
    if (OnKeyDown)
        OnKeyDown(key->key(), key->modifiers(), handled);
    return handled || previewCharacter(target, key);
}

// Tab and the arrows would move the focus before any key handler saw
// them; the window wants them itself.
bool TrpDialogForm::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && OnActivate)
        OnActivate();
    else if (event->type() == QEvent::WindowDeactivate && OnDeactivate)
        OnDeactivate();
    // A key a focused control left unused comes up here again; the
    // filter has shown it already.
    QWidget *focused = focusWidget();
    if ((!focused || focused == this) && previewKey(this, event))
        return true;
    return QDialog::event(event);
}

bool TrpDialogForm::eventFilter(QObject *watched, QEvent *event)
{
    if (previewKey(watched, event))
        return true;
    return QDialog::eventFilter(watched, event);
}

void TrpDialogForm::mouseReleaseEvent(QMouseEvent *event)
{
    QDialog::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
        OnClick();
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
    if (OnResize)
        OnResize();
    if (event->spontaneous() && OnModify)
        OnModify(this);
}

} // namespace bralvo::report
