// Filling the bill editor from the database: a stored bill, the customer
// block and billing defaults of a chosen customer, the currency of a
// deducted advance bill, the issuer's address block, and the default
// account and note of a new bill. The routines return plain records; the
// bill editor writes them into its controls. Every value read falls back
// to its default when it cannot be read. Errors of the database throw
// ESQLiteException.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace bralvo::db {

// A stored bill as the editor shows it. The editor applies it in this
// order: the customer list and selection (running its customer click,
// whose defaults the later values overwrite), the texts, dates, issuer
// block, account and note lists with their selections, the VAT box (then
// UpdateBillVatMode(LoadedUserId, LoadedCustomerId)), the language, the
// currency boxes (foreignIsMainEnabled), the program's home currency and
// BillMainCurrency, the rates, the rounding item (its first item when
// none equals `rounding`), the totals, the advance bills, and finally
// SetupBillLinesGrid and FillBillLinesGrid(grid, "", id).
struct StoredBill {
    QString id;
    QStringList customerKeys;   // cbOdberatel items
    QString customerKey;        // the item to select (case-insensitive)
    QString number, orderNumber, variableSymbol, constantSymbol, specificSymbol, paymentForm, authorization;
    QDate issueDate, dueDate;   // eDatumVystavenia, eDatumSplatnosti
    QString deliveryDate;       // eDatumDodania text ("" when missing)
    QString paymentDate;        // eDatumPlatby text
    QStringList supplierLines;  // mVystavil
    QStringList accountNames;   // cbUcet items
    QString accountName;        // the item to select
    QStringList noteNames;      // cbPoznamka items
    QString noteName;
    bool withoutVat = false;
    QString language;           // cbJazyk item to select
    bool inForeignCurrency = false, inTwoCurrencies = false, foreignIsMain = false;
    bool foreignIsMainEnabled = false;  // only a bill in two currencies may choose
    QString homeCurrencySymbol, homeCurrencyIso;  // the program's HomeCurrency*
    QString foreignSymbol, foreignIso;
    QString mainCurrency;       // BillMainCurrency
    QString homeRate, foreignRate;  // 4 decimals
    QString rate;               // 8 decimals
    QString rounding;           // cbZaokruhlovanie item to select
    QString totalLabel, dueLabel, sum1Left, sum2Right, internalNote;
    QStringList advanceEntries; // lbZalohoveFaktury
};

// The live bill of that type, number and issue year; nullopt when there is
// none. Sets the Loaded* references and the own account scope first.
std::optional<StoredBill> LoadBillForm(const QString &number, const QString &year, bool isAdvance);

// What the editor knows when a customer is chosen.
struct BillCustomerContext {
    bool editorVisible = false;
    QString selectedKey;  // cbOdberatel selection
    QDate issueDate;      // eDatumVystavenia
    QString homeIso;      // the bill's home currency; empty: [Mena] DomacaMenaIso
};
// A customer's block and billing defaults for the editor. When the
// editor's foreign-is-main box is disabled the editor checks it. The
// variable symbol is set only when the customer has one. With
// dualHomeBilling the editor also takes the three rates.
struct CustomerBillDefaults {
    QStringList addressLines;   // mOdberatel
    bool withoutVat = false, inForeignCurrency = false, inTwoCurrencies = false, foreignIsMain = false;
    QString foreignSymbol, foreignIso;
    QDate dueDate;
    QString language;           // select the first cbJazyk item containing it
    std::optional<QString> variableSymbol;
    bool dualHomeBilling = false;
    QString rate, homeRate, foreignRate;
};
// nullopt when the customer is not found: the loaded customer of an
// edited bill by id (also when retired), any other by key among live rows.
std::optional<CustomerBillDefaults> ApplyCustomerToBill(const QString &customerKey, const BillCustomerContext &context);

// The currency settings of an advance bill taken over; the editor selects
// the customer (without its click) and recomputes its totals.
struct AdvanceBillCurrency {
    QString customerKey;
    bool inForeignCurrency = false, inTwoCurrencies = false, foreignIsMain = false;
    QString foreignSymbol, foreignIso;
    QString rate;                    // 8 decimals
    QString homeRate, foreignRate;   // 4 decimals
};
// nullopt for "", "NULL" or a missing row.
std::optional<AdvanceBillCurrency> ApplyAdvanceBillCurrency(const QString &advanceBillId);

// The issuing company's block with the user's phone, fax and e-mail; the
// list is left unchanged when the user or its company is missing.
void FillSupplierAddressLines(QStringList &lines, const QString &userId);

// The name of the customer's main account (live customer of that name),
// else the live user's main account; "" when neither has one. The editor
// selects the item equal to it without regard to case.
QString DefaultAccountName(const QString &userName, const QString &customerName);
// The same with the main notes.
QString DefaultNoteName(const QString &userName, const QString &customerName);

} // namespace bralvo::db
