// The order in which the program sorts names: the user's language, or
// Slovak when the system locale is C/POSIX (the program's own language).
#pragma once

#include <QCollator>
#include <QLocale>
#include <QStringList>

namespace bralvo::platform {

QLocale collationLocale();

// A collator over collationLocale() with the given case rule.
QCollator userCollator(Qt::CaseSensitivity caseSensitivity);

// Sorts stably by userCollator(caseSensitivity).
void sortByUserCollation(QStringList &list, Qt::CaseSensitivity caseSensitivity);

} // namespace bralvo::platform
