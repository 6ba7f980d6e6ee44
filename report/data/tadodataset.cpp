#include "report/data/tadodataset.h"

#include "report/data/dataerror.h"

namespace bralvo::data {

using platform::Variant;

namespace {

const char *const kMasterPrefix = "__master";

// A statement without its closing ";" and blanks, so it can be wrapped.
QString wrappable(QString text)
{
    text = text.trimmed();
    while (text.endsWith(u';'))
        text = text.left(text.size() - 1).trimmed();
    return text;
}

QStringList nameList(const QString &text)
{
    QStringList out;
    for (const QString &n : text.split(u';', Qt::SkipEmptyParts))
        if (!n.trimmed().isEmpty())
            out.append(n.trimmed());
    return out;
}

} // namespace

#define BRALVO_ADO_INFO(Cls, Base)                                                                    \
    const platform::ClassInfo &Cls::staticClass()                                                     \
    {                                                                                                 \
        static const platform::ClassInfo info =                                                       \
            platform::makeClassInfo(#Cls, &Base::staticClass(), nullptr, [](platform::PropertyTable &) {}); \
        return info;                                                                                  \
    }
BRALVO_ADO_INFO(TCustomADODataSet, TDataSet)
BRALVO_ADO_INFO(TADOTable, TCustomADODataSet)
BRALVO_ADO_INFO(TADOQuery, TCustomADODataSet)
BRALVO_ADO_INFO(TADOStoredProc, TCustomADODataSet)
#undef BRALVO_ADO_INFO

TCustomADODataSet::TCustomADODataSet(platform::Component *owner)
    : TDataSet(owner), m_parameters(std::make_unique<TParams>())
{
}

TCustomADODataSet::~TCustomADODataSet()
{
    SetMasterSource(nullptr);
    if (m_connection)
        m_connection->detach(this);
}

void TCustomADODataSet::SetConnection(TADOConnection *connection)
{
    if (connection == m_connection)
        return;
    Close();
    if (m_connection)
        m_connection->detach(this);
    m_connection = connection;
    if (m_connection)
        m_connection->attach(this);
}

void TCustomADODataSet::connectionGone()
{
    try {
        KeepRows(); // the statement goes with the connection
    } catch (const bralvo::Error &) {
        // KeepRows has closed the dataset.
    }
    m_connection = nullptr;
}

void TCustomADODataSet::SetMasterSource(TDataSource *source)
{
    if (source == m_masterSource)
        return;
    if (m_masterSource) {
        m_masterSource->removeLink(this);
        removeFreeNotification(m_masterSource);
    }
    m_masterSource = source;
    if (m_masterSource) {
        m_masterSource->addLink(this);
        freeNotification(m_masterSource);
    }
}

void TCustomADODataSet::notification(platform::Component *component, platform::Operation operation)
{
    TDataSet::notification(component, operation);
    if (operation == platform::Operation::Remove && component == m_masterSource)
        m_masterSource = nullptr;
}

void TCustomADODataSet::masterChanged()
{
    if (Active())
        Requery();
}

void TCustomADODataSet::CheckCanOpen()
{
    if (!m_connection)
        throw DataError(QStringLiteral("Missing Connection or ConnectionString"));
}

Command TCustomADODataSet::BuildCommand() const
{
    QString text = wrappable(CommandText());
    if (text.isEmpty())
        throw DataError(QStringLiteral("CommandText does not return a result set"));
    const QString master = MasterCondition();
    const QString filter = Filtered() ? Filter().trimmed() : QString();
    if (!master.isEmpty() || !filter.isEmpty()) {
        QStringList conditions;
        if (!master.isEmpty())
            conditions.append(master);
        if (!filter.isEmpty())
            conditions.append(u'(' + filter + u')');
        text = QStringLiteral("SELECT * FROM (\n") + text + QStringLiteral("\n) WHERE ") + conditions.join(QStringLiteral(" AND "));
    }
    Command command;
    command.sql = parseSqlParams(text);
    command.timeoutSeconds = m_commandTimeout;
    for (const QString &name : std::as_const(command.sql.names))
        command.values.append(ParameterValue(name));
    return command;
}

Variant TCustomADODataSet::ParameterValue(const QString &name) const
{
    if (m_masterSource && m_masterSource->DataSet() && m_masterSource->DataSet()->Active()) {
        if (TField *field = m_masterSource->DataSet()->FindField(name))
            return bindableValue(field->Value(), field->DataType());
    }
    if (TParam *p = m_parameters->FindParam(name))
        return bindableValue(p->Value(), p->DataType);
    return Variant::null();
}

std::unique_ptr<RowSet> TCustomADODataSet::RunCommand()
{
    return m_connection->provider().query(BuildCommand());
}

std::unique_ptr<RowCursor> TCustomADODataSet::OpenCursor()
{
    return m_connection->provider().openCursor(BuildCommand());
}

QList<ColumnInfo> TCustomADODataSet::DescribeColumns()
{
    CheckCanOpen();
    return m_connection->provider().describe(BuildCommand());
}

// --- table

void TADOTable::SetIndexFieldNames(const QString &names)
{
    m_indexFieldNames = names;
}

void TADOTable::SetMasterFields(const QString &names)
{
    m_masterFields = names;
}

QString TADOTable::CommandText() const
{
    if (m_tableName.trimmed().isEmpty())
        throw DataError(QStringLiteral("No table name given"));
    Provider *provider = Connection() ? &Connection()->provider() : nullptr;
    QString quoted;
    for (const QString &part : m_tableName.trimmed().split(u'.'))
        quoted += (quoted.isEmpty() ? QString() : QStringLiteral(".")) + (provider ? provider->quoteName(part) : part);
    QString text = QStringLiteral("SELECT * FROM ") + quoted;
    const QStringList order = nameList(m_indexFieldNames);
    if (!order.isEmpty()) {
        QStringList cols;
        for (const QString &n : order)
            cols.append(provider ? provider->quoteName(n) : n);
        text += QStringLiteral(" ORDER BY ") + cols.join(QStringLiteral(", "));
    }
    return text;
}

QString TADOTable::MasterCondition() const
{
    const QStringList masters = nameList(m_masterFields);
    if (!MasterSource() || masters.isEmpty())
        return QString();
    QStringList details = nameList(m_indexFieldNames);
    QStringList conditions;
    Provider &provider = Connection()->provider();
    for (int i = 0; i < masters.size(); ++i) {
        const QString detail = i < details.size() ? details.at(i) : masters.at(i);
        conditions.append(provider.quoteName(detail) + QStringLiteral(" = :") + QLatin1String(kMasterPrefix)
                          + QString::number(i));
    }
    return conditions.join(QStringLiteral(" AND "));
}

Variant TADOTable::ParameterValue(const QString &name) const
{
    if (!name.startsWith(QLatin1String(kMasterPrefix)))
        return TCustomADODataSet::ParameterValue(name);
    const QStringList masters = nameList(m_masterFields);
    const int i = name.mid(int(qstrlen(kMasterPrefix))).toInt();
    TDataSet *master = MasterSource() ? MasterSource()->DataSet() : nullptr;
    if (!master || !master->Active() || i >= masters.size())
        return Variant::null();
    TField *field = master->FieldByName(masters.at(i));
    return bindableValue(field->Value(), field->DataType());
}

// --- query

TADOQuery::TADOQuery(platform::Component *owner)
    : TCustomADODataSet(owner), m_sql(std::make_unique<platform::StringList>())
{
}

void TADOQuery::SetSQLText(const QString &text)
{
    Close();
    m_sql->setText(text);
    Parameters()->ParseSQL(SQLText());
}

QString TADOQuery::SQLText() const
{
    return m_sql->toStringList().join(QStringLiteral("\r\n"));
}

qint64 TADOQuery::ExecSQL()
{
    CheckCanOpen();
    Command command;
    command.sql = parseSqlParams(SQLText());
    command.timeoutSeconds = CommandTimeout();
    for (const QString &name : std::as_const(command.sql.names))
        command.values.append(ParameterValue(name));
    return Connection()->provider().execute(command);
}

// --- stored procedure

Command TADOStoredProc::procedureArgs() const
{
    if (m_procedureName.trimmed().isEmpty())
        throw DataError(QStringLiteral("No procedure name given"));
    Command command;
    command.timeoutSeconds = CommandTimeout();
    for (int i = 0; i < Parameters()->Count(); ++i) {
        const TParam *p = Parameters()->Items(i);
        if (p->ParamType == ptResult)
            continue;
        command.values.append(bindableValue(p->Value(), p->DataType));
    }
    return command;
}

std::unique_ptr<RowSet> TADOStoredProc::RunCommand()
{
    return Connection()->provider().callProcedure(m_procedureName, procedureArgs());
}

QList<ColumnInfo> TADOStoredProc::DescribeColumns()
{
    CheckCanOpen();
    return Connection()->provider().callProcedure(m_procedureName, procedureArgs())->columns();
}

void TADOStoredProc::ExecProc()
{
    CheckCanOpen();
    Connection()->provider().callProcedure(m_procedureName, procedureArgs());
}

} // namespace bralvo::data
