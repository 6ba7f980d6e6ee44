// What a prepared report hides from its reader: texts that do not fit in
// their memo and texts that run into each other or into a line.
//
// Page reports are measured with the engine's own text layout (the one
// the preview, printing and the PDF export draw with); dot-matrix
// reports on the character grid of the dot-matrix export, with its own
// wrapping and code page. Each fault is one readable line naming the
// page, the memo and its text.
#pragma once

#include <QStringList>

namespace bralvo::report {
class TrpReport;
}

namespace bralvo::test {

// Faults of every prepared page of the report:
// - a text taller or wider than its memo leaves (clipped);
// - a number wrapped at the blank between two digits (an amount or an
//   IBAN split over two lines reads as two numbers);
// - two texts, or a text and a line, on the same place; on the
//   character grid also two texts with no blank between them.
QStringList LayoutFaults(report::TrpReport &report);

} // namespace bralvo::test
