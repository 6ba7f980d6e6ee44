// The query builder's SQL memo: state, colouring, scrolling, painting.
#include "report/editors/tqbsyntaxmemo.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace bralvo::report {

TqbSyntaxMemo::TqbSyntaxMemo(QWidget *parent) : QWidget(parent), m_text(EditPolicy::queryEditor())
{
    QFont f(QStringLiteral("Courier New"));
    f.setPointSize(10);
    setFont(f);
    m_style = DefaultMemoStyle(f);
    setCursor(Qt::IBeamCursor);
    resize(200, 200);
    m_bar = new QScrollBar(Qt::Vertical, this);
    m_bar->setObjectName(QStringLiteral("ScrollBar"));
    m_bar->setFocusPolicy(Qt::NoFocus);
    m_bar->setSingleStep(1);
    connect(m_bar, &QScrollBar::valueChanged, this, [this](int v) {
        m_text.setOffset(QPoint(m_text.offset().x(), std::min(v, m_text.lineCount())));
        update();
    });
    SetShowGutter(true);
    SetShowFooter(true);
    m_style.background = palette().color(QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    recolour();
}

QStringList TqbSyntaxMemo::Lines()
{
    QStringList trimmed;
    for (const QString &l : m_text.lines())
        trimmed.append(TrimRight(l));
    if (trimmed != m_text.lines()) {
        const QPoint pos = m_text.pos();
        m_text.reset(trimmed);
        m_text.setPos(pos.x(), pos.y());
        recolour();
    }
    return trimmed;
}

void TqbSyntaxMemo::SetLines(const QStringList &lines)
{
    m_text.reset(lines);
    m_text.takeTextChanged();
    m_text.takeChangedFrom();
    recolour();
    relayout();
    SetPos(1, 1);
}

void TqbSyntaxMemo::SetSyntaxType(TSyntaxType type)
{
    m_syntax = type;
    recolour();
}

void TqbSyntaxMemo::SetShowFooter(bool value)
{
    m_footer = value ? kFooter : 0;
    relayout();
}

void TqbSyntaxMemo::SetShowGutter(bool value)
{
    m_style.left = value ? kGutter : 0;
    relayout();
}

void TqbSyntaxMemo::SetKeywordAttr(const MemoAttr &a)
{
    m_style.keyword = a;
    recolour();
}

void TqbSyntaxMemo::SetCommentAttr(const MemoAttr &a)
{
    m_style.comment = a;
    recolour();
}

void TqbSyntaxMemo::SetStringAttr(const MemoAttr &a)
{
    m_style.string = a;
    recolour();
}

void TqbSyntaxMemo::SetTextAttr(const MemoAttr &a)
{
    m_style.text = a;
    recolour();
}

void TqbSyntaxMemo::SetBlockColors(const QColor &back, const QColor &text)
{
    m_style.blockColor = back;
    m_style.blockFontColor = text;
    update();
}

// The whole text, every time: the query texts shown here are short.
void TqbSyntaxMemo::recolour()
{
    m_codes = QbColourCodes(m_text.text(), m_syntax).split(QStringLiteral("\r\n"));
    update();
}

void TqbSyntaxMemo::relayout()
{
    ApplyMemoFont(m_style, font(), 0);
    const int barWidth = m_bar->sizeHint().width();
    m_bar->setGeometry(width() - barWidth - 4, 0, barWidth, std::max(0, height() - 4));
    const int client = width() - (m_bar->isVisible() ? barWidth + 4 : 0);
    m_text.setWindowSize(QPoint(std::max(0, client - m_style.left) / m_style.charWidth,
                                std::max(0, height() - m_footer) / m_style.charHeight));
    refreshBar();
}

void TqbSyntaxMemo::resizeEvent(QResizeEvent *)
{
    relayout();
}

void TqbSyntaxMemo::refreshBar()
{
    const int visible = m_text.windowSize().y();
    const QSignalBlocker block(m_bar);
    m_bar->setPageStep(std::max(1, visible));
    m_bar->setRange(0, std::max(0, m_text.lineCount() - visible));
    m_bar->setValue(m_text.offset().y());
    m_bar->setVisible(m_text.lineCount() > visible);
}

void TqbSyntaxMemo::wheelEvent(QWheelEvent *event)
{
    m_bar->setValue(m_bar->value() - event->angleDelta().y() / 120);
    event->accept();
}

void TqbSyntaxMemo::SetPos(int x, int y)
{
    if (!m_message.isEmpty())
        m_message.clear();
    m_text.setPos(x, y);
    refreshBar();
    update();
}

void TqbSyntaxMemo::afterChange()
{
    if (m_text.takeTextChanged())
        recolour();
    m_text.takeChangedFrom();
    SetPos(m_text.pos().x(), m_text.pos().y());
}

void TqbSyntaxMemo::InsertText(const QString &s)
{
    if (m_readOnly)
        return;
    m_text.insertText(s);
    afterChange();
}

void TqbSyntaxMemo::CopyToClipboard()
{
    if (m_text.hasSelection())
        QGuiApplication::clipboard()->setText(m_text.selText());
}

void TqbSyntaxMemo::CutToClipboard()
{
    if (m_readOnly || !m_text.hasSelection())
        return;
    CopyToClipboard();
    InsertText(QString());
}

void TqbSyntaxMemo::PasteFromClipboard()
{
    InsertText(QGuiApplication::clipboard()->text());
}

void TqbSyntaxMemo::SelectAll()
{
    m_text.selectAll();
    afterChange();
}

void TqbSyntaxMemo::Undo()
{
    m_text.undo();
    afterChange();
}

void TqbSyntaxMemo::SetBookmark(int index, int line)
{
    m_text.setBookmark(index, line);
    update();
}

void TqbSyntaxMemo::DeleteBookmark(int index)
{
    m_text.deleteBookmark(index);
    update();
}

void TqbSyntaxMemo::GotoBookmark(int index)
{
    m_text.gotoBookmark(index);
    afterChange();
}

QString TqbSyntaxMemo::FooterText() const
{
    return QStringLiteral("%1 : %2    ").arg(m_text.pos().y()).arg(m_text.pos().x());
}

bool TqbSyntaxMemo::Find(const QString &text)
{
    const auto upper = [](QString s) {
        for (QChar &c : s)
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                c = QChar(c.unicode() - 32);
        return s;
    };
    if (m_text.lineCount() >= 2) {
        const QString wanted = upper(text);
        for (int y = m_text.pos().y() + 1; y <= m_text.lineCount(); ++y) {
            const qsizetype at = upper(m_text.line(y)).indexOf(wanted);
            if (at >= 0) {
                SetPos(int(at) + 1, y);
                return true;
            }
        }
    }
    m_message = QStringLiteral("Text \"%1\" not found.").arg(text);
    update();
    return false;
}

void TqbSyntaxMemo::paintGutterAndFooter(QPainter &p)
{
    const QColor face = palette().color(QPalette::Button);
    const int rows = m_text.windowSize().y() + 1;
    for (int r = 0; r < rows && m_style.left > 0; ++r) {
        const int y = r * m_style.charHeight;
        const int b = m_text.getBookmark(m_text.offset().y() + r);
        if (b < 0) {
            p.fillRect(QRect(QPoint(2, y + 2), QPoint(13, y + 13)), face);
            continue;
        }
        p.fillRect(QRect(QPoint(3, y + 1), QPoint(13, y + 12)), Qt::black);
        p.fillRect(QRect(QPoint(2, y + 2), QPoint(12, y + 13)), QColor(0, 128, 0));
        QFont f(QStringLiteral("Tahoma"), 7, QFont::Bold);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(4, y + 2 + QFontMetrics(f).ascent(), QString::number(b));
    }
    QFont f(QStringLiteral("Tahoma"), 8);
    if (m_footer > 0) {
        const QRect foot(0, height() - m_footer, width(), m_footer);
        p.fillRect(foot, face);
        p.setPen(palette().color(QPalette::Dark));
        p.drawLine(foot.topLeft(), foot.topRight());
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(m_style.left + 4, height() - 5 - QFontMetrics(f).descent(), FooterText());
    }
    if (!m_message.isEmpty()) {
        f.setBold(true);
        const int h = QFontMetrics(f).height() + 6;
        const QRect bar(0, height() - h, width(), h);
        p.fillRect(bar, QColor(128, 0, 0));
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(bar.adjusted(6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, m_message);
    }
}

void TqbSyntaxMemo::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_style.background);
    const int client = width() - (m_bar->isVisible() ? m_bar->width() + 4 : 0);
    p.setClipRect(0, 0, client, height() - m_footer);
    PaintMemoLines(p, m_text, m_codes, m_style, client, height() - m_footer);
    if (m_style.left > 0)
        p.fillRect(0, 0, m_style.left - 1, height(), palette().color(QPalette::Button));
    const QPoint pos = m_text.pos(), off = m_text.offset();
    if (hasFocus()) {
        const int x = m_style.left + m_style.charWidth * (pos.x() - off.x() - 1);
        p.fillRect(x, m_style.charHeight * (pos.y() - off.y() - 1), 2, m_style.charHeight,
                   palette().color(QPalette::Text));
    }
    p.setClipping(false);
    paintGutterAndFooter(p);
}

} // namespace bralvo::report
