// The start menu: a maximised MDI child without border that repeats the
// most used menu items as eight large buttons. Two arrows mark the
// focused button; once start-up has finished and the mouse has moved over
// a button, the focus follows the mouse.
#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QPushButton;

namespace bralvo::platform { class KeyPreview; }

namespace bralvo::app {

class TfMain;

class TfMenu : public QWidget {
    Q_OBJECT
public:
    explicit TfMenu(TfMain &main);  // main outlives us

    // Each button is enabled as its menu item is (Koniec always).
    void updateButtons();

    QPushButton *button(const QString &name) const;

    // Shared handlers of the eight buttons.
    void bitSpravaUzivatelovEnter(QPushButton &button);
    void bitSpravaUzivatelovExit(QPushButton &button);
    void bitSpravaUzivatelovMouseEnter(QPushButton &button);
    void bitSpravaUzivatelovMouseMove(QPushButton &button);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;  // FormResize
    void showEvent(QShowEvent *event) override;      // FormShow

private:
    void buildButtons();
    // Runs a button's menu handler, its errors shown by RunGuarded.
    void runHandler(void (TfMain::*handler)());

    TfMain &m_main;
    QWidget *pnlMain;
    QLabel *Panel1;
    QGroupBox *GroupBox1;
    QLabel *imSipkaL;
    QLabel *imSipkaR;
    QList<QPushButton *> m_buttons;
    platform::KeyPreview *m_keys;
};

} // namespace bralvo::app
