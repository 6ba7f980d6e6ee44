// TrpSyntaxMemo: the report library's code editor. A custom-drawn,
// fixed-pitch text control over the shared text model with armed undo
// (a run of typed characters is one step), Tab to the next stop of 8,
// ten bookmarks, breakpoints and line marks in a gutter, an optional
// completion popup, and colouring by a script language's grammar or
// the built-in "SQL".
#pragma once

#include "report/editors/memodrawing.h"
#include "report/editors/syntaxcolours.h"
#include "report/editors/syntaxtext.h"
#include "report/preview/trpscrollwin.h"

#include <QMap>
#include <QSet>
#include <functional>

namespace bralvo::report {

class TrpSyntaxMemo : public TrpScrollWin {
    Q_OBJECT
public:
    explicit TrpSyntaxMemo(QWidget *parent = nullptr);

    // The text; setting it (an outside change) starts a fresh editing
    // state: caret (1,1), no selection, no undo.
    QStringList Lines() const { return m_text.lines(); }
    void SetLines(const QStringList &lines);
    QString Text() const { return m_text.text(); }

    QString Syntax() const { return m_colours.Syntax(); }
    void SetSyntax(const QString &name);
    bool ShowGutter() const { return m_showGutter; }
    void SetShowGutter(bool value);
    int GutterWidth() const { return m_style.left; }
    void SetGutterWidth(int value);

    QPoint Pos() const { return m_text.pos(); }
    void SetPos(int x, int y);
    QPoint Offset() const { return m_text.offset(); }
    QPoint WindowSize() const { return m_text.windowSize(); }
    QPoint SelStart() const { return m_text.selStart(); }
    QPoint SelEnd() const { return m_text.selEnd(); }
    QString SelText() const { return m_text.selText(); }
    int CharWidth() const { return m_style.charWidth; }
    int CharHeight() const { return m_style.charHeight; }
    static constexpr int MaxLength = SyntaxText::kMaxLength;

    bool Modified() const { return m_text.modified(); }
    void SetModified(bool value) { m_text.setModified(value); }
    QString Message() const { return m_message; }
    void SetMessage(const QString &text);
    int ActiveLine() const { return m_style.activeLine; }
    void SetActiveLine(int line);
    const MemoStyle &Style() const { return m_style; }
    MemoStyle &Style() { return m_style; }

    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void SelectAll();
    void Undo();
    int UndoCount() const { return m_text.undoCount(); }
    const QStringList &UndoSnapshots() const { return m_text.undoSnapshots(); }

    int GetBookmark(int line) const { return m_text.getBookmark(line); }
    void SetBookmark(int index, int line);
    void DeleteBookmark(int index);
    void GotoBookmark(int index);

    // Breakpoints on 1-based lines, each with a condition text.
    void AddBreakPoint(int line, const QString &condition);
    void DeleteBreakPoint(int line);
    void ToggleBreakPoint(int line, const QString &condition);
    bool IsBreakPoint(int line) const { return m_breakPoints.contains(line); }
    // Lines a host marks as executable (1-based).
    void SetExecutableLine(int line, bool on);
    bool IsExecutableLine(int line) const;

    // The colour codes of the lines coloured so far.
    const QStringList &ColourLines() const { return m_colours.CodeLines(); }
    // Colours up to 0-based line (what painting does for the visible lines).
    void ColourUpTo(int line) { m_colours.ColourUpTo(m_text.lines(), line); }

    std::function<void(TrpSyntaxMemo *)> OnChangePos;
    std::function<void(TrpSyntaxMemo *)> OnChangeText;
    std::function<void(const QString &name, QStringList &items)> OnCodeCompletion;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void HorzScrolled() override;
    void VertScrolled() override;
    bool event(QEvent *event) override;

private:
    bool editKey(int key, bool ctrl, bool shift);
    void afterChange();
    void placeCaret();
    void refreshBars();
    void relayout();
    QPoint cellAt(QPoint pixel) const;
    void paintGutter(QPainter &p, int rows);
    void showCompletion();

    SyntaxText m_text;
    LexerColouring m_colours;
    MemoStyle m_style;
    bool m_showGutter = true;
    QString m_message;
    QMap<int, QString> m_breakPoints;
    QSet<int> m_executable;
    bool m_doubleClicked = false;
    bool m_mouseDown = false;
};

// The name before the caret for completion: the caret line's text
// before the caret column, walked back over names, dots and blanks,
// passing over quoted texts and bracketed parts.
QString CompletionName(const QString &line, int caretColumn);

} // namespace bralvo::report
