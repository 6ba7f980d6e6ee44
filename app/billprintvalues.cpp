#include "app/billprintvalues.h"

#include "db/fieldreaders.h"
#include "db/sqltext.h"
#include "db/tsqlitetable.h"
#include "services/numbers.h"
#include "services/settings.h"
#include "services/uitexts.h"

namespace bralvo::app {

namespace {

using services::ReportText;

QString select(const QString &column, const QString &alias = QString())
{
    return alias.isEmpty() ? column : column + QStringLiteral(" AS `") + alias + QLatin1Char('`');
}

QStringList printColumns()
{
    QStringList items;
    for (const char *c : {"cislo", "cislo_objednavky", "vs", "ks", "ss", "forma_uhrady", "opravnenie",
                          "datum_vystavenia", "datum_splatnosti", "datum_dodania", "datum_platby", "nazov_banky",
                          "cislo_uctu", "swift", "iban", "poznamky.poznamka"})
        items << QString::fromLatin1(c);
    items << select(QStringLiteral("uzivatelia.text_podpis"), QStringLiteral("uzivatel_textpodpis"));
    items << select(QStringLiteral("uzivatelia.obr_podpis"), QStringLiteral("uzivatel_obrpodpis"));
    const char *const party[] = {"nazov", "ulica", "psc", "mesto", "stat", "ico", "dic", "icdph"};
    for (const char *c : party)
        items << select(QStringLiteral("firma.") + QLatin1String(c), QStringLiteral("firma_") + QLatin1String(c));
    items << select(QStringLiteral("firma.obr_logo"), QStringLiteral("firma_obrlogo"));
    for (const char *c : {"telefon", "fax", "email"})
        items << select(QStringLiteral("uzivatelia.") + QLatin1String(c), QString::fromLatin1(c));
    for (const char *c : party)
        items << select(QStringLiteral("odberatelia.") + QLatin1String(c),
                        QStringLiteral("odberatel_") + QLatin1String(c));
    return items;
}

// Captions that are one report text, optionally followed by a colon.
struct Caption {
    const char *name;
    int text;
    bool colon;
};

const Caption kCaptions[] = {
    {"fakturacislo", 3, false}, {"objednavkacislo", 4, false}, {"varsymb", 5, false},
    {"konstsymb", 6, false}, {"specsymb", 7, false}, {"dodavatel", 8, false},
    {"odberatel", 9, false}, {"ico", 10, true}, {"dic", 11, true}, {"icdph", 12, true},
    {"bankovespojenie", 15, false}, {"swift", 16, false}, {"iban", 17, false},
    {"telefon", 18, false}, {"fax", 19, false}, {"email", 20, false},
    {"formauhrady", 21, false}, {"opravnenie", 22, false}, {"datumvystavenia", 23, false},
    {"datumsplatnosti", 24, false}, {"datumdodania", 25, false}, {"datumplatby", 40, false},
    {"pc", 172, false}, {"kod", 171, false}, {"nazov", 27, false}, {"mnozstvo", 28, false},
    {"prevzal", 36, false}, {"vystavil", 35, false}, {"celkom", 37, false},
    {"kuhrade", 38, false}, {"poznamka", 39, false},
};

bool captionValue(const QString &name, QString &out)
{
    for (const Caption &c : kCaptions) {
        if (name == QLatin1String(c.name)) {
            out = ReportText(c.text) + (c.colon ? QStringLiteral(":") : QString());
            return true;
        }
    }
    return false;
}

bool hideDiscounts()
{
    return services::ReadSettingBool(QStringLiteral("Faktura"), QStringLiteral("NetlacitZlavy"), false);
}

// A two-line column caption: the vertical bar becomes a line break.
QString twoLines(int text) { return ReportText(text).replace(QLatin1Char('|'), QLatin1Char('\r')); }

bool vatDependentCaption(const BillPrintData &d, const QString &name, QString &out)
{
    if (name == QLatin1String("cenazajedn"))
        out = twoLines(d.showsVat ? 29 : 32);
    else if (name == QLatin1String("dph"))
        out = d.showsVat ? ReportText(30) : QString();
    else if (name == QLatin1String("cenacelkom"))
        out = twoLines(d.showsVat ? 31 : 33);
    else if (name == QLatin1String("zlava"))
        out = hideDiscounts() ? QString() : ReportText(34);
    else if (name == QLatin1String("faktura"))
        out = ReportText(d.advance ? 2 : 1).toUpper();
    else if (name == QLatin1String("fakturujemvam")) {
        const QString def = services::ReadSetting(QStringLiteral("Faktura"), QStringLiteral("DefJazyk"),
                                                  QStringLiteral("SK - Slovenčina"));
        out = d.language == def ? services::ReadSetting(QStringLiteral("Faktura"), QStringLiteral("FakturujemVam"),
                                                        ReportText(26))
                                : ReportText(26);
    } else
        return false;
    return true;
}

bool summaryValue(const BillPrintData &d, const QString &name, QString &out)
{
    if (name == QLatin1String("suma1_left"))
        out = d.suma1Left;
    else if (name == QLatin1String("suma2_right"))
        out = d.suma2Right;
    else if (name == QLatin1String("suma_celkom"))
        out = d.sumaCelkom;
    else if (name == QLatin1String("suma_kuhrade"))
        out = d.sumaKUhrade;
    else
        return false;
    return true;
}

// The home bill shown also in the configured foreign currency.
bool dualHomeBill(const BillPrintData &d)
{
    return services::ReadSettingBool(QStringLiteral("Mena"), QStringLiteral("DomaceFADualne"), true)
        && d.foreignIso == services::ReadSetting(QStringLiteral("Mena"), QStringLiteral("CudziaMenaIso"),
                                                 QStringLiteral("EUR"))
        && d.inForeignCurrency && d.inTwoCurrencies;
}

bool rateValue(const BillPrintData &d, const QString &name, QString &out)
{
    const int which = name == QLatin1String("kurz") ? 0
                    : name == QLatin1String("udb_kurz") ? 1
                    : name == QLatin1String("suma_kuhrade2") ? 2 : -1;
    if (which < 0)
        return false;
    out.clear();
    if (d.secondaryKUhrade.isEmpty())
        return true;
    const bool dual = dualHomeBill(d);
    const QString pair = QLatin1Char(' ') + d.foreignIso + QLatin1Char('/') + d.homeIso + QLatin1Char(':');
    if (which == 0)
        out = ReportText(dual ? 173 : 84) + pair;
    else if (which == 1)
        out = dual ? services::FormatNumberDecimals(4, services::ParseNumber(d.rate)) : d.rate;
    else
        out = dual ? ReportText(174) + QStringLiteral(":   ") + d.secondaryKUhrade : d.secondaryKUhrade;
    return true;
}

bool lineValue(const BillPrintData &d, int recNo, const QString &name, QString &out)
{
    static const char *const kCells[] = {"s_kod", "s_nazov", "s_mnozstvo", "s_zlava",
                                         "s_cenazajedn", "s_dph", "s_cenacelkom"};
    if (name == QLatin1String("s_pc")) {
        out = QString::number(recNo + 1);
        return true;
    }
    for (int column = 0; column < 7; ++column) {
        if (name != QLatin1String(kCells[column]))
            continue;
        const bool blank = (column == 3 && hideDiscounts()) || (column == 5 && !d.showsVat);
        out = blank || !d.lineCell ? QString() : d.lineCell(column, recNo + 1);
        return true;
    }
    return false;
}

bool rowValue(const BillPrintData &d, const QString &name, QString &out)
{
    for (const char *c : {"datum_vystavenia", "datum_splatnosti", "datum_dodania", "datum_platby"}) {
        if (name == QLatin1String(c)) {
            const QString stored = d.row.value(name);
            out = stored.isEmpty() ? QString() : db::SqlDateToDate(stored);
            return true;
        }
    }
    if (!name.startsWith(QLatin1String("db_")))
        return false;
    out = d.row.value(name.mid(3).toLower());
    return true;
}

} // namespace

QString BillPrintQuery(const QString &billId)
{
    return QStringLiteral("SELECT ") + printColumns().join(QStringLiteral(", "))
        + QStringLiteral(" FROM faktury LEFT JOIN odberatelia ON (faktury.id_odberatel = odberatelia.id)"
                         " LEFT JOIN uzivatelia ON (faktury.id_uzivatel = uzivatelia.id)"
                         " LEFT JOIN firma ON (firma.id = uzivatelia.id_firma)"
                         " LEFT JOIN ucty ON (ucty.id = faktury.id_ucet)"
                         "LEFT JOIN poznamky ON (poznamky.id = faktury.id_poznamka)"
                         "WHERE (faktury.id = ")
        + db::EscapeQuotes(billId) + QStringLiteral(") ");
}

QHash<QString, QString> FirstRowTexts(const db::TSQLiteTable &table)
{
    QHash<QString, QString> row;
    if (table.IsEof())
        return row;
    for (int i = 0; i < table.ColumnCount(); ++i)
        row.insert(table.FieldName(i).toLower(), db::ReadFieldStr(table, table.FieldName(i), QString()));
    return row;
}

bool BillPrintValue(const BillPrintData &data, int recNo, const QString &name, platform::Variant &value)
{
    QString out;
    const bool answered = captionValue(name, out) || vatDependentCaption(data, name, out)
                       || summaryValue(data, name, out) || rateValue(data, name, out)
                       || lineValue(data, recNo, name, out) || rowValue(data, name, out);
    if (answered)
        value = platform::Variant(out);
    return answered;
}

} // namespace bralvo::app
