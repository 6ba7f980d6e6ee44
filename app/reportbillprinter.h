// The bill printer over the report layouts: the printed bill (page or
// dot-matrix layout, BillReports) and the bill list report, each loaded
// on first use and shown through reportShower(). It also holds the bill
// list's PDF filter (rpPDFExport1, pages uncompressed), made with the
// printer, so the previews of the bill and the list offer PDF export.
#pragma once

#include "app/billprinting.h"

#include <memory>

namespace bralvo::report {
class TrpPDFExport;
class TrpReport;
class TrpUserDataSet;
}

namespace bralvo::app {

class BillReports;

class ReportBillPrinter : public BillPrinter {
public:
    ReportBillPrinter();
    ~ReportBillPrinter() override;
    void printBill(const BillPrintout &bill) override;
    void printBillList(const BillListPrintout &list) override;

    report::TrpPDFExport &pdfExport() const { return *m_pdfExport; }

private:
    std::unique_ptr<report::TrpPDFExport> m_pdfExport;
    std::unique_ptr<BillReports> m_bill;
    std::unique_ptr<report::TrpUserDataSet> m_rows;
    std::unique_ptr<report::TrpReport> m_list;
    ListReportData m_listData;
};

} // namespace bralvo::app
