// The "SYSTEM" collation: the user's locale order for text, case-sensitive,
// by QCollator (ICU). Under the C/POSIX locale the Slovak order is used,
// the program's home language. SQL selects it with "COLLATE SYSTEM".
#pragma once

#include <QLocale>
#include <QString>

struct sqlite3;

namespace bralvo::db {

// -1, 0 or 1. Texts the collator ranks equal but that differ in their
// code points are ordered by code points, so the order is total and
// consistent and only identical texts compare equal.
int SystemCollate(const QString &a, const QString &b);

// The locale the collation sorts by: the system's, Slovak under C/POSIX.
QLocale systemCollationLocale();
// Sorts by another locale from now on (tests, and a program that lets
// the user choose); affects every connection.
void setSystemCollationLocale(const QLocale &locale);

// Registers SystemCollate as "SYSTEM" (UTF-16) on the connection and
// returns the library's result code.
int registerSystemCollation(sqlite3 *handle);

} // namespace bralvo::db
