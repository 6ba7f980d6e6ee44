// The installed bill printer.
#include "app/billprinting.h"

#include "services/messages.h"

namespace bralvo::app {

namespace {

std::unique_ptr<BillPrinter> &installed()
{
    static std::unique_ptr<BillPrinter> printer;
    return printer;
}

} // namespace

void setBillPrinter(std::unique_ptr<BillPrinter> printer)
{
    installed() = std::move(printer);
}

BillPrinter *billPrinter()
{
    return installed().get();
}

QString PrintingUnavailableText()
{
    return QString::fromUtf8("Tlač nie je k dispozícii: tlačové zostavy nie sú nainštalované.");
}

void PrintStoredBill(const BillPrintout &bill)
{
    if (BillPrinter *printer = billPrinter())
        printer->printBill(bill);
    else
        services::ShowMessageBox(PrintingUnavailableText(), 48);
}

void PrintBillList(const BillListPrintout &list)
{
    if (BillPrinter *printer = billPrinter())
        printer->printBillList(list);
    else
        services::ShowMessageBox(PrintingUnavailableText(), 48);
}

} // namespace bralvo::app
