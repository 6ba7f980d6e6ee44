// The seam's accessor and the headless fallback used until a real one is
// installed.
#include "platform/messageboxseam.h"

#include <cstdio>
#include <utility>

namespace bralvo::platform {

namespace {

// Without a user to ask, take the answer that changes nothing.
class HeadlessMessageBoxes : public MessageBoxSeam {
public:
    int messageBox(const QString &text, const QString &caption, int flags) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
        const int buttons = flags & kMbButtonMask;
        if (buttons == kMbYesNo)
            return kIdNo;
        return buttons == kMbOkCancel ? kIdCancel : kIdOk;
    }
    std::optional<QString> openFileName(const FileDialogRequest &) override { return std::nullopt; }
    std::optional<QString> saveFileName(const FileDialogRequest &) override { return std::nullopt; }
    std::optional<QString> existingFolder(const QString &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<QString> askText(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<int> askChoice(const QString &, const QString &, const QStringList &, int) override
    {
        return std::nullopt;
    }
};

MessageBoxSeam *installedSeam = nullptr;

} // namespace

MessageBoxSeam &messageBoxSeam()
{
    static HeadlessMessageBoxes fallback;
    return installedSeam ? *installedSeam : fallback;
}

MessageBoxSeam *setMessageBoxSeam(MessageBoxSeam *seam)
{
    return std::exchange(installedSeam, seam);
}

} // namespace bralvo::platform
