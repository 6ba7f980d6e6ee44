// Printer code texts of dot-matrix reports: the command text of a
// dot-matrix command object and every command of a printer command set.
#pragma once

#include <QByteArray>
#include <QString>

namespace bralvo::report {

// Text -> bytes. A text starting with "#" is decimal codes, each after a
// "#" ("#27#83#01" gives 27, 83, 1); any other text is pairs of hex
// digits in either case ("1B40" gives 0x1B, 0x40) and an odd last digit
// is ignored. "" gives no bytes.
// Throws platform::ConversionError ("'x' is not a valid integer value")
// for a part that is not a number (an empty decimal code included), and
// for a decimal code outside 0..255: such a code cannot be one byte, and
// sending its low bits would drive the printer with a command nobody wrote.
QByteArray DecodeCommand(const QString &text);

} // namespace bralvo::report
