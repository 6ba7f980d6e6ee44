// The data components behind the editors.
#include "report/dataeditors/dataeditoradapters.h"

#include "platform/stringlist.h"
#include "report/data/trpado.h"
#include "report/dataeditors/dataeditorlogic.h"
#include "report/dataeditors/tqbdataengine.h"
#include "report/dataeditors/trpconnectionstring.h"
#include "report/model/trpreport.h"

namespace bralvo::report {

namespace {

QStringList fieldListOf(TrpDataSet &dataset)
{
    platform::StringList list;
    dataset.GetFieldList(list);
    return list.toStringList();
}

} // namespace

QString DataSetAliases::UserName() const { return m_dataset.UserName(); }
void DataSetAliases::SetUserName(const QString &name) { m_dataset.SetUserName(name); }
QStringList DataSetAliases::FieldAliases() const { return m_dataset.FieldAliases()->toStringList(); }

void DataSetAliases::SetFieldAliases(const QStringList &lines)
{
    const platform::StringList list(lines);
    m_dataset.SetFieldAliases(&list);
}

QStringList DataSetAliases::FieldNames() { return fieldListOf(m_dataset); }

QStringList TableMasterDetail::DetailFields() { return fieldListOf(m_table); }

QStringList TableMasterDetail::MasterFields()
{
    return m_table.Master() ? fieldListOf(*m_table.Master()) : QStringList();
}

QString TableMasterDetail::MasterLinks() const { return m_table.MasterFields(); }
void TableMasterDetail::SetMasterLinks(const QString &links) { m_table.SetMasterFields(links); }

QStringList QueryAccess::SQL() const
{
    return m_query.SQL() ? m_query.SQL()->toStringList() : QStringList();
}

void QueryAccess::SetSQL(const QStringList &lines)
{
    const platform::StringList list(lines);
    m_query.SetSQL(&list);
}

QString QueryAccess::SQLSchema() const { return m_query.SQLSchema(); }
void QueryAccess::SetSQLSchema(const QString &schema) { m_query.SetSQLSchema(schema); }

QList<TrpParamRow> QueryAccess::Params() const
{
    QList<TrpParamRow> rows;
    for (int i = 0; i < m_query.Params()->count(); ++i) {
        const TrpParamItem *p = m_query.Params()->Items(i);
        rows.append({p->Name(), int(p->DataType()), p->Expression()});
    }
    return rows;
}

void QueryAccess::SetParams(const QList<TrpParamRow> &params)
{
    TrpParams *items = m_query.Params();
    while (items->count() > params.size())
        delete items->Items(items->count() - 1);
    for (int i = 0; i < params.size(); ++i) {
        TrpParamItem *p = i < items->count() ? items->Items(i) : items->Add();
        p->SetName(params.at(i).name);
        p->SetDataType(data::TFieldType(params.at(i).dataType));
        p->SetExpression(params.at(i).expression);
    }
}

void QueryAccess::ApplyParams() { m_query.ApplyParams(); }

std::unique_ptr<TqbEngine> QueryAccess::CreateQBEngine()
{
    auto *ado = dynamic_cast<TrpADOQuery *>(&m_query);
    if (!ado || !ado->Database())
        return nullptr;
    return std::make_unique<TqbDataEngine>(*ado->Database()->Database());
}

TrpADODatabase *FirstADODatabase(TrpReport &report)
{
    for (TrpComponent *c : report.AllObjects())
        if (auto *db = dynamic_cast<TrpADODatabase *>(c))
            return db;
    return nullptr;
}

} // namespace bralvo::report
