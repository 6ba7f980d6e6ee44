// Saving and loading bank accounts of the current scope.
#include "db/accounts.h"

#include "db/accountscope.h"
#include "db/fieldreaders.h"
#include "db/lookups.h"
#include "db/recordhelpers.h"
#include "db/retiring.h"
#include "db/rulesquery.h"
#include "db/sqltext.h"
#include "db/transaction.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"

namespace bralvo::db {

namespace {

QString liveInScope(const QString &name)
{
    return QStringLiteral("(nazov = ") + SqlQuoted(name) + QStringLiteral(") AND ") + AccountFilter()
        + QStringLiteral(" AND (existuje = 1)");
}

} // namespace

bool SaveAccount(const AccountFormValues &form, FormFocus &focus)
{
    if (form.name.isEmpty()) {
        records::warn(focus, 129, QStringLiteral("eNazov"));
        return false;
    }
    if (form.number.isEmpty()) {
        records::warn(focus, 130, QStringLiteral("eCisloUctu"));
        return false;
    }
    const bool overwrite = AccountExists(form.name);
    if (overwrite && !records::confirm(131)) {
        focus.focusControl(QStringLiteral("eNazov"));
        return false;
    }
    TSQLiteDatabase &db = rules::connection();
    Transaction tx(db);
    if (overwrite) {
        records::retireOrDeleteRows(db, QStringLiteral("ucty"), AccountHasBills(GetAccountId(form.name)),
                                    QStringLiteral(" WHERE ") + liveInScope(form.name));
    }
    db.ExecSql(JoinSqlLines({
        QStringLiteral("INSERT INTO ucty ("),
        QStringLiteral("nazov, nazov_banky, cislo_uctu, iban, swift, interna_poznamka, je_uzivatelsky, id_odberatel, "
                       "existuje) VALUES ("),
        records::text(form.name), records::text(form.bankName), records::text(form.number), records::text(form.iban),
        records::text(form.swift), records::text(form.internalNote),
        AccountIsOwn() + QLatin1Char(','), AccountCustomerId() + QLatin1Char(','), QStringLiteral("1)"),
    }));
    tx.commit();
    return true;
}

std::optional<AccountFormValues> LoadAccountForm(const QString &name)
{
    const auto table = rules::connection().GetTable(QStringLiteral("SELECT * FROM ucty WHERE ") + liveInScope(name));
    if (!table->MoveFirst())
        return std::nullopt;
    auto str = [&](const char *field) { return ReadFieldStr(*table, QLatin1String(field), QString()); };
    return AccountFormValues{str("nazov"), str("nazov_banky"), str("cislo_uctu"), str("iban"), str("swift"),
                             str("interna_poznamka")};
}

} // namespace bralvo::db
