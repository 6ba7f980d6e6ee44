// The database access the query builder needs: table names, field lists
// and a place to run the result query. Implemented over a real connection
// by the data layer; the builder does not guard these calls, so whatever
// an implementation throws reaches the user action that caused it.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace bralvo::report {

// A field of a table box. Type is a database field-type code (0..29 named
// by FieldTypeName; higher codes are allowed and shown as their number).
struct TqbField {
    QString FieldName;
    qint32 FieldType = 0;
};

class TqbEngine {
public:
    virtual ~TqbEngine() = default;

    // Clears fieldList, adds "*" of type 0, then the table's fields in the
    // database's order.
    virtual void ReadFieldList(const QString &tableName, QList<TqbField> &fieldList) = 0;
    // Clears list and fills it with the tables the builder may offer.
    virtual void ReadTableList(QStringList &list) = 0;
    // Makes text the command text of the result dataset.
    virtual void SetSQL(const QString &text) = 0;

    bool ShowSystemTables = false;
};

} // namespace bralvo::report
