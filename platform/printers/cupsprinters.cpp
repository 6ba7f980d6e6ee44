// Printer list, default printer and per-printer capabilities from CUPS.
#include "platform/printers/cupsprinters.h"

#include "platform/printers/papertable.h"

#include <cups/cups.h>

#include <memory>

namespace bralvo::platform {
namespace {

struct DestList {
    cups_dest_t *dests = nullptr;
    int count = 0;
    DestList() { count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests); }
    ~DestList() { cupsFreeDests(count, dests); }
    DestList(const DestList &) = delete;
    DestList &operator=(const DestList &) = delete;
};

using InfoPtr = std::unique_ptr<cups_dinfo_t, decltype(&cupsFreeDestInfo)>;

// "iso_a4_210x297mm" -> "A4", "na_letter_8.5x11in" -> "Letter".
QString nameFromKeyword(const QString &keyword)
{
    const QStringList parts = keyword.split(u'_');
    QString name = parts.size() >= 3 ? parts.at(1) : keyword;
    name.replace(u'-', u' ');
    if (!name.isEmpty())
        name[0] = name.at(0).toUpper();
    return name;
}

int binCode(const QString &keyword, int unknownIndex)
{
    static const QList<QPair<QString, int>> known = {
        {"top", 1},      {"bottom", 2},  {"middle", 3},          {"manual", 4},
        {"envelope", 5}, {"tractor", 8}, {"large-capacity", 11}, {"main", 15},
    };
    for (const auto &k : known)
        if (k.first == keyword)
            return k.second;
    return 256 + unknownIndex;
}

QString localized(cups_dest_t *dest, cups_dinfo_t *info, const char *option,
                  const char *value, const QString &fallback)
{
    const char *text = cupsLocalizeDestValue(CUPS_HTTP_DEFAULT, dest, info, option, value);
    // libcups echoes the keyword when it has no translation.
    if (!text || qstrcmp(text, value) == 0)
        return fallback;
    return QString::fromUtf8(text);
}

CupsPaper paperFrom(cups_dest_t *dest, cups_dinfo_t *info, cups_size_t &size, int &nextCustom)
{
    CupsPaper p;
    p.media = QString::fromUtf8(size.media);
    const char *text = cupsLocalizeDestMedia(CUPS_HTTP_DEFAULT, dest, info, 0, &size);
    p.name = text ? QString::fromUtf8(text) : nameFromKeyword(p.media);
    p.width = size.width / 100.0;
    p.height = size.length / 100.0;
    p.left = size.left / 100.0;
    p.right = size.right / 100.0;
    p.top = size.top / 100.0;
    p.bottom = size.bottom / 100.0;
    p.code = paperCodeForSize(p.width, p.height);
    if (p.code == 0)
        p.code = nextCustom++;
    return p;
}

void readPapers(cups_dest_t *dest, cups_dinfo_t *info, CupsPrinterInfo &out)
{
    int nextCustom = kCustomPaper + 1;
    const int count = cupsGetDestMediaCount(CUPS_HTTP_DEFAULT, dest, info, 0);
    for (int i = 0; i < count; ++i) {
        cups_size_t size;
        if (cupsGetDestMediaByIndex(CUPS_HTTP_DEFAULT, dest, info, i, 0, &size))
            out.papers.append(paperFrom(dest, info, size, nextCustom));
    }
    ipp_attribute_t *def = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "media");
    const QString media = def ? QString::fromUtf8(ippGetString(def, 0, nullptr)) : QString();
    for (int i = 0; i < out.papers.size(); ++i)
        if (out.papers.at(i).media == media)
            out.defaultPaper = i;
    if (out.defaultPaper < 0 && !out.papers.isEmpty())
        out.defaultPaper = 0;
}

void readBins(cups_dest_t *dest, cups_dinfo_t *info, CupsPrinterInfo &out)
{
    ipp_attribute_t *a = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, "media-source");
    int unknown = 0;
    for (int i = 0; a && i < ippGetCount(a); ++i) {
        const char *value = ippGetString(a, i, nullptr);
        const QString keyword = QString::fromUtf8(value);
        if (!value || keyword == u"auto")
            continue;
        const int code = binCode(keyword, unknown);
        if (code >= 256)
            ++unknown;
        out.bins.append({localized(dest, info, "media-source", value, nameFromKeyword(keyword)),
                         keyword, code});
    }
}

void readResolutionSidesAndOrientation(cups_dest_t *dest, cups_dinfo_t *info, CupsPrinterInfo &out)
{
    ipp_attribute_t *r = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution");
    if (r && ippGetValueTag(r) == IPP_TAG_RESOLUTION) {
        int y = 0;
        ipp_res_t units;
        const int x = ippGetResolution(r, 0, &y, &units);
        const double f = units == IPP_RES_PER_CM ? 2.54 : 1.0;
        out.dpi = QPoint(qRound(x * f), qRound(y * f));
    }
    out.duplex = cupsCheckDestSupported(CUPS_HTTP_DEFAULT, dest, info, CUPS_SIDES,
                                        CUPS_SIDES_TWO_SIDED_PORTRAIT);
    ipp_attribute_t *o = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, CUPS_ORIENTATION);
    const int orientation = o && ippGetValueTag(o) == IPP_TAG_ENUM ? ippGetInteger(o, 0) : IPP_ORIENT_PORTRAIT;
    out.landscape = orientation == IPP_ORIENT_LANDSCAPE || orientation == IPP_ORIENT_REVERSE_LANDSCAPE;
}

} // namespace

const CupsPaper *CupsPrinterInfo::paper(int code) const
{
    for (const CupsPaper &p : papers)
        if (p.code == code)
            return &p;
    return nullptr;
}

const CupsBin *CupsPrinterInfo::bin(int code) const
{
    for (const CupsBin &b : bins)
        if (b.code == code)
            return &b;
    return nullptr;
}

QStringList cupsPrinterNames()
{
    DestList list;
    QStringList names;
    for (int i = 0; i < list.count; ++i)
        if (!list.dests[i].instance && !names.contains(QString::fromUtf8(list.dests[i].name)))
            names.append(QString::fromUtf8(list.dests[i].name));
    return names;
}

QString cupsDefaultPrinter()
{
    DestList list;
    cups_dest_t *dest = cupsGetDest(nullptr, nullptr, list.count, list.dests);
    return dest ? QString::fromUtf8(dest->name) : QString();
}

std::optional<CupsPrinterInfo> cupsPrinterInfo(const QString &name)
{
    DestList list;
    const QByteArray utf8 = name.toUtf8();
    cups_dest_t *dest = cupsGetDest(utf8.constData(), nullptr, list.count, list.dests);
    if (!dest)
        return std::nullopt;
    InfoPtr info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest), &cupsFreeDestInfo);
    if (!info)
        return std::nullopt;
    CupsPrinterInfo out;
    out.name = QString::fromUtf8(dest->name);
    readPapers(dest, info.get(), out);
    readBins(dest, info.get(), out);
    readResolutionSidesAndOrientation(dest, info.get(), out);
    return out;
}

} // namespace bralvo::platform
