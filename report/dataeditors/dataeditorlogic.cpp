// The data editors' computations.
#include "report/dataeditors/dataeditorlogic.h"

#include "report/model/trpresources.h"

namespace bralvo::report {

namespace {

QPair<QString, QString> splitLine(const QString &line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? qMakePair(line, QString()) : qMakePair(line.left(eq), line.mid(eq + 1));
}

} // namespace

QList<AliasRow> AliasRowsFromLines(const QStringList &fieldAliases)
{
    QList<AliasRow> rows;
    for (const QString &line : fieldAliases) {
        auto [field, alias] = splitLine(line);
        const bool hidden = field.startsWith(QLatin1Char('-'));
        rows.append({alias, hidden ? field.mid(1) : field, !hidden});
    }
    return rows;
}

QList<AliasRow> ResetAliasRows(const QStringList &fieldNames)
{
    QList<AliasRow> rows;
    for (const QString &f : fieldNames)
        rows.append({f, f, true});
    return rows;
}

QList<AliasRow> UpdateAliasRows(const QStringList &fieldNames, const QStringList &fieldAliases)
{
    const QList<AliasRow> current = AliasRowsFromLines(fieldAliases);
    QList<AliasRow> rows;
    for (const QString &f : fieldNames) {
        AliasRow row{f, f, true};
        for (const AliasRow &c : current)
            if (c.field == f) {
                row = c;
                break;
            }
        rows.append(row);
    }
    return rows;
}

QStringList AliasRowsToLines(const QList<AliasRow> &rows)
{
    QStringList lines;
    for (const AliasRow &r : rows)
        lines.append((r.checked ? QString() : QStringLiteral("-")) + r.field + QLatin1Char('=') + r.alias);
    return lines;
}

MasterDetailLists MasterDetailRefresh(const QStringList &detailFields, const QStringList &masterFields,
                                      const QString &links)
{
    MasterDetailLists lists{detailFields, masterFields, {}};
    for (const QString &link : links.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const auto [detail, master] = splitLine(link);
        lists.detail.removeAll(detail);
        lists.master.removeAll(master);
        lists.links.append(link);
    }
    return lists;
}

QString MasterDetailAdd(const QString &links, const QString &detail, const QString &master)
{
    const QString link = detail + QLatin1Char('=') + master;
    return links.isEmpty() ? link : links + QLatin1Char(';') + link;
}

QPoint NewComponentPosition(int objectCount)
{
    return QPoint(100 * (objectCount - 1) + 30, 20);
}

const QStringList &FieldTypeNames()
{
    static const QStringList names = {
        "Unknown", "String", "SmallInt", "Integer", "Word", "Boolean", "Float", "Currency", "BCD", "Date",
        "Time", "DateTime", "Bytes", "VarBytes", "AutoInc", "Blob", "Memo", "Graphic", "FmtMemo",
        "ParadoxOle", "dBaseOle", "TypedBinary", "Cursor", "FixedChar", "WideString", "LargeInt", "ADT",
        "Array", "Reference", "DataSet", "OraBlob", "OraClob", "Variant", "Interface", "IDispatch", "Guid",
        "TimeStamp", "FMTBcd", "FixedWideChar", "WideMemo", "OraTimeStamp", "OraInterval"};
    return names;
}

QString EditorText(const QString &key, const QString &designText)
{
    const QString text = GetResources().Get(key);
    return text == key && !designText.isEmpty() ? designText : text;
}

} // namespace bralvo::report
