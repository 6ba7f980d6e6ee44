// A panel holding one control in a tool bar.
#include "report/preview/trptbpanel.h"

#include <QHBoxLayout>

namespace bralvo::report {

TrpTBPanel::TrpTBPanel(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    resize(8, 8);
}

void TrpTBPanel::SetControl(QWidget *control, int width)
{
    control->setParent(this);
    layout()->addWidget(control);
    control->setFixedWidth(width);
    setFixedWidth(width);
}

} // namespace bralvo::report
