// The editing commands and caret moves of the shared text model.
#include "report/editors/syntaxtext.h"

#include <algorithm>

namespace bralvo::report {

namespace {

bool isBlank(const QString &s)
{
    return TrimRight(s).isEmpty();
}

int firstNonBlank(const QString &s) // 1-based; size + 1 for a blank line
{
    int i = 0;
    while (i < s.size() && s.at(i) == QLatin1Char(' '))
        ++i;
    return i + 1;
}

} // namespace

bool SyntaxText::isWordChar(QChar c) const
{
    const char16_t u = c.unicode();
    if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_')
        return true;
    return m_policy.highWordChars && u >= 192 && u <= 255;
}

void SyntaxText::typeChar(QChar c)
{
    insertText(QString(c));
    m_undoArmed = false;
}

void SyntaxText::backspace()
{
    if (hasSelection()) {
        insertText(QString());
        return;
    }
    const int x = m_pos.x(), y = m_pos.y();
    const QString l = line(y);
    if (x > 1) {
        if (x == firstNonBlank(l) || isBlank(l)) {
            int to = x - 1;
            for (int k = y - 1; k >= 1; --k) {
                const QString above = line(k);
                if (isBlank(above))
                    continue;
                to = firstNonBlank(above);
                if (to < x)
                    break;
            }
            to = std::min(to, x - 1);
            takeSnapshot();
            replaceRange(QPoint(to, y), QPoint(x, y), QString());
        } else {
            takeSnapshot();
            replaceRange(QPoint(x - 1, y), QPoint(x, y), QString());
        }
    } else if (y > 1) {
        takeSnapshot();
        m_lines[y - 2] = TrimRight(m_lines[y - 2]);
        const int join = int(m_lines[y - 2].size()) + 1;
        replaceRange(QPoint(join, y - 1), QPoint(1, y), QString());
    }
}

void SyntaxText::deleteChar()
{
    if (hasSelection()) {
        insertText(QString());
        return;
    }
    const int x = m_pos.x(), y = m_pos.y();
    takeSnapshot();
    if (x > int(line(y).size()) && y < lineCount()) {
        m_lines[y - 1] = line(y).leftJustified(x - 1, QLatin1Char(' '));
        replaceRange(QPoint(x, y), QPoint(1, y + 1), QString());
    } else if (x <= int(line(y).size())) {
        replaceRange(QPoint(x, y), QPoint(x + 1, y), QString());
    }
}

// One snapshot before the split, so one undo takes the whole Enter back.
void SyntaxText::enter()
{
    takeSnapshot();
    clearSelection();
    const int y = m_pos.y();
    m_lines[y - 1] = TrimRight(m_lines[y - 1]);
    const QString l = m_lines[y - 1];
    const int x = std::min(m_pos.x(), int(l.size()) + 1);
    const QString left = l.left(x - 1);
    const int indent = isBlank(left) ? x - 1 : firstNonBlank(left) - 1;
    const int ownBookmark = getBookmark(y - 1);
    replaceRange(QPoint(x, y), QPoint(x, y), QStringLiteral("\r\n") + QString(indent, QLatin1Char(' ')));
    if (m_policy.enterMovesOwnBookmark && x == 1 && ownBookmark >= 0)
        m_bookmarks[ownBookmark] = y;
}

void SyntaxText::tab()
{
    const int x = m_pos.x();
    int count = 0;
    if (m_policy.tab == EditPolicy::TabRule::NextStop8) {
        count = 8 - (x % 8);
    } else {
        for (int k = m_pos.y() - 1; k >= 1; --k) {
            const QString above = TrimRight(line(k));
            if (above.size() < x)
                continue;
            int i = x - 1;
            if (above.at(i) != QLatin1Char(' ')) {
                while (i < above.size() && above.at(i) != QLatin1Char(' '))
                    ++i;
            }
            while (i < above.size() && above.at(i) == QLatin1Char(' '))
                ++i;
            count = i + 1 - x;
            break;
        }
    }
    if (count > 0)
        insertText(QString(count, QLatin1Char(' ')));
}

void SyntaxText::deleteLine()
{
    m_undoArmed = true;
    takeSnapshot();
    clearSelection();
    const int y = m_pos.y();
    if (y < lineCount())
        replaceRange(QPoint(1, y), QPoint(1, y + 1), QString());
    else
        replaceRange(QPoint(1, y), QPoint(int(line(y).size()) + 1, y), QString());
    setPos(1, m_pos.y());
}

// The last line of the block: the caret end in column 1 leaves its line out.
int SyntaxText::blockLast() const
{
    const QPoint a = m_selStart, b = m_selEnd;
    int last = std::max(a.y(), b.y());
    const QPoint caretEnd = m_selEnd;
    if (caretEnd.x() == 1 && caretEnd.y() == last && last > std::min(a.y(), b.y()))
        --last;
    return last;
}

void SyntaxText::indentBlock()
{
    if (!hasSelection())
        return;
    const int first = std::min(m_selStart.y(), m_selEnd.y()), last = blockLast();
    m_undoArmed = true;
    takeSnapshot();
    for (int y = first; y <= last; ++y)
        m_lines[y - 1].prepend(QStringLiteral("  "));
    m_modified = true;
    markChanged(first);
}

void SyntaxText::unindentBlock()
{
    if (!hasSelection())
        return;
    const int first = std::min(m_selStart.y(), m_selEnd.y()), last = blockLast();
    int cut = 2;
    for (int y = first; y <= last; ++y) {
        if (!isBlank(line(y)))
            cut = std::min(cut, firstNonBlank(line(y)) - 1);
    }
    if (cut <= 0)
        return;
    m_undoArmed = true;
    takeSnapshot();
    for (int y = first; y <= last; ++y) {
        if (!isBlank(line(y)))
            m_lines[y - 1].remove(0, cut);
    }
    m_modified = true;
    markChanged(first);
}

void SyntaxText::home(bool ctrl)
{
    if (ctrl)
        setPos(1, 1);
    else
        setPos(1, m_pos.y());
}

void SyntaxText::end(bool ctrl)
{
    if (ctrl)
        setPos(int(line(lineCount()).size()) + 1, lineCount());
    else
        setPos(trimmedLength(m_pos.y()) + 1, m_pos.y());
}

void SyntaxText::wordLeft()
{
    const QString l = line(m_pos.y());
    int i = std::min(m_pos.x(), int(l.size()) + 1) - 1; // chars before the caret
    while (i > 0 && !isWordChar(l.at(i - 1)))
        --i;
    while (i > 0 && isWordChar(l.at(i - 1)))
        --i;
    setPos(i + 1, m_pos.y());
}

void SyntaxText::wordRight()
{
    const int y = m_pos.y();
    const QString l = line(y);
    if (m_pos.x() > l.size()) {
        if (y < lineCount())
            setPos(1, y + 1);
        return;
    }
    int i = m_pos.x() - 1;
    while (i < l.size() && isWordChar(l.at(i)))
        ++i;
    while (i < l.size() && !isWordChar(l.at(i)))
        ++i;
    setPos(i < l.size() ? i + 1 : trimmedLength(y) + 1, y);
}

void SyntaxText::selectWordAtCaret()
{
    const QString l = line(m_pos.y());
    int a = std::min(m_pos.x(), int(l.size()) + 1) - 1;
    while (a > 0 && isWordChar(l.at(a - 1)))
        --a;
    int b = a;
    while (b < l.size() && isWordChar(l.at(b)))
        ++b;
    if (b == a)
        return;
    m_selStart = QPoint(a + 1, m_pos.y());
    setPos(b + 1, m_pos.y());
    m_selEnd = m_pos;
}

void SyntaxText::pageUp()
{
    const int page = m_window.y();
    if (m_offset.y() > page) {
        m_offset.ry() -= page - 1;
        setPos(m_pos.x(), m_pos.y() - (page - 1));
    } else if (m_offset.y() < 1) {
        setPos(m_pos.x(), 1);
    } else {
        setPos(m_pos.x(), m_pos.y() - m_offset.y());
        m_offset.setY(0);
    }
}

void SyntaxText::pageDown()
{
    const int page = m_window.y();
    if (m_offset.y() + page < lineCount()) {
        m_offset.ry() += std::max(0, page - 1);
        setPos(m_pos.x(), m_pos.y() + std::max(0, page - 1));
    } else {
        setPos(m_pos.x(), lineCount());
    }
}

} // namespace bralvo::report
