// A script form's window.
#include "script/bindings/tscformwindow.h"

#include <QCloseEvent>
#include <QPainter>

namespace bralvo::script {

TscFormWindow::TscFormWindow() : QDialog(nullptr, Qt::Window)
{
    resize(320, 240);
}

// Esc presses the cancel button, else closes as the window's close
// button does.
void TscFormWindow::reject()
{
    if (!hooks.escape || !hooks.escape())
        close();
}

bool TscFormWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && hooks.activate)
        hooks.activate();
    else if (event->type() == QEvent::WindowDeactivate && hooks.deactivate)
        hooks.deactivate();
    return QDialog::event(event);
}

void TscFormWindow::closeEvent(QCloseEvent *event)
{
    if (hooks.closeQuery && !hooks.closeQuery())
        event->ignore();
    else
        event->accept();
}

void TscFormWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (hooks.show)
        hooks.show();
}

void TscFormWindow::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (hooks.hide)
        hooks.hide();
}

void TscFormWindow::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    if (hooks.paint) {
        QPainter painter(this);
        hooks.paint(painter);
    }
}

void TscFormWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (hooks.resize)
        hooks.resize();
}

} // namespace bralvo::script
