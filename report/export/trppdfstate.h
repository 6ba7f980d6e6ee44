// What a page's content stream has set so far: colours, line width, font
// and character spacing. A value is written only when it differs from
// the one in force; "q" saves the state and "Q" brings the saved one
// back, as in PDF. Colours, width and font are unknown at the start of a
// page; character spacing starts at PDF's 0.
#pragma once

#include <vector>

namespace bralvo::report {

struct TrpPDFGraphicsState {
    static constexpr int kUnknownColor = -1 - 0x7FFFFFF; // no colour value takes it
    int fill = kUnknownColor;
    int stroke = kUnknownColor;
    bool widthKnown = false;
    double width = 0;
    int font = -1; // index of the PDF font; -1 unknown
    int fontSize = 0;
    double charSpacing = 0;
};

class TrpPDFStateStack {
public:
    TrpPDFGraphicsState &Current() { return m_current; }
    void Save() { m_saved.push_back(m_current); }
    void Restore()
    {
        if (m_saved.empty())
            return;
        m_current = m_saved.back();
        m_saved.pop_back();
    }

private:
    TrpPDFGraphicsState m_current;
    std::vector<TrpPDFGraphicsState> m_saved;
};

} // namespace bralvo::report
