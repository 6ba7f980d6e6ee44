// rptool preview FILE.rp3: opens the preview window on a prepared report.
#pragma once

#include <QString>

// Needs a QApplication. Exit code 0 after the window closed, 2 when the
// file cannot be read.
int runPreviewCommand(const QString &path);
