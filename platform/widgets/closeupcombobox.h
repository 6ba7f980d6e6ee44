// A combo box that says when its list closes, whether or not the choice
// changed. Choosing by code never fires `activated`, only the user does.
#pragma once

#include <QComboBox>

namespace bralvo::platform {

class CloseUpComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void hidePopup() override;

signals:
    // Fires after the drop-down list has closed.
    void closeUp();
};

} // namespace bralvo::platform
