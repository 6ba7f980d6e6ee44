// Wiring of the library's windows into the report model.
#include "report/preview/reportwindows.h"

#include "report/model/trpwindows.h"
#include "report/preview/trppasswordform.h"
#include "report/preview/trpprogress.h"

namespace bralvo::report {

void installReportWindows()
{
    TrpReportWindows w;
    w.createProgressWindow = [] { return std::make_unique<TrpProgress>(); };
    w.askPassword = [] { return TrpPasswordForm::Ask(); };
    setReportWindows(w);
}

} // namespace bralvo::report
