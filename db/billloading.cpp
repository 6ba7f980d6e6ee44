// Reading stored bills and customer defaults for the bill editor.
#include "db/billloading.h"

#include "db/accountscope.h"
#include "db/billhelpers.h"
#include "db/billstate.h"
#include "db/fieldreaders.h"
#include "db/lookups.h"
#include "db/namelists.h"
#include "db/rulesquery.h"
#include "db/sqltext.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "platform/regionalsettings.h"
#include "services/dates.h"
#include "services/numbers.h"
#include "services/settings.h"
#include "services/uitexts.h"

namespace bralvo::db {

namespace {

QString str(const TSQLiteTable &table, const char *field)
{
    return ReadFieldStr(table, QLatin1String(field), QString());
}

bool set(const TSQLiteTable &table, const char *field)
{
    return ReadFieldIntText(table, QLatin1String(field), false) == QLatin1String("1");
}

// A stored number as text may carry either separator; unreadable is 0.
double storedNumber(const TSQLiteTable &table, const char *field)
{
    return ReadFieldFloat(table, QLatin1String(field), 0);
}

QString roundingItem(double step)
{
    const QString text = services::FormatMoney(step);
    if (services::ParseNumber(text) != 0)
        return text;
    return QStringLiteral("0") + platform::regionalSettings().decimalSeparator + QStringLiteral("50");
}

// Address, ids of the customer or company block (the first seven lines).
QStringList addressBlock(const TSQLiteTable &table)
{
    return {str(table, "nazov"), str(table, "ulica"), str(table, "psc") + QStringLiteral(", ") + str(table, "mesto"),
            str(table, "stat"), services::MessageText(171) + QStringLiteral(": ") + str(table, "ico"),
            services::MessageText(172) + QStringLiteral(": ") + str(table, "dic"),
            services::MessageText(173) + QStringLiteral(": ") + str(table, "icdph")};
}

void readTexts(const TSQLiteTable &t, StoredBill &bill)
{
    bill.number = str(t, "cislo");
    bill.orderNumber = str(t, "cislo_objednavky");
    bill.variableSymbol = str(t, "vs");
    bill.constantSymbol = str(t, "ks");
    bill.specificSymbol = str(t, "ss");
    bill.paymentForm = str(t, "forma_uhrady");
    bill.authorization = str(t, "opravnenie");
    bill.issueDate = services::ParseDate(SqlDateToDate(str(t, "datum_vystavenia")));
    bill.dueDate = services::ParseDate(SqlDateToDate(str(t, "datum_splatnosti")));
    bill.deliveryDate = SqlDateToDate(str(t, "datum_dodania"));
    bill.paymentDate = SqlDateToDate(str(t, "datum_platby"));
    bill.withoutVat = set(t, "fakturovat_bezdph");
    bill.language = str(t, "jazyk");
    bill.internalNote = str(t, "interna_poznamka");
}

void readCurrencies(const TSQLiteTable &t, StoredBill &bill)
{
    bill.inForeignCurrency = set(t, "fakturovat_vcudzejmene");
    bill.inTwoCurrencies = set(t, "fakturovat_vdvochmenach");
    bill.foreignIsMain = set(t, "jehlavna_cudziamena") || !bill.inTwoCurrencies;
    bill.foreignIsMainEnabled = bill.inTwoCurrencies;
    bill.homeCurrencySymbol = str(t, "domaca_menaZobr");
    bill.homeCurrencyIso = str(t, "domaca_menaIso");
    bill.foreignSymbol = str(t, "cudzia_menaZobr");
    bill.foreignIso = str(t, "cudzia_menaIso");
    bill.mainCurrency = str(t, "hlavna_mena");
    bill.homeRate = services::FormatNumberDecimals(4, storedNumber(t, "kurz_domaca"));
    bill.foreignRate = services::FormatNumberDecimals(4, storedNumber(t, "kurz_cudzia"));
    bill.rate = services::FormatNumberDecimals(8, storedNumber(t, "kurz"));
    bill.rounding = roundingItem(storedNumber(t, "zaokruhlovanie"));
    bill.totalLabel = services::FormatMoney(storedNumber(t, "suma_celkom")) + QLatin1Char(' ') + bill.mainCurrency;
    bill.dueLabel = services::FormatMoney(storedNumber(t, "suma_kuhrade")) + QLatin1Char(' ') + bill.mainCurrency;
    bill.sum1Left = str(t, "suma1_left");
    bill.sum2Right = str(t, "suma2_right");
}

std::unique_ptr<TSQLiteTable> customerRow(const QString &customerKey, const BillCustomerContext &context)
{
    if (!BillIsNew && !LoadedCustomerId.isEmpty()
        && GetCustomerKeyById(LoadedCustomerId).compare(customerKey, Qt::CaseInsensitive) == 0) {
        return rules::connection().GetTable(QStringLiteral("SELECT * FROM odberatelia WHERE id = ")
                                            + SqlId(LoadedCustomerId));
    }
    QString filter = QStringLiteral("(existuje = 1)");
    if (context.editorVisible && !BillIsNew && context.selectedKey == LoadedCustomerKey && !LoadedCustomerId.isEmpty())
        filter = QStringLiteral("(id = ") + SqlId(LoadedCustomerId) + QLatin1Char(')');
    return rules::connection().GetTable(QStringLiteral("SELECT * FROM odberatelia WHERE ( (nazov || ' - ' || ico) = ")
                                        + SqlQuoted(customerKey) + QStringLiteral(") AND ") + filter);
}

void applyDualHomeBilling(CustomerBillDefaults &defaults, QString homeIso)
{
    const QString section = QStringLiteral("Mena");
    if (!services::ReadSettingBool(section, QStringLiteral("DomaceFADualne"), true) || defaults.inForeignCurrency)
        return;
    // A second currency equal to the home one would print a made-up rate
    // and amount on every domestic bill.
    if (homeIso.isEmpty())
        homeIso = services::ReadSetting(section, QStringLiteral("DomacaMenaIso"), QStringLiteral("SKK"));
    const QString foreignIso = services::ReadSetting(section, QStringLiteral("CudziaMenaIso"), QStringLiteral("EUR"));
    if (foreignIso.trimmed().compare(homeIso.trimmed(), Qt::CaseInsensitive) == 0)
        return;
    defaults.dualHomeBilling = true;
    defaults.inForeignCurrency = defaults.inTwoCurrencies = true;
    defaults.foreignIsMain = false;
    defaults.foreignSymbol = services::ReadSetting(section, QStringLiteral("CudziaMenaZobr"), QStringLiteral("€"));
    defaults.foreignIso = services::ReadSetting(section, QStringLiteral("CudziaMenaIso"), QStringLiteral("EUR"));
    const QString rate = services::ReadSetting(section, QStringLiteral("Kurz"), services::FormatNumberDecimals(4, 30.126));
    defaults.rate = rate;
    defaults.foreignRate = services::FormatNumberDecimals(4, 1);
    defaults.homeRate = services::FormatNumberDecimals(4, services::ParseNumber(rate));
}

QString defaultName(const QString &userName, const QString &customerName, const char *idColumn,
                    QString (*nameOf)(const QString &))
{
    const QString column = QLatin1String(idColumn);
    const QString userChoice = nameOf(rules::queryFirstField(
        QStringLiteral("SELECT * FROM uzivatelia") + LiveRowWhere("uzivatel", userName), column));
    const QString customerChoice = nameOf(rules::queryFirstField(
        QStringLiteral("SELECT * FROM odberatelia") + LiveRowWhere("nazov", customerName), column));
    return customerChoice.isEmpty() ? userChoice : customerChoice;
}

} // namespace

std::optional<StoredBill> LoadBillForm(const QString &number, const QString &year, bool isAdvance)
{
    const QString id = GetBillId(number, year, isAdvance);
    if (id.isEmpty())
        return std::nullopt;
    const auto t = rules::connection().GetTable(QStringLiteral("SELECT * FROM faktury WHERE (id = ") + SqlId(id)
                                                + QStringLiteral(")"));
    if (!t->MoveFirst())
        return std::nullopt;
    StoredBill bill;
    bill.id = id;
    LoadedCustomerId = str(*t, "id_odberatel");
    LoadedUserId = str(*t, "id_uzivatel");
    LoadedCustomerKey = GetCustomerKeyById(LoadedCustomerId);
    LoadedAccountId = str(*t, "id_ucet");
    LoadedAccountName = GetAccountName(LoadedAccountId);
    LoadedNoteId = str(*t, "id_poznamka");
    LoadedNoteName = GetNoteName(LoadedNoteId);
    SetOwnAccountScope();
    FillCustomerKeyList(bill.customerKeys);
    bill.customerKey = LoadedCustomerKey;
    readTexts(*t, bill);
    FillSupplierAddressLines(bill.supplierLines, LoadedUserId);
    FillAccountNameList(bill.accountNames);
    bill.accountName = LoadedAccountName;
    FillNoteNameList(bill.noteNames);
    bill.noteName = LoadedNoteName;
    readCurrencies(*t, bill);
    FillBillAdvanceList(id, bill.advanceEntries);
    return bill;
}

std::optional<CustomerBillDefaults> ApplyCustomerToBill(const QString &customerKey, const BillCustomerContext &context)
{
    const auto t = customerRow(customerKey, context);
    if (!t->MoveFirst())
        return std::nullopt;
    CustomerBillDefaults defaults;
    defaults.addressLines = addressBlock(*t);
    defaults.withoutVat = set(*t, "fakturovat_bezdph");
    defaults.inForeignCurrency = set(*t, "fakturovat_vcudzejmene");
    defaults.inTwoCurrencies = set(*t, "fakturovat_vdvochmenach");
    defaults.foreignIsMain = set(*t, "jehlavna_cudziamena");
    defaults.foreignSymbol = str(*t, "cudzia_menaZobr");
    defaults.foreignIso = str(*t, "cudzia_menaIso");
    int days = services::ParseNumberCeil(services::ReadSetting(QStringLiteral("Faktura"), QStringLiteral("Splatnost"),
                                                                QStringLiteral("10")));
    if (!str(*t, "dni_splatnosti").isEmpty())
        days = int(ReadFieldInt(*t, QStringLiteral("dni_splatnosti"), days));
    defaults.dueDate = context.issueDate.addDays(days);
    defaults.language = str(*t, "jazyk");
    if (defaults.language.isEmpty())
        defaults.language = services::ReadSetting(QStringLiteral("Faktura"), QStringLiteral("DefJazyk"),
                                                  QStringLiteral("SK - Slovenčina"));
    if (!str(*t, "predvoleny_vs").isEmpty())
        defaults.variableSymbol = str(*t, "predvoleny_vs");
    applyDualHomeBilling(defaults, context.homeIso);
    return defaults;
}

std::optional<AdvanceBillCurrency> ApplyAdvanceBillCurrency(const QString &advanceBillId)
{
    const auto t = rules::rowById("faktury", advanceBillId);
    if (!t)
        return std::nullopt;
    AdvanceBillCurrency currency;
    currency.customerKey = GetCustomerKeyById(str(*t, "id_odberatel"));
    currency.inForeignCurrency = set(*t, "fakturovat_vcudzejmene");
    currency.inTwoCurrencies = set(*t, "fakturovat_vdvochmenach");
    currency.foreignIsMain = set(*t, "jehlavna_cudziamena");
    currency.foreignSymbol = str(*t, "cudzia_menaZobr");
    currency.foreignIso = str(*t, "cudzia_menaIso");
    currency.rate = services::FormatNumberDecimals(8, storedNumber(*t, "kurz"));
    currency.homeRate = services::FormatNumberDecimals(4, storedNumber(*t, "kurz_domaca"));
    currency.foreignRate = services::FormatNumberDecimals(4, storedNumber(*t, "kurz_cudzia"));
    return currency;
}

void FillSupplierAddressLines(QStringList &lines, const QString &userId)
{
    if (SqlId(userId) == QLatin1String("NULL"))
        return;
    const auto t = rules::connection().GetTable(
        QStringLiteral("SELECT * FROM uzivatelia INNER JOIN firma ON (uzivatelia.id_firma = firma.id) WHERE (uzivatelia.id = ")
        + SqlId(userId) + QStringLiteral(")"));
    if (!t->MoveFirst())
        return;
    lines = addressBlock(*t);
    lines << services::MessageText(179) + QStringLiteral(": ") + str(*t, "telefon")
          << QStringLiteral("FAX: ") + str(*t, "fax") << QStringLiteral("e-mail: ") + str(*t, "email");
}

QString DefaultAccountName(const QString &userName, const QString &customerName)
{
    return defaultName(userName, customerName, "id_hlavnyucet", &GetAccountName);
}

QString DefaultNoteName(const QString &userName, const QString &customerName)
{
    return defaultName(userName, customerName, "id_hlavnapoznamka", &GetNoteName);
}

} // namespace bralvo::db
