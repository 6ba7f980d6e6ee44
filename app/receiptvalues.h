// What a cash receipt shows: the receipt query of a bill and the answer
// to every bracketed name of the two receipt layouts.
#pragma once

#include "platform/variant.h"

#include <QDate>
#include <QHash>
#include <QString>

namespace bralvo::app {

// The bill's variable symbol, the issuing user's firm and the customer,
// for the bill with that id (quotes doubled). The text ends ") ".
QString ReceiptQuery(const QString &billId);

// An amount in Slovak words; a fractional part follows as " NN/100"
// (hundredths rounded, halves to even). "1 234,25" gives
// "jedentisícdvestotridsaťštyri 25/100", "0,50" gives " 50/100".
QString AmountInWordsWithHundredths(double amount);

// The payments window's state at print time.
struct ReceiptData {
    QDate date;                 // eDatum
    QString homeAmount;         // eSumaDomaca
    QString homeSymbol;         // HomeCurrencySymbol
    QString foreignIso;         // PaymentBillForeignIso
    QString homeIso;            // PaymentBillHomeIso
    bool automatic = true;      // [Faktura] PrijmovyAT
    QString number, purpose;    // ReceiptNumber, ReceiptPurpose
    QHash<QString, QString> row;  // the receipt query's row
};

// Answers name for the receipt layouts (exact letter case): sets value
// and gives true, or leaves it untouched and gives false. The converted
// amount, the rate and its caption are empty unless the bill's foreign
// currency is the configured second currency with a rate above 0.
bool ReceiptValue(const ReceiptData &data, const QString &name, platform::Variant &value);

} // namespace bralvo::app
