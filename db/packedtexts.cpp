// Strings packed run by run.
#include "db/packedtexts.h"

#include "db/sharedruns.h"

namespace bralvo::db {

void PackedTexts::push_back(const char *data, int size)
{
    if (m_count % kRun != 0 && m_openEnds.empty())
        reopen();
    if (m_openEnds.capacity() < kRun)
        m_openEnds.reserve(kRun);
    m_openBytes.append(data, size);
    m_openEnds.push_back(quint32(m_openBytes.size()));
    if (++m_count % kRun == 0)
        pack();
}

QByteArray PackedTexts::at(std::size_t index) const
{
    if (index >= m_count)
        return QByteArray();
    const std::size_t run = index / kRun;
    if (run < m_runs.size())
        return m_runs[run]->at(index % kRun);
    const std::size_t i = index % kRun;
    const quint32 start = i == 0 ? 0 : m_openEnds[i - 1];
    return m_openBytes.mid(start, m_openEnds[i] - start);
}

void PackedTexts::finish()
{
    if (!m_openEnds.empty())
        pack();
    m_openBytes = QByteArray();
    std::vector<quint32>().swap(m_openEnds);
    m_runs.shrink_to_fit();
}

void PackedTexts::shareLastRun(const PackedTexts &other)
{
    db::shareLastRun(m_runs, other.m_runs);
}

void PackedTexts::pack()
{
    m_runs.push_back(std::make_shared<const TextRun>(m_openBytes, m_openEnds));
    m_openBytes.resize(0);  // keeps its room for the next run
    m_openEnds.clear();
}

// The last run was packed unfilled: back to plain strings to go on.
void PackedTexts::reopen()
{
    const std::size_t used = m_count % kRun;
    for (std::size_t i = 0; i < used; ++i) {
        m_openBytes.append(m_runs.back()->at(i));
        m_openEnds.push_back(quint32(m_openBytes.size()));
    }
    m_runs.pop_back();
}

} // namespace bralvo::db
