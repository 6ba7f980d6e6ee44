// The company row: lookup, the several-companies warning, replacement.
#include "db/company.h"

#include "db/currentuser.h"
#include "db/database.h"
#include "db/fieldreaders.h"
#include "db/lookups.h"
#include "db/recordhelpers.h"
#include "db/retiring.h"
#include "db/rights.h"
#include "db/rulesquery.h"
#include "db/sqltext.h"
#include "db/transaction.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "db/users.h"
#include "services/messages.h"
#include "services/uitexts.h"

namespace bralvo::db {

namespace {

const QString kLiveCompanies = QStringLiteral("SELECT * FROM firma WHERE existuje = 1");

bool companyChanged(const CompanyValues &company)
{
    const auto table = rules::connection().GetTable(kLiveCompanies);
    if (!table->MoveFirst())
        return true;
    auto field = [&](const char *name) { return ReadFieldStr(*table, QLatin1String(name), QString()); };
    const QString storedFlag = field("platcadph") == QLatin1String("1") ? QStringLiteral("1") : QStringLiteral("0");
    return field("nazov") != company.name || field("ulica") != company.street || field("psc") != company.zip
        || field("mesto") != company.city || field("stat") != company.country
        || storedFlag != (company.vatPayer ? QLatin1String("1") : QLatin1String("0"))
        || field("ico") != company.ico || field("dic") != company.dic || field("icdph") != company.icdph
        || field("obr_logo") != company.logo;
}

void replaceCompanyRow(TSQLiteDatabase &db, const CompanyValues &company)
{
    const QString oldId = GetCompanyId();
    if (oldId != QLatin1String("NULL")) {
        records::retireOrDeleteRows(db, QStringLiteral("firma"), CompanyHasBills(oldId),
                                    QStringLiteral(" WHERE id = ") + SqlId(oldId));
    }
    db.ExecSql(JoinSqlLines({
        QStringLiteral("INSERT INTO firma ("),
        QStringLiteral("nazov, ulica, psc, mesto, stat, platcadph, ico, dic, icdph, obr_logo, existuje) VALUES ("),
        records::text(company.name), records::text(company.street), records::text(company.zip),
        records::text(company.city), records::text(company.country), records::flag(company.vatPayer),
        records::text(company.ico), records::text(company.dic), records::text(company.icdph),
        records::text(company.logo), QStringLiteral("1)"),
    }));
}

// Every live user points at the new company; users with bills are kept
// as they were (retired) and re-inserted.
void repointUsers(TSQLiteDatabase &db)
{
    const QString companyId = GetCompanyId();
    const auto users = db.GetTable(QStringLiteral("SELECT * FROM uzivatelia WHERE existuje = 1"));
    for (users->MoveFirst(); !users->IsEof(); users->NextRow()) {
        const QString userId = ReadFieldStr(*users, QStringLiteral("id"), QString());
        if (UserIdHasBills(userId)) {
            db.ExecSql(QStringLiteral("UPDATE uzivatelia SET existuje=0 WHERE id = ") + SqlId(userId));
            db.ExecSql(CopyUserInsertSql(*users, companyId));
        } else {
            db.ExecSql(QStringLiteral("UPDATE uzivatelia SET id_firma=") + companyId + QStringLiteral(" WHERE id = ")
                       + SqlId(userId));
        }
    }
}

} // namespace

QString GetCompanyId()
{
    const QString id = rules::queryFirstField(kLiveCompanies, QStringLiteral("id"));
    return id.isEmpty() ? QStringLiteral("NULL") : SqlId(id);
}

void WarnIfSeveralCompanies()
{
    if (!DbOpen || !DbConnection)
        return;
    if (rules::queryRowCount(kLiveCompanies) > 1)
        services::ShowErrorBox(services::MessageText(177));
}

bool SaveCompany(const CompanyValues &company)
{
    if (!companyChanged(company))
        return false;
    if (!CanChangeSettings(CurrentUserName()) && CountUsers() > 1)
        return false;
    TSQLiteDatabase &db = rules::connection();
    Transaction tx(db);
    replaceCompanyRow(db, company);
    repointUsers(db);
    tx.commit();
    return true;
}

} // namespace bralvo::db
