// Shared drawing and navigation of the syntax editors.
#include "report/editors/memodrawing.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPalette>

namespace bralvo::report {

const MemoAttr &MemoStyle::attrOf(QChar code) const
{
    switch (code.unicode()) {
    case '3':
        return comment;
    case '4':
        return keyword;
    case '5':
        return string;
    case '6':
        return number;
    default:
        return text;
    }
}

MemoStyle DefaultMemoStyle(const QFont &font)
{
    const QPalette pal = QGuiApplication::palette();
    MemoStyle s;
    const QColor windowText = pal.color(QPalette::WindowText);
    const QColor navy(0, 0, 128);
    s.text = {font, windowText};
    s.keyword = {font, windowText};
    s.keyword.font.setBold(true);
    s.comment = {font, navy};
    s.comment.font.setItalic(true);
    s.string = {font, navy};
    s.number = {font, QColor(0, 128, 0)};
    s.background = pal.color(QPalette::Base);
    s.blockColor = pal.color(QPalette::Highlight);
    s.blockFontColor = pal.color(QPalette::HighlightedText);
    ApplyMemoFont(s, font, 0);
    return s;
}

void ApplyMemoFont(MemoStyle &style, const QFont &font, int extraHeight)
{
    for (MemoAttr *a : {&style.text, &style.comment, &style.keyword, &style.string, &style.number}) {
        a->font.setFamily(font.family());
        if (font.pixelSize() > 0)
            a->font.setPixelSize(font.pixelSize());
        else
            a->font.setPointSizeF(font.pointSizeF());
    }
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics fm(bold);
    style.charHeight = fm.height() + extraHeight;
    style.charWidth = std::max(1, fm.horizontalAdvance(QLatin1Char('W')));
    style.monospace = font.family().contains(QLatin1String("COURIER NEW"), Qt::CaseInsensitive)
                      || QFontInfo(font).fixedPitch();
}

namespace {

void drawRun(QPainter &p, const MemoStyle &s, const QString &run, QChar code, bool selected, int x, int y)
{
    const MemoAttr &a = s.attrOf(code);
    const int w = s.charWidth * int(run.size());
    p.fillRect(x, y, w, s.charHeight, selected ? s.blockColor : s.background);
    p.setFont(a.font);
    p.setPen(selected ? s.blockFontColor : a.color);
    const int base = y + QFontMetrics(a.font).ascent();
    if (s.monospace) {
        p.drawText(x, base, run);
        return;
    }
    for (int i = 0; i < run.size(); ++i)
        p.drawText(x + i * s.charWidth, base, QString(run.at(i)));
}

} // namespace

void PaintMemoLines(QPainter &p, const SyntaxText &text, const QStringList &codes, const MemoStyle &s,
                    int widthPixels, int heightPixels)
{
    const QPoint off = text.offset();
    const int rows = heightPixels / std::max(1, s.charHeight) + 1;
    const int cols = (widthPixels - s.left) / std::max(1, s.charWidth) + 1;
    for (int r = 0; r < rows; ++r) {
        const int y = off.y() + 1 + r;
        if (y > text.lineCount())
            break;
        const QString line = text.line(y);
        const QString code = y - 1 < codes.size() ? codes.at(y - 1) : QString();
        const bool active = y == s.activeLine;
        const int top = r * s.charHeight;
        int col = off.x() + 1;
        int x = s.left;
        while (col <= off.x() + cols) {
            const auto cellAt = [&](int c) {
                const QChar ch = c <= line.size() ? line.at(c - 1) : QLatin1Char(' ');
                const QChar cc = c <= code.size() ? code.at(c - 1) : QLatin1Char('1');
                return std::pair{ch, cc};
            };
            const bool sel = active || text.isSelected(QPoint(col, y));
            const QChar runCode = cellAt(col).second;
            QString run;
            while (col <= off.x() + cols && cellAt(col).second == runCode
                   && (active || text.isSelected(QPoint(col, y))) == sel) {
                const QChar ch = cellAt(col).first;
                run += ch.unicode() < 32 ? QLatin1Char(' ') : ch;
                ++col;
            }
            drawRun(p, s, run, runCode, sel, x, top);
            x += s.charWidth * int(run.size());
        }
    }
}

bool MemoNavigationKey(SyntaxText &t, int key, bool ctrl, bool shift)
{
    const QPoint pos = t.pos();
    switch (key) {
    case Qt::Key_PageUp:
        t.pageUp();
        break;
    case Qt::Key_PageDown:
        t.pageDown();
        break;
    case Qt::Key_Home:
        t.home(ctrl);
        break;
    case Qt::Key_End:
        t.end(ctrl);
        break;
    case Qt::Key_Left:
        ctrl ? t.wordLeft() : t.setPos(pos.x() - 1, pos.y());
        break;
    case Qt::Key_Right:
        ctrl ? t.wordRight() : t.setPos(pos.x() + 1, pos.y());
        break;
    case Qt::Key_Up:
        t.setPos(pos.x(), pos.y() - 1);
        break;
    case Qt::Key_Down:
        t.setPos(pos.x(), pos.y() + 1);
        break;
    default:
        return false;
    }
    t.armUndo();
    if (shift)
        t.extendSelection();
    else
        t.clearSelection();
    return true;
}

} // namespace bralvo::report
