// Reading one field of the current row with a default: these never throw.
// A missing field, an empty result or a read past the last row gives the
// caller's default instead.
#pragma once

#include <QString>

namespace bralvo::db {

class TSQLiteTable;

// The field as text; a NULL gives "".
QString ReadFieldStr(const TSQLiteTable &table, const QString &fieldName, const QString &defaultValue);
// The field as an integer (floats truncated toward zero, NULL gives 0).
qint64 ReadFieldInt(const TSQLiteTable &table, const QString &fieldName, qint64 defaultValue);
// The field as a double (NULL gives 0).
double ReadFieldFloat(const TSQLiteTable &table, const QString &fieldName, double defaultValue);
// The decimal text of the integer field; when it cannot be read, the
// default written as "-1" (true) or "0" (false), so a missing flag with
// default true does not equal "1".
QString ReadFieldIntText(const TSQLiteTable &table, const QString &fieldName, bool defaultValue);

} // namespace bralvo::db
