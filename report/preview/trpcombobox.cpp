// The flat combo box: Qt's editable combo box with our own frame and
// button painting.
#include "report/preview/trpcombobox.h"

#include "report/model/trpview.h"
#include "report/preview/trpcontrolutils.h"

#include <QAbstractItemView>
#include <QEnterEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>

namespace bralvo::report {

TrpCustomComboBox::TrpCustomComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    m_itemHeight = FontHeight(font());
    resize(100, height());
    lineEdit()->setFrame(false);
    lineEdit()->installEventFilter(this);
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] { update(); });
}

void TrpCustomComboBox::SetEditOffset(int v)
{
    m_editOffset = v;
    placeEdit();
}

void TrpCustomComboBox::SetReadOnly(bool v)
{
    if (v == m_readOnly)
        return;
    m_readOnly = v;
    lineEdit()->setReadOnly(v);
}

int TrpCustomComboBox::ListHeight() const
{
    if (maxVisibleItems() > 0 && count() > 0)
        return m_itemHeight * qMin(maxVisibleItems(), count()) + 2;
    return m_itemHeight + 2;
}

TrpCustomComboBox::ButtonState TrpCustomComboBox::CurrentButtonState() const
{
    if (!isEnabled())
        return ButtonState::Disabled;
    if (m_droppedDown)
        return ButtonState::Pressed;
    if (m_mouseInControl || lineEdit()->hasFocus())
        return ButtonState::Hot;
    return ButtonState::Normal;
}

int TrpCustomComboBox::ButtonFillColor(ButtonState state)
{
    switch (state) {
    case ButtonState::Hot:
        return BlendColors(clHighlight, clWindow, 30);
    case ButtonState::Pressed:
        return BlendColors(clHighlight, clWindow, 50);
    case ButtonState::Normal:
    case ButtonState::Disabled:
        break;
    }
    return clBtnFace;
}

void TrpCustomComboBox::showPopup()
{
    const int width = m_listWidth > 0 ? m_listWidth : this->width();
    view()->setMinimumWidth(width);
    const QPoint bottom = mapToGlobal(QPoint(width, FontHeight(font()) + ListHeight() + 6));
    const QScreen *s = screen();
    m_upDropdown = s && bottom.y() > s->geometry().bottom();
    m_droppedDown = true;
    update();
    QComboBox::showPopup();
}

void TrpCustomComboBox::hidePopup()
{
    QComboBox::hidePopup();
    m_droppedDown = false;
    update();
}

void TrpCustomComboBox::placeEdit()
{
    lineEdit()->setGeometry(m_editOffset + 3, 3, width() - m_buttonWidth - m_editOffset - 8, height() - 6);
}

void TrpCustomComboBox::resizeEvent(QResizeEvent *event)
{
    QComboBox::resizeEvent(event);
    placeEdit();
}

void TrpCustomComboBox::enterEvent(QEnterEvent *event)
{
    m_mouseInControl = true;
    update();
    QComboBox::enterEvent(event);
}

void TrpCustomComboBox::leaveEvent(QEvent *event)
{
    m_mouseInControl = false;
    update();
    QComboBox::leaveEvent(event);
}

void TrpCustomComboBox::changeEvent(QEvent *event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        m_itemHeight = FontHeight(font());
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange)
        update();
}

bool TrpCustomComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lineEdit() && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        update();
    return QComboBox::eventFilter(watched, event);
}

void TrpCustomComboBox::paintButton(QPainter &p, ButtonState state)
{
    const int w = width(), h = height();
    const QRect button(w - m_buttonWidth - 3, 1, m_buttonWidth + 2, h - 2);
    const bool active = state == ButtonState::Hot || state == ButtonState::Pressed;
    p.fillRect(button, ColorToQColor(ButtonFillColor(state)));
    p.setPen(ColorToQColor(active ? clHighlight : clWindow));
    p.drawLine(button.topLeft(), button.bottomLeft());
    int glyphColor = clBtnText;
    if (state == ButtonState::Pressed)
        glyphColor = clCaptionText;
    else if (state == ButtonState::Disabled)
        glyphColor = clGrayText;
    p.setPen(ColorToQColor(glyphColor));
    const int x = m_buttonWidth / 2 + w - m_buttonWidth - 4;
    const int y = (h - 4) / 2 + 1;
    for (int i = 0; i < 3; ++i)
        p.drawLine(x + i, y + i, x + 4 - i, y + i);
}

void TrpCustomComboBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const ButtonState state = CurrentButtonState();
    const QRect r = rect().adjusted(0, 0, -1, -1);
    if (state == ButtonState::Disabled) {
        p.fillRect(rect(), ColorToQColor(clBtnFace));
        p.setPen(ColorToQColor(clBtnShadow));
        p.drawRect(r);
    } else {
        p.fillRect(rect(), ColorToQColor(clWindow));
        const bool hot = state != ButtonState::Normal;
        p.setPen(ColorToQColor(hot ? clHighlight : clBtnFace));
        p.drawRect(r);
        p.setPen(ColorToQColor(clWindow));
        p.drawRect(r.adjusted(1, 1, -1, -1));
    }
    paintButton(p, state);
}

} // namespace bralvo::report
