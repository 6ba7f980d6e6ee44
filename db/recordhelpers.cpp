// Shared pieces of the record routines.
#include "db/recordhelpers.h"

#include "db/sqltext.h"
#include "services/messages.h"
#include "services/uitexts.h"

namespace bralvo::db::records {

void warn(FormFocus &focus, int textNumber, const QString &control, const QString &argument)
{
    QString message = services::MessageText(textNumber);
    const int at = message.indexOf(QLatin1String("%s"));
    if (at >= 0)
        message = message.left(at) + argument + message.mid(at + 2);
    services::ShowMessageBox(message, services::kMbWarning);
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

bool isSet(const QString &flagText)
{
    return flagText == QLatin1String("1");
}

} // namespace bralvo::db::records
