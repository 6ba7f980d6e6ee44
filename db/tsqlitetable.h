// The whole result of one query, read into memory when the object is
// made: the row count is known at once and rows can be revisited.
//
// Column kinds use SQLite's numbering: 1 integer, 2 float, 3 text,
// 4 blob, 5 null. A column that comes straight from a table takes its
// kind from its declared type, compared as a whole and case-sensitively
// ("INTEGER"/"BOOLEAN" integer; "NUMERIC"/"FLOAT"/"DOUBLE"/"REAL" float;
// "BLOB" blob; anything else, "TEXT" and "DATE" among them, text). An
// expression column takes the storage class of its first non-NULL value;
// a column that is NULL in every row has the null kind. A NULL value is
// a null cell whatever the kind.
//
// Field reads work on the current row; column indexes are 0-based.
// Errors throw ESQLiteException with these texts:
//   "Table is at End of File"            read past the last row
//   "Field <name> Not found. Empty dataset"   FieldIndex on an empty result
//   "Field not found in dataset: <name>"  unknown field
//   "Not an integer or numeric field"     number read of a text/blob/null column
//   "Not a Blob field"                    blob read of another kind
//   "Field index out of range: <n>"       a column index the result lacks
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <variant>
#include <vector>

struct sqlite3_stmt;

namespace bralvo::db {

class TSQLiteDatabase;

enum class ColumnKind { Integer = 1, Float = 2, Text = 3, Blob = 4, Null = 5 };

class TSQLiteTable {
public:
    // Runs the first statement of the text and reads every row. Throws
    // "Error executing SQL" / "Could not prepare SQL statement" as
    // TSQLiteDatabase::ExecSql does, "Could not prepare SQL statement"
    // (plain) when the database stayed busy past the timeout, and
    // "Could not retrieve data" (+ SQL and library text) when a step fails.
    TSQLiteTable(TSQLiteDatabase &db, const QString &sql);

    int RowCount() const { return m_rowCount; }
    int ColumnCount() const { return m_columnCount; }
    bool IsEof() const { return m_currentRow >= m_rowCount; }
    // Moves to the next row; false (and no move) when already at the end.
    bool NextRow();
    // Back to row 0; false when there are no rows.
    bool MoveFirst();

    // Position of the column, name compared without regard to case.
    int FieldIndex(const QString &fieldName) const;
    // The column's name in upper case ("" for an empty result).
    QString FieldName(int index) const;
    // The column's kind; Null for an empty result.
    ColumnKind FieldKind(int index) const;

    // Any kind as text: integers in decimal, floats in the general format
    // with the user's decimal separator, blobs byte for byte; a null cell
    // of a number column gives "0", of a text or null column "".
    QString FieldAsText(int index) const;
    // As FieldAsText, but a null cell always gives "".
    QString FieldAsString(int index) const;
    // Null cell 0; floats truncated toward zero.
    qint64 FieldAsInteger(int index) const;
    // Null cell 0.
    double FieldAsDouble(int index) const;
    // The table's own bytes (valid while the table lives); nullptr for a
    // null cell or an empty blob.
    const QByteArray *FieldAsBlob(int index) const;
    // Every byte of the blob, zero bytes included, as one character each
    // (code points 0-255); "" for a null cell.
    QString FieldBlobAsString(int index) const;

private:
    // Null, integer, float, or the bytes of a text or blob.
    using Cell = std::variant<std::monostate, qint64, double, QByteArray>;

    const Cell &cellAt(int index) const;
    void checkIndex(int index) const;

    std::vector<Cell> m_cells;  // row-major
    int m_rowCount = 0;
    int m_columnCount = 0;
    QStringList m_columnNames;
    std::vector<ColumnKind> m_columnKinds;
    int m_currentRow = 0;

    friend class TableReader;
};

// Runs the query as TSQLiteTable's constructor does (same errors) and
// hands each row to `row` as the texts FieldAsString would give it (the
// same column kinds), without keeping the result: for lists of thousands
// of rows. `cells` holds `count` texts, valid during the call only; the
// sink may move them away.
using TextRowSink = std::function<void(QString *cells, int count)>;
void ReadRowsAsText(TSQLiteDatabase &db, const QString &sql, const TextRowSink &row);

// As ReadRowsAsText, but each row is handed over unconverted: the
// statement stands on the row, and kinds[c] says how FieldAsString would
// read cell c (Null for a NULL cell). For readers that keep values
// compactly instead of as texts.
using TypedRowSink = std::function<void(sqlite3_stmt *statement, const ColumnKind *kinds, int count)>;
void ReadRowsTyped(TSQLiteDatabase &db, const QString &sql, const TypedRowSink &row);

} // namespace bralvo::db
