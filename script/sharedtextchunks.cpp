#include "script/sharedtextchunks.h"

#include <algorithm>

namespace bralvo::script {

namespace {

// About 4 KB with the header: many texts per allocation, little kept alive
// by one survivor.
constexpr qsizetype kChunkCharacters = 2040;
// Longer texts are rare and would waste a chunk's tail.
constexpr qsizetype kLongestSharedText = 256;

} // namespace

SharedTextChunks::~SharedTextChunks()
{
    closeChunk();
}

QString SharedTextChunks::copy(QStringView text)
{
    const qsizetype size = text.size();
    if (size == 0 || size > kLongestSharedText)
        return text.toString();
    // Each text is followed by the terminator a QString keeps after its
    // characters, so the next text starts one further on.
    if (m_unusedReferences == 0 || m_used + size + 1 > m_chunk.constAllocatedCapacity())
        startChunk();
    char16_t *const start = m_chunk.data() + m_used;
    std::copy(text.utf16(), text.utf16() + size, start);
    start[size] = u'\0';
    m_used += size + 1;
    --m_unusedReferences; // the text's own
    return QString(QString::DataPointer(m_chunk.d_ptr(), start, size));
}

void SharedTextChunks::startChunk()
{
    closeChunk();
    m_chunk = QString::DataPointer(QTypedArrayData<char16_t>::allocate(kChunkCharacters));
    if (!m_chunk.data())
        qBadAlloc();
    m_used = 0;
    // A reference for every text the chunk can hold (two characters at
    // least, with the terminator), taken at once: one atomic operation per
    // chunk instead of one per text.
    m_unusedReferences = int(m_chunk.constAllocatedCapacity() / 2);
    m_chunk.d_ptr()->ref_.fetchAndAddOrdered(m_unusedReferences);
}

void SharedTextChunks::closeChunk()
{
    if (!m_chunk.d_ptr())
        return;
    // Our own reference stays until the reset, which frees the chunk when
    // no text holds it.
    m_chunk.d_ptr()->ref_.fetchAndSubOrdered(m_unusedReferences);
    m_unusedReferences = 0;
    m_chunk = QString::DataPointer();
    m_used = 0;
}

} // namespace bralvo::script
