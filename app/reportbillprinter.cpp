// Printing bills and the bill list through the report layouts.
#include "app/reportbillprinter.h"

#include "app/billreports.h"
#include "app/reportlayouts.h"
#include "report/export/trppdfexport.h"
#include "report/model/trpdataset.h"
#include "report/model/trpreport.h"

namespace bralvo::app {

ReportBillPrinter::ReportBillPrinter() : m_pdfExport(std::make_unique<report::TrpPDFExport>())
{
    m_pdfExport->setName(QStringLiteral("rpPDFExport1"));
    report::SetProgramPdfOptions(*m_pdfExport, true);
}

ReportBillPrinter::~ReportBillPrinter() = default;

void ReportBillPrinter::printBill(const BillPrintout &bill)
{
    if (!m_bill)
        m_bill = std::make_unique<BillReports>();
    m_bill->print(bill.billId, bill.data, bill.lineCount);
}

void ReportBillPrinter::printBillList(const BillListPrintout &list)
{
    if (!m_list) {
        m_rows = std::make_unique<report::TrpUserDataSet>(nullptr);
        m_rows->SetUserName(QStringLiteral("rpUDTzoznamf"));
        m_list = std::make_unique<report::TrpReport>();
        LoadReportLayout(*m_list, QStringLiteral("bill_list.rpx"), m_rows.get());
        m_list->OnGetValue = [this](const QString &name, platform::Variant &value) {
            BillListReportValue(m_listData, m_rows->RecNo(), name, value);
        };
    }
    m_rows->SetRangeEnd(report::reCount);
    m_rows->SetRangeEndCount(std::max(0, list.recordCount));
    m_listData = list.data;
    reportShower()(*m_list);
}

} // namespace bralvo::app
