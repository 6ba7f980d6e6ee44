// Bank accounts (ucty) of the current account scope (accountscope.h):
// the accounts window's save and load. Saving an existing name of the
// scope replaces its live row (retired when a bill uses it, else deleted).
#pragma once

#include "db/formfocus.h"

#include <QString>
#include <optional>

namespace bralvo::db {

struct AccountFormValues {
    QString name;          // eNazov (internal name)
    QString bankName;      // eNazovBanky
    QString number;        // eCisloUctu
    QString iban;          // eIban
    QString swift;         // eSwift
    QString internalNote;  // mInternaPoznamka
};

// True when stored. False after a refused check (UI text 129 or 130,
// focus on the control) or a declined overwrite (131). One transaction;
// a new row takes AccountIsOwn() and AccountCustomerId(). Throws
// ESQLiteException (nothing written).
bool SaveAccount(const AccountFormValues &form, FormFocus &focus);
// The live account of that name within the scope.
std::optional<AccountFormValues> LoadAccountForm(const QString &name);

} // namespace bralvo::db
