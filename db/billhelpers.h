// Small queries of bill editing: names by id, whether a user's company
// pays VAT, the sum due on the deducted advance bills, and whether the
// bill being edited shows VAT. Ids are decimal text; none of the name
// queries looks at existuje, so a retired record still yields its name.
// Errors of the database throw ESQLiteException.
#pragma once

#include <QString>
#include <QStringList>

namespace bralvo::db {

// The name (nazov) of the record with that id; "" for an empty id or none.
QString GetAccountName(const QString &accountId);
QString GetNoteName(const QString &noteId);
QString GetItemName(const QString &itemId);
QString GetCategoryName(const QString &categoryId);

// Whether the company (firma) of the user with that id has platcadph = 1,
// whatever the state of the user or company row; false for an empty id,
// an unknown user or a user without company.
bool IsUserCompanyVatPayer(const QString &userId);

// The sum of suma_kuhrade of the advance bills named by the entries (keys
// as the bill editor lists them: cislo + " - " + suma_kuhrade + " " +
// hlavna_mena) among the live advance bills of that issue year, each in
// its own currency, unconverted. An entry naming no such bill adds
// nothing; an empty list gives 0.
double SumAdvanceBillsDue(const QString &year, const QStringList &advanceEntries);

// What the bill editor does when the VAT mode changes: rebuild the bill
// lines grid's columns for the new BillShowsVat. The editor implements it.
class BillLinesGridSetup {
public:
    virtual ~BillLinesGridSetup() = default;
    virtual void SetupBillLinesGrid() = 0;
};

// Sets BillShowsVat for the issuer: userId, else LoadedUserId, else
// CurrentUserId(). It shows VAT when that user's company pays VAT and the
// bill is not an advance bill (BillIsAdvance); then the grid is rebuilt.
// When no issuer is known at all, nothing changes and the grid is left
// alone. The customer id does not affect the result.
void UpdateBillVatMode(const QString &userId, const QString &customerId, BillLinesGridSetup &grid);

} // namespace bralvo::db
