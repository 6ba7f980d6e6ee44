// The program's report layouts: report XML files built in as Qt
// resources (":/reports/<file>") and loaded into the windows' reports,
// and the one place windows show a prepared report from.
#pragma once

#include <QString>
#include <functional>

namespace bralvo::report {
class TrpReport;
class TrpUserDataSet;
}

namespace bralvo::app {

// Loads the layout file (for example "bill.rpx") into report. When
// rows is given, every band, view and dataset entry of the layout that
// names rows' UserName is bound to rows, so two windows' datasets of the
// same name never mix. The program's preview options are set (no
// editing; print, export, zoom, find, page setup, tools, navigator and
// quick export; no full screen; thumbnails; zoom 1; modal). Throws bralvo::Error when the file does not load.
void LoadReportLayout(report::TrpReport &report, const QString &file, report::TrpUserDataSet *rows = nullptr);

// Shows the report in its preview, clearing the last prepared pages
// (TrpReport::ShowReport(true)). Tests replace it.
using ReportShower = std::function<void(report::TrpReport &report)>;
ReportShower &reportShower();

} // namespace bralvo::app
