// One column of CompactRows. While its values repeat it keeps each
// distinct value once and a code per row packed to the width the codes
// need; past a few thousand distinct values it keeps every row's value
// itself: numbers packed against a line, texts as counters or by what
// each adds to the one before. Numbers stay numbers; texts stay UTF-8
// bytes. Every store is kept in runs of rows that another column holding
// the same values can share (shareLastRuns).
#pragma once

#include "db/packedtexts.h"
#include "db/packedvalues.h"
#include "db/tsqlitetable.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <functional>
#include <vector>

namespace bralvo::db {

class CompactColumn {
public:
    // Turns a stored text into the text kept (a date column's format).
    using TextConversion = std::function<QString(const QString &)>;
    explicit CompactColumn(TextConversion convert = {}) : m_convert(std::move(convert)) {}

    // Appends cell c of the row the statement stands on, read as kind.
    void append(sqlite3_stmt *statement, int c, ColumnKind kind);
    // Fill is over: the look-up of distinct values is dropped and the
    // last rows packed.
    void finish();
    // Each of our stores whose last packed run holds what the other
    // column's store of the same kind holds there shares that run.
    void shareLastRuns(const CompactColumn &other);
    // The cell's text as FieldAsString gives it (converted, for a column
    // with a conversion).
    QString text(int row) const;

private:
    bool numbers() const { return m_kind == ColumnKind::Integer || m_kind == ColumnKind::Float; }
    void appendNumber(quint64 bits, bool null);
    void appendBytes(const char *data, int size, bool null);
    QByteArray kept(const char *data, int size) const;
    QByteArray nullText() const;
    void goDirect();
    QString numberText(quint64 bits) const;

    TextConversion m_convert;
    ColumnKind m_kind = ColumnKind::Null;  // of every non-NULL cell
    bool m_direct = false;
    // Shared: the distinct values (entry 0 is the NULL cell) and a code
    // per row. Numbers are bit patterns; texts are [starts[i], starts[i+1])
    // of the buffer.
    std::vector<quint64> m_entries;
    QByteArray m_bytes;
    std::vector<quint32> m_starts;
    PackedValues m_codes;
    QHash<quint64, quint32> m_numberIndex;
    QHash<QByteArray, quint32> m_textIndex;
    // Direct: every row's value.
    PackedValues m_values;          // integers, or floats as bits
    std::vector<int> m_nullRows;    // NULL number cells, ascending
    PackedTexts m_texts;
    int m_rows = 0;
};

} // namespace bralvo::db
