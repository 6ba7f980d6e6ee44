#include "app/reportlayouts.h"

#include "platform/error.h"
#include "report/model/trpband.h"
#include "report/model/trpdataset.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"
#include "report/model/trpview.h"

static void initReportResources()
{
    // The resources live in a static library: register them once.
    static const bool done = [] {
        Q_INIT_RESOURCE(reports);
        return true;
    }();
    Q_UNUSED(done);
}

namespace bralvo::app {

namespace {

void bindRows(report::TrpReport &report, report::TrpUserDataSet *rows)
{
    const QString name = rows->UserName();
    for (report::TrpComponent *c : report.AllObjects()) {
        if (auto *band = dynamic_cast<report::TrpDataBand *>(c)) {
            if (band->DataSetName().compare(name, Qt::CaseInsensitive) == 0)
                band->SetDataSet(rows);
        } else if (auto *view = dynamic_cast<report::TrpView *>(c)) {
            if (view->DataSetName().compare(name, Qt::CaseInsensitive) == 0)
                view->SetDataSet(rows);
        }
    }
    report::TrpReportDataSets *sets = report.DataSets();
    for (int i = 0; i < sets->count(); ++i) {
        if (sets->Items(i)->DataSetName().compare(name, Qt::CaseInsensitive) == 0)
            sets->Items(i)->SetDataSet(rows);
    }
}

// The preview options belong to the window, not to the file: a load keeps
// the report's own, so they are set here.
void applyPreviewOptions(report::TrpReport &report)
{
    using namespace report;
    report::TrpPreviewOptions &o = *report.PreviewOptions();
    o.SetAllowEdit(false);
    int buttons = 0;
    for (int b : {pbPrint, pbExport, pbZoom, pbFind, pbPageSetup, pbTools, pbNavigator, pbExportQuick, pbNoFullScreen})
        buttons |= 1 << b;
    o.SetButtons(buttons);
    o.SetModal(true);
    o.SetThumbnailVisible(true);
    o.SetZoom(1.0);
}

} // namespace

void LoadReportLayout(report::TrpReport &report, const QString &file, report::TrpUserDataSet *rows)
{
    initReportResources();
    report::registerReportClasses();
    const QString path = QStringLiteral(":/reports/") + file;
    if (!report.LoadFromFile(path, true) || report.ErrorList().count() > 0)
        throw Error(QStringLiteral("Report layout %1 did not load: %2").arg(file, report.ErrorList().text()));
    applyPreviewOptions(report);
    if (rows)
        bindRows(report, rows);
}

ReportShower &reportShower()
{
    static ReportShower shower = [](report::TrpReport &report) { report.ShowReport(true); };
    return shower;
}

} // namespace bralvo::app
