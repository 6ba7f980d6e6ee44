// Small helpers the library's own windows share: the colour blend of the
// flat look and the font measures of the screen.
#pragma once

#include <QtGlobal>

class QFont;
class QFontMetrics;

namespace bralvo::report {

// Colours are Windows colour values (0x00BBGGRR, system colours
// 0x80000000 + index resolved to RGB first). A below 100 is the share of
// C1 in per cent, from 100 on in per mille; each channel is
// (C2 * (D - A) + C1 * A + D div 2) div D, so halves round up.
int BlendColors(int c1, int c2, int a);

// The font's measures on the screen.
QFontMetrics GetFontMetrics(const QFont &font);
int FontHeight(const QFont &font);
quint16 MinWord(quint16 a, quint16 b);

// System colour values used by the flat controls.
inline constexpr int clHighlight = int(0x8000000Du);
inline constexpr int clWindow = int(0x80000005u);
inline constexpr int clBtnFace = int(0x8000000Fu);
inline constexpr int clBtnShadow = int(0x80000010u);
inline constexpr int clBtnText = int(0x80000012u);
inline constexpr int clGrayText = int(0x80000011u);
inline constexpr int clCaptionText = int(0x80000009u);

} // namespace bralvo::report
