// The bill numbering rule: a number is unique per bill type (bill or
// advance bill) and issue year among live rows; numbers compare and sort
// as text. Years are four-digit texts ("2009"); any other year matches no
// bill. Errors of the database throw ESQLiteException.
#pragma once

#include <QString>

namespace bralvo::db {

// Whether a live bill of that type has the number in that issue year.
bool BillNumberExists(const QString &number, const QString &year, bool isAdvance);

// The number of the live bill of that type and issue year that sorts last
// as text ("9" after "10"); "" when there is none.
QString GetLastBillNumber(bool isAdvance, const QString &year);

// The number with its trailing digit run increased by one, keeping the
// run's width: "2009/009" -> "2009/010", "99" -> "100", "FA" -> "FA1".
// Throws platform::ConversionError when the run exceeds 64 bits.
QString IncrementBillNumber(const QString &number);

// The number of live bills of type typeText ("1", "2"; "0" means both)
// in that issue year (every year when the year is empty). A type that is
// not a digit, or a year that is not four digits, counts nothing.
int CountBills(const QString &typeText, const QString &year);

} // namespace bralvo::db
