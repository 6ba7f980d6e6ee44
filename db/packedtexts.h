// A long run of byte strings kept in packed runs of kRun strings each
// (TextRun: a stem and counters, else front coded). The strings of the
// last, unfilled run stay plain until it fills or finish() packs it;
// pushing after finish() opens that run again. A packed run is shared,
// not copied, with another store that holds the same strings in the same
// place (shareLastRun): a column that repeats another's texts row for row
// keeps them once.
#pragma once

#include "db/textrun.h"

#include <QByteArray>
#include <memory>
#include <vector>

namespace bralvo::db {

class PackedTexts {
public:
    static constexpr std::size_t kRun = 4096;  // strings per packed run

    void push_back(const char *data, int size);
    // "" for an index past the end.
    QByteArray at(std::size_t index) const;
    std::size_t size() const { return m_count; }
    // Packs the unfilled run and frees the room filling used.
    void finish();
    // Our last packed run becomes the other's run at the same place when
    // both hold the same strings.
    void shareLastRun(const PackedTexts &other);

private:
    void pack();
    void reopen();

    std::vector<std::shared_ptr<const TextRun>> m_runs;
    QByteArray m_openBytes;          // the unfilled run's strings
    std::vector<quint32> m_openEnds; // where each of them ends
    std::size_t m_count = 0;
};

} // namespace bralvo::db
