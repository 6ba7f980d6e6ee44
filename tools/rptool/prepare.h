// The "prepare" command of rptool: a report file with CSV datasets and
// INI values becomes a prepared report file.
#pragma once

#include <QStringList>

// Args: everything after "prepare". Returns the process exit code.
int prepareCommand(const QStringList &args);
