// Shared set-up for the bill windows' tests: the program started with one
// administrator of the VAT-paying firm, a customer, a catalogue item and
// helpers to open the bill list, reach the editor and its helper windows,
// drive modal windows by name and record what would be printed.
#pragma once

#include "app/billprinting.h"
#include "app/tffaktura.h"
#include "app/tfsimplepolozka.h"
#include "app/tfvyber.h"
#include "app/tfzoznamfaktur.h"
#include "services/dates.h"
#include "tests/app/recordsfixture.h"

#include "platform/widgets/stringgrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace bralvo::test {

// Runs action once on the next modal window with that object name.
inline void onModal(const QString &name, std::function<void(QWidget &)> action)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, name, action] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal->objectName() != name)
            return;
        timer->stop();
        timer->deleteLater();
        action(*modal);
    });
    timer->start();
}

// A printer that only records what it was asked to print.
class RecordingBillPrinter : public app::BillPrinter {
public:
    explicit RecordingBillPrinter(QStringList &log) : m_log(log) {}
    void printBill(const app::BillPrintout &bill) override
    {
        m_log << "bill " + bill.billId + " " + bill.data.sumaKUhrade + " " + QString::number(bill.lineCount);
    }
    void printBillList(const app::BillListPrintout &list) override
    {
        m_log << "list " + QString::number(list.recordCount) + " " + list.data.cell(0, 1);
    }

private:
    QStringList &m_log;
};

class BillsFixture : public RecordsFixture {
protected:
    void SetUp() override
    {
        RecordsFixture::SetUp();
        sql(QString::fromUtf8("INSERT INTO odberatelia (nazov, ico, ulica, mesto, platcadph, zahranicny, "
                              "fakturovat_bezdph, fakturovat_vcudzejmene, fakturovat_vdvochmenach, "
                              "jehlavna_cudziamena, existuje) VALUES ('O''Neil s.r.o.', '12345678', 'Hlavná 5', "
                              "'Košice', 1, 0, 0, 0, 0, 0, 1)"));
        sql(QString::fromUtf8("INSERT INTO polozky (kod, nazov, id_kategoria, merna_jednotka, dph, cena, za_mj, "
                              "interna_poznamka, existuje) VALUES ('K1', 'Stôl', NULL, 'ks', 19, 100, 1, '', 1)"));
        m_year = services::CurrentYearString();
    }
    void TearDown() override
    {
        app::setBillPrinter(nullptr);
        RecordsFixture::TearDown();
    }

    app::TfZoznamFaktur &openList()
    {
        m_main->menuSpravaFakturClick();
        return child<app::TfZoznamFaktur>(*m_main, "fZoznamFaktur");
    }
    app::TfFaktura &editor() { return child<app::TfFaktura>(*m_main, "fFaktura"); }
    app::TfVyber &picker() { return child<app::TfVyber>(*m_main, "fVyber"); }
    app::TfSimplePolozka &simpleLine() { return child<app::TfSimplePolozka>(*m_main, "fSimplePolozka"); }

    // A stored bill of this year: type 1 or 2, its amounts in Sk.
    void addBill(const QString &number, int type, double total, double due, int paid = 0,
                 const QString &date = QString())
    {
        const QString issued = date.isEmpty() ? m_year + "-03-10" : date;
        sql(QString("INSERT INTO faktury (cislo, vs, datum_vystavenia, datum_splatnosti, id_uzivatel, "
                    "id_odberatel, fakturovat_bezdph, fakturovat_vcudzejmene, fakturovat_vdvochmenach, "
                    "jehlavna_cudziamena, domaca_menaZobr, domaca_menaIso, hlavna_mena, kurz, kurz_domaca, "
                    "kurz_cudzia, zaokruhlovanie, suma_celkom, suma_kuhrade, suma1_left, suma2_right, "
                    "interna_poznamka, typ, uhradena, existuje) VALUES ('%1', '1', '%2', '%2', 1, 1, 0, 0, 0, 0, "
                    "'Sk', 'SKK', 'Sk', 1, 1, 1, 0.5, %3, %4, '', '', '', %5, %6, 1)")
                .arg(number, issued)
                .arg(total)
                .arg(due)
                .arg(type)
                .arg(paid));
    }
    // The list row whose number is that text; -1 when none.
    static int rowOf(app::TfZoznamFaktur &list, const QString &number)
    {
        for (int row = 1; row < list.sgFaktury->rowCount() - 1; ++row)
            if (list.sgFaktury->cell(0, row) == number)
                return row;
        return -1;
    }

    QString m_year;
};

} // namespace bralvo::test
