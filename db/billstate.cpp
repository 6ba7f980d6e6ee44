// Storage of the bill editor's shared state.
#include "db/billstate.h"

namespace bralvo::db {

bool BillEditorOpen = false;
bool BillWindowVisible = false;
bool BillIsNew = false;
bool BillIsAdvance = false;
bool BillShowsVat = false;

QString LoadedCustomerKey;
QString LoadedCustomerId;
QString LoadedUserId;
QString LoadedNoteName;
QString LoadedNoteId;
QString LoadedAccountName;
QString LoadedAccountId;

} // namespace bralvo::db
