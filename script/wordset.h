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
        if (m_slots.empty())
            return -1;
        const size_t mask = m_slots.size() - 1;
        for (size_t slot = hashOf(word, lowerAscii) & mask;; slot = (slot + 1) & mask) {
            const int index = m_slots[slot];
            if (index < 0)
                return -1;
            if (equal(m_words[size_t(index)], word, lowerAscii))
                return index;
        }
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

    static size_t hashOf(QStringView word, bool lowerAscii)
    {
        size_t h = 2166136261u;
        for (const QChar c : word)
            h = (h ^ lowered(c.unicode(), lowerAscii)) * 16777619u;
        return h ^ (h >> 15);
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
