// String list with sorting, duplicates rule and Name=Value access.
#include "platform/stringlist.h"

#include <algorithm>

namespace bralvo::platform {

const ClassInfo &StringList::staticClass()
{
    static const ClassInfo info = makeClassInfo("TStrings", &Persistent::staticClass(),
                                                [](Component *) { return new StringList; },
                                                [](PropertyTable &) {});
    return info;
}

StringList::StringList(const QStringList &lines)
{
    addStrings(lines);
}

void StringList::checkIndex(int index) const
{
    if (index < 0 || index >= m_items.size())
        throw ListIndexError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

const QString &StringList::at(int index) const
{
    checkIndex(index);
    return m_items[index].text;
}

void StringList::set(int index, const QString &text)
{
    if (m_sorted)
        throw ClassLibError(QStringLiteral("Operation not allowed on sorted list"));
    checkIndex(index);
    m_items[index].text = text;
}

void *StringList::object(int index) const
{
    checkIndex(index);
    return m_items[index].object;
}

void StringList::setObject(int index, void *object)
{
    checkIndex(index);
    m_items[index].object = object;
}

int StringList::compareStrings(const QString &a, const QString &b) const
{
    return a.compare(b, m_caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

bool StringList::find(const QString &text, int &index) const
{
    int lo = 0;
    int hi = int(m_items.size()) - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int c = compareStrings(m_items[mid].text, text);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (m_duplicates != Duplicates::Accept)
                    lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

int StringList::add(const QString &text, void *object)
{
    int index = int(m_items.size());
    if (m_sorted) {
        if (find(text, index)) {
            if (m_duplicates == Duplicates::Ignore)
                return index;
            if (m_duplicates == Duplicates::Error)
                throw ClassLibError(QStringLiteral("String list does not allow duplicates"));
        }
    }
    m_items.insert(index, Item{text, object});
    return index;
}

void StringList::addStrings(const QStringList &lines)
{
    for (const QString &line : lines)
        add(line);
}

void StringList::addStrings(const StringList &other)
{
    for (const Item &item : other.m_items)
        add(item.text, item.object);
}

void StringList::insert(int index, const QString &text, void *object)
{
    if (m_sorted)
        throw ClassLibError(QStringLiteral("Operation not allowed on sorted list"));
    if (index < 0 || index > m_items.size())
        throw ListIndexError(QStringLiteral("List index out of bounds (%1)").arg(index));
    m_items.insert(index, Item{text, object});
}

void StringList::remove(int index)
{
    checkIndex(index);
    m_items.removeAt(index);
}

void StringList::clear()
{
    m_items.clear();
}

void StringList::move(int from, int to)
{
    checkIndex(from);
    checkIndex(to);
    m_items.move(from, to);
}

int StringList::indexOf(const QString &text) const
{
    if (m_sorted) {
        int index = 0;
        return find(text, index) ? index : -1;
    }
    for (int i = 0; i < m_items.size(); ++i) {
        if (compareStrings(m_items[i].text, text) == 0)
            return i;
    }
    return -1;
}

int StringList::indexOfObject(const void *object) const
{
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_items[i].object == object)
            return i;
    }
    return -1;
}

QString StringList::name(int index) const
{
    const QString &line = at(index);
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.left(eq);
}

int StringList::indexOfName(const QString &name) const
{
    for (int i = 0; i < m_items.size(); ++i) {
        const QString &line = m_items[i].text;
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0 && compareStrings(line.left(eq), name) == 0)
            return i;
    }
    return -1;
}

QString StringList::value(const QString &name) const
{
    const int i = indexOfName(name);
    return i < 0 ? QString() : m_items[i].text.mid(m_items[i].text.indexOf(u'=') + 1);
}

void StringList::setValue(const QString &name, const QString &value)
{
    const int i = indexOfName(name);
    if (i >= 0 && value.isEmpty())
        remove(i);
    else if (i >= 0)
        m_items[i].text = name + u'=' + value;
    else if (!value.isEmpty())
        add(name + u'=' + value);
}

QString StringList::text() const
{
    QString out;
    for (const Item &item : m_items)
        out += item.text + QStringLiteral("\r\n");
    return out;
}

void StringList::setText(const QString &text)
{
    clear();
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        qsizetype start = i;
        while (i < n && text[i] != u'\r' && text[i] != u'\n')
            ++i;
        add(text.mid(start, i - start));
        if (i < n && text[i] == u'\r')
            ++i;
        if (i < n && text[i] == u'\n')
            ++i;
    }
}

QString StringList::join(const QString &separator) const
{
    return toStringList().join(separator);
}

QStringList StringList::toStringList() const
{
    QStringList out;
    out.reserve(m_items.size());
    for (const Item &item : m_items)
        out << item.text;
    return out;
}

void StringList::setSorted(bool sorted)
{
    if (sorted && !m_sorted) {
        m_sorted = true;
        sort();
    }
    m_sorted = sorted;
}

void StringList::setCaseSensitive(bool on)
{
    m_caseSensitive = on;
    if (m_sorted)
        sort();
}

void StringList::sort()
{
    std::stable_sort(m_items.begin(), m_items.end(),
                     [this](const Item &a, const Item &b) { return compareStrings(a.text, b.text) < 0; });
}

void StringList::assign(const Persistent &source)
{
    const auto *other = dynamic_cast<const StringList *>(&source);
    if (!other) {
        Persistent::assign(source);
        return;
    }
    if (other == this)
        return;
    clear();
    addStrings(*other);
}

} // namespace bralvo::platform
