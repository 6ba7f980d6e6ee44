// The current dot-matrix export slot.
#include "report/engine/trpdmpexportslot.h"

namespace bralvo::report {
namespace {
TrpCustomExportFilter *g_current = nullptr;
}

TrpCustomExportFilter *CurrentDMPExportFilter() { return g_current; }

void SetCurrentDMPExportFilter(TrpCustomExportFilter *filter) { g_current = filter; }

} // namespace bralvo::report
