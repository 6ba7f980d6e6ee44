// Up to a few thousand byte strings packed as one unit, in one of two
// forms chosen when packing. Counter: every string is the same stem and
// then the same number of decimal digits (bill numbers such as
// "2020/000123"), kept as the stem once and the numbers in a PackedRun.
// Front coded: each string as the length it shares with the one before
// and the rest, every sixteenth whole, so reading one decodes at most
// sixteen.
#pragma once

#include "db/packedrun.h"

#include <QByteArray>
#include <optional>
#include <vector>

namespace bralvo::db {

class TextRun {
public:
    // The strings are bytes[ends[i-1], ends[i]), the first from 0.
    TextRun(const QByteArray &bytes, const std::vector<quint32> &ends);

    // Index below the count packed; anything else is undefined.
    QByteArray at(std::size_t index) const;
    // The same strings packed the same way.
    bool operator==(const TextRun &other) const;

private:
    bool packAsCounter(const QByteArray &bytes, const std::vector<quint32> &ends);
    void packFrontCoded(const QByteArray &bytes, const std::vector<quint32> &ends);

    // Counter form.
    QByteArray m_stem;
    int m_digits = 0;
    std::optional<PackedRun> m_numbers;
    // Front-coded form: the coded bytes and where each group starts.
    QByteArray m_coded;
    std::vector<quint32> m_groups;
};

} // namespace bralvo::db
