// What the report model needs of the library's small windows: the
// progress window shown while a report is prepared (OldStyleProgress),
// exported or printed, and the password prompt for protected report
// definitions. The windows themselves are Qt widgets of report/preview,
// installed with setReportWindows; without them a report shows no
// progress window and asks for passwords through the message-box seam.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace bralvo::report {

class TrpProgressWindow {
public:
    virtual ~TrpProgressWindow() = default;
    // Shows the window: Terminated false, Cancel visible as ShowCancel,
    // the bar (0 .. MaxValue, at 0) visible as ShowProgressBar, Msg shown.
    virtual void Execute(int maxValue, const QString &msg, bool showProgressBar, bool showCancel) = 0;
    // Shows Text at once.
    virtual void SetMessage(const QString &text) = 0;
    virtual QString Message() const = 0;
    // Set by the window's Cancel.
    virtual bool Terminated() const = 0;
};

struct TrpReportWindows {
    // A new progress window without owner; it disables the active window
    // until it is freed or hidden.
    std::function<std::unique_ptr<TrpProgressWindow>()> createProgressWindow;
    // Asks modally for a password; std::nullopt when cancelled.
    std::function<std::optional<QString>()> askPassword;
};

void setReportWindows(const TrpReportWindows &windows);
const TrpReportWindows &reportWindows();

} // namespace bralvo::report
