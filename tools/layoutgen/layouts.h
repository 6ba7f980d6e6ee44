// The program's report layouts, built into a fresh report each. The
// datasets are the windows' own (named rpUDSpolozky and rpUDTzoznamf);
// the layouts refer to them by name.
#pragma once

namespace bralvo::report {
class TrpReport;
class TrpUserDataSet;
}

namespace layoutgen {

void buildBillPage(bralvo::report::TrpReport &report, bralvo::report::TrpUserDataSet *lines);
void buildBillCells(bralvo::report::TrpReport &report, bralvo::report::TrpUserDataSet *lines);
void buildReceipt(bralvo::report::TrpReport &report);
void buildTwoReceipts(bralvo::report::TrpReport &report);
void buildBillList(bralvo::report::TrpReport &report, bralvo::report::TrpUserDataSet *rows);
void buildBillsOverview(bralvo::report::TrpReport &report, bralvo::report::TrpUserDataSet *rows);
void buildCustomersOverview(bralvo::report::TrpReport &report, bralvo::report::TrpUserDataSet *rows);
void buildCategoriesOverview(bralvo::report::TrpReport &report, bralvo::report::TrpUserDataSet *rows);
void buildItemsOverview(bralvo::report::TrpReport &report, bralvo::report::TrpUserDataSet *rows);

} // namespace layoutgen
