// TqbSyntaxMemo: the query builder's SQL memo. The same text model as the
// code editor, with its own policies: a snapshot before every edit (each
// typed character is one undo step), Tab aligned with the words of the
// line above, plain ASCII word characters, hard-wired colouring by
// SyntaxType (no numbers), a read-only mode, a footer with the caret's
// line and column, its own vertical scroll bar and a text search.
#pragma once

#include "report/editors/memodrawing.h"
#include "report/editors/syntaxcolours.h"
#include "report/editors/syntaxtext.h"

#include <QWidget>

class QMenu;
class QScrollBar;

namespace bralvo::report {

class TqbSyntaxMemo : public QWidget {
    Q_OBJECT
public:
    static constexpr int kGutter = 20;
    static constexpr int kFooter = 20;

    explicit TqbSyntaxMemo(QWidget *parent = nullptr);

    // Reading trims the trailing blanks of every line; writing starts a
    // fresh editing state.
    QStringList Lines();
    void SetLines(const QStringList &lines);
    QString Text() const { return m_text.text(); }

    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    TSyntaxType SyntaxType() const { return m_syntax; }
    void SetSyntaxType(TSyntaxType type);
    bool ShowFooter() const { return m_footer > 0; }
    void SetShowFooter(bool value);
    bool ShowGutter() const { return m_style.left > 0; }
    void SetShowGutter(bool value);
    void SetKeywordAttr(const MemoAttr &attr);
    void SetCommentAttr(const MemoAttr &attr);
    void SetStringAttr(const MemoAttr &attr);
    void SetTextAttr(const MemoAttr &attr);
    const MemoStyle &Style() const { return m_style; }
    void SetBlockColors(const QColor &back, const QColor &text);

    QPoint Pos() const { return m_text.pos(); }
    void SetPos(int x, int y);
    QPoint Offset() const { return m_text.offset(); }
    QString SelText() const { return m_text.selText(); }
    void InsertText(const QString &s);
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void SelectAll();
    void Undo();
    int UndoCount() const { return m_text.undoCount(); }
    int GetBookmark(int line) const { return m_text.getBookmark(line); }
    void SetBookmark(int index, int line);
    void DeleteBookmark(int index);
    void GotoBookmark(int index);

    // Searches downwards from the line after the caret's; see the class text.
    bool Find(const QString &text);
    QString Message() const { return m_message; }
    QString SearchText() const { return m_searchText; }
    // "line : column" and four blanks.
    QString FooterText() const;
    // The colour codes of every line.
    const QStringList &ColourLines() const { return m_codes; }
    QScrollBar *VerticalBar() const { return m_bar; }
    // Ctrl+F: the search dialog, then Find when confirmed.
    void OpenSearch();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    bool editKey(int key, bool ctrl, bool shift);
    bool ctrlKey(int key, bool shift);
    void edit(void (SyntaxText::*op)());
    void afterChange();
    void recolour();
    void relayout();
    void refreshBar();
    QPoint cellAt(QPoint pixel) const;
    void paintGutterAndFooter(QPainter &p);
    void showMenu(QPoint at);

    SyntaxText m_text;
    MemoStyle m_style;
    TSyntaxType m_syntax = TSyntaxType::stPascal;
    QStringList m_codes;
    QScrollBar *m_bar;
    int m_footer = 0;
    bool m_readOnly = false;
    bool m_doubleClicked = false;
    bool m_mouseDown = false;
    QString m_message;
    QString m_searchText;
};

} // namespace bralvo::report
