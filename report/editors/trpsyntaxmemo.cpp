// The code editor: state, painting, scrolling and the public commands.
#include "report/editors/trpsyntaxmemo.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace bralvo::report {

namespace {

constexpr int kGutter = 30;

QFont defaultFont()
{
    QFont f(QStringLiteral("Courier New"));
    f.setPointSize(10);
    return f;
}

} // namespace

TrpSyntaxMemo::TrpSyntaxMemo(QWidget *parent) : TrpScrollWin(parent), m_text(EditPolicy{})
{
    setFont(defaultFont());
    m_style = DefaultMemoStyle(font());
    ApplyMemoFont(m_style, font(), 1);
    m_style.left = kGutter;
    SetColor(m_style.background);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    SetSmallChange(1);
    SetHorzRange(MaxLength);
}

void TrpSyntaxMemo::SetLines(const QStringList &lines)
{
    m_text.reset(lines);
    m_colours.DropFrom(1);
    m_text.takeChangedFrom();
    m_text.takeTextChanged();
    placeCaret();
    refreshBars();
    viewport()->update();
}

void TrpSyntaxMemo::SetSyntax(const QString &name)
{
    m_colours.SetSyntax(name);
    viewport()->update();
}

void TrpSyntaxMemo::SetShowGutter(bool value)
{
    m_showGutter = value;
    SetGutterWidth(value ? kGutter : 0);
}

void TrpSyntaxMemo::SetGutterWidth(int value)
{
    m_style.left = value;
    relayout();
    viewport()->update();
}

void TrpSyntaxMemo::SetMessage(const QString &text)
{
    m_message = text;
    viewport()->update();
}

void TrpSyntaxMemo::SetActiveLine(int line)
{
    m_style.activeLine = line;
    viewport()->update();
}

void TrpSyntaxMemo::SetPos(int x, int y)
{
    if (!m_message.isEmpty())
        SetMessage(QString());
    m_text.setPos(x, y);
    placeCaret();
    refreshBars();
    viewport()->update();
}

void TrpSyntaxMemo::afterChange()
{
    if (const int from = m_text.takeChangedFrom(); from > 0)
        m_colours.DropFrom(from);
    if (m_text.takeTextChanged() && OnChangeText)
        OnChangeText(this);
    SetPos(m_text.pos().x(), m_text.pos().y());
}

void TrpSyntaxMemo::CopyToClipboard()
{
    if (m_text.hasSelection())
        QGuiApplication::clipboard()->setText(m_text.selText());
}

void TrpSyntaxMemo::CutToClipboard()
{
    if (!m_text.hasSelection())
        return;
    CopyToClipboard();
    m_text.insertText(QString());
    afterChange();
}

void TrpSyntaxMemo::PasteFromClipboard()
{
    m_text.insertText(QGuiApplication::clipboard()->text());
    afterChange();
}

void TrpSyntaxMemo::SelectAll()
{
    m_text.selectAll();
    afterChange();
}

void TrpSyntaxMemo::Undo()
{
    m_text.undo();
    m_colours.DropFrom(1);
    afterChange();
}

void TrpSyntaxMemo::SetBookmark(int index, int line)
{
    m_text.setBookmark(index, line);
    viewport()->update();
}

void TrpSyntaxMemo::DeleteBookmark(int index)
{
    m_text.deleteBookmark(index);
    viewport()->update();
}

void TrpSyntaxMemo::GotoBookmark(int index)
{
    if (index >= 0 && index <= 9 && m_text.bookmark(index) >= 0)
        SetPos(1, m_text.bookmark(index) + 1);
}

void TrpSyntaxMemo::AddBreakPoint(int line, const QString &condition)
{
    m_breakPoints.insert(line, condition);
    viewport()->update();
}

void TrpSyntaxMemo::DeleteBreakPoint(int line)
{
    m_breakPoints.remove(line);
    viewport()->update();
}

void TrpSyntaxMemo::ToggleBreakPoint(int line, const QString &condition)
{
    if (IsBreakPoint(line))
        DeleteBreakPoint(line);
    else
        AddBreakPoint(line, condition);
}

void TrpSyntaxMemo::SetExecutableLine(int line, bool on)
{
    if (on)
        m_executable.insert(line);
    else
        m_executable.remove(line);
    viewport()->update();
}

bool TrpSyntaxMemo::IsExecutableLine(int line) const
{
    return line >= 1 && line <= m_text.lineCount() && m_executable.contains(line);
}

void TrpSyntaxMemo::relayout()
{
    const QSize s = viewport()->size();
    m_text.setWindowSize(QPoint(std::max(0, s.width() - m_style.left) / m_style.charWidth,
                                s.height() / m_style.charHeight));
    refreshBars();
}

void TrpSyntaxMemo::resizeEvent(QResizeEvent *event)
{
    TrpScrollWin::resizeEvent(event);
    relayout();
}

// The bars count lines and columns here, not pixels.
void TrpSyntaxMemo::refreshBars()
{
    SetHorzPage(m_text.windowSize().x());
    SetVertPage(m_text.windowSize().y());
    SetLargeChange(std::max(1, m_text.windowSize().y()));
    SetVertRange(m_text.lineCount());
    SetHorzRange(MaxLength);
    SetHorzPosition(m_text.offset().x());
    SetVertPosition(m_text.offset().y());
}

void TrpSyntaxMemo::HorzScrolled()
{
    m_text.setOffset(QPoint(std::min(HorzPosition(), MaxLength), m_text.offset().y()));
    placeCaret();
    viewport()->update();
}

void TrpSyntaxMemo::VertScrolled()
{
    m_text.setOffset(QPoint(m_text.offset().x(), std::min(VertPosition(), m_text.lineCount())));
    placeCaret();
    viewport()->update();
}

void TrpSyntaxMemo::wheelEvent(QWheelEvent *event)
{
    const int notches = event->angleDelta().y() / 120;
    SetVertPosition(VertPosition() - notches * SmallChange());
    event->accept();
}

void TrpSyntaxMemo::placeCaret()
{
    viewport()->update();
    if (OnChangePos)
        OnChangePos(this);
}

void TrpSyntaxMemo::focusInEvent(QFocusEvent *event)
{
    TrpScrollWin::focusInEvent(event);
    viewport()->update();
}

void TrpSyntaxMemo::focusOutEvent(QFocusEvent *event)
{
    TrpScrollWin::focusOutEvent(event);
    viewport()->update();
}

void TrpSyntaxMemo::paintGutter(QPainter &p, int rows)
{
    const int g = m_style.left;
    if (g <= 0)
        return;
    p.fillRect(0, 0, g - 1, viewport()->height(), palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(g - 4, 0, g - 4, viewport()->height());
    if (!m_showGutter)
        return;
    for (int r = 0; r < rows; ++r) {
        const int line = m_text.offset().y() + r + 1; // 1-based
        const int y = r * m_style.charHeight;
        if (const int b = m_text.getBookmark(line - 1); b >= 0) {
            p.fillRect(QRect(QPoint(13, y + 3), QPoint(23, y + 14)), Qt::black);
            p.fillRect(QRect(QPoint(12, y + 4), QPoint(22, y + 15)), QColor(0, 128, 0));
            QFont f(QStringLiteral("Tahoma"), 7, QFont::Bold);
            p.setFont(f);
            p.setPen(Qt::white);
            p.drawText(14, y + 4 + QFontMetrics(f).ascent(), QString::number(b));
        }
        if (IsExecutableLine(line)) {
            p.setBrush(Qt::blue);
            p.setPen(Qt::blue);
            p.drawEllipse(QRect(QPoint(4, y + 7), QPoint(8, y + 11)));
        }
        if (IsBreakPoint(line)) {
            p.setBrush(Qt::red);
            p.setPen(Qt::red);
            p.drawEllipse(QRect(QPoint(2, y + 4), QPoint(13, y + 15)));
        }
    }
}

void TrpSyntaxMemo::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), m_style.background);
    const int rows = viewport()->height() / m_style.charHeight + 1;
    m_colours.ColourUpTo(m_text.lines(), m_text.offset().y() + rows - 1);
    PaintMemoLines(p, m_text, m_colours.CodeLines(), m_style, viewport()->width(), viewport()->height());
    paintGutter(p, rows);
    const QPoint pos = m_text.pos(), off = m_text.offset();
    if (hasFocus() && pos.x() > off.x()) {
        const int x = m_style.left + m_style.charWidth * (pos.x() - off.x() - 1);
        p.fillRect(x, m_style.charHeight * (pos.y() - off.y() - 1), 2, m_style.charHeight,
                   palette().color(QPalette::Text));
    }
    if (!m_message.isEmpty()) {
        QFont f(QStringLiteral("Tahoma"), 8, QFont::Bold);
        const int h = QFontMetrics(f).height() + 6;
        const QRect bar(0, viewport()->height() - h, viewport()->width(), h);
        p.fillRect(bar, QColor(128, 0, 0));
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(bar.adjusted(6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, m_message);
    }
}

} // namespace bralvo::report
