// Puts the engine and the report script into every new report; the
// prepared-pages store and the preview install their own parts.
#include "report/engine/trpengine.h"
#include "report/engine/trpmemotextlayout.h"
#include "report/engine/trpprinters.h"
#include "report/engine/trpreportscript.h"
#include "report/model/trpreport.h"

namespace bralvo::report {

void installReportEngine()
{
    installMemoTextLayout();
    setCurrentPrinterPaperSource(&rpCurrentPrinterPaper);
    TrpReportMachinery m = reportMachinery();
    m.createEngine = [](TrpReport &report) -> std::unique_ptr<TrpCustomEngine> {
        return std::make_unique<TrpEngine>(&report);
    };
    m.createScript = [](TrpReport &report) -> std::unique_ptr<TrpReportScriptHost> {
        return std::make_unique<TrpReportScript>(report);
    };
    setReportMachinery(m);
}

} // namespace bralvo::report
