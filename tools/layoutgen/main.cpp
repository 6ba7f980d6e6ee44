// layoutgen: writes the program's report layouts (app/reports/*.rpx).
//   layoutgen FOLDER
// The files are committed; this tool only regenerates them after a change
// here, and a test checks that they are in step.
#include "layouts.h"

#include "platform/error.h"
#include "report/model/trpdataset.h"
#include "report/model/trpreport.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

using namespace bralvo::report;

namespace {

using Builder = void (*)(TrpReport &, TrpUserDataSet *);

void receipt(TrpReport &r, TrpUserDataSet *) { layoutgen::buildReceipt(r); }
void twoReceipts(TrpReport &r, TrpUserDataSet *) { layoutgen::buildTwoReceipts(r); }

struct Layout {
    const char *file;
    const char *dataSet;
    Builder build;
};

const Layout kLayouts[] = {
    {"bill.rpx", "rpUDSpolozky", layoutgen::buildBillPage},
    {"bill_dotmatrix.rpx", "rpUDSpolozky", layoutgen::buildBillCells},
    {"receipt.rpx", nullptr, receipt},
    {"receipt_two.rpx", nullptr, twoReceipts},
    {"bill_list.rpx", "rpUDTzoznamf", layoutgen::buildBillList},
    {"overview_bills.rpx", "rpUDTzoznamf", layoutgen::buildBillsOverview},
    {"overview_customers.rpx", "rpUDTzoznamf", layoutgen::buildCustomersOverview},
    {"overview_categories.rpx", "rpUDTzoznamf", layoutgen::buildCategoriesOverview},
    {"overview_items.rpx", "rpUDTzoznamf", layoutgen::buildItemsOverview},
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: layoutgen FOLDER\n";
        return 2;
    }
    registerReportClasses();
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    try {
        for (const Layout &l : kLayouts) {
            TrpUserDataSet dataSet(nullptr);
            if (l.dataSet)
                dataSet.SetUserName(QString::fromLatin1(l.dataSet));
            TrpReport report;
            l.build(report, l.dataSet ? &dataSet : nullptr);
            report.SaveToFile(folder.filePath(QString::fromLatin1(l.file)));
        }
    } catch (const bralvo::Error &e) {
        QTextStream(stderr) << "layoutgen: " << e.userText() << "\n";
        return 1;
    }
    return 0;
}
