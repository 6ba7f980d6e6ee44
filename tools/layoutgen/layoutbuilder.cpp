#include "layoutbuilder.h"

#include "report/model/trpoptions.h"

#include <cmath>

namespace layoutgen {

namespace {

constexpr double kMm = kPixelsPerMm;

// Pixels of a millimetre length, kept to five decimals so the files read
// cleanly.
double px(double mm) { return std::round(mm * kMm * 1e5) / 1e5; }

void setFont(TrpComponent &c, const Text &t)
{
    bralvo::platform::Font f;
    f.setName(t.family);
    f.setHeight(-t.px);
    f.setStyle(t.style);
    c.SetFont(&f);
    c.SetParentFont(false);
}

} // namespace

int programPreviewButtons()
{
    const int bits[] = {pbPrint, pbExport, pbZoom, pbFind, pbPageSetup, pbTools,
                        pbNavigator, pbExportQuick, pbNoFullScreen};
    int mask = 0;
    for (int b : bits)
        mask |= 1 << b;
    return mask;
}

void setCommonOptions(TrpReport &report, const QString &name)
{
    report.ReportOptions()->SetName(name);
    report.SetScriptLanguage(QStringLiteral("PascalScript"));
    report.PreviewOptions()->SetAllowEdit(false);
    report.PreviewOptions()->SetButtons(programPreviewButtons());
    report.PreviewOptions()->SetModal(true);
    report.PreviewOptions()->SetThumbnailVisible(true);
    report.PreviewOptions()->SetZoom(1.0);
    report.PrintOptions()->SetPrinter(QStringLiteral("Default"));
    // 01.01.2009, so regenerated files compare equal.
    report.ReportOptions()->SetCreateDate(39814);
    report.ReportOptions()->SetLastChange(39814);
    (new TrpDataPage(&report))->setName(QStringLiteral("Data"));
}

MmPage::MmPage(TrpReport &report, int paperSize, double left, double right, double top, double bottom)
    : m_page(new TrpReportPage(&report))
{
    m_page->setName(QStringLiteral("Page1"));
    m_page->SetPaperSize(paperSize);
    m_page->SetLeftMargin(left);
    m_page->SetRightMargin(right);
    m_page->SetTopMargin(top);
    m_page->SetBottomMargin(bottom);
}

double MmPage::printableWidth() const
{
    return m_page->PaperWidth() - m_page->LeftMargin() - m_page->RightMargin();
}

void MmPage::addBand(TrpBand *band, const QString &name, double heightMm)
{
    band->setName(name);
    band->SetBounds(0, px(m_nextTop), px(printableWidth()), px(heightMm));
    m_nextTop += heightMm + 6;
}

TrpMemoView *MmPage::memo(TrpComponent *parent, double x, double y, double w, double h, const QString &text,
                          const Text &t)
{
    auto *m = new TrpMemoView(parent);
    m->CreateUniqueName();
    m->SetBounds(px(x), px(y), px(w), px(h));
    setFont(*m, t);
    m->SetHAlign(t.h);
    m->SetVAlign(t.v);
    m->SetText(text);
    return m;
}

TrpMemoView *MmPage::frame(TrpComponent *parent, double x, double y, double w, double h)
{
    auto *m = memo(parent, x, y, w, h, QString(), plain(12));
    m->Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
    return m;
}

TrpLineView *MmPage::vline(TrpComponent *parent, double x, double y, double h)
{
    auto *l = new TrpLineView(parent);
    l->CreateUniqueName();
    l->SetBounds(px(x), px(y), 0, px(h));
    return l;
}

TrpLineView *MmPage::hline(TrpComponent *parent, double x, double y, double w)
{
    auto *l = new TrpLineView(parent);
    l->CreateUniqueName();
    l->SetBounds(px(x), px(y), px(w), 0);
    return l;
}

TrpPictureView *MmPage::picture(TrpComponent *parent, const QString &name, double x, double y, double w, double h)
{
    auto *p = new TrpPictureView(parent);
    p->setName(name);
    p->SetBounds(px(x), px(y), px(w), px(h));
    p->SetCenter(true);
    p->SetKeepAspectRatio(true);
    p->SetStretched(true);
    return p;
}

CellPage::CellPage(TrpReport &report, int paperSize, double left, double right, double top, double bottom)
    : m_page(new TrpDMPPage(&report))
{
    m_page->setName(QStringLiteral("Page1"));
    m_page->SetPaperSize(paperSize);
    m_page->SetLeftMargin(left);
    m_page->SetRightMargin(right);
    m_page->SetTopMargin(top);
    m_page->SetBottomMargin(bottom);
}

void CellPage::addBand(TrpBand *band, const QString &name, int lines)
{
    band->setName(name);
    const double width = px(m_page->PaperWidth() - m_page->LeftMargin() - m_page->RightMargin());
    band->SetBounds(0, m_nextTop, width, lines * DMPCellHeight);
    m_nextTop += (lines + 2) * DMPCellHeight;
}

TrpDMPMemoView *CellPage::memo(TrpComponent *parent, int firstCol, int lastCol, int topLine, int bottomLine,
                               const QString &text, int fontStyle, TrpHAlign h, TrpVAlign v)
{
    auto *m = new TrpDMPMemoView(parent);
    m->CreateUniqueName();
    m->SetFontStyle(fontStyle);
    m->SetBounds(firstCol * DMPCellWidth, topLine * DMPCellHeight, (lastCol - firstCol + 1) * DMPCellWidth,
                 (bottomLine - topLine + 1) * DMPCellHeight);
    m->SetHAlign(h);
    m->SetVAlign(v);
    m->SetText(text);
    return m;
}

TrpDMPMemoView *CellPage::frame(TrpComponent *parent, int firstCol, int lastCol, int topLine, int bottomLine)
{
    // The dot-matrix export draws a frame in the cells around its memo, so
    // the memo holds the cells inside: the frame stays on the band's own
    // edge cells and never covers the next band's first line.
    auto *m = memo(parent, firstCol + 1, lastCol - 1, topLine + 1, bottomLine - 1, QString());
    m->Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
    return m;
}

TrpDMPLineView *CellPage::vline(TrpComponent *parent, int col, int topLine, int lines)
{
    auto *l = new TrpDMPLineView(parent);
    l->CreateUniqueName();
    l->SetBounds(col * DMPCellWidth, topLine * DMPCellHeight, 0, lines * DMPCellHeight);
    return l;
}

TrpDMPLineView *CellPage::hline(TrpComponent *parent, int firstCol, int line, int cols)
{
    auto *l = new TrpDMPLineView(parent);
    l->CreateUniqueName();
    l->SetBounds(firstCol * DMPCellWidth, line * DMPCellHeight, cols * DMPCellWidth, 0);
    return l;
}

} // namespace layoutgen
