// Saving and loading users with the company of the users and firm window.
#include "db/users.h"

#include "db/billhelpers.h"
#include "db/currentuser.h"
#include "db/database.h"
#include "db/fieldreaders.h"
#include "db/lookups.h"
#include "db/recordhelpers.h"
#include "db/retiring.h"
#include "db/rulesquery.h"
#include "db/sqltext.h"
#include "db/transaction.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "services/md5.h"

namespace bralvo::db {

namespace {

const char *const kRightColumns[] = {"pravo_menitpolozky", "pravo_mazatfaktury", "pravo_menitfaktury",
                                     "pravo_mazatuzivatela", "pravo_menituzivatela", "pravo_menitnastavenia",
                                     "pravo_menitprava"};

QStringList insertHead()
{
    return {QStringLiteral("INSERT INTO uzivatelia ("),
            QStringLiteral("uzivatel, telefon, fax, email, id_hlavnyucet, id_hlavnapoznamka,"),
            QStringLiteral("admin, username, password, obr_podpis, text_podpis, interna_poznamka,"),
            QStringLiteral("pravo_menitpolozky, pravo_mazatfaktury, pravo_menitfaktury, pravo_mazatuzivatela,"),
            QStringLiteral("pravo_menituzivatela, pravo_menitnastavenia, pravo_menitprava, id_firma, existuje) VALUES (")};
}

QString lookedUpId(const QString &name, QString (*lookup)(const QString &))
{
    return name.isEmpty() ? QStringLiteral("NULL") : SqlId(lookup(name));
}

// The digest stored for the user: a typed (and confirmed) password
// replaces it; untouched password fields keep the stored one, so saving
// other fields never leaves a user without a password.
QString passwordDigest(const UserFormValues &form)
{
    if (!form.password1.isEmpty())
        return services::TextDigestHex(form.password1);
    return rules::queryFirstField(QStringLiteral("SELECT password FROM uzivatelia") + LiveRowWhere("uzivatel", form.name),
                                  QStringLiteral("password"));
}

QString newUserInsertSql(const UserFormValues &form, const QString &password)
{
    const bool adminExists = AdminUserExists();
    QStringList lines = insertHead();
    lines << records::text(form.name) << records::text(form.phone) << records::text(form.fax)
          << records::text(form.email) << records::id(lookedUpId(form.mainAccount, &GetAccountId))
          << records::id(lookedUpId(form.mainNote, &GetNoteId)) << records::flag(!adminExists)
          << records::text(form.login) << records::text(password) << records::text(form.signatureImage)
          << records::text(form.signatureText) << records::text(form.internalNote);
    for (int i = 0; i < 7; ++i)
        lines << records::flag(!adminExists);
    lines << GetCompanyId() + QLatin1Char(',') << QStringLiteral("1)");
    return JoinSqlLines(lines);
}

bool checksPass(const UserFormValues &form, FormFocus &focus)
{
    if (AdminUserExists() && !CanChangeUsers(CurrentUserName())) {
        records::warn(focus, 116, QStringLiteral("eMeno"));
        return false;
    }
    const struct { bool failed; int text; const char *control; } checks[] = {
        {form.company.name.isEmpty(), 107, "eNazov"},
        {form.name.isEmpty(), 108, "eMeno"},
        {form.login.isEmpty(), 109, "eLogin"},
        {form.login == QLatin1String("demo") || form.name == DemoUserName, 178, "eMeno"},
        {form.password1 != form.password2, 110, "ePassword1"},
    };
    for (const auto &check : checks) {
        if (check.failed) {
            records::warn(focus, check.text, QLatin1String(check.control));
            return false;
        }
    }
    if (LoginExists(form.login) && GetUserNameByLogin(form.login) != form.name) {
        records::warn(focus, 112, QStringLiteral("eLogin"));
        return false;
    }
    return true;
}

void storeUser(TSQLiteDatabase &db, const UserFormValues &form, bool overwrite)
{
    const QString password = passwordDigest(form);
    if (overwrite) {
        records::retireOrDeleteRows(db, QStringLiteral("uzivatelia"), UserHasBills(form.name, UserState::Live),
                                    LiveRowWhere("uzivatel", form.name));
    }
    db.ExecSql(newUserInsertSql(form, password));
}

} // namespace

QString CopyUserInsertSql(const TSQLiteTable &user, const QString &companyId)
{
    auto str = [&](const char *name) { return records::text(ReadFieldStr(user, QLatin1String(name), QString())); };
    auto flagOf = [&](const char *name) {
        return QString::number(ReadFieldIntText(user, QLatin1String(name), false) == QLatin1String("1") ? 1 : 0)
            + QLatin1Char(',');
    };
    auto idOf = [&](const char *name) { return records::id(ReadFieldStr(user, QLatin1String(name), QString())); };
    QStringList lines = insertHead();
    lines << str("uzivatel") << str("telefon") << str("fax") << str("email") << idOf("id_hlavnyucet")
          << idOf("id_hlavnapoznamka") << flagOf("admin") << str("username") << str("password")
          << str("obr_podpis") << str("text_podpis") << str("interna_poznamka");
    for (const char *column : kRightColumns)
        lines << flagOf(column);
    lines << SqlId(companyId) + QLatin1Char(',') << QStringLiteral("1)");
    return JoinSqlLines(lines);
}

bool SaveUser(const UserFormValues &form, FormFocus &focus)
{
    if (!checksPass(form, focus))
        return false;
    const bool overwrite = UserNameExists(form.name);
    if (overwrite && (!records::confirm(111) || !records::confirm(113))) {
        focus.focusControl(QStringLiteral("eMeno"));
        return false;
    }
    const bool hadAdmin = AdminUserExists();
    const QString previousLogin = CurrentUserLogin();
    TSQLiteDatabase &db = rules::connection();
    try {
        Transaction tx(db);
        storeUser(db, form, overwrite);
        // The company check asks with the new user when it is the first.
        if (!hadAdmin)
            SetCurrentUser(form.login);
        SaveCompany(form.company);
        tx.commit();
    } catch (...) {
        SetCurrentUser(previousLogin);
        throw;
    }
    SetCurrentUser(hadAdmin ? CurrentUserLogin() : form.login);
    WarnIfSeveralCompanies();
    return true;
}

std::optional<UserFormContents> LoadUserForm(const QString &userName)
{
    const auto table = rules::connection().GetTable(
        QStringLiteral("SELECT * FROM uzivatelia INNER JOIN firma ON (uzivatelia.id_firma = firma.id) WHERE (uzivatel = ")
        + SqlQuoted(userName) + QStringLiteral(") AND (uzivatelia.existuje = 1)"));
    if (!table->MoveFirst())
        return std::nullopt;
    auto str = [&](const char *name) { return ReadFieldStr(*table, QLatin1String(name), QString()); };
    auto set = [&](const char *name) { return ReadFieldIntText(*table, QLatin1String(name), false) == QLatin1String("1"); };
    UserFormContents contents;
    UserFormValues &v = contents.values;
    v.company = {str("nazov"), set("platcadph"), str("ico"), str("dic"), str("icdph"),
                 str("ulica"), str("psc"), str("mesto"), str("stat"), str("obr_logo")};
    v.name = str("uzivatel");
    v.phone = str("telefon");
    v.fax = str("fax");
    v.email = str("email");
    v.login = str("username");
    v.signatureText = str("text_podpis");
    v.signatureImage = str("obr_podpis");
    v.mainAccount = GetAccountName(str("id_hlavnyucet"));
    v.mainNote = GetNoteName(str("id_hlavnapoznamka"));
    v.internalNote = str("interna_poznamka");
    contents.rights = {set("pravo_menitpolozky"), set("pravo_menituzivatela"), set("pravo_mazatuzivatela"),
                       set("pravo_menitfaktury"), set("pravo_mazatfaktury"), set("pravo_menitnastavenia"),
                       set("pravo_menitprava")};
    return contents;
}

} // namespace bralvo::db
