// The name lists the windows put into their combo and list boxes. Each
// routine runs its query first and only then replaces the list's contents
// with one entry per row, in the query's order; when the query fails the
// list is left as it was and ESQLiteException propagates.
//
// The three lists a bill being edited draws from (customer keys, account
// names, note names) keep that bill's own customer, account or note even
// after it was retired: while the bill editor is open on a stored bill
// (BillEditorOpen or BillWindowVisible, and not BillIsNew) and the Loaded*
// id is set, a missing Loaded* name is added and the list sorted without
// regard to case.
#pragma once

#include <QString>
#include <QStringList>

namespace bralvo::db {

// Display name of the live administrator, refreshed by the user lists.
extern QString AdminUserName;

// Display names of the live users in the locale's order; first refreshes
// AdminUserName.
void FillUserNameList(QStringList &list);
// With includeRetired every distinct display name ever used, in the
// locale's order (also refreshes AdminUserName); else FillUserNameList.
void FillUserNameListAll(QStringList &list, bool includeRetired);
// Logins of the live users, in code-point order.
void FillLoginList(QStringList &list);

// Customer lists, in the order the [General] settings choose: by name in
// the locale's order (SortOdbName, default), by creation (SortOdbAddOrder)
// or by the number of bills of every customer row of that name
// (SortOdbMostUsed); ascending unless SortOdbInc is false.
// Names of the live customers.
void FillCustomerNameList(QStringList &list);
// Keys (nazov + " - " + ico) of the live customers; "" for a customer
// whose ico is NULL. Keeps the edited bill's customer (see above).
void FillCustomerKeyList(QStringList &list);
// With includeRetired every distinct key, retired customers included;
// else FillCustomerKeyList. Keeps the edited bill's customer either way.
void FillCustomerKeyListAll(QStringList &list, bool includeRetired);

// Names of the live items, of one category when categoryId is not empty,
// in the locale's order.
void FillItemNameList(QStringList &list, const QString &categoryId);
// With includeRetired every distinct item name (of the category when
// given); else FillItemNameList.
void FillItemNameListAll(QStringList &list, const QString &categoryId, bool includeRetired);
// Names of all categories, in code-point order.
void FillCategoryNameList(QStringList &list);
// Names of the live accounts within AccountFilter(), in code-point order.
// Keeps the edited bill's account.
void FillAccountNameList(QStringList &list);
// Names of the live notes, in code-point order. Keeps the edited bill's
// note.
void FillNoteNameList(QStringList &list);

// Keys (cislo + " - " + suma_kuhrade + " " + hlavna_mena) of the live
// advance bills of that issue year that no bill deducts yet, by number.
// A year that is not four digits gives an empty list.
void FillFreeAdvanceBillList(QStringList &list, const QString &year);
// Keys of the live advance bills the bill with that id deducts, by year
// and number. An empty id leaves the list untouched.
void FillBillAdvanceList(const QString &billId, QStringList &list);

} // namespace bralvo::db
