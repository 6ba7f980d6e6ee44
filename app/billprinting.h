// The one seam between the bill windows and the printed documents: the
// bill editor prints a stored bill by its id, the bill list prints the
// listed bills. The report layouts implement BillPrinter and install it at
// start-up; until one is installed the windows say that printing is not
// available.
#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace bralvo::app {

// What the bill list report asks of the window: its record count (one per
// listed bill) and every value by name ("zoznamfaktur", "db_cislo" ...),
// for the record number (0-based) the report stands on.
struct BillListPrintout {
    int recordCount = 0;
    std::function<QString(const QString &name, int record)> value;
};

class BillPrinter {
public:
    virtual ~BillPrinter() = default;
    // Builds the printed bill of the stored bill with that id and shows
    // its preview; returns when the preview has closed.
    virtual void printBill(const QString &billId) = 0;
    virtual void printBillList(const BillListPrintout &list) = 0;
};

// Installs the printer (replacing any earlier one); nullptr removes it.
void setBillPrinter(std::unique_ptr<BillPrinter> printer);
BillPrinter *billPrinter();

// Prints through the installed printer; without one, a warning that
// printing is not available. Errors of the printer reach the caller.
void PrintStoredBill(const QString &billId);
void PrintBillList(const BillListPrintout &list);

// The warning shown while no printer is installed.
QString PrintingUnavailableText();

} // namespace bralvo::app
