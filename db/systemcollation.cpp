// The "SYSTEM" collation over QCollator.
#include "db/systemcollation.h"

#include "platform/collation.h"

#include <QCollator>
#include <QLocale>
#include <sqlite3.h>

namespace bralvo::db {

namespace {

QCollator makeCollator(const QLocale &locale)
{
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseSensitive);
    collator.setNumericMode(false);
    collator.setIgnorePunctuation(false);
    return collator;
}

// Used from the GUI thread only, as every database access is.
QCollator &systemCollator()
{
    static QCollator collator = makeCollator(platform::collationLocale());
    return collator;
}

int sign(int value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

int collateCallback(void *, int lengthA, const void *textA, int lengthB, const void *textB)
{
    // SQLite hands UTF-16 in native byte order; lengths are in bytes.
    const QString a = QString::fromRawData(static_cast<const QChar *>(textA), lengthA / 2);
    const QString b = QString::fromRawData(static_cast<const QChar *>(textB), lengthB / 2);
    return SystemCollate(a, b);
}

} // namespace

int SystemCollate(const QString &a, const QString &b)
{
    const int result = sign(systemCollator().compare(a, b));
    if (result != 0)
        return result;
    return sign(QString::compare(a, b, Qt::CaseSensitive));
}

QLocale systemCollationLocale()
{
    return systemCollator().locale();
}

void setSystemCollationLocale(const QLocale &locale)
{
    systemCollator() = makeCollator(locale);
}

int registerSystemCollation(sqlite3 *handle)
{
    return sqlite3_create_collation(handle, "SYSTEM", SQLITE_UTF16, nullptr, &collateCallback);
}

} // namespace bralvo::db
