// The account scope shared by the account lookups and windows.
#include "db/accountscope.h"

#include "db/esqliteexception.h"
#include "db/sqltext.h"

namespace bralvo::db {

namespace {

struct AccountScope {
    QString filter = QStringLiteral("(je_uzivatelsky = 1)");
    QString isOwn = QStringLiteral("1");
    QString customerId = QStringLiteral("NULL");
};

AccountScope &scope()
{
    static AccountScope current;
    return current;
}

} // namespace

const QString &AccountFilter()
{
    return scope().filter;
}

const QString &AccountIsOwn()
{
    return scope().isOwn;
}

const QString &AccountCustomerId()
{
    return scope().customerId;
}

void SetOwnAccountScope()
{
    scope() = AccountScope();
}

void SetCustomerAccountScope(const QString &customerId)
{
    const QString id = SqlId(customerId);
    if (id == QLatin1String("NULL"))
        throw ESQLiteException(QStringLiteral("Invalid record id: ") + customerId);
    scope().filter = QStringLiteral("(id_odberatel = ") + id + QStringLiteral(") AND (je_uzivatelsky = 0)");
    scope().isOwn = QStringLiteral("0");
    scope().customerId = id;
}

} // namespace bralvo::db
