// The "SYSTEM" collation over QCollator.
#include "db/systemcollation.h"

#include <QCollator>
#include <QLocale>
#include <sqlite3.h>

namespace bralvo::db {

namespace {

QLocale collationLocale()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return QLocale(QLocale::Slovak, QLocale::Slovakia);
    return system;
}

const QCollator &systemCollator()
{
    // One collator per thread: QCollator is not safe to share across threads.
    thread_local const QCollator collator = [] {
        QCollator c(collationLocale());
        c.setCaseSensitivity(Qt::CaseSensitive);
        c.setNumericMode(false);
        c.setIgnorePunctuation(false);
        return c;
    }();
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

int registerSystemCollation(sqlite3 *handle)
{
    return sqlite3_create_collation(handle, "SYSTEM", SQLITE_UTF16, nullptr, &collateCallback);
}

} // namespace bralvo::db
