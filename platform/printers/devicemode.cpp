// Device mode to CUPS job options.
#include "platform/printers/devicemode.h"

#include "platform/printers/cupsprinters.h"
#include "platform/printers/papertable.h"

namespace bralvo::platform {
namespace {


// PWG 5101.1 custom size: "custom_<w>x<h>mm", whole hundredths trimmed.
QString customMedia(double widthMm, double heightMm)
{
    auto text = [](double v) {
        QString s = QString::number(qRound(v * 100) / 100.0, 'f', 2);
        while (s.endsWith(u'0'))
            s.chop(1);
        if (s.endsWith(u'.'))
            s.chop(1);
        return s;
    };
    return QStringLiteral("custom_%1x%2mm").arg(text(widthMm), text(heightMm));
}

QString mediaFor(const DeviceMode &mode, const CupsPrinterInfo &printer)
{
    if (mode.paperSize == kCustomPaper)
        return customMedia(mode.paperWidth / 10.0, mode.paperLength / 10.0);
    if (const CupsPaper *p = printer.paper(mode.paperSize))
        return p->media;
    if (const auto size = paperDimensions(mode.paperSize))
        return customMedia(size->width(), size->height());
    return {};
}

} // namespace

JobOptions jobOptions(const DeviceMode &mode, const CupsPrinterInfo &printer)
{
    JobOptions options;
    if (mode.fields & DeviceMode::PaperSize) {
        const QString media = mediaFor(mode, printer);
        if (!media.isEmpty())
            options.append({QStringLiteral("media"), media});
    }
    if (mode.fields & DeviceMode::Copies)
        options.append({QStringLiteral("copies"), QString::number(qMax(1, mode.copies))});
    if (mode.fields & DeviceMode::Duplex) {
        static const char *sides[] = {"one-sided", "two-sided-long-edge", "two-sided-short-edge"};
        if (mode.duplex >= DeviceMode::Simplex && mode.duplex <= DeviceMode::Horizontal)
            options.append({QStringLiteral("sides"), QString::fromLatin1(sides[mode.duplex - 1])});
    }
    if (mode.fields & DeviceMode::DefaultSource) {
        if (const CupsBin *b = printer.bin(mode.defaultSource))
            options.append({QStringLiteral("media-source"), b->keyword});
    }
    return options;
}

} // namespace bralvo::platform
