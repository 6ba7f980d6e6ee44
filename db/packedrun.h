// Up to a few thousand 64-bit values packed as one unit: each value is
// kept as its distance from a straight line through the run (flat, or
// through its first and last value), in as few bits as the widest
// distance needs. Codes of a few hundred distinct values take a few bits
// each, an ascending id or bill counter two; values that all agree take
// none. Arithmetic wraps at 2^64, so any bit pattern (a double's too) is
// kept exactly.
#pragma once

#include <QtGlobal>
#include <cstddef>
#include <vector>

namespace bralvo::db {

class PackedRun {
public:
    // Packs values[0..count); count may be 0.
    PackedRun(const quint64 *values, std::size_t count);

    // Index below the count packed; anything else is undefined.
    quint64 at(std::size_t index) const;
    // The same values packed the same way.
    bool operator==(const PackedRun &other) const;

private:
    quint64 m_first = 0;
    quint64 m_step = 0;  // the line's rise per index, fixed point
    quint64 m_low = 0;  // the smallest distance from the line
    int m_width = 0;    // bits per value, 0 to 64
    std::vector<quint64> m_words;
};

} // namespace bralvo::db
