// Alias names of source objects.
#include "report/engine/trpdictionary.h"

namespace bralvo::report {

void TrpDictionary::Clear()
{
    m_names.clear();
    m_sourceNames.clear();
}

void TrpDictionary::Add(const QString &name, const QString &sourceName, TrpComponent *object)
{
    m_sourceNames.append(Source{sourceName, object});
    m_names.insert(name.toLower(), Entry{name, int(m_sourceNames.size()) - 1});
}

void TrpDictionary::AddUnique(const QString &base, const QString &sourceName, QString &name, TrpComponent *object)
{
    name = CreateUniqueName(base);
    Add(name, sourceName, object);
}

QString TrpDictionary::CreateUniqueName(const QString &base) const
{
    int n = 10000;
    while (n > 1) {
        if (Contains(base + QString::number(n)))
            break;
        n /= 2;
    }
    while (Contains(base + QString::number(n)))
        ++n;
    return base + QString::number(n);
}

TrpComponent *TrpDictionary::GetObject(const QString &name) const
{
    const auto it = m_names.constFind(name.toLower());
    return it == m_names.constEnd() ? nullptr : m_sourceNames.at(it->position).object;
}

QString TrpDictionary::GetSourceName(const QString &name) const
{
    const auto it = m_names.constFind(name.toLower());
    return it == m_names.constEnd() ? QString() : m_sourceNames.at(it->position).sourceName;
}

QStringList TrpDictionary::Names() const
{
    QStringList out;
    out.reserve(m_names.size());
    for (const Entry &e : m_names)
        out.append(e.name);
    return out;
}

} // namespace bralvo::report
