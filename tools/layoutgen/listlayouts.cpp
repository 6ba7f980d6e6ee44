// The list reports: the bill list and the four overview lists.
#include "layouts.h"

#include "layoutbuilder.h"

#include "report/model/trpdataset.h"

#include <vector>

namespace layoutgen {

namespace {

// A filter group of the title block: a bold label, then up to two
// underlined sub-labels each over its value.
struct Group {
    double x, w;
    const char *label, *sub1, *value1, *sub2, *value2;
};

struct Col {
    double x, w;
    const char *caption, *value;
    TrpHAlign h;
};

struct Sum {
    double x, y;
    const char *title, *value;
};

struct ListSpec {
    const char *title;
    std::vector<Group> groups;
    bool paymentState;
    std::vector<Col> cols;
    std::vector<Sum> sums;
};

// The firm's name and a filter's value may take two lines.
void companyBlock(MmPage &p, TrpBand *b)
{
    p.memo(b, 2, 7, 56, 8, QStringLiteral("[db_firma]"), bold(12));
    p.memo(b, 2, 15, 56, 4, QStringLiteral("[db_ulica]"), plain(11));
    p.memo(b, 2, 19, 56, 4, QStringLiteral("[db_psc], [db_mesto]"), plain(11));
    p.memo(b, 2, 23, 56, 4, QStringLiteral("[db_stat]"), plain(11));
    const char *const ids[] = {"ico", "dic", "icdph"};
    for (int i = 0; i < 3; ++i) {
        const double y = 27.5 + 3.5 * i;
        p.memo(b, 1, y, 18, 3.5, QStringLiteral("[%1]:").arg(QLatin1String(ids[i])), plain(9, haRight));
        p.memo(b, 20, y, 38, 3.5, QStringLiteral("[db_%1]").arg(QLatin1String(ids[i])), plain(9));
    }
}

void filterGroup(MmPage &p, TrpBand *b, const Group &g)
{
    p.memo(b, g.x, 7, g.w, 4.5, QString::fromUtf8(g.label), bold(11));
    p.memo(b, g.x, 12, g.w, 4, QString::fromUtf8(g.sub1), underlined(10));
    p.memo(b, g.x, 16, g.w, 8, QString::fromUtf8(g.value1), plain(10));
    if (g.sub2) {
        p.memo(b, g.x, 24.5, g.w, 4, QString::fromUtf8(g.sub2), underlined(10));
        p.memo(b, g.x, 28.5, g.w, 8, QString::fromUtf8(g.value2), plain(10));
    }
}

void titleBand(MmPage &p, const ListSpec &s)
{
    auto *b = p.band<TrpReportTitle>(QStringLiteral("ReportTitle1"), 40);
    p.frame(b, 0, 0, 196, 6);
    p.memo(b, 0, 0, 196, 6, QStringLiteral("[%1]").arg(QLatin1String(s.title)), bold(16, haCenter));
    p.frame(b, 0, 6, 196, 33);
    p.vline(b, 59, 6, 33);
    companyBlock(p, b);
    for (const Group &g : s.groups)
        filterGroup(p, b, g);
    if (s.paymentState)
        p.memo(b, 157, 7, 38, 4.5, QStringLiteral("[uhrada]"), bold(11, haRight));
}

void tableBands(MmPage &p, const ListSpec &s, TrpUserDataSet *rows)
{
    auto *header = p.band<TrpPageHeader>(QStringLiteral("PageHeader1"), 9);
    auto *master = p.band<TrpMasterData>(QStringLiteral("MasterData1"), 4);
    master->SetDataSet(rows);
    master->SetStretched(true);
    for (const Col &c : s.cols) {
        Text t = underlined(11, c.h);
        t.v = vaBottom;
        p.memo(header, c.x, 0, c.w, 8.5, QString::fromUtf8(c.caption), t);
        p.memo(master, c.x, 0, c.w, 4, QString::fromUtf8(c.value), plain(11, c.h))->SetStretchMode(smActualHeight);
    }
    p.hline(header, 0, 9, 196);
}

void summaryAndFooter(MmPage &p, const ListSpec &s)
{
    auto *summary = p.band<TrpReportSummary>(QStringLiteral("ReportSummary1"), s.sums.size() > 1 ? 15 : 10);
    p.hline(summary, 0, 1, 196);
    for (const Sum &m : s.sums) {
        Text title{11, 1 | 4, haRight};
        p.memo(summary, m.x, m.y, 66, 4.5, QString::fromUtf8(m.title), title);
        p.memo(summary, m.x + 66, m.y, 35, 4.5, QString::fromUtf8(m.value), bold(11, haRight));
    }
    auto *footer = p.band<TrpPageFooter>(QStringLiteral("PageFooter1"), 6);
    p.memo(footer, 146, 1, 50, 4.5, QStringLiteral("[Page#]"), plain(11, haRight));
}

void buildList(TrpReport &report, TrpUserDataSet *rows, const char *name, const ListSpec &s)
{
    setCommonOptions(report, QString::fromUtf8(name));
    report.ScriptText()->setText(QStringLiteral("begin\r\n\r\nend."));
    report.DataSets()->Add(rows);
    MmPage p(report, 9, 7, 7, 10, 10);
    titleBand(p, s);
    tableBands(p, s, rows);
    summaryAndFooter(p, s);
}

const Group kPeriod = {61, 20, "[obdobie]:", "[datum_od]", "[db_datum_od]", "[datum_do]", "[db_datum_do]"};

const std::vector<Col> kBillCols = {
    {0, 21, "[cislo]", "[db_cislo]", haLeft},
    {21, 18, "[vs]", "[db_vs]", haCenter},
    {39, 17, "[datum]", "[db_datum]", haCenter},
    {56, 30, "[uzivatel]", "[db_uzivatel]", haLeft},
    {86, 38, "[odberatel]", "[db_odberatel]", haLeft},
    {124, 23, "[uhradit]", "[db_uhradit]", haRight},
    {147, 23, "[suma_celkom]", "[db_suma_celkom]", haRight},
    {171, 25, "[poznamka]", "[db_poznamka]", haLeft},
};

const std::vector<Sum> kBillSums = {
    {70, 4, "[summary_uhradit]:", "[udb_summary_uhradit]"},
    {70, 9, "[summary_sumacelkom]:", "[udb_summary_sumacelkom]"},
};

} // namespace

void buildBillList(TrpReport &report, TrpUserDataSet *rows)
{
    buildList(report, rows, "Zoznam faktúr",
              {"zoznamfaktur",
               {kPeriod,
                {84, 60, "[uzivatelia_odberatelia]:", "[uzivatel]:", "[db_vystavil]", "[odberatel]:",
                 "[db_odberatelovi]"}},
               true, kBillCols, kBillSums});
}

void buildBillsOverview(TrpReport &report, TrpUserDataSet *rows)
{
    buildList(report, rows, "Prehľad faktúr",
              {"zoznamfaktur",
               {kPeriod,
                {84, 36, "[obsahuju]:", "[katpoloziek]:", "[db_katpoloziek]", "[polozky]:", "[db_polozky]"},
                {122, 22, "[suma]:", "[suma_od]:", "[db_suma_od]", "[suma_do]:", "[db_suma_do]"},
                {146, 49, "[uzivatelia_odberatelia]:", "[uzivatel]:", "[db_vystavil]", "[odberatel]:",
                 "[db_odberatelovi]"}},
               true, kBillCols, kBillSums});
}

void buildCustomersOverview(TrpReport &report, TrpUserDataSet *rows)
{
    buildList(report, rows, "Prehľad odberateľov",
              {"zoznamodberatelov",
               {kPeriod, {84, 56, "[uzivatelia]:", "[uzivatel]:", "[db_vystavil]", nullptr, nullptr}},
               false,
               {{0, 58, "[nazov]", "[udb_nazov]", haLeft},
                {58, 20, "[pocet]", "[udb_pocet]", haRight},
                {78, 30, "[suma_celkom]", "[udb_suma]", haRight},
                {110, 16, "[uhr_po_spl]", "[udb_uhr_po_spl]", haRight}},
               {{8, 4, "[summary_sumacelkom]:", "[udb_summary_sumacelkom]"}}});
}

void buildCategoriesOverview(TrpReport &report, TrpUserDataSet *rows)
{
    buildList(report, rows, "Prehľad kategórií položiek",
              {"zoznamkatpoloziek",
               {kPeriod,
                {84, 61, "[uzivatelia_odberatelia]:", "[uzivatel]:", "[db_vystavil]", "[odberatel]:",
                 "[db_odberatelovi]"}},
               false,
               {{0, 61, "[nazov]", "[udb_nazov]", haLeft},
                {61, 19, "[pocet]", "[udb_pocet]", haRight},
                {80, 29, "[suma]", "[udb_suma]", haRight}},
               {{9, 4, "[summary_sumacelkom]:", "[udb_summary_sumacelkom]"}}});
}

void buildItemsOverview(TrpReport &report, TrpUserDataSet *rows)
{
    buildList(report, rows, "Prehľad položiek",
              {"zoznampoloziek",
               {kPeriod,
                {84, 42, "[obsahuju]:", "[katpoloziek]:", "[db_katpoloziek]", nullptr, nullptr},
                {128, 67, "[uzivatelia_odberatelia]:", "[uzivatel]:", "[db_vystavil]", "[odberatel]:",
                 "[db_odberatelovi]"}},
               false,
               {{0, 89, "[nazov]", "[udb_nazov]", haLeft},
                {89, 18, "[pocet]", "[udb_pocet]", haRight},
                {107, 32, "[suma]", "[udb_suma]", haRight}},
               {{39, 4, "[summary_sumacelkom]:", "[udb_summary_sumacelkom]"}}});
}

} // namespace layoutgen
