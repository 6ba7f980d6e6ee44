// The printed bill: the page layout and the dot-matrix layout with their
// line dataset, and the steps that prepare and show them for a stored
// bill. The editor hands in its state (billprintvalues.h); the pictures,
// the print texts and the header row are set here.
#pragma once

#include "app/billprintvalues.h"

#include <memory>

namespace bralvo::report {
class TrpDotMatrixExport;
class TrpReport;
class TrpUserDataSet;
}

namespace bralvo::app {

class BillReports {
public:
    BillReports();  // loads both layouts
    ~BillReports();

    report::TrpReport &page() const { return *m_page; }    // rpReport1
    report::TrpReport &cells() const { return *m_cells; }  // rpReport2
    report::TrpUserDataSet &lines() const { return *m_lines; }
    // rpDotMatrixExport1: the dot-matrix layout's preview prints through
    // it (file cache, progress, command model 0, text frames, to the
    // printer, its dialog's choices remembered). It is the current
    // dot-matrix export while this object lives.
    report::TrpDotMatrixExport &dotMatrixExport() const { return *m_dotMatrixExport; }

    // Prints the stored bill billId: the print texts of data.language,
    // lineCount line records, the header row, the firm's logo and the
    // user's signature, then the layout [Faktura] DotMatrix chooses,
    // shown through reportShower(). A logo or signature file that is
    // missing or cannot be read clears that picture (the signature falls
    // back to the program's Data/empty.bmp first); printing goes on.
    void print(const QString &billId, BillPrintData data, int lineCount);

    // The data the shown report reads (valid while print runs).
    const BillPrintData &current() const { return m_data; }

private:
    void setPictures();

    std::unique_ptr<report::TrpUserDataSet> m_lines;
    std::unique_ptr<report::TrpReport> m_page, m_cells;
    std::unique_ptr<report::TrpDotMatrixExport> m_dotMatrixExport;
    BillPrintData m_data;
};

} // namespace bralvo::app
