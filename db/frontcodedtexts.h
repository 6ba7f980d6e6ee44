// A long run of byte strings in one chunked buffer, each stored as the
// length it shares with the string before it and the rest: a sorted list
// of bill numbers keeps a few bytes per number. Every sixteenth string is
// stored whole, so reading one decodes at most sixteen.
#pragma once

#include <QByteArray>
#include <memory>
#include <vector>

namespace bralvo::db {

class FrontCodedTexts {
public:
    void push_back(const char *data, int size);
    QByteArray at(std::size_t index) const;
    std::size_t size() const { return m_count; }

private:
    static constexpr std::size_t kGroup = 16;
    static constexpr std::size_t kBlock = 65536;

    struct Place {
        quint32 block, offset;
    };
    struct Block {
        std::unique_ptr<char[]> bytes;
        std::size_t capacity = 0, used = 0;
    };

    char *room(std::size_t size);

    std::vector<Block> m_blocks;
    std::vector<Place> m_groups;  // where each group's first string starts
    QByteArray m_last;
    std::size_t m_count = 0;
};

} // namespace bralvo::db
