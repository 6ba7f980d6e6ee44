// The Windows paper codes that report files store (9 is A4, 256 a custom
// size) with their upright sizes, and the bin codes (7 the automatic bin).
// Report pages and every printer translate between these codes and the
// print server's media names through this table.
#pragma once

#include <QSizeF>
#include <QString>

#include <optional>
#include <span>

namespace bralvo::platform {

inline constexpr int kCustomPaper = 256;  // a size given in millimetres
inline constexpr int kA4Paper = 9;
inline constexpr int kAutoBin = 7;

struct PaperSize {
    int code;    // Windows paper code
    int width;   // tenths of a millimetre, upright
    int height;
};

// The 66 known codes, 1 to 47 and 50 to 68, in code order.
std::span<const PaperSize> paperTable();

// Upright size in millimetres; nullopt for codes the table lacks (48, 49,
// 256 and every other code).
std::optional<QSizeF> paperDimensions(int code);

// The lowest code whose upright size is within one millimetre of the
// given one on both axes (either orientation of the input is accepted);
// 0 when none is.
int paperCodeForSize(double widthMm, double heightMm);

} // namespace bralvo::platform
