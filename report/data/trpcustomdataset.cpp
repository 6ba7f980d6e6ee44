#include "report/data/trpcustomdataset.h"

#include "report/data/sqlparams.h"
#include "report/model/reporterror.h"
#include "report/model/trpreport.h"
#include "report/model/trpserializer.h"

namespace bralvo::report {

// --- parameter items

const platform::ClassInfo &TrpParamItem::staticClass()
{
    using T = TrpParamItem;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpParamItem", &platform::CollectionItem::staticClass(), nullptr, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.string("Name", &T::Name, &T::SetName);
            b.enumeration("DataType", data::fieldTypeEnum(), &T::DataType, &T::SetDataType);
            b.string("Expression", &T::Expression, &T::SetExpression);
        });
    return info;
}

void TrpParamItem::assign(const platform::Persistent &source)
{
    if (const auto *other = dynamic_cast<const TrpParamItem *>(&source)) {
        m_dataType = other->m_dataType;
        m_expression = other->m_expression;
        m_name = other->m_name;
        m_value = other->m_value;
    }
}

const platform::ClassInfo &TrpParams::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpParams", &platform::Collection::staticClass(), nullptr, [](platform::PropertyTable &) {});
    return info;
}

TrpParams::TrpParams() : platform::Collection([](platform::Collection *c) { return new TrpParamItem(c); }) {}

TrpParamItem *TrpParams::Items(int index) const
{
    return static_cast<TrpParamItem *>(item(index));
}

int TrpParams::IndexOf(const QString &name) const
{
    for (int i = 0; i < count(); ++i)
        if (Items(i)->Name().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TrpParamItem *TrpParams::Find(const QString &name) const
{
    const int i = IndexOf(name);
    return i < 0 ? nullptr : Items(i);
}

void TrpParams::UpdateParams(const QString &sqlText)
{
    struct Kept {
        QString name;
        data::TFieldType type = data::ftUnknown;
        platform::Variant value;
        QString expression;
    };
    QList<Kept> next;
    for (const QString &name : data::sqlParamNames(sqlText)) {
        Kept k{name, data::ftUnknown, platform::Variant(), QString()};
        if (const TrpParamItem *old = Find(name)) {
            k.type = old->DataType();
            k.value = old->Value();
            k.expression = old->Expression();
        }
        next.append(k);
    }
    clear();
    for (const Kept &k : next) {
        TrpParamItem *item = Add();
        item->SetName(k.name);
        item->SetDataType(k.type);
        item->SetValue(k.value);
        item->SetExpression(k.expression);
    }
}

// --- dataset

const platform::ClassInfo &TrpCustomDataset::staticClass()
{
    using T = TrpCustomDataset;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpCustomDataset", &TrpDBDataset::staticClass(), nullptr, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.string("Filter", &T::Filter, &T::SetFilter);
            b.boolean("Filtered", &T::Filtered, &T::SetFiltered, false);
            b.reference<TrpDBDataset>("Master", &T::Master, &T::SetMaster);
        });
    return info;
}

TrpCustomDataset::TrpCustomDataset(platform::Component *owner, std::unique_ptr<data::TDataSet> dataSet)
    : TrpDBDataset(owner), m_platform(std::move(dataSet)), m_masterSource(std::make_unique<data::TDataSource>())
{
    SetDataSet(m_platform.get());
    SetCloseDataSource(true);
}

TrpCustomDataset::~TrpCustomDataset()
{
    SetDataSet(nullptr);
}

QString TrpCustomDataset::Filter() const
{
    return m_platform->Filter();
}

void TrpCustomDataset::SetFilter(const QString &v)
{
    m_platform->SetFilter(v);
}

bool TrpCustomDataset::Filtered() const
{
    return m_platform->Filtered();
}

void TrpCustomDataset::SetFiltered(bool v)
{
    m_platform->SetFiltered(v);
}

void TrpCustomDataset::SetMaster(TrpDBDataset *value)
{
    if (m_master)
        removeFreeNotification(m_master);
    m_master = value;
    if (m_master)
        freeNotification(m_master);
    m_masterSource->SetDataSet(value ? value->EffectiveDataSet() : nullptr);
}

void TrpCustomDataset::notification(platform::Component *component, platform::Operation operation)
{
    TrpDBDataset::notification(component, operation);
    if (operation == platform::Operation::Remove && component == m_master) {
        m_master = nullptr;
        m_masterSource->SetDataSet(nullptr);
    }
}

// --- table

const platform::ClassInfo &TrpCustomTable::staticClass()
{
    using T = TrpCustomTable;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpCustomTable", &TrpCustomDataset::staticClass(), nullptr, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.string("MasterFields", &T::MasterFields, &T::SetMasterFields);
            b.string("TableName", &T::TableName, &T::SetTableName);
            b.string("IndexName", &T::IndexName, &T::SetIndexName);
            b.string("IndexFieldNames", &T::IndexFieldNames, &T::SetIndexFieldNames);
        });
    return info;
}

void TrpCustomTable::SetMasterFields(const QString &value)
{
    m_masterFields = value;
    QStringList masters, details;
    for (const QString &link : value.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype eq = link.indexOf(u'=');
        const QString detail = (eq < 0 ? link : link.left(eq)).trimmed();
        const QString master = (eq < 0 ? link : link.mid(eq + 1)).trimmed();
        masters.append(Master() ? Master()->AliasToFieldName(master) : master);
        details.append(AliasToFieldName(detail));
    }
    SetMasterFieldNames(masters.join(u';'));
    SetIndexFieldNames(details.join(u';'));
}

// --- query

const platform::ClassInfo &TrpCustomQuery::staticClass()
{
    using T = TrpCustomQuery;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpCustomQuery", &TrpCustomDataset::staticClass(), nullptr, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.object<platform::StringList>("SQL", &T::SQL, &T::SetSQL);
            b.string("SQLSchema", &T::SQLSchema, &T::SetSQLSchema);
        });
    return info;
}

TrpCustomQuery::TrpCustomQuery(platform::Component *owner, std::unique_ptr<data::TDataSet> dataSet)
    : TrpCustomDataset(owner, std::move(dataSet)), m_params(std::make_unique<TrpParams>())
{
    m_savedBeforeOpen = PlatformDataSet()->BeforeOpen;
    PlatformDataSet()->BeforeOpen = [this](data::TDataSet *ds) { BeforeOpenHook(ds); };
}

TrpCustomQuery::~TrpCustomQuery() = default;

void TrpCustomQuery::SetParams(const TrpParams *value)
{
    if (value && value != m_params.get())
        m_params->assign(*value);
}

TrpParamItem *TrpCustomQuery::ParamByName(const QString &name) const
{
    if (TrpParamItem *item = m_params->Find(name))
        return item;
    throw ReportError(QStringLiteral("Parameter \"%1\" not found").arg(name));
}

void TrpCustomQuery::BeforeOpenHook(data::TDataSet *dataSet)
{
    ApplyParams();
    if (m_savedBeforeOpen)
        m_savedBeforeOpen(dataSet);
}

void TrpCustomQuery::SQLChangedHook()
{
    if (const platform::StringList *sql = SQL())
        m_params->UpdateParams(sql->toStringList().join(QStringLiteral("\r\n")));
}

void TrpCustomQuery::defineProperties(platform::PropertyFiler &filer)
{
    TrpCustomDataset::defineProperties(filer);
    filer.defineProperty(
        QStringLiteral("Parameters"),
        [this](platform::ValueReader &r) {
            ReadReportCollection(*m_params, r, Report());
            ApplyParams();
        },
        [this](platform::ValueWriter &w) { WriteReportCollection(*m_params, w, Report()); }, m_params->count() > 0);
}

} // namespace bralvo::report
