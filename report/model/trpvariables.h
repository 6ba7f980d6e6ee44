// Report variables: a collection of named variant values. The lookup of
// names during a run belongs to the value lookup's own code.
#pragma once

#include "platform/collection.h"
#include "platform/variant.h"

namespace bralvo::report {

class TrpVariable : public platform::CollectionItem {
    BRALVO_CLASS(TrpVariable)
public:
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

class TrpVariables : public platform::Collection {
    BRALVO_CLASS(TrpVariables)
public:
    TrpVariables();
    TrpVariable *Items(int index) const { return static_cast<TrpVariable *>(item(index)); }
    TrpVariable *Add() { return static_cast<TrpVariable *>(add()); }
    // The first variable named Name ignoring case; nullptr when none.
    TrpVariable *Find(const QString &name) const;
};

} // namespace bralvo::report
