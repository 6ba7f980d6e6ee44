// Values packed by their distance from a line.
#include "db/packedrun.h"

#include <algorithm>
#include <bit>

namespace bralvo::db {

namespace {

// A line's step is fixed point with 16 fraction bits, so a counter that
// skips every tenth number still lies close to it.
constexpr int kFraction = 16;
// Steeper runs are kept flat: the fixed-point product must stay in 63 bits.
constexpr qint64 kSteepest = qint64(1) << 36;

quint64 lineAt(quint64 step, std::size_t index)
{
    return quint64((qint64(step) * qint64(index)) >> kFraction);
}

struct Fit {
    quint64 step = 0, low = 0;
    int width = 0;
};

// How wide the distances from the line with this step are.
Fit fitLine(const quint64 *values, std::size_t count, quint64 step)
{
    qint64 low = 0, high = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const qint64 distance = qint64(values[i] - values[0] - lineAt(step, i));
        low = std::min(low, distance);
        high = std::max(high, distance);
    }
    const quint64 span = quint64(high) - quint64(low);
    Fit fit;
    fit.step = step;
    fit.low = quint64(low);
    fit.width = int(std::bit_width(span));
    return fit;
}

// The better of a flat line and the line through the first and last
// value: codes are best flat, counters along the line.
Fit bestFit(const quint64 *values, std::size_t count)
{
    const Fit flat = fitLine(values, count, 0);
    const qint64 rise = qint64(values[count - 1] - values[0]);
    if (count < 3 || flat.width == 0 || rise >= kSteepest || rise <= -kSteepest)
        return flat;
    const quint64 step = quint64(rise * (qint64(1) << kFraction) / qint64(count - 1));
    const Fit sloped = fitLine(values, count, step);
    return sloped.width < flat.width ? sloped : flat;
}

void put(quint64 *words, std::size_t index, int width, quint64 value)
{
    const std::size_t bit = index * std::size_t(width);
    const int shift = int(bit % 64);
    words[bit / 64] |= value << shift;
    if (shift + width > 64)
        words[bit / 64 + 1] |= value >> (64 - shift);
}

quint64 get(const quint64 *words, std::size_t index, int width)
{
    const std::size_t bit = index * std::size_t(width);
    const int shift = int(bit % 64);
    quint64 value = words[bit / 64] >> shift;
    if (shift + width > 64)
        value |= words[bit / 64 + 1] << (64 - shift);
    return width == 64 ? value : value & ((quint64(1) << width) - 1);
}

} // namespace

PackedRun::PackedRun(const quint64 *values, std::size_t count)
{
    if (count == 0)
        return;
    const Fit fit = bestFit(values, count);
    m_first = values[0];
    m_step = fit.step;
    m_low = fit.low;
    m_width = fit.width;
    if (m_width == 0)
        return;
    m_words.assign((count * std::size_t(m_width) + 63) / 64, 0);
    for (std::size_t i = 0; i < count; ++i)
        put(m_words.data(), i, m_width, values[i] - m_first - lineAt(m_step, i) - m_low);
}

quint64 PackedRun::at(std::size_t index) const
{
    const quint64 line = m_first + lineAt(m_step, index) + m_low;
    return m_width == 0 ? line : line + get(m_words.data(), index, m_width);
}

bool PackedRun::operator==(const PackedRun &other) const
{
    return m_first == other.m_first && m_step == other.m_step && m_low == other.m_low
        && m_width == other.m_width && m_words == other.m_words;
}

} // namespace bralvo::db
