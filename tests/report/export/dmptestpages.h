// Prepared pages made in code for the dot-matrix tests: a store over the
// model's stub store with its own quiet report, and helpers placing
// memos, lines and commands by character cell.
#pragma once

#include "report/model/trpband.h"
#include "report/model/trpdmpmemoview.h"
#include "report/model/trpdotmatrix.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"
#include "tests/report/model/stubengine.h"

#include <QRectF>
#include <QTemporaryDir>
#include <QFile>

namespace bralvo::report::testing {

inline TrpReport *newQuietReport()
{
    auto *report = new TrpReport(nullptr);
    report->EngineOptions()->SetNewSilentMode(simSilent);
    return report;
}

class DmpTestStore : public StubPreviewPages {
public:
    DmpTestStore() : StubPreviewPages(newQuietReport()), m_report(Report()) {}
    TrpReport &report() { return *m_report; }

    // A page of Columns x Rows cells with one band over all of it.
    TrpDMPPage &addPage(int columns, int rows)
    {
        auto page = std::make_unique<TrpDMPPage>(nullptr);
        page->SetWidth(columns * DMPCellWidth);
        page->SetHeight(rows * DMPCellHeight);
        auto *band = new TrpMasterData(page.get());
        band->SetBounds(0, 0, columns * DMPCellWidth, rows * DMPCellHeight);
        pages.push_back(std::move(page));
        return static_cast<TrpDMPPage &>(*pages.back());
    }

private:
    std::unique_ptr<TrpReport> m_report;
};

inline TrpBand &bandOf(TrpDMPPage &page) { return static_cast<TrpBand &>(*page.Objects().first()); }

inline TrpDMPMemoView &addMemo(TrpDMPPage &page, const QRectF &cells, const QString &text, int style,
                               TrpHAlign hAlign, TrpVAlign vAlign)
{
    auto *memo = new TrpDMPMemoView(&bandOf(page));
    memo->SetFontStyle(style);
    memo->SetBounds(cells.left() * DMPCellWidth, cells.top() * DMPCellHeight, cells.width() * DMPCellWidth,
                    cells.height() * DMPCellHeight);
    memo->SetText(text);
    memo->SetHAlign(hAlign);
    memo->SetVAlign(vAlign);
    return *memo;
}

inline TrpDMPLineView &addLine(TrpDMPPage &page, int column, int row, int columns, int rows)
{
    auto *line = new TrpDMPLineView(&bandOf(page));
    line->SetBounds(column * DMPCellWidth, row * DMPCellHeight, columns * DMPCellWidth, rows * DMPCellHeight);
    return *line;
}

inline TrpDMPCommand &addCommand(TrpDMPPage &page, int column, int row, const QString &command)
{
    auto *c = new TrpDMPCommand(&bandOf(page));
    c->SetBounds(column * DMPCellWidth, row * DMPCellHeight, 0, 0);
    c->SetCommand(command);
    return *c;
}

} // namespace bralvo::report::testing
