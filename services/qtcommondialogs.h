// The program's colour, font and printer dialogs for scripts: Qt's own,
// modal over the active window. Install one instance in main() with
// platform::setCommonDialogSeam(); it needs a QApplication.
#pragma once

#include "platform/commondialogseam.h"

namespace bralvo::services {

class QtCommonDialogs : public platform::CommonDialogSeam {
public:
    std::optional<int> chooseColor(int initial) override;
    std::optional<platform::FontChoice> chooseFont(const platform::FontChoice &initial) override;
    bool choosePrinter(bool setupOnly) override;
};

} // namespace bralvo::services
