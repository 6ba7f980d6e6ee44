// Bounds on the numbers a report or prepared file may carry. A file is
// input like any other: a width of 1e308 or a font size of a million
// must not reach an int conversion out of range (undefined behaviour) or
// a PDF as "inf". Reading clamps to these bounds; code that turns a
// float into an int goes through ClampToInt.
#pragma once

#include <cmath>
#include <limits>

namespace bralvo::report {

// Positions and sizes, in pixels (and any float property as read).
constexpr double kMaxCoordinate = 100000.0;
// Font sizes, in points.
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 2000;
// Page and band columns: on the widest page each is still 100 pixels
// wide (every column costs a position text of its own).
constexpr int kMaxColumns = 1000;

// Not finite: 0; otherwise within -kMaxCoordinate .. kMaxCoordinate.
inline double ClampCoordinate(double v)
{
    if (!std::isfinite(v))
        return 0.0;
    return v < -kMaxCoordinate ? -kMaxCoordinate : (v > kMaxCoordinate ? kMaxCoordinate : v);
}

// Paper sizes and margins, in millimetres: the same bound in pixels.
constexpr double kMaxMillimetres = kMaxCoordinate / 3.77953;

inline double ClampMillimetres(double v)
{
    if (!std::isfinite(v))
        return 0.0;
    return v < -kMaxMillimetres ? -kMaxMillimetres : (v > kMaxMillimetres ? kMaxMillimetres : v);
}

// Truncates toward zero like int(v), but saturates at the ends of the int
// range; not finite gives 0.
inline int ClampToInt(double v)
{
    if (!std::isfinite(v))
        return 0;
    constexpr double lo = double(std::numeric_limits<int>::min());
    constexpr double hi = double(std::numeric_limits<int>::max());
    return v <= lo ? std::numeric_limits<int>::min() : (v >= hi ? std::numeric_limits<int>::max() : int(v));
}

// Rounds to the nearest int (halves to even), saturating.
inline int RoundToInt(double v)
{
    return ClampToInt(std::nearbyint(v));
}

} // namespace bralvo::report
