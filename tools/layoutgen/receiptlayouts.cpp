// Cash receipts: one per A4 sheet, and two on one sheet.
#include "layouts.h"

#include "layoutbuilder.h"

namespace layoutgen {

namespace {

// Names and the amount in words may take two lines each.
constexpr double kBlockHeight = 107;

void issuerPart(MmPage &p, TrpBand *b, double y)
{
    p.memo(b, 2, y + 2, 80, 9, QStringLiteral("[db_firma]"), bold(13));
    p.memo(b, 2, y + 11, 80, 4, QStringLiteral("[db_ulica]"), plain(12));
    p.memo(b, 2, y + 15, 80, 4, QStringLiteral("[db_psc], [db_mesto]"), plain(12));
    p.memo(b, 2, y + 19, 80, 4, QStringLiteral("[db_stat]"), plain(12));
    p.memo(b, 90, y + 2, 78, 7, QStringLiteral("[prijmovy]"), bold(19, haCenter));
    p.memo(b, 90, y + 9, 78, 4, QStringLiteral("[danovydoklad]"), plain(12, haCenter));
    p.memo(b, 90, y + 16, 40, 4.5, QStringLiteral("[cislo]:"), plain(12, haRight));
    p.memo(b, 131, y + 16, 37, 4.5, QStringLiteral("[db_vs1]"), bold(12));
    p.memo(b, 90, y + 21, 40, 4.5, QStringLiteral("[zodna]:"), plain(12, haRight));
    p.memo(b, 131, y + 21, 37, 4.5, QStringLiteral("[udb_zodna]"), bold(12));
}

// The ico, dic and icdph labels with the values of one party.
void idRows(MmPage &p, TrpBand *b, double x, double y, const QString &suffix)
{
    const char *const ids[] = {"ico", "dic", "icdph"};
    for (int i = 0; i < 3; ++i) {
        const double row = y + 4 * i;
        p.memo(b, x, row, 22, 4, QStringLiteral("[%1]:").arg(QLatin1String(ids[i])), plain(11, haRight));
        p.memo(b, x + 23, row, 47, 4, QStringLiteral("[db_%1%2]").arg(QLatin1String(ids[i]), suffix), plain(11));
    }
}

void customerPart(MmPage &p, TrpBand *b, double y)
{
    p.hline(b, 0, y + 37, 170);
    p.memo(b, 2, y + 39, 80, 4.5, QStringLiteral("[prijateod]"), bold(12));
    p.memo(b, 2, y + 43.5, 80, 9, QStringLiteral("[db_firmao]"), bold(12));
    p.memo(b, 2, y + 52.5, 80, 4, QStringLiteral("[db_ulicao]"), plain(12));
    p.memo(b, 2, y + 56.5, 80, 4, QStringLiteral("[db_psco], [db_mestoo]"), plain(12));
    p.memo(b, 2, y + 60.5, 80, 4, QStringLiteral("[db_stato]"), plain(12));
    idRows(p, b, 90, y + 43.5, QStringLiteral("o"));
    p.hline(b, 0, y + 65.5, 170);
}

// The rate has a line of its own under the amounts.
void amountPart(MmPage &p, TrpBand *b, double y)
{
    p.memo(b, 2, y + 67.5, 25, 5, QStringLiteral("[suma]:"), bold(13));
    p.memo(b, 28, y + 67.5, 50, 5, QStringLiteral("[udb_suma]"), bold(13));
    p.memo(b, 80, y + 67.5, 50, 5, QStringLiteral("[udb_suma2]"), plain(12));
    p.memo(b, 28, y + 73, 140, 4.5, QStringLiteral("[kurz] [udb_kurz]"), plain(10));
    p.memo(b, 2, y + 78, 25, 4.5, QStringLiteral("[slovom]:"), plain(12));
    p.memo(b, 28, y + 78, 140, 9, QStringLiteral("[udb_slovom]"), plain(12));
    p.memo(b, 2, y + 87.5, 25, 4.5, QStringLiteral("[ucel]:"), plain(12));
    p.memo(b, 28, y + 87.5, 140, 4.5, QStringLiteral("[db_vs2]"), plain(12));
    p.memo(b, 2, y + 93, 25, 4.5, QStringLiteral("[vystavil]:"), plain(12));
    p.memo(b, 28, y + 93, 55, 4.5, QStringLiteral("[db_vystavil]"), plain(12));
    p.hline(b, 90, y + 101, 35);
    p.hline(b, 131, y + 101, 37);
    p.memo(b, 90, y + 102, 35, 4, QStringLiteral("[schvalil]"), plain(10, haCenter));
    p.memo(b, 131, y + 102, 37, 4, QStringLiteral("[podpisprijemcu]"), plain(10, haCenter));
}

void receiptBlock(MmPage &p, TrpBand *b, double y)
{
    p.frame(b, 0, y, 170, kBlockHeight);
    issuerPart(p, b, y);
    idRows(p, b, 2, y + 23.5, QString());
    customerPart(p, b, y);
    amountPart(p, b, y);
}

void receiptOptions(TrpReport &report)
{
    setCommonOptions(report, QString::fromUtf8("Príjmový doklad"));
    report.ScriptText()->setText(QStringLiteral("begin\r\n\r\nend."));
}

} // namespace

void buildReceipt(TrpReport &report)
{
    receiptOptions(report);
    MmPage p(report, 9, 20, 20, 20, 20);
    auto *title = p.band<TrpReportTitle>(QStringLiteral("ReportTitle1"), kBlockHeight);
    receiptBlock(p, title, 0);
    auto *summary = p.band<TrpReportSummary>(QStringLiteral("ReportSummary1"), 5);
    p.frame(summary, 0, 0, 170, 5);
    // The page number stands beyond the band's right edge.
    p.memo(summary, 171, 0, 15, 5, QStringLiteral("[Page#]"), plain(11, haRight));
}

void buildTwoReceipts(TrpReport &report)
{
    receiptOptions(report);
    MmPage p(report, 9, 20, 20, 20, 20);
    auto *title = p.band<TrpReportTitle>(QStringLiteral("ReportTitle1"), 140 + kBlockHeight + 2);
    for (double y : {0.0, 140.0}) {
        receiptBlock(p, title, y);
        p.hline(title, 0, y + kBlockHeight + 1, 170);
    }
}

} // namespace layoutgen
