// The query builder's engine over a report connection.
#include "report/dataeditors/tqbdataengine.h"

#include "platform/stringlist.h"
#include "report/data/dataerror.h"
#include "report/data/dbprovider.h"
#include "report/data/tadoconnection.h"

namespace bralvo::report {

namespace {

QString cellText(const data::RowSet &rows, int r, int c)
{
    switch (rows.kind(r, c)) {
    case data::CellKind::Null:
        return QString();
    case data::CellKind::Integer:
        return QString::number(rows.integer(r, c));
    case data::CellKind::Real:
        return QString::number(rows.real(r, c), 'g', 15);
    case data::CellKind::Text:
        return rows.text(r, c);
    case data::CellKind::Bytes:
        return QStringLiteral("(BLOB)");
    }
    return QString();
}

void fillModel(QStandardItemModel &model, const data::RowSet &rows)
{
    QStringList headers;
    for (const data::ColumnInfo &c : rows.columns())
        headers.append(c.name);
    model.setColumnCount(rows.columnCount());
    model.setHorizontalHeaderLabels(headers);
    for (int r = 0; r < rows.rowCount(); ++r) {
        QList<QStandardItem *> row;
        for (int c = 0; c < rows.columnCount(); ++c)
            row.append(new QStandardItem(cellText(rows, r, c)));
        model.appendRow(row);
    }
}

} // namespace

TqbDataEngine::TqbDataEngine(data::TADOConnection &connection) : m_connection(connection) {}

void TqbDataEngine::ReadTableList(QStringList &list)
{
    platform::StringList names;
    m_connection.GetTableNames(names);
    list = names.toStringList();
}

void TqbDataEngine::ReadFieldList(const QString &tableName, QList<TqbField> &fieldList)
{
    fieldList.clear();
    fieldList.append({QStringLiteral("*"), 0});
    for (const data::ColumnInfo &c : m_connection.provider().tableColumns(tableName))
        fieldList.append({c.name, qint32(c.type)});
}

void TqbDataEngine::Open()
{
    Close();
    if (m_sql.trimmed().isEmpty())
        return;
    data::Command command;
    command.sql = data::parseSqlParams(m_sql);
    data::Provider &provider = m_connection.provider();
    // Only a statement that returns rows is run: the builder must not
    // change the database it shows.
    if (provider.describe(command).isEmpty())
        throw data::DataError(QStringLiteral("The statement is no query; the query builder runs only queries."));
    fillModel(m_rows, *provider.query(command));
}

void TqbDataEngine::Close()
{
    m_rows.clear();
}

} // namespace bralvo::report
