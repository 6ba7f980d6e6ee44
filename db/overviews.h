// The queries of the bill list and of the four overviews (bills,
// customers, item categories, items), the overview grid's layouts and
// fills, and the overview charts.
//
// The builders take the windows' filter controls as a plain record. In
// every user, customer, category and item choice entry 0 means "all"; in
// the category choices entry 1 means "without category" (UI text 156).
// Every name goes into SQL through the value helpers; an amount bound
// whose edit is empty adds no condition. Multi-line queries are joined
// with CR LF. Errors of the queries throw ESQLiteException; nothing is
// filled or drawn after a failing query.
#pragma once

#include <QDate>
#include <QString>
#include <vector>

namespace bralvo::platform { class StringGrid; }

namespace bralvo::db {

// Amounts in home currency: the total of a bill, the amount still open
// (due less the payments; all of it without payments), and a bill line's
// amount after its discount.
QString HomeTotalExpr();
QString OpenAmountExpr();
QString LineAmountExpr();

enum class PaymentStateFilter { All, Paid, Unpaid, Overpaid };

// An entry of a choice list: its index and its text.
struct ComboChoice {
    int index = 0;
    QString text;
};

// The filter controls of the bill list and of one overview tab; each
// builder reads only the fields its query has.
struct OverviewFilter {
    bool ordinaryBills = true;   // rbZoznamFaktur (else advance bills)
    bool wholePeriod = false;    // chbCeleObdobie*
    QDate from, to;              // eDatumOD*, eDatumDO*
    ComboChoice category;        // cbKategoriaPoloziek*
    ComboChoice item;            // cbPolozky*
    QString amountFrom, amountTo;  // eSumaOd, eSumaDo (bill's own currency)
    PaymentStateFilter payment = PaymentStateFilter::All;
    ComboChoice issuer;          // cbVystavil*
    ComboChoice customer;        // cbOdberatelovi* (nazov - ico)
};

// Bill chart grouping (cbGrafyPodla entry 0, 1, 2).
enum class ChartGrouping { Days = 0, Months = 1, Years = 2 };

QString BuildBillListFilter(const OverviewFilter &filter);
// The bill list window's query (BillListSql), bills of every state.
QString BuildBillListQuery(const OverviewFilter &filter);

QString BuildBillsTableFilter(const OverviewFilter &filter);
// Table mode: one row per bill; chart mode: one row per day, month or
// year (at most 35), where the category and item choices keep the bills
// having such a line.
QString BuildBillsTableQuery(const OverviewFilter &filter, bool chartMode, ChartGrouping grouping);
QString BuildCustomersTableFilter(const OverviewFilter &filter);
QString BuildCustomersTableQuery(const OverviewFilter &filter);
QString BuildCategoriesTableFilter(const OverviewFilter &filter);
QString BuildCategoriesTableQuery(const OverviewFilter &filter);
QString BuildItemsTableFilter(const OverviewFilter &filter);
QString BuildItemsTableQuery(const OverviewFilter &filter);

// Column count, row-0 titles and widths of the overview grid.
void SetupBillsTableGrid(platform::StringGrid &grid);
void SetupCustomersTableGrid(platform::StringGrid &grid);
void SetupCategoriesTableGrid(platform::StringGrid &grid);
void SetupItemsTableGrid(platform::StringGrid &grid);
// Two rows, row 1 emptied; then the query's rows (bills: date column 2
// converted). The window's amount formatting follows.
void FillBillsTableGrid(platform::StringGrid &grid, const QString &sql);
void FillCustomersTableGrid(platform::StringGrid &grid, const QString &sql);
void FillSummaryTableGrid(platform::StringGrid &grid, const QString &sql);

enum class ChartKind { Pie, Bar };              // sbGrafyPie / sbGrafyBar
enum class ChartMeasure { Sum, Count };         // cbGrafyPodla entry 1 is Count
enum class ChartAxis { Left, Bottom, Depth };

struct ChartSlice {
    double value = 0;  // a whole number
    QString label;
};

// The overview window's chart. Series take the automatic colour; the
// caller has emptied the series list before drawing.
class OverviewChart {
public:
    virtual ~OverviewChart() = default;
    virtual void setView3D(bool on) = 0;
    // Automatic scaling off, then the range.
    virtual void setAxisRange(ChartAxis axis, double minimum, double maximum) = 0;
    // One pie series with the slices in order.
    virtual void addPieSeries(const std::vector<ChartSlice> &slices) = 0;
    // One bar series with one point (x, y, x label), its legend title, depth 0.
    virtual void addBarSeries(double x, double y, const QString &xLabel, const QString &title) = 0;
};

// Labels over 25 characters become 24 and "."; values are rounded to
// whole numbers (halves to even); captions are label + " = " + the money
// value + " " + currency (count mode: the whole number). A bar chart's
// left axis reaches 1.03 x the largest value, 5000 without rows.
void DrawBillsChart(const QString &sql, ChartKind kind, OverviewChart &chart);
void DrawCustomersChart(const QString &sql, ChartKind kind, ChartMeasure measure, OverviewChart &chart);
void DrawSummaryChart(const QString &sql, ChartKind kind, ChartMeasure measure, OverviewChart &chart);

} // namespace bralvo::db
