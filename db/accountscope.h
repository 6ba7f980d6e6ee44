// Which bank accounts the account lookups, lists and deletes work on: the
// firm's own accounts (the start state) or the accounts of one customer.
// The customers window switches to a customer's scope before it opens the
// accounts window; the menus and the bill windows switch back.
//
// The scope is kept as the SQL condition the queries append, built here
// from an id that has been checked, so no caller ever hands raw SQL in.
#pragma once

#include <QString>

namespace bralvo::db {

// The condition on ucty: "(je_uzivatelsky = 1)" for the own accounts,
// "(id_odberatel = <id>) AND (je_uzivatelsky = 0)" for a customer's.
const QString &AccountFilter();
// What a new account of the scope stores as je_uzivatelsky: "1" or "0".
const QString &AccountIsOwn();
// What a new account of the scope stores as id_odberatel: "NULL" for the
// own accounts, else the customer's id.
const QString &AccountCustomerId();

// The firm's own accounts: "(je_uzivatelsky = 1)", "1", "NULL".
void SetOwnAccountScope();
// The accounts of the customer with that id (decimal text). Throws
// ESQLiteException "Invalid record id: <text>" for anything but digits;
// an empty id or "NULL" is refused the same way, since it names no
// customer. The scope is unchanged when it throws.
void SetCustomerAccountScope(const QString &customerId);

} // namespace bralvo::db
