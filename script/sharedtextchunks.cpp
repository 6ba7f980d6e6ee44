#include "script/sharedtextchunks.h"

namespace bralvo::script {

namespace {

// About 4 KB with the header: many texts per allocation, little kept alive
// by one survivor.
constexpr qsizetype kChunkCharacters = 2040;

} // namespace

SharedTextChunks::~SharedTextChunks()
{
    closeChunk();
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
