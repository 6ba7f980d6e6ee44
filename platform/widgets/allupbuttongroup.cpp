// A group of checkable buttons where pressing the down one lifts it.
#include "platform/widgets/allupbuttongroup.h"

#include <QAbstractButton>

namespace bralvo::platform {

void AllUpButtonGroup::addButton(QAbstractButton *button)
{
    button->setCheckable(true);
    m_buttons.append(button);
    connect(button, &QAbstractButton::toggled, this,
            [this, button](bool checked) { buttonToggled(button, checked); });
    connect(button, &QObject::destroyed, this,
            [this, button] { m_buttons.removeAll(button); });
}

QAbstractButton *AllUpButtonGroup::checkedButton() const
{
    for (QAbstractButton *button : m_buttons)
        if (button->isChecked())
            return button;
    return nullptr;
}

void AllUpButtonGroup::buttonToggled(QAbstractButton *button, bool checked)
{
    if (!checked)
        return;
    for (QAbstractButton *other : m_buttons)
        if (other != button && other->isChecked())
            other->setChecked(false);
}

} // namespace bralvo::platform
