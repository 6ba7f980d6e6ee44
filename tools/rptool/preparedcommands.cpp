// Dumping and rendering prepared report files through the store and the
// project's own canvas and text layout.
#include "preparedcommands.h"

#include "platform/error.h"
#include "report/engine/trpmemotextlayout.h"
#include "report/engine/trppreviewpages.h"
#include "report/model/trpband.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "report/model/trputils.h"

#include <QImage>
#include <QPainter>
#include <QTextStream>
#include <cmath>
#include <memory>

namespace bralvo::tools {

using namespace bralvo::report;

namespace {

// A report holding the pages of FILE; nullptr (message printed) when the
// file cannot be read.
std::unique_ptr<TrpReport> loadPrepared(const QString &path)
{
    installPreviewPages();
    installMemoTextLayout();
    auto report = std::make_unique<TrpReport>(nullptr);
    report->EngineOptions()->SetNewSilentMode(simSilent);
    try {
        if (!report->PreparedPages()->LoadFromFile(path))
            throw bralvo::Error(QStringLiteral("no such file: %1").arg(path));
    } catch (const bralvo::Error &e) {
        QTextStream(stderr) << "rptool: " << e.userText() << "\n";
        return nullptr;
    }
    return report;
}

QString num(double v)
{
    return FloatToFileStr(std::round(v * 1000) / 1000);
}

// The text on one line: CR LF, CR and LF as "\n", backslashes doubled.
QString oneLine(const QString &text)
{
    QString t = text;
    t.replace(u'\\', QStringLiteral("\\\\"));
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    t.replace(u'\r', QStringLiteral("\\n"));
    t.replace(u'\n', QStringLiteral("\\n"));
    return t;
}

QString objectLine(const TrpComponent &obj)
{
    const bool band = dynamic_cast<const TrpBand *>(&obj) != nullptr;
    QString line = QStringLiteral("%1%2 %3 %4 x=%5 y=%6 w=%7 h=%8")
                       .arg(band ? QStringLiteral("  ") : QStringLiteral("    "),
                            band ? QStringLiteral("band") : QStringLiteral("object"), obj.className(), obj.name(),
                            num(obj.AbsLeft()), num(obj.AbsTop()), num(obj.Width()), num(obj.Height()));
    if (const auto *memo = dynamic_cast<const TrpCustomMemoView *>(&obj))
        line += QStringLiteral(" text=\"%1\"").arg(oneLine(memo->Text()));
    return line;
}

} // namespace

int dumpPrepared(const QStringList &args)
{
    if (args.size() != 1)
        return kBadUsage;
    std::unique_ptr<TrpReport> report = loadPrepared(args[0]);
    if (!report)
        return 2;
    TrpCustomPreviewPages *pages = report->PreparedPages();
    QTextStream out(stdout);
    out << "pages " << pages->GetCount() << "\n";
    for (int i = 0; i < pages->GetCount(); ++i) {
        const TrpReportPage *page = pages->GetPage(i);
        if (!page)
            continue;
        out << QStringLiteral("page %1 w=%2 h=%3\n").arg(i + 1).arg(num(page->Width()), num(page->Height()));
        for (const TrpComponent *obj : page->AllObjects())
            out << objectLine(*obj) << "\n";
    }
    return 0;
}

int renderPrepared(const QStringList &args)
{
    // FILE --page N --dpi D OUT
    if (args.size() != 6 || args[1] != QLatin1String("--page") || args[3] != QLatin1String("--dpi"))
        return kBadUsage;
    bool okPage = false, okDpi = false;
    const int pageNo = args[2].toInt(&okPage);
    const double dpi = args[4].toDouble(&okDpi);
    if (!okPage || !okDpi || dpi <= 0 || dpi > 2400) {
        QTextStream(stderr) << "rptool: --page needs a page number and --dpi a resolution up to 2400\n";
        return 2;
    }
    std::unique_ptr<TrpReport> report = loadPrepared(args[0]);
    if (!report)
        return 2;
    TrpCustomPreviewPages *pages = report->PreparedPages();
    if (pageNo < 1 || pageNo > pages->GetCount()) {
        QTextStream(stderr) << "rptool: no page " << pageNo << " (the file has " << pages->GetCount() << ")\n";
        return 2;
    }
    const double scale = dpi / 96.0;
    const QPoint size = pages->GetPageSize(pageNo - 1);
    QImage image(qMax(1, int(std::ceil(size.x() * scale))), qMax(1, int(std::ceil(size.y() * scale))),
                 QImage::Format_RGB32);
    if (image.isNull()) {
        QTextStream(stderr) << "rptool: the page is too large at this resolution\n";
        return 2;
    }
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        pages->DrawPage(pageNo - 1, painter, scale, scale, 0, 0);
    }
    if (!image.save(args[5], "PNG")) {
        QTextStream(stderr) << "rptool: cannot write " << args[5] << "\n";
        return 2;
    }
    return 0;
}

} // namespace bralvo::tools
