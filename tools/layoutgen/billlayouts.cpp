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
// A name may take two lines; the captions of the numbers hold the longest
// of the print languages ("Firmennummer:").
void addressBlock(MmPage &p, TrpBand *b, double x, double w, const QString &caption, const QString &who)
{
    p.memo(b, x, 14, w, 4.5, caption, plain(11));
    p.memo(b, x, 18.5, w, 9.5, QStringLiteral("[db_%1_nazov]").arg(who), bold(15));
    p.memo(b, x, 28, w, 4.5, QStringLiteral("[db_%1_ulica]").arg(who), plain(12));
    p.memo(b, x, 32.5, w, 4.5, QStringLiteral("[db_%1_psc], [db_%1_mesto]").arg(who), plain(12));
    p.memo(b, x, 37, w, 4.5, QStringLiteral("[db_%1_stat]").arg(who), plain(12));
    const char *const ids[] = {"ico", "dic", "icdph"};
    for (int i = 0; i < 3; ++i) {
        const double y = 42.5 + 4.5 * i;
        p.memo(b, x, y, 24, 4.5, QStringLiteral("[%1]").arg(QLatin1String(ids[i])), plain(12, haRight));
        p.memo(b, x + 25, y, 30, 4.5, QStringLiteral("[db_%1_%2]").arg(who, QLatin1String(ids[i])), bold(13));
    }
}

void supplierColumn(MmPage &p, TrpBand *b)
{
    addressBlock(p, b, 1, 55, QStringLiteral("[dodavatel]:"), QStringLiteral("firma"));
    p.picture(b, QStringLiteral("logoFirmy"), 57, 24, 39, 32);
    p.memo(b, 1, 57, 55, 4.5, QStringLiteral("[bankovespojenie]:"), bold(12));
    p.memo(b, 1, 61.5, 96, 4.5, QStringLiteral("[db_nazov_banky]"), plain(13));
    p.memo(b, 1, 66, 50, 4.5, QStringLiteral("[db_cislo_uctu]"), plain(13));
    p.memo(b, 51, 66, 14, 4.5, QStringLiteral("[swift]:"), plain(11, haRight));
    p.memo(b, 66, 66, 31, 4.5, QStringLiteral("[db_swift]"), plain(11));
    // The IBAN has a line of its own: it is copied by hand and must show whole.
    p.memo(b, 1, 70.5, 14, 4.5, QStringLiteral("[iban]:"), plain(11));
    p.memo(b, 15, 70.5, 82, 4.5, QStringLiteral("[db_iban]"), plain(11));
    const char *const contacts[] = {"telefon", "fax", "email"};
    for (int i = 0; i < 3; ++i) {
        const double y = 75.5 + 4 * i;
        p.memo(b, 1, y, 20, 4, QStringLiteral("[%1]:").arg(QLatin1String(contacts[i])), plain(11));
        p.memo(b, 21, y, 76, 4, QStringLiteral("[db_%1]").arg(QLatin1String(contacts[i])), plain(11));
    }
    p.memo(b, 1, 88, 24, 4, QStringLiteral("[opravnenie]:"), plain(11));
    p.memo(b, 25, 88, 72, 7.5, QStringLiteral("[db_opravnenie]"), plain(11));
}

void customerColumn(MmPage &p, TrpBand *b)
{
    addressBlock(p, b, 99, 96, QStringLiteral("[odberatel]:"), QStringLiteral("odberatel"));
    p.hline(b, 98, 57, 98);
    const char *const dates[] = {"vystavenia", "splatnosti", "dodania", "platby"};
    for (int i = 0; i < 4; ++i) {
        const double y = 58.5 + 5 * i;
        p.memo(b, 99, y, 50, 5, QStringLiteral("[datum%1]:").arg(QLatin1String(dates[i])), plain(13));
        p.memo(b, 150, y, 45, 5, QStringLiteral("[datum_%1]").arg(QLatin1String(dates[i])), bold(13, haRight));
    }
    p.hline(b, 98, 79.5, 98);
    p.memo(b, 99, 81, 96, 5, QStringLiteral("[formauhrady]:  [db_forma_uhrady]"), plain(12));
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

// The summary holds the most lines a bill can have: four VAT rates with
// base and VAT each, the deducted advances and the rounding.
constexpr double kSummaryHeight = 57.5;

void summaryBand(MmPage &p)
{
    const double h = kSummaryHeight;
    auto *s = p.band<TrpReportSummary>(QStringLiteral("ReportSummary1"), h);
    s->SetOnBeforePrint(QStringLiteral("ReportSummary1OnBeforePrint"));
    p.frame(s, 0, 0, 196, h);
    p.vline(s, 58, 0, h);
    p.vline(s, 115, 0, h);
    p.memo(s, 1, 1, 56, 3.5, QStringLiteral("[vystavil]:"), plain(8));
    p.memo(s, 1, 4.5, 23, 17, QStringLiteral("[db_uzivatel_textpodpis]"), plain(12));
    p.picture(s, QStringLiteral("obrPodpis"), 25, 3, 32, 19);
    p.hline(s, 1, 23, 56);
    p.memo(s, 1, 24, 56, 3.5, QStringLiteral("[prevzal]:"), plain(8));
    p.memo(s, 59, 1, 55, 3.5, QStringLiteral("[poznamka]:"), plain(8));
    p.memo(s, 59, 5, 55, h - 6, QStringLiteral("[db_poznamka]"), plain(9, haBlock));
    p.memo(s, 116, 1, 46, 35, QStringLiteral("[suma1_left]"), plain(11, haRight));
    p.memo(s, 163, 1, 32, 35, QStringLiteral("[suma2_right]"), plain(11, haRight));
    p.memo(s, 116, 36.5, 40, 5, QStringLiteral("[celkom]:"), plain(13));
    p.memo(s, 156, 36.5, 39, 5, QStringLiteral("[suma_celkom]"), plain(13, haRight));
    p.memo(s, 116, 41.5, 35, 6, QStringLiteral("[kuhrade]:"), bold(15));
    p.memo(s, 151, 41.5, 44, 6, QStringLiteral("[suma_kuhrade]"), bold(15, haRight));
    p.memo(s, 116, 48, 79, 4, QStringLiteral("[kurz] [udb_kurz]"), plain(9));
    p.memo(s, 116, 52, 79, 4.5, QStringLiteral("[suma_kuhrade2]"), plain(11, haRight));
}

} // namespace

void buildBillPage(TrpReport &report, TrpUserDataSet *lines)
{
    setCommonOptions(report, QString::fromUtf8("Faktúra"));
    report.ScriptText()->setText(QString::fromLatin1(kBillScript));
    report.DataSets()->Add(lines);
    MmPage p(report, 9, 7, 7, 10, 14);
    // The two page-high lines stand on the page itself.
    p.vline(p.page(), 0, 0, 273);
    p.vline(p.page(), 196, 0, 273);
    auto *title = p.band<TrpReportTitle>(QStringLiteral("ReportTitle1"), 102);
    p.frame(title, 0, 0, 196, 102);
    titleStrip(p, title);
    p.vline(title, 98, 13, 83);
    supplierColumn(p, title);
    customerColumn(p, title);
    p.hline(title, 0, 96, 196);
    p.memo(title, 1, 96.5, 194, 5, QStringLiteral("[fakturujemvam]"), plain(12));
    lineBands(p, lines);
    summaryBand(p);
    auto *footer = p.band<TrpPageFooter>(QStringLiteral("PageFooter1"), 5);
    p.frame(footer, 0, 0, 196, 5);
}

namespace {

constexpr int kCellTitleLines = 29;

// Labels end one column before their values, so that the two never
// read as one word.
void cellTitle(CellPage &p, TrpBand *b)
{
    p.frame(b, 0, 82, 0, kCellTitleLines - 1);
    p.memo(b, 1, 20, 1, 3, QStringLiteral("[faktura]"), fsxBold | fsx12cpi | fsx15cpi, haCenter, vaCenter);
    p.memo(b, 22, 37, 1, 1, QStringLiteral("[fakturacislo]:"), 0, haRight);
    p.memo(b, 39, 49, 1, 1, QStringLiteral("[db_cislo]"));
    // A two-line label ends on the value's line.
    p.memo(b, 22, 37, 2, 3, QStringLiteral("[objednavkacislo]:"), 0, haRight, vaBottom);
    p.memo(b, 39, 49, 2, 3, QStringLiteral("[db_cislo_objednavky]"), 0, haLeft, vaBottom);
    p.memo(b, 51, 70, 1, 1, QStringLiteral("[varsymb]:"), fsxBold, haRight);
    p.memo(b, 72, 81, 1, 1, QStringLiteral("[db_vs]"), fsxBold);
    p.memo(b, 51, 70, 2, 2, QStringLiteral("[konstsymb]:"), 0, haRight);
    p.memo(b, 72, 81, 2, 2, QStringLiteral("[db_ks]"));
    p.memo(b, 51, 70, 3, 3, QStringLiteral("[specsymb]:"), 0, haRight);
    p.memo(b, 72, 81, 3, 3, QStringLiteral("[db_ss]"));
    p.hline(b, 0, 4, 82);
}

// A name may take two lines.
void cellParty(CellPage &p, TrpBand *b, int col, int last, const QString &caption, const QString &who)
{
    p.memo(b, col, last, 5, 5, caption);
    p.memo(b, col, last, 6, 7, QStringLiteral("[db_%1_nazov]").arg(who), fsxBold);
    p.memo(b, col, last, 8, 8, QStringLiteral("[db_%1_ulica]").arg(who));
    p.memo(b, col, last, 9, 9, QStringLiteral("[db_%1_psc], [db_%1_mesto]").arg(who));
    p.memo(b, col, last, 10, 10, QStringLiteral("[db_%1_stat]").arg(who));
    const char *const ids[] = {"ico", "dic", "icdph"};
    for (int i = 0; i < 3; ++i) {
        p.memo(b, col, col + 12, 12 + i, 12 + i, QStringLiteral("[%1]").arg(QLatin1String(ids[i])), 0, haRight);
        p.memo(b, col + 14, last, 12 + i, 12 + i, QStringLiteral("[db_%1_%2]").arg(who, QLatin1String(ids[i])),
               fsxBold);
    }
}

void cellPayment(CellPage &p, TrpBand *b)
{
    p.hline(b, 0, 15, 82);
    p.memo(b, 1, 41, 16, 16, QStringLiteral("[bankovespojenie]:"), fsxBold);
    p.memo(b, 1, 41, 17, 17, QStringLiteral("[db_nazov_banky]"));
    p.memo(b, 1, 22, 18, 18, QStringLiteral("[db_cislo_uctu]"));
    p.memo(b, 24, 29, 18, 18, QStringLiteral("[swift]:"));
    p.memo(b, 31, 41, 18, 18, QStringLiteral("[db_swift]"));
    // The IBAN has a line of its own: it is copied by hand and must show whole.
    p.memo(b, 1, 5, 19, 19, QStringLiteral("[iban]:"));
    p.memo(b, 7, 41, 19, 19, QStringLiteral("[db_iban]"));
    p.vline(b, 42, 15, 8);
    const char *const dates[] = {"vystavenia", "splatnosti", "dodania", "platby"};
    for (int i = 0; i < 4; ++i) {
        p.memo(b, 43, 60, 17 + i, 17 + i, QStringLiteral("[datum%1]:").arg(QLatin1String(dates[i])));
        p.memo(b, 62, 81, 17 + i, 17 + i, QStringLiteral("[datum_%1]").arg(QLatin1String(dates[i])));
    }
    const char *const contacts[] = {"telefon", "fax", "email"};
    for (int i = 0; i < 3; ++i) {
        p.memo(b, 1, 9, 20 + i, 20 + i, QStringLiteral("[%1]:").arg(QLatin1String(contacts[i])), 0, haRight);
        p.memo(b, 11, 41, 20 + i, 20 + i, QStringLiteral("[db_%1]").arg(QLatin1String(contacts[i])));
    }
    // The authorisation and the payment form sit between two frame lines.
    p.hline(b, 0, 23, 82);
    p.memo(b, 1, 13, 24, 25, QStringLiteral("[opravnenie]:"), 0, haRight);
    p.memo(b, 15, 45, 24, 25, QStringLiteral("[db_opravnenie]"), 0, haLeft, vaBottom);
    p.memo(b, 47, 60, 24, 25, QStringLiteral("[formauhrady]:"), 0, haRight);
    p.memo(b, 62, 81, 24, 25, QStringLiteral("[db_forma_uhrady]"));
    p.hline(b, 0, 26, 82);
    p.memo(b, 1, 81, 27, 27, QStringLiteral("[fakturujemvam]"));
}

struct CellColumn {
    int first, last;
    const char *caption, *cell;
    TrpHAlign cellAlign;
};

// A blank column between any two, amounts wide enough for
// 999 999 999,99 with its currency.
const CellColumn kCellColumns[] = {
    {1, 2, "[pc]", "[s_pc]", haRight},
    {4, 10, "[kod]", "[s_kod]", haLeft},
    {12, 26, "[nazov]", "[s_nazov]", haLeft},
    {28, 38, "[mnozstvo]", "[s_mnozstvo]", haRight},
    {40, 44, "[zlava]", "[s_zlava]", haRight},
    {46, 59, "[cenazajedn]", "[s_cenazajedn]", haRight},
    {61, 63, "[dph]", "[s_dph]", haRight},
    {65, 81, "[cenacelkom]", "[s_cenacelkom]", haRight},
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
        m->SetStretchMode(c.first <= 12 ? smActualHeight : smMaxHeight);
    }
}

// The sums take ten lines (four VAT rates with base and VAT, the
// advances, the rounding) and a caption as long as "Bemessungsgrundlage
// 23%": the amounts' block is wider and taller than the note's.
void cellSummary(CellPage &p)
{
    auto *s = p.band<TrpReportSummary>(QStringLiteral("ReportSummary1"), 16);
    p.frame(s, 0, 82, 0, 15);
    p.vline(s, 22, 0, 15);
    p.vline(s, 39, 0, 15);
    p.memo(s, 1, 21, 1, 1, QStringLiteral("[vystavil]:"));
    p.memo(s, 1, 21, 2, 3, QStringLiteral("[db_uzivatel_textpodpis]"));
    p.hline(s, 1, 6, 21);
    p.memo(s, 1, 21, 7, 7, QStringLiteral("[prevzal]:"));
    p.memo(s, 23, 38, 1, 1, QStringLiteral("[poznamka]:"));
    p.memo(s, 23, 38, 2, 14, QStringLiteral("[db_poznamka]"), 0, haBlock);
    p.memo(s, 40, 62, 1, 10, QStringLiteral("[suma1_left]"), 0, haRight);
    p.memo(s, 64, 81, 1, 10, QStringLiteral("[suma2_right]"), 0, haRight);
    p.memo(s, 40, 62, 11, 11, QStringLiteral("[celkom]:"));
    p.memo(s, 64, 81, 11, 11, QStringLiteral("[suma_celkom]"), 0, haRight);
    p.memo(s, 40, 62, 12, 12, QStringLiteral("[kuhrade]:"), fsxBold);
    p.memo(s, 64, 81, 12, 12, QStringLiteral("[suma_kuhrade]"), fsxBold, haRight);
    p.memo(s, 40, 81, 13, 13, QStringLiteral("[kurz] [udb_kurz]"));
    p.memo(s, 40, 81, 14, 14, QStringLiteral("[suma_kuhrade2]"), 0, haRight);
}

} // namespace

void buildBillCells(TrpReport &report, TrpUserDataSet *lines)
{
    setCommonOptions(report, QString::fromUtf8("Faktúra"));
    report.SetDotMatrixReport(true);
    report.ScriptText()->setText(QStringLiteral("begin\r\n\r\nend."));
    report.DataSets()->Add(lines);
    CellPage p(report, 1, 2.54, 2.54, 4.5, 4.5);
    auto *title = p.band<TrpReportTitle>(QStringLiteral("ReportTitle1"), kCellTitleLines);
    cellTitle(p, title);
    cellParty(p, title, 1, 40, QStringLiteral("[dodavatel]:"), QStringLiteral("firma"));
    cellParty(p, title, 42, 81, QStringLiteral("[odberatel]:"), QStringLiteral("odberatel"));
    cellPayment(p, title);
    cellLines(p, lines);
    cellSummary(p);
    auto *footer = p.band<TrpPageFooter>(QStringLiteral("PageFooter1"), 4);
    p.frame(footer, 0, 82, 0, 3);
}

} // namespace layoutgen
