// The overviews window: grid painting, list reports and chart printing.
#include "app/tftabulky.h"

#include "app/appstate.h"
#include "app/billprintvalues.h"
#include "app/qtoverviewchart.h"
#include "app/reportlayouts.h"
#include "db/company.h"
#include "db/database.h"
#include "db/lookups.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "platform/error.h"
#include "platform/widgets/stringgrid.h"
#include "report/model/trpdataset.h"
#include "report/model/trpreport.h"
#include "services/dates.h"
#include "services/gridhelpers.h"
#include "services/numbers.h"
#include "services/uitexts.h"

#include <QChartView>
#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

namespace bralvo::app {

ChartPrintDialog &chartPrintDialog()
{
    static ChartPrintDialog dialog = [](QPrinter &printer, QWidget *parent) {
        QPrintDialog d(&printer, parent);
        return d.exec() == QDialog::Accepted;
    };
    return dialog;
}

QChart &TfTabulky::chart() const { return *Chart1->chart(); }

// --- reports

void TfTabulky::loadReports()
{
    m_rows = std::make_unique<report::TrpUserDataSet>(nullptr);
    m_rows->SetUserName(QStringLiteral("rpUDTzoznamf"));
    const char *const files[] = {"overview_bills.rpx", "overview_customers.rpx", "overview_categories.rpx",
                                 "overview_items.rpx"};
    for (int i = 0; i < 4; ++i) {
        m_reports[i] = std::make_unique<report::TrpReport>();
        LoadReportLayout(*m_reports[i], QString::fromLatin1(files[i]), m_rows.get());
        m_reports[i]->OnGetValue = [this](const QString &name, platform::Variant &value) {
            if (!m_companyWarned) {
                m_companyWarned = true;
                db::WarnIfSeveralCompanies();
            }
            OverviewReportValue(activeTab(), reportData(), m_rows->RecNo(), name, value);
        };
    }
}

report::TrpReport &TfTabulky::reportOf(OverviewTab tab) const { return *m_reports[int(tab)]; }

ListReportData TfTabulky::reportData() const
{
    const OverviewTab tab = activeTab();
    const db::OverviewFilter f = filterOf(tab);
    ListReportData d;
    d.advanceBills = !f.ordinaryBills;
    d.payment = f.payment;
    d.wholePeriod = f.wholePeriod;
    d.from = f.from;
    d.to = f.to;
    d.category = f.category.text;
    d.item = f.item.text;
    d.issuer = f.issuer.text;
    d.customer = f.customer.text;
    d.amountFrom = f.amountFrom;
    d.amountTo = f.amountTo;
    d.cell = [grid = sgTabulky](int col, int row) { return grid->cell(col, row); };
    d.rowCount = sgTabulky->rowCount();
    d.company = m_company;
    d.homeSymbol = HomeCurrencySymbol;
    d.homeTotals = m_homeTotals;
    return d;
}

void TfTabulky::bitTlacitZoznamFakturClick()
{
    const auto firms = db::DbConnection->GetTable(QStringLiteral("SELECT * FROM firma WHERE existuje = 1"));
    m_company.reset();
    if (!firms->IsEof())
        m_company = FirstRowTexts(*firms);
    m_companyWarned = false;
    try {
        m_chartMode ? bitGrafClick() : bitTabulkaClick();
        if (m_chartMode) {
            printChart();
        } else {
            m_homeTotals.clear();
            if (activeTab() == OverviewTab::Bills) {
                std::vector<QString> ids;
                for (int row = 1; row <= sgTabulky->rowCount() - 2; ++row)
                    ids.push_back(sgTabulky->cell(12, row));
                m_homeTotals = BillHomeTotals(ids);
            }
            m_rows->SetRangeEnd(report::reCount);
            m_rows->SetRangeEndCount(std::max(0, sgTabulky->rowCount() - 2));
            reportShower()(reportOf(activeTab()));
        }
    } catch (...) {
        m_company.reset();
        throw;
    }
    m_company.reset();
}

void TfTabulky::printChart()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!chartPrintDialog()(printer, this))
        return;
    QPainter painter;
    if (!painter.begin(&printer))
        throw Error(QStringLiteral("The printer could not be started."));
    const QRect page = painter.viewport();
    // The chart lays out a series drawn just now only when its events
    // run, and drops the items of the one before (a bar chart's axes and
    // grid) only on their deferred deletion: without both the sheet shows
    // a mix of the old drawing and the new.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    Chart1->render(&painter, QRectF(page), Chart1->viewport()->rect());
    painter.end();
}

// --- grid painting

bool TfTabulky::freeAdvanceBill(int row) const
{
    const auto found = m_freeAdvance.constFind(row);
    if (found != m_freeAdvance.constEnd())
        return *found;
    const QString number = sgTabulky->cell(0, row);
    bool free = false;
    if (!number.isEmpty()) {
        const QDate issued = services::ParseDate(sgTabulky->cell(2, row));
        free = !db::IsAdvanceBillUsed(number, services::YearText(issued));
    }
    m_freeAdvance.insert(row, free);
    return free;
}

TfTabulky::CellLook TfTabulky::billCellLook(int col, int row, bool selected) const
{
    CellLook look{QColor(0, 0, 0), false, QColor()};
    const bool dataRow = row >= 1 && row <= sgTabulky->rowCount() - 2;
    const QString text = sgTabulky->cell(col, row);
    if (dataRow && col == 5 && text != services::MessageText(225)) {
        double v = 0;
        try {
            v = services::ParseNumber(text);
        } catch (const Error &) {
        }
        look.color = v > 0 ? QColor(255, 0, 0) : QColor(0, 0, 255);
        look.bold = true;
    }
    if (selected) {
        if (look.color == QColor(0, 0, 0))
            look.color = Qt::white;
        else if (look.color == QColor(0, 0, 255))
            look.color = QColor(206, 206, 255);
        else
            look.color = QColor(255, 170, 170);
    }
    if (dataRow && rbZoznamZalohovychFaktur->isChecked() && freeAdvanceBill(row)) {
        if (selected) {
            look.color = QColor(255, 170, 170);
            look.bold = true;
        } else {
            look.background = QColor(255, 234, 234);
        }
    }
    if (dataRow && col == 6)
        look.bold = true;
    return look;
}

bool TfTabulky::paintCell(QPainter &p, const QRect &r, int col, int row, bool selected)
{
    if (row < 1)
        return false;
    const QFont font = sgTabulky->font();
    if (activeTab() != OverviewTab::Bills) {
        if (col == 0)
            return false;
        services::DrawGridCellPlain(p, *sgTabulky, row, col, services::AlignRight, selected ? Qt::white : Qt::black,
                                    font.pointSize(), font.family(), r);
        return true;
    }
    if (col > 7)
        return false;
    const CellLook look = billCellLook(col, row, selected);
    p.setBrush(look.background.isValid() ? look.background
                                          : (selected ? sgTabulky->palette().highlight().color() : Qt::white));
    const int align = (col == 2) ? services::AlignCenter : (col == 5 || col == 6) ? services::AlignRight
                                                                                   : services::AlignLeft;
    services::DrawGridCell(p, *sgTabulky, row, col, look.bold ? QFont::Bold : QFont::Normal, false, 2, align,
                           look.color, font.pointSize(), font.family(), r);
    return true;
}

} // namespace bralvo::app
