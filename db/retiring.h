// Deleting and retiring rows. A user, customer, item, bank account or
// note that a bill refers to is never removed: it is retired (existuje =
// 0), leaves every list, and stays for the bills that point to it. A
// record no bill refers to is deleted. Categories have no retired state:
// one is deleted only while no live item uses it. Bills, their lines,
// their advance-bill links and payments are deleted outright.
//
// Records are addressed by display name among live rows (uzivatel for
// users, nazov for the others), matched exactly, quotes included. Every
// routine that writes is one transaction: on an error nothing is changed,
// no transaction stays open, and ESQLiteException propagates.
// Confirmations, rights checks and success messages are the windows'.
#pragma once

#include <QString>

namespace bralvo::db {

// Which users UserHasBills looks at.
enum class UserState { Retired = 0, Live = 1, Any = 2 };

// Reference checks: whether some bill (of any state) refers to the
// record. Ids are decimal text; an empty id or "NULL" gives false.
// A bill issued by the user(s) of that display name in that state.
bool UserHasBills(const QString &userName, UserState state);
bool UserIdHasBills(const QString &userId);
// A bill issued by a user of the company.
bool CompanyHasBills(const QString &companyId);
bool CustomerHasBills(const QString &customerId);
// A line of an existing bill uses the item (lines left behind by a
// deleted bill do not count).
bool ItemHasBillLines(const QString &itemId);
// A live item uses the category of that name (retired items do not count);
// false when there is no such category.
bool CategoryInUse(const QString &categoryName);
bool AccountHasBills(const QString &accountId);
bool NoteHasBills(const QString &noteId);

// Retire or delete the live record of that name. False when there is no
// such live record (nothing changes), else true.
bool DeleteUser(const QString &userName);
bool DeleteCustomer(const QString &name);
bool DeleteItem(const QString &name);
// Only an account of the current scope (AccountFilter()); an account of
// the same name in another scope is left alone.
bool DeleteAccount(const QString &name);
bool DeleteNote(const QString &name);
// False (nothing changes) while a live item uses the category; else true,
// also when no category had the name.
bool DeleteCategory(const QString &name);

// Deletes the live bill (or advance bill) with that number in that issue
// year ("yyyy"), its lines and its links to the advance bills it deducted,
// all in one transaction. Links that name it as a deducted advance bill and
// its payments stay (an edited bill's save moves the payments). False when
// no such live bill exists. Afterwards, when more than one live bill of
// that type still carries the number in that year, shows the error box of
// UI text 190.
bool DeleteBill(const QString &number, const QString &year, bool isAdvance);
// The lines, and the advance-bill links, of the bill with that id.
void DeleteBillLines(const QString &billId);
void DeleteBillAdvanceLinks(const QString &billId);
// The payment with that id.
void DeletePayment(const QString &paymentId);

} // namespace bralvo::db
