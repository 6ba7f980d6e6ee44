// The preview command of rptool: the library's own windows, message
// boxes and the prepared-pages store, then the preview window modal.
#include "previewcommand.h"

#include "platform/messageboxseam.h"
#include "report/engine/trpmemotextlayout.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"
#include "report/preview/reportwindows.h"
#include "report/preview/trppreviewform.h"
#include "services/qtmessageboxes.h"

#include <QFile>
#include <QTextStream>

using namespace bralvo::report;

int runPreviewCommand(const QString &path)
{
    static bralvo::services::QtMessageBoxes boxes;
    bralvo::platform::setMessageBoxSeam(&boxes);
    installReportWindows();
    installMemoTextLayout();
    installPreviewWindow();
    if (!QFile::exists(path)) {
        QTextStream(stderr) << "rptool: no such file: " << path << "\n";
        return 2;
    }
    TrpReport report;
    report.EngineOptions()->SetNewSilentMode(simSilent);
    TrpCustomPreviewPages *pages = report.PreparedPages();
    if (!pages) {
        QTextStream(stderr) << "rptool: no prepared-pages store is installed\n";
        return 2;
    }
    if (!pages->LoadFromFile(path, false) || pages->GetCount() == 0) {
        QTextStream(stderr) << "rptool: not a prepared report: " << path << "\n";
        return 2;
    }
    report.PreviewOptions()->SetModal(true);
    report.ShowPreparedPages();
    return 0;
}
