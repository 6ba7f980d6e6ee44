// The query builder's engine over a database connection of the report's
// data components: its tables, their columns with field-type codes, and
// the rows of the generated query. SQLite and ODBC alike. Field types are
// the data layer's; a statement that returns no rows is refused, never run.
#pragma once

#include "report/querybuilder/designer/tqbresult.h"
#include "report/querybuilder/tqbengine.h"

#include <QStandardItemModel>

namespace bralvo::data {
class TADOConnection;
}

namespace bralvo::report {

class TqbDataEngine : public TqbEngine, public TqbResultProvider, private TqbResultDataSet {
public:
    // The connection is not owned and must outlive the engine; it is
    // opened on first use.
    explicit TqbDataEngine(data::TADOConnection &connection);

    void ReadFieldList(const QString &tableName, QList<TqbField> &fieldList) override;
    void ReadTableList(QStringList &list) override;
    void SetSQL(const QString &text) override { m_sql = text; }
    TqbResultDataSet *ResultDataSet() override { return this; }

private:
    QAbstractItemModel *Model() override { return &m_rows; }
    void Open() override;
    void Close() override;

    data::TADOConnection &m_connection;
    QString m_sql;
    QStandardItemModel m_rows;
};

} // namespace bralvo::report
