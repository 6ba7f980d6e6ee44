// Class identity and assignment of the class library's root class.
#include "platform/persistent.h"

#include <algorithm>

namespace bralvo::platform {

bool ClassInfo::inheritsFrom(const ClassInfo &other) const
{
    for (const ClassInfo *c = this; c; c = c->parent) {
        if (c == &other)
            return true;
    }
    return false;
}

namespace {

// FNV-1a over the lower-cased name; kNotAscii when a character is not
// ASCII, whose case-blind equality only Qt's folding decides.
constexpr quint32 kNotAscii = 0;

quint32 asciiNameHash(QStringView name)
{
    quint32 h = 2166136261u;
    for (const QChar ch : name) {
        char16_t c = ch.unicode();
        if (c >= 0x80)
            return kNotAscii;
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c + 32);
        h = (h ^ c) * 16777619u;
    }
    return h == kNotAscii ? 1 : h;
}

// Equality ignoring case of two names known to be ASCII.
bool sameAsciiName(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    for (qsizetype i = 0; i < a.size(); ++i)
        if (lower(a[i].unicode()) != lower(b[i].unicode()))
            return false;
    return true;
}

} // namespace

const PropertyTable &ClassInfo::allProperties() const
{
    if (!m_allBuilt) {
        if (parent)
            m_all = parent->allProperties();
        m_all.append(ownProperties);
        m_byName.clear();
        for (int i = 0; i < m_all.size(); ++i) {
            const quint32 h = asciiNameHash(m_all[i].name);
            if (h != kNotAscii)
                m_byName.push_back({h, i});
        }
        // Stable: among equal names the first declared stays first.
        std::stable_sort(m_byName.begin(), m_byName.end(),
                         [](const NameSlot &a, const NameSlot &b) { return a.hash < b.hash; });
        m_allBuilt = true;
    }
    return m_all;
}

const PropInfo *ClassInfo::findProperty(const QString &name) const
{
    const PropertyTable &all = allProperties();
    const quint32 h = asciiNameHash(name);
    const PropInfo *indexed = nullptr;
    if (h != kNotAscii) {
        auto it = std::lower_bound(m_byName.begin(), m_byName.end(), h,
                                   [](const NameSlot &s, quint32 v) { return s.hash < v; });
        for (; it != m_byName.end() && it->hash == h && !indexed; ++it)
            if (sameAsciiName(all[it->index].name, name))
                indexed = &all[it->index];
        if (m_byName.size() == size_t(all.size()))
            return indexed;
    }
    // The index cannot decide a non-ASCII name, nor whether Qt's folding
    // (the long s, the Kelvin sign) matches an unindexed non-ASCII property
    // declared before the indexed one.
    for (const PropInfo &p : all) {
        if (&p == indexed || (p.name.size() == name.size() && p.name.compare(name, Qt::CaseInsensitive) == 0))
            return &p;
    }
    return nullptr;
}

const ClassInfo &Persistent::staticClass()
{
    static const ClassInfo info = makeClassInfo("TPersistent", nullptr, nullptr, [](PropertyTable &) {});
    return info;
}

void Persistent::assign(const Persistent &source)
{
    source.assignTo(*this);
}

void Persistent::assignTo(Persistent &dest) const
{
    throw AssignError(QStringLiteral("Cannot assign a %1 to a %2").arg(className(), dest.className()));
}

} // namespace bralvo::platform
