#include "report/data/tfielddefs.h"

#include "report/data/dataerror.h"
#include "report/data/tdataset.h"

namespace bralvo::data {

const platform::ClassInfo &TFieldDef::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TFieldDef", &platform::Persistent::staticClass(), nullptr, [](platform::PropertyTable &) {});
    return info;
}

const platform::ClassInfo &TFieldDefs::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TFieldDefs", &platform::Persistent::staticClass(), nullptr, [](platform::PropertyTable &) {});
    return info;
}

TFieldDef *TFieldDefs::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw platform::ListIndexError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return m_defs[size_t(index)].get();
}

TFieldDef *TFieldDefs::AddFieldDef()
{
    m_defs.push_back(std::make_unique<TFieldDef>());
    return m_defs.back().get();
}

void TFieldDefs::Add(const QString &name, TFieldType type, int size, bool required)
{
    m_defs.push_back(std::make_unique<TFieldDef>(name, type, size, required));
}

void TFieldDefs::Clear()
{
    m_defs.clear();
    m_updated = false;
}

int TFieldDefs::IndexOf(const QString &name) const
{
    for (size_t i = 0; i < m_defs.size(); ++i)
        if (m_defs[i]->Name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

TFieldDef *TFieldDefs::Find(const QString &name) const
{
    const int i = IndexOf(name);
    if (i < 0)
        throw DataError(QStringLiteral("Field '%1' not found").arg(name));
    return m_defs[size_t(i)].get();
}

void TFieldDefs::Update()
{
    const QList<ColumnInfo> columns = m_dataSet->DescribeColumns();
    m_defs.clear();
    for (const ColumnInfo &c : columns)
        Add(c.name, c.type, c.size, c.required);
    m_updated = true;
}

} // namespace bralvo::data
