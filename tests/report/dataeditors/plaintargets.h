// Plain objects behind the data editors' interfaces, holding what the
// editors write so the tests can read it.
#pragma once

#include "report/dataeditors/dataeditortargets.h"
#include "report/querybuilder/tqbengine.h"

class PlainDataset : public bralvo::report::TrpAliasesTarget {
public:
    QString UserName() const override { return userName; }
    void SetUserName(const QString &n) override { userName = n; }
    QStringList FieldAliases() const override { return aliases; }
    void SetFieldAliases(const QStringList &l) override { aliases = l; }
    QStringList FieldNames() override
    {
        aliasesWhenAsked = aliases;
        return fields;
    }

    QString userName = "Customers";
    QStringList aliases, fields, aliasesWhenAsked;
};

class PlainTable : public bralvo::report::TrpMasterDetailTarget {
public:
    QStringList DetailFields() override { return detail; }
    QStringList MasterFields() override { return master; }
    QString MasterLinks() const override { return links; }
    void SetMasterLinks(const QString &l) override { links = l; }

    QStringList detail, master;
    QString links;
};

class PlainQuery : public bralvo::report::TrpQueryTarget {
public:
    QStringList SQL() const override { return sql; }
    void SetSQL(const QStringList &lines) override
    {
        sql = lines;
        ++sqlWrites;
    }
    QString SQLSchema() const override { return schema; }
    void SetSQLSchema(const QString &s) override { schema = s; }
    QList<bralvo::report::TrpParamRow> Params() const override { return params; }
    void SetParams(const QList<bralvo::report::TrpParamRow> &p) override { params = p; }
    void ApplyParams() override { ++applied; }
    std::unique_ptr<bralvo::report::TqbEngine> CreateQBEngine() override { return nullptr; }

    QStringList sql;
    QString schema;
    QList<bralvo::report::TrpParamRow> params;
    int applied = 0, sqlWrites = 0;
};
