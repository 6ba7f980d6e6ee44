// Values packed by their distance from their chunk's first value.
#include "db/packedvalues.h"

#include <cstring>

namespace bralvo::db {

namespace {

// Distances either side of the base stay small.
quint64 zigzag(quint64 distance)
{
    return (distance << 1) ^ quint64(qint64(distance) >> 63);
}

quint64 unzigzag(quint64 packed)
{
    return (packed >> 1) ^ (~(packed & 1) + 1);
}

int widthOf(quint64 packed)
{
    return packed == 0 ? 0 : packed < 0x100u ? 1 : packed < 0x10000u ? 2 : packed < 0x100000000u ? 4 : 8;
}

quint64 load(const quint8 *bytes, std::size_t index, int width)
{
    quint64 packed = 0;
    std::memcpy(&packed, bytes + index * width, width);  // little-endian
    return packed;
}

} // namespace

void PackedValues::widen(Chunk &chunk, std::size_t used, int width)
{
    auto bytes = std::make_unique<quint8[]>(kChunk * width);
    for (std::size_t i = 0; i < used; ++i) {
        const quint64 packed = chunk.width == 0 ? 0 : load(chunk.bytes.get(), i, chunk.width);
        std::memcpy(bytes.get() + i * width, &packed, width);
    }
    chunk.bytes = std::move(bytes);
    chunk.width = width;
}

void PackedValues::push_back(quint64 value)
{
    const std::size_t index = m_count % kChunk;
    if (index == 0)
        m_chunks.push_back({nullptr, value, 0});
    Chunk &chunk = m_chunks.back();
    const quint64 packed = zigzag(value - chunk.base);
    if (const int width = widthOf(packed); width > chunk.width)
        widen(chunk, index, width);
    if (chunk.width > 0)
        std::memcpy(chunk.bytes.get() + index * chunk.width, &packed, chunk.width);
    ++m_count;
}

quint64 PackedValues::at(std::size_t index) const
{
    const Chunk &chunk = m_chunks[index / kChunk];
    if (chunk.width == 0)
        return chunk.base;
    return chunk.base + unzigzag(load(chunk.bytes.get(), index % kChunk, chunk.width));
}

} // namespace bralvo::db
