// Users (uzivatelia) and the users and firm window's save and load. A user
// is addressed by display name (uzivatel); saving an existing name
// replaces the live row (retired when the user issued bills, else
// deleted). The first user, and a re-saved administrator, is stored as
// administrator with all rights; any other user without rights until they
// are saved separately (SaveUserRights).
#pragma once

#include "db/company.h"
#include "db/formfocus.h"
#include "db/rights.h"

#include <QString>
#include <optional>

namespace bralvo::db {

class TSQLiteTable;

// The fields of the users and firm window.
struct UserFormValues {
    CompanyValues company;
    QString name;            // eMeno (display name)
    QString phone;           // eMobil
    QString fax;             // eFax
    QString email;           // eMail
    QString login;           // eLogin
    QString password1;       // ePassword1
    QString password2;       // ePassword2
    QString signatureImage;  // ePodpisPeciatka
    QString signatureText;   // ePodpisText
    QString mainAccount;     // cbHlavnyUcet selection ("" none)
    QString mainNote;        // cbHlavnaPoznamka selection
    QString internalNote;    // mInternaPoznamka
};

// True when the user (and, if changed, the company) was stored. False
// after a refused check (warning of UI text 116, 107, 108, 109, 178, 110
// or 112, focus on the control) or a declined question (111, then 113):
// nothing is written then. The user, the company and the re-pointed users
// are one transaction. Afterwards the current user is set again (the
// saved login when there was no administrator before), and the
// several-companies warning runs. Throws ESQLiteException (nothing
// written, the current user unchanged).
bool SaveUser(const UserFormValues &form, FormFocus &focus);

// The window's contents for the live user of that name, joined with its
// company; passwords stay empty (saving with both password fields empty
// keeps the stored password); account and note by name.
struct UserFormContents {
    UserFormValues values;
    UserRights rights;
};
std::optional<UserFormContents> LoadUserForm(const QString &userName);

// The INSERT that re-creates the current row of a uzivatelia result as a
// live user of companyId ("NULL" or digits). Unreadable rights and admin
// flags become 0, empty account and note ids NULL.
QString CopyUserInsertSql(const TSQLiteTable &user, const QString &companyId);

} // namespace bralvo::db
