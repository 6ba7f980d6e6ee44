// The keyboard feel every window shares: Esc closes the window, F1 asks
// for its help topic, Enter moves to the next field (or presses the
// focused push button; a check box or radio button is passed, never
// toggled), and no button is a default button.
#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace bralvo::platform {

class KeyPreview : public QObject {
    Q_OBJECT
public:
    // Installs itself on the window and every child widget that exists
    // now, and clears the default flag of every push button.
    explicit KeyPreview(QWidget *window);

    // What Esc does; by default the window closes.
    void setEscapeHandler(std::function<void()> handler) { m_onEscape = std::move(handler); }
    // What F1 does; by default nothing.
    void setHelpHandler(std::function<void()> handler) { m_onHelp = std::move(handler); }

    // Adds widgets created after construction.
    void watch(QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool handleEnter(QWidget *focused);

    QWidget *m_window;
    std::function<void()> m_onEscape;
    std::function<void()> m_onHelp;
};

} // namespace bralvo::platform
