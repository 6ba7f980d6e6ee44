// Typing aids the record windows (customers, items, categories) share:
// moving the focus with Enter and the arrow keys, the key filter of
// their number fields, and their messages naming a record.
#pragma once

#include <QString>

class QEvent;
class QKeyEvent;
class QLineEdit;
class QWidget;

namespace bralvo::app {

// Moves the focus from `from` to the next (forward) or previous control
// of `form` in tab order that is visible, enabled and takes Tab focus,
// wrapping at the ends. Nothing happens when no other control qualifies.
void FocusNeighbour(QWidget &form, QWidget &from, bool forward);

// The arrow and Enter keys of the record windows: Enter (either key) or
// Down moves forward, Up back; any modifier may be held. True when the
// focus was moved.
bool MoveFocusByKey(QWidget &form, QWidget &from, const QKeyEvent &key);

// A focus event of the window's own (Tab, a click, code), not the window
// losing or regaining activation to another window or a popup: only
// those run the fields' enter and exit handlers, so a message box never
// reformats a field nor leaves a highlight stuck.
bool IsOwnFocusMove(const QEvent &event);

// A key that moves a list box's selection (arrows, page keys, Home, End):
// the record windows load the entry it lands on, as a click would.
bool IsListMoveKey(const QKeyEvent &key);

// The key filter of a number field: Backspace, "-", "0" to "9" and both
// decimal separators pass; any other character is swallowed with a beep.
// A separator replaces every locale decimal separator already in the
// field (the caret keeps its place among the rest) and is typed as the
// locale's one, so the field keeps one separator, at the caret. Keys
// without a printable character (arrows, Enter, Tab, shortcuts) are left
// alone. True when the key was dealt with here and must go no further.
bool FilterNumberKey(QLineEdit &field, const QKeyEvent &key);

// UI text `number` with the name put in for its "%s" ("Items "%s" was
// added successfully."). Never throws: a translated text without the mark
// is shown as it stands, as every other message is.
QString MessageWithName(int number, const QString &name);

} // namespace bralvo::app
