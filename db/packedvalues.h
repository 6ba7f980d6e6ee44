// A long run of 64-bit values kept in packed runs of kRun values each
// (PackedRun: distances from a line, in as few bits as they need). The
// values of the last, unfilled run stay plain until it fills or finish()
// packs it; pushing after finish() opens that run again. A packed run is
// shared, not copied, with another store that holds the same values in
// the same place (shareLastRun): columns that repeat one another's values
// row for row keep them once.
#pragma once

#include "db/packedrun.h"

#include <QtGlobal>
#include <memory>
#include <vector>

namespace bralvo::db {

class PackedValues {
public:
    static constexpr std::size_t kRun = 4096;  // values per packed run

    void push_back(quint64 value);
    // Index below size(); anything else is undefined.
    quint64 at(std::size_t index) const;
    std::size_t size() const { return m_count; }
    // Packs the unfilled run and frees the room filling used.
    void finish();
    // Our last packed run becomes the other's run at the same place when
    // both hold the same values.
    void shareLastRun(const PackedValues &other);

private:
    void pack();
    void reopen();

    std::vector<std::shared_ptr<const PackedRun>> m_runs;
    std::vector<quint64> m_open;  // the unfilled run's values
    std::size_t m_count = 0;
};

} // namespace bralvo::db
