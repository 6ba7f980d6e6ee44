// The database-neutral report components between the report dataset and
// a concrete access layer: a dataset owning its data-access dataset, with
// a master for master-detail reports and an SQL filter; a table; a query
// whose parameters may take their values from report expressions.
#pragma once

#include "platform/collection.h"
#include "platform/handleregistry.h"
#include "report/data/tparams.h"
#include "report/data/trpdbdataset.h"

namespace bralvo::report {

class TrpParamItem : public platform::CollectionItem, public platform::HandleTarget {
    BRALVO_CLASS(TrpParamItem)
public:
    explicit TrpParamItem(platform::Collection *collection = nullptr) : platform::CollectionItem(collection) {}
    QString scriptClassName() const override { return className(); }

    data::TFieldType DataType() const { return m_dataType; }
    void SetDataType(data::TFieldType v) { m_dataType = v; }
    // A report expression giving the value each time the query opens.
    QString Expression() const { return m_expression; }
    void SetExpression(const QString &v) { m_expression = v; }
    QString Name() const { return m_name; }
    void SetName(const QString &v) { m_name = v; }
    platform::Variant Value() const { return m_value; }
    void SetValue(const platform::Variant &v) { m_value = v; }

    // From another parameter item all four; from anything else nothing.
    void assign(const platform::Persistent &source) override;
    QString displayName() const override { return m_name; }

private:
    data::TFieldType m_dataType = data::ftUnknown;
    QString m_expression, m_name;
    platform::Variant m_value;
};

class TrpParams : public platform::Collection, public platform::HandleTarget {
    BRALVO_CLASS(TrpParams)
public:
    TrpParams();
    QString scriptClassName() const override { return className(); }

    TrpParamItem *Add() { return static_cast<TrpParamItem *>(add()); }
    // Throws the list index error outside 0 .. Count - 1.
    TrpParamItem *Items(int index) const;
    // The first item of that name ignoring case; -1 / nullptr when none.
    int IndexOf(const QString &name) const;
    TrpParamItem *Find(const QString &name) const;
    // One item per parameter name of the text, in order; an item of the
    // same name keeps its type, value and expression.
    void UpdateParams(const QString &sqlText);
};

class TrpCustomDataset : public TrpDBDataset {
    BRALVO_CLASS(TrpCustomDataset)
public:
    // Takes the data-access dataset the concrete component made.
    TrpCustomDataset(platform::Component *owner, std::unique_ptr<data::TDataSet> dataSet);
    ~TrpCustomDataset() override;

    QString Filter() const;
    void SetFilter(const QString &v);
    bool Filtered() const;
    void SetFiltered(bool v);
    TrpDBDataset *Master() const { return m_master; }
    void SetMaster(TrpDBDataset *value);
    bool HasConnection() const { return m_hasConnection; }

    // The owned dataset of the access layer.
    data::TDataSet *PlatformDataSet() const { return m_platform.get(); }
    data::TDataSource *MasterDataSource() const { return m_masterSource.get(); }

protected:
    virtual void SetMasterDataSource(data::TDataSource *) {}
    virtual void SetMasterFieldNames(const QString &) {}
    void SetHasConnection(bool v) { m_hasConnection = v; }
    void notification(platform::Component *component, platform::Operation operation) override;
    // Makes the constructor's link to the master source (descendants call
    // it once their own members exist).
    void LinkMasterSource() { SetMasterDataSource(m_masterSource.get()); }

private:
    std::unique_ptr<data::TDataSet> m_platform;
    bool m_hasConnection = false;
    std::unique_ptr<data::TDataSource> m_masterSource;
    TrpDBDataset *m_master = nullptr;
};

class TrpCustomTable : public TrpCustomDataset {
    BRALVO_CLASS(TrpCustomTable)
public:
    using TrpCustomDataset::TrpCustomDataset;

    // "detail=master;..." with names or aliases as the field lists show.
    QString MasterFields() const { return m_masterFields; }
    void SetMasterFields(const QString &value);
    virtual QString IndexFieldNames() const { return QString(); }
    virtual QString IndexName() const { return QString(); }
    virtual QString TableName() const { return QString(); }
    virtual void SetIndexFieldNames(const QString &) {}
    virtual void SetIndexName(const QString &) {}
    virtual void SetTableName(const QString &) {}

private:
    QString m_masterFields;
};

class TrpCustomQuery : public TrpCustomDataset {
    BRALVO_CLASS(TrpCustomQuery)
public:
    TrpCustomQuery(platform::Component *owner, std::unique_ptr<data::TDataSet> dataSet);
    ~TrpCustomQuery() override;

    TrpParams *Params() const { return m_params.get(); }
    void SetParams(const TrpParams *value);
    virtual platform::StringList *SQL() const { return nullptr; }
    virtual void SetSQL(const platform::StringList *) {}
    QString SQLSchema() const { return m_sqlSchema; }
    void SetSQLSchema(const QString &v) { m_sqlSchema = v; }
    // Throws ReportError: Parameter "X" not found.
    TrpParamItem *ParamByName(const QString &name) const;

    // Runs before the platform query opens: the parameters go in.
    virtual void BeforeOpenHook(data::TDataSet *dataSet);
    // The SQL text changed: the parameter list follows it.
    virtual void SQLChangedHook();
    virtual void ApplyParams() {}
    void defineProperties(platform::PropertyFiler &filer) override;

private:
    std::unique_ptr<TrpParams> m_params;
    data::TDataSet::NotifyEvent m_savedBeforeOpen;
    QString m_sqlSchema;
};

} // namespace bralvo::report
