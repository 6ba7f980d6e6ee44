// Strings stored by what they add to the one before.
#include "db/frontcodedtexts.h"

#include <algorithm>
#include <cstring>

namespace bralvo::db {

namespace {

std::size_t putLength(char *at, std::size_t length)
{
    std::size_t n = 0;
    do {
        quint8 byte = length & 0x7f;
        length >>= 7;
        if (length)
            byte |= 0x80;
        at[n++] = char(byte);
    } while (length);
    return n;
}

std::size_t lengthSize(std::size_t length)
{
    std::size_t n = 1;
    while (length >>= 7)
        ++n;
    return n;
}

std::size_t getLength(const char *&at)
{
    std::size_t length = 0;
    for (int shift = 0;; shift += 7) {
        const quint8 byte = quint8(*at++);
        length |= std::size_t(byte & 0x7f) << shift;
        if (!(byte & 0x80))
            return length;
    }
}

// Shared and added lengths: one byte while they are short (the usual
// case of a sorted list), else a marker byte and two varints.
constexpr quint8 kLongLengths = 0xf0;

std::size_t headerSize(std::size_t shared, std::size_t rest)
{
    return shared < 15 && rest < 16 ? 1 : 1 + lengthSize(shared) + lengthSize(rest);
}

std::size_t putHeader(char *at, std::size_t shared, std::size_t rest)
{
    if (shared < 15 && rest < 16) {
        at[0] = char((shared << 4) | rest);
        return 1;
    }
    at[0] = char(kLongLengths);
    std::size_t n = 1;
    n += putLength(at + n, shared);
    n += putLength(at + n, rest);
    return n;
}

void getHeader(const char *&at, std::size_t &shared, std::size_t &rest)
{
    const quint8 first = quint8(*at++);
    if (first != kLongLengths) {
        shared = first >> 4;
        rest = first & 0x0f;
        return;
    }
    shared = getLength(at);
    rest = getLength(at);
}

} // namespace

// Room for one encoded string; a string never straddles two blocks.
char *FrontCodedTexts::room(std::size_t size)
{
    if (m_blocks.empty() || m_blocks.back().capacity - m_blocks.back().used < size) {
        Block block;
        block.capacity = std::max(kBlock, size);
        block.bytes = std::make_unique<char[]>(block.capacity);
        m_blocks.push_back(std::move(block));
    }
    Block &last = m_blocks.back();
    char *at = last.bytes.get() + last.used;
    last.used += size;
    return at;
}

void FrontCodedTexts::push_back(const char *data, int size)
{
    std::size_t shared = 0;
    if (m_count % kGroup != 0) {
        const std::size_t most = std::min<std::size_t>(std::size_t(size), std::size_t(m_last.size()));
        while (shared < most && m_last[qsizetype(shared)] == data[shared])
            ++shared;
    }
    const std::size_t rest = std::size_t(size) - shared;
    const std::size_t encoded = headerSize(shared, rest) + rest;
    char *at = room(encoded);
    if (m_count % kGroup == 0)
        m_groups.push_back({quint32(m_blocks.size() - 1), quint32(at - m_blocks.back().bytes.get())});
    at += putHeader(at, shared, rest);
    if (rest > 0)
        std::memcpy(at, data + shared, rest);
    m_last.truncate(qsizetype(shared));
    m_last.append(data + shared, qsizetype(rest));
    ++m_count;
}

QByteArray FrontCodedTexts::at(std::size_t index) const
{
    QByteArray text;
    if (index >= m_count)
        return text;
    Place place = m_groups[index / kGroup];
    for (std::size_t i = index / kGroup * kGroup; i <= index; ++i) {
        if (place.offset >= m_blocks[place.block].used) {
            ++place.block;
            place.offset = 0;
        }
        const char *start = m_blocks[place.block].bytes.get() + place.offset;
        const char *at = start;
        std::size_t shared = 0, rest = 0;
        getHeader(at, shared, rest);
        text.truncate(qsizetype(shared));
        text.append(at, qsizetype(rest));
        place.offset += quint32(at + rest - start);
    }
    return text;
}

} // namespace bralvo::db
