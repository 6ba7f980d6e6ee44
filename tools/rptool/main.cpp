// rptool: a developer's command line over the report model.
//   rptool check FILE         load FILE and print its error list
//   rptool save FILE OUTPUT   load FILE and write it back in canonical form
//   rptool preview FILE.rp3   open the preview window on a prepared report
//   rptool dump FILE.rp3      print pages, bands and objects of a prepared file
//   rptool render FILE.rp3 --page N --dpi D OUT.png
//                             draw one prepared page into a PNG file
//   rptool prepare REPORT.xml [--data NAME=FILE.csv ...] [--values FILE.ini]
//          [--shot OUT.png] [--time-limit SECONDS]
//          --out OUT.rp3      prepare the report into a prepared report file
//   rptool pdf FILE OUT.pdf   export a prepared report (.rp3) or prepare a
//                             report definition (.xml) and export it to PDF
//   rptool print, rptool dmp  print a prepared report (printcommands.h)
//   rptool qb "CONNECTION STRING"  the query builder on a database
// Exit code 0 when the file loaded without errors, 1 when it loaded with
// errors, 2 for bad usage or a file that cannot be read or written.
#include "preparedcommands.h"

#include "platform/stream.h"
#include "prepare.h"
#include "previewcommand.h"
#include "report/data/trpado.h"
#include "qbcommand.h"
#include "report/engine/trpengine.h"
#include "report/engine/trpmemotextlayout.h"
#include "report/engine/trppreviewpages.h"
#include "report/export/trppdfexport.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"
#include "report/preview/reportwindows.h"
#include "tools/rptool/printcommands.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <new>

using bralvo::report::TrpReport;

namespace {

int usage()
{
    QTextStream(stderr) << "usage: rptool check FILE\n"
                           "       rptool save FILE OUTPUT\n"
                           "       rptool preview FILE.rp3\n"
                           "       rptool dump FILE.rp3\n"
                           "       rptool render FILE.rp3 --page N --dpi D OUT.png\n"
                           "       rptool prepare REPORT.xml [--data NAME=FILE.csv ...] [--values FILE.ini]"
                           " [--shot OUT.png] [--time-limit SECONDS] --out OUT.rp3\n"
                           "       rptool pdf (FILE.rp3 | REPORT.xml) OUT.pdf\n"
                           "       rptool print FILE.rp3 --printer NAME [--copies N]\n"
                           "       rptool dmp FILE.rp3 (--printer NAME | --out FILE.prn) [--escape N]\n"
                           "       rptool qb \"CONNECTION STRING\"\n";
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
    const bool ok = report.LoadFromFile(path) && report.ErrorList().count() == 0;
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
    // A report definition is prepared first; anything else is taken for a
    // prepared report file.
    if (source.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive)) {
        bralvo::report::installReportEngine();
        // A file that did not load would export as an empty report.
        if (!report.LoadFromFile(source) || report.ErrorList().count() > 0 || !report.PrepareReport()) {
            QTextStream out(stdout);
            for (int i = 0; i < report.ErrorList().count(); ++i)
                out << report.ErrorList()[i] << "\n";
            return 1;
        }
    } else {
        pages->LoadFromFile(source, true);
    }
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

// Printing paints pages, which needs a GUI application; without a display
// it runs offscreen.
int printMain(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return bralvo::tools::runPrintCommand(app.arguments().mid(1));
}

static int runCommand(int argc, char **argv)
{
    if (argc == 3 && QLatin1String(argv[1]) == QLatin1String("preview")) {
        QApplication app(argc, argv);
        bralvo::report::installReportEngine();
        bralvo::report::installPreviewPages();
        try {
            return runPreviewCommand(app.arguments().at(2));
        } catch (const bralvo::Error &e) {
            QTextStream(stderr) << "rptool: " << e.userText() << "\n";
            return 2;
        }
    }
    if (argc == 3 && QLatin1String(argv[1]) == QLatin1String("qb"))
        return runQueryBuilderCommand(argc, argv);
    if (argc > 1 && (qstrcmp(argv[1], "print") == 0 || qstrcmp(argv[1], "dmp") == 0))
        return printMain(argc, argv);
    // Drawing needs a GUI application; text is measured through the font
    // layer. Without a display nothing is shown.
    const bool headless = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && headless)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bralvo::report::registerDataComponents();
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return usage();
    bralvo::report::installReportEngine();
    bralvo::report::installPreviewPages();
    // Dialog pages of a prepared report run modally in real windows when
    // someone can answer them (a user, or --shot, which answers the first);
    // offscreen nobody would, so they keep their in-memory window and its
    // ModalResult.
    if ((QGuiApplication::platformName() != QLatin1String("offscreen")
         && QGuiApplication::platformName() != QLatin1String("minimal"))
        || args.contains(QLatin1String("--shot")))
        bralvo::report::installReportWindows();
    if (args[0] == QLatin1String("prepare"))
        return prepareCommand(args.mid(1));
    if (args[0] == QLatin1String("dump") || args[0] == QLatin1String("render")) {
        const int rc = args[0] == QLatin1String("dump") ? bralvo::tools::dumpPrepared(args.mid(1))
                                                         : bralvo::tools::renderPrepared(args.mid(1));
        return rc == bralvo::tools::kBadUsage ? usage() : rc;
    }
    if (args[0] == QLatin1String("pdf") && args.size() == 3) {
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

int main(int argc, char **argv)
{
    // A file can ask for more memory than there is (a huge picture, a
    // list of billions): that ends the run with an error, not an abort.
    try {
        return runCommand(argc, argv);
    } catch (const std::bad_alloc &) {
        QTextStream(stderr) << "rptool: Out of memory\n";
        return 1;
    }
}
