// The process-wide current dot-matrix export, known here as a plain
// export filter so that printing (below the export library) can hand a
// dot-matrix report to it. The export sets itself when made and clears
// the slot when destroyed.
#pragma once

namespace bralvo::report {

class TrpCustomExportFilter;

TrpCustomExportFilter *CurrentDMPExportFilter();  // nullptr when none
void SetCurrentDMPExportFilter(TrpCustomExportFilter *filter);

} // namespace bralvo::report
