// The one seam between the bill windows and the printed documents: the
// bill editor prints a stored bill (its id and the editor's state at print
// time), the bill list prints the listed bills (its filters and grid).
// The report-backed printer (reportbillprinter.h) is installed at
// start-up; without a printer the windows say that printing is not
// available.
#pragma once

#include "app/billprintvalues.h"
#include "app/listreportvalues.h"

#include <QString>
#include <memory>

namespace bralvo::app {

struct BillPrintout {
    QString billId;
    BillPrintData data;
    int lineCount = 0;  // the bill's line rows
};

struct BillListPrintout {
    int recordCount = 0;  // one per listed bill
    ListReportData data;
};

class BillPrinter {
public:
    virtual ~BillPrinter() = default;
    // Builds the printed bill and shows its preview; returns when the
    // preview has closed.
    virtual void printBill(const BillPrintout &bill) = 0;
    virtual void printBillList(const BillListPrintout &list) = 0;
};

// Installs the printer (replacing any earlier one); nullptr removes it.
void setBillPrinter(std::unique_ptr<BillPrinter> printer);
BillPrinter *billPrinter();

// Prints through the installed printer; without one, a warning that
// printing is not available. Errors of the printer reach the caller.
void PrintStoredBill(const BillPrintout &bill);
void PrintBillList(const BillListPrintout &list);

// The warning shown while no printer is installed.
QString PrintingUnavailableText();

} // namespace bralvo::app
