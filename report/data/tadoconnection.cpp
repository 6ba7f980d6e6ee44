#include "report/data/tadoconnection.h"

#include "report/data/tadodataset.h"

namespace bralvo::data {

const platform::ClassInfo &TADOConnection::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TADOConnection", &platform::Component::staticClass(), nullptr, [](platform::PropertyTable &) {});
    return info;
}

TADOConnection::TADOConnection(platform::Component *owner) : platform::Component(owner) {}

TADOConnection::~TADOConnection()
{
    for (TCustomADODataSet *ds : std::as_const(m_dataSets))
        ds->connectionGone();
}

void TADOConnection::SetConnectionString(const QString &text)
{
    if (text == m_connectionString)
        return;
    Close();
    m_connectionString = text;
}

void TADOConnection::Open()
{
    if (m_provider)
        return;
    const data::ConnectionString cs(m_connectionString);
    std::unique_ptr<Provider> provider = createProvider(cs);
    provider->open(cs);
    m_provider = std::move(provider);
}

void TADOConnection::Close()
{
    if (!m_provider)
        return;
    const QList<TCustomADODataSet *> dataSets = m_dataSets;
    for (TCustomADODataSet *ds : dataSets)
        ds->Close();
    m_provider.reset();
}

Provider &TADOConnection::provider()
{
    Open();
    return *m_provider;
}

void TADOConnection::GetTableNames(platform::StringList &list)
{
    list.clear();
    for (const TableName &t : provider().tables())
        list.add(t.schema.trimmed().isEmpty() ? t.name : t.schema + u'.' + t.name);
}

qint64 TADOConnection::Execute(const QString &sql)
{
    Command command;
    command.sql = parseSqlParams(sql);
    return provider().execute(command);
}

void TADOConnection::attach(TCustomADODataSet *dataSet)
{
    if (!m_dataSets.contains(dataSet))
        m_dataSets.append(dataSet);
}

void TADOConnection::detach(TCustomADODataSet *dataSet)
{
    m_dataSets.removeAll(dataSet);
}

} // namespace bralvo::data
