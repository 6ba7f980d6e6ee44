// The ODBC provider over unixODBC: "Driver=...", "DSN=..." or
// "Provider=MSDASQL;..." strings go to the driver manager (User ID and
// Password as UID and PWD); metadata comes from the ODBC catalog calls.
#pragma once

#include "report/data/dbprovider.h"

namespace bralvo::data {

class OdbcProvider : public Provider {
public:
    OdbcProvider();
    ~OdbcProvider() override;

    void open(const ConnectionString &cs) override;
    void close() override;
    std::unique_ptr<RowSet> query(const Command &command) override;
    qint64 execute(const Command &command) override;
    QList<ColumnInfo> describe(const Command &command) override;
    QList<ColumnInfo> tableColumns(const QString &table) override;
    QList<TableName> tables() override;
    std::unique_ptr<RowSet> callProcedure(const QString &name, const Command &args) override;

    // The field type for an ODBC SQL type code, size and decimal digits.
    static TFieldType fieldTypeOf(int sqlType, qint64 size, int digits);

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

} // namespace bralvo::data
