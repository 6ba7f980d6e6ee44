// Cash receipts: one per A4 sheet, and two on one sheet.
#include "layouts.h"

#include "layoutbuilder.h"

namespace layoutgen {

namespace {

constexpr double kBlockHeight = 93;

void issuerPart(MmPage &p, TrpBand *b, double y)
{
    p.memo(b, 2, y + 2, 80, 5, QStringLiteral("[db_firma]"), bold(13));
    p.memo(b, 2, y + 7, 80, 4, QStringLiteral("[db_ulica]"), plain(12));
    p.memo(b, 2, y + 11, 80, 4, QStringLiteral("[db_psc], [db_mesto]"), plain(12));
    p.memo(b, 2, y + 15, 80, 4, QStringLiteral("[db_stat]"), plain(12));
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
        p.memo(b, x, row, 15, 4, QStringLiteral("[%1]:").arg(QLatin1String(ids[i])), plain(11, haRight));
        p.memo(b, x + 16, row, 50, 4, QStringLiteral("[db_%1%2]").arg(QLatin1String(ids[i]), suffix), plain(11));
    }
}

void customerPart(MmPage &p, TrpBand *b, double y)
{
    p.hline(b, 0, y + 33, 170);
    p.memo(b, 2, y + 35, 80, 4.5, QStringLiteral("[prijateod]"), bold(12));
    p.memo(b, 2, y + 40, 80, 4, QStringLiteral("[db_firmao]"), bold(12));
    p.memo(b, 2, y + 44, 80, 4, QStringLiteral("[db_ulicao]"), plain(12));
    p.memo(b, 2, y + 48, 80, 4, QStringLiteral("[db_psco], [db_mestoo]"), plain(12));
    p.memo(b, 2, y + 52, 80, 4, QStringLiteral("[db_stato]"), plain(12));
    idRows(p, b, 90, y + 40, QStringLiteral("o"));
    p.hline(b, 0, y + 57, 170);
}

void amountPart(MmPage &p, TrpBand *b, double y)
{
    p.memo(b, 2, y + 59, 25, 5, QStringLiteral("[suma]:"), bold(13));
    p.memo(b, 28, y + 59, 50, 5, QStringLiteral("[udb_suma]"), bold(13));
    p.memo(b, 80, y + 59, 40, 5, QStringLiteral("[udb_suma2]"), plain(12));
    p.memo(b, 122, y + 59, 46, 5, QStringLiteral("[kurz] [udb_kurz]"), plain(10));
    p.memo(b, 2, y + 65, 25, 4.5, QStringLiteral("[slovom]:"), plain(12));
    p.memo(b, 28, y + 65, 140, 4.5, QStringLiteral("[udb_slovom]"), plain(12));
    p.memo(b, 2, y + 70, 25, 4.5, QStringLiteral("[ucel]:"), plain(12));
    p.memo(b, 28, y + 70, 140, 4.5, QStringLiteral("[db_vs2]"), plain(12));
    p.memo(b, 2, y + 76, 25, 4.5, QStringLiteral("[vystavil]:"), plain(12));
    p.memo(b, 28, y + 76, 55, 4.5, QStringLiteral("[db_vystavil]"), plain(12));
    p.hline(b, 90, y + 85, 35);
    p.hline(b, 131, y + 85, 37);
    p.memo(b, 90, y + 86, 35, 4, QStringLiteral("[schvalil]"), plain(10, haCenter));
    p.memo(b, 131, y + 86, 37, 4, QStringLiteral("[podpisprijemcu]"), plain(10, haCenter));
}

void receiptBlock(MmPage &p, TrpBand *b, double y)
{
    p.frame(b, 0, y, 170, kBlockHeight);
    issuerPart(p, b, y);
    idRows(p, b, 2, y + 20, QString());
    customerPart(p, b, y);
    amountPart(p, b, y);
}

void receiptOptions(TrpReport &report)
{
    setCommonOptions(report);
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
    auto *title = p.band<TrpReportTitle>(QStringLiteral("ReportTitle1"), 235);
    for (double y : {0.0, 140.0}) {
        receiptBlock(p, title, y);
        p.hline(title, 0, y + kBlockHeight + 1, 170);
    }
}

} // namespace layoutgen
