// The seam for the colour, font and printer dialogs that scripts open:
// the program installs Qt dialogs, tests an answerer of their own. Until
// one is installed every dialog is cancelled.
#pragma once

#include <QString>
#include <optional>

namespace bralvo::platform {

// A font as the dialogs give it: style bits bold 1, italic 2, underline 4,
// strike-out 8; colour with red in the lowest byte.
struct FontChoice {
    QString name;
    int size = 8;
    int style = 0;
    int color = 0;
};

class CommonDialogSeam {
public:
    virtual ~CommonDialogSeam() = default;
    // The chosen colour (red in the lowest byte); std::nullopt when
    // cancelled.
    virtual std::optional<int> chooseColor(int initial) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice &initial) = 0;
    // A print dialog, or the printer set-up when setupOnly: whether the
    // user confirmed it.
    virtual bool choosePrinter(bool setupOnly) = 0;
};

CommonDialogSeam &commonDialogSeam();
// Installs a seam (not owned; it must outlive its use); nullptr puts the
// cancelling fallback back. Gives the seam installed before.
CommonDialogSeam *setCommonDialogSeam(CommonDialogSeam *seam);

} // namespace bralvo::platform
