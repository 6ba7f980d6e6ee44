// The issuing company (firma): the one-company rule and its replacement.
// The database is meant to hold exactly one live firma row; the program
// works with the first one. Errors of the database throw ESQLiteException.
#pragma once

#include <QString>

namespace bralvo::db {

// The company fields of the users and firm window.
struct CompanyValues {
    QString name;          // eNazov
    bool vatPayer = false; // chbPlatca
    QString ico;           // eICO
    QString dic;           // eDIC
    QString icdph;         // eICDPH
    QString street;        // eUlica
    QString zip;           // ePSC
    QString city;          // eMesto
    QString country;       // eStat
    QString logo;          // eLogo (picture file)
};

// Id of the first live firma row; "NULL" when there is none.
QString GetCompanyId();

// The error box of UI text 177 when more than one live firma row exists.
// Does nothing while the database is closed.
void WarnIfSeveralCompanies();

// Replaces the live company when its stored data differ from the values
// (no live company counts as different) and the current user may change
// settings, or at most one live user exists: the old row is retired when a
// bill was issued by one of its users, else deleted; a new row is
// inserted; then every live user is pointed at it, the users with bills
// being retired and re-inserted so their bills keep the old company. One
// transaction (a savepoint inside the caller's). True when replaced.
bool SaveCompany(const CompanyValues &company);

} // namespace bralvo::db
