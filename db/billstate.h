// The state of the bill being edited that the database routines read and
// write: whether the editor is open, whether its bill is new or an advance
// bill, whether it shows VAT, and the references of the stored bill it was
// loaded from. The bill list and the bill editor set these; the bill
// loader fills the Loaded* values. GUI thread only.
#pragma once

#include <QString>

namespace bralvo::db {

// Set by the bill list before the editor opens.
extern bool BillEditorOpen;
// Kept true by the bill editor window while it is shown.
extern bool BillWindowVisible;
// The bill being edited is being created (not loaded from a stored row).
extern bool BillIsNew;
// The bill being edited is an advance bill (typ 2).
extern bool BillIsAdvance;
// The bill being edited shows VAT; written only by UpdateBillVatMode.
extern bool BillShowsVat;

// References of the stored bill the editor loaded. They keep a customer,
// account or note that was retired since in the editor's lists; ids are
// decimal text, "" when none.
extern QString LoadedCustomerKey;
extern QString LoadedCustomerId;
extern QString LoadedUserId;
extern QString LoadedNoteName;
extern QString LoadedNoteId;
extern QString LoadedAccountName;
extern QString LoadedAccountId;

} // namespace bralvo::db
