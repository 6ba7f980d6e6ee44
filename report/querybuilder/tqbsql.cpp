// SQL generation from the query model.
#include "report/querybuilder/tqbsql.h"

#include <QSet>

namespace bralvo::report {

namespace {

const QString crlf = QStringLiteral("\r\n");

QString column(const TGridColumn &row)
{
    return row.alias + u'.' + row.field;
}

QString tableEntry(const QString &tableName, const QString &alias)
{
    return QuotedFieldName(tableName) + u' ' + alias;
}

QString condition(const TqbModel &m, const TqbLink &link)
{
    const TqbTable &src = m.Tables[link.SourceTable];
    const TqbTable &dst = m.Tables[link.DestTable];
    return src.Alias + u'.' + QuotedFieldName(src.Fields[link.SourceField].FieldName)
           + JoinOperatorText(link.JOperator) + dst.Alias + u'.'
           + QuotedFieldName(dst.Fields[link.DestField].FieldName);
}

QString selectLine(const TqbModel &m)
{
    QStringList entries;
    for (const TGridColumn &row : m.Rows) {
        if (!row.visible)
            continue;
        entries << (row.function == 0 ? column(row)
                                      : FunctionText(row.function) + u'(' + column(row) + u')');
    }
    return QStringLiteral("SELECT ") + entries.join(QStringLiteral(", "));
}

// FROM lines. Every join line brings in one new table, and its ON names
// only tables that are already in FROM, as engines other than SQLite
// demand: a link whose source is still missing is written the other way
// round (join type mirrored); a link between two tables already there adds
// its condition to the last join line; a link that touches no table there
// yet waits for one that does, and when none does its source comes in by
// CROSS JOIN. Tables of grid rows that no link brings in follow after ", ".
class FromClause {
public:
    explicit FromClause(const TqbModel &m) : m_model(m) {}

    void build()
    {
        QList<TqbLink> pending = m_model.Links;
        if (!pending.isEmpty())
            bringIn(pending.first().SourceTable, QString());
        while (!pending.isEmpty())
            addLink(pending.takeAt(nextLink(pending)));
        for (const TGridColumn &row : m_model.Rows) {
            const QString entry = tableEntry(row.tableName, row.alias);
            if (m_listed.contains(entry))
                continue;
            if (!m_lines.isEmpty())
                m_lines.last() += QStringLiteral(", ");
            m_lines << QStringLiteral("    ") + entry;
            m_listed << entry;
        }
    }

    QStringList lines() const { return m_lines; }
    // Conditions of links that no join line could carry (a link inside a
    // table before any join follows it); they belong to WHERE.
    QStringList conditions() const { return m_conditions; }

private:
    QString entryOf(int table) const
    {
        return tableEntry(m_model.Tables[table].TableName, m_model.Tables[table].Alias);
    }
    bool listed(int table) const { return m_listed.contains(entryOf(table)); }

    void bringIn(int table, const QString &prefix)
    {
        m_lines << QStringLiteral("    ") + prefix + entryOf(table);
        m_listed << entryOf(table);
        m_lastHasOn = false;
    }

    // The first link in link order that touches a table already in FROM,
    // else the first link.
    int nextLink(const QList<TqbLink> &pending) const
    {
        for (int i = 0; i < pending.size(); ++i)
            if (listed(pending[i].SourceTable) || listed(pending[i].DestTable))
                return i;
        return 0;
    }

    void addLink(const TqbLink &link)
    {
        if (!listed(link.SourceTable) && !listed(link.DestTable))
            bringIn(link.SourceTable, QStringLiteral("CROSS JOIN "));
        const QString on = QStringLiteral(" ON (") + condition(m_model, link) + u')';
        if (!listed(link.DestTable)) {
            bringIn(link.DestTable, JoinTypeText(link.JType) + u' ');
            m_lines.last() += on;
            m_lastHasOn = true;
        } else if (!listed(link.SourceTable)) {
            bringIn(link.SourceTable, JoinTypeText(mirrored(link.JType)) + u' ');
            m_lines.last() += on;
            m_lastHasOn = true;
        } else if (m_lastHasOn) {
            m_lines.last() += QStringLiteral(" AND (") + condition(m_model, link) + QStringLiteral(") ");
        } else {
            m_conditions << u'(' + condition(m_model, link) + u')';
        }
    }

    // The same join seen from its other table: left and right swap.
    static qint32 mirrored(qint32 type) { return type == 1 ? 2 : type == 2 ? 1 : type; }

    const TqbModel &m_model;
    QStringList m_lines;
    QStringList m_conditions;
    QSet<QString> m_listed; // whole "table alias" entries, never substrings
    bool m_lastHasOn = false; // the last line is a join with an ON to extend
};

QStringList whereLines(const TqbModel &m, const QStringList &linkConditions)
{
    QStringList lines;
    for (const QString &c : linkConditions)
        lines << QStringLiteral("    ") + c;
    for (const TGridColumn &row : m.Rows)
        if (!row.where.isEmpty())
            lines << QStringLiteral("    ") + column(row) + u' ' + row.where;
    if (lines.isEmpty())
        return lines;
    for (int i = 0; i + 1 < lines.size(); ++i)
        lines[i] += QStringLiteral(" AND");
    lines.prepend(QStringLiteral("WHERE"));
    return lines;
}

QStringList groupAndOrderLines(const TqbModel &m)
{
    QStringList grouped, sorted;
    for (const TGridColumn &row : m.Rows) {
        if (row.group != 0)
            grouped << column(row);
        if (row.sort != 0)
            sorted << column(row) + u' ' + (row.sort == 2 ? QStringLiteral("DESC") : QString());
    }
    QStringList lines;
    if (!grouped.isEmpty())
        lines << QStringLiteral("GROUP BY ") + grouped.join(QStringLiteral(", "));
    if (!sorted.isEmpty())
        lines << (QStringLiteral("ORDER BY ") + sorted.join(QStringLiteral(", "))).trimmed();
    return lines;
}

} // namespace

QString GenerateSQL(const TqbModel &model)
{
    if (model.Rows.isEmpty())
        return QString();
    QStringList lines;
    lines << selectLine(model) << QStringLiteral("FROM");
    FromClause from(model);
    from.build();
    lines << from.lines() << whereLines(model, from.conditions()) << groupAndOrderLines(model);
    return lines.join(crlf) + crlf;
}

} // namespace bralvo::report
