// TrpDialogForm: the window in which a dialog page of a report runs. It
// starts empty (the page puts its controls on it). The user cannot close
// it unless OnCloseQuery, which the dialog page installs, allows it; the
// page hears through OnModify when the user moved or sized it.
#pragma once

#include "report/model/trpdialogpage.h"  // kThreadSafeDialogTag

#include <QDialog>
#include <functional>

namespace bralvo::platform {
class Component;
}

namespace bralvo::report {

class TrpDialogForm : public QDialog {
    Q_OBJECT
public:
    // Thread-safe when Owner's Tag is 318: the window then has no parent
    // and skips its design settings (caption " ", 115 x 59, Tahoma 8).
    explicit TrpDialogForm(const platform::Component *owner, QWidget *parent = nullptr);

    bool ThreadSafe() const { return m_threadSafe; }
    // Decides whether the user may close the window; none: refused.
    std::function<bool()> OnCloseQuery;
    // After the user moved or sized the window.
    std::function<void(TrpDialogForm *)> OnModify;
    // Key preview: every key pressed in the window, arrows and Tab
    // included, reaches this first; set Handled to keep it from the
    // focused control.
    std::function<void(int key, Qt::KeyboardModifiers modifiers, bool &handled)> OnKeyDown;
    // The same for releases.
    std::function<void(int key, Qt::KeyboardModifiers modifiers, bool &handled)> OnKeyUp;
    // The character a key types, after OnKeyDown; #0 swallows it, another
    // character is typed in its place.
    std::function<void(QChar &key)> OnKeyPress;
    // The window became or stopped being the active one; a click on the
    // window itself; any change of its size.
    std::function<void()> OnActivate, OnDeactivate, OnClick, OnResize;

    void reject() override;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void childEvent(QChildEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool mayClose() const { return OnCloseQuery && OnCloseQuery(); }
    bool previewKey(QObject *target, QEvent *event);
    bool previewCharacter(QObject *target, QKeyEvent *event);

    bool m_threadSafe;
    bool m_resending = false;
};

} // namespace bralvo::report
