#include "report/data/trpado.h"

#include "platform/classregistry.h"
#include "report/data/trpdatabindings.h"
#include "report/data/trpdblookupcombobox.h"
#include "report/model/trpreport.h"

namespace bralvo::report {

using platform::Variant;

// --- database

const platform::ClassInfo &TrpADODatabase::staticClass()
{
    using T = TrpADODatabase;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpADODatabase", &TrpCustomDatabase::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.string("DatabaseName", &T::DatabaseName, &T::SetDatabaseName);
            b.boolean("LoginPrompt", &T::LoginPrompt, &T::SetLoginPrompt, true);
            b.boolean("Connected", &T::Connected, &T::SetConnected, false);
        });
    return info;
}

TrpADODatabase::TrpADODatabase(platform::Component *owner)
    : TrpCustomDatabase(owner), m_connection(std::make_unique<data::TADOConnection>())
{
}

TrpADODatabase::~TrpADODatabase() = default;

bool TrpADODatabase::Connected() const
{
    return m_connection->Connected() || m_connectAfterLoad;
}

void TrpADODatabase::SetConnected(bool v)
{
    if (IsLoading()) {
        m_connectAfterLoad = v;
        return;
    }
    bool value = v;
    DoBeforeConnect(value);
    m_connection->SetConnected(value);
}

void TrpADODatabase::loaded()
{
    TrpCustomDatabase::loaded();
    if (m_connectAfterLoad) {
        m_connectAfterLoad = false;
        SetConnected(true);
    }
}

namespace {

// Replaces "Key=..." (found without letter case) up to the next ";", or
// appends ";Key=Value".
QString replacePart(QString text, const QString &upperKey, const QString &key, const QString &value)
{
    const qsizetype at = text.toUpper().indexOf(upperKey);
    if (at < 0)
        return text + u';' + key + value;
    qsizetype end = text.indexOf(u';', at);
    if (end < 0)
        end = text.size();
    text.remove(at, end - at);
    text.insert(at, key + value);
    return text;
}

} // namespace

void TrpADODatabase::SetLogin(const QString &user, const QString &password)
{
    QString text = replacePart(DatabaseName(), QStringLiteral("USER ID="), QStringLiteral("User ID="), user);
    text = replacePart(text, QStringLiteral("PASSWORD="), QStringLiteral("Password="), password);
    SetDatabaseName(text);
}

// --- table

const platform::ClassInfo &TrpADOTable::staticClass()
{
    using T = TrpADOTable;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpADOTable", &TrpCustomTable::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.reference<TrpADODatabase>("Database", &T::Database, &T::SetDatabase);
        });
    return info;
}

TrpADOTable::TrpADOTable(platform::Component *owner)
    : TrpCustomTable(owner, std::make_unique<data::TADOTable>())
{
    LinkMasterSource();
}

void TrpADOTable::SetDatabase(TrpADODatabase *value)
{
    if (m_database && m_database != value)
        removeFreeNotification(m_database);
    m_database = value;
    if (value)
        freeNotification(value);
    Table()->SetConnection(value ? value->Database() : nullptr);
    SetHasConnection(Table()->Connection() != nullptr);
}

void TrpADOTable::notification(platform::Component *component, platform::Operation operation)
{
    TrpCustomTable::notification(component, operation);
    if (operation == platform::Operation::Remove && component == m_database) {
        m_database = nullptr;
        Table()->SetConnection(nullptr);
        SetHasConnection(false);
    }
}

// --- query

const platform::ClassInfo &TrpADOQuery::staticClass()
{
    using T = TrpADOQuery;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpADOQuery", &TrpCustomQuery::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.integer("CommandTimeout", &T::CommandTimeout, &T::SetCommandTimeout);
            b.reference<TrpADODatabase>("Database", &T::Database, &T::SetDatabase);
        });
    return info;
}

TrpADOQuery::TrpADOQuery(platform::Component *owner)
    : TrpCustomQuery(owner, std::make_unique<data::TADOQuery>())
{
    LinkMasterSource();
}

void TrpADOQuery::SetDatabase(TrpADODatabase *value)
{
    if (m_database && m_database != value)
        removeFreeNotification(m_database);
    m_database = value;
    if (value)
        freeNotification(value);
    Query()->SetConnection(value ? value->Database() : nullptr);
    SetHasConnection(Query()->Connection() != nullptr);
}

void TrpADOQuery::notification(platform::Component *component, platform::Operation operation)
{
    TrpCustomQuery::notification(component, operation);
    if (operation == platform::Operation::Remove && component == m_database) {
        m_database = nullptr;
        Query()->SetConnection(nullptr);
        SetHasConnection(false);
    }
}

void TrpADOQuery::SetSQL(const platform::StringList *value)
{
    if (value)
        SetSQLText(value->toStringList().join(QStringLiteral("\r\n")));
}

void TrpADOQuery::SetSQLText(const QString &text)
{
    Query()->SetSQLText(text);
    SQLChangedHook();
}

void TrpADOQuery::SQLChangedHook()
{
    Query()->Parameters()->ParseSQL(Query()->SQLText());
    TrpCustomQuery::SQLChangedHook();
    for (int i = 0; i < Query()->Parameters()->Count(); ++i) {
        const data::TParam *p = Query()->Parameters()->Items(i);
        TrpParamItem *item = Params()->Find(p->Name);
        if (item && item->DataType() == data::ftUnknown && p->DataType != data::ftUnknown)
            item->SetDataType(p->DataType);
    }
}

void TrpADOQuery::BeforeStartReport()
{
    SetDatabase(m_database);
    SetSQLText(Query()->SQLText());
}

void TrpADOQuery::ExecSQL()
{
    ApplyParams();
    Query()->ExecSQL();
}

void TrpADOQuery::ApplyParams()
{
    data::TParams *params = Query()->Parameters();
    for (int i = 0; i < params->Count(); ++i) {
        data::TParam *p = params->Items(i);
        TrpParamItem *item = Params()->Find(p->Name);
        if (!item)
            continue;
        p->DataType = item->DataType();
        p->Nullable = true;
        TrpReport *report = Report();
        if (!item->Expression().trimmed().isEmpty() && !IsLoading() && !IsDesigning() && report) {
            report->SetCurrentObjectName(name());
            item->SetValue(report->Calc(item->Expression()));
        }
        p->SetValue(item->Value().isEmpty() ? Variant::null() : item->Value());
    }
}

// --- registration

void registerDataComponents()
{
    static const bool done = [] {
        // The data script modules come after the standard and report ones.
        registerReportClasses();
        for (const platform::ClassInfo *c : {&TrpDBDataset::staticClass(), &TrpADODatabase::staticClass(),
                                             &TrpADOTable::staticClass(), &TrpADOQuery::staticClass(),
                                             &TrpDBLookupComboBox::staticClass()})
            platform::registerClass(*c);
        registerDataScriptBindings();
        return true;
    }();
    Q_UNUSED(done);
}

} // namespace bralvo::report
