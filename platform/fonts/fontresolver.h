// Turns a font family name as report files and windows write it (often
// a Windows name) into an installed font file. Arial, Times New Roman and
// Courier New map to their metric-compatible Liberation fonts, Tahoma to
// Wine's Tahoma, every other name to DejaVu Sans. Fontconfig finds the file.
#pragma once

#include "platform/error.h"

#include <QString>

namespace bralvo::platform {

// No usable font file was found, not even the fallback family.
class FontError : public bralvo::Error {
public:
    using bralvo::Error::Error;
};

struct ResolvedFont {
    QString family;   // the installed family actually used
    QString fileName; // absolute path of the font file
    int faceIndex = 0;
    bool bold = false;   // the file's own weight and slant, which may
    bool italic = false; // differ from what was asked for
};

// The installed family a name stands for; case and surrounding blanks
// are ignored. An installed target family ("Liberation Sans") maps to
// itself; anything unknown (and "") gives "DejaVu Sans".
QString substituteFamily(const QString &family);

// The file for a family with FontStyle bits (only bold and italic matter;
// underline and strike-out are drawn, not chosen). Results are cached.
// Throws FontError when fontconfig finds no file for the family nor for
// the DejaVu Sans fallback.
ResolvedFont resolveFont(const QString &family, int style);

} // namespace bralvo::platform
