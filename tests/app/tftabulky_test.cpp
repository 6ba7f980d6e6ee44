// The overviews window driven offscreen: the chart choices per tab, the
// amount colours, printing the lists (values, empty result, one firm
// warning per print), the chart's print dialog and the bar chart's slots.
#include "app/qtoverviewchart.h"
#include "app/reportlayouts.h"
#include "app/tftabulky.h"
#include "platform/widgets/stringgrid.h"
#include "report/model/trpdataset.h"
#include "report/model/trpreport.h"
#include "services/uitexts.h"
#include "tests/app/recordsfixture.h"
#include "tests/report/export/pdftools.h"

#include <QAbstractBarSeries>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QPieSeries>
#include <QPieSlice>
#include <QValueAxis>
#include <QChart>
#include <QComboBox>
#include <QImage>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace bralvo;
using app::TfTabulky;

namespace {

class OverviewsWindow : public test::RecordsFixture {
protected:
    void SetUp() override
    {
        RecordsFixture::SetUp();
        m_savedShower = app::reportShower();
        m_savedDialog = app::chartPrintDialog();
        sql("INSERT INTO odberatelia (ID, nazov, ico, existuje) VALUES (9, 'Stôl s.r.o.', '456', 1)");
        addBill(1, "F1", "2009-03-05", 100, 0);
        addBill(2, "F2", "2009-03-20", 50, 0);
        sql("INSERT INTO uhrady (id_faktura, suma_domaca, datum) VALUES (2, 80, '2009-03-21')");
        addBill(3, "F3", "2009-04-02", 30, 1);
    }
    void TearDown() override
    {
        app::reportShower() = m_savedShower;
        app::chartPrintDialog() = m_savedDialog;
        RecordsFixture::TearDown();
    }
    static void addBill(int id, const char *number, const char *date, double total, int paid)
    {
        sql(QString("INSERT INTO faktury (ID, cislo, vs, typ, datum_vystavenia, datum_splatnosti, id_odberatel, "
                    "id_uzivatel, suma_celkom, suma_kuhrade, kurz, uhradena, existuje, domaca_menaZobr, hlavna_mena) "
                    "VALUES (%1, '%2', '%2', 1, '%3', '%3', 9, 1, %4, %4, 1, %5, 1, 'Sk', 'Sk')")
                .arg(id).arg(number, date).arg(total).arg(paid));
    }
    std::unique_ptr<TfTabulky> open(bool chartMode)
    {
        auto w = std::make_unique<TfTabulky>(nullptr, chartMode);
        for (const char *name : {"chbCeleObdobief", "chbCeleObdobieo", "chbCeleObdobiek", "chbCeleObdobiep"})
            child<QAbstractButton>(*w, name).setChecked(true);
        w->show();
        QApplication::setActiveWindow(w.get());
        return w;
    }
    static QStringList items(const QComboBox &c)
    {
        QStringList list;
        for (int i = 0; i < c.count(); ++i)
            list << c.itemText(i);
        return list;
    }
    app::ReportShower m_savedShower;
    app::ChartPrintDialog m_savedDialog;
};

TEST_F(OverviewsWindow, ChartChoicesFollowTheTab)
{
    auto w = open(true);
    EXPECT_EQ(w->cbGrafyPodla->currentIndex(), 1);  // months when it opens
    const QStringList expected[4] = {
        {"zobraziť dni", "zobraziť mesiace", "zobraziť roky"},
        {"zobraziť sumu", "zobraziť počet FA"},
        {"zobraziť sumu", "zobraziť počet"},
        {"zobraziť sumu", "zobraziť počet"},
    };
    for (int tab : {1, 2, 3, 0}) {
        w->pgTriedenie->setCurrentIndex(tab);
        EXPECT_EQ(items(*w->cbGrafyPodla), expected[tab]) << tab;
        EXPECT_EQ(w->cbGrafyPodla->currentIndex(), 0) << tab;
    }
    EXPECT_FALSE(w->sgTabulky->isVisible());
    EXPECT_TRUE(w->bitGraf->isVisible());
    EXPECT_FALSE(open(false)->bitGraf->isVisible());
}

// Titles sit in the grid's bold fixed row; a column narrower than its
// title cuts it off (the delegate keeps a margin on both sides).
TEST_F(OverviewsWindow, EveryGridTitleFitsItsColumn)
{
    auto w = open(false);
    platform::StringGrid &grid = *w->sgTabulky;
    QFont bold = grid.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int margins = 2 * (grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1);
    QStringList clipped;
    for (int tab : {0, 1, 2, 3}) {
        w->pgTriedenie->setCurrentIndex(tab);
        w->bitTabulka->click();
        for (int col = 0; col < grid.columnCount(); ++col) {
            const int needed = metrics.horizontalAdvance(grid.cell(col, 0)) + margins;
            if (!grid.isColumnHidden(col) && needed > grid.columnWidth(col))
                clipped << QString("tab %1 \"%2\" needs %3, has %4")
                               .arg(tab).arg(grid.cell(col, 0)).arg(needed).arg(grid.columnWidth(col));
        }
    }
    EXPECT_TRUE(clipped.isEmpty()) << clipped.join('\n').toStdString();
}

TEST_F(OverviewsWindow, OpenAmountColours)
{
    auto w = open(false);
    w->bitTabulka->click();
    ASSERT_EQ(w->sgTabulky->rowCount(), 5);
    EXPECT_EQ(w->sgTabulky->cell(5, 1), "100,00 Sk");
    EXPECT_EQ(w->sgTabulky->cell(5, 2), "-30,00 Sk");
    EXPECT_EQ(w->sgTabulky->cell(5, 3), services::MessageText(225));
    struct Case {
        int col, row;
        bool selected;
        QColor color;
        bool bold;
    } cases[] = {
        {5, 1, false, QColor(255, 0, 0), true},
        {5, 1, true, QColor(255, 170, 170), true},
        {5, 2, false, QColor(0, 0, 255), true},
        {5, 2, true, QColor(206, 206, 255), true},
        {5, 3, false, QColor(0, 0, 0), false},
        {6, 1, false, QColor(0, 0, 0), true},
        {0, 1, true, QColor(255, 255, 255), false},
    };
    for (const Case &c : cases) {
        const TfTabulky::CellLook look = w->billCellLook(c.col, c.row, c.selected);
        EXPECT_EQ(look.color, c.color) << c.col << "/" << c.row << "/" << c.selected;
        EXPECT_EQ(look.bold, c.bold) << c.col << "/" << c.row;
    }
}

TEST_F(OverviewsWindow, PrintedListValuesAndOneFirmWarning)
{
    sql("INSERT INTO firma (nazov, existuje) VALUES ('Druhá firma', 1)");
    auto w = open(false);
    QStringList values;
    int recordCount = -1;
    app::reportShower() = [&](report::TrpReport &report) {
        recordCount = w->rows().RangeEndCount();
        for (const char *name : {"zoznamfaktur", "db_datum_od", "uhrada", "udb_summary_sumacelkom",
                                 "udb_summary_uhradit", "db_cislo"}) {
            platform::Variant v;
            report.OnGetValue(QString::fromLatin1(name), v);
            values << v.toString();
        }
        EXPECT_EQ(&report, &w->reportOf(app::OverviewTab::Bills));
    };
    w->rbNeuhradene->setChecked(true);
    m_boxes.answerBox(platform::kIdOk);
    QTest::keyClick(w.get(), Qt::Key_F11);
    EXPECT_EQ(recordCount, 1);
    EXPECT_EQ(values, QStringList({"Zoznam faktúr", "celé odbobie", "(neuhradené)", "100,00 Sk", "100,00 Sk", "F1"}));
    EXPECT_EQ(shownTexts().size(), 1);  // several live firms: warned once

    values.clear();
    w->rbNeuhradene->setChecked(false);
    w->rbUhradene->setChecked(true);
    child<QAbstractButton>(*w, "chbCeleObdobief").setChecked(false);
    m_boxes.answerBox(platform::kIdOk);
    w->bitTlacitZoznamFaktur->click();  // an empty result still prints
    EXPECT_EQ(recordCount, 0);
    EXPECT_EQ(values.at(3), "0,00 Sk");
    EXPECT_EQ(shownTexts().size(), 2);  // once for each print
}

TEST_F(OverviewsWindow, SumOfTotalsCountsEachBillOnce)
{
    sql("INSERT INTO sp_polozky (id_faktura, cena, pocet) VALUES (1, 50, 1), (1, 50, 1), (1, 0, 1)");
    auto w = open(false);
    QString total;
    app::reportShower() = [&](report::TrpReport &report) {
        platform::Variant v;
        report.OnGetValue(QStringLiteral("udb_summary_sumacelkom"), v);
        total = v.toString();
    };
    w->bitTlacitZoznamFaktur->click();
    EXPECT_EQ(total, "180,00 Sk");
}

TEST_F(OverviewsWindow, ChartPrintDialog)
{
    auto w = open(true);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("chart.pdf");
    bool confirm = false;
    app::chartPrintDialog() = [&](QPrinter &printer, QWidget *) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return confirm;
    };
    w->bitTlacitZoznamFaktur->click();
    EXPECT_FALSE(QFile::exists(pdf));  // cancelled: nothing printed
    EXPECT_FALSE(w->chart().series().isEmpty());  // drawn again before the dialog
    confirm = true;
    QTest::keyClick(w.get(), Qt::Key_F11);
    EXPECT_GT(QFileInfo(pdf).size(), 0);
}

// Pixels of the page with colour (the slices) and light grey ones (the
// axes' grid; text is dark and small).
struct PagePixels {
    int coloured = 0, lightGrey = 0;
};

PagePixels countPixels(const QImage &page)
{
    PagePixels n;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.hsvSaturation() > 80)
                ++n.coloured;
            else if (c.value() > 150 && c.value() < 245)
                ++n.lightGrey;
        }
    }
    return n;
}

// A printed pie is a pie: the chart is printed as drawn for the print,
// not as the screen last showed it (the bar chart with its axes).
TEST_F(OverviewsWindow, PrintedPieChartIsThePieWithoutAxes)
{
    auto w = open(true);
    w->resize(1000, 800);
    w->pgTriedenie->setCurrentIndex(1);
    w->bitGraf->click();  // bars first, shown
    ASSERT_FALSE(w->chart().axes().isEmpty());
    QTest::qWait(50);
    w->sbGrafyPie->click();
    QTemporaryDir dir;
    const QString pdf = dir.filePath("pie.pdf");
    app::chartPrintDialog() = [&](QPrinter &printer, QWidget *) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    w->bitTlacitZoznamFaktur->click();
    EXPECT_TRUE(w->chart().axes().isEmpty());
    ASSERT_NE(qobject_cast<QPieSeries *>(w->chart().series().value(0)), nullptr);
    const auto run = report::testing::runTool("pdftoppm", {"-r", "40", "-png", "-singlefile", pdf, dir.filePath("pie")});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    const QImage page(dir.filePath("pie.png"));
    ASSERT_FALSE(page.isNull());
    const PagePixels pixels = countPixels(page);
    // One slice over a good part of the sheet's width, and no grid: the
    // slice's rim and the legend's text are a few hundred light pixels,
    // the bar chart's grid thousands.
    EXPECT_GT(pixels.coloured, page.width() * page.width() / 20);
    EXPECT_LT(pixels.lightGrey, page.width() * 3);
}

TEST_F(OverviewsWindow, BarChartKeepsASlotForEveryRow)
{
    for (int i = 0; i < 40; ++i) {
        sql(QString("INSERT INTO odberatelia (ID, nazov, ico, existuje) VALUES (%1, 'Zákazník %1', '%1', 1)").arg(100 + i));
        sql(QString("INSERT INTO faktury (cislo, typ, datum_vystavenia, id_odberatel, id_uzivatel, suma_celkom, kurz, "
                    "existuje, domaca_menaZobr) VALUES ('X%1', 1, '2009-05-01', %2, 1, 10, 1, 1, 'Sk')")
                .arg(i).arg(100 + i));
    }
    auto w = open(true);
    w->pgTriedenie->setCurrentIndex(1);
    w->bitGraf->click();
    const auto axes = w->chart().axes(Qt::Horizontal);
    ASSERT_EQ(axes.size(), 1);
    const auto *categories = qobject_cast<QBarCategoryAxis *>(axes.first());
    ASSERT_NE(categories, nullptr);
    EXPECT_EQ(categories->count(), 41);
    EXPECT_EQ(categories->at(0), " Stôl s.r.o.");

    for (int i = 0; i < 40; ++i)
        sql(QString("DELETE FROM faktury WHERE cislo = 'X%1'").arg(i));
    w->bitGraf->click();
    const auto few = w->chart().axes(Qt::Horizontal);
    ASSERT_EQ(few.size(), 1);
    EXPECT_EQ(qobject_cast<QBarCategoryAxis *>(few.first())->count(), app::QtOverviewChart::kMinimumSlots);
}

TEST_F(OverviewsWindow, ChartLabelsOnTheQtChart)
{
    sql("UPDATE odberatelia SET nazov = 'Stôl' WHERE id = 9");
    sql("UPDATE faktury SET suma_celkom = 1234.5 WHERE id = 1");
    sql("UPDATE faktury SET datum_vystavenia = '2009-04-02', suma_celkom = 0 WHERE id = 2");
    auto w = open(true);
    w->bitGraf->click();  // bills by months, bars
    auto *bars = qobject_cast<QAbstractBarSeries *>(w->chart().series().value(0));
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->count(), 2);
    EXPECT_EQ(bars->barSets().at(0)->label(), "2009 - 03 = 1 234,50 Sk");
    const auto *axis = qobject_cast<QBarCategoryAxis *>(w->chart().axes(Qt::Horizontal).value(0));
    ASSERT_NE(axis, nullptr);
    EXPECT_EQ(axis->at(0), " 2009 - 03");
    const auto *values = qobject_cast<QValueAxis *>(w->chart().axes(Qt::Vertical).value(0));
    ASSERT_NE(values, nullptr);
    EXPECT_DOUBLE_EQ(values->max(), 1.03 * 1234.5);

    w->pgTriedenie->setCurrentIndex(1);
    w->cbGrafyPodla->setCurrentIndex(1);  // the number of bills
    w->sbGrafyPie->click();
    w->bitGraf->click();
    auto *pie = qobject_cast<QPieSeries *>(w->chart().series().value(0));
    ASSERT_NE(pie, nullptr);
    ASSERT_EQ(pie->count(), 1);
    EXPECT_EQ(pie->slices().at(0)->label(), "Stôl = 3");
    EXPECT_EQ(pie->slices().at(0)->value(), 3);

    w->pgTriedenie->setCurrentIndex(2);
    w->sbGrafyBar->click();
    sql("DELETE FROM faktury");
    w->bitGraf->click();  // nothing to draw: an empty axis up to 5000
    const auto *empty = qobject_cast<QValueAxis *>(w->chart().axes(Qt::Vertical).value(0));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->min(), 0);
    EXPECT_EQ(empty->max(), 5000);
}

} // namespace
