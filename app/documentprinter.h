// The bill windows' printer: the printed bill from the bill editor's
// state and the bill list report from the list's values, through the
// program's layouts.
#pragma once

#include "app/billprinting.h"

#include <memory>

class QWidget;

namespace bralvo::report {
class TrpReport;
class TrpUserDataSet;
}

namespace bralvo::app {

class BillReports;
class TfFaktura;
struct BillPrintData;

// The editor's state as the bill layouts read it.
BillPrintData CollectBillPrintData(const TfFaktura &editor);

class DocumentPrinter : public BillPrinter {
public:
    // The editor is found among mainWindow's children when a bill prints.
    explicit DocumentPrinter(QWidget &mainWindow);
    ~DocumentPrinter() override;

    void printBill(const QString &billId) override;
    // The list's values answer the names of the bill list layout (a null
    // text prints empty); the records are the listed bills.
    void printBillList(const BillListPrintout &list) override;

    BillReports &billReports();
    report::TrpReport &billListReport();

private:
    QWidget &m_main;
    std::unique_ptr<BillReports> m_bill;
    std::unique_ptr<report::TrpUserDataSet> m_listRows;
    std::unique_ptr<report::TrpReport> m_list;
};

} // namespace bralvo::app
