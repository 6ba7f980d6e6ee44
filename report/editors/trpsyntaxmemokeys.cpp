// The code editor's keys, mouse and completion popup.
#include "report/editors/trpsyntaxmemo.h"

#include "report/editors/tabkeycapture.h"
#include "report/editors/trppopupform.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

namespace bralvo::report {

bool TrpSyntaxMemo::event(QEvent *event)
{
    return captureTabPress(event, [this](QKeyEvent *tab) { keyPressEvent(tab); }) || TrpScrollWin::event(event);
}

bool TrpSyntaxMemo::editKey(int key, bool ctrl, bool shift)
{
    switch (key) {
    case Qt::Key_Backspace:
        m_text.backspace();
        break;
    case Qt::Key_Tab:
        m_text.tab();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // With a modifier it belongs to the window (Ctrl+Enter confirms).
        if (ctrl || shift)
            return false;
        m_text.enter();
        break;
    case Qt::Key_Insert:
        if (ctrl)
            CopyToClipboard();
        else if (shift)
            PasteFromClipboard();
        break;
    case Qt::Key_Delete:
        if (shift)
            CutToClipboard();
        else
            m_text.deleteChar();
        break;
    default:
        return false;
    }
    m_text.armUndo();
    return true;
}

void TrpSyntaxMemo::keyPressEvent(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const int key = event->key();
    m_text.setAnchor(m_text.pos());
    if (MemoNavigationKey(m_text, key, ctrl, shift) || editKey(key, ctrl, shift)) {
        afterChange();
        return;
    }
    if (ctrl && !(event->modifiers() & Qt::AltModifier)) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9) {
            shift ? m_text.toggleBookmark(key - Qt::Key_0) : GotoBookmark(key - Qt::Key_0);
        } else if (key == Qt::Key_A) {
            SelectAll();
        } else if (key == Qt::Key_C) {
            CopyToClipboard();
        } else if (key == Qt::Key_V) {
            PasteFromClipboard();
        } else if (key == Qt::Key_X) {
            CutToClipboard();
        } else if (key == Qt::Key_I) {
            m_text.indentBlock();
        } else if (key == Qt::Key_U) {
            m_text.unindentBlock();
        } else if (key == Qt::Key_Y) {
            m_text.deleteLine();
        } else if (key == Qt::Key_Z) {
            Undo();
        } else if (key == Qt::Key_Space) {
            if (OnCodeCompletion)
                showCompletion();
        } else {
            event->ignore();
            return;
        }
        afterChange();
        return;
    }
    const QString t = event->text();
    if (t.size() == 1 && t.at(0).unicode() >= 32 && key != Qt::Key_Return && key != Qt::Key_Enter) {
        m_text.typeChar(t.at(0));
        afterChange();
        return;
    }
    event->ignore();
}

QPoint TrpSyntaxMemo::cellAt(QPoint pixel) const
{
    return QPoint((pixel.x() - m_style.left) / m_style.charWidth + m_text.offset().x() + 1,
                  pixel.y() / m_style.charHeight + m_text.offset().y() + 1);
}

void TrpSyntaxMemo::mousePressEvent(QMouseEvent *event)
{
    if (m_doubleClicked) {
        m_doubleClicked = false;
        return;
    }
    setFocus();
    m_mouseDown = true;
    m_text.armUndo();
    m_text.setAnchor(m_text.pos());
    const QPoint c = cellAt(event->position().toPoint());
    m_text.setPos(c.x(), c.y());
    if (event->modifiers() & Qt::ShiftModifier)
        m_text.extendSelection();
    else
        m_text.clearSelection();
    afterChange();
}

void TrpSyntaxMemo::mouseMoveEvent(QMouseEvent *event)
{
    viewport()->setCursor(event->position().x() < m_style.left ? Qt::ArrowCursor : Qt::IBeamCursor);
    if (!m_mouseDown)
        return;
    const QPoint c = cellAt(event->position().toPoint());
    m_text.setPos(c.x(), c.y());
    m_text.extendSelection();
    afterChange();
}

void TrpSyntaxMemo::mouseReleaseEvent(QMouseEvent *event)
{
    m_mouseDown = false;
    if (event->position().x() < m_style.left)
        ToggleBreakPoint(m_text.pos().y(), QString());
}

void TrpSyntaxMemo::mouseDoubleClickEvent(QMouseEvent *)
{
    m_text.selectWordAtCaret();
    m_doubleClicked = true;
    afterChange();
}

QString CompletionName(const QString &line, int caretColumn)
{
    // The text before the caret, walked from its last character.
    const QString part = line.left(std::max(0, caretColumn - 1)).trimmed();
    QString name;
    bool inString = false;
    int nesting = 0;
    for (qsizetype i = part.size() - 1; i >= 0; --i) {
        const QChar c = part.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            inString = !inString;
            continue;
        }
        if (inString)
            continue;
        if (c == QLatin1Char(')') || c == QLatin1Char(']')) {
            ++nesting;
            continue;
        }
        if (c == QLatin1Char('(') || c == QLatin1Char('[')) {
            nesting = std::max(0, nesting - 1);
            continue;
        }
        if (nesting > 0)
            continue;
        if (c == QLatin1Char(' ') || c == QLatin1Char('.') || c == QLatin1Char('_') || c.isLetterOrNumber())
            name.prepend(c);
        else
            break;
    }
    return name;
}

void TrpSyntaxMemo::showCompletion()
{
    const QPoint pos = m_text.pos();
    QStringList items;
    OnCodeCompletion(CompletionName(m_text.line(pos.y()), pos.x()), items);
    auto *popup = new TrpPopupForm(this);
    const QPoint at(m_style.left + m_style.charWidth * (pos.x() - m_text.offset().x() - 1),
                    m_style.charHeight * (pos.y() - m_text.offset().y()));
    popup->ShowList(items, viewport()->mapToGlobal(at), [this](const QString &choice) {
        m_text.insertText(choice);
        if (choice.endsWith(QLatin1String("()")))
            m_text.setPos(m_text.pos().x() - 1, m_text.pos().y());
        afterChange();
    });
}

} // namespace bralvo::report
