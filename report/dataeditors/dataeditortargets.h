// What the data editors edit, seen through narrow interfaces: a dataset's
// field aliases, a table's master-detail links, a query's SQL text,
// stored builder model and parameters. The data components implement
// them (dataeditoradapters.h); tests can give plain objects.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace bralvo::report {

class TqbEngine;

class TrpAliasesTarget {
public:
    virtual ~TrpAliasesTarget() = default;
    virtual QString UserName() const = 0;
    virtual void SetUserName(const QString &name) = 0;
    // "Field=Alias" lines; "-Field=Alias" hides the field.
    virtual QStringList FieldAliases() const = 0;
    virtual void SetFieldAliases(const QStringList &lines) = 0;
    // The dataset's field names as they are without aliases.
    virtual QStringList FieldNames() = 0;
};

class TrpMasterDetailTarget {
public:
    virtual ~TrpMasterDetailTarget() = default;
    virtual QStringList DetailFields() = 0;
    virtual QStringList MasterFields() = 0;
    // "Detail=Master;..."
    virtual QString MasterLinks() const = 0;
    virtual void SetMasterLinks(const QString &links) = 0;
};

struct TrpParamRow {
    QString name;
    int dataType = 0; // index into FieldTypeNames
    QString expression;
    bool operator==(const TrpParamRow &) const = default;
};

class TrpQueryTarget {
public:
    virtual ~TrpQueryTarget() = default;
    virtual QStringList SQL() const = 0;
    // Also refreshes the parameters from the text.
    virtual void SetSQL(const QStringList &lines) = 0;
    virtual QString SQLSchema() const = 0;
    virtual void SetSQLSchema(const QString &schema) = 0;
    virtual QList<TrpParamRow> Params() const = 0;
    virtual void SetParams(const QList<TrpParamRow> &params) = 0;
    virtual void ApplyParams() = 0;
    // An engine over the query's connection for the query builder.
    virtual std::unique_ptr<TqbEngine> CreateQBEngine() = 0;
};

} // namespace bralvo::report
