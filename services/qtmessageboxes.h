// The program's message-box seam: Qt message boxes, file dialogs and
// input dialogs, modal over the active window. Install one instance in
// main() with platform::setMessageBoxSeam(); it needs a QApplication.
#pragma once

#include "platform/messageboxseam.h"

namespace bralvo::services {

class QtMessageBoxes : public platform::MessageBoxSeam {
public:
    // Icon and buttons from the flags (Yes/No, OK/Cancel, else OK); closing
    // the box with Esc counts as No or Cancel. The text is shown as plain
    // text, never as rich text; CR, CR LF and LF all break lines.
    int messageBox(const QString &text, const QString &caption, int flags) override;
    std::optional<QString> openFileName(const platform::FileDialogRequest &request) override;
    std::optional<QString> saveFileName(const platform::FileDialogRequest &request) override;
    std::optional<QString> existingFolder(const QString &caption, const QString &startFolder) override;
    std::optional<QString> askText(const QString &caption, const QString &prompt,
                                   const QString &initialText) override;
    std::optional<int> askChoice(const QString &caption, const QString &prompt,
                                 const QStringList &items, int current) override;
};

} // namespace bralvo::services
