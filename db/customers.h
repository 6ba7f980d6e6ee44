// Customers (odberatelia): the customers window's save and load and the
// item picker's customer fields. A customer is addressed by name (nazov),
// in the picker by key (nazov + " - " + ico); saving an existing name
// replaces the live row (retired when a bill uses it, else deleted) and
// moves its bank accounts to the new row.
#pragma once

#include "db/formfocus.h"

#include <QString>
#include <optional>

namespace bralvo::db {

struct CustomerFormValues {
    QString name;              // eNazov
    QString street;            // eUlica
    QString zip;               // ePSC
    QString city;              // eMesto
    QString country;           // eStat
    bool vatPayer = false;     // chbPlatca
    bool foreign = false;      // chbZahranicny
    QString ico;               // eICO
    QString dic;               // eDIC
    QString icdph;             // eICDPH
    QString contact;           // eMeno
    QString phone;             // eMobil
    QString fax;               // eFax
    QString email;             // eMail
    QString mainAccount;       // cbHlavnyUcet selection ("" none)
    QString mainNote;          // cbHlavnaPoznamka selection
    bool withoutVat = false;        // chbFakturovatBezDPH
    bool inForeignCurrency = false; // chbFakturovatVCudzejMene
    bool inTwoCurrencies = false;   // chbFakturovatVDvochMenach
    bool foreignIsMain = false;     // chbJeHlavnaCudziaMena
    QString foreignSymbol;     // cbCudziaMenaZobr text
    QString foreignIso;        // cbCudziaMenaIso text
    QString language;          // cbJazyk selection
    QString dueDays;           // eDniSplatnosti ("" none)
    QString variableSymbol;    // eVS (predvoleny_vs)
    QString internalNote;      // mInternaPoznamka
};

// True when stored. False after a refused check (UI text 107, focus
// eNazov), due days that are no number from 0 to 9999 (UI text 314,
// focus eDniSplatnosti) or a declined overwrite (147). Due days are
// stored as a whole number (a typed "2,5" as 3); NULL when empty. One
// transaction; throws ESQLiteException (nothing written).
bool SaveCustomer(const CustomerFormValues &form, FormFocus &focus);

// The live customer of that name; account and note as names (by id,
// also when retired; "" when none).
std::optional<CustomerFormValues> LoadCustomerForm(const QString &name);

// The live customer with that key (nazov - ico); the picker uses the name,
// address, ids and contact fields.
std::optional<CustomerFormValues> LoadCustomerIntoSelection(const QString &customerKey);

} // namespace bralvo::db
