// The SQL memo's keys, mouse, popup menu, search and tree-view drops.
#include "report/editors/tqbsyntaxmemo.h"

#include "report/editors/tabkeycapture.h"
#include "report/editors/tqbsynmemosearch.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeView>
#include <QTreeWidget>

namespace bralvo::report {

bool TqbSyntaxMemo::event(QEvent *event)
{
    return captureTabPress(event, [this](QKeyEvent *tab) { keyPressEvent(tab); }) || QWidget::event(event);
}

void TqbSyntaxMemo::edit(void (SyntaxText::*op)())
{
    if (!m_readOnly)
        (m_text.*op)();
}

bool TqbSyntaxMemo::editKey(int key, bool ctrl, bool shift)
{
    switch (key) {
    case Qt::Key_Backspace:
        edit(&SyntaxText::backspace);
        return true;
    case Qt::Key_Tab:
        edit(&SyntaxText::tab);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!ctrl && !shift)
            edit(&SyntaxText::enter);
        return true;
    case Qt::Key_Insert:
        if (ctrl)
            CopyToClipboard();
        else if (shift)
            PasteFromClipboard();
        return true;
    case Qt::Key_Delete:
        shift ? CutToClipboard() : edit(&SyntaxText::deleteChar);
        return true;
    case Qt::Key_F3:
        if (!m_searchText.isEmpty())
            Find(m_searchText);
        return true;
    default:
        return false;
    }
}

// Ctrl with a letter or digit; the letters C, V, X, Z, I and U are the
// control characters 3, 22, 24, 26, 9 and 21.
bool TqbSyntaxMemo::ctrlKey(int key, bool shift)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        shift ? m_text.toggleBookmark(key - Qt::Key_0) : m_text.gotoBookmark(key - Qt::Key_0);
        return true;
    }
    switch (key) {
    case Qt::Key_A:
        SelectAll();
        break;
    case Qt::Key_C:
        CopyToClipboard();
        break;
    case Qt::Key_V:
        PasteFromClipboard();
        break;
    case Qt::Key_X:
        CutToClipboard();
        break;
    case Qt::Key_Z:
        Undo();
        break;
    case Qt::Key_I:
        edit(&SyntaxText::indentBlock);
        break;
    case Qt::Key_U:
        edit(&SyntaxText::unindentBlock);
        break;
    case Qt::Key_Y:
        edit(&SyntaxText::deleteLine);
        break;
    case Qt::Key_F:
        OpenSearch();
        break;
    default:
        return false;
    }
    return true;
}

void TqbSyntaxMemo::keyPressEvent(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    m_text.setAnchor(m_text.pos());
    if (MemoNavigationKey(m_text, event->key(), ctrl, shift) || editKey(event->key(), ctrl, shift)
        || (ctrl && !(event->modifiers() & Qt::AltModifier) && ctrlKey(event->key(), shift))) {
        afterChange();
        return;
    }
    const QString t = event->text();
    if (!ctrl && t.size() == 1 && t.at(0).unicode() >= 32 && !m_readOnly) {
        m_text.typeChar(t.at(0));
        afterChange();
    }
}

void TqbSyntaxMemo::OpenSearch()
{
    TqbSynMemoSearch dialog(this);
    dialog.SetText(m_searchText);
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    m_searchText = dialog.Text();
    if (confirmed)
        Find(m_searchText);
}

QPoint TqbSyntaxMemo::cellAt(QPoint pixel) const
{
    return QPoint((pixel.x() - m_style.left) / m_style.charWidth + m_text.offset().x() + 1,
                  pixel.y() / m_style.charHeight + m_text.offset().y() + 1);
}

void TqbSyntaxMemo::showMenu(QPoint at)
{
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(QStringLiteral("Cut"), this, &TqbSyntaxMemo::CutToClipboard);
    menu->addAction(QStringLiteral("Copy"), this, &TqbSyntaxMemo::CopyToClipboard);
    menu->addAction(QStringLiteral("Paste"), this, &TqbSyntaxMemo::PasteFromClipboard);
    menu->popup(mapToGlobal(at));
}

void TqbSyntaxMemo::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton && contextMenuPolicy() == Qt::DefaultContextMenu) {
        showMenu(event->position().toPoint());
        return;
    }
    if (m_doubleClicked) {
        m_doubleClicked = false;
        return;
    }
    setFocus();
    m_mouseDown = true;
    const QPoint c = cellAt(event->position().toPoint());
    m_text.setPos(c.x(), c.y());
    m_text.setAnchor(m_text.pos());
    m_text.clearSelection();
    afterChange();
}

void TqbSyntaxMemo::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_mouseDown)
        return;
    const QPoint c = cellAt(event->position().toPoint());
    m_text.setPos(c.x(), c.y());
    m_text.extendSelection();
    afterChange();
}

void TqbSyntaxMemo::mouseReleaseEvent(QMouseEvent *)
{
    m_mouseDown = false;
}

void TqbSyntaxMemo::mouseDoubleClickEvent(QMouseEvent *)
{
    m_text.selectWordAtCaret();
    m_doubleClicked = true;
    afterChange();
}

void TqbSyntaxMemo::dragEnterEvent(QDragEnterEvent *event)
{
    if (qobject_cast<QTreeView *>(event->source()))
        event->acceptProposedAction();
}

void TqbSyntaxMemo::dragMoveEvent(QDragMoveEvent *event)
{
    if (qobject_cast<QTreeView *>(event->source()))
        event->acceptProposedAction();
}

void TqbSyntaxMemo::dropEvent(QDropEvent *event)
{
    auto *tree = qobject_cast<QTreeView *>(event->source());
    if (!tree || m_readOnly)
        return;
    const QModelIndex node = tree->currentIndex();
    const QPoint c = cellAt(event->position().toPoint());
    m_text.setPos(c.x(), c.y());
    m_text.clearSelection();
    InsertText(node.data().toString());
    event->acceptProposedAction();
}

} // namespace bralvo::report
