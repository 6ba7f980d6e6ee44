// Storing the bill of the bill editor: one faktury row, its lines, its
// deducted advance bills, and for an edited bill the previous version's
// payments moved onto the new row.
//
// The whole save is one transaction: the removal of the previous version,
// the insert and every dependent row are kept together or not at all, so
// a refused number (automatic numbering off), a failing statement or a
// failing number increment leaves the stored bill as it was.
#pragma once

#include "db/billform.h"

#include <QString>

namespace bralvo::db {

// True when the bill was stored; its number then stands in the editor
// (BillSaveUi::showStoredNumber). False after a refused check, shown as a
// warning (UI texts 185, 217, 186, 187, 189, 208, 188) with the focus on
// the control concerned; nothing is written then. Reads BillIsNew,
// BillIsAdvance, the Loaded* references, CurrentUserName/Id and the
// settings [Faktura] FullAutoCislovanie, [Mena] DomacaMenaZobr/Iso.
// An edited bill (BillIsNew off) replaces the row form.loadedBillId names,
// or without it the live bill of the editor's number and issue year.
// Throws ESQLiteException on a database error, bralvo::Error when an
// advance bill entry names no live advance bill, and
// platform::ConversionError when automatic numbering meets a number whose
// digits exceed 64 bits; nothing is written in any of these cases.
bool SaveBill(const BillFormValues &form, BillSaveUi &ui);

// The inserts of the dependent rows, inside the caller's transaction
// (each is its own savepoint).
void SaveBillLines(const QString &billId, const std::vector<BillLine> &lines);
// Each entry is looked up among the advance bills of listYear, then of
// the bill's issue year (issueYear). Throws bralvo::Error naming the entry
// when neither has it.
void SaveBillAdvanceLinks(const QString &billId, const QStringList &entries, const QString &listYear,
                          const QString &issueYear);
void MoveBillPayments(const QString &oldBillId, const QString &newBillId);

} // namespace bralvo::db
