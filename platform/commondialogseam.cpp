// The common-dialog seam and its cancelling fallback.
#include "platform/commondialogseam.h"

#include <utility>

namespace bralvo::platform {

namespace {

class CancelledDialogs : public CommonDialogSeam {
public:
    std::optional<int> chooseColor(int) override { return std::nullopt; }
    std::optional<FontChoice> chooseFont(const FontChoice &) override { return std::nullopt; }
    bool choosePrinter(bool) override { return false; }
};

CommonDialogSeam *installed = nullptr;

} // namespace

CommonDialogSeam &commonDialogSeam()
{
    static CancelledDialogs fallback;
    return installed ? *installed : fallback;
}

CommonDialogSeam *setCommonDialogSeam(CommonDialogSeam *seam)
{
    return std::exchange(installed, seam);
}

} // namespace bralvo::platform
