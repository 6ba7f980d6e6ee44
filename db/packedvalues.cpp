// Values packed to the width they need.
#include "db/packedvalues.h"

#include <cstring>

namespace bralvo::db {

int PackedValues::widthOf(quint64 value)
{
    return value < 0x100u ? 1 : value < 0x10000u ? 2 : value < 0x100000000u ? 4 : 8;
}

quint8 *PackedValues::slot(std::size_t index) const
{
    return m_chunks[index / kChunk].get() + (index % kChunk) * m_width;
}

void PackedValues::push_back(quint64 value)
{
    if (m_count == 0 && m_width == 0)
        m_same = value;
    if (m_width == 0 && value != m_same)
        widen(std::max(widthOf(value), widthOf(m_same)));
    else if (m_width > 0 && widthOf(value) > m_width)
        widen(widthOf(value));
    if (m_width > 0) {
        if (m_count % kChunk == 0)
            m_chunks.push_back(std::make_unique<quint8[]>(kChunk * m_width));
        std::memcpy(slot(m_count), &value, m_width);  // little-endian
    }
    ++m_count;
}

quint64 PackedValues::at(std::size_t index) const
{
    if (m_width == 0)
        return m_same;
    quint64 value = 0;
    std::memcpy(&value, slot(index), m_width);
    return value;
}

// Rewrites chunk by chunk, so only one chunk is held twice.
void PackedValues::widen(int width)
{
    const int from = m_width;
    if (from == 0) {
        for (std::size_t start = 0; start < m_count; start += kChunk) {
            auto chunk = std::make_unique<quint8[]>(kChunk * width);
            for (std::size_t i = 0; i < kChunk && start + i < m_count; ++i)
                std::memcpy(chunk.get() + i * width, &m_same, width);
            m_chunks.push_back(std::move(chunk));
        }
        m_width = width;
        return;
    }
    for (auto &old : m_chunks) {
        auto chunk = std::make_unique<quint8[]>(kChunk * width);
        for (std::size_t i = 0; i < kChunk; ++i) {
            quint64 value = 0;
            std::memcpy(&value, old.get() + i * from, from);
            std::memcpy(chunk.get() + i * width, &value, width);
        }
        old = std::move(chunk);
    }
    m_width = width;
}

} // namespace bralvo::db
