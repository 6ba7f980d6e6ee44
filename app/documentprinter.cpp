#include "app/documentprinter.h"

#include "app/appstate.h"
#include "app/billreports.h"
#include "app/listreportvalues.h"
#include "app/reportlayouts.h"
#include "app/tffaktura.h"
#include "db/billstate.h"
#include "platform/widgets/stringgrid.h"
#include "report/model/trpdataset.h"
#include "report/model/trpreport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace bralvo::app {

BillPrintData CollectBillPrintData(const TfFaktura &editor)
{
    BillPrintData d;
    d.advance = db::BillIsAdvance;
    d.showsVat = db::BillShowsVat;
    d.language = editor.cbJazyk->currentIndex() >= 0 ? editor.cbJazyk->currentText() : QString();
    d.lineCell = [grid = editor.sgPolozky](int column, int row) { return grid->cell(column, row); };
    d.suma1Left = editor.lblSuma1Left->text();
    d.suma2Right = editor.lblSuma2Right->text();
    d.sumaCelkom = editor.lblSumaCelkom->text();
    d.sumaKUhrade = editor.lblSumaKUhrade->text();
    d.secondaryKUhrade = editor.lblSecondaryKUhrade->text();
    d.foreignIso = editor.cbCudziaMenaIso->currentText();
    d.rate = editor.eKurz->text();
    d.inForeignCurrency = editor.chbFakturovatVCudzejMene->isChecked();
    d.inTwoCurrencies = editor.chbFakturovatVDvochMenach->isChecked();
    d.homeIso = HomeCurrencyIso;
    return d;
}

DocumentPrinter::DocumentPrinter(QWidget &mainWindow) : m_main(mainWindow) {}

DocumentPrinter::~DocumentPrinter() = default;

BillReports &DocumentPrinter::billReports()
{
    if (!m_bill)
        m_bill = std::make_unique<BillReports>();
    return *m_bill;
}

report::TrpReport &DocumentPrinter::billListReport()
{
    if (!m_list) {
        m_listRows = std::make_unique<report::TrpUserDataSet>(nullptr);
        m_listRows->SetUserName(QStringLiteral("rpUDTzoznamf"));
        m_list = std::make_unique<report::TrpReport>();
        LoadReportLayout(*m_list, QStringLiteral("bill_list.rpx"), m_listRows.get());
    }
    return *m_list;
}

void DocumentPrinter::printBill(const QString &billId)
{
    // The editor declares no meta-object of its own: found by name.
    const auto *editor = dynamic_cast<const TfFaktura *>(m_main.findChild<QWidget *>(QStringLiteral("fFaktura")));
    if (!editor)
        return;
    billReports().print(billId, CollectBillPrintData(*editor), editor->sgPolozky->rowCount() - 2);
}

void DocumentPrinter::printBillList(const BillListPrintout &list)
{
    report::TrpReport &report = billListReport();
    m_listRows->SetRangeEnd(report::reCount);
    m_listRows->SetRangeEndCount(std::max(0, list.recordCount));
    report.OnGetValue = [this, &list](const QString &name, platform::Variant &value) {
        // Only the layout's own names; anything else stays for the report.
        ListReportData probe;
        probe.company = QHash<QString, QString>();
        platform::Variant unused;
        if (list.value && BillListReportValue(probe, 0, name, unused))
            value = platform::Variant(list.value(name, m_listRows->RecNo()));
    };
    try {
        reportShower()(report);
    } catch (...) {
        report.OnGetValue = nullptr;
        throw;
    }
    report.OnGetValue = nullptr;
}

} // namespace bralvo::app
