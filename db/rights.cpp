// The rights rule and the writers of a user's rights.
#include "db/rights.h"

#include "db/database.h"
#include "db/esqliteexception.h"
#include "db/fieldreaders.h"
#include "db/lookups.h"
#include "db/rulesquery.h"
#include "db/sqltext.h"
#include "db/transaction.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"

#include <memory>

namespace bralvo::db {

namespace {

enum class NoUserAnswer { Grant, Refuse };

QString liveUserCondition(const QString &userName)
{
    return QStringLiteral("WHERE (uzivatel = ") + SqlQuoted(userName) + QStringLiteral(") AND (existuje = 1)");
}

std::unique_ptr<TSQLiteTable> liveUserRow(const QString &userName)
{
    return rules::connection().GetTable(QStringLiteral("SELECT * FROM uzivatelia ") + liveUserCondition(userName));
}

// Steps 3 and 4 of the rule on a user's row already read.
bool grantsOnRow(TSQLiteTable &row, const char *column, NoUserAnswer noUser)
{
    if (!row.MoveFirst())
        return noUser == NoUserAnswer::Grant;
    if (ReadFieldIntText(row, QLatin1String(column), false) == QLatin1String("1"))
        return true;
    return CountUsers() < 2;
}

bool checkRight(const QString &userName, const char *column, NoUserAnswer noUser)
{
    if (!DbOpen)
        return true;
    const auto row = liveUserRow(userName);
    return grantsOnRow(*row, column, noUser);
}

QString rightValue(bool granted)
{
    return granted ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

bool CanChangeItems(const QString &userName)
{
    return checkRight(userName, "pravo_menitpolozky", NoUserAnswer::Grant);
}

bool CanChangeUsers(const QString &userName)
{
    return checkRight(userName, "pravo_menituzivatela", NoUserAnswer::Grant);
}

bool CanDeleteUsers(const QString &userName)
{
    return checkRight(userName, "pravo_mazatuzivatela", NoUserAnswer::Refuse);
}

bool CanChangeBills(const QString &userName)
{
    return checkRight(userName, "pravo_menitfaktury", NoUserAnswer::Refuse);
}

bool CanDeleteBills(const QString &userName)
{
    return checkRight(userName, "pravo_mazatfaktury", NoUserAnswer::Refuse);
}

bool CanChangeSettings(const QString &userName)
{
    if (!DbOpen)
        return true;
    std::unique_ptr<TSQLiteTable> row;
    try {
        row = liveUserRow(userName);
    } catch (const bralvo::Error &) {
        // Settings stay reachable when the user table cannot be read, so
        // that a damaged database can still be switched or restored.
        return true;
    }
    return grantsOnRow(*row, "pravo_menitnastavenia", NoUserAnswer::Grant);
}

bool CanAssignRights(const QString &userName)
{
    return checkRight(userName, "pravo_menitprava", NoUserAnswer::Refuse);
}

bool SaveUserRights(const QString &userName, const UserRights &rights)
{
    if (!UserNameExists(userName))
        return false;
    TSQLiteDatabase &db = rules::connection();
    Transaction tx(db);
    db.ExecSql(JoinSqlLines({
        QStringLiteral("UPDATE uzivatelia SET"),
        QStringLiteral("pravo_menitpolozky=") + rightValue(rights.changeItems) + QLatin1Char(','),
        QStringLiteral("pravo_menituzivatela=") + rightValue(rights.changeUsers) + QLatin1Char(','),
        QStringLiteral("pravo_mazatuzivatela=") + rightValue(rights.deleteUsers) + QLatin1Char(','),
        QStringLiteral("pravo_menitfaktury=") + rightValue(rights.changeBills) + QLatin1Char(','),
        QStringLiteral("pravo_mazatfaktury=") + rightValue(rights.deleteBills) + QLatin1Char(','),
        QStringLiteral("pravo_menitnastavenia=") + rightValue(rights.changeSettings) + QLatin1Char(','),
        QStringLiteral("pravo_menitprava=") + rightValue(rights.assignRights),
        liveUserCondition(userName),
    }));
    tx.commit();
    return true;
}

bool MakeAdmin(const QString &userName)
{
    if (!UserNameExists(userName))
        return false;
    TSQLiteDatabase &db = rules::connection();
    // The guard: an error must not leave the transaction open, or every
    // later save would fail with "Transaction already open".
    Transaction tx(db);
    db.ExecSql(QStringLiteral("UPDATE uzivatelia SET admin=0 WHERE (admin = 1) AND (existuje = 1)"));
    db.ExecSql(JoinSqlLines({
        QStringLiteral("UPDATE uzivatelia SET"),
        QStringLiteral("admin=1,"),
        QStringLiteral("pravo_menitpolozky=1,"),
        QStringLiteral("pravo_menituzivatela=1,"),
        QStringLiteral("pravo_mazatuzivatela=1,"),
        QStringLiteral("pravo_menitfaktury=1,"),
        QStringLiteral("pravo_mazatfaktury=1,"),
        QStringLiteral("pravo_menitnastavenia=1,"),
        QStringLiteral("pravo_menitprava=1"),
        liveUserCondition(userName),
    }));
    tx.commit();
    return true;
}

} // namespace bralvo::db
