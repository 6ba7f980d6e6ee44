// The installed printers as the print server (CUPS) reports them: names,
// the default printer, and per printer its papers with sizes and
// unprintable margins, its bins and its resolution. The server is the one
// libcups finds (CUPS_SERVER, client.conf, the local socket).
#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>

namespace bralvo::platform {

struct CupsPaper {
    QString name;     // shown to the user ("A4", "Letter")
    QString media;    // the server's media name ("iso_a4_210x297mm")
    int code = 0;     // Windows paper code; 257 and up for sizes the
                      // paper table lacks, numbered in server order
    double width = 0; // millimetres, upright
    double height = 0;
    double left = 0, top = 0, right = 0, bottom = 0; // unprintable, mm
};

struct CupsBin {
    QString name;     // shown to the user ("Manual")
    QString keyword;  // the server's media-source value ("manual")
    int code = 0;     // Windows bin code; 256 and up for unknown bins
};

struct CupsPrinterInfo {
    QString name;
    QList<CupsPaper> papers;      // server order, automatic bin excluded
    QList<CupsBin> bins;          // without "auto" (that is bin 7)
    int defaultPaper = -1;        // index into papers, -1 when none
    QPoint dpi{600, 600};         // printer-resolution-default, else 600
    bool duplex = false;          // two-sided printing supported
    bool landscape = false;       // orientation-requested-default is a landscape one

    const CupsPaper *paper(int code) const;  // nullptr when absent
    const CupsBin *bin(int code) const;
};

// Printer (queue) names in the server's order; empty when the server has
// none or cannot be reached (callers then use a stand-in printer).
QStringList cupsPrinterNames();

// The server's (or the user's lpoptions) default printer; empty if none.
QString cupsDefaultPrinter();

// What the server reports about one printer; nullopt when it does not
// know the name or cannot be reached.
std::optional<CupsPrinterInfo> cupsPrinterInfo(const QString &name);

} // namespace bralvo::platform
