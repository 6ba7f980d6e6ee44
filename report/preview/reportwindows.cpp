// Wiring of the library's windows into the report model.
#include "report/preview/reportwindows.h"

#include "report/model/trpwindows.h"
#include "report/preview/trpdialogformwindow.h"
#include "report/preview/trpparentform.h"
#include "report/preview/trppasswordform.h"
#include "report/preview/trpprogress.h"

#include <QApplication>

namespace bralvo::report {

void installReportWindows()
{
    TrpReportWindows w;
    w.createProgressWindow = [] { return std::make_unique<TrpProgress>(); };
    w.askPassword = [] { return TrpPasswordForm::Ask(); };
    setReportWindows(w);
    // Widgets need a QApplication; without one pages keep a window in memory.
    setDialogWindowFactory([](TrpDialogPage &page) -> std::unique_ptr<TrpDialogWindow> {
        if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
            return nullptr;
        return std::make_unique<TrpDialogFormWindow>(page);
    });
    setLooseControlParent([] { return GetParentForm(); });
}

} // namespace bralvo::report
