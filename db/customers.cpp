// Saving and loading customers.
#include "db/customers.h"

#include "db/billhelpers.h"
#include "db/fieldreaders.h"
#include "db/lookups.h"
#include "db/recordhelpers.h"
#include "db/retiring.h"
#include "db/rulesquery.h"
#include "db/sqltext.h"
#include "db/transaction.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "services/messages.h"
#include "services/numberinput.h"
#include "services/numbers.h"

namespace bralvo::db {

namespace {

QString liveByName(const QString &name)
{
    return LiveRowWhere("nazov", name);
}

QString dueDaysValue(const QString &typed)
{
    if (typed.trimmed().isEmpty())
        return QStringLiteral("NULL,");
    return QString::number(services::ParseNumberCeil(typed)) + QLatin1Char(',');
}

constexpr int kMaxDueDays = 9999;

// Empty, or a typed number of days ("2,5" is rounded up) within range.
bool dueDaysAreValid(const QString &typed)
{
    return typed.trimmed().isEmpty() || services::IsTypedNumberWithin(typed, 0, kMaxDueDays);
}

QString lookedUpId(const QString &name, QString (*lookup)(const QString &))
{
    return records::id(name.isEmpty() ? QString() : lookup(name));
}

QString insertSql(const CustomerFormValues &f)
{
    using namespace records;
    return JoinSqlLines({
        QStringLiteral("INSERT INTO odberatelia ("),
        QStringLiteral("nazov, ulica, psc, mesto, stat, platcadph, zahranicny, ico, dic, icdph, meno, telefon, fax, email,"),
        QStringLiteral("id_hlavnyucet, id_hlavnapoznamka, fakturovat_bezdph, fakturovat_vcudzejmene, fakturovat_vdvochmenach,"),
        QStringLiteral("cudzia_menaZobr, cudzia_menaIso, jehlavna_cudziamena, jazyk, dni_splatnosti, predvoleny_vs, "
                       "interna_poznamka, existuje) VALUES ("),
        text(f.name), text(f.street), text(f.zip), text(f.city), text(f.country), flag(f.vatPayer), flag(f.foreign),
        text(f.ico), text(f.dic), text(f.icdph), text(f.contact), text(f.phone), text(f.fax), text(f.email),
        lookedUpId(f.mainAccount, &GetAccountId), lookedUpId(f.mainNote, &GetNoteId),
        flag(f.withoutVat), flag(f.inForeignCurrency), flag(f.inTwoCurrencies),
        text(f.foreignSymbol), text(f.foreignIso), flag(f.foreignIsMain), text(f.language),
        dueDaysValue(f.dueDays), text(f.variableSymbol), text(f.internalNote), QStringLiteral("1)"),
    });
}

CustomerFormValues readCustomer(const TSQLiteTable &table)
{
    auto str = [&](const char *field) { return ReadFieldStr(table, QLatin1String(field), QString()); };
    auto set = [&](const char *field) { return ReadFieldIntText(table, QLatin1String(field), false) == QLatin1String("1"); };
    CustomerFormValues f;
    f.name = str("nazov");
    f.street = str("ulica");
    f.zip = str("psc");
    f.city = str("mesto");
    f.country = str("stat");
    f.vatPayer = set("platcadph");
    f.foreign = set("zahranicny");
    f.ico = str("ico");
    f.dic = str("dic");
    f.icdph = str("icdph");
    f.contact = str("meno");
    f.phone = str("telefon");
    f.fax = str("fax");
    f.email = str("email");
    f.mainAccount = GetAccountName(str("id_hlavnyucet"));
    f.mainNote = GetNoteName(str("id_hlavnapoznamka"));
    f.withoutVat = set("fakturovat_bezdph");
    f.inForeignCurrency = set("fakturovat_vcudzejmene");
    f.inTwoCurrencies = set("fakturovat_vdvochmenach");
    f.foreignIsMain = set("jehlavna_cudziamena");
    f.foreignSymbol = str("cudzia_menaZobr");
    f.foreignIso = str("cudzia_menaIso");
    f.language = str("jazyk");
    f.dueDays = str("dni_splatnosti");
    f.variableSymbol = str("predvoleny_vs");
    f.internalNote = str("interna_poznamka");
    return f;
}

std::optional<CustomerFormValues> loadOne(const QString &sql)
{
    const auto table = rules::connection().GetTable(sql);
    if (!table->MoveFirst())
        return std::nullopt;
    return readCustomer(*table);
}

} // namespace

bool SaveCustomer(const CustomerFormValues &form, FormFocus &focus)
{
    if (form.name.isEmpty()) {
        records::warn(focus, 107, QStringLiteral("eNazov"));
        return false;
    }
    if (!dueDaysAreValid(form.dueDays)) {
        services::ShowMessageBox(services::RangeRefusalText(QStringLiteral("Splatnosť faktúry"), 0, kMaxDueDays),
                                 services::kMbWarning);
        focus.focusControl(QStringLiteral("eDniSplatnosti"));
        return false;
    }
    const bool overwrite = CustomerExists(form.name);
    if (overwrite && !records::confirm(147)) {
        focus.focusControl(QStringLiteral("eNazov"));
        return false;
    }
    const QString insert = insertSql(form);  // a malformed value stops before any write
    const QString oldId = GetCustomerId(form.name);
    TSQLiteDatabase &db = rules::connection();
    Transaction tx(db);
    if (overwrite) {
        records::retireOrDeleteRows(db, QStringLiteral("odberatelia"), CustomerHasBills(oldId),
                                    liveByName(form.name));
    }
    db.ExecSql(insert);
    if (overwrite) {
        db.ExecSql(QStringLiteral("UPDATE ucty SET id_odberatel=") + SqlId(GetCustomerId(form.name))
                   + QStringLiteral(" WHERE id_odberatel = ") + SqlId(oldId));
    }
    tx.commit();
    return true;
}

std::optional<CustomerFormValues> LoadCustomerForm(const QString &name)
{
    return loadOne(QStringLiteral("SELECT * FROM odberatelia") + liveByName(name));
}

std::optional<CustomerFormValues> LoadCustomerIntoSelection(const QString &customerKey)
{
    return loadOne(QStringLiteral("SELECT * FROM odberatelia WHERE (nazov || ' - ' || ico = ") + SqlQuoted(customerKey)
                   + QStringLiteral(") AND (existuje = 1)"));
}

} // namespace bralvo::db
