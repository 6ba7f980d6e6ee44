// The rights rule: seven checks of what a user (by display name) may do,
// and the two writers of a user's rights. Rights are never cached: each
// check reads the database when asked, so a change counts at once.
//
// The rule, applied in this order:
//  1. database closed: granted;
//  2. no live user of that name: CanChangeItems, CanChangeUsers and
//     CanChangeSettings grant, the other four refuse;
//  3. the user's right column is 1: granted;
//  4. otherwise granted only while fewer than two live users exist (a lone
//     user may do everything).
// CanChangeSettings also grants when its user query fails; every other
// failure throws ESQLiteException.
#pragma once

#include <QString>

namespace bralvo::db {

bool CanChangeItems(const QString &userName);     // pravo_menitpolozky
bool CanChangeUsers(const QString &userName);     // pravo_menituzivatela
bool CanDeleteUsers(const QString &userName);     // pravo_mazatuzivatela
bool CanChangeBills(const QString &userName);     // pravo_menitfaktury
bool CanDeleteBills(const QString &userName);     // pravo_mazatfaktury
bool CanChangeSettings(const QString &userName);  // pravo_menitnastavenia
bool CanAssignRights(const QString &userName);    // pravo_menitprava

// The seven rights as the users window's check boxes show them.
struct UserRights {
    bool changeItems = false;     // chbPravoMenitPolozky
    bool changeUsers = false;     // chbPravoMenitUzivatelov
    bool deleteUsers = false;     // chbPravoMazatUzivatelov
    bool changeBills = false;     // chbPravoMenitFaktury
    bool deleteBills = false;     // chbPravoMazatFaktury
    bool changeSettings = false;  // chbPravoMenitNastavenia
    bool assignRights = false;    // chbPravoPridelovatPrava
};

// Writes the seven rights of the live user of that name. False (nothing
// written) when no live user has the name. One transaction: on an error
// nothing is written and ESQLiteException propagates.
bool SaveUserRights(const QString &userName, const UserRights &rights);

// Makes the live user of that name the only live administrator, with all
// seven rights; retired users keep their flag. False (nothing written)
// when no live user has the name. One transaction: on an error nothing is
// written, no transaction stays open, and ESQLiteException propagates.
bool MakeAdmin(const QString &userName);

} // namespace bralvo::db
