// Advance bills as the bill editor lists them: each entry carries the
// advance bill's id beside its text, so sums and checks use the id and
// never parse or look up the text.
#pragma once

#include <QString>
#include <vector>

namespace bralvo::db {

struct AdvanceBillEntry {
    QString id;
    QString text;          // cislo + " - " + suma_kuhrade + " " + hlavna_mena
    QString mainCurrency;  // hlavna_mena
    double due = 0;        // suma_kuhrade
};

// Live advance bills of that issue year not deducted on any bill, by
// year and number. A year that is not four digits gives none.
std::vector<AdvanceBillEntry> FreeAdvanceBills(const QString &year);
// Live advance bills deducted on the bill with that id.
std::vector<AdvanceBillEntry> DeductedAdvanceBills(const QString &billId);
// The sum of the amounts due of the live advance bills with those ids.
double SumAdvanceBillsDueByIds(const std::vector<QString> &ids);

} // namespace bralvo::db
