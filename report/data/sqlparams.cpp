#include "report/data/sqlparams.h"

namespace bralvo::data {

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// Pos is on an opening character; returns the position after the closer.
qsizetype skipQuoted(const QString &s, qsizetype pos, QChar close)
{
    for (++pos; pos < s.size(); ++pos) {
        if (s.at(pos) == close) {
            if (close != u']' && pos + 1 < s.size() && s.at(pos + 1) == close) {
                ++pos; // doubled quote inside
                continue;
            }
            return pos + 1;
        }
    }
    return s.size();
}

// Returns the position after a comment starting at Pos, or Pos when none.
qsizetype skipComment(const QString &s, qsizetype pos)
{
    if (s.mid(pos, 2) == QLatin1String("--")) {
        const qsizetype end = s.indexOf(u'\n', pos);
        return end < 0 ? s.size() : end + 1;
    }
    if (s.mid(pos, 2) == QLatin1String("/*")) {
        const qsizetype end = s.indexOf(QLatin1String("*/"), pos + 2);
        return end < 0 ? s.size() : end + 2;
    }
    return pos;
}

int indexOfName(const QStringList &names, const QString &name)
{
    for (int i = 0; i < names.size(); ++i)
        if (names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace

ParsedSql parseSqlParams(const QString &sql)
{
    ParsedSql out;
    out.text = sql;
    qsizetype pos = 0;
    while (pos < sql.size()) {
        const QChar c = sql.at(pos);
        if (c == u'\'' || c == u'"' || c == u'`') {
            pos = skipQuoted(sql, pos, c);
        } else if (c == u'[') {
            pos = skipQuoted(sql, pos, u']');
        } else if (const qsizetype after = skipComment(sql, pos); after != pos) {
            pos = after;
        } else if (c == u':' && pos + 1 < sql.size() && sql.at(pos + 1) == u':') {
            pos += 2;
        } else if (c == u':' && pos + 1 < sql.size() && isNameChar(sql.at(pos + 1))) {
            qsizetype end = pos + 1;
            while (end < sql.size() && isNameChar(sql.at(end)))
                ++end;
            const QString name = sql.mid(pos + 1, end - pos - 1);
            int index = indexOfName(out.names, name);
            if (index < 0) {
                index = int(out.names.size());
                out.names.append(name);
            }
            out.uses.append({pos, end - pos, index});
            pos = end;
        } else {
            ++pos;
        }
    }
    return out;
}

QStringList sqlParamNames(const QString &sql)
{
    return parseSqlParams(sql).names;
}

QString ParsedSql::withNumberedMarks() const
{
    QString out = text;
    for (qsizetype i = uses.size() - 1; i >= 0; --i)
        out.replace(uses.at(i).position, uses.at(i).length, u'?' + QString::number(uses.at(i).index + 1));
    return out;
}

QString ParsedSql::withPlainMarks() const
{
    QString out = text;
    for (qsizetype i = uses.size() - 1; i >= 0; --i)
        out.replace(uses.at(i).position, uses.at(i).length, QStringLiteral("?"));
    return out;
}

} // namespace bralvo::data
