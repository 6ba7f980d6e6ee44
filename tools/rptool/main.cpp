// rptool: a developer's command line over the report model.
//   rptool check FILE         load FILE and print its error list
//   rptool save FILE OUTPUT   load FILE and write it back in canonical form
//   rptool preview FILE.rp3   open the preview window on a prepared report
//   rptool pdf FILE.rp3 OUT.pdf  export a prepared report to PDF
// Exit code 0 when the file loaded without errors, 1 when it loaded with
// errors, 2 for bad usage or a file that cannot be read or written.
#include "platform/stream.h"
#include "previewcommand.h"
#include "report/engine/trpmemotextlayout.h"
#include "report/engine/trppreviewpages.h"
#include "report/export/trppdfexport.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QFile>
#include <QTextStream>
#include <memory>

using bralvo::report::TrpReport;

namespace {

int usage()
{
    QTextStream(stderr) << "usage: rptool check FILE\n"
                           "       rptool save FILE OUTPUT\n"
                           "       rptool preview FILE.rp3\n"
                           "       rptool pdf FILE.rp3 OUT.pdf\n";
    return 2;
}

// Loads quietly: errors are printed by the tool, not shown in boxes.
int load(TrpReport &report, const QString &path)
{
    if (!QFile::exists(path)) {
        QTextStream(stderr) << "rptool: no such file: " << path << "\n";
        return 2;
    }
    report.EngineOptions()->SetNewSilentMode(bralvo::report::simSilent);
    const bool ok = report.LoadFromFile(path);
    QTextStream out(stdout);
    for (int i = 0; i < report.ErrorList().count(); ++i)
        out << report.ErrorList()[i] << "\n";
    return ok ? 0 : 1;
}

// Loads the prepared pages of Source and exports them to Target.
int exportPdf(const QString &source, const QString &target)
{
    if (!QFile::exists(source)) {
        QTextStream(stderr) << "rptool: no such file: " << source << "\n";
        return 2;
    }
    bralvo::report::installPreviewPages();
    bralvo::report::installMemoTextLayout();
    TrpReport report;
    report.EngineOptions()->SetNewSilentMode(bralvo::report::simSilent);
    bralvo::report::TrpCustomPreviewPages *pages = report.PreparedPages();
    pages->LoadFromFile(source, true);
    bralvo::report::TrpPDFExport filter;
    filter.SetShowDialog(false);
    filter.SetShowProgress(false);
    filter.SetFileName(target);
    const bool ok = pages->Export(&filter);
    QTextStream out(stdout);
    for (int i = 0; i < report.ErrorList().count(); ++i)
        out << report.ErrorList()[i] << "\n";
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && QLatin1String(argv[1]) == QLatin1String("preview")) {
        QApplication app(argc, argv);
        try {
            return runPreviewCommand(app.arguments().at(2));
        } catch (const bralvo::Error &e) {
            QTextStream(stderr) << "rptool: " << e.userText() << "\n";
            return 2;
        }
    }
    // Exporting measures fonts and draws pictures: that needs the GUI
    // application, on the offscreen platform when no display is set.
    const bool pdf = argc == 4 && QByteArray(argv[1]) == "pdf";
    if (pdf && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app =
        pdf ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() < 2)
        return usage();
    if (pdf) {
        try {
            return exportPdf(args[1], args[2]);
        } catch (const bralvo::Error &e) {
            QTextStream(stderr) << "rptool: " << e.userText() << "\n";
            return 2;
        }
    }
    TrpReport report;
    try {
        if (args[0] == QLatin1String("check") && args.size() == 2)
            return load(report, args[1]);
        if (args[0] == QLatin1String("save") && args.size() == 3) {
            const int rc = load(report, args[1]);
            if (rc == 2)
                return rc;
            // Loading never takes the silent mode from the file, so the
            // canonical form carries the default one.
            report.EngineOptions()->SetNewSilentMode(bralvo::report::simMessageBoxes);
            report.SaveToFile(args[2]);
            return rc;
        }
    } catch (const bralvo::Error &e) {
        QTextStream(stderr) << "rptool: " << e.userText() << "\n";
        return 2;
    }
    return usage();
}
