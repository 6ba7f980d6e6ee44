// Shared pieces of the record routines.
#include "db/recordhelpers.h"

#include "db/sqltext.h"
#include "db/tsqlitedatabase.h"
#include "services/messages.h"
#include "services/uitexts.h"

namespace bralvo::db::records {

void showWarning(int textNumber, const QString &argument)
{
    services::ShowMessageBox(services::FillPlaceholders(services::MessageText(textNumber), {argument}),
                             services::kMbWarning);
}

void warn(FormFocus &focus, int textNumber, const QString &control, const QString &argument)
{
    showWarning(textNumber, argument);
    if (!control.isEmpty())
        focus.focusControl(control);
}

bool confirm(int textNumber)
{
    return services::ShowMessageBox(services::MessageText(textNumber), services::kMbQuestionYesNo)
        == services::kIdYes;
}

QString text(const QString &value)
{
    return SqlQuoted(value) + QLatin1Char(',');
}

QString flag(bool on)
{
    return on ? QStringLiteral("1,") : QStringLiteral("0,");
}

QString number(const QString &typed)
{
    return NumberToSqlText(typed) + QLatin1Char(',');
}

QString id(const QString &idText)
{
    return SqlId(idText) + QLatin1Char(',');
}

void retireOrDeleteRows(TSQLiteDatabase &db, const QString &table, bool usedByBills, const QString &where)
{
    if (usedByBills)
        db.ExecSql(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET existuje=0") + where);
    else
        db.ExecSql(QStringLiteral("DELETE FROM ") + table + where);
}

bool isSet(const QString &flagText)
{
    return flagText == QLatin1String("1");
}

} // namespace bralvo::db::records
