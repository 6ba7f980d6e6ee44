// Script controls: font, colour, alignment, tab order and border style
// applied to the widgets.
#include "script/bindings/tscformcontrols.h"

#include "script/bindings/tscformwindow.h"

#include <QFont>

namespace bralvo::script {

namespace {

enum { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

bool isDefaultFont(const TscFontObject &f)
{
    return f.Name == QLatin1String("Tahoma") && f.Size == 8 && f.Style == 0 && f.Color == 0;
}

} // namespace

// The font a script set (the class library's default leaves Qt's).
void TscControlObject::ApplyFont()
{
    if (!m_widget)
        return;
    if (!isDefaultFont(m_font)) {
        QFont f(m_font.Name);
        f.setPointSize(std::max(1, m_font.Size));
        f.setBold(m_font.Style & 1);
        f.setItalic(m_font.Style & 2);
        f.setUnderline(m_font.Style & 4);
        f.setStrikeOut(m_font.Style & 8);
        m_widget->setFont(f);
        QPalette palette = m_widget->palette();
        palette.setColor(QPalette::WindowText, colorFromScript(m_font.Color));
        palette.setColor(QPalette::Text, colorFromScript(m_font.Color));
        m_widget->setPalette(palette);
    }
    for (QWidget *child : m_widget->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (TscControlObject *c = of(child))
            c->ApplyFont();
}

void TscControlObject::SetColor(int color)
{
    m_color = color;
    if (!m_widget)
        return;
    QPalette palette = m_widget->palette();
    const QColor c = colorFromScript(color);
    palette.setColor(QPalette::Window, c);
    palette.setColor(QPalette::Base, c);
    palette.setColor(QPalette::Button, c);
    m_widget->setPalette(palette);
    m_widget->setAutoFillBackground(true);
}

void TscControlObject::SetAlign(int align)
{
    m_align = align;
    if (TscControlObject *parent = m_widget ? of(m_widget->parentWidget()) : nullptr)
        parent->layoutAligned();
}

// Aligned controls in the order they were put on this one: top and
// bottom take full rows, left and right full columns of what is left,
// client the rest.
void TscControlObject::layoutAligned()
{
    if (!m_widget)
        return;
    QRect free = m_widget->contentsRect();
    QList<TscControlObject *> client;
    for (QWidget *child : m_widget->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        TscControlObject *c = of(child);
        if (!c || c->m_align == alNone)
            continue;
        QWidget *w = c->Widget();
        switch (c->m_align) {
        case alTop:
            w->setGeometry(free.left(), free.top(), free.width(), w->height());
            free.setTop(free.top() + w->height());
            break;
        case alBottom:
            w->setGeometry(free.left(), free.bottom() + 1 - w->height(), free.width(), w->height());
            free.setBottom(free.bottom() - w->height());
            break;
        case alLeft:
            w->setGeometry(free.left(), free.top(), w->width(), free.height());
            free.setLeft(free.left() + w->width());
            break;
        case alRight:
            w->setGeometry(free.right() + 1 - w->width(), free.top(), w->width(), free.height());
            free.setRight(free.right() - w->width());
            break;
        default:
            client.append(c);
        }
    }
    for (TscControlObject *c : client)
        c->Widget()->setGeometry(free);
}

// Siblings take the focus by their TabOrder.
void TscControlObject::SetTabOrder(int order)
{
    m_tabOrder = order;
    QWidget *parent = m_widget ? m_widget->parentWidget() : nullptr;
    if (!parent)
        return;
    QList<TscControlObject *> siblings;
    for (QWidget *child : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (TscControlObject *c = of(child); c && c->m_tabOrder >= 0)
            siblings.append(c);
    std::stable_sort(siblings.begin(), siblings.end(),
                     [](const TscControlObject *a, const TscControlObject *b) { return a->m_tabOrder < b->m_tabOrder; });
    for (qsizetype i = 1; i < siblings.size(); ++i)
        QWidget::setTabOrder(siblings[i - 1]->Widget(), siblings[i]->Widget());
}

void TscControlObject::SetBorderStyle(int style)
{
    m_borderStyle = style;
    if (!m_isForm || !m_widget)
        return;
    const bool visible = m_widget->isVisible();
    Qt::WindowFlags flags = style == bsToolWindow || style == bsSizeToolWin ? Qt::Tool : Qt::Window;
    if (style == bsNone)
        flags |= Qt::FramelessWindowHint;
    if (style == bsDialog)
        flags = Qt::Dialog;
    m_widget->setWindowFlags(flags);
    if (visible)
        m_widget->show();
}

} // namespace bralvo::script
