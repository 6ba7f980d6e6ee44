// Number texts of the database layer.
#include "db/dbformat.h"

#include "platform/conversionerror.h"

#include <QLocale>

namespace bralvo::db {

namespace {

bool isSeparator(QChar c)
{
    return c == QLatin1Char(',') || c == QLatin1Char('.');
}

// Drops leading characters up to a "-", a digit 1-9 or a separator.
QString fromSign(const QString &text)
{
    int start = 0;
    while (start < text.size()) {
        const QChar c = text.at(start);
        if (c == QLatin1Char('-') || (c >= QLatin1Char('1') && c <= QLatin1Char('9')) || isSeparator(c))
            break;
        ++start;
    }
    return text.mid(start);
}

} // namespace

QString generalFloatText(double value)
{
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1String("e+"), QLatin1String("E"));
    text.replace(QLatin1Char('e'), QLatin1Char('E'));
    return text.replace(QLatin1Char('.'), QLocale::system().decimalPoint());
}

double parseTypedNumber(const QString &text)
{
    QString number = text.contains(QLatin1Char('-')) ? fromSign(text) : text;
    QString kept;
    for (QChar c : number) {
        if (isSeparator(c))
            kept += QLatin1Char('.');
        else if (c.isDigit() && c.unicode() < 128)
            kept += c;
        else if (c == QLatin1Char('-'))
            kept += c;
    }
    if (kept.isEmpty() || kept == QLatin1String("-"))
        return 0;
    bool ok = false;
    const double value = QLocale::c().toDouble(kept, &ok);
    if (!ok)
        throw platform::ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(kept));
    return value;
}

} // namespace bralvo::db
