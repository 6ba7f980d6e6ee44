// Datasets over a connection: tables, queries and stored procedures.
// Filter is an SQL condition put around the command; a detail follows its
// master through MasterSource: a query takes the parameters named like
// the master's fields from the master's current record, a table restricts
// IndexFieldNames to the master's MasterFields; both re-run when the
// master moves.
#pragma once

#include "report/data/tadoconnection.h"
#include "report/data/tdatasource.h"
#include "report/data/tparams.h"

namespace bralvo::data {

class TCustomADODataSet : public TDataSet, public MasterLink {
    BRALVO_CLASS(TCustomADODataSet)
public:
    explicit TCustomADODataSet(platform::Component *owner = nullptr);
    ~TCustomADODataSet() override;

    TADOConnection *Connection() const { return m_connection; }
    void SetConnection(TADOConnection *connection);
    int CommandTimeout() const { return m_commandTimeout; }
    void SetCommandTimeout(int seconds) { m_commandTimeout = seconds; }
    TParams *Parameters() const { return m_parameters.get(); }
    TDataSource *MasterSource() const { return m_masterSource; }
    void SetMasterSource(TDataSource *source);

    QList<ColumnInfo> DescribeColumns() override;
    void masterChanged() override;
    // The connection is being destroyed: an open dataset keeps its rows.
    void connectionGone();

protected:
    // The statement before Filter and master links are applied.
    virtual QString CommandText() const = 0;
    // Conditions a table adds for its master ("" for none).
    virtual QString MasterCondition() const { return QString(); }
    std::unique_ptr<RowSet> RunCommand() override;
    std::unique_ptr<RowCursor> OpenCursor() override;
    void CheckCanOpen() override;
    Command BuildCommand() const;
    // The value of a parameter named Name as it goes to the database.
    virtual platform::Variant ParameterValue(const QString &name) const;
    void notification(platform::Component *component, platform::Operation operation) override;

private:
    TADOConnection *m_connection = nullptr;
    int m_commandTimeout = 30;
    std::unique_ptr<TParams> m_parameters;
    TDataSource *m_masterSource = nullptr;
};

class TADOTable : public TCustomADODataSet {
    BRALVO_CLASS(TADOTable)
public:
    explicit TADOTable(platform::Component *owner = nullptr) : TCustomADODataSet(owner) {}

    QString TableName() const { return m_tableName; }
    void SetTableName(const QString &name) { m_tableName = name; }
    QString IndexName() const { return m_indexName; }
    void SetIndexName(const QString &name) { m_indexName = name; }
    // "A;B": the order of the rows, and the detail side of a master link.
    QString IndexFieldNames() const { return m_indexFieldNames; }
    void SetIndexFieldNames(const QString &names);
    // "A;B": the master's fields the index fields must equal.
    QString MasterFields() const { return m_masterFields; }
    void SetMasterFields(const QString &names);

protected:
    QString CommandText() const override;
    QString MasterCondition() const override;
    platform::Variant ParameterValue(const QString &name) const override;

private:
    QString m_tableName, m_indexName, m_indexFieldNames, m_masterFields;
};

class TADOQuery : public TCustomADODataSet {
    BRALVO_CLASS(TADOQuery)
public:
    explicit TADOQuery(platform::Component *owner = nullptr);

    // Lines of the statement; setting them re-reads the parameters.
    platform::StringList *SQL() const { return m_sql.get(); }
    void SetSQLText(const QString &text);
    QString SQLText() const;
    // Runs a statement that returns no rows; the count of changed rows.
    qint64 ExecSQL();

protected:
    QString CommandText() const override { return SQLText(); }

private:
    std::unique_ptr<platform::StringList> m_sql;
};

class TADOStoredProc : public TCustomADODataSet {
    BRALVO_CLASS(TADOStoredProc)
public:
    explicit TADOStoredProc(platform::Component *owner = nullptr) : TCustomADODataSet(owner) {}

    QString ProcedureName() const { return m_procedureName; }
    void SetProcedureName(const QString &name) { m_procedureName = name; }
    // Calls the procedure with Parameters in order.
    void ExecProc();
    // The columns are known once the procedure has run.
    QList<ColumnInfo> DescribeColumns() override;

protected:
    QString CommandText() const override { return QString(); }
    std::unique_ptr<RowSet> RunCommand() override;
    std::unique_ptr<RowCursor> OpenCursor() override { return nullptr; }

private:
    Command procedureArgs() const;
    QString m_procedureName;
};

} // namespace bralvo::data
