// Field definitions: the columns a dataset will have, known without
// fetching rows (Update asks the database for the statement's columns).
#pragma once

#include "platform/handleregistry.h"
#include "platform/persistent.h"
#include "report/data/tfieldtype.h"

#include <memory>
#include <vector>

namespace bralvo::data {

class TDataSet;

class TFieldDef : public platform::Persistent, public platform::HandleTarget {
    BRALVO_CLASS(TFieldDef)
public:
    TFieldDef() = default;
    TFieldDef(const QString &name, TFieldType type, int size, bool required)
        : Name(name), DataType(type), Size(size), Required(required) {}
    QString scriptClassName() const override { return className(); }

    QString Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;
    bool Required = false;
};

class TFieldDefs : public platform::Persistent, public platform::HandleTarget {
    BRALVO_CLASS(TFieldDefs)
public:
    explicit TFieldDefs(TDataSet *dataSet) : m_dataSet(dataSet) {}
    QString scriptClassName() const override { return className(); }

    int Count() const { return int(m_defs.size()); }
    // Throws the list index error outside 0 .. Count - 1.
    TFieldDef *Items(int index) const;
    TFieldDef *AddFieldDef();
    void Add(const QString &name, TFieldType type, int size, bool required);
    void Clear();
    // -1 when no definition has that name (ignoring case).
    int IndexOf(const QString &name) const;
    // Throws DataError "Field 'X' not found" when none.
    TFieldDef *Find(const QString &name) const;
    // Reads the columns from the database (no rows are fetched).
    void Update();
    bool Updated() const { return m_updated; }
    void SetUpdated(bool v) { m_updated = v; }

private:
    TDataSet *m_dataSet;
    std::vector<std::unique_ptr<TFieldDef>> m_defs;
    bool m_updated = false;
};

} // namespace bralvo::data
