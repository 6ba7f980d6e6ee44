// Driving modal windows in offscreen tests: the test queues what to do
// with the next modal window before the code under test opens it.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace bralvo::test {

// Runs action once on the next modal window that opens, from inside its
// event loop. The action must close the window.
inline void onNextModal(std::function<void(QWidget &)> action)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        action(*modal);
    });
    timer->start();
}

// While it lives, any modal window that opens fails the test and is closed.
class NoModalExpected {
public:
    NoModalExpected()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "unexpected modal window " << modal->objectName().toStdString();
                modal->close();
            }
        });
        m_timer.start();
    }

private:
    QTimer m_timer;
};

} // namespace bralvo::test
