// The printed bill: the A4 page layout and the dot-matrix layout.
#include "layouts.h"

#include "layoutbuilder.h"

#include "report/model/trpdataset.h"

namespace layoutgen {

namespace {

// The summary keeps to the bottom of the last page: it starts a new page
// when the last line leaves too little room, and sits on the footer.
const char *const kBillScript =
    "procedure MasterData1OnAfterPrint(Sender: TObject);\r\n"
    "begin\r\n"
    "  if Engine.FreeSpace < ReportSummary1.Height + 0.1 then\r\n"
    "    ReportSummary1.StartNewPage := True\r\n"
    "  else\r\n"
    "    ReportSummary1.StartNewPage := False;\r\n"
    "end;\r\n"
    "\r\n"
    "procedure ReportSummary1OnBeforePrint(Sender: TObject);\r\n"
    "begin\r\n"
    "  Engine.CurY := Engine.PageHeight - PageFooter1.Height - ReportSummary1.Height - 0.1;\r\n"
    "end;\r\n"
    "\r\n"
    "begin\r\n"
    "\r\n"
    "end.";

void titleStrip(MmPage &p, TrpBand *b)
{
    p.vline(b, 65, 0, 13);
    p.vline(b, 130, 0, 13);
    p.hline(b, 0, 13, 196);
    Text title{19, 1, haCenter, vaCenter, QStringLiteral("Arial Black")};
    p.memo(b, 0, 0, 65, 13, QStringLiteral("[faktura]"), title);
    p.memo(b, 65, 0.5, 35, 6, QStringLiteral("[fakturacislo]:"), plain(13, haRight));
    p.memo(b, 100, 0, 30, 6.5, QStringLiteral("[db_cislo]"), bold(15));
    p.memo(b, 65, 7, 35, 5, QStringLiteral("[objednavkacislo]:"), plain(12, haRight));
    p.memo(b, 100, 7, 30, 5, QStringLiteral("[db_cislo_objednavky]"), plain(12));
    p.memo(b, 130, 0.5, 36, 4.5, QStringLiteral("[varsymb]:"), bold(13, haRight));
    p.memo(b, 166, 0.5, 30, 4.5, QStringLiteral("[db_vs]"), bold(13));
    p.memo(b, 130, 5, 36, 4, QStringLiteral("[konstsymb]:"), plain(11, haRight));
    p.memo(b, 166, 5, 30, 4, QStringLiteral("[db_ks]"), plain(11));
    p.memo(b, 130, 9, 36, 4, QStringLiteral("[specsymb]:"), plain(11, haRight));
    p.memo(b, 166, 9, 30, 4, QStringLiteral("[db_ss]"), plain(11));
}

// Name, street, town and country of the supplier ("firma") or customer.
void addressBlock(MmPage &p, TrpBand *b, double x, double w, const QString &caption, const QString &who)
{
    p.memo(b, x, 14, w, 4.5, caption, plain(11));
    p.memo(b, x, 18.5, w, 6, QStringLiteral("[db_%1_nazov]").arg(who), bold(15));
    p.memo(b, x, 24.5, w, 4.5, QStringLiteral("[db_%1_ulica]").arg(who), plain(12));
    p.memo(b, x, 29, w, 4.5, QStringLiteral("[db_%1_psc], [db_%1_mesto]").arg(who), plain(12));
    p.memo(b, x, 33.5, w, 4.5, QStringLiteral("[db_%1_stat]").arg(who), plain(12));
    const char *const ids[] = {"ico", "dic", "icdph"};
    for (int i = 0; i < 3; ++i) {
        const double y = 40 + 4.5 * i;
        p.memo(b, x, y, 15, 4.5, QStringLiteral("[%1]").arg(QLatin1String(ids[i])), plain(12, haRight));
        p.memo(b, x + 16, y, 39, 4.5, QStringLiteral("[db_%1_%2]").arg(who, QLatin1String(ids[i])), bold(13));
    }
}

void supplierColumn(MmPage &p, TrpBand *b)
{
    addressBlock(p, b, 1, 55, QStringLiteral("[dodavatel]:"), QStringLiteral("firma"));
    p.picture(b, QStringLiteral("logoFirmy"), 57, 24, 39, 32);
    p.memo(b, 1, 57, 45, 4.5, QStringLiteral("[bankovespojenie]:"), bold(12));
    p.memo(b, 1, 61, 45, 4.5, QStringLiteral("[db_nazov_banky]"), plain(13));
    p.memo(b, 1, 65.5, 45, 4.5, QStringLiteral("[db_cislo_uctu]"), plain(13));
    p.memo(b, 46, 61, 12, 4.5, QStringLiteral("[swift]:"), plain(11, haRight));
    p.memo(b, 58, 61, 39, 4.5, QStringLiteral("[db_swift]"), plain(11));
    p.memo(b, 46, 65.5, 12, 4.5, QStringLiteral("[iban]:"), plain(11, haRight));
    p.memo(b, 58, 65.5, 39, 4.5, QStringLiteral("[db_iban]"), plain(11));
    const char *const contacts[] = {"telefon", "fax", "email"};
    for (int i = 0; i < 3; ++i) {
        const double y = 71 + 4 * i;
        p.memo(b, 1, y, 20, 4, QStringLiteral("[%1]:").arg(QLatin1String(contacts[i])), plain(11));
        p.memo(b, 21, y, 76, 4, QStringLiteral("[db_%1]").arg(QLatin1String(contacts[i])), plain(11));
    }
    p.memo(b, 1, 84, 24, 4, QStringLiteral("[opravnenie]:"), plain(11));
    p.memo(b, 25, 84, 72, 7.5, QStringLiteral("[db_opravnenie]"), plain(11));
}

void customerColumn(MmPage &p, TrpBand *b)
{
    addressBlock(p, b, 99, 96, QStringLiteral("[odberatel]:"), QStringLiteral("odberatel"));
    p.hline(b, 98, 54.5, 98);
    const char *const dates[] = {"vystavenia", "splatnosti", "dodania", "platby"};
    for (int i = 0; i < 4; ++i) {
        const double y = 56 + 5 * i;
        p.memo(b, 99, y, 50, 5, QStringLiteral("[datum%1]:").arg(QLatin1String(dates[i])), plain(13));
        p.memo(b, 150, y, 45, 5, QStringLiteral("[datum_%1]").arg(QLatin1String(dates[i])), bold(13, haRight));
    }
    p.hline(b, 98, 77, 98);
    p.memo(b, 99, 79, 96, 5, QStringLiteral("[formauhrady]:  [db_forma_uhrady]"), plain(12));
}

// Caption columns of the line table: left edge, width, alignment.
struct Column {
    double x, w;
    TrpHAlign h;
    const char *caption;
    const char *cell;
    int cellPx;
};

const Column kLineColumns[] = {
    {0, 7, haRight, "[pc]", "[s_pc]", 9},
    {8, 20, haLeft, "[kod]", "[s_kod]", 11},
    {29, 65, haLeft, "[nazov]", "[s_nazov]", 12},
    {95, 19, haRight, "[mnozstvo]", "[s_mnozstvo]", 12},
    {115, 17, haRight, "[zlava]", "[s_zlava]", 12},
    {133, 22, haCenter, "[cenazajedn]", "[s_cenazajedn]", 12},
    {156, 15, haRight, "[dph]", "[s_dph]", 12},
    {172, 24, haCenter, "[cenacelkom]", "[s_cenacelkom]", 12},
};

void lineBands(MmPage &p, TrpUserDataSet *lines)
{
    auto *header = p.band<TrpPageHeader>(QStringLiteral("PageHeader1"), 10);
    p.frame(header, 0, 0, 196, 10);
    for (const Column &c : kLineColumns) {
        Text t = underlined(12, c.h);
        t.v = vaCenter;
        p.memo(header, c.x, 0, c.w, 10, QString::fromUtf8(c.caption), t);
    }
    auto *master = p.band<TrpMasterData>(QStringLiteral("MasterData1"), 4);
    master->SetDataSet(lines);
    master->SetStretched(true);
    master->SetOnAfterPrint(QStringLiteral("MasterData1OnAfterPrint"));
    for (const Column &c : kLineColumns) {
        // Cells are right-aligned except the code and the name.
        const TrpHAlign h = (c.h == haLeft) ? haLeft : haRight;
        auto *m = p.memo(master, c.x, 0, c.w, 4, QString::fromUtf8(c.cell), plain(c.cellPx, h));
        m->SetStretchMode(smActualHeight);
    }
}

void summaryBand(MmPage &p)
{
    auto *s = p.band<TrpReportSummary>(QStringLiteral("ReportSummary1"), 43);
    s->SetOnBeforePrint(QStringLiteral("ReportSummary1OnBeforePrint"));
    p.frame(s, 0, 0, 196, 43);
    p.vline(s, 58, 0, 43);
    p.vline(s, 115, 0, 43);
    p.memo(s, 1, 1, 56, 3.5, QStringLiteral("[vystavil]:"), plain(8));
    p.memo(s, 1, 4.5, 23, 17, QStringLiteral("[db_uzivatel_textpodpis]"), plain(12));
    p.picture(s, QStringLiteral("obrPodpis"), 25, 3, 32, 19);
    p.hline(s, 1, 23, 56);
    p.memo(s, 1, 24, 56, 3.5, QStringLiteral("[prevzal]:"), plain(8));
    p.memo(s, 59, 1, 55, 3.5, QStringLiteral("[poznamka]:"), plain(8));
    p.memo(s, 59, 5, 55, 37, QStringLiteral("[db_poznamka]"), plain(9, haBlock));
    p.memo(s, 126, 1, 36, 19, QStringLiteral("[suma1_left]"), plain(11, haRight));
    p.memo(s, 163, 1, 32, 19, QStringLiteral("[suma2_right]"), plain(11, haRight));
    p.memo(s, 116, 21, 40, 5, QStringLiteral("[celkom]:"), plain(13));
    p.memo(s, 156, 21, 39, 5, QStringLiteral("[suma_celkom]"), plain(13, haRight));
    p.memo(s, 116, 26, 35, 6, QStringLiteral("[kuhrade]:"), bold(15));
    p.memo(s, 151, 26, 44, 6, QStringLiteral("[suma_kuhrade]"), bold(15, haRight));
    p.memo(s, 116, 33, 79, 4, QStringLiteral("[kurz] [udb_kurz]"), plain(9));
    p.memo(s, 116, 37.5, 79, 4.5, QStringLiteral("[suma_kuhrade2]"), plain(11, haRight));
}

} // namespace

void buildBillPage(TrpReport &report, TrpUserDataSet *lines)
{
    setCommonOptions(report);
    report.ScriptText()->setText(QString::fromLatin1(kBillScript));
    report.DataSets()->Add(lines);
    MmPage p(report, 9, 7, 7, 10, 14);
    // The two page-high lines stand on the page itself.
    p.vline(p.page(), 0, 0, 273);
    p.vline(p.page(), 196, 0, 273);
    auto *title = p.band<TrpReportTitle>(QStringLiteral("ReportTitle1"), 98);
    p.frame(title, 0, 0, 196, 98);
    titleStrip(p, title);
    p.vline(title, 98, 13, 79);
    supplierColumn(p, title);
    customerColumn(p, title);
    p.hline(title, 0, 92, 196);
    p.memo(title, 1, 92.5, 194, 5, QStringLiteral("[fakturujemvam]"), plain(12));
    lineBands(p, lines);
    summaryBand(p);
    auto *footer = p.band<TrpPageFooter>(QStringLiteral("PageFooter1"), 5);
    p.frame(footer, 0, 0, 196, 5);
}

namespace {

void cellTitle(CellPage &p, TrpBand *b)
{
    p.frame(b, 0, 82, 0, 27);
    p.memo(b, 1, 24, 1, 3, QStringLiteral("[faktura]"), fsxBold | fsx12cpi | fsx15cpi, haCenter, vaCenter);
    p.memo(b, 26, 41, 1, 1, QStringLiteral("[fakturacislo]:"), 0, haRight);
    p.memo(b, 42, 52, 1, 1, QStringLiteral("[db_cislo]"));
    p.memo(b, 26, 41, 2, 3, QStringLiteral("[objednavkacislo]:"), 0, haRight);
    p.memo(b, 42, 52, 2, 3, QStringLiteral("[db_cislo_objednavky]"));
    p.memo(b, 54, 71, 1, 1, QStringLiteral("[varsymb]:"), fsxBold, haRight);
    p.memo(b, 72, 81, 1, 1, QStringLiteral("[db_vs]"), fsxBold);
    p.memo(b, 54, 71, 2, 2, QStringLiteral("[konstsymb]:"), 0, haRight);
    p.memo(b, 72, 81, 2, 2, QStringLiteral("[db_ks]"));
    p.memo(b, 54, 71, 3, 3, QStringLiteral("[specsymb]:"), 0, haRight);
    p.memo(b, 72, 81, 3, 3, QStringLiteral("[db_ss]"));
    p.hline(b, 0, 4, 82);
}

void cellParty(CellPage &p, TrpBand *b, int col, const QString &caption, const QString &who)
{
    const int last = col + 39;
    p.memo(b, col, last, 5, 5, caption);
    p.memo(b, col, last, 6, 6, QStringLiteral("[db_%1_nazov]").arg(who), fsxBold);
    p.memo(b, col, last, 7, 7, QStringLiteral("[db_%1_ulica]").arg(who));
    p.memo(b, col, last, 8, 8, QStringLiteral("[db_%1_psc], [db_%1_mesto]").arg(who));
    p.memo(b, col, last, 9, 9, QStringLiteral("[db_%1_stat]").arg(who));
    const char *const ids[] = {"ico", "dic", "icdph"};
    for (int i = 0; i < 3; ++i) {
        p.memo(b, col, col + 8, 11 + i, 11 + i, QStringLiteral("[%1]").arg(QLatin1String(ids[i])), 0, haRight);
        p.memo(b, col + 10, last, 11 + i, 11 + i, QStringLiteral("[db_%1_%2]").arg(who, QLatin1String(ids[i])),
               fsxBold);
    }
}

void cellPayment(CellPage &p, TrpBand *b)
{
    p.hline(b, 0, 14, 82);
    p.memo(b, 1, 20, 15, 15, QStringLiteral("[bankovespojenie]:"), fsxBold);
    p.memo(b, 1, 20, 16, 16, QStringLiteral("[db_nazov_banky]"));
    p.memo(b, 1, 20, 17, 17, QStringLiteral("[db_cislo_uctu]"));
    p.memo(b, 21, 26, 16, 16, QStringLiteral("[swift]:"));
    p.memo(b, 27, 41, 16, 16, QStringLiteral("[db_swift]"));
    p.memo(b, 21, 26, 17, 17, QStringLiteral("[iban]:"));
    p.memo(b, 27, 41, 17, 17, QStringLiteral("[db_iban]"));
    p.vline(b, 42, 14, 8);
    const char *const dates[] = {"vystavenia", "splatnosti", "dodania", "platby"};
    for (int i = 0; i < 4; ++i) {
        p.memo(b, 43, 60, 16 + i, 16 + i, QStringLiteral("[datum%1]:").arg(QLatin1String(dates[i])));
        p.memo(b, 61, 81, 16 + i, 16 + i, QStringLiteral("[datum_%1]").arg(QLatin1String(dates[i])));
    }
    const char *const contacts[] = {"telefon", "fax", "email"};
    for (int i = 0; i < 3; ++i) {
        p.memo(b, 1, 11, 19 + i, 19 + i, QStringLiteral("[%1]:").arg(QLatin1String(contacts[i])), 0, haRight);
        p.memo(b, 13, 41, 19 + i, 19 + i, QStringLiteral("[db_%1]").arg(QLatin1String(contacts[i])));
    }
    p.hline(b, 0, 22, 82);
    p.memo(b, 1, 12, 22, 24, QStringLiteral("[opravnenie]:"), 0, haRight);
    p.memo(b, 14, 45, 22, 24, QStringLiteral("[db_opravnenie]"), 0, haLeft, vaBottom);
    p.memo(b, 47, 60, 22, 24, QStringLiteral("[formauhrady]:"), 0, haRight);
    p.memo(b, 62, 81, 22, 24, QStringLiteral("[db_forma_uhrady]"));
    p.hline(b, 0, 25, 82);
    p.memo(b, 1, 81, 26, 26, QStringLiteral("[fakturujemvam]"));
}

struct CellColumn {
    int first, last;
    const char *caption, *cell;
    TrpHAlign cellAlign;
};

const CellColumn kCellColumns[] = {
    {1, 2, "[pc]", "[s_pc]", haRight},
    {3, 9, "[kod]", "[s_kod]", haLeft},
    {10, 34, "[nazov]", "[s_nazov]", haLeft},
    {35, 43, "[mnozstvo]", "[s_mnozstvo]", haRight},
    {44, 48, "[zlava]", "[s_zlava]", haRight},
    {49, 62, "[cenazajedn]", "[s_cenazajedn]", haRight},
    {63, 67, "[dph]", "[s_dph]", haRight},
    {68, 81, "[cenacelkom]", "[s_cenacelkom]", haRight},
};

void cellLines(CellPage &p, TrpUserDataSet *lines)
{
    auto *header = p.band<TrpPageHeader>(QStringLiteral("PageHeader1"), 4);
    p.frame(header, 0, 82, 0, 3);
    for (const CellColumn &c : kCellColumns)
        p.memo(header, c.first, c.last, 1, 2, QString::fromUtf8(c.caption), 0, haCenter);
    auto *master = p.band<TrpMasterData>(QStringLiteral("MasterData1"), 1);
    master->SetDataSet(lines);
    master->SetStretched(true);
    for (const CellColumn &c : kCellColumns) {
        auto *m = p.memo(master, c.first, c.last, 0, 0, QString::fromUtf8(c.cell), 0, c.cellAlign);
        m->SetStretchMode(c.first <= 10 ? smActualHeight : smMaxHeight);
    }
}

void cellSummary(CellPage &p)
{
    auto *s = p.band<TrpReportSummary>(QStringLiteral("ReportSummary1"), 12);
    p.frame(s, 0, 82, 0, 11);
    p.vline(s, 22, 0, 11);
    p.vline(s, 49, 0, 11);
    p.memo(s, 1, 21, 1, 1, QStringLiteral("[vystavil]:"));
    p.memo(s, 1, 21, 2, 3, QStringLiteral("[db_uzivatel_textpodpis]"));
    p.hline(s, 1, 6, 21);
    p.memo(s, 1, 21, 7, 7, QStringLiteral("[prevzal]:"));
    p.memo(s, 23, 48, 1, 1, QStringLiteral("[poznamka]:"));
    p.memo(s, 23, 48, 2, 10, QStringLiteral("[db_poznamka]"), 0, haBlock);
    p.memo(s, 50, 65, 1, 6, QStringLiteral("[suma1_left]"), 0, haRight);
    p.memo(s, 67, 81, 1, 6, QStringLiteral("[suma2_right]"), 0, haRight);
    p.memo(s, 50, 65, 7, 7, QStringLiteral("[celkom]:"));
    p.memo(s, 66, 81, 7, 7, QStringLiteral("[suma_celkom]"), 0, haRight);
    p.memo(s, 50, 65, 8, 8, QStringLiteral("[kuhrade]:"), fsxBold);
    p.memo(s, 66, 81, 8, 8, QStringLiteral("[suma_kuhrade]"), fsxBold, haRight);
    p.memo(s, 50, 81, 9, 9, QStringLiteral("[kurz] [udb_kurz]"));
    p.memo(s, 50, 81, 10, 10, QStringLiteral("[suma_kuhrade2]"), 0, haRight);
}

} // namespace

void buildBillCells(TrpReport &report, TrpUserDataSet *lines)
{
    setCommonOptions(report);
    report.SetDotMatrixReport(true);
    report.ScriptText()->setText(QStringLiteral("begin\r\n\r\nend."));
    report.DataSets()->Add(lines);
    CellPage p(report, 1, 2.54, 2.54, 4.5, 4.5);
    auto *title = p.band<TrpReportTitle>(QStringLiteral("ReportTitle1"), 28);
    cellTitle(p, title);
    cellParty(p, title, 1, QStringLiteral("[dodavatel]:"), QStringLiteral("firma"));
    cellParty(p, title, 42, QStringLiteral("[odberatel]:"), QStringLiteral("odberatel"));
    cellPayment(p, title);
    cellLines(p, lines);
    cellSummary(p);
    auto *footer = p.band<TrpPageFooter>(QStringLiteral("PageFooter1"), 4);
    p.frame(footer, 0, 82, 0, 3);
}

} // namespace layoutgen
