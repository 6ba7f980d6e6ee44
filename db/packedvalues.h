// A long run of 64-bit values kept in fixed chunks, each value stored as
// its distance from the first value of its chunk, in as few bytes as the
// chunk's largest distance needs (none while every value is the same).
// Growing never copies the run; a chunk is rewritten only when it needs
// wider values, at most four times.
#pragma once

#include <QtGlobal>
#include <memory>
#include <vector>

namespace bralvo::db {

class PackedValues {
public:
    void push_back(quint64 value);
    quint64 at(std::size_t index) const;
    std::size_t size() const { return m_count; }

private:
    static constexpr std::size_t kChunk = 16384;  // values per chunk

    struct Chunk {
        std::unique_ptr<quint8[]> bytes;
        quint64 base = 0;
        int width = 0;
    };

    static void widen(Chunk &chunk, std::size_t used, int width);

    std::vector<Chunk> m_chunks;
    std::size_t m_count = 0;
};

} // namespace bralvo::db
