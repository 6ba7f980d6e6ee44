// rptool qb: the query builder over a connection of the data layer
// (an SQLite file or an ODBC data source).
#include "qbcommand.h"

#include "platform/error.h"
#include "report/data/tadoconnection.h"
#include "report/dataeditors/tqbdataengine.h"
#include "report/querybuilder/designer/tqbdialog.h"

#include <QApplication>
#include <QTextStream>

using namespace bralvo::report;

// The database opens before any window: a bad string fails without a display.
int runQueryBuilderCommand(int argc, char **argv)
{
    try {
        bralvo::data::TADOConnection database;
        database.SetConnectionString(QString::fromLocal8Bit(argv[2]));
        database.Open();
        QApplication app(argc, argv);
        TqbDataEngine engine(database);
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
