// Helpers that build the program's report layouts object by object in
// millimetres (page layouts) or character cells (dot-matrix layouts).
#pragma once

#include "report/model/trpband.h"
#include "report/model/trpdotmatrix.h"
#include "report/model/trpdmpmemoview.h"
#include "report/model/trplineview.h"
#include "report/model/trpmemoview.h"
#include "report/model/trppage.h"
#include "report/model/trppictureview.h"
#include "report/model/trpreport.h"

#include <QString>

namespace layoutgen {

using namespace bralvo::report;

// The preview buttons of every program layout: print, export, zoom,
// find, page setup, tools, navigator, quick export, no full screen.
int programPreviewButtons();

// Options every layout shares: version, PascalScript, modal preview
// without editing, thumbnails, zoom 1, default printer, fixed dates so
// the files are stable. Name is the document's kind: print jobs and
// proposed PDF files are called by it.
void setCommonOptions(TrpReport &report, const QString &name);

// Text style of a memo.
struct Text {
    int px = 12;                 // font height in pixels at 96 dpi
    int style = 0;               // platform FontStyle bits
    TrpHAlign h = haLeft;
    TrpVAlign v = vaTop;
    QString family = QStringLiteral("Arial");
};

inline Text bold(int px, TrpHAlign h = haLeft) { return Text{px, 1, h}; }
inline Text plain(int px, TrpHAlign h = haLeft) { return Text{px, 0, h}; }
inline Text underlined(int px, TrpHAlign h = haLeft) { return Text{px, 4, h}; }

// A page of millimetre positions.
class MmPage {
public:
    MmPage(TrpReport &report, int paperSize, double left, double right, double top, double bottom);
    TrpReportPage *page() const { return m_page; }
    // A band stacked below the previous one.
    template <class Band>
    Band *band(const QString &name, double heightMm)
    {
        auto *b = new Band(m_page);
        addBand(b, name, heightMm);
        return b;
    }
    TrpMemoView *memo(TrpComponent *parent, double x, double y, double w, double h, const QString &text,
                      const Text &t);
    // An empty memo framed on all four sides (framed bands and strips).
    TrpMemoView *frame(TrpComponent *parent, double x, double y, double w, double h);
    TrpLineView *vline(TrpComponent *parent, double x, double y, double h);
    TrpLineView *hline(TrpComponent *parent, double x, double y, double w);
    TrpPictureView *picture(TrpComponent *parent, const QString &name, double x, double y, double w, double h);
    double printableWidth() const;

private:
    void addBand(TrpBand *band, const QString &name, double heightMm);
    TrpReportPage *m_page;
    double m_nextTop = 0;
};

// A dot-matrix page of character cells (column 1/10 inch, line 1/6 inch).
class CellPage {
public:
    CellPage(TrpReport &report, int paperSize, double left, double right, double top, double bottom);
    TrpDMPPage *page() const { return m_page; }
    template <class Band>
    Band *band(const QString &name, int lines)
    {
        auto *b = new Band(m_page);
        addBand(b, name, lines);
        return b;
    }
    // Columns first..last (inclusive) on lines top..bottom.
    TrpDMPMemoView *memo(TrpComponent *parent, int firstCol, int lastCol, int topLine, int bottomLine,
                         const QString &text, int fontStyle = 0, TrpHAlign h = haLeft, TrpVAlign v = vaTop);
    TrpDMPMemoView *frame(TrpComponent *parent, int firstCol, int lastCol, int topLine, int bottomLine);
    TrpDMPLineView *vline(TrpComponent *parent, int col, int topLine, int lines);
    TrpDMPLineView *hline(TrpComponent *parent, int firstCol, int line, int cols);

private:
    void addBand(TrpBand *band, const QString &name, int lines);
    TrpDMPPage *m_page;
    double m_nextTop = 0;
};

} // namespace layoutgen
