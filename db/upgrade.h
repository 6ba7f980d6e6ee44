// Bringing an older database to the schema this program writes, or
// refusing a newer one. Runs once at start-up, right after OpenDatabase.
//
//   version 3 or more: warns (UI texts 310/311), closes the database and
//     locks the interface; the file is not touched.
//   version 2: nothing happens.
//   version 0 or 1: asks (UI text 307; No ends the program with the file
//     unchanged), offers a backup (309), then adds the customer columns
//     jazyk, dni_splatnosti, predvoleny_vs and the twelve indexes and
//     writes user_version 2, all in one transaction. Failing ALTERs and
//     CREATE INDEXes are logged ("!!! ...  <- error") and do not stop it.
//     From version 1 a closing report (UI text 104 + the change log) is
//     shown after the commit, as a warning when a step failed.
#pragma once

#include <QString>

namespace bralvo::db {

// Needs an open database (DbOpen); does nothing otherwise. Throws
// ESQLiteException when the version cannot be read or written or the
// commit fails; the upgrade is then rolled back whole.
void UpgradeDatabase();

// Asks whether to upgrade and whether to back up first. On No, shows UI
// text 308, closes the database and ends the program (DatabaseUi) and
// returns false; the caller must then stop. True when the user agreed
// (after the backup, when one was asked for).
bool ConfirmDatabaseUpgrade();

// A schema version as the user sees it: 2 -> "1.02", 3 -> "1.03".
QString ShownDbVersion(int version);

} // namespace bralvo::db
