// The keyboard and focus feel of the record windows (users and firm,
// accounts, notes): a focused field is highlighted in the window's colour
// slot, Enter and Down move to the next control in tab order, Up to the
// previous one, and a note memo takes Ctrl+Enter as a new line.
//
// Install it after the window's KeyPreview: filters installed later see
// the keys first, so Enter here moves on instead of pressing a button.
#pragma once

#include <QObject>
#include <functional>

class QListWidget;
class QPlainTextEdit;
class QWidget;

namespace bralvo::app {

class FieldKeys : public QObject {
public:
    // slot: the window's element of SavedControlColors (1-based).
    FieldKeys(QWidget &window, int slot);

    // Highlight on focus in, the saved colour back on focus out.
    void highlight(QWidget *control);
    // Enter / Down / Up move the focus (MoveFocusByKey).
    void moveOnKeys(QWidget *control);
    // A memo: keys with Ctrl held are the memo's own (Ctrl+Enter adds a
    // line); otherwise as moveOnKeys.
    void memoKeys(QPlainTextEdit *memo);

    // A list's click handler also runs when the user moves its selection
    // with the keys (arrows, Home, End, Page Up/Down), as a click would;
    // a selection set by code runs nothing.
    static void OnSelectionKeys(QListWidget &list, std::function<void()> handler);

    // Down or Enter: the next control in tab order; Up: the previous one.
    // True when the key was one of the three.
    static bool MoveFocusByKey(QWidget &from, int key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int m_slot;
    QList<QObject *> m_highlighted;
    QList<QObject *> m_moving;
    QList<QObject *> m_memos;
};

} // namespace bralvo::app
