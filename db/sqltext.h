// How values are written into SQL text. Statements are assembled as text
// (no bound parameters), so every value a statement carries goes through
// one of these: quoted text, ids, years, numbers and dates. No user text
// is ever put into a statement any other way.
//
// Stored forms: text as UTF-8 TEXT; dates as 'yyyy-mm-dd' text (the empty
// masked date "  .  .    " as "    -  -  "); money and quantities as
// FLOAT; flags as 0/1; a missing reference as NULL; ids as integers.
// Numbers are always written with "." and no grouping, whatever the locale.
#pragma once

#include <QString>
#include <QStringList>

namespace bralvo::db {

// Every "'" doubled: O'Brien -> O''Brien.
QString EscapeQuotes(const QString &text);

// A complete text literal: "'" + EscapeQuotes(text) + "'". Zero
// characters are dropped (SQLite would end the statement there).
QString SqlQuoted(const QString &text);

// An id for SQL: the digits of a non-negative integer text ("42", also
// " 42 "), or NULL for "", "NULL" (any case) and blanks. Throws
// ESQLiteException "Invalid record id: <text>" for anything else.
QString SqlId(const QString &idText);
QString SqlId(qint64 id);

// A year as a quoted literal for comparisons with strftime('%Y', ...):
// exactly four digits give "'2009'". Throws ESQLiteException
// "Invalid year: <text>" otherwise.
QString SqlYear(const QString &yearText);

// A number literal: the shortest text that reads back as the same
// double, "." as the decimal point, no grouping ("1234.5", "0.1", "1e+20"). Throws
// ESQLiteException "Invalid number" for NaN and infinities.
QString SqlNumber(double value);

// A typed number (the user's text, either decimal separator, stray
// characters dropped, empty as 0) as an SQL number with 8 decimals:
// "1 000,25" -> "1000.25000000", "-12,5" -> "-12.50000000"; a value
// that reads as 0 gives "0". Throws bralvo::Error when the text stays
// malformed after filtering ("1,2,3", "12-3").
QString NumberToSqlText(const QString &typedNumber);

// "dd.mm.yyyy" -> "yyyy-mm-dd", by character position without checks
// (an empty text gives "--").
QString DateToSqlDate(const QString &displayDate);
// "yyyy-mm-dd" -> "dd.mm.yyyy", by position; the result "  .  .    " (the
// stored empty masked date) gives "", an empty text gives "..".
QString SqlDateToDate(const QString &sqlDate);
// SqlQuoted(DateToSqlDate(displayDate)): the date as a literal.
QString SqlDateLiteral(const QString &displayDate);

// " WHERE (<column> = <SqlQuoted(value)>) AND (existuje = 1)", with its
// leading blank: the live rows (not retired by existuje=0) whose column
// holds value. column is a plain column name.
QString LiveRowWhere(const char *column, const QString &value);

// Appends " AND " to a non-empty condition; an empty one stays empty.
void AppendAnd(QString &condition);

// A multi-line statement: the lines joined with CR LF.
QString JoinSqlLines(const QStringList &lines);

} // namespace bralvo::db
