// TrpProgress: the borderless window that shows while a report is
// prepared with OldStyleProgress, exported or printed: a message, an
// optional progress bar and a Cancel button. While it shows, the window
// that was active when it was made is disabled; it is enabled again when
// the progress window hides or goes (if it still exists then). A press
// anywhere on the window drags it.
#pragma once

#include "report/model/trpwindows.h"

#include <QPointer>
#include <QWidget>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

namespace bralvo::report {

class TrpProgress : public QWidget, public TrpProgressWindow {
    Q_OBJECT
public:
    // Remembers and disables the active window; the bar runs 0 .. 100 at 0.
    TrpProgress();
    ~TrpProgress() override;

    // Terminated false, Cancel visible as ShowCancel, the bar 0 .. MaxValue
    // at 0 and visible as ShowProgressBar, Msg shown; the window shows.
    void Execute(int maxValue, const QString &msg, bool showProgressBar, bool showCancel) override;
    void SetMessage(const QString &text) override;
    QString Message() const override;
    bool Terminated() const override { return m_terminated; }
    // True also closes the window.
    void SetTerminated(bool value);
    int Position() const;
    // Moves the bar, brings the window to the front, handles pending events.
    void SetPosition(int value);
    void Reset() { SetPosition(0); }
    bool ShowProgressBar() const { return m_showProgressBar; }
    // The message sits lower when there is no bar.
    void SetShowProgressBar(bool value);

    QLabel *LMessage;
    QProgressBar *Bar;
    QPushButton *CancelB;

protected:
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void enableRemembered();

    QFrame *m_panel;
    QPointer<QWidget> m_remembered;
    bool m_terminated = false;
    bool m_showProgressBar = false;
    QPoint m_dragOffset;
};

} // namespace bralvo::report
