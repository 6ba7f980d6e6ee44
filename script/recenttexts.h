// A small table of recent answers keyed by a text: the builder and the
// items ask for the same few names ("Result", "i", "Integer") over and
// over, and a slot by the text's hash answers them without making or
// searching anything. Internal to the script layer.
#pragma once

#include "script/shorttexts.h"

#include <QString>
#include <QStringView>
#include <array>
#include <cstddef>

namespace bralvo::script {

template <class Value, std::size_t Slots>
class RecentByText {
public:
    // The value kept for key, or make() kept for it in key's slot (the
    // slot's previous answer goes).
    template <class Make>
    const Value &answer(QStringView key, Make make)
    {
        return answer(key, [key](const Value &) { return key.toString(); }, make);
    }
    // The same; the slot shares key's text.
    template <class Make>
    const Value &answer(const QString &key, Make make)
    {
        return answer(QStringView(key), [&key](const Value &) { return key; }, make);
    }
    // key's own text, shared with its recent equals (a table of texts).
    const QString &sharedText(QStringView key)
    {
        return answer(key, [](const QString &made) { return made; }, [key] { return key.toString(); });
    }
    void clear() { m_slots.fill(Slot()); }

private:
    template <class KeyText, class Make>
    const Value &answer(QStringView key, KeyText keyText, Make make)
    {
        Slot &slot = m_slots[hashOf(key) % Slots];
        // A null slot equals an empty key, but must not answer for it.
        if (slot.key.isNull() || !sameText(slot.key, key)) {
            slot.value = make();
            slot.key = keyText(slot.value);
        }
        return slot.value;
    }

    struct Slot {
        QString key;
        Value value{};
    };

    static std::size_t hashOf(QStringView text)
    {
        std::size_t hash = 0;
        for (const QChar c : text)
            hash = hash * 31 + c.unicode();
        return hash;
    }

    std::array<Slot, Slots> m_slots;
};

} // namespace bralvo::script
