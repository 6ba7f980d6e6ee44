#include "report/data/dbprovider.h"

#include "platform/daycount.h"
#include "report/data/dataerror.h"
#include "report/data/odbcprovider.h"
#include "report/data/sqliteprovider.h"

#include <QDateTime>

namespace bralvo::data {

QString Provider::quoteName(const QString &name) const
{
    QString q = name;
    q.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

std::unique_ptr<Provider> createProvider(const ConnectionString &cs)
{
    switch (cs.providerKind()) {
    case ProviderKind::SQLite: return std::make_unique<SQLiteProvider>();
    case ProviderKind::ODBC: return std::make_unique<OdbcProvider>();
    }
    throw DataError(QStringLiteral("Unknown provider"));
}

platform::Variant bindableValue(const platform::Variant &value, TFieldType paramType)
{
    const bool isDate = value.kind() == platform::varDate;
    if (!isDate && !isDateType(paramType))
        return value;
    if (value.isNull() || value.isEmpty() || (!isDate && value.isString()))
        return value;
    const QDateTime dt = platform::dateTimeFromDayCount(value.toDouble());
    switch (paramType) {
    case ftDate: return platform::Variant(dt.date().toString(QStringLiteral("yyyy-MM-dd")));
    case ftTime: return platform::Variant(dt.time().toString(QStringLiteral("HH:mm:ss")));
    default: break;
    }
    if (dt.time() == QTime(0, 0))
        return platform::Variant(dt.date().toString(QStringLiteral("yyyy-MM-dd")));
    const QString form = dt.time().msec() ? QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz") : QStringLiteral("yyyy-MM-dd HH:mm:ss");
    return platform::Variant(dt.toString(form));
}

} // namespace bralvo::data
