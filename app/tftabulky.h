// The overviews window: statistics of bills, customers, item categories
// and items over a period and filters, shown as a table or as a pie or
// bar chart (the mode is fixed when the window opens), and printed as
// the active tab's list report or, in chart mode, as the chart itself.
//
// The report values are those of listreportvalues.h; the several-firms
// warning is shown at most once per print.
#pragma once

#include "app/listreportvalues.h"
#include "db/overviews.h"

#include <QHash>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QChart;
class QChartView;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;

namespace bralvo::platform { class StringGrid; }
namespace bralvo::report {
class TrpReport;
class TrpUserDataSet;
}

namespace bralvo::app {

class TfMain;
class QtOverviewChart;

// The chart's print dialog; true when the user confirmed it. Tests
// replace it.
using ChartPrintDialog = std::function<bool(QPrinter &printer, QWidget *parent)>;
ChartPrintDialog &chartPrintDialog();

class TfTabulky : public QWidget {
public:
    // The window prepared for tables or for charts (combos filled, dates
    // from 1 January to today, bills tab, empty grid). main may be null
    // (the window then stands alone).
    TfTabulky(TfMain *main, bool chartMode);
    ~TfTabulky() override;

    // The menu's opener: an MDI child of main, maximised, localized,
    // captioned with UI text 254.
    static TfTabulky *OpenInMdi(TfMain &main, bool chartMode);

    bool chartMode() const { return m_chartMode; }

    // Handlers, named as the window binds them. Database errors reach the
    // caller (the buttons show them in an error box).
    void pgTriedenieChange();
    void bitGrafClick();
    void bitTabulkaClick();
    void bitTlacitZoznamFakturClick();
    void btnBackClick();  // the window's frame closed
    void cbPolozkyfEnter();
    void cbPolozkyoEnter();

    // The filters of a tab as the queries read them.
    db::OverviewFilter filterOf(OverviewTab tab) const;
    // What the list reports print, for the active tab.
    ListReportData reportData() const;
    report::TrpReport &reportOf(OverviewTab tab) const;
    report::TrpUserDataSet &rows() const { return *m_rows; }
    QtOverviewChart &overviewChart() const { return *m_overviewChart; }
    QChart &chart() const;

    // The font colour, bold flag and background of a bills-tab cell as
    // the grid paints it (invalid background: the grid's own).
    struct CellLook {
        QColor color;
        bool bold = false;
        QColor background;
    };
    CellLook billCellLook(int col, int row, bool selected) const;

    QTabWidget *pgTriedenie;
    QRadioButton *rbZoznamFaktur, *rbZoznamZalohovychFaktur;
    QRadioButton *rbVsetky, *rbNeuhradene, *rbPreuhradene, *rbUhradene;
    QLineEdit *eSumaOd, *eSumaDo;
    QPushButton *bitGraf, *bitTabulka, *bitTlacitZoznamFaktur, *btnBack;
    QComboBox *cbGrafyPodla;
    platform::StringGrid *sgTabulky;
    QChartView *Chart1;
    QToolButton *sbGrafyPie, *sbGrafyBar;
    QAction *Vytlacit1;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct TabFilters {
        QCheckBox *whole = nullptr;
        QDateEdit *from = nullptr, *to = nullptr;
        QComboBox *issuer = nullptr, *customer = nullptr, *category = nullptr, *item = nullptr;
    };
    void buildControls();
    QWidget *buildBillsTab();
    QWidget *buildTab(const char *suffix, bool customer, bool category, bool item);
    void buildPeriod(QWidget *tab, const char *suffix, TabFilters &f);
    void buildBottom();
    void connectHandlers();
    void prepare();
    void fillCombos();
    void showOverview();
    void formatAmounts(OverviewTab tab);
    void refillItems(QComboBox &items, const QComboBox &categories);
    bool paintCell(QPainter &p, const QRect &r, int col, int row, bool selected);
    bool freeAdvanceBill(int row) const;
    void printChart();
    void loadReports();
    OverviewTab activeTab() const;

    TfMain *m_main;
    bool m_chartMode;
    TabFilters m_tabs[4];
    std::unique_ptr<report::TrpUserDataSet> m_rows;
    std::unique_ptr<report::TrpReport> m_reports[4];
    std::unique_ptr<QtOverviewChart> m_overviewChart;
    std::optional<QHash<QString, QString>> m_company;
    std::vector<double> m_homeTotals;
    bool m_companyWarned = false;
    // Whether the advance bill of a row is still free, asked once per row
    // after each fill.
    mutable QHash<int, bool> m_freeAdvance;
};

} // namespace bralvo::app
