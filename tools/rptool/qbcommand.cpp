// rptool qb: the query builder over an SQLite file.
#include "qbcommand.h"

#include "platform/error.h"
#include "report/querybuilder/designer/tqbdialog.h"
#include "report/querybuilder/designer/tqbsqliteengine.h"

#include <QTextStream>

using namespace bralvo::report;

int runQueryBuilderCommand(const QString &connection)
{
    const QString file = ConnectionStringValue(connection, QStringLiteral("Data Source"));
    if (file.isEmpty()) {
        QTextStream(stderr) << "rptool: the connection string names no \"Data Source\"\n";
        return 2;
    }
    try {
        TqbSqliteEngine engine(file);
        TqbDialog dialog;
        dialog.SetEngine(&engine);
        dialog.SetSQL(QString());
        const bool ok = dialog.Execute();
        dialog.SetEngine(nullptr);
        if (!ok)
            return 1;
        QTextStream(stdout) << dialog.SQL();
        return 0;
    } catch (const bralvo::Error &e) {
        QTextStream(stderr) << "rptool: " << e.userText() << "\n";
        return 2;
    }
}
