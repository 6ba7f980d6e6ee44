// Values packed run by run.
#include "db/packedvalues.h"

#include "db/sharedruns.h"

namespace bralvo::db {

void PackedValues::push_back(quint64 value)
{
    if (m_count % kRun != 0 && m_open.empty())
        reopen();
    if (m_open.capacity() < kRun)
        m_open.reserve(kRun);  // once: the run never grows past it
    m_open.push_back(value);
    if (++m_count % kRun == 0)
        pack();
}

quint64 PackedValues::at(std::size_t index) const
{
    const std::size_t run = index / kRun;
    return run < m_runs.size() ? m_runs[run]->at(index % kRun) : m_open[index % kRun];
}

void PackedValues::finish()
{
    if (!m_open.empty())
        pack();
    std::vector<quint64>().swap(m_open);
    m_runs.shrink_to_fit();
}

void PackedValues::shareLastRun(const PackedValues &other)
{
    db::shareLastRun(m_runs, other.m_runs);
}

void PackedValues::pack()
{
    m_runs.push_back(std::make_shared<const PackedRun>(m_open.data(), m_open.size()));
    m_open.clear();
}

// The last run was packed unfilled: back to plain values to go on.
void PackedValues::reopen()
{
    const std::size_t used = m_count % kRun;
    for (std::size_t i = 0; i < used; ++i)
        m_open.push_back(m_runs.back()->at(i));
    m_runs.pop_back();
}

} // namespace bralvo::db
