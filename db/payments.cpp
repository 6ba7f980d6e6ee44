// Saving and loading payments.
#include "db/payments.h"

#include "db/billgrids.h"
#include "db/fieldreaders.h"
#include "db/recordhelpers.h"
#include "db/rulesquery.h"
#include "db/sqltext.h"
#include "db/transaction.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "services/dates.h"
#include "services/numbers.h"

namespace bralvo::db {

bool SavePayment(const QString &billId, const PaymentFormValues &form, FormFocus &focus)
{
    if (services::ParseNumber(form.homeAmount) == 0) {
        if (form.paidBox == IsBillPaid(billId)) {
            records::warn(focus, 221, QStringLiteral("eSumaDomaca"));
            return false;
        }
        return true;
    }
    auto quotedNumber = [](const QString &typed) { return QLatin1Char('\'') + NumberToSqlText(typed) + QStringLiteral("',"); };
    TSQLiteDatabase &db = rules::connection();
    Transaction tx(db);
    db.ExecSql(JoinSqlLines({
        QStringLiteral("INSERT INTO uhrady ("),
        QStringLiteral("datum, bankovy_prevod, hotovost, suma_domaca, suma_zahranicna, kurz, interna_poznamka, "
                       "id_faktura) VALUES ("),
        SqlDateLiteral(form.date.toString(QStringLiteral("dd.MM.yyyy"))) + QLatin1Char(','),
        records::flag(form.bankTransfer), records::flag(form.cash),
        quotedNumber(form.homeAmount), quotedNumber(form.foreignAmount), quotedNumber(form.rate),
        records::text(form.internalNote), SqlId(billId) + QLatin1Char(')'),
    }));
    tx.commit();
    return true;
}

std::optional<PaymentFormValues> LoadPaymentForm(const QString &paymentId)
{
    const auto table = rules::rowById("uhrady", paymentId);
    if (!table)
        return std::nullopt;
    PaymentFormValues form;
    form.date = services::ParseDate(SqlDateToDate(ReadFieldStr(*table, QStringLiteral("datum"), QString())));
    form.bankTransfer = ReadFieldIntText(*table, QStringLiteral("bankovy_prevod"), false) == QLatin1String("1");
    form.cash = ReadFieldIntText(*table, QStringLiteral("hotovost"), false) == QLatin1String("1");
    form.homeAmount = services::FormatMoney(ReadFieldFloat(*table, QStringLiteral("suma_domaca"), 0));
    form.foreignAmount = services::FormatMoney(ReadFieldFloat(*table, QStringLiteral("suma_zahranicna"), 0));
    form.rate = services::FormatNumberDecimals(8, ReadFieldFloat(*table, QStringLiteral("kurz"), 1));
    form.internalNote = ReadFieldStr(*table, QStringLiteral("interna_poznamka"), QString());
    return form;
}

} // namespace bralvo::db
