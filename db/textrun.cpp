// Strings packed as a stem with counters or front coded.
#include "db/textrun.h"

#include <algorithm>
#include <cstring>

namespace bralvo::db {

namespace {

constexpr std::size_t kGroup = 16;
constexpr int kMostDigits = 18;  // a number of 18 digits fits in 63 bits

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int trailingDigits(const char *text, int size)
{
    int digits = 0;
    while (digits < size && digits < kMostDigits && isDigit(text[size - 1 - digits]))
        ++digits;
    return digits;
}

quint64 numberOf(const char *digits, int count)
{
    quint64 number = 0;
    for (int i = 0; i < count; ++i)
        number = number * 10 + quint64(digits[i] - '0');
    return number;
}

void appendLength(QByteArray &out, std::size_t length)
{
    do {
        quint8 byte = length & 0x7f;
        length >>= 7;
        if (length)
            byte |= 0x80;
        out.append(char(byte));
    } while (length);
}

std::size_t readLength(const char *&at)
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

void appendHeader(QByteArray &out, std::size_t shared, std::size_t rest)
{
    if (shared < 15 && rest < 16) {
        out.append(char((shared << 4) | rest));
        return;
    }
    out.append(char(kLongLengths));
    appendLength(out, shared);
    appendLength(out, rest);
}

void readHeader(const char *&at, std::size_t &shared, std::size_t &rest)
{
    const quint8 first = quint8(*at++);
    if (first != kLongLengths) {
        shared = first >> 4;
        rest = first & 0x0f;
        return;
    }
    shared = readLength(at);
    rest = readLength(at);
}

} // namespace

TextRun::TextRun(const QByteArray &bytes, const std::vector<quint32> &ends)
{
    if (!packAsCounter(bytes, ends))
        packFrontCoded(bytes, ends);
}

// Every string the first one's length, its stem, then digits only.
bool TextRun::packAsCounter(const QByteArray &bytes, const std::vector<quint32> &ends)
{
    if (ends.empty())
        return false;
    const int size = int(ends[0]);
    const int digits = trailingDigits(bytes.constData(), size);
    if (digits == 0)
        return false;
    const int stem = size - digits;
    std::vector<quint64> numbers(ends.size());
    for (std::size_t i = 0; i < ends.size(); ++i) {
        const quint32 start = i == 0 ? 0 : ends[i - 1];
        const char *text = bytes.constData() + start;
        if (int(ends[i] - start) != size || std::memcmp(text, bytes.constData(), std::size_t(stem)) != 0
            || !std::all_of(text + stem, text + size, isDigit))
            return false;
        numbers[i] = numberOf(text + stem, digits);
    }
    m_stem = bytes.left(stem);
    m_digits = digits;
    m_numbers.emplace(numbers.data(), numbers.size());
    return true;
}

void TextRun::packFrontCoded(const QByteArray &bytes, const std::vector<quint32> &ends)
{
    m_groups.reserve((ends.size() + kGroup - 1) / kGroup);
    for (std::size_t i = 0; i < ends.size(); ++i) {
        const quint32 start = i == 0 ? 0 : ends[i - 1];
        const std::size_t size = ends[i] - start;
        const char *text = bytes.constData() + start;
        std::size_t shared = 0;
        if (i % kGroup == 0) {
            m_groups.push_back(quint32(m_coded.size()));
        } else {
            const quint32 before = i == 1 ? 0 : ends[i - 2];
            const char *last = bytes.constData() + before;
            const std::size_t most = std::min<std::size_t>(size, start - before);
            while (shared < most && last[shared] == text[shared])
                ++shared;
        }
        appendHeader(m_coded, shared, size - shared);
        m_coded.append(text + shared, qsizetype(size - shared));
    }
    m_coded.squeeze();
}

QByteArray TextRun::at(std::size_t index) const
{
    if (m_numbers) {
        QByteArray text = m_stem;
        text.append(QByteArray::number(m_numbers->at(index)).rightJustified(m_digits, '0'));
        return text;
    }
    QByteArray text;
    const char *at = m_coded.constData() + m_groups[index / kGroup];
    for (std::size_t i = index / kGroup * kGroup; i <= index; ++i) {
        std::size_t shared = 0, rest = 0;
        readHeader(at, shared, rest);
        text.truncate(qsizetype(shared));
        text.append(at, qsizetype(rest));
        at += rest;
    }
    return text;
}

bool TextRun::operator==(const TextRun &other) const
{
    return m_stem == other.m_stem && m_digits == other.m_digits && m_numbers == other.m_numbers
        && m_coded == other.m_coded && m_groups == other.m_groups;
}

} // namespace bralvo::db
