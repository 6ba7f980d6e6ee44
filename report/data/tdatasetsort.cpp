// Sorting the fetched rows and finding a record by key values.
#include "report/data/dataerror.h"
#include "report/data/tdataset.h"

namespace bralvo::data {

namespace {

struct SortKey {
    int column;
    bool descending;
};

// Nulls first; numbers by value; everything else as text, letter case
// and accents by the user's locale.
int compareCells(const RowSet &rs, int a, int b, int col)
{
    const CellKind ka = rs.kind(a, col), kb = rs.kind(b, col);
    if (ka == CellKind::Null || kb == CellKind::Null)
        return (ka == CellKind::Null && kb == CellKind::Null) ? 0 : (ka == CellKind::Null ? -1 : 1);
    const bool na = ka == CellKind::Integer || ka == CellKind::Real;
    const bool nb = kb == CellKind::Integer || kb == CellKind::Real;
    if (na && nb) {
        if (ka == CellKind::Integer && kb == CellKind::Integer)
            return rs.integer(a, col) < rs.integer(b, col) ? -1 : rs.integer(a, col) > rs.integer(b, col);
        const double x = ka == CellKind::Integer ? double(rs.integer(a, col)) : rs.real(a, col);
        const double y = kb == CellKind::Integer ? double(rs.integer(b, col)) : rs.real(b, col);
        return x < y ? -1 : x > y;
    }
    if (ka == CellKind::Text && kb == CellKind::Text)
        return QString::localeAwareCompare(rs.text(a, col), rs.text(b, col));
    return na ? -1 : (nb ? 1 : 0);
}

QList<SortKey> parseSort(const QString &text, const TFields &fields)
{
    QList<SortKey> keys;
    for (const QString &part : text.split(u',', Qt::SkipEmptyParts)) {
        QStringList words = part.trimmed().split(u' ', Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        bool descending = false;
        if (words.size() > 1) {
            const QString dir = words.last().toUpper();
            if (dir == QLatin1String("DESC") || dir == QLatin1String("ASC")) {
                descending = dir == QLatin1String("DESC");
                words.removeLast();
            }
        }
        QString name = words.join(u' ');
        if (name.startsWith(u'[') && name.endsWith(u']'))
            name = name.mid(1, name.size() - 2);
        const TField *field = fields.FindField(name);
        if (!field)
            throw DataError(QStringLiteral("Field '%1' not found").arg(name));
        keys.append({field->Index(), descending});
    }
    return keys;
}

bool keyMatches(const TField &field, const platform::Variant &wanted, int options)
{
    if (wanted.isNull() || wanted.isEmpty())
        return field.IsNull();
    if (field.IsNull())
        return false;
    if (!wanted.isString())
        return field.Value().equals(wanted);
    QString have = field.AsString();
    const QString want = wanted.toString();
    const Qt::CaseSensitivity cs = (options & loCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (options & loPartialKey)
        return have.startsWith(want, cs);
    return have.compare(want, cs) == 0;
}

} // namespace

void TDataSet::applySort()
{
    if (m_sort.trimmed().isEmpty())
        return;
    const QList<SortKey> keys = parseSort(m_sort, *m_fields);
    const RowSet &rs = *m_rows;
    std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
        for (const SortKey &k : keys) {
            const int c = compareCells(rs, a, b, k.column);
            if (c != 0)
                return k.descending ? c > 0 : c < 0;
        }
        return false;
    });
}

bool TDataSet::Locate(const QString &keyFields, const platform::Variant &keyValues, int options)
{
    if (!m_active)
        throw DataError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    KeepRows();
    QList<TField *> fields;
    for (const QString &name : keyFields.split(u';', Qt::SkipEmptyParts))
        fields.append(FieldByName(name.trimmed()));
    const int saved = m_pos;
    for (int p = 0; p < int(m_order.size()); ++p) {
        moveTo(p);
        bool all = true;
        for (int i = 0; i < fields.size() && all; ++i) {
            const platform::Variant wanted = keyValues.isArray() ? keyValues.element(keyValues.lowBound(1) + i)
                                                                 : keyValues;
            all = keyMatches(*fields.at(i), wanted, options);
        }
        if (all) {
            moveTo(saved);
            GotoBookmark(TBookmark(m_order[size_t(p)]) + 1);
            return true;
        }
    }
    moveTo(saved);
    return false;
}

} // namespace bralvo::data
