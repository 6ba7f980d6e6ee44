// The report's connection, table and query components over the
// data-access layer: TrpADODatabase holds a connection whose string
// chooses SQLite or ODBC; TrpADOTable and TrpADOQuery read through it.
#pragma once

#include "report/data/tadodataset.h"
#include "report/data/trpcustomdataset.h"
#include "report/model/trpresources.h"

namespace bralvo::report {

class TrpADODatabase : public TrpCustomDatabase {
    BRALVO_CLASS(TrpADODatabase)
public:
    explicit TrpADODatabase(platform::Component *owner);
    ~TrpADODatabase() override;

    data::TADOConnection *Database() const { return m_connection.get(); }
    QString DatabaseName() const override { return m_connection->ConnectionString(); }
    void SetDatabaseName(const QString &v) override { m_connection->SetConnectionString(v); }
    bool LoginPrompt() const override { return m_connection->LoginPrompt(); }
    void SetLoginPrompt(bool v) override { m_connection->SetLoginPrompt(v); }
    bool Connected() const override;
    // The report's OnBeforeConnect may change the value first. While the
    // report loads, connecting waits for the end of loading.
    void SetConnected(bool v) override;
    // Replaces or appends "User ID=" and "Password=" in DatabaseName.
    void SetLogin(const QString &user, const QString &password) override;
    void loaded() override;
    QString GetDescription() const override { return GetResources().Get(QStringLiteral("obADODB")); }

private:
    std::unique_ptr<data::TADOConnection> m_connection;
    bool m_connectAfterLoad = false;
};

class TrpADOTable : public TrpCustomTable {
    BRALVO_CLASS(TrpADOTable)
public:
    explicit TrpADOTable(platform::Component *owner);

    data::TADOTable *Table() const { return static_cast<data::TADOTable *>(PlatformDataSet()); }
    TrpADODatabase *Database() const { return m_database; }
    void SetDatabase(TrpADODatabase *value);
    QString TableName() const override { return Table()->TableName(); }
    void SetTableName(const QString &v) override { Table()->SetTableName(v); }
    QString IndexName() const override { return Table()->IndexName(); }
    void SetIndexName(const QString &v) override { Table()->SetIndexName(v); }
    QString IndexFieldNames() const override { return Table()->IndexFieldNames(); }
    void SetIndexFieldNames(const QString &v) override { Table()->SetIndexFieldNames(v); }
    void BeforeStartReport() override { SetDatabase(m_database); }
    QString GetDescription() const override { return GetResources().Get(QStringLiteral("obADOTb")); }

protected:
    void SetMasterDataSource(data::TDataSource *source) override { Table()->SetMasterSource(source); }
    void SetMasterFieldNames(const QString &text) override { Table()->SetMasterFields(text); }
    void notification(platform::Component *component, platform::Operation operation) override;

private:
    TrpADODatabase *m_database = nullptr;
};

class TrpADOQuery : public TrpCustomQuery {
    BRALVO_CLASS(TrpADOQuery)
public:
    explicit TrpADOQuery(platform::Component *owner);

    data::TADOQuery *Query() const { return static_cast<data::TADOQuery *>(PlatformDataSet()); }
    TrpADODatabase *Database() const { return m_database; }
    void SetDatabase(TrpADODatabase *value);
    int CommandTimeout() const { return Query()->CommandTimeout(); }
    void SetCommandTimeout(int v) { Query()->SetCommandTimeout(v); }
    // The lines of the query; setting them refreshes the parameters.
    platform::StringList *SQL() const override { return Query()->SQL(); }
    void SetSQL(const platform::StringList *value) override;
    void SetSQLText(const QString &text);
    void ExecSQL();
    // Parameter items' types and values (expressions evaluated by the
    // report) go into the query's parameters.
    void ApplyParams() override;
    void SQLChangedHook() override;
    void BeforeStartReport() override;
    QString GetDescription() const override { return GetResources().Get(QStringLiteral("obADOQ")); }

protected:
    void SetMasterDataSource(data::TDataSource *source) override { Query()->SetMasterSource(source); }
    void notification(platform::Component *component, platform::Operation operation) override;

private:
    TrpADODatabase *m_database = nullptr;
};

// Registers the data components for report files (once).
void registerDataComponents();

} // namespace bralvo::report
