// The text model shared by the two syntax-colouring editors: lines,
// caret, selection, one editing primitive (InsertText), whole-text undo
// snapshots, ten bookmarks and the editing commands behind the keys.
// The editors differ only in their EditPolicy; the model knows nothing
// of widgets, so its arithmetic is tested without a display.
//
// Positions are QPoint(column, line), both 1-based; a selection start
// column of 0 means "no selection". Bookmarks hold 0-based line indexes.
#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <array>

namespace bralvo::report {

struct EditPolicy {
    enum class TabRule { NextStop8, AlignAbove };

    // Snapshots only when armed (navigation arms, typing disarms) instead
    // of before every edit.
    bool armedUndo = true;
    TabRule tab = TabRule::NextStop8;
    // Bytes 192..255 count as word characters too.
    bool highWordChars = true;
    // Enter in column 1 also moves a bookmark of the caret's own line.
    bool enterMovesOwnBookmark = true;

    // The defaults serve the report's script editor; the query editor's:
    static EditPolicy queryEditor()
    {
        EditPolicy p;
        p.armedUndo = false;
        p.tab = TabRule::AlignAbove;
        p.highWordChars = false;
        p.enterMovesOwnBookmark = false;
        return p;
    }
};

class SyntaxText {
public:
    static constexpr int kMaxLength = 1024;
    static constexpr int kUndoLimit = 32;
    static constexpr int kBookmarks = 10;

    explicit SyntaxText(const EditPolicy &policy = {});

    const EditPolicy &policy() const { return m_policy; }

    // --- text -------------------------------------------------------
    const QStringList &lines() const { return m_lines; }
    int lineCount() const { return int(m_lines.size()); }
    QString line(int y) const; // 1-based; "" outside
    // Lines joined with CR LF.
    QString text() const { return m_lines.join(QStringLiteral("\r\n")); }
    // A fresh editing state: caret (1,1), view (0,0), no selection, no
    // undo. Line breaks may be CR LF, LF or CR.
    void reset(const QStringList &lines);
    bool modified() const { return m_modified; }
    void setModified(bool value) { m_modified = value; }

    // --- caret, view and selection ------------------------------------
    QPoint pos() const { return m_pos; }
    QPoint offset() const { return m_offset; }   // first visible column, line (0-based)
    void setOffset(QPoint value) { m_offset = value; }
    QPoint windowSize() const { return m_window; } // whole visible columns, lines
    void setWindowSize(QPoint value) { m_window = value; }
    // Clamps to 1..kMaxLength and 1..lineCount and scrolls the view so
    // the caret is visible (when the window size is known).
    void setPos(int x, int y);
    QPoint anchor() const { return m_anchor; }
    void setAnchor(QPoint value) { m_anchor = value; }
    QPoint selStart() const { return m_selStart; }
    QPoint selEnd() const { return m_selEnd; }
    bool hasSelection() const { return m_selStart.x() != 0; }
    void setSelection(QPoint start, QPoint end);
    void clearSelection() { m_selStart.setX(0); }
    // Starts a selection at the anchor when there is none, ends it at the caret.
    void extendSelection();
    bool isSelected(QPoint p) const;
    QString selText() const;
    void selectAll();
    void selectWordAtCaret();

    // 1-based offset of p in text(); posOf is the reverse.
    int offsetOf(QPoint p) const;
    QPoint posOf(int offset) const;

    // --- editing --------------------------------------------------------
    // Replaces the selection (or inserts at the caret) with s; "" deletes.
    void insertText(const QString &s);
    void typeChar(QChar c);
    void backspace();
    void deleteChar();
    void enter();
    void tab();
    void deleteLine();        // Ctrl+Y
    void indentBlock();       // Ctrl+I
    void unindentBlock();     // Ctrl+U
    void undo();
    int undoCount() const { return int(m_undo.size()); }
    const QStringList &undoSnapshots() const { return m_undo; }
    void armUndo() { m_undoArmed = true; }
    bool undoArmed() const { return m_undoArmed; }

    // --- moves ----------------------------------------------------------
    void home(bool ctrl);
    void end(bool ctrl);
    void wordLeft();
    void wordRight();
    void pageUp();
    void pageDown();
    bool isWordChar(QChar c) const;

    // --- bookmarks --------------------------------------------------------
    int bookmark(int index) const;     // 0-based line or -1
    int getBookmark(int line) const;   // index of the bookmark on 0-based line, or -1
    void setBookmark(int index, int line);
    void deleteBookmark(int index);
    void gotoBookmark(int index);
    // Ctrl+Shift+digit on the caret's line.
    void toggleBookmark(int index);

    // Lowest 1-based line whose text changed since the last call, or 0.
    int takeChangedFrom();
    bool takeTextChanged();

private:
    void takeSnapshot();
    void replaceRange(QPoint start, QPoint end, const QString &s);
    void shiftBookmarks(int afterLine, int delta);
    int trimmedLength(int y) const;
    void markChanged(int fromLine);
    int blockLast() const;

    EditPolicy m_policy;
    QStringList m_lines{QString()};
    QPoint m_pos{1, 1};
    QPoint m_offset{0, 0};
    QPoint m_window{0, 0};
    QPoint m_anchor{1, 1};
    QPoint m_selStart{0, 1};
    QPoint m_selEnd{0, 1};
    std::array<int, kBookmarks> m_bookmarks;
    QStringList m_undo;
    bool m_undoArmed = true;
    bool m_modified = false;
    bool m_textChanged = false;
    int m_changedFrom = 0;
};

// Trailing blanks removed.
QString TrimRight(const QString &s);

} // namespace bralvo::report
