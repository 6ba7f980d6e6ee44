// The user's collation, shared by the database's "SYSTEM" collation and
// every sorted list of names.
#include "platform/collation.h"

#include <algorithm>

namespace bralvo::platform {

QLocale collationLocale()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return QLocale(QLocale::Slovak, QLocale::Slovakia);
    return system;
}

QCollator userCollator(Qt::CaseSensitivity caseSensitivity)
{
    QCollator collator(collationLocale());
    collator.setCaseSensitivity(caseSensitivity);
    return collator;
}

void sortByUserCollation(QStringList &list, Qt::CaseSensitivity caseSensitivity)
{
    const QCollator collator = userCollator(caseSensitivity);
    std::stable_sort(list.begin(), list.end(), [&collator](const QString &a, const QString &b) {
        return collator.compare(a, b) < 0;
    });
}

} // namespace bralvo::platform
