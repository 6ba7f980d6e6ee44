// Report variables: collections of named variant values. A report keeps
// its own (TrpReport::Variables, stored as "Variables"); one process-wide
// instance (GlobalVariables) is what scripts call "rpGlobalVariables".
// TrpArray is the same keyed by any value through its text form.
// Names are compared ignoring case (locale-aware).
#pragma once

#include "platform/collection.h"
#include "platform/handleregistry.h"
#include "platform/variant.h"

namespace bralvo::report {

class TrpVariable : public platform::CollectionItem {
    BRALVO_CLASS(TrpVariable)
public:
    // A new variable holds Null.
    explicit TrpVariable(platform::Collection *collection = nullptr);

    QString Name() const { return m_name; }
    void SetName(const QString &v) { m_name = v; }
    platform::Variant Value() const { return m_value; }
    void SetValue(const platform::Variant &v) { m_value = v; }
    QString displayName() const override { return m_name; }
    void assign(const platform::Persistent &source) override;

private:
    QString m_name;
    platform::Variant m_value;
};

// A handle target, so scripts reach Report.Variables and rpGlobalVariables.
class TrpVariables : public platform::Collection, public platform::HandleTarget {
    BRALVO_CLASS(TrpVariables)
public:
    TrpVariables();
    QString scriptClassName() const override { return className(); }
    TrpVariable *Items(int index) const { return static_cast<TrpVariable *>(item(index)); }
    TrpVariable *Add() { return static_cast<TrpVariable *>(add()); }
    // Index of the first variable named Name; -1 when none.
    int IndexOf(const QString &name) const;
    // The first variable named Name; nullptr when none.
    TrpVariable *Find(const QString &name) const;
    // Null when no variable has the name.
    platform::Variant Variables(const QString &name) const;
    // Appends a variable of that name when none has it.
    void SetVariables(const QString &name, const platform::Variant &value);
};

// Keyed by a value: the key's text form names the item.
class TrpArray : public TrpVariables {
    BRALVO_CLASS(TrpArray)
public:
    // Null when no item has the key. Throws VariantError for a key
    // without a text form (an array).
    platform::Variant Variables(const platform::Variant &key) const;
    void SetVariables(const platform::Variant &key, const platform::Variant &value);
};

// The process-wide variables, alive from first use to the end.
TrpVariables &GlobalVariables();

} // namespace bralvo::report
