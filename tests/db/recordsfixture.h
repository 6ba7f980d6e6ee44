// The fixture of the bill and record tests: the rules database (real
// schema and demo rows in a temporary data root) with fixed regional
// settings (decimal ",", thousands " "), a recorder of the windows' focus
// and save answers, and bills with money columns.
#pragma once

#include "tests/db/rulesfixture.h"

#include "db/billform.h"
#include "db/formfocus.h"
#include "platform/regionalsettings.h"

#include <QStringList>
#include <ostream>

// Case labels in failure messages.
inline std::ostream &operator<<(std::ostream &os, const QString &text)
{
    return os << text.toStdString();
}

namespace bralvo::test {

// Records which control got the focus and which number was shown.
class FocusRecorder : public db::FormFocus, public db::BillSaveUi {
public:
    void focusControl(const QString &controlName) override { controls << controlName; }
    void focusField(db::BillField field) override { fields.push_back(field); }
    void showStoredNumber(const QString &number) override { storedNumber = number; }

    QStringList controls;
    std::vector<db::BillField> fields;
    QString storedNumber;
};

class RecordsDatabase : public RulesDatabase {
protected:
    void SetUp() override
    {
        RulesDatabase::SetUp();
        // Tests write the settings they rely on; the rest stays default.
    }

public:
    // A bill with the money columns the payment and overview queries read.
    struct MoneyBill {
        int id;
        QString number;
        int type = 1;
        QString issued = "2009-03-05";
        QString dueDate = "2009-03-15";
        QString customerId = "NULL";
        QString userId = "NULL";
        double total = 0;       // suma_celkom
        double due = 0;         // suma_kuhrade
        double rate = 1;        // kurz
        int foreign = 0, twoCurrencies = 0, foreignMain = 0;
        int paid = 0;
        int live = 1;
        QString homeSymbol = "Sk";
        QString mainCurrency = "Sk";
    };
    void addMoneyBill(const MoneyBill &b)
    {
        exec(QString("INSERT INTO faktury (ID, cislo, vs, typ, datum_vystavenia, datum_splatnosti, id_odberatel, "
                     "id_uzivatel, suma_celkom, suma_kuhrade, kurz, fakturovat_vcudzejmene, fakturovat_vdvochmenach, "
                     "jehlavna_cudziamena, uhradena, existuje, domaca_menaZobr, hlavna_mena) VALUES (%1, %2, %2, %3, "
                     "%4, %5, %6, %7, %8, %9, %10, %11, %12, %13, %14, %15, %16, %17)")
                 .arg(b.id).arg(q(b.number)).arg(b.type).arg(q(b.issued), q(b.dueDate), b.customerId, b.userId)
                 .arg(b.total).arg(b.due).arg(b.rate).arg(b.foreign).arg(b.twoCurrencies).arg(b.foreignMain)
                 .arg(b.paid).arg(b.live).arg(q(b.homeSymbol), q(b.mainCurrency)));
    }
    void addPaymentOf(int id, int billId, double amount, const QString &date = "2009-03-20")
    {
        exec(QString("INSERT INTO uhrady (ID, id_faktura, suma_domaca, datum) VALUES (%1, %2, %3, %4)")
                 .arg(id).arg(billId).arg(amount).arg(q(date)));
    }
    void addLineOf(int billId, int itemId, double price, double quantity, double discount, int addsVat)
    {
        exec(QString("INSERT INTO sp_polozky (id_faktura, id_polozka, cena, pocet, zlava, zaratat_dph) "
                     "VALUES (%1, %2, %3, %4, %5, %6)")
                 .arg(billId).arg(itemId).arg(price).arg(quantity).arg(discount).arg(addsVat));
    }
    void setItemVat(int itemId, double vat)
    {
        exec(QString("UPDATE polozky SET dph = %1 WHERE id = %2").arg(vat).arg(itemId));
    }

private:
    platform::ScopedRegionalSettings m_regional{platform::RegionalSettings{}};
};

} // namespace bralvo::test
