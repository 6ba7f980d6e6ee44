// Bill numbers: existence, the last number of a year, the next number.
#include "db/billnumbering.h"

#include "db/rulesquery.h"
#include "db/sqltext.h"
#include "services/billnumbers.h"

namespace bralvo::db {

namespace {

QString yearCondition(const QString &year)
{
    return QStringLiteral("(strftime('%Y', faktury.datum_vystavenia) = ") + SqlYear(year) + QStringLiteral(")");
}

} // namespace

bool BillNumberExists(const QString &number, const QString &year, bool isAdvance)
{
    if (!rules::isYearText(year))
        return false;
    return rules::queryHasRow(QStringLiteral("SELECT * FROM faktury WHERE (typ = ") + rules::billTypeText(isAdvance)
                              + QStringLiteral(") AND (cislo = ") + SqlQuoted(number) + QStringLiteral(") AND ")
                              + yearCondition(year) + QStringLiteral(" AND (existuje = 1)"));
}

QString GetLastBillNumber(bool isAdvance, const QString &year)
{
    if (!rules::isYearText(year))
        return QString();
    return rules::queryFirstField(QStringLiteral("SELECT * FROM faktury WHERE (typ = ") + rules::billTypeText(isAdvance)
                                      + QStringLiteral(") AND ") + yearCondition(year)
                                      + QStringLiteral(" AND (existuje = 1) ORDER BY faktury.cislo DESC LIMIT 1"),
                                  QStringLiteral("cislo"));
}

QString IncrementBillNumber(const QString &number)
{
    return services::TrailingNumberPrefix(number) + services::IncrementTrailingNumber(number, 1);
}

int CountBills(const QString &typeText, const QString &year)
{
    const bool typeOk = typeText.size() == 1 && typeText.at(0).isDigit();
    if (!typeOk || (!year.isEmpty() && !rules::isYearText(year)))
        return 0;
    QString sql = QStringLiteral("SELECT * FROM faktury WHERE ");
    if (!year.isEmpty())
        sql += yearCondition(year) + QStringLiteral(" AND ");
    if (typeText != QLatin1String("0"))
        sql += QStringLiteral("(typ = ") + typeText + QStringLiteral(") AND ");
    return rules::queryRowCount(sql + QStringLiteral("(existuje = 1)"));
}

} // namespace bralvo::db
