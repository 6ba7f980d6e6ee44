// A query-builder engine over an SQLite file: tables of the schema, their
// columns with field-type codes from the declared types, and the result
// rows of the generated query. Opened read-only: the builder only reads.
#pragma once

#include "report/querybuilder/designer/tqbresult.h"
#include "report/querybuilder/tqbengine.h"

#include <QStandardItemModel>
#include <memory>

struct sqlite3;

namespace bralvo::report {

// The field-type code of an SQLite declared column type ("INTEGER" 3,
// "VARCHAR(20)" 1, "DATE" 9, "DATETIME" 11, "REAL" 6, "BIGINT" 25, ...).
qint32 FieldTypeOfDeclaredType(const QString &declared);

// The value of Key in a "Key=Value;..." connection string (ignoring case),
// "" when absent. A text without "=" is taken as a file name for
// "Data Source".
QString ConnectionStringValue(const QString &connection, const QString &key);

class TqbSqliteEngine : public TqbEngine, public TqbResultProvider, private TqbResultDataSet {
public:
    // Throws EqbError when the file cannot be opened as a database.
    explicit TqbSqliteEngine(const QString &fileName);
    ~TqbSqliteEngine() override;

    void ReadFieldList(const QString &tableName, QList<TqbField> &fieldList) override;
    void ReadTableList(QStringList &list) override;
    void SetSQL(const QString &text) override { m_sql = text; }
    TqbResultDataSet *ResultDataSet() override { return this; }

    QString CommandText() const { return m_sql; }

private:
    QAbstractItemModel *Model() override { return &m_rows; }
    void Open() override;
    void Close() override;
    [[noreturn]] void fail(const QString &what) const;

    sqlite3 *m_db = nullptr;
    QString m_sql;
    QStandardItemModel m_rows;
};

} // namespace bralvo::report
