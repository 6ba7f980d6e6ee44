// rptool's printing commands over a prepared report file (.rp3):
//   rptool print FILE.rp3 --printer NAME [--copies N]
//   rptool dmp FILE.rp3 (--printer NAME | --out FILE.prn) [--escape N]
// Exit code 0 when the job was queued or written, 1 when printing failed
// (the reason on stderr), 2 for bad usage or a file that cannot be read.
#pragma once

#include <QStringList>

namespace bralvo::tools {

// Args start with the command name. Needs a QGuiApplication.
int runPrintCommand(const QStringList &args);

} // namespace bralvo::tools
