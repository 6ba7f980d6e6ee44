#include "report/data/tparams.h"

#include "report/data/dataerror.h"
#include "report/data/sqlparams.h"

namespace bralvo::data {

using platform::Variant;

const platform::ClassInfo &TParam::staticClass()
{
    using T = TParam;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TParam", &platform::Persistent::staticClass(), nullptr, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.enumeration("DataType", fieldTypeEnum(), &T::GetDataType, &T::SetDataType);
            b.string("Name", &T::GetName, &T::SetName);
            b.variant("Value", &T::Value, &T::SetValue);
        });
    return info;
}

const platform::ClassInfo &TParams::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TParams", &platform::Persistent::staticClass(), nullptr, [](platform::PropertyTable &) {});
    return info;
}

void TParam::SetValue(const Variant &value)
{
    m_value = value;
    Bound = true;
    if (DataType != ftUnknown || value.isNull() || value.isEmpty())
        return;
    if (value.isBoolean())
        DataType = ftBoolean;
    else if (value.kind() == platform::varInt64)
        DataType = ftLargeint;
    else if (value.isIntegral())
        DataType = ftInteger;
    else if (value.kind() == platform::varCurrency)
        DataType = ftCurrency;
    else if (value.kind() == platform::varDate)
        DataType = ftDateTime;
    else if (value.isFloat())
        DataType = ftFloat;
    else
        DataType = ftWideString;
}

void TParam::SetAsDate(double dayCount)
{
    DataType = ftDate;
    SetValue(Variant::fromDate(dayCount));
}

void TParam::SetAsTime(double dayCount)
{
    DataType = ftTime;
    SetValue(Variant::fromDate(dayCount));
}

void TParam::SetAsDateTime(double dayCount)
{
    DataType = ftDateTime;
    SetValue(Variant::fromDate(dayCount));
}

void TParam::SetAsCurrency(double value)
{
    DataType = ftCurrency;
    SetValue(Variant::fromCurrency(value));
}

void TParam::Clear()
{
    m_value = Variant::null();
}

TParam *TParams::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw platform::ListIndexError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return m_items[size_t(index)].get();
}

TParam *TParams::AddParameter()
{
    m_items.push_back(std::make_unique<TParam>());
    return m_items.back().get();
}

TParam *TParams::CreateParam(TFieldType type, const QString &name, TParamType paramType)
{
    TParam *p = AddParameter();
    p->Name = name;
    p->DataType = type;
    p->ParamType = paramType;
    return p;
}

TParam *TParams::FindParam(const QString &name) const
{
    for (const auto &p : m_items)
        if (p->Name.compare(name, Qt::CaseInsensitive) == 0)
            return p.get();
    return nullptr;
}

TParam *TParams::ParamByName(const QString &name) const
{
    if (TParam *p = FindParam(name))
        return p;
    throw DataError(QStringLiteral("Parameter '%1' not found").arg(name));
}

QStringList TParams::ParseSQL(const QString &sql)
{
    const QStringList names = sqlParamNames(sql);
    std::vector<std::unique_ptr<TParam>> next;
    for (const QString &name : names) {
        auto it = std::find_if(m_items.begin(), m_items.end(), [&name](const auto &p) {
            return p && p->Name.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (it != m_items.end()) {
            next.push_back(std::move(*it));
            next.back()->Name = name;
        } else {
            next.push_back(std::make_unique<TParam>(name));
        }
    }
    m_items = std::move(next);
    return names;
}

void TParams::assign(const platform::Persistent &source)
{
    const auto *other = dynamic_cast<const TParams *>(&source);
    if (!other)
        return Persistent::assign(source);
    m_items.clear();
    for (const auto &p : other->m_items) {
        TParam *q = AddParameter();
        q->Name = p->Name;
        q->DataType = p->DataType;
        q->ParamType = p->ParamType;
        q->Bound = p->Bound;
        q->m_value = p->Value();
    }
}

} // namespace bralvo::data
