// The named values property editors offer: colours, font charsets,
// cursors, modal results and menu shortcuts, with the text forms the
// editors show ("clRed", "EASTEUROPE_CHARSET", "crHandPoint", "mrOk",
// "Ctrl+A").
#pragma once

#include <QStringList>
#include <optional>

namespace bralvo::report {

struct NamedValue {
    const char *name;
    qint64 value;
};

// Tables in the platform's order.
const QList<NamedValue> &ColorNames();
const QList<NamedValue> &CharsetNames();
const QList<NamedValue> &CursorNames();
const QStringList &ModalResultNames(); // "mrNone" .. "mrYesToAll", index = value

// Name of a value, or nothing; value of a name (ignoring case), or nothing.
std::optional<QString> NameOf(const QList<NamedValue> &table, qint64 value);
std::optional<qint64> ValueOf(const QList<NamedValue> &table, const QString &name);

// A colour as text: its name, else "$" and eight hexadecimal digits.
QString ColorToText(qint64 color);
// A name, "$" hexadecimal, or a decimal number; nothing for anything else.
std::optional<qint64> TextToColor(const QString &text);

// Shortcut codes: key | 0x2000 Shift | 0x4000 Ctrl | 0x8000 Alt.
QString ShortCutToText(int shortcut);
// 0 for a text that names no shortcut.
int TextToShortCut(const QString &text);
// The 108 shortcuts the shortcut editor offers, in order.
const QList<int> &StandardShortCuts();

} // namespace bralvo::report
