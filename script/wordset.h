// WordSet: a small hashed set of words, each with its index in order of
// adding. Looked up with a word read from the text, in place: either as it
// stands or with ASCII letters lowered (the words added must then be lower
// case already).
#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace bralvo::script {

class WordSet {
public:
    // The index of word, added first when it is not in the set yet.
    int add(const QString &word)
    {
        const int found = find(word, false);
        if (found >= 0)
            return found;
        m_words.push_back(word);
        rehash();
        return int(m_words.size()) - 1;
    }

    // The index of word, or -1. lowerAscii lowers A-Z in word first.
    int find(QStringView word, bool lowerAscii) const
    {
        return probe(word, hashOf(word, lowerAscii), lowerAscii);
    }

    static constexpr int kNotAscii = -2;
    // find(word, true) for a word of ASCII characters, or kNotAscii: one
    // pass over the word for both.
    int findAsciiLowered(QStringView word) const
    {
        size_t h = kHashStart;
        char16_t all = 0;
        for (const QChar c : word) {
            all |= c.unicode();
            h = hashStep(h, lowered(c.unicode(), true));
        }
        if (all >= 128)
            return kNotAscii;
        return probe(word, hashEnd(h), true);
    }

    int size() const { return int(m_words.size()); }
    void clear()
    {
        m_words.clear();
        m_slots.clear();
    }

private:
    static char16_t lowered(char16_t u, bool lowerAscii)
    {
        return lowerAscii && u >= 'A' && u <= 'Z' ? char16_t(u + 32) : u;
    }

    static constexpr size_t kHashStart = 2166136261u;
    static size_t hashStep(size_t h, char16_t u) { return (h ^ u) * 16777619u; }
    static size_t hashEnd(size_t h) { return h ^ (h >> 15); }

    static size_t hashOf(QStringView word, bool lowerAscii)
    {
        size_t h = kHashStart;
        for (const QChar c : word)
            h = hashStep(h, lowered(c.unicode(), lowerAscii));
        return hashEnd(h);
    }

    int probe(QStringView word, size_t hash, bool lowerAscii) const
    {
        if (m_slots.empty())
            return -1;
        const size_t mask = m_slots.size() - 1;
        for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const int index = m_slots[slot];
            if (index < 0)
                return -1;
            if (equal(m_words[size_t(index)], word, lowerAscii))
                return index;
        }
    }

    static bool equal(const QString &stored, QStringView word, bool lowerAscii)
    {
        if (stored.size() != word.size())
            return false;
        for (qsizetype i = 0; i < word.size(); ++i)
            if (stored[i].unicode() != lowered(word[i].unicode(), lowerAscii))
                return false;
        return true;
    }

    void rehash()
    {
        // At most half full, so every probe ends at an empty slot.
        size_t slotCount = 16;
        while (slotCount < m_words.size() * 2)
            slotCount *= 2;
        m_slots.assign(slotCount, -1);
        for (size_t i = 0; i < m_words.size(); ++i) {
            size_t slot = hashOf(m_words[i], false) & (slotCount - 1);
            while (m_slots[slot] >= 0)
                slot = (slot + 1) & (slotCount - 1);
            m_slots[slot] = int(i);
        }
    }

    std::vector<QString> m_words;
    std::vector<int> m_slots;
};

} // namespace bralvo::script
