// rptool's commands over prepared report files (.rp3).
#pragma once

#include <QStringList>

namespace bralvo::tools {

// What the commands return for arguments of the wrong shape (the caller
// prints the usage); otherwise 0 on success and 2 on failure.
inline constexpr int kBadUsage = -1;

// rptool dump FILE.rp3: one line per page, band and object.
int dumpPrepared(const QStringList &args);
// rptool render FILE.rp3 --page N --dpi D OUT.png
int renderPrepared(const QStringList &args);

} // namespace bralvo::tools
