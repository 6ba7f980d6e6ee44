// rptool print and rptool dmp.
#include "tools/rptool/printcommands.h"

#include "report/engine/trppagesprinter.h"
#include "report/engine/trpmemotextlayout.h"
#include "report/engine/trpprinters.h"
#include "report/engine/trppreviewpages.h"
#include "report/export/trpdmpexport.h"
#include "report/model/reporterror.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"

#include <QFile>
#include <QTextStream>

#include <optional>

namespace bralvo::tools {
namespace {

using report::TrpReport;

struct Options {
    QString file, printer, out;
    int copies = 1;
    int escape = 0;
};

// Null when the arguments do not fit the command.
std::optional<Options> parse(const QStringList &args)
{
    if (args.size() < 2)
        return std::nullopt;
    Options o;
    o.file = args[1];
    for (int i = 2; i + 1 < args.size(); i += 2) {
        bool ok = true;
        if (args[i] == QLatin1String("--printer"))
            o.printer = args[i + 1];
        else if (args[i] == QLatin1String("--out"))
            o.out = args[i + 1];
        else if (args[i] == QLatin1String("--copies"))
            o.copies = args[i + 1].toInt(&ok);
        else if (args[i] == QLatin1String("--escape"))
            o.escape = args[i + 1].toInt(&ok);
        else
            return std::nullopt;
        if (!ok)
            return std::nullopt;
    }
    if (args.size() % 2 != 0 || o.copies < 1)
        return std::nullopt;
    const bool dmp = args[0] == QLatin1String("dmp");
    if (dmp ? o.printer.isEmpty() == o.out.isEmpty() : (o.printer.isEmpty() || !o.out.isEmpty()))
        return std::nullopt;
    return o;
}

int fail(const QString &text, int code)
{
    QTextStream(stderr) << "rptool: " << text << "\n";
    return code;
}

// Errors of the job come back as exceptions, so the tool can print them.
void prepare(TrpReport &report, const Options &o)
{
    report.EngineOptions()->SetNewSilentMode(report::simReThrow);
    report::TrpPrintOptions &p = *report.PrintOptions();
    p.SetShowDialog(false);
    p.SetCopies(o.copies);
    p.SetPrinter(o.printer);
}

} // namespace

int runPrintCommand(const QStringList &args)
{
    const std::optional<Options> o = parse(args);
    if (!o)
        return fail(QStringLiteral("usage: rptool print FILE.rp3 --printer NAME [--copies N]\n"
                                   "       rptool dmp FILE.rp3 (--printer NAME | --out FILE.prn) [--escape N]"),
                    2);
    report::installMemoTextLayout();
    report::installPreviewPages();
    TrpReport report;
    report::TrpCustomPreviewPages *pages = report.PreparedPages();
    if (!pages)
        return fail(QStringLiteral("prepared pages are not available"), 2);
    try {
        if (!QFile::exists(o->file) || !pages->LoadFromFile(o->file))
            return fail(QStringLiteral("cannot read ") + o->file, 2);
    } catch (const bralvo::Error &e) {
        return fail(e.userText(), 2); // not a prepared report, or cut short
    }
    prepare(report, *o);
    if (!o->printer.isEmpty() && report::rpPrinters().IndexOf(o->printer) < 0)
        return fail(QStringLiteral("no such printer: ") + o->printer, 2);
    try {
        if (args[0] == QLatin1String("print"))
            return pages->Print() ? 0 : 1;
        report::TrpDotMatrixExport filter;
        filter.SetShowDialog(false);
        filter.SetUseIniSettings(false);
        filter.SetEscModel(o->escape);
        filter.SetSaveToFile(!o->out.isEmpty());
        filter.SetFileName(o->out);
        report::SelectReportPrinter(report);
        return pages->Export(&filter) ? 0 : 1;
    } catch (const bralvo::Error &e) {
        return fail(e.userText(), 1);
    }
}

} // namespace bralvo::tools
