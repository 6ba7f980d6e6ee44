// rptool: a developer's command line over the report model.
//   rptool check FILE         load FILE and print its error list
//   rptool save FILE OUTPUT   load FILE and write it back in canonical form
//   rptool preview FILE.rp3   open the preview window on a prepared report
//   rptool print, rptool dmp  print a prepared report (printcommands.h)
// Exit code 0 when the file loaded without errors, 1 when it loaded with
// errors, 2 for bad usage or a file that cannot be read or written.
#include "platform/stream.h"
#include "previewcommand.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"
#include "tools/rptool/printcommands.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

using bralvo::report::TrpReport;

namespace {

int usage()
{
    QTextStream(stderr) << "usage: rptool check FILE\n"
                           "       rptool save FILE OUTPUT\n"
                           "       rptool preview FILE.rp3\n"
                           "       rptool print FILE.rp3 --printer NAME [--copies N]\n"
                           "       rptool dmp FILE.rp3 (--printer NAME | --out FILE.prn) [--escape N]\n";
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
    if (argc > 1 && (qstrcmp(argv[1], "print") == 0 || qstrcmp(argv[1], "dmp") == 0))
        return printMain(argc, argv);
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return usage();
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
