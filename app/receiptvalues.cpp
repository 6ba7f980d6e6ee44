#include "app/receiptvalues.h"

#include "db/sqltext.h"
#include "services/amountinwords.h"
#include "services/dates.h"
#include "services/numbers.h"
#include "services/settings.h"
#include "services/uitexts.h"

#include <cmath>

namespace bralvo::app {

namespace {

const char *const kLabelNames[] = {"prijmovy", "danovydoklad", "cislo", "zodna", "ico", "dic", "icdph",
                                   "prijateod", "suma", "slovom", "ucel", "vystavil", "schvalil",
                                   "podpisprijemcu"};

QString mena(const char *key, const QString &def)
{
    return services::ReadSetting(QStringLiteral("Mena"), QString::fromLatin1(key), def);
}

// [Mena] Kurz as a number; 0 when the second currency does not apply.
double secondCurrencyRate(const ReceiptData &d)
{
    if (!services::ReadSettingBool(QStringLiteral("Mena"), QStringLiteral("DomaceFADualne"), true)
        || d.foreignIso != mena("CudziaMenaIso", QStringLiteral("EUR")))
        return 0;
    const double rate = services::ParseNumber(mena("Kurz", services::FormatNumberDecimals(4, 30.126)));
    return rate > 0 ? rate : 0;
}

bool convertedValue(const ReceiptData &d, const QString &name, QString &out)
{
    const int which = name == QLatin1String("udb_suma2") ? 0
                    : name == QLatin1String("udb_kurz") ? 1
                    : name == QLatin1String("kurz") ? 2 : -1;
    if (which < 0)
        return false;
    out.clear();
    const double rate = secondCurrencyRate(d);
    if (rate == 0)
        return true;
    if (which == 0)
        out = services::FormatMoney(services::ParseNumber(d.homeAmount) / rate) + QLatin1Char(' ')
            + mena("CudziaMenaZobr", QStringLiteral("€"));
    else if (which == 1)
        out = services::MessageText(304) + QStringLiteral(":  ") + services::FormatNumberDecimals(4, rate);
    else
        out = services::MessageText(303) + QLatin1Char(' ') + mena("CudziaMenaIso", QStringLiteral("EUR"))
            + QLatin1Char('/') + d.homeIso + QLatin1Char(':');
    return true;
}

bool ownValue(const ReceiptData &d, const QString &name, QString &out)
{
    if (name == QLatin1String("udb_zodna"))
        out = services::FormatDateTimeText(QStringLiteral("dd.mm.yyyy"), d.date);
    else if (name == QLatin1String("udb_suma"))
        out = d.homeAmount + QLatin1Char(' ') + d.homeSymbol;
    else if (name == QLatin1String("udb_slovom"))
        out = AmountInWordsWithHundredths(services::ParseNumber(d.homeAmount));
    else if (name == QLatin1String("db_vs1"))
        out = d.automatic ? d.row.value(QStringLiteral("vs")) : d.number;
    else if (name == QLatin1String("db_vs2"))
        out = d.automatic ? d.row.value(QStringLiteral("vs")) : d.purpose;
    else if (name.startsWith(QLatin1String("db_")))
        out = d.row.value(name.mid(3).toLower());
    else
        return false;
    return true;
}

} // namespace

QString ReceiptQuery(const QString &billId)
{
    QStringList items{QStringLiteral("vs")};
    const char *const pairs[][2] = {
        {"firma.nazov", "firma"}, {"firma.ulica", "ulica"}, {"firma.psc", "psc"}, {"firma.mesto", "mesto"},
        {"firma.stat", "stat"}, {"firma.ico", "ico"}, {"firma.dic", "dic"}, {"firma.icdph", "icdph"},
        {"odberatelia.nazov", "firmao"}, {"odberatelia.ulica", "ulicao"}, {"odberatelia.psc", "psco"},
        {"odberatelia.mesto", "mestoo"}, {"odberatelia.stat", "stato"}, {"odberatelia.ico", "icoo"},
        {"odberatelia.dic", "dico"}, {"odberatelia.icdph", "icdpho"}, {"uzivatelia.uzivatel", "vystavil"},
    };
    for (const auto &p : pairs)
        items << QString::fromLatin1(p[0]) + QStringLiteral(" AS `") + QString::fromLatin1(p[1]) + QLatin1Char('`');
    return QStringLiteral("SELECT ") + items.join(QStringLiteral(", "))
        + QStringLiteral(" FROM faktury LEFT JOIN odberatelia ON (faktury.id_odberatel = odberatelia.id)"
                         " LEFT JOIN uzivatelia ON (faktury.id_uzivatel = uzivatelia.id)"
                         " LEFT JOIN firma ON (firma.id = uzivatelia.id_firma) WHERE (faktury.id = ")
        + db::EscapeQuotes(billId) + QStringLiteral(") ");
}

QString AmountInWordsWithHundredths(double amount)
{
    QString words = services::AmountInWords(amount);
    const double fraction = std::fabs(amount - std::trunc(amount));
    if (fraction > 0)
        words += QLatin1Char(' ') + QString::number(qint64(std::nearbyint(fraction * 100))) + QStringLiteral("/100");
    return words;
}

bool ReceiptValue(const ReceiptData &data, const QString &name, platform::Variant &value)
{
    QString out;
    bool answered = false;
    for (int i = 0; i < 14 && !answered; ++i) {
        if (name == QLatin1String(kLabelNames[i])) {
            out = services::ReportText(149 + i);
            answered = true;
        }
    }
    answered = answered || convertedValue(data, name, out) || ownValue(data, name, out);
    if (answered)
        value = platform::Variant(out);
    return answered;
}

} // namespace bralvo::app
