// Catalogue items (polozky): the items window's save and load and the
// item picker's line fields. Items are addressed by name; saving an
// existing name replaces the live row (retired when a bill line uses it,
// else deleted).
#pragma once

#include "db/formfocus.h"

#include <QString>
#include <optional>

namespace bralvo::db {

struct ItemFormValues {
    QString name;          // eNazov
    QString code;          // eKod
    QString category;      // cbKategoria selection ("" none)
    QString unit;          // eMernaJednotka
    QString vatRate;       // eDPH (percent)
    QString price;         // eCena (home currency)
    QString perUnit;       // eZaMJ
    QString internalNote;  // mInternaPoznamka
};

// True when stored. False after a refused check (UI text 154, focus
// eNazov) or a declined overwrite (155). With a category chosen, the
// retired rows of the same name take that category too. One transaction;
// throws ESQLiteException (nothing written) and bralvo::Error for a
// malformed number.
bool SaveItem(const ItemFormValues &form, FormFocus &focus);

// The live item of that name: VAT as "##0.##", price and per-unit as
// money, the category's name ("" when it has none or it is gone; the
// window then selects its first entry).
std::optional<ItemFormValues> LoadItemForm(const QString &name);

// How the bill being edited is billed, for the picker's price.
struct BillCurrencyMode {
    QString rate;                   // TfFaktura.eKurz
    bool inForeignCurrency = false; // chbFakturovatVCudzejMene
    bool inTwoCurrencies = false;   // chbFakturovatVDvochMenach
    bool foreignIsMain = false;     // chbJeHlavnaCudziaMena
};
// LoadItemForm's values with the price in the bill's foreign currency
// (price / rate) when the bill is billed in a foreign currency only, or
// in two with the foreign one as main, and the rate is not 0.
std::optional<ItemFormValues> LoadItemIntoSelection(const QString &name, const BillCurrencyMode &bill);

} // namespace bralvo::db
