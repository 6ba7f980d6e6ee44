// A database driver behind a connection: SQLite directly, or any ODBC
// driver through unixODBC. The connection string chooses it.
#pragma once

#include "platform/variant.h"
#include "report/data/connectionstring.h"
#include "report/data/rowcursor.h"
#include "report/data/rowset.h"
#include "report/data/sqlparams.h"

#include <memory>

namespace bralvo::data {

struct TableName {
    QString schema; // empty for the main database
    QString name;
};

// A statement ready to run: its parsed text and one value per parameter
// name (ParsedSql::names order). Values that are dates go in as ISO text.
struct Command {
    ParsedSql sql;
    QList<platform::Variant> values;
    int timeoutSeconds = 0; // 0: no limit
};

class Provider {
public:
    virtual ~Provider() = default;
    // Throws DataError when the database cannot be opened.
    virtual void open(const ConnectionString &cs) = 0;
    virtual void close() = 0;
    // All rows of the statement's result, for opening a dataset: only a
    // statement that writes nothing runs; one that would write throws
    // readOnlyError() ("dataset is read-only") and leaves the data as it was.
    virtual std::unique_ptr<RowSet> query(const Command &command) = 0;
    // The same rows one at a time, with the same refusal of a writing
    // statement; nullptr when the provider only fetches whole results
    // (the caller then uses query). The cursor must be destroyed before
    // the provider.
    virtual std::unique_ptr<RowCursor> openCursor(const Command &) { return nullptr; }
    // Runs a statement that returns no rows; the count of rows it changed.
    virtual qint64 execute(const Command &command) = 0;
    // The columns of the statement's result, without fetching rows.
    virtual QList<ColumnInfo> describe(const Command &command) = 0;
    // The columns of a table.
    virtual QList<ColumnInfo> tableColumns(const QString &table) = 0;
    virtual QList<TableName> tables() = 0;
    // "{call name(?, ...)}": rows when the procedure returns any.
    virtual std::unique_ptr<RowSet> callProcedure(const QString &name, const Command &args) = 0;
    // The identifier as the database quotes it.
    virtual QString quoteName(const QString &name) const;
};

// A new, closed provider for the connection string's kind.
std::unique_ptr<Provider> createProvider(const ConnectionString &cs);

// The text of a parameter value as it goes to the database: dates and
// times as ISO text by the parameter's type, other values unchanged.
platform::Variant bindableValue(const platform::Variant &value, TFieldType paramType);

} // namespace bralvo::data
