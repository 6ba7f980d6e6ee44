#include "report/data/tfield.h"

#include "platform/daycount.h"
#include "platform/varianttext.h"
#include "report/data/dataerror.h"
#include "report/data/tdataset.h"
#include "report/data/tdatasetevents.h"

#include <QDateTime>
#include <QLocale>
#include <QTimeZone>
#include <cmath>

namespace bralvo::data {

using platform::Variant;

namespace {

char16_t unitAt(QStringView t, int i) { return t[i].unicode(); }
char16_t unitAt(QByteArrayView t, int i) { return char16_t(uchar(t[i])); }

// "yyyy-mm-dd" read digit by digit: the common case, without Qt's parser.
template <class Text>
std::optional<double> plainIsoDate(Text t)
{
    if (t.size() != 10 || unitAt(t, 4) != u'-' || unitAt(t, 7) != u'-')
        return std::nullopt;
    unsigned digits[8];
    static constexpr int at[8] = {0, 1, 2, 3, 5, 6, 8, 9};
    bool ok = true;
    for (int i = 0; i < 8; ++i) {
        digits[i] = unsigned(unitAt(t, at[i])) - u'0';
        ok = ok && digits[i] <= 9;
    }
    if (!ok)
        return std::nullopt;
    int y = int(digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3]);
    const int m = int(digits[4] * 10 + digits[5]), d = int(digits[6] * 10 + digits[7]);
    static constexpr int monthDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (y < 1 || m < 1 || m > 12 || d < 1 || d > monthDays[m - 1] || (m == 2 && d == 29 && !leap))
        return std::nullopt;
    // Days since 1.1.1970 by the proleptic Gregorian calendar, then moved
    // to day 0 = 30.12.1899 (1.1.1970 is day 25569).
    y -= m <= 2;
    const int era = y / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return double(era * 146097 + dayOfEra - 719468 + 25569);
}

// ISO text ("2024-03-01", "2024-03-01 10:20:30.5", "10:20") as a day count.
std::optional<double> isoDayCount(const QString &text, TFieldType type)
{
    if (const auto plain = type != ftTime ? plainIsoDate(QStringView(text)) : std::nullopt)
        return plain;
    const QString t = text.trimmed();
    if (type == ftTime || (t.size() >= 3 && t.at(2) == u':')) {
        const QTime time = QTime::fromString(t, Qt::ISODateWithMs);
        if (time.isValid())
            return time.msecsSinceStartOfDay() / 86400000.0;
    }
    if (t.size() <= 10) {
        const QDate date = QDate::fromString(t, Qt::ISODate);
        if (date.isValid())
            return platform::dayCountFromDate(date);
        return std::nullopt;
    }
    QString iso = t;
    iso[10] = u'T';
    QDateTime dt = QDateTime::fromString(iso, Qt::ISODateWithMs);
    if (!dt.isValid())
        return std::nullopt;
    return platform::dayCountFromDate(dt.date()) + dt.time().msecsSinceStartOfDay() / 86400000.0;
}

double realOf(const RowSet &rs, int row, int col)
{
    switch (rs.kind(row, col)) {
    case CellKind::Integer: return double(rs.integer(row, col));
    case CellKind::Real: return rs.real(row, col);
    default: break;
    }
    bool ok = false;
    const double d = rs.text(row, col).trimmed().toDouble(&ok);
    if (!ok)
        throw DataError(QStringLiteral("'%1' is not a valid floating point value").arg(rs.text(row, col)));
    return d;
}

qint64 integerOf(const RowSet &rs, int row, int col)
{
    if (rs.kind(row, col) == CellKind::Integer)
        return rs.integer(row, col);
    if (rs.kind(row, col) == CellKind::Real)
        return qint64(std::llround(rs.real(row, col)));
    bool ok = false;
    const qint64 v = rs.text(row, col).trimmed().toLongLong(&ok);
    if (!ok)
        throw DataError(QStringLiteral("'%1' is not a valid integer value").arg(rs.text(row, col)));
    return v;
}

Variant dateOf(const RowSet &rs, int row, int col, TFieldType type)
{
    switch (rs.kind(row, col)) {
    case CellKind::Real: return Variant::fromDate(rs.real(row, col) - 2415018.5); // Julian day
    case CellKind::Integer: {
        const QDateTime dt = QDateTime::fromSecsSinceEpoch(rs.integer(row, col), Qt::UTC);
        return Variant::fromDate(platform::dayCountFromDate(dt.date()) + dt.time().msecsSinceStartOfDay() / 86400000.0);
    }
    default: break;
    }
    // Stored dates are mostly plain ISO text: read without decoding it.
    if (type != ftTime)
        if (const auto plain = plainIsoDate(rs.utf8(row, col)))
            return Variant::fromDate(*plain);
    const auto days = isoDayCount(rs.text(row, col), type);
    if (!days)
        throw DataError(QStringLiteral("'%1' is not a valid date and time").arg(rs.text(row, col)));
    return Variant::fromDate(*days);
}

QString textOf(const RowSet &rs, int row, int col)
{
    switch (rs.kind(row, col)) {
    case CellKind::Integer: return QString::number(rs.integer(row, col));
    case CellKind::Real: return QString::number(rs.real(row, col), 'g', QLocale::FloatingPointShortest);
    case CellKind::Bytes: return QString::fromUtf8(rs.bytes(row, col));
    default: return rs.text(row, col);
    }
}

} // namespace

#define BRALVO_FIELD_INFO(Cls, Base)                                                                   \
    const platform::ClassInfo &Cls::staticClass()                                                      \
    {                                                                                                  \
        static const platform::ClassInfo info =                                                        \
            platform::makeClassInfo(#Cls, &Base::staticClass(), nullptr, [](platform::PropertyTable &) {}); \
        return info;                                                                                   \
    }
BRALVO_FIELD_INFO(TField, platform::Persistent)
BRALVO_FIELD_INFO(TStringField, TField)
BRALVO_FIELD_INFO(TWideStringField, TStringField)
BRALVO_FIELD_INFO(TNumericField, TField)
BRALVO_FIELD_INFO(TIntegerField, TNumericField)
BRALVO_FIELD_INFO(TSmallintField, TIntegerField)
BRALVO_FIELD_INFO(TWordField, TIntegerField)
BRALVO_FIELD_INFO(TAutoIncField, TIntegerField)
BRALVO_FIELD_INFO(TLargeintField, TNumericField)
BRALVO_FIELD_INFO(TFloatField, TNumericField)
BRALVO_FIELD_INFO(TCurrencyField, TFloatField)
BRALVO_FIELD_INFO(TBCDField, TNumericField)
BRALVO_FIELD_INFO(TFMTBCDField, TNumericField)
BRALVO_FIELD_INFO(TBooleanField, TField)
BRALVO_FIELD_INFO(TDateTimeField, TField)
BRALVO_FIELD_INFO(TDateField, TDateTimeField)
BRALVO_FIELD_INFO(TTimeField, TDateTimeField)
BRALVO_FIELD_INFO(TBinaryField, TField)
BRALVO_FIELD_INFO(TBytesField, TBinaryField)
BRALVO_FIELD_INFO(TVarBytesField, TBinaryField)
BRALVO_FIELD_INFO(TBlobField, TField)
BRALVO_FIELD_INFO(TMemoField, TBlobField)
BRALVO_FIELD_INFO(TWideMemoField, TMemoField)
BRALVO_FIELD_INFO(TGraphicField, TBlobField)
BRALVO_FIELD_INFO(TFields, platform::Persistent)
#undef BRALVO_FIELD_INFO

TField::TField(TDataSet *dataSet, int column, const QString &name, TFieldType type, int size)
    : m_dataSet(dataSet), m_column(column), m_name(name), m_type(type), m_size(size)
{
}

TField::~TField() = default;

bool TField::IsNull() const
{
    const RowSet::Cell *cells = m_dataSet->CurrentCells();
    return !cells || cells[m_column].kind == CellKind::Null;
}

Variant TField::Value() const
{
    const RowSet::Cell *cells = m_dataSet->CurrentCells();
    if (!cells)
        return Variant::null();
    // The cell as its column declares it: read once, no conversion.
    const RowSet::Cell &cell = cells[m_column];
    switch (cell.kind) {
    case CellKind::Null: return Variant::null();
    case CellKind::Integer:
        if (m_type == ftLargeint)
            return Variant(cell.i);
        break;
    case CellKind::Real:
        if (m_type == ftFloat)
            return Variant(cell.d);
        break;
    case CellKind::Text:
        if (m_type == ftWideString || m_type == ftString || m_type == ftWideMemo || m_type == ftMemo)
            return Variant(QString::fromUtf8(cell.text, qsizetype(cell.length)));
        if (m_type == ftDate || m_type == ftDateTime || m_type == ftTimeStamp)
            if (const auto plain = plainIsoDate(QByteArrayView(cell.text, qsizetype(cell.length))))
                return Variant::fromDate(*plain);
        break;
    default: break;
    }
    const RowSet &rs = *m_dataSet->CurrentRows();
    const int row = m_dataSet->CurrentRowIndex();
    switch (m_type) {
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: {
        const qint64 v = integerOf(rs, row, m_column);
        return v >= INT_MIN && v <= INT_MAX ? Variant(int(v)) : Variant(v);
    }
    case ftLargeint: return Variant(integerOf(rs, row, m_column));
    case ftBoolean:
        if (rs.kind(row, m_column) == CellKind::Text)
            return Variant(Variant(rs.text(row, m_column)).toBool());
        return Variant(realOf(rs, row, m_column) != 0);
    case ftFloat: return Variant(realOf(rs, row, m_column));
    case ftCurrency: case ftBCD: case ftFMTBcd: return Variant::fromCurrency(realOf(rs, row, m_column));
    case ftDate: case ftTime: case ftDateTime: case ftTimeStamp: return dateOf(rs, row, m_column, m_type);
    case ftBlob: case ftGraphic: case ftBytes: case ftVarBytes: case ftTypedBinary:
        return Variant(QString::fromLatin1(AsBytes()));
    default: return Variant(textOf(rs, row, m_column));
    }
}

QString TField::AsString() const
{
    return IsNull() ? QString() : Value().toString();
}

qint64 TField::AsLargeInt() const
{
    return IsNull() ? 0 : Value().toInt64();
}

int TField::AsInteger() const
{
    return IsNull() ? 0 : Value().toInt();
}

double TField::AsFloat() const
{
    return IsNull() ? 0.0 : Value().toDouble();
}

double TField::AsCurrency() const
{
    return IsNull() ? 0.0 : Variant::fromCurrency(Value().toDouble()).toDouble();
}

double TField::AsDateTime() const
{
    return IsNull() ? 0.0 : Value().toDouble();
}

bool TField::AsBoolean() const
{
    return IsNull() ? false : Value().toBool();
}

QByteArray TField::AsBytes() const
{
    if (IsNull())
        return QByteArray();
    const RowSet &rs = *m_dataSet->CurrentRows();
    const int row = m_dataSet->CurrentRowIndex();
    if (rs.kind(row, m_column) == CellKind::Bytes)
        return rs.bytes(row, m_column);
    return textOf(rs, row, m_column).toUtf8();
}

QString TField::DisplayText() const
{
    QString text;
    if (!IsNull()) {
        switch (m_type) {
        case ftBlob: case ftGraphic: case ftBytes: case ftVarBytes: case ftTypedBinary:
            text = QStringLiteral("(BLOB)");
            break;
        default:
            text = Value().toString();
        }
    }
    if (OnGetText)
        OnGetText(const_cast<TField *>(this), text, true);
    return text;
}

int TField::DisplayWidth() const
{
    if (isTextType(m_type))
        return m_size > 0 ? m_size : 10;
    if (isDateType(m_type))
        return 20;
    return m_type == ftLargeint ? 15 : 10;
}

void TField::SaveToStream(platform::Stream &stream) const
{
    stream.write(AsBytes());
}

void TField::SetValue(const Variant &)
{
    throw DataError(QStringLiteral("dataset is read-only"));
}

void TField::SetScriptEvent(const QString &eventName, script::TscCustomEvent *adapter)
{
    script::TscEventHost::SetScriptEvent(eventName, adapter);
    if (eventName.compare(QLatin1String("OnGetText"), Qt::CaseInsensitive) != 0)
        return;
    if (!adapter) {
        OnGetText = nullptr;
        return;
    }
    // Looked up at each call: an adapter that goes unbinds itself.
    OnGetText = [this](TField *sender, QString &text, bool displayText) {
        if (auto *e = ScriptEventAs<TscFieldGetTextEvent>(QStringLiteral("OnGetText")))
            e->Call(sender, text, displayText);
    };
}

std::unique_ptr<TField> createField(TDataSet *ds, int column, const QString &name, TFieldType type, int size)
{
    switch (type) {
    case ftString: case ftFixedChar: return std::make_unique<TStringField>(ds, column, name, type, size);
    case ftWideString: return std::make_unique<TWideStringField>(ds, column, name, type, size);
    case ftSmallint: return std::make_unique<TSmallintField>(ds, column, name, type, size);
    case ftInteger: return std::make_unique<TIntegerField>(ds, column, name, type, size);
    case ftWord: return std::make_unique<TWordField>(ds, column, name, type, size);
    case ftAutoInc: return std::make_unique<TAutoIncField>(ds, column, name, type, size);
    case ftLargeint: return std::make_unique<TLargeintField>(ds, column, name, type, size);
    case ftFloat: return std::make_unique<TFloatField>(ds, column, name, type, size);
    case ftCurrency: return std::make_unique<TCurrencyField>(ds, column, name, type, size);
    case ftBCD: return std::make_unique<TBCDField>(ds, column, name, type, size);
    case ftFMTBcd: return std::make_unique<TFMTBCDField>(ds, column, name, type, size);
    case ftBoolean: return std::make_unique<TBooleanField>(ds, column, name, type, size);
    case ftDate: return std::make_unique<TDateField>(ds, column, name, type, size);
    case ftTime: return std::make_unique<TTimeField>(ds, column, name, type, size);
    case ftDateTime: case ftTimeStamp: return std::make_unique<TDateTimeField>(ds, column, name, type, size);
    case ftBytes: return std::make_unique<TBytesField>(ds, column, name, type, size);
    case ftVarBytes: return std::make_unique<TVarBytesField>(ds, column, name, type, size);
    case ftMemo: case ftFmtMemo: return std::make_unique<TMemoField>(ds, column, name, type, size);
    case ftWideMemo: return std::make_unique<TWideMemoField>(ds, column, name, type, size);
    case ftGraphic: return std::make_unique<TGraphicField>(ds, column, name, type, size);
    case ftBlob: return std::make_unique<TBlobField>(ds, column, name, type, size);
    default: return std::make_unique<TField>(ds, column, name, type, size);
    }
}

TField *TFields::Fields(int index) const
{
    if (index < 0 || index >= Count())
        throw platform::ListIndexError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return m_fields[size_t(index)].get();
}

TField *TFields::FindField(const QString &name) const
{
    for (const auto &f : m_fields)
        if (f->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    return nullptr;
}

} // namespace bralvo::data
