// What the data editors compute, apart from their windows: the rows of
// the field-aliases editor and the lines they write back, the lists of
// the master-detail editor, where a new data component is placed, the
// field-type names of the parameter editor and a library text with its
// design-time fallback.
#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

namespace bralvo::report {

// One row of the aliases editor: the alias shown, the field it stands
// for, and whether the field is visible (an unchecked row is written
// with "-" before the field name).
struct AliasRow {
    QString alias;
    QString field;
    bool checked = true;
    bool operator==(const AliasRow &) const = default;
};

// Rows from "Field=Alias" lines; "-Field=Alias" gives an unchecked row.
QList<AliasRow> AliasRowsFromLines(const QStringList &fieldAliases);
// Every field, its own name as alias, all checked.
QList<AliasRow> ResetAliasRows(const QStringList &fieldNames);
// The fresh field names; a field named in the current lines keeps its
// alias, and a hidden one ("-" line) its alias and its unchecked state.
QList<AliasRow> UpdateAliasRows(const QStringList &fieldNames, const QStringList &fieldAliases);
QStringList AliasRowsToLines(const QList<AliasRow> &rows);

// The three lists of the master-detail editor for links text L
// ("Detail=Master;..."): fields not yet linked, and the links.
struct MasterDetailLists {
    QStringList detail, master, links;
};
MasterDetailLists MasterDetailRefresh(const QStringList &detailFields, const QStringList &masterFields,
                                      const QString &links);
QString MasterDetailAdd(const QString &links, const QString &detail, const QString &master);

// Where a new component goes on the data page that now holds
// objectCount objects (the new one included): left 100 x (count - 1) + 30,
// top 20.
QPoint NewComponentPosition(int objectCount);

// The data-field type names the parameter editor offers, index = type code.
const QStringList &FieldTypeNames();

// The library text of key; when the loaded texts have none, the
// design-time text rather than the bare key.
QString EditorText(const QString &key, const QString &designText);

} // namespace bralvo::report
