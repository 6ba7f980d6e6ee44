// A combo box that reports when its drop-down list closes.
#include "platform/widgets/closeupcombobox.h"

namespace bralvo::platform {

void CloseUpComboBox::hidePopup()
{
    QComboBox::hidePopup();
    emit closeUp();
}

} // namespace bralvo::platform
