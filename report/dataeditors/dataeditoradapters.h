// The report's data components behind the data editors' interfaces: a
// database dataset's aliases, a table's master-detail links, a query's
// SQL, model and parameters, and the report side of the connection
// wizard (its data page and the ADO component classes).
#pragma once

#include "report/dataeditors/dataeditortargets.h"
#include "report/dataeditors/trpconnectionwizard.h"

namespace bralvo::report {

class TrpADODatabase;
class TrpCustomDatabase;
class TrpCustomDBDataSet;
class TrpCustomDataset;
class TrpCustomQuery;
class TrpCustomTable;
class TrpReport;

class DataSetAliases : public TrpAliasesTarget {
public:
    explicit DataSetAliases(TrpCustomDBDataSet &dataset) : m_dataset(dataset) {}
    QString UserName() const override;
    void SetUserName(const QString &name) override;
    QStringList FieldAliases() const override;
    void SetFieldAliases(const QStringList &lines) override;
    QStringList FieldNames() override;

private:
    TrpCustomDBDataSet &m_dataset;
};

class TableMasterDetail : public TrpMasterDetailTarget {
public:
    explicit TableMasterDetail(TrpCustomTable &table) : m_table(table) {}
    QStringList DetailFields() override;
    QStringList MasterFields() override;
    QString MasterLinks() const override;
    void SetMasterLinks(const QString &links) override;

private:
    TrpCustomTable &m_table;
};

class QueryAccess : public TrpQueryTarget {
public:
    explicit QueryAccess(TrpCustomQuery &query) : m_query(query) {}
    QStringList SQL() const override;
    void SetSQL(const QStringList &lines) override;
    QString SQLSchema() const override;
    void SetSQLSchema(const QString &schema) override;
    QList<TrpParamRow> Params() const override;
    void SetParams(const QList<TrpParamRow> &params) override;
    void ApplyParams() override;
    // Over the query's ADO database; none without one.
    std::unique_ptr<TqbEngine> CreateQBEngine() override;

private:
    TrpCustomQuery &m_query;
};

// The first ADO database among the report's objects, or nullptr.
TrpADODatabase *FirstADODatabase(TrpReport &report);

// The wizard over a report: new components go on its first page (the data
// page), placed in a row; the classes offered are the ADO components.
class ReportWizardTarget : public TrpWizardTarget {
public:
    // edited: the database mode 0 edits; nullptr makes a new one.
    ReportWizardTarget(TrpReport &report, TrpCustomDatabase *edited = nullptr);
    ~ReportWizardTarget() override;

    QStringList DatabaseClasses() override;
    QStringList TableClasses() override;
    QStringList QueryClasses() override;
    int EditedDatabaseClass() override { return m_edited ? 0 : -1; }
    void NewDatabase(int cls) override;
    QString DatabaseName() override;
    void SetDatabaseName(const QString &name) override;
    void SetLogin(bool prompt, const QString &user, const QString &password) override;
    bool EditConnection(QWidget *parent) override;
    bool NewTable(int cls) override;
    QStringList TableNames() override;
    void SetTable(const QString &name, const QString &filter, bool filtered) override;
    bool NewQuery(int cls) override;
    TrpQueryTarget *Query() override { return m_queryAccess.get(); }
    void NameResult(int mode) override;
    void Finish(int mode, bool ok) override;

    // The component the wizard left (none after Cancel or when an
    // existing database was edited).
    TrpCustomDataset *ResultDataset() const { return m_result; }
    TrpCustomDatabase *ResultDatabase() const { return m_resultDatabase; }

private:
    TrpCustomDatabase *database() const;
    void place(TrpCustomDatabase *c);
    void place(TrpCustomDataset *c);

    TrpReport &m_report;
    TrpCustomDatabase *m_edited;
    TrpCustomDatabase *m_newDatabase = nullptr;
    TrpCustomTable *m_newTable = nullptr;
    TrpCustomQuery *m_newQuery = nullptr;
    std::unique_ptr<QueryAccess> m_queryAccess;
    TrpCustomDataset *m_result = nullptr;
    TrpCustomDatabase *m_resultDatabase = nullptr;
};

} // namespace bralvo::report
