// Parameters of a command: a name, a type and a value each. A name that
// the SQL text uses twice is one parameter.
#pragma once

#include "platform/handleregistry.h"
#include "platform/persistent.h"
#include "report/data/tfieldtype.h"

#include <memory>
#include <vector>

namespace bralvo::data {

enum TParamType : int { ptUnknown, ptInput, ptOutput, ptInputOutput, ptResult };

class TParam : public platform::Persistent, public platform::HandleTarget {
    BRALVO_CLASS(TParam)
public:
    explicit TParam(const QString &name = QString()) : Name(name) {}
    QString scriptClassName() const override { return className(); }

    QString Name;
    TFieldType DataType = ftUnknown;
    TParamType ParamType = ptInput;
    bool Nullable = true;
    bool Bound = false;

    // Accessors of the persistent properties.
    QString GetName() const { return Name; }
    void SetName(const QString &v) { Name = v; }
    TFieldType GetDataType() const { return DataType; }
    void SetDataType(TFieldType v) { DataType = v; }
    const platform::Variant &Value() const { return m_value; }
    // Sets the value and marks the parameter bound; an unknown type is
    // taken from the value.
    void SetValue(const platform::Variant &value);
    void SetAsDate(double dayCount);
    void SetAsTime(double dayCount);
    void SetAsDateTime(double dayCount);
    void SetAsCurrency(double value);
    void SetText(const QString &text) { SetValue(platform::Variant(text)); }
    bool IsNull() const { return m_value.isNull() || m_value.isEmpty(); }
    void Clear();

private:
    friend class TParams;
    platform::Variant m_value = platform::Variant::null();
};

class TParams : public platform::Persistent, public platform::HandleTarget {
    BRALVO_CLASS(TParams)
public:
    TParams() = default;
    QString scriptClassName() const override { return className(); }

    int Count() const { return int(m_items.size()); }
    // Throws the list index error outside 0 .. Count - 1.
    TParam *Items(int index) const;
    TParam *AddParameter();
    TParam *CreateParam(TFieldType type, const QString &name, TParamType paramType);
    TParam *FindParam(const QString &name) const;
    // Throws DataError "Parameter 'X' not found".
    TParam *ParamByName(const QString &name) const;
    void Clear() { m_items.clear(); }
    // One parameter per name the SQL text uses, in order; a parameter
    // already there keeps its type and value. Returns the names.
    QStringList ParseSQL(const QString &sql);
    void assign(const platform::Persistent &source) override;

private:
    std::vector<std::unique_ptr<TParam>> m_items;
};

} // namespace bralvo::data
