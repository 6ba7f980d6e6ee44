// rptool qb "CONNECTION STRING": opens the query builder on a database for
// trying it by hand; on OK the SQL text (with its model block) goes to
// standard output.
#pragma once

#include <QString>

// Needs a QApplication. Exit code 0 after OK, 1 after Cancel, 2 when the
// database cannot be opened.
int runQueryBuilderCommand(const QString &connection);
