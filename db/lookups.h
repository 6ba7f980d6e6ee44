// Lookups between what the windows show (names, logins, customer keys,
// bill numbers) and the stored rows (ids), existence checks, and the
// password check. All work on the program's connection (DbConnection).
//
// Conventions:
// - "Live" is existuje = 1; retired rows are found only where noted.
// - Ids are decimal text. "Not found" is "" or "NULL" as each routine
//   says; "NULL" is meant to go straight into later SQL as a missing
//   reference.
// - Every name, login, code and number is matched exactly, quotes
//   included (O'Neil finds O'Neil).
// - A year is the four-digit issue year ("2009"); any other text matches
//   no bill, so the routines give their "not found" answer.
// - Errors of the database throw ESQLiteException; "Database is not open"
//   when there is no connection, except for the routines that say what
//   they answer without one.
#pragma once

#include <QString>
#include <optional>

namespace bralvo::db {

// A live user with admin = 1 exists. True while the database is closed.
bool AdminUserExists();
// The live demo user (display name DemoUserName) exists. False while the
// database is closed.
bool DemoUserExists();
// Live users by display name (uzivatel) and by login (username).
bool UserNameExists(const QString &userName);
bool LoginExists(const QString &login);
// Live customer, item, note by name (nazov).
bool CustomerExists(const QString &name);
bool ItemExists(const QString &name);
bool NoteExists(const QString &name);
// An item of that name; retired ones count when includeRetired is set.
bool ItemNameTaken(const QString &name, bool includeRetired);
// A category of that name (categories are never retired).
bool CategoryExists(const QString &name);
// A live account of that name within AccountFilter().
bool AccountExists(const QString &name);
// A bill row with that id, live or retired; "" or "NULL" give false.
bool BillIdExists(const QString &billId);

// The number of live users; 0 while the database is closed.
int CountUsers();

// Display name and login of the live administrator; "" when none.
QString GetAdminUserName();
QString GetAdminLogin();
// Display name and id of the live user with that login; "" when none.
QString GetUserNameByLogin(const QString &login);
QString GetUserIdByLogin(const QString &login);

// Id of the live customer of that name; "" for an empty name or none.
QString GetCustomerId(const QString &name);
// Id of the live customer whose key (nazov + " - " + ico) is that text;
// "" for an empty key or none.
QString GetCustomerIdByKey(const QString &customerKey);
// Name and key of the customer with that id, live or retired; "" for an
// empty id or none.
QString GetCustomerName(const QString &customerId);
QString GetCustomerKeyById(const QString &customerId);
// Id of the live account of that name within AccountFilter(); "" when none.
QString GetAccountId(const QString &name);
// Id of the live note of that name; "" when none.
QString GetNoteId(const QString &name);
// Id of the category of that name, "NULL" when there is none; the input
// "NULL" (no category chosen) gives "".
QString GetCategoryId(const QString &name);
// Id of the live item of that name or code; "NULL" for an empty input or
// none.
QString GetItemId(const QString &name);
QString GetItemIdByCode(const QString &code);
// Id of the live bill (or advance bill) with that number in that issue
// year; "" for an empty number or none.
QString GetBillId(const QString &number, const QString &year, bool isAdvance);
// Id of the live advance bill of that issue year whose key
// (cislo + " - " + suma_kuhrade + " " + hlavna_mena) is that text; "" when
// none.
QString GetAdvanceBillId(const QString &advanceKey, const QString &year);

// True when no live advance bill with that number in that issue year is
// still free (not deducted on any bill): the lists paint such numbers as
// already deducted. Also true for a number that names no advance bill.
bool IsAdvanceBillUsed(const QString &number, const QString &year);

// The number of a bill that deducts the advance bill with that id (bills
// of any state count; with several, the first SQLite returns); nullopt
// for an empty id or when no bill deducts it.
std::optional<QString> FindBillUsingAdvance(const QString &advanceBillId);

// When more than one live bill of that type has the number in that issue
// year, shows the error box of UI text 190 naming the number as typed. An
// empty number does nothing. A number may exist once as a bill and once
// as an advance bill, so only the one type is counted.
void WarnDuplicateBillNumber(const QString &number, const QString &year, bool isAdvance);

// The live administrator's stored password is not empty; false when there
// is no administrator.
bool AdminHasPassword();

// Whether the typed password opens the live user with that login: the
// lower-case hexadecimal MD5 of the typed text's Windows-1250 bytes must
// equal the stored digest exactly. A user whose stored password is empty
// (the demo user) is accepted with any text. False when no live user has
// the login.
bool CheckPassword(const QString &login, const QString &typedPassword);

} // namespace bralvo::db
