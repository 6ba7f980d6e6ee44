// Readable QString values in the failure messages of the number tests.
#pragma once

#include <QString>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
