// A long random walk through the bill windows: stored bills opened in any
// order, new bills and advance bills made, advance bills taken over,
// lines added, edited and deleted, the picker and the one-off window
// discarded, bills closed or saved. Every opening must show exactly what
// a fresh editor shows for that bill alone (grid, summary, printed
// values), and saving a bill unchanged (or after typing only an internal
// note) must leave the bill tables of the database file as they were, ids
// and that note aside.
#include "tests/app/billfilerows.h"
#include "tests/app/billsfixture.h"

#include "db/billstate.h"
#include "db/database.h"
#include "platform/messageboxseam.h"
#include "platform/variant.h"

#include <QRegularExpression>
#include <QTest>
#include <random>

namespace bralvo::test {
namespace {

constexpr unsigned kSeed = 20260311;
constexpr int kSteps = 300;

const QString kCustomer = "O'Neil s.r.o. - 12345678";
const char *const kCatalogue[] = {"Stôl", "Dlažba", "Skrutka", "Rúra"};
const char *const kOneOffNames[] = {"Práca", "Doprava", "Montáž"};
const char *const kVatRates[] = {"19", "10", "20", "0"};
const char *const kQuantities[] = {"1", "2", "3,5", "1,125", "10", "0,333"};
const char *const kDiscounts[] = {"0", "0", "5", "12,5"};
const char *const kPrices[] = {"100", "12,34", "0,99", "1 250", "33,333"};

// What a printed bill answers for its lines and totals.
class CapturingPrinter : public app::BillPrinter {
public:
    explicit CapturingPrinter(QStringList &values) : m_values(values) {}
    void printBill(const app::BillPrintout &bill) override
    {
        m_values.clear();
        static const char *const kLineNames[] = {"s_pc", "s_kod", "s_nazov", "s_mnozstvo", "s_zlava",
                                                 "s_cenazajedn", "s_dph", "s_cenacelkom"};
        static const char *const kTotalNames[] = {"suma1_left", "suma2_right", "suma_celkom", "suma_kuhrade",
                                                  "kurz", "udb_kurz", "suma_kuhrade2"};
        for (int rec = 0; rec < bill.lineCount; ++rec)
            for (const char *name : kLineNames)
                m_values << answer(bill, rec, name);
        for (const char *name : kTotalNames)
            m_values << answer(bill, 0, name);
    }
    void printBillList(const app::BillListPrintout &) override {}

private:
    static QString answer(const app::BillPrintout &bill, int rec, const char *name)
    {
        platform::Variant value;
        const bool answered = app::BillPrintValue(bill.data, rec, QString::fromLatin1(name), value);
        return QString::fromLatin1(name) + "=" + (answered ? value.toString() : QStringLiteral("?"));
    }
    QStringList &m_values;
};

struct BillRef {
    QString number;
    bool advance = false;
};

class BillLinesProperty : public BillsFixture {
protected:
    void SetUp() override
    {
        BillsFixture::SetUp();
        sql(QString::fromUtf8("INSERT INTO polozky (kod, nazov, merna_jednotka, dph, cena, za_mj, existuje) VALUES "
                              "('D1', 'Dlažba', 'm2', 10, 12.5, 1, 1), ('S2', 'Skrutka', 'ks', 20, 250, 100, 1), "
                              "('R1', 'Rúra', 'm', 0, 42.5, 1, 1)"));
        app::setBillPrinter(std::make_unique<CapturingPrinter>(m_printed));
    }

    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }
    bool chance(int percent) { return pick(100) < percent; }
    template <typename T, std::size_t N>
    QString any(T (&items)[N]) { return QString::fromUtf8(items[pick(int(N))]); }

    void note(const QString &action) { m_trace << QString::number(m_step) + ": " + action; }
    // The first failure, with the step, the seed and the last actions.
    void fail(const QString &what)
    {
        if (m_failure.isEmpty())
            m_failure = "step " + QString::number(m_step) + " (seed " + QString::number(kSeed) + "): " + what
                + "\n--- last actions\n" + m_trace.mid(m_trace.size() - 12).join('\n');
    }

    // The grid's texts and the summary labels.
    static QString screenOf(app::TfFaktura &bill)
    {
        QStringList rows;
        for (int row = 0; row < bill.sgPolozky->rowCount(); ++row) {
            QStringList cells;
            for (int col = 0; col < bill.sgPolozky->columnCount(); ++col)
                cells << bill.sgPolozky->cell(col, row);
            rows << cells.join('\t');
        }
        for (QLabel *label : {static_cast<QLabel *>(bill.lblSuma1Left), static_cast<QLabel *>(bill.lblSuma2Right),
                              bill.lblSumaCelkom, bill.lblSumaKUhrade, bill.lblSecondaryKUhrade})
            rows << label->text();
        return rows.join('\n');
    }
    // The screen and, for a stored bill, its printed values.
    QString viewOf(app::TfFaktura &bill, bool stored)
    {
        QString view = screenOf(bill);
        if (stored) {
            m_printed = QStringList{"not printed"};
            bill.bitPrintClick();
            view += "\n--- printed\n" + m_printed.join('\n');
        }
        return view;
    }
    // What a fresh editor shows for that bill alone (an empty ref: a new bill).
    QString freshView(const BillRef &ref, bool newAdvance)
    {
        auto fresh = std::make_unique<app::TfFaktura>(*m_main);
        fresh->setObjectName("fFakturaFresh");
        if (ref.number.isEmpty())
            fresh->PrepareNewBill(newAdvance, m_year);
        else if (!fresh->PrepareStoredBill(ref.number, m_year, ref.advance))
            return "missing " + ref.number;
        fresh->show();
        const QString view = viewOf(*fresh, !ref.number.isEmpty());
        fresh->reject();
        return view;
    }

    // The rows with every bill's internal note left out.
    static QStringList withoutNotes(QStringList rows)
    {
        static const QRegularExpression kNote("\\|interna_poznamka='[^']*'");
        for (QString &row : rows)
            if (row.startsWith("cislo="))
                row.remove(kNote);
        return rows;
    }

    std::vector<BillRef> storedBills() const
    {
        std::vector<BillRef> bills;
        const auto table = db::DbConnection->GetTable(
            "SELECT cislo, typ FROM faktury WHERE existuje = 1 AND strftime('%Y', datum_vystavenia) = '" + m_year
            + "' ORDER BY typ, cislo");
        for (table->MoveFirst(); !table->IsEof(); table->NextRow())
            bills.push_back({table->FieldAsString(0), table->FieldAsString(1) == "2"});
        return bills;
    }
    static bool deducted(const QString &number)
    {
        return value("SELECT COUNT(*) FROM sp_zalfaktury JOIN faktury ON faktury.id = sp_zalfaktury.id_zalfaktura "
                     "WHERE faktury.typ = 2 AND faktury.cislo = '" + number + "'") != "0";
    }
    app::TfZoznamFaktur &listShowing(bool advance)
    {
        app::TfZoznamFaktur &list = child<app::TfZoznamFaktur>(*m_main, "fZoznamFaktur");
        QRadioButton *wanted = advance ? list.rbZoznamZalohovychFaktur : list.rbZoznamFaktur;
        if (!wanted->isChecked())
            wanted->click();
        list.bitClearZoznamClick();
        return list;
    }

    // --- the edits, each one step

    void addCatalogueLine(app::TfFaktura &bill)
    {
        const QString name = any(kCatalogue), quantity = any(kQuantities), discount = any(kDiscounts);
        const bool addVat = chance(50);
        note("catalogue line " + name + " x " + quantity + " -" + discount + "%");
        onModal("fVyber", [&](QWidget &) {
            app::TfVyber &p = picker();
            p.cbPolozka->setCurrentIndex(p.cbPolozka->findText(name));
            p.cbPolozkaClick();
            p.ePocet->setText(quantity);
            p.eZlava->setText(discount);
            p.chbAddDphToZalFakt->setChecked(addVat);
            p.bitAddItemClick();
        });
        bill.bitAddItemClick();
    }
    void addOneOffLine(app::TfFaktura &bill)
    {
        const QString name = any(kOneOffNames), vat = any(kVatRates), price = any(kPrices),
                      quantity = any(kQuantities), discount = any(kDiscounts);
        note("one-off line " + name + " " + price + " at " + vat + "% x " + quantity);
        onModal("fSimplePolozka", [&](QWidget &) {
            app::TfSimplePolozka &s = simpleLine();
            s.eNazov->setText(name);
            s.eDPH->setText(vat);
            s.eCena->setText(price);
            s.ePocet->setText(quantity);
            s.eZlava->setText(discount);
            s.bitAddItemClick();
        });
        bill.bitAddSimpleItemClick();
    }
    // Rows of lines whose item is still in the catalogue.
    static std::vector<int> catalogueRows(app::TfFaktura &bill)
    {
        std::vector<int> rows;
        for (int row = 1; row < bill.sgPolozky->rowCount() - 1; ++row)
            for (const char *name : kCatalogue)
                if (bill.sgPolozky->cell(1, row) == QString::fromUtf8(name))
                    rows.push_back(row);
        return rows;
    }
    void editLine(app::TfFaktura &bill)
    {
        const std::vector<int> rows = catalogueRows(bill);
        if (rows.empty())
            return addCatalogueLine(bill);
        const int row = rows[pick(int(rows.size()))];
        const QString quantity = chance(50) ? any(kQuantities) : QString();
        const bool discarded = chance(25);
        note("edit line " + QString::number(row) + " quantity " + quantity + (discarded ? " discarded" : ""));
        bill.sgPolozky->setCurrentRowIndex(row);
        onModal("fVyber", [&](QWidget &) {
            if (!quantity.isEmpty())
                picker().ePocet->setText(quantity);
            discarded ? picker().reject() : picker().bitAddItemClick();
        });
        const QString before = screenOf(bill);
        bill.sgPolozkyDblClick();
        if (discarded)
            expectUnchanged(bill, before);
    }
    void deleteLine(app::TfFaktura &bill)
    {
        const int lines = bill.sgPolozky->rowCount() - 2;
        if (lines < 1)
            return addOneOffLine(bill);
        const int row = 1 + pick(lines);
        note("delete line " + QString::number(row));
        bill.sgPolozky->setCurrentRowIndex(row);
        m_boxes.answerBox(platform::kIdYes);
        bill.bitDeleteItemClick();
    }
    void takeOverAdvanceBills(app::TfFaktura &bill)
    {
        const int count = 1 + pick(2);
        for (int i = 0; i < count; ++i) {
            const bool withLines = chance(70);
            const int choice = pick(4);
            note(QString("take over advance bill %1 %2").arg(choice).arg(withLines ? "with lines" : "alone"));
            onModal("fVyber", [&](QWidget &) {
                app::TfVyber &p = picker();
                if (p.lbZalohoveFaktury->count() == 0)
                    return p.reject();
                p.lbZalohoveFaktury->setCurrentRow(choice % p.lbZalohoveFaktury->count());
                p.chbAddItemsToBralvo->setChecked(withLines);
                p.bitAddZalFaktClick();
            });
            bill.bitPridatFakturuClick();
        }
    }
    void discardPicker(app::TfFaktura &bill)
    {
        const QString name = any(kCatalogue);
        note("picker discarded with " + name);
        onModal("fVyber", [&](QWidget &) {
            app::TfVyber &p = picker();
            p.cbPolozka->setCurrentIndex(p.cbPolozka->findText(name));
            p.cbPolozkaClick();
            p.ePocet->setText("99");
            p.reject();
        });
        const QString before = screenOf(bill);
        bill.bitAddItemClick();
        expectUnchanged(bill, before);
    }
    void discardOneOff(app::TfFaktura &bill)
    {
        note("one-off window discarded");
        onModal("fSimplePolozka", [&](QWidget &) {
            simpleLine().eNazov->setText("Zahodená");
            simpleLine().eCena->setText("777");
            simpleLine().reject();
        });
        const QString before = screenOf(bill);
        bill.bitAddSimpleItemClick();
        expectUnchanged(bill, before);
    }
    // A discarded window leaves the grid and the summary as they were.
    void expectUnchanged(app::TfFaktura &bill, const QString &before)
    {
        const QString after = screenOf(bill);
        if (after != before)
            fail("a discarded window changed the bill\n--- before\n" + before + "\n--- after\n" + after);
    }
        void randomEdit(app::TfFaktura &bill, bool advance)
    {
        switch (pick(advance ? 6 : 7)) {
        case 0: return addCatalogueLine(bill);
        case 1: return addOneOffLine(bill);
        case 2: return editLine(bill);
        case 3: return deleteLine(bill);
        case 4: return discardPicker(bill);
        case 5: return discardOneOff(bill);
        default: return takeOverAdvanceBills(bill);
        }
    }

    // Saves when the bill can be saved, else closes it without saving.
    void saveOrClose(app::TfFaktura &bill, bool advance)
    {
        const bool savable = bill.sgPolozky->rowCount() > 2 && bill.cbOdberatel->currentIndex() >= 0
            && !(advance && !db::BillIsNew && deducted(bill.eCisloFaktury->text()));
        if (savable && chance(60)) {
            note("save");
            if (!bill.bitSaveClick(true))
                fail("save refused");
            return;
        }
        note("close");
        if (bill.isModified())
            m_boxes.answerBox(platform::kIdYes);
        bill.reject();
    }

    // Opens a stored bill from the list and works on it.
    void stepStoredBill(const BillRef &ref)
    {
        note("open " + ref.number + (ref.advance ? " (advance)" : ""));
        const QString expected = freshView(ref, false);
        app::TfZoznamFaktur &list = listShowing(ref.advance);
        list.sgFaktury->setCurrentRowIndex(rowOf(list, ref.number));
        // Saved unchanged, or after typing only an internal note.
        const bool unchangedSave = !(ref.advance && deducted(ref.number)) && chance(35);
        const QString typedNote = unchangedSave && chance(40) ? "poznámka " + QString::number(m_step) : QString();
        const QStringList before = withoutNotes(BillRowsOfFile(db::DbFilePath));
        onModal("fFaktura", [&](QWidget &) {
            app::TfFaktura &bill = editor();
            const QString shown = viewOf(bill, true);
            if (shown != expected) {
                fail("opening " + ref.number + " differs from a fresh editor\n--- shown\n" + shown + "\n--- fresh\n"
                     + expected);
                return bill.reject();
            }
            if (unchangedSave) {
                note("save unchanged" + (typedNote.isEmpty() ? QString() : " but for the note"));
                if (!typedNote.isEmpty())
                    bill.eInternaPoznamka->setText(typedNote);
                if (!bill.bitSaveClick(true))
                    fail("unchanged save refused");
                return;
            }
            work(bill, ref.advance);
        });
        list.sgFakturyDblClick();
        if (unchangedSave) {
            const QStringList after = withoutNotes(BillRowsOfFile(db::DbFilePath));
            if (after != before)
                fail("saving " + ref.number + " unchanged changed the file\n--- before\n" + before.join('\n')
                     + "\n--- after\n" + after.join('\n'));
        }
        ++m_step;
    }
    // Opens a new bill from the list and works on it; a starting bill
    // gets a few lines and is saved.
    void stepNewBill(bool advance, bool starting = false)
    {
        note(advance ? "new advance bill" : "new bill");
        const QString expected = freshView({}, advance);
        app::TfZoznamFaktur &list = listShowing(advance);
        onModal("fFaktura", [&](QWidget &) {
            app::TfFaktura &bill = editor();
            const QString shown = screenOf(bill);
            if (shown != expected) {
                fail("a new bill differs from a fresh editor's\n--- shown\n" + shown + "\n--- fresh\n" + expected);
                return bill.reject();
            }
            bill.cbOdberatel->setCurrentIndex(bill.cbOdberatel->findText(kCustomer));
            bill.cbOdberatelClick();
            if (!starting)
                return work(bill, advance);
            for (int lines = 1 + pick(3); lines > 0; --lines)
                chance(50) ? addCatalogueLine(bill) : addOneOffLine(bill);
            note("save");
            if (!bill.bitSaveClick(true))
                fail("save refused");
        });
        list.bitPridatFakturuClick();
        ++m_step;
    }
    void work(app::TfFaktura &bill, bool advance)
    {
        for (int edits = pick(5); edits > 0 && m_step < kSteps; --edits, ++m_step)
            randomEdit(bill, advance);
        saveOrClose(bill, advance);
    }

    std::mt19937 m_random{kSeed};
    QStringList m_printed, m_trace;
    QString m_failure;
    int m_step = 0;
};

TEST_F(BillLinesProperty, EveryOpeningShowsItsOwnBillAndAnUnchangedSaveKeepsTheRows)
{
    openList();
    // Stored bills to start from: advance bills first, then bills.
    for (bool advance : {true, true, true, false, false, false}) {
        stepNewBill(advance, true);
        ASSERT_TRUE(m_failure.isEmpty()) << m_failure.toStdString();
    }
    sql("INSERT INTO uhrady (datum, bankovy_prevod, hotovost, suma_domaca, suma_zahranicna, kurz, interna_poznamka, "
        "id_faktura) SELECT '" + m_year + "-04-01', 1, 0, 20, 0, 1, 'záloha', MIN(id) FROM faktury WHERE typ = 1");
    while (m_step < kSteps && m_failure.isEmpty()) {
        const std::vector<BillRef> bills = storedBills();
        if (bills.empty() || chance(25))
            stepNewBill(chance(30));
        else
            stepStoredBill(bills[pick(int(bills.size()))]);
    }
    EXPECT_TRUE(m_failure.isEmpty()) << m_failure.toStdString();
    EXPECT_GE(m_step, kSteps);
}

} // namespace
} // namespace bralvo::test
