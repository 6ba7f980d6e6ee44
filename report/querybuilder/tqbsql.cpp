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

QString joinText(const TqbModel &m, const TqbLink &link)
{
    const TqbTable &dst = m.Tables[link.DestTable];
    return JoinTypeText(link.JType) + u' ' + tableEntry(dst.TableName, dst.Alias)
           + QStringLiteral(" ON (") + condition(m, link) + u')';
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

// FROM lines. Links to the same destination as the line before share one
// join line; each condition names its own link's source table.
QStringList fromLines(const TqbModel &m)
{
    QStringList lines;
    QSet<QString> listed; // whole "table alias" entries, never substrings
    if (!m.Links.isEmpty()) {
        const TqbTable &first = m.Tables[m.Links[0].SourceTable];
        lines << QStringLiteral("    ") + tableEntry(first.TableName, first.Alias);
        listed << tableEntry(first.TableName, first.Alias);
        QString lastDest;
        for (int i = 0; i < m.Links.size(); ++i) {
            const TqbLink &link = m.Links[i];
            const TqbTable &dst = m.Tables[link.DestTable];
            if (i > 0 && dst.Alias == lastDest) {
                lines.last() += QStringLiteral(" AND (") + condition(m, link) + QStringLiteral(") ");
                continue;
            }
            lines << QStringLiteral("    ") + joinText(m, link);
            listed << tableEntry(dst.TableName, dst.Alias);
            lastDest = dst.Alias;
        }
    }
    for (const TGridColumn &row : m.Rows) {
        const QString entry = tableEntry(row.tableName, row.alias);
        if (listed.contains(entry))
            continue;
        if (!lines.isEmpty())
            lines.last() += QStringLiteral(", ");
        lines << QStringLiteral("    ") + entry;
        listed << entry;
    }
    return lines;
}

QStringList whereLines(const TqbModel &m)
{
    QStringList lines;
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
    lines << fromLines(model) << whereLines(model) << groupAndOrderLines(model);
    return lines.join(crlf) + crlf;
}

} // namespace bralvo::report
