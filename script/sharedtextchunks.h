// Many short texts without one heap allocation each.
#pragma once

#include <QString>
#include <QStringView>

#include <algorithm>

namespace bralvo::script {

// Texts made by the ten thousand (the parser's element texts) without one
// allocation each: each text is copied into a chunk of a few KB
// after the texts before it, and its QString refers to its stretch of the
// chunk, holding a reference on the chunk. Such a QString is an ordinary
// one: copies share it, a change copies it first unless it is the chunk's
// last holder (which then owns the whole chunk), and the chunk is freed with
// its last text, whether or not this object still exists. One text kept for
// long keeps its chunk alive, no more. Not for use by several threads at once.
class SharedTextChunks {
public:
    SharedTextChunks() = default;
    ~SharedTextChunks();
    SharedTextChunks(const SharedTextChunks &) = delete;
    SharedTextChunks &operator=(const SharedTextChunks &) = delete;

    // A QString equal to text.toString(); an empty or long text is just that.
    // Inline: the parser and the builder copy a text for nearly every
    // element.
    QString copy(QStringView text)
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

private:
    // Longer texts are rare and would waste a chunk's tail.
    static constexpr qsizetype kLongestSharedText = 256;

    void startChunk();
    void closeChunk();

    QString::DataPointer m_chunk; // the chunk being filled; one reference is ours
    qsizetype m_used = 0;         // characters handed out, with their terminators
    int m_unusedReferences = 0;   // taken ahead for texts still to come
};

} // namespace bralvo::script
