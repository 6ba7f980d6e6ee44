// A database connection: the connection string chooses the provider
// (SQLite or ODBC, dbprovider.h). Datasets open it when they need it and
// are closed with it.
#pragma once

#include "platform/component.h"
#include "platform/handleregistry.h"
#include "platform/stringlist.h"
#include "report/data/dbprovider.h"

namespace bralvo::data {

class TCustomADODataSet;

class TADOConnection : public platform::Component, public platform::HandleTarget {
    BRALVO_CLASS(TADOConnection)
public:
    explicit TADOConnection(platform::Component *owner = nullptr);
    ~TADOConnection() override;
    QString scriptClassName() const override { return className(); }

    QString ConnectionString() const { return m_connectionString; }
    // Closes an open connection first.
    void SetConnectionString(const QString &text);
    bool LoginPrompt() const { return m_loginPrompt; }
    void SetLoginPrompt(bool on) { m_loginPrompt = on; }
    bool Connected() const { return bool(m_provider); }
    void SetConnected(bool on) { on ? Open() : Close(); }
    // Throws DataError when the provider is unknown or the database
    // cannot be opened; the connection then stays closed.
    void Open();
    // Closes the datasets using the connection first.
    void Close();

    // The open provider; opens the connection when needed.
    Provider &provider();
    // Tables (and views) of every database of the connection; a table of
    // another schema as "schema.table".
    void GetTableNames(platform::StringList &list);
    qint64 Execute(const QString &sql);

    void attach(TCustomADODataSet *dataSet);
    void detach(TCustomADODataSet *dataSet);

private:
    QString m_connectionString;
    bool m_loginPrompt = true;
    std::unique_ptr<Provider> m_provider;
    QList<TCustomADODataSet *> m_dataSets;
};

} // namespace bralvo::data
