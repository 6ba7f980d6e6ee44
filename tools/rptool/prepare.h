// The "prepare" command of rptool: a report file with CSV datasets and
// INI values becomes a prepared report file.
#pragma once

#include <QStringList>

// Args: everything after "prepare". Returns the process exit code: 1,
// with the errors on standard error and no output file, when the report
// does not load cleanly or does not prepare (a dataset that would write
// among them).
int prepareCommand(const QStringList &args);
