// Field readers with defaults.
#include "db/fieldreaders.h"

#include "db/tsqlitetable.h"

#include <exception>

namespace bralvo::db {

QString ReadFieldStr(const TSQLiteTable &table, const QString &fieldName, const QString &defaultValue)
{
    try {
        return table.FieldAsString(table.FieldIndex(fieldName));
    } catch (const std::exception &) {
        return defaultValue;
    }
}

qint64 ReadFieldInt(const TSQLiteTable &table, const QString &fieldName, qint64 defaultValue)
{
    try {
        return table.FieldAsInteger(table.FieldIndex(fieldName));
    } catch (const std::exception &) {
        return defaultValue;
    }
}

double ReadFieldFloat(const TSQLiteTable &table, const QString &fieldName, double defaultValue)
{
    try {
        return table.FieldAsDouble(table.FieldIndex(fieldName));
    } catch (const std::exception &) {
        return defaultValue;
    }
}

QString ReadFieldIntText(const TSQLiteTable &table, const QString &fieldName, bool defaultValue)
{
    try {
        return QString::number(table.FieldAsInteger(table.FieldIndex(fieldName)));
    } catch (const std::exception &) {
        return defaultValue ? QStringLiteral("-1") : QStringLiteral("0");
    }
}

} // namespace bralvo::db
