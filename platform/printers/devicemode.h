// A printer's settings for the next page or job, in the Windows device
// mode's terms that report pages and the print code use (paper codes,
// bin codes, duplex 1..3), and their translation into the print server's
// job options. Plain value type; `fields` says which members are set.
#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace bralvo::platform {

struct CupsPrinterInfo;

struct DeviceMode {
    // Bits of `fields`, the same values as the Windows device mode's.
    static constexpr int Orientation = 0x1;
    static constexpr int PaperSize = 0x2;
    static constexpr int PaperLength = 0x4;
    static constexpr int PaperWidth = 0x8;
    static constexpr int Copies = 0x100;
    static constexpr int DefaultSource = 0x200;
    static constexpr int Duplex = 0x1000;

    // Duplex values.
    static constexpr int Simplex = 1;
    static constexpr int Vertical = 2;   // long edge
    static constexpr int Horizontal = 3; // short edge

    int fields = 0;
    int orientation = 1;   // 1 portrait, 2 landscape
    int paperSize = 9;     // paper code; 256 = paperWidth x paperLength
    int paperLength = 0;   // tenths of a millimetre, upright, custom size only
    int paperWidth = 0;
    int copies = 1;
    int defaultSource = 7; // bin code
    int duplex = Simplex;

    bool operator==(const DeviceMode &) const = default;
};

using JobOptions = QList<QPair<QString, QString>>;

// The job options for a PDF job on `printer`: "media" (the printer's
// media name for the paper code, else the table size as a custom PWG
// size), "copies", "sides" and "media-source" for the fields set. The
// orientation is not sent: the PDF pages already carry it.
JobOptions jobOptions(const DeviceMode &mode, const CupsPrinterInfo &printer);

} // namespace bralvo::platform
