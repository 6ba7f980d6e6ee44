// The rows a new database starts with: a demo company, a demo user linked
// to it, one own bank account and one note. Texts come from the UI text
// table, so a language file chooses their language.
#pragma once

namespace bralvo::db {

class TSQLiteDatabase;

// Each runs one INSERT; errors propagate as ESQLiteException. The caller
// holds the transaction.
void InsertDemoCompany(TSQLiteDatabase &db);
// Linked to the first live company, or NULL when there is none.
void InsertDemoUser(TSQLiteDatabase &db);
void InsertDemoAccount(TSQLiteDatabase &db);
void InsertDemoNote(TSQLiteDatabase &db);

} // namespace bralvo::db
