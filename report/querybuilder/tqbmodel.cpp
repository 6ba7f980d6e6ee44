// The query model's tables, links and grid rows, and its name tables.
#include "report/querybuilder/tqbmodel.h"

#include "report/querybuilder/eqberror.h"

namespace bralvo::report {

namespace {

const char *const fieldTypeNames[30] = {
    "", "String", "Smallint", "Integer", "Word", "Boolean", "Float",
    "Currency", "BCD", "Date", "Time", "DateTime", "Bytes", "VarBytes",
    "AutoInc", "Blob", "Memo", "Graphic", "FmtMemo", "ParadoxOle",
    "DBaseOle", "TypedBinary", "Cursor", "FixedChar", "WideString",
    "Largeint", "ADT", "Array", "Reference", "DataSet"};

const char *const joinOperators[6] = {"=", "<", ">", "<=", ">=", "<>"};
const char *const joinTypes[4] = {"INNER JOIN", "LEFT OUTER JOIN",
                                  "RIGHT OUTER JOIN", "FULL OUTER JOIN"};
const char *const functions[6] = {"", "AVG", "COUNT", "MAX", "MIN", "SUM"};

QString pick(const char *const *table, int size, qint32 index, const char *what)
{
    if (index < 0 || index >= size)
        throw EqbError(QStringLiteral("Unknown %1 %2.")
                           .arg(QLatin1String(what)).arg(index));
    return QString::fromLatin1(table[index]);
}

bool isPlainName(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (QChar c : name)
        if (!c.isLetterOrNumber() && c != u'_' && c != u'$')
            return false;
    return true;
}

void checkIndex(int index, qsizetype count, const char *what)
{
    if (index < 0 || index >= count)
        throw EqbError(QStringLiteral("The model refers to a missing %1 (%2).")
                           .arg(QLatin1String(what)).arg(index));
}

} // namespace

QString FieldTypeName(qint32 code)
{
    if (code < 0 || code >= 30)
        return QString::number(code);
    return QString::fromLatin1(fieldTypeNames[code]);
}

QString JoinOperatorText(qint32 index) { return pick(joinOperators, 6, index, "join operator"); }
QString JoinTypeText(qint32 index) { return pick(joinTypes, 4, index, "join type"); }
QString FunctionText(qint32 index) { return pick(functions, 6, index, "function"); }

QString QuotedFieldName(const QString &name)
{
    if (name == QLatin1String("*") || isPlainName(name))
        return name;
    QString inner = name;
    inner.replace(u'"', QLatin1String("\"\""));
    return u'"' + inner + u'"';
}

QString TqbModel::NewAlias(const QString &tableName) const
{
    // A name starting with anything but a letter would give an alias that
    // is not a valid identifier.
    const QString first = !tableName.isEmpty() && tableName.at(0).isLetter()
                              ? tableName.left(1) : QStringLiteral("T");
    const auto taken = [this](const QString &alias) {
        for (const TqbTable &t : Tables)
            if (t.Alias == alias)
                return true;
        return false;
    };
    QString alias = first;
    for (int n = 1; taken(alias); ++n)
        alias = first + QString::number(n);
    return alias;
}

int TqbModel::AddTable(TqbEngine &engine, const QString &tableName, int left, int top)
{
    TqbTable table;
    table.TableName = tableName;
    table.Alias = NewAlias(tableName);
    table.Left = left;
    table.Top = top;
    engine.ReadFieldList(tableName, table.Fields);
    Tables.append(table);
    return int(Tables.size() - 1);
}

void TqbModel::RemoveTable(int index)
{
    checkIndex(index, Tables.size(), "table");
    QList<TqbLink> kept;
    for (TqbLink link : Links) {
        if (link.SourceTable == index || link.DestTable == index)
            continue;
        if (link.SourceTable > index) --link.SourceTable;
        if (link.DestTable > index) --link.DestTable;
        kept.append(link);
    }
    Links = kept;
    Tables.removeAt(index);
}

int TqbModel::AddLink(const TqbLink &link)
{
    checkIndex(link.SourceTable, Tables.size(), "table");
    checkIndex(link.DestTable, Tables.size(), "table");
    checkIndex(link.SourceField, Tables[link.SourceTable].Fields.size(), "field");
    checkIndex(link.DestField, Tables[link.DestTable].Fields.size(), "field");
    JoinOperatorText(link.JOperator);
    JoinTypeText(link.JType);
    Links.append(link);
    return int(Links.size() - 1);
}

int TqbModel::AddRow(int table, const QString &fieldName)
{
    checkIndex(table, Tables.size(), "table");
    TGridColumn row;
    row.tableName = Tables[table].TableName;
    row.alias = Tables[table].Alias;
    row.field = QuotedFieldName(fieldName);
    Rows.append(row);
    return int(Rows.size() - 1);
}

void TqbModel::Clear()
{
    Rows.clear();
    Links.clear();
    Tables.clear();
}

int TqbModel::FindTable(const QString &tableName, const QString &alias) const
{
    for (int i = 0; i < Tables.size(); ++i)
        if (Tables[i].TableName == tableName && Tables[i].Alias == alias)
            return i;
    return -1;
}

} // namespace bralvo::report
