// The connection wizard over a report's data page.
#include "report/dataeditors/dataeditoradapters.h"

#include "report/data/trpado.h"
#include "report/dataeditors/dataeditorlogic.h"
#include "report/dataeditors/trpconnectionstring.h"
#include "report/model/trpreport.h"

namespace bralvo::report {

ReportWizardTarget::ReportWizardTarget(TrpReport &report, TrpCustomDatabase *edited)
    : m_report(report), m_edited(edited)
{
}

ReportWizardTarget::~ReportWizardTarget() = default;

QStringList ReportWizardTarget::DatabaseClasses()
{
    return {GetResources().Get(QStringLiteral("obADODB"))};
}

QStringList ReportWizardTarget::TableClasses()
{
    return {GetResources().Get(QStringLiteral("obADOTb"))};
}

QStringList ReportWizardTarget::QueryClasses()
{
    return {GetResources().Get(QStringLiteral("obADOQ"))};
}

TrpCustomDatabase *ReportWizardTarget::database() const
{
    return m_edited ? m_edited : m_newDatabase;
}

void ReportWizardTarget::place(TrpCustomDatabase *c)
{
    const QPoint at = NewComponentPosition(int(c->Parent() ? c->Parent()->Objects().size() : 1));
    c->SetLeft(at.x());
    c->SetTop(at.y());
    c->SetWidth(32);
    c->SetHeight(32);
}

void ReportWizardTarget::place(TrpCustomDataset *c)
{
    const QPoint at = NewComponentPosition(int(c->Parent() ? c->Parent()->Objects().size() : 1));
    c->SetLeft(at.x());
    c->SetTop(at.y());
    c->SetWidth(32);
    c->SetHeight(32);
}

void ReportWizardTarget::NewDatabase(int)
{
    delete m_newDatabase;
    m_newDatabase = new TrpADODatabase(m_report.GetPages(0));
    place(m_newDatabase);
}

QString ReportWizardTarget::DatabaseName()
{
    return database() ? database()->DatabaseName() : QString();
}

void ReportWizardTarget::SetDatabaseName(const QString &name)
{
    if (database())
        database()->SetDatabaseName(name);
}

void ReportWizardTarget::SetLogin(bool prompt, const QString &user, const QString &password)
{
    if (!database())
        return;
    database()->SetLoginPrompt(prompt);
    if (!prompt)
        database()->SetLogin(user, password);
}

bool ReportWizardTarget::EditConnection(QWidget *parent)
{
    if (!database())
        return false;
    TrpConnectionStringDialog dialog(database()->DatabaseName(), parent);
    if (dialog.exec() != QDialog::Accepted || dialog.ConnectionString().isEmpty())
        return false;
    database()->SetDatabaseName(dialog.ConnectionString());
    return true;
}

bool ReportWizardTarget::NewTable(int cls)
{
    delete m_newTable;
    m_newTable = nullptr;
    if (cls < 0)
        return true;
    auto *table = new TrpADOTable(m_report.GetPages(0));
    table->SetDatabase(FirstADODatabase(m_report));
    if (!table->Database()) {
        delete table;
        return false;
    }
    place(table);
    m_newTable = table;
    return true;
}

QStringList ReportWizardTarget::TableNames()
{
    auto *table = dynamic_cast<TrpADOTable *>(m_newTable);
    if (!table || !table->Database())
        return {};
    platform::StringList names;
    table->Database()->Database()->GetTableNames(names);
    return names.toStringList();
}

void ReportWizardTarget::SetTable(const QString &name, const QString &filter, bool filtered)
{
    if (!m_newTable)
        return;
    m_newTable->SetTableName(name);
    m_newTable->SetFilter(filter);
    m_newTable->SetFiltered(filtered);
}

bool ReportWizardTarget::NewQuery(int cls)
{
    m_queryAccess.reset();
    delete m_newQuery;
    m_newQuery = nullptr;
    if (cls < 0)
        return true;
    auto *query = new TrpADOQuery(m_report.GetPages(0));
    query->SetDatabase(FirstADODatabase(m_report));
    if (!query->Database()) {
        delete query;
        return false;
    }
    place(query);
    m_newQuery = query;
    m_queryAccess = std::make_unique<QueryAccess>(*query);
    return true;
}

// A connection made on the way to a table or query stays in the report.
void ReportWizardTarget::NameResult(int mode)
{
    if (mode == 0 && m_newDatabase) {
        m_newDatabase->CreateUniqueName();
        m_resultDatabase = std::exchange(m_newDatabase, nullptr);
    }
}

void ReportWizardTarget::Finish(int mode, bool ok)
{
    TrpComponent *result = mode == 0 ? static_cast<TrpComponent *>(m_newDatabase)
                           : mode == 1 ? static_cast<TrpComponent *>(m_newTable)
                                       : static_cast<TrpComponent *>(m_newQuery);
    m_queryAccess.reset();
    if (!ok) {
        delete result;
        m_newDatabase = nullptr;
        m_newTable = nullptr;
        m_newQuery = nullptr;
        return;
    }
    if (result)
        result->CreateUniqueName();
    if (mode == 0 && m_newDatabase)
        m_resultDatabase = m_newDatabase;
    else if (mode != 0)
        m_result = mode == 1 ? static_cast<TrpCustomDataset *>(m_newTable) : m_newQuery;
    // Components other than the result of this mode were left by Cancel
    // of their own step; the wizard made them, so they go.
    if (mode != 0)
        delete std::exchange(m_newDatabase, nullptr);
    m_newTable = nullptr;
    m_newQuery = nullptr;
    m_newDatabase = nullptr;
}

} // namespace bralvo::report
