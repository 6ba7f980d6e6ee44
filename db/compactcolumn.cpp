// Values of one listed column, shared while they repeat.
#include "db/compactcolumn.h"

#include "platform/floattext.h"
#include "platform/regionalsettings.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

namespace bralvo::db {

namespace {

// Beyond this many distinct values sharing saves little, and the look-up
// would cost more memory than it saves.
constexpr std::size_t kMostShared = 4096;

quint64 bitsOf(double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double doubleOf(quint64 bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace

void CompactColumn::append(sqlite3_stmt *statement, int c, ColumnKind kind)
{
    if (kind != ColumnKind::Null)
        m_kind = kind;
    switch (kind) {
    case ColumnKind::Null:
        if (numbers())
            appendNumber(0, true);
        else
            appendBytes(nullptr, 0, true);
        break;
    case ColumnKind::Integer:
        appendNumber(quint64(sqlite3_column_int64(statement, c)), false);
        break;
    case ColumnKind::Float:
        appendNumber(bitsOf(sqlite3_column_double(statement, c)), false);
        break;
    case ColumnKind::Blob:
        appendBytes(static_cast<const char *>(sqlite3_column_blob(statement, c)), sqlite3_column_bytes(statement, c),
                    false);
        break;
    case ColumnKind::Text: {
        // Text holders stop at the first zero byte.
        const char *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, c));
        appendBytes(text, text ? int(std::strlen(text)) : 0, false);
        break;
    }
    }
    ++m_rows;
}

void CompactColumn::appendNumber(quint64 bits, bool null)
{
    if (m_direct) {
        if (null)
            m_nullRows.push_back(m_rows);
        m_values.push_back(bits);
        return;
    }
    if (m_entries.empty())
        m_entries.push_back(0);  // entry 0: NULL
    if (null) {
        m_codes.push_back(0);
        return;
    }
    auto found = m_numberIndex.constFind(bits);
    if (found == m_numberIndex.cend()) {
        if (m_entries.size() > kMostShared) {
            goDirect();
            appendNumber(bits, false);
            return;
        }
        found = m_numberIndex.insert(bits, quint32(m_entries.size()));
        m_entries.push_back(bits);
    }
    m_codes.push_back(*found);
}

// The bytes a text cell is kept as: converted for a text column that has
// a conversion.
QByteArray CompactColumn::kept(const char *data, int size) const
{
    if (m_convert && m_kind == ColumnKind::Text)
        return m_convert(QString::fromUtf8(data, size)).toUtf8();
    return QByteArray(data, size);
}

// What a NULL cell reads as, in kept bytes.
QByteArray CompactColumn::nullText() const
{
    return m_convert ? m_convert(QString()).toUtf8() : QByteArray();
}

void CompactColumn::appendBytes(const char *data, int size, bool null)
{
    if (m_direct) {
        const QByteArray bytes = null ? nullText() : kept(data, size);
        m_texts.push_back(bytes.constData(), int(bytes.size()));
        return;
    }
    if (m_starts.empty())
        m_starts = {0, 0};  // entry 0: NULL
    if (null) {
        m_codes.push_back(0);
        return;
    }
    const QByteArray key = QByteArray::fromRawData(data, size);
    auto found = m_textIndex.constFind(key);
    if (found == m_textIndex.cend()) {
        if (m_starts.size() - 1 > kMostShared) {
            goDirect();
            appendBytes(data, size, false);
            return;
        }
        const quint32 entry = quint32(m_starts.size() - 1);
        m_bytes.append(kept(data, size));
        m_starts.push_back(quint32(m_bytes.size()));
        found = m_textIndex.insert(QByteArray(data, size), entry);
    }
    m_codes.push_back(*found);
}

// From shared values to every row's own value, for the rows so far.
void CompactColumn::goDirect()
{
    const std::size_t rows = m_codes.size();
    m_direct = true;
    for (std::size_t row = 0; row < rows; ++row) {
        const quint32 code = quint32(m_codes.at(row));
        if (numbers()) {
            if (code == 0)
                m_nullRows.push_back(int(row));
            m_values.push_back(m_entries[code]);
        } else if (code == 0) {
            const QByteArray none = nullText();
            m_texts.push_back(none.constData(), int(none.size()));
        } else {
            m_texts.push_back(m_bytes.constData() + m_starts[code], int(m_starts[code + 1] - m_starts[code]));
        }
    }
    m_codes = PackedValues();
    m_entries = {};
    m_bytes = QByteArray();
    m_starts = {};
    m_numberIndex = {};
    m_textIndex = {};
}

void CompactColumn::finish()
{
    m_numberIndex = {};
    m_textIndex = {};
    m_entries.shrink_to_fit();
    m_starts.shrink_to_fit();
    m_bytes.squeeze();
    m_nullRows.shrink_to_fit();
    m_codes.finish();
    m_values.finish();
    m_texts.finish();
}

void CompactColumn::shareLastRuns(const CompactColumn &other)
{
    m_codes.shareLastRun(other.m_codes);
    m_values.shareLastRun(other.m_values);
    m_texts.shareLastRun(other.m_texts);
}

QString CompactColumn::text(int row) const
{
    if (row < 0 || row >= m_rows)
        return QString();
    if (m_direct && !numbers()) {
        const QByteArray bytes = m_texts.at(std::size_t(row));
        return m_kind == ColumnKind::Blob ? QString::fromLatin1(bytes) : QString::fromUtf8(bytes);
    }
    bool null;
    quint64 bits = 0;
    quint32 code = 0;
    if (m_direct) {
        null = std::binary_search(m_nullRows.begin(), m_nullRows.end(), row);
        bits = m_values.at(std::size_t(row));
    } else {
        code = quint32(m_codes.at(std::size_t(row)));
        null = code == 0;
    }
    if (null)
        return m_convert ? m_convert(QString()) : QString();
    if (numbers()) {
        const QString text = numberText(m_direct ? bits : m_entries[code]);
        return m_convert ? m_convert(text) : text;
    }
    const char *bytes = m_bytes.constData() + m_starts[code];
    const int size = int(m_starts[code + 1] - m_starts[code]);
    return m_kind == ColumnKind::Blob ? QString::fromLatin1(bytes, size) : QString::fromUtf8(bytes, size);
}

QString CompactColumn::numberText(quint64 bits) const
{
    if (m_kind == ColumnKind::Integer)
        return QString::number(qint64(bits));
    return platform::FloatToStr(doubleOf(bits), platform::regionalSettings());
}

} // namespace bralvo::db
