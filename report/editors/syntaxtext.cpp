// The shared text model: positions, selection, the editing primitive,
// undo snapshots and bookmarks.
#include "report/editors/syntaxtext.h"

#include <QRegularExpression>
#include <algorithm>

namespace bralvo::report {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

qint64 orderKey(QPoint p)
{
    return qint64(p.y()) * SyntaxText::kMaxLength + p.x();
}

QStringList splitLines(const QString &text)
{
    QString t = text;
    t.replace(kCrLf, QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.split(QLatin1Char('\n'));
}

} // namespace

QString TrimRight(const QString &s)
{
    int n = int(s.size());
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    return s.left(n);
}

SyntaxText::SyntaxText(const EditPolicy &policy) : m_policy(policy)
{
    m_bookmarks.fill(-1);
}

QString SyntaxText::line(int y) const
{
    return y >= 1 && y <= lineCount() ? m_lines.at(y - 1) : QString();
}

int SyntaxText::trimmedLength(int y) const
{
    return int(TrimRight(line(y)).size());
}

void SyntaxText::reset(const QStringList &lines)
{
    m_lines.clear();
    for (const QString &l : lines)
        m_lines += splitLines(l);
    if (m_lines.isEmpty())
        m_lines.append(QString());
    m_undoArmed = true;
    m_undo.clear();
    m_pos = QPoint(1, 1);
    m_offset = QPoint(0, 0);
    m_anchor = m_pos;
    clearSelection();
    markChanged(1);
}

void SyntaxText::markChanged(int fromLine)
{
    m_textChanged = true;
    const int from = std::max(1, fromLine);
    m_changedFrom = m_changedFrom == 0 ? from : std::min(m_changedFrom, from);
}

int SyntaxText::takeChangedFrom()
{
    const int v = m_changedFrom;
    m_changedFrom = 0;
    return v;
}

bool SyntaxText::takeTextChanged()
{
    const bool v = m_textChanged;
    m_textChanged = false;
    return v;
}

void SyntaxText::setPos(int x, int y)
{
    x = std::clamp(x, 1, kMaxLength);
    y = std::clamp(y, 1, lineCount());
    if (m_window.x() > 0 && m_window.y() > 0) {
        if (m_offset.y() >= lineCount())
            m_offset.setY(lineCount() - 1);
        if (x > m_offset.x() + m_window.x())
            m_offset.rx() += x - (m_offset.x() + m_window.x());
        else if (x <= m_offset.x())
            m_offset.setX(x - 1);
        if (y > m_offset.y() + m_window.y())
            m_offset.ry() += y - (m_offset.y() + m_window.y());
        else if (y <= m_offset.y())
            m_offset.setY(y - 1);
    }
    m_pos = QPoint(x, y);
}

void SyntaxText::setSelection(QPoint start, QPoint end)
{
    m_selStart = start;
    m_selEnd = end;
}

void SyntaxText::extendSelection()
{
    if (!hasSelection())
        m_selStart = m_anchor;
    m_selEnd = m_pos;
}

bool SyntaxText::isSelected(QPoint p) const
{
    if (!hasSelection())
        return false;
    const qint64 a = orderKey(m_selStart), b = orderKey(m_selEnd), k = orderKey(p);
    return std::min(a, b) <= k && k < std::max(a, b);
}

int SyntaxText::offsetOf(QPoint p) const
{
    int offset = 0;
    for (int y = 1; y < p.y() && y <= lineCount(); ++y)
        offset += int(m_lines.at(y - 1).size()) + 2;
    return offset + p.x();
}

QPoint SyntaxText::posOf(int offset) const
{
    int y = 1;
    while (y < lineCount() && offset > int(m_lines.at(y - 1).size()) + 2) {
        offset -= int(m_lines.at(y - 1).size()) + 2;
        ++y;
    }
    return QPoint(std::max(1, offset), y);
}

QString SyntaxText::selText() const
{
    if (!hasSelection())
        return QString();
    QPoint a = m_selStart, b = m_selEnd;
    if (orderKey(a) > orderKey(b))
        std::swap(a, b);
    if (a.x() > trimmedLength(a.y()) + 1 && a.y() < lineCount())
        a = QPoint(1, a.y() + 1);
    b.setX(std::min(b.x(), int(line(b.y()).size()) + 1));
    a.setX(std::min(a.x(), int(line(a.y()).size()) + 1));
    const int from = offsetOf(a), to = offsetOf(b);
    return to > from ? text().mid(from - 1, to - from) : QString();
}

void SyntaxText::selectAll()
{
    setPos(1, 1);
    m_selStart = m_pos;
    setPos(int(line(lineCount()).size()) + 1, lineCount());
    m_selEnd = m_pos;
}

void SyntaxText::takeSnapshot()
{
    if (m_policy.armedUndo && !m_undoArmed)
        return;
    // The whole text, however long: nothing is cut to a fixed size.
    m_undo.append(QString::asprintf("%5d%5d", m_pos.x(), m_pos.y()) + text());
    while (m_undo.size() > kUndoLimit)
        m_undo.removeFirst();
    m_undoArmed = false;
}

void SyntaxText::undo()
{
    m_undoArmed = true;
    if (m_undo.isEmpty())
        return;
    const QString snap = m_undo.takeLast();
    const int x = snap.left(5).trimmed().toInt();
    const int y = snap.mid(5, 5).trimmed().toInt();
    m_lines = splitLines(snap.mid(10));
    setPos(x, y);
    clearSelection();
    m_modified = true;
    markChanged(1);
}

void SyntaxText::replaceRange(QPoint start, QPoint end, const QString &s)
{
    const int before = lineCount();
    if (start.x() > trimmedLength(start.y()) + 1) {
        QString &l = m_lines[start.y() - 1];
        if (l.size() < start.x() - 1)
            l = l.leftJustified(start.x() - 1, QLatin1Char(' '));
    }
    end.setX(std::min(end.x(), int(line(end.y()).size()) + 1));
    const int from = offsetOf(start), to = std::max(offsetOf(end), from);
    QString t = text();
    t.remove(from - 1, to - from);
    t.insert(from - 1, s);
    m_lines = splitLines(t);
    shiftBookmarks(start.y() - 1, lineCount() - before);
    setPos(1, 1);
    const QPoint after = posOf(from + int(s.size()));
    setPos(after.x(), after.y());
    clearSelection();
    m_modified = true;
    markChanged(start.y());
}

void SyntaxText::insertText(const QString &s)
{
    takeSnapshot();
    QPoint a = m_pos, b = m_pos;
    if (hasSelection()) {
        a = m_selStart;
        b = m_selEnd;
        if (orderKey(a) > orderKey(b))
            std::swap(a, b);
    }
    replaceRange(a, b, s);
}

void SyntaxText::shiftBookmarks(int afterLine, int delta)
{
    if (delta == 0)
        return;
    for (int &b : m_bookmarks) {
        if (b > afterLine)
            b = std::max(afterLine + 1, b + delta);
    }
}

int SyntaxText::bookmark(int index) const
{
    return index >= 0 && index < kBookmarks ? m_bookmarks[index] : -1;
}

int SyntaxText::getBookmark(int line) const
{
    for (int i = 0; i < kBookmarks; ++i)
        if (m_bookmarks[i] == line)
            return i;
    return -1;
}

void SyntaxText::setBookmark(int index, int line)
{
    if (index >= 0 && index < kBookmarks)
        m_bookmarks[index] = line;
}

void SyntaxText::deleteBookmark(int index)
{
    if (index >= 0 && index < kBookmarks)
        m_bookmarks[index] = -1;
}

void SyntaxText::gotoBookmark(int index)
{
    if (index >= 0 && index < kBookmarks && m_bookmarks[index] >= 0)
        setPos(1, m_bookmarks[index] + 1);
}

void SyntaxText::toggleBookmark(int index)
{
    const int here = m_pos.y() - 1;
    const int onLine = getBookmark(here);
    if (onLine < 0)
        setBookmark(index, here);
    else if (onLine == index)
        deleteBookmark(index);
}

} // namespace bralvo::report
