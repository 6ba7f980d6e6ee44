// Installs the library's own windows into the report model: the
// progress window (TrpProgress), the password prompt (TrpPasswordForm)
// and the window every new dialog page runs in (TrpDialogFormWindow).
// The program calls this once at start-up, after QApplication exists.
#pragma once

namespace bralvo::report {

void installReportWindows();

} // namespace bralvo::report
