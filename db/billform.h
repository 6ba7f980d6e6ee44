// What bill saving reads from the bill editor and how it answers: a plain
// record of the editor's values, and the few actions a refused check needs
// from the window. The bill editor fills the record and implements the
// interface; tests use plain values and a recorder.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace bralvo::platform { class StringGrid; }

namespace bralvo::db {

// One line of the bill lines grid (columns 2, 3, 4, 8 and the last one).
struct BillLine {
    QString quantity;   // as typed or formatted ("2", "1 000,50")
    QString discount;   // percent
    QString unitPrice;
    bool addsVat = false;  // hidden column "add_dph" holds "1"
    QString itemId;        // "" or "NULL" stores no item
};

// The grid's line rows (1 to RowCount-2) as records.
std::vector<BillLine> BillLinesFromGrid(const platform::StringGrid &grid);

// The editor's values as SaveBill reads them. Selections are the selected
// entry's text, "" for none.
struct BillFormValues {
    QString number;            // eCisloFaktury
    QString orderNumber;       // eCisloObjednavky
    QString variableSymbol;    // eVS
    QString constantSymbol;    // cbKS text
    QString specificSymbol;    // eSS
    QString paymentForm;       // cbFormaUhrady text
    QString authorization;     // eOpravnenie
    QDate issueDate;           // eDatumVystavenia
    QDate dueDate;             // eDatumSplatnosti
    QString deliveryDate;      // eDatumDodania, masked "dd.mm.yyyy" text
    QString paymentDate;       // eDatumPlatby, masked text
    QString accountName;       // cbUcet selection
    QString noteName;          // cbPoznamka selection
    QString customerKey;       // cbOdberatel selection (nazov - ico)
    QString language;          // cbJazyk selection
    bool withoutVat = false;        // chbFakturovatBezDPH
    bool inForeignCurrency = false; // chbFakturovatVCudzejMene
    bool inTwoCurrencies = false;   // chbFakturovatVDvochMenach
    bool foreignIsMain = false;     // chbJeHlavnaCudziaMena
    QString foreignSymbol;     // cbCudziaMenaZobr text
    QString foreignIso;        // cbCudziaMenaIso text
    QString rate;              // eKurz
    QString homeRate;          // eKurzDomaca
    QString foreignRate;       // eKurzCudzia
    QString rounding;          // cbZaokruhlovanie text
    QString totalLabel;        // lblSumaCelkom caption
    QString dueLabel;          // lblSumaKUhrade caption
    QString sum1Left;          // lblSuma1Left caption
    QString sum2Right;         // lblSuma2Right caption
    QString internalNote;      // eInternaPoznamka
    std::vector<BillLine> lines;   // sgPolozky line rows
    QStringList advanceEntries;    // lbZalohoveFaktury entries
    QString homeCurrencySymbol;    // the program's HomeCurrencySymbol
    QString listYear;              // eRok of the bill list window
    // Id of the stored bill the editor loaded (StoredBill::id); "" for a
    // new bill. An edited bill replaces exactly that row, also when its
    // number or year was changed while editing.
    QString loadedBillId;
};

// The controls a refused check points the user at.
enum class BillField { Number, VariableSymbol, Customer, AddItem };

class BillSaveUi {
public:
    virtual ~BillSaveUi() = default;
    // Focus to the control. For the customer combo the window also drops
    // its list down and, when it has entries, selects the first.
    virtual void focusField(BillField field) = 0;
    // The number actually stored (automatic numbering may change it).
    virtual void showStoredNumber(const QString &number) = 0;
};

} // namespace bralvo::db
