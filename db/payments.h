// Payments (uhrady) of a bill: the payments window's save and load.
// Payments are never replaced; each save inserts one.
#pragma once

#include "db/formfocus.h"

#include <QDate>
#include <QString>
#include <optional>

namespace bralvo::db {

struct PaymentFormValues {
    QDate date;              // eDatum
    bool bankTransfer = false;  // rbBankovyPrevod
    bool cash = false;          // rbHotovost
    QString homeAmount;      // eSumaDomaca
    QString foreignAmount;   // eSumaZahranicna
    QString rate;            // eKurz
    QString internalNote;    // mInternaPoznamka
    bool paidBox = false;    // chbFakturaJeUhradena
};

// Inserts a payment of the bill billId (PaymentBillId). An amount of 0
// with the paid box as stored is refused with UI text 221 (focus
// eSumaDomaca, false); an amount of 0 with a changed paid box inserts
// nothing and gives true (the window stores the flag). Throws
// ESQLiteException (nothing written), and bralvo::Error for a malformed
// amount.
bool SavePayment(const QString &billId, const PaymentFormValues &form, FormFocus &focus);

// The payment with that id, amounts formatted as money (0 when
// unreadable) and the rate with 8 decimals (1 when unreadable); nullopt
// for an empty id or no row.
std::optional<PaymentFormValues> LoadPaymentForm(const QString &paymentId);

} // namespace bralvo::db
