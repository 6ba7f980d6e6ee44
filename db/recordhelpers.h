// Small pieces shared by the record routines (customers, items,
// categories, users, accounts, notes, payments). Internal to the
// database layer.
#pragma once

#include "db/formfocus.h"

#include <QString>

namespace bralvo::db::records {

// The warning box (flags 48) of UI text textNumber, "%s" replaced by the
// argument; then the focus to the control when one is named.
void warn(FormFocus &focus, int textNumber, const QString &control = QString(),
          const QString &argument = QString());
// The Yes/No question (flags 36) of UI text textNumber; true for Yes.
bool confirm(int textNumber);

// Value lines of an INSERT: "'<escaped>',", "1,"/"0,", "<number>,".
QString text(const QString &value);
QString flag(bool on);
QString number(const QString &typed);
// "<id>," with "" and "NULL" as NULL.
QString id(const QString &idText);

// "1" reads as checked; anything else as unchecked.
bool isSet(const QString &flagText);

} // namespace bralvo::db::records
