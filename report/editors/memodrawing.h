// What the two syntax editors share beyond the text model: the fonts of
// the colour codes, drawing the visible lines as runs of one code and
// selection state, the cell metrics and the caret moves of the
// navigation keys.
#pragma once

#include "report/editors/syntaxtext.h"

#include <QColor>
#include <QFont>
#include <QStringList>

class QPainter;
class QKeyEvent;

namespace bralvo::report {

struct MemoAttr {
    QFont font;
    QColor color;
};

struct MemoStyle {
    MemoAttr text, comment, keyword, string, number;
    QColor background, blockColor, blockFontColor;
    bool monospace = true;
    int charWidth = 8, charHeight = 16;
    int left = 0;        // x of the first text column (the gutter's width)
    int activeLine = -1; // 1-based, drawn in the selection colours

    const MemoAttr &attrOf(QChar code) const;
};

// The defaults of both editors: window text regular, keywords bold,
// comments navy italic, strings navy, numbers green; selection in the
// highlight colours.
MemoStyle DefaultMemoStyle(const QFont &font);
// Gives every attribute the font's family and size (colours and
// styles stay) and measures one cell: "W" wide and "Wg" high in bold,
// plus extraHeight.
void ApplyMemoFont(MemoStyle &style, const QFont &font, int extraHeight);

// Draws the visible lines (from the view offset) with codes (missing
// codes count as plain text), right of style.left, widthPixels wide.
void PaintMemoLines(QPainter &p, const SyntaxText &text, const QStringList &codes,
                    const MemoStyle &style, int widthPixels, int heightPixels);

// Page Up/Down, Home/End, the arrows (Ctrl: word moves, text start and
// end): moves the caret, arms undo and extends (Shift) or clears the
// selection. False for any other key.
bool MemoNavigationKey(SyntaxText &text, int key, bool ctrl, bool shift);

} // namespace bralvo::report
