// The query model: table boxes with their fields, links between fields
// and the rows of the column grid. The designer window shows it; SQL
// generation and the stored model text read it. Tables are numbered by
// creation order, and links refer to tables and fields by index.
#pragma once

#include "report/querybuilder/tqbengine.h"

#include <QList>
#include <QString>

namespace bralvo::report {

// Display name of a field-type code: "" for 0, "String" for 1, ...; a code
// outside 0..29 shows as its decimal number.
QString FieldTypeName(qint32 code);

// Join operator 0..5 ("=" .. "<>") and join type 0..3 ("INNER JOIN" ..
// "FULL OUTER JOIN"); throws EqbError for any other index.
QString JoinOperatorText(qint32 index);
QString JoinTypeText(qint32 index);
// Aggregate 1..5 ("AVG" .. "SUM"); empty for 0; EqbError otherwise.
QString FunctionText(qint32 index);

// An identifier as it goes into SQL text. Plain names (letters, digits,
// "_", "$") and "*" stand as they are; any other name goes between double
// quotes with inner double quotes doubled, so no name can end the quoting.
QString QuotedFieldName(const QString &name);

struct TqbTable {
    QString TableName;
    QString Alias;
    QList<TqbField> Fields; // item 0 is "*"
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

struct TqbLink {
    int SourceTable = 0, SourceField = 0; // indexes into tables and fields
    int DestTable = 0, DestField = 0;
    qint32 JOperator = 0;                 // 0..5
    qint32 JType = 0;                     // 0..3
};

struct TGridColumn {
    QString tableName;
    QString alias;
    QString field;      // quoted form
    bool visible = true;
    QString where;      // condition fragment after the column, may be empty
    qint32 sort = 0;    // 0 none, 1 ascending, 2 descending
    qint32 function = 0; // 0 none, 1 AVG, 2 COUNT, 3 MAX, 4 MIN, 5 SUM
    qint32 group = 0;   // 0 no, 1 grouped
};

class TqbModel {
public:
    // Adds a table box; the alias is the table name's first character, then
    // that character with 1, 2, ... until no box has it (case-sensitive).
    // The field list comes from the engine. Returns the new table's index.
    int AddTable(TqbEngine &engine, const QString &tableName, int left, int top);
    // Removes a table box with every link that starts or ends at it.
    void RemoveTable(int index);
    // Adds a link; throws EqbError when a table or field index is out of
    // range or the operator or type is unknown. Returns the link's index.
    int AddLink(const TqbLink &link);
    // Appends a grid row with the defaults for field of table.
    int AddRow(int table, const QString &fieldName);
    void Clear();

    // Next free alias for tableName among the current boxes.
    QString NewAlias(const QString &tableName) const;
    // Index of the box with that table name and alias, or -1.
    int FindTable(const QString &tableName, const QString &alias) const;

    QList<TqbTable> Tables;
    QList<TqbLink> Links;
    QList<TGridColumn> Rows;
};

} // namespace bralvo::report
