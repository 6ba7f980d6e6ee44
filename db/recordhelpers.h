// Small pieces shared by the record routines (customers, items,
// categories, users, accounts, notes, payments) and bill saving.
// Internal to the database layer.
#pragma once

#include "db/formfocus.h"

#include <QString>

namespace bralvo::db {
class TSQLiteDatabase;
}

namespace bralvo::db::records {

// The warning box (flags 48) of UI text textNumber, its first "%s"
// replaced by the argument.
void showWarning(int textNumber, const QString &argument = QString());
// showWarning, then the focus to the control when one is named.
void warn(FormFocus &focus, int textNumber, const QString &control = QString(),
          const QString &argument = QString());
// The Yes/No question (flags 36) of UI text textNumber; true for Yes.
bool confirm(int textNumber);

// Value lines of an INSERT: "'<escaped>',", "1,"/"0,", "<number>,".
QString text(const QString &value);
QString flag(bool on);
QString number(const QString &typed);
// "<id>," with "" and "NULL" as NULL.
QString id(const QString &idText);

// Takes the rows of table that where selects (" WHERE ...", with its
// leading blank) out of use: while bills refer to them they stay, marked
// existuje=0, so those bills still show them; otherwise they are deleted.
// Throws ESQLiteException.
void retireOrDeleteRows(TSQLiteDatabase &db, const QString &table, bool usedByBills, const QString &where);

// "1" reads as checked; anything else as unchecked.
bool isSet(const QString &flagText);

} // namespace bralvo::db::records
