// A long run of unsigned values of one to eight bytes each, as wide as
// the largest value so far needs (no bytes at all while every value is
// the same), kept in fixed chunks so that growing never copies the run.
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

    static int widthOf(quint64 value);
    void widen(int width);
    quint8 *slot(std::size_t index) const;

    std::vector<std::unique_ptr<quint8[]>> m_chunks;
    std::size_t m_count = 0;
    int m_width = 0;       // 0: every value is m_same
    quint64 m_same = 0;
};

} // namespace bralvo::db
