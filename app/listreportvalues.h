// The values of the list reports: the bill list and the four overview
// lists (bills, customers, item categories, items). Plain functions of
// the window state handed in; each answers only its own names.
#pragma once

#include "db/overviews.h"
#include "platform/variant.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace bralvo::app {

enum class OverviewTab { Bills = 0, Customers = 1, Categories = 2, Items = 3 };

// The window's filters, its grid and the firm at print time.
struct ListReportData {
    bool advanceBills = false;                  // rbZoznamZalohovychFaktur
    db::PaymentStateFilter payment = db::PaymentStateFilter::All;
    bool wholePeriod = false;                   // overviews: chbCeleObdobie*; bill list: all months
    QString year;                               // bill list: eRok
    QDate from, to;
    QString category, item, issuer, customer;   // selected combo texts
    QString amountFrom, amountTo;               // eSumaOd, eSumaDo
    // Grid cell (column, grid row) and the grid's row count (title row
    // and the empty last row included).
    std::function<QString(int column, int row)> cell;
    int rowCount = 2;
    std::optional<QHash<QString, QString>> company;  // the live firma row
    QString homeSymbol;                          // HomeCurrencySymbol
    // The bills overview: the home-currency total of each data row.
    std::vector<double> homeTotals;
};

// The bill list window's report.
bool BillListReportValue(const ListReportData &data, int recNo, const QString &name, platform::Variant &value);

// The overview window's report of the active tab.
bool OverviewReportValue(OverviewTab tab, const ListReportData &data, int recNo, const QString &name,
                         platform::Variant &value);

// Sum of the numbers of one grid column over the data rows; a cell that
// holds no number counts 0. Formatted as money + " " + symbol.
QString ColumnSumText(const ListReportData &data, int column);

// The home-currency totals of the bills with these ids, in that order
// (0 for an id without a bill).
std::vector<double> BillHomeTotals(const std::vector<QString> &billIds);

} // namespace bralvo::app
