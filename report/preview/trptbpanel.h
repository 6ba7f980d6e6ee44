// TrpTBPanel: a borderless panel that holds one control (an edit or a
// combo box) inside a tool bar.
#pragma once

#include <QWidget>

namespace bralvo::report {

class TrpTBPanel : public QWidget {
    Q_OBJECT
public:
    // 8 x 8 pixels, opaque, without margins.
    explicit TrpTBPanel(QWidget *parent = nullptr);
    // Puts Control into the panel and sizes the panel to it.
    void SetControl(QWidget *control, int width);
};

} // namespace bralvo::report
