// Source positions ("line:column") as texts that copy without a reference
// count.
#pragma once

#include <QString>

namespace bralvo::script {

// The text "line:column" of the numbers (as builder::PositionDigits writes
// them) over storage kept for the process's life. A copy or destruction of
// such a QString touches no reference count: every runtime object keeps its
// position, and each atomic count on a shared text stalls the builder
// while it writes new objects. Otherwise an ordinary QString (a change
// copies it first). Each position is stored once, so the storage is bounded
// by the largest positions ever compiled; past a generous limit new
// positions, and any past line 1,048,575 or column 4,095, are made as
// ordinary texts. Safe from any thread.
QString permanentPositionText(int line, int column);
// Makes room at once for the positions of a text of lines lines, about
// to be compiled. Safe from any thread.
void reservePositionTexts(int lines);

} // namespace bralvo::script
