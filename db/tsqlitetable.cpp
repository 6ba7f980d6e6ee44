// Reading a whole query result into memory, and the field readers.
#include "db/tsqlitetable.h"

#include "db/esqliteexception.h"
#include "db/sqlstatement.h"
#include "db/tsqlitedatabase.h"
#include "platform/floattext.h"
#include "platform/regionalsettings.h"

#include <sqlite3.h>
#include <cmath>
#include <limits>

namespace bralvo::db {

namespace {

// Kind from a declared type: compared whole and case-sensitively.
ColumnKind kindOfDeclaredType(const char *declared)
{
    const QByteArray type(declared);
    if (type == "INTEGER" || type == "BOOLEAN")
        return ColumnKind::Integer;
    if (type == "NUMERIC" || type == "FLOAT" || type == "DOUBLE" || type == "REAL")
        return ColumnKind::Float;
    if (type == "BLOB")
        return ColumnKind::Blob;
    return ColumnKind::Text;
}

// Toward zero; values beyond the 64-bit range saturate, NaN gives 0.
qint64 truncated(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 9223372036854775807.0)
        return std::numeric_limits<qint64>::max();
    if (value <= -9223372036854775808.0)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(std::trunc(value));
}

[[noreturn]] void raise(const QString &text)
{
    throw ESQLiteException(text);
}

// Steps the statement to its end, calling onRow for every row; a busy
// database or a failed step raises.
template <class OnRow>
void stepRows(TSQLiteDatabase &db, SqlStatement &statement, const QString &sql, OnRow onRow)
{
    for (int rc = statement.step(); rc != SQLITE_DONE; rc = statement.step()) {
        if (rc == SQLITE_BUSY)
            raise(QStringLiteral("Could not prepare SQL statement"));
        if (rc != SQLITE_ROW)
            db.RaiseSqlError(QStringLiteral("Could not retrieve data"), sql);
        onRow();
    }
}

} // namespace

// Fills a TSQLiteTable from a stepping statement.
class TableReader {
public:
    TableReader(TSQLiteTable &table, sqlite3_stmt *statement)
        : m_table(table), m_statement(statement) {}

    void readRow()
    {
        if (m_table.m_rowCount == 0)
            readHeader();
        for (int c = 0; c < m_table.m_columnCount; ++c)
            m_table.m_cells.push_back(readCell(c));
        ++m_table.m_rowCount;
    }

    // Columns that stayed NULL in every row.
    void finish()
    {
        for (std::size_t c = 0; c < m_decided.size(); ++c) {
            if (!m_decided[c])
                m_table.m_columnKinds[c] = ColumnKind::Null;
        }
    }

private:
    void readHeader()
    {
        const int count = sqlite3_column_count(m_statement);
        m_table.m_columnCount = count;
        m_table.m_columnKinds.assign(count, ColumnKind::Null);
        m_decided.assign(count, false);
        for (int c = 0; c < count; ++c) {
            m_table.m_columnNames << QString::fromUtf8(sqlite3_column_name(m_statement, c)).toUpper();
            if (const char *declared = sqlite3_column_decltype(m_statement, c)) {
                m_table.m_columnKinds[c] = kindOfDeclaredType(declared);
                m_decided[c] = true;
            }
        }
    }

    TSQLiteTable::Cell readCell(int c)
    {
        const int storage = sqlite3_column_type(m_statement, c);
        if (storage == SQLITE_NULL)
            return {};
        // An expression column takes the kind of its first non-NULL value,
        // so a NULL in the first row does not blank the whole column.
        if (!m_decided[c]) {
            m_table.m_columnKinds[c] = static_cast<ColumnKind>(storage);
            m_decided[c] = true;
        }
        switch (m_table.m_columnKinds[c]) {
        case ColumnKind::Integer:
            return sqlite3_column_int64(m_statement, c);
        case ColumnKind::Float:
            return sqlite3_column_double(m_statement, c);
        case ColumnKind::Blob: {
            const int size = sqlite3_column_bytes(m_statement, c);
            if (size == 0)
                return {};
            return QByteArray(static_cast<const char *>(sqlite3_column_blob(m_statement, c)), size);
        }
        case ColumnKind::Text:
        case ColumnKind::Null:
            break;
        }
        // Text holders stop at the first zero byte.
        return QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(m_statement, c)));
    }

    TSQLiteTable &m_table;
    sqlite3_stmt *m_statement;
    std::vector<bool> m_decided;
};

TSQLiteTable::TSQLiteTable(TSQLiteDatabase &db, const QString &sql)
{
    SqlStatement statement(db, sql);
    TableReader reader(*this, statement.handle());
    stepRows(db, statement, sql, [&reader] { reader.readRow(); });
    reader.finish();
}

namespace {

// The kind each cell of the current row is read as, decided as
// TableReader decides it: by declared type, else by the first non-NULL
// value of the column.
class CellKinds {
public:
    explicit CellKinds(sqlite3_stmt *statement) : m_statement(statement)
    {
        const int count = sqlite3_column_count(statement);
        m_kinds.assign(count, ColumnKind::Null);
        m_decided.assign(count, false);
        m_cells.resize(count);
        for (int c = 0; c < count; ++c) {
            if (const char *declared = sqlite3_column_decltype(statement, c)) {
                m_kinds[c] = kindOfDeclaredType(declared);
                m_decided[c] = true;
            }
        }
    }

    int count() const { return int(m_cells.size()); }

    // The kinds of the row the statement stands on.
    const ColumnKind *row()
    {
        for (int c = 0; c < count(); ++c) {
            if (sqlite3_column_type(m_statement, c) == SQLITE_NULL) {
                m_cells[c] = ColumnKind::Null;
                continue;
            }
            if (!m_decided[c]) {
                m_kinds[c] = static_cast<ColumnKind>(sqlite3_column_type(m_statement, c));
                m_decided[c] = true;
            }
            m_cells[c] = m_kinds[c];
        }
        return m_cells.data();
    }

private:
    sqlite3_stmt *m_statement;
    std::vector<ColumnKind> m_kinds;
    std::vector<bool> m_decided;
    std::vector<ColumnKind> m_cells;
};

// One row at a time as FieldAsString texts.
class TextRowReader {
public:
    explicit TextRowReader(sqlite3_stmt *statement) : m_statement(statement), m_kinds(statement)
    {
        m_texts.resize(m_kinds.count());
    }

    void readRow(const TextRowSink &row)
    {
        const ColumnKind *kinds = m_kinds.row();
        for (int c = 0; c < int(m_texts.size()); ++c)
            m_texts[c] = cellText(c, kinds[c]);
        row(m_texts.data(), int(m_texts.size()));
    }

private:
    QString cellText(int c, ColumnKind kind)
    {
        switch (kind) {
        case ColumnKind::Null:
            return QString();
        case ColumnKind::Integer:
            return QString::number(sqlite3_column_int64(m_statement, c));
        case ColumnKind::Float:
            return platform::FloatToStr(sqlite3_column_double(m_statement, c), platform::regionalSettings());
        case ColumnKind::Blob:
            return QString::fromLatin1(static_cast<const char *>(sqlite3_column_blob(m_statement, c)),
                                       sqlite3_column_bytes(m_statement, c));
        case ColumnKind::Text:
            break;
        }
        // Text holders stop at the first zero byte.
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_statement, c)));
    }

    sqlite3_stmt *m_statement;
    CellKinds m_kinds;
    std::vector<QString> m_texts;
};

} // namespace

void ReadRowsAsText(TSQLiteDatabase &db, const QString &sql, const TextRowSink &row)
{
    SqlStatement statement(db, sql);
    TextRowReader reader(statement.handle());
    stepRows(db, statement, sql, [&reader, &row] { reader.readRow(row); });
}

void ReadRowsTyped(TSQLiteDatabase &db, const QString &sql, const TypedRowSink &row)
{
    SqlStatement statement(db, sql);
    CellKinds kinds(statement.handle());
    stepRows(db, statement, sql, [&] { row(statement.handle(), kinds.row(), kinds.count()); });
}

bool TSQLiteTable::NextRow()
{
    if (IsEof())
        return false;
    ++m_currentRow;
    return true;
}

bool TSQLiteTable::MoveFirst()
{
    if (m_rowCount == 0)
        return false;
    m_currentRow = 0;
    return true;
}

int TSQLiteTable::FieldIndex(const QString &fieldName) const
{
    if (m_columnNames.isEmpty())
        raise(QStringLiteral("Field ") + fieldName + QStringLiteral(" Not found. Empty dataset"));
    const int index = m_columnNames.indexOf(fieldName.toUpper());
    if (index < 0)
        raise(QStringLiteral("Field not found in dataset: ") + fieldName);
    return index;
}

QString TSQLiteTable::FieldName(int index) const
{
    if (m_columnNames.isEmpty())
        return QString();
    checkIndex(index);
    return m_columnNames.at(index);
}

ColumnKind TSQLiteTable::FieldKind(int index) const
{
    if (m_columnKinds.empty())
        return ColumnKind::Null;
    checkIndex(index);
    return m_columnKinds[index];
}

void TSQLiteTable::checkIndex(int index) const
{
    if (index < 0 || index >= m_columnCount)
        raise(QStringLiteral("Field index out of range: ") + QString::number(index));
}

const TSQLiteTable::Cell &TSQLiteTable::cellAt(int index) const
{
    if (IsEof())
        raise(QStringLiteral("Table is at End of File"));
    checkIndex(index);
    return m_cells[std::size_t(m_currentRow) * m_columnCount + index];
}

QString TSQLiteTable::FieldAsText(int index) const
{
    const Cell &cell = cellAt(index);
    switch (m_columnKinds[index]) {
    case ColumnKind::Integer:
        return QString::number(FieldAsInteger(index));
    case ColumnKind::Float:
        return platform::FloatToStr(FieldAsDouble(index), platform::regionalSettings());
    case ColumnKind::Blob:
        return FieldBlobAsString(index);
    case ColumnKind::Text:
        if (const auto *bytes = std::get_if<QByteArray>(&cell))
            return QString::fromUtf8(*bytes);
        return QString();
    case ColumnKind::Null:
        break;
    }
    return QString();
}

QString TSQLiteTable::FieldAsString(int index) const
{
    if (std::holds_alternative<std::monostate>(cellAt(index)))
        return QString();
    return FieldAsText(index);
}

qint64 TSQLiteTable::FieldAsInteger(int index) const
{
    const Cell &cell = cellAt(index);
    if (std::holds_alternative<std::monostate>(cell))
        return 0;
    switch (m_columnKinds[index]) {
    case ColumnKind::Integer:
        return std::get<qint64>(cell);
    case ColumnKind::Float:
        return truncated(std::get<double>(cell));
    default:
        raise(QStringLiteral("Not an integer or numeric field"));
    }
}

double TSQLiteTable::FieldAsDouble(int index) const
{
    const Cell &cell = cellAt(index);
    if (std::holds_alternative<std::monostate>(cell))
        return 0;
    switch (m_columnKinds[index]) {
    case ColumnKind::Integer:
        return static_cast<double>(std::get<qint64>(cell));
    case ColumnKind::Float:
        return std::get<double>(cell);
    default:
        raise(QStringLiteral("Not an integer or numeric field"));
    }
}

const QByteArray *TSQLiteTable::FieldAsBlob(int index) const
{
    const Cell &cell = cellAt(index);
    if (std::holds_alternative<std::monostate>(cell))
        return nullptr;
    if (m_columnKinds[index] != ColumnKind::Blob)
        raise(QStringLiteral("Not a Blob field"));
    return &std::get<QByteArray>(cell);
}

QString TSQLiteTable::FieldBlobAsString(int index) const
{
    const QByteArray *bytes = FieldAsBlob(index);
    return bytes ? QString::fromLatin1(*bytes) : QString();
}

} // namespace bralvo::db
