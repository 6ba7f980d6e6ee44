// Installs the library's own windows into the report model: the
// progress window (TrpProgress) and the password prompt
// (TrpPasswordForm). The program calls this once at start-up.
#pragma once

namespace bralvo::report {

void installReportWindows();

} // namespace bralvo::report
