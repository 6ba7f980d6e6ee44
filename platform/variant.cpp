// Variant: storage, conversions and the arithmetic and comparison rules.
// The rules themselves are listed in variant.h and docs/design/platform.md.
#include "platform/variant.h"
#include "platform/varianttext.h"

#include <QCollator>
#include <QLocale>
#include <cmath>
#include <limits>

namespace bralvo::platform {

namespace {

[[noreturn]] void raise(const QString &text) { throw VariantError(text); }

[[noreturn]] void raiseConvert(VarType from, VarType to)
{
    raise(QStringLiteral("Could not convert variant of type (%1) into type (%2)")
              .arg(Variant::kindName(from), Variant::kindName(to)));
}

[[noreturn]] void raiseOverflow() { raise(QStringLiteral("Variant overflow")); }
[[noreturn]] void raiseInvalidOp() { raise(QStringLiteral("Invalid variant operation")); }
[[noreturn]] void raiseZeroDivide() { raise(QStringLiteral("Division by zero")); }

bool isSmallIntKind(VarType k)
{
    switch (k) {
    case varSmallint: case varInteger: case varShortInt: case varByte:
    case varWord: case varLongWord: case varError:
        return true;
    default:
        return false;
    }
}

// Halves go to the even neighbour; out-of-range values overflow.
qint64 roundHalfEven(double value)
{
    if (!std::isfinite(value) || value >= 9223372036854775808.0 || value < -9223372036854775808.0)
        raiseOverflow();
    return static_cast<qint64>(std::nearbyint(value)); // default mode: to nearest, ties to even
}

// Integer result of 32-bit operands: stays Integer when it fits.
Variant intResult(qint64 value, bool wide)
{
    if (!wide && value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max())
        return Variant(int(value));
    return Variant(value);
}

bool rangeFits(qint64 v, VarType kind)
{
    switch (kind) {
    case varSmallint: return v >= -32768 && v <= 32767;
    case varShortInt: return v >= -128 && v <= 127;
    case varByte: return v >= 0 && v <= 255;
    case varWord: return v >= 0 && v <= 65535;
    case varLongWord: return v >= 0 && v <= 4294967295LL;
    case varInteger: case varError: return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max();
    default: return true;
    }
}

const QCollator &slovakCollator()
{
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Slovak, QLocale::Slovakia)};
        c.setCaseSensitivity(Qt::CaseSensitive);
        return c;
    }();
    return collator;
}

enum class Domain { Null, Text, Integer, Float, Boolean };

Domain domainOf(const Variant &v)
{
    if (v.isArray())
        raiseInvalidOp();
    if (v.isNull())
        return Domain::Null;
    if (v.isString())
        return Domain::Text;
    if (v.isBoolean())
        return Domain::Boolean;
    if (v.isFloat())
        return Domain::Float;
    if (v.isIntegral() || v.isEmpty() || v.kind() == varDispatch)
        return Domain::Integer;
    raiseInvalidOp();
}

bool isWideInt(const Variant &v) { return v.kind() == varInt64 || v.kind() == varDispatch; }

enum class ArithOp { Add, Sub, Mul };

// Integer arithmetic with the promotion rule: 32-bit kinds widen, Int64 raises.
Variant integerArith(const Variant &l, const Variant &r, ArithOp op)
{
    const qint64 a = l.toInt64();
    const qint64 b = r.toInt64();
    qint64 out = 0;
    bool overflow = false;
    switch (op) {
    case ArithOp::Add: overflow = __builtin_add_overflow(a, b, &out); break;
    case ArithOp::Sub: overflow = __builtin_sub_overflow(a, b, &out); break;
    case ArithOp::Mul: overflow = __builtin_mul_overflow(a, b, &out); break;
    }
    if (overflow)
        raiseOverflow();
    return intResult(out, isWideInt(l) || isWideInt(r));
}

double floatArith(double a, double b, ArithOp op)
{
    switch (op) {
    case ArithOp::Add: return a + b;
    case ArithOp::Sub: return a - b;
    case ArithOp::Mul: return a * b;
    }
    return 0;
}

// Kind of a float result: Currency and Date survive where it makes sense.
Variant floatResult(double value, const Variant &l, const Variant &r, ArithOp op)
{
    const bool lDate = l.kind() == varDate, rDate = r.kind() == varDate;
    if (op != ArithOp::Mul && (lDate != rDate) && (op == ArithOp::Add || lDate))
        return Variant::fromDate(value);
    const bool lCur = l.kind() == varCurrency, rCur = r.kind() == varCurrency;
    if ((lCur || rCur) && (lCur || l.isIntegral()) && (rCur || r.isIntegral()))
        return Variant::fromCurrency(value);
    return Variant(value);
}

Variant arith(const Variant &l, const Variant &r, ArithOp op)
{
    const Domain dl = domainOf(l), dr = domainOf(r);
    if (dl == Domain::Null || dr == Domain::Null)
        return Variant::null();
    if (op == ArithOp::Add && ((dl == Domain::Text && (dr == Domain::Text || r.isEmpty()))
                               || (dr == Domain::Text && l.isEmpty())))
        return Variant(l.toString() + r.toString());
    if (dl == Domain::Float || dr == Domain::Float || dl == Domain::Text || dr == Domain::Text)
        return floatResult(floatArith(l.toDouble(), r.toDouble(), op), l, r, op);
    return integerArith(l, r, op);
}

// Integral operand of div, mod, shifts and bitwise operators.
qint64 integralOperand(const Variant &v)
{
    if (v.isBoolean())
        return v.toBool() ? -1 : 0;
    if (v.isString() || v.isFloat())
        return roundHalfEven(v.toDouble());
    return v.toInt64();
}

enum class BitOp { And, Or, Xor };

Variant bitwise(const Variant &l, const Variant &r, BitOp op)
{
    const Domain dl = domainOf(l), dr = domainOf(r);
    if (dl == Domain::Null || dr == Domain::Null)
        return Variant::null();
    if (dl == Domain::Boolean && dr == Domain::Boolean) {
        const bool a = l.toBool(), b = r.toBool();
        return Variant(op == BitOp::And ? (a && b) : op == BitOp::Or ? (a || b) : (a != b));
    }
    const qint64 a = integralOperand(l), b = integralOperand(r);
    const qint64 out = op == BitOp::And ? (a & b) : op == BitOp::Or ? (a | b) : (a ^ b);
    return intResult(out, isWideInt(l) || isWideInt(r));
}

int sign(double d) { return d < 0 ? -1 : d > 0 ? 1 : 0; }

} // namespace

Variant::Variant(const char *value) : Variant(QString::fromUtf8(value)) {}

Variant Variant::null()
{
    Variant v;
    v.m_kind = varNull;
    return v;
}

Variant Variant::fromCurrency(double value)
{
    Variant v;
    v.m_kind = varCurrency;
    // Currency keeps four decimals; ties away from zero like a money amount.
    v.m_double = std::round(value * 10000.0) / 10000.0;
    return v;
}

Variant Variant::fromDate(double dayCount)
{
    Variant v(dayCount);
    v.m_kind = varDate;
    return v;
}

Variant Variant::fromDispatch(qint64 handle)
{
    Variant v(handle);
    v.m_kind = varDispatch;
    return v;
}

Variant Variant::fromError(int code)
{
    Variant v(code);
    v.m_kind = varError;
    return v;
}

Variant Variant::fromInteger(qint64 value, VarType kind)
{
    if (!isSmallIntKind(kind) && kind != varInt64)
        raiseInvalidOp();
    if (!rangeFits(value, kind))
        raiseOverflow();
    Variant v(value);
    v.m_kind = kind;
    return v;
}

Variant Variant::fromSingle(float value)
{
    Variant v{double(value)};
    v.m_kind = varSingle;
    return v;
}

int Variant::varType() const
{
    return m_array ? int(varArray | m_array->elementType) : int(m_kind);
}

bool Variant::isIntegral() const
{
    return !m_array && (isSmallIntKind(m_kind) || m_kind == varInt64);
}

qint64 Variant::toInt64Slow() const
{
    if (m_array)
        raiseConvert(VarType(varArray), varInt64);
    switch (m_kind) {
    case varEmpty: return 0;
    case varBoolean: return m_bool ? -1 : 0;
    case varSingle: case varDouble: case varCurrency: case varDate:
        return roundHalfEven(m_double);
    case varString: case varOleStr: {
        if (const auto i = textToInteger(m_text))
            return *i;
        if (const auto d = textToFloat(m_text))
            return roundHalfEven(*d);
        raiseConvert(m_kind, varInt64);
    }
    default:
        if (isSmallIntKind(m_kind) || m_kind == varInt64 || m_kind == varDispatch)
            return m_int;
        raiseConvert(m_kind, varInt64);
    }
}

int Variant::toInt() const
{
    const qint64 v = toInt64();
    if (!rangeFits(v, varInteger))
        raiseOverflow();
    return int(v);
}

double Variant::toDoubleSlow() const
{
    if (m_array)
        raiseConvert(VarType(varArray), varDouble);
    if (isFloat())
        return m_double;
    if (isString()) {
        if (const auto d = textToFloat(m_text))
            return *d;
        raiseConvert(m_kind, varDouble);
    }
    if (m_kind == varNull || m_kind == varUnknown)
        raiseConvert(m_kind, varDouble);
    return double(toInt64());
}

bool Variant::toBoolSlow() const
{
    if (m_kind == varBoolean && !m_array)
        return m_bool;
    if (isString()) {
        const QString t = m_text.trimmed();
        if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
        if (const auto d = textToFloat(t))
            return *d != 0;
        raiseConvert(m_kind, varBoolean);
    }
    if (m_kind == varNull || m_array || m_kind == varUnknown)
        raiseConvert(m_array ? VarType(varArray) : m_kind, varBoolean);
    return isFloat() ? m_double != 0 : toInt64() != 0;
}

QString Variant::toString() const
{
    if (m_array)
        raiseConvert(VarType(varArray), varString);
    switch (m_kind) {
    case varEmpty: case varNull: return QString();
    case varString: case varOleStr: return m_text;
    case varBoolean: return m_bool ? QStringLiteral("True") : QStringLiteral("False");
    case varDate: return dateToText(m_double);
    case varSingle: case varDouble: case varCurrency: return floatToText(m_double);
    case varUnknown: raiseConvert(m_kind, varString);
    default: return QString::number(toInt64());
    }
}

Variant Variant::asType(VarType kind) const
{
    switch (kind) {
    case varEmpty: return Variant();
    case varNull: return null();
    case varString: return Variant(toString());
    case varOleStr: { Variant v(toString()); v.m_kind = varOleStr; return v; }
    case varBoolean: return Variant(toBool());
    case varDouble: return Variant(toDouble());
    case varSingle: return fromSingle(float(toDouble()));
    case varCurrency: return fromCurrency(toDouble());
    case varDate: return fromDate(toDouble());
    case varVariant: return *this;
    case varInt64: return Variant(toInt64());
    case varDispatch: return fromDispatch(toInt64());
    default:
        if (isSmallIntKind(kind))
            return fromInteger(toInt64(), kind);
        raiseConvert(m_kind, kind);
    }
}

Variant Variant::addSlow(const Variant &r) const { return arith(*this, r, ArithOp::Add); }
Variant Variant::subtractSlow(const Variant &r) const { return arith(*this, r, ArithOp::Sub); }
Variant Variant::multiplySlow(const Variant &r) const { return arith(*this, r, ArithOp::Mul); }

Variant Variant::divide(const Variant &r) const
{
    if (domainOf(*this) == Domain::Null || domainOf(r) == Domain::Null)
        return null();
    const double divisor = r.toDouble();
    if (divisor == 0)
        raiseZeroDivide();
    return Variant(toDouble() / divisor);
}

Variant Variant::intDivide(const Variant &r) const
{
    if (domainOf(*this) == Domain::Null || domainOf(r) == Domain::Null)
        return null();
    const qint64 a = integralOperand(*this), b = integralOperand(r);
    if (b == 0)
        raiseZeroDivide();
    if (a == std::numeric_limits<qint64>::min() && b == -1)
        raiseOverflow();
    return intResult(a / b, isWideInt(*this) || isWideInt(r));
}

Variant Variant::modulo(const Variant &r) const
{
    if (domainOf(*this) == Domain::Null || domainOf(r) == Domain::Null)
        return null();
    const qint64 a = integralOperand(*this), b = integralOperand(r);
    if (b == 0)
        raiseZeroDivide();
    return intResult(b == -1 ? 0 : a % b, isWideInt(*this) || isWideInt(r));
}

Variant Variant::logicalAnd(const Variant &r) const { return bitwise(*this, r, BitOp::And); }
Variant Variant::logicalOr(const Variant &r) const { return bitwise(*this, r, BitOp::Or); }
Variant Variant::logicalXor(const Variant &r) const { return bitwise(*this, r, BitOp::Xor); }

Variant Variant::shiftLeft(const Variant &r) const
{
    if (domainOf(*this) == Domain::Null || domainOf(r) == Domain::Null)
        return null();
    const qint64 a = integralOperand(*this), n = integralOperand(r);
    if (isWideInt(*this))
        return Variant(qint64(quint64(a) << (n & 63)));
    return Variant(qint32(quint32(a) << (n & 31)));
}

Variant Variant::shiftRight(const Variant &r) const
{
    if (domainOf(*this) == Domain::Null || domainOf(r) == Domain::Null)
        return null();
    const qint64 a = integralOperand(*this), n = integralOperand(r);
    if (isWideInt(*this))
        return Variant(qint64(quint64(a) >> (n & 63)));
    return Variant(qint32(quint32(a) >> (n & 31)));
}

Variant Variant::negate() const
{
    switch (domainOf(*this)) {
    case Domain::Null: return null();
    case Domain::Text: return Variant(-toDouble());
    case Domain::Float: {
        Variant v = *this;
        v.m_double = -m_double;
        return v;
    }
    default: {
        const qint64 a = toInt64();
        if (a == std::numeric_limits<qint64>::min())
            raiseOverflow();
        return intResult(-a, isWideInt(*this));
    }
    }
}

Variant Variant::logicalNot() const
{
    switch (domainOf(*this)) {
    case Domain::Null: return null();
    case Domain::Boolean: return Variant(!m_bool);
    default: return intResult(~integralOperand(*this), isWideInt(*this));
    }
}

bool Variant::equalsSlow(const Variant &r) const
{
    const Domain dl = domainOf(*this), dr = domainOf(r);
    if (dl == Domain::Null || dr == Domain::Null)
        return dl == dr;
    if ((dl == Domain::Text || isEmpty()) && (dr == Domain::Text || r.isEmpty()))
        return toString() == r.toString();
    return compareOrdered(r) == 0;
}


int Variant::compareOrdered(const Variant &r) const
{
    const Domain dl = domainOf(*this), dr = domainOf(r);
    if ((dl == Domain::Text || isEmpty()) && (dr == Domain::Text || r.isEmpty())) {
        const int c = slovakCollator().compare(toString(), r.toString());
        return c < 0 ? -1 : c > 0 ? 1 : (toString() == r.toString() ? 0 : (toString() < r.toString() ? -1 : 1));
    }
    if (dl == Domain::Boolean && dr == Domain::Boolean)
        return int(toBool() ? 1 : 0) - int(r.toBool() ? 1 : 0);
    if (dl == Domain::Float || dr == Domain::Float || dl == Domain::Text || dr == Domain::Text)
        return sign(toDouble() - r.toDouble());
    const qint64 a = toInt64(), b = r.toInt64();
    return a < b ? -1 : a > b ? 1 : 0;
}

QString Variant::kindName(VarType kind)
{
    switch (int(kind)) {
    case varEmpty: return QStringLiteral("Empty");
    case varNull: return QStringLiteral("Null");
    case varSmallint: return QStringLiteral("Smallint");
    case varInteger: return QStringLiteral("Integer");
    case varSingle: return QStringLiteral("Single");
    case varDouble: return QStringLiteral("Double");
    case varCurrency: return QStringLiteral("Currency");
    case varDate: return QStringLiteral("Date");
    case varOleStr: return QStringLiteral("OleStr");
    case varDispatch: return QStringLiteral("Dispatch");
    case varError: return QStringLiteral("Error");
    case varBoolean: return QStringLiteral("Boolean");
    case varVariant: return QStringLiteral("Variant");
    case varUnknown: return QStringLiteral("Unknown");
    case varShortInt: return QStringLiteral("ShortInt");
    case varByte: return QStringLiteral("Byte");
    case varWord: return QStringLiteral("Word");
    case varLongWord: return QStringLiteral("LongWord");
    case varInt64: return QStringLiteral("Int64");
    case varString: return QStringLiteral("String");
    case varArray: return QStringLiteral("Array");
    default: return QStringLiteral("Unknown");
    }
}

// ---- arrays

namespace {

Variant zeroOf(VarType kind)
{
    switch (kind) {
    case varVariant: case varEmpty: return Variant();
    case varNull: return Variant::null();
    case varString: case varOleStr: return Variant(QString()).asType(kind);
    case varBoolean: return Variant(false);
    default: return Variant(0).asType(kind);
    }
}

bool validElementType(VarType kind)
{
    return kind == varVariant || kind == varString || kind == varOleStr || kind == varBoolean
        || kind == varDouble || kind == varSingle || kind == varCurrency || kind == varDate
        || kind == varInt64 || kind == varDispatch || isSmallIntKind(kind);
}

// Element count for the bounds; wide bounds must not overflow, and the
// element storage is capped so a script cannot ask for gigabytes.
qint64 checkedElementCount(const QList<VarArrayBound> &bounds)
{
    constexpr qint64 maxStorageBytes = qint64(256) * 1024 * 1024;
    constexpr qint64 maxCount = maxStorageBytes / qint64(sizeof(Variant));
    qint64 count = 1;
    for (const VarArrayBound &b : bounds) {
        qint64 len = 0;
        if (__builtin_sub_overflow(b.high, b.low, &len) || __builtin_add_overflow(len, 1, &len)
            || len < 0 || __builtin_mul_overflow(count, len, &count) || count > maxCount)
            raise(QStringLiteral("Error creating variant or safe array"));
    }
    return count;
}

} // namespace

Variant Variant::createArray(const QList<VarArrayBound> &bounds, VarType elementType)
{
    if (bounds.isEmpty() || !validElementType(elementType))
        raise(QStringLiteral("Error creating variant or safe array"));
    const qint64 count = checkedElementCount(bounds);
    Variant v;
    v.m_kind = elementType;
    v.m_array = new VariantArrayData;
    v.m_array->bounds = bounds;
    v.m_array->elementType = elementType;
    v.m_array->elements = QList<Variant>(count, zeroOf(elementType));
    return v;
}

int Variant::dimCount() const { return m_array ? int(m_array->bounds.size()) : 0; }

qint64 Variant::lowBound(int dim) const
{
    if (dim < 1 || dim > dimCount())
        raise(QStringLiteral("Variant array index out of bounds"));
    return m_array->bounds[dim - 1].low;
}

qint64 Variant::highBound(int dim) const
{
    if (dim < 1 || dim > dimCount())
        raise(QStringLiteral("Variant array index out of bounds"));
    return m_array->bounds[dim - 1].high;
}

qint64 Variant::arrayLength() const { return highBound(1) - lowBound(1) + 1; }

VarType Variant::arrayElementType() const
{
    return m_array ? m_array->elementType : varEmpty;
}

namespace {

qint64 flatIndex(const VariantArrayData &data, const QList<qint64> &index)
{
    if (index.size() != data.bounds.size())
        raise(QStringLiteral("Variant array index out of bounds"));
    qint64 flat = 0;
    for (int i = 0; i < index.size(); ++i) {
        const VarArrayBound &b = data.bounds[i];
        if (index[i] < b.low || index[i] > b.high)
            raise(QStringLiteral("Variant array index out of bounds"));
        flat = flat * (b.high - b.low + 1) + (index[i] - b.low);
    }
    return flat;
}

} // namespace

Variant Variant::element(const QList<qint64> &index) const
{
    if (!m_array)
        raise(QStringLiteral("Variant is not an array"));
    return m_array->elements[flatIndex(*m_array, index)];
}

void Variant::setElement(const QList<qint64> &index, const Variant &value)
{
    if (!m_array)
        raise(QStringLiteral("Variant is not an array"));
    const qint64 flat = flatIndex(*m_array, index);
    const VarType t = m_array->elementType;
    Variant stored = t == varVariant ? value : value.asType(t);
    m_array.detach();
    m_array->elements[flat] = std::move(stored);
}

void Variant::redim(qint64 high)
{
    if (!m_array)
        raise(QStringLiteral("Variant is not an array"));
    VarArrayBound last = m_array->bounds.last();
    const qint64 oldLen = last.high - last.low + 1;
    QList<VarArrayBound> wanted = m_array->bounds;
    wanted.last().high = high;
    const qint64 total = checkedElementCount(wanted);
    const qint64 newLen = high - last.low + 1;
    const qint64 outer = newLen == 0 ? 0 : total / newLen;
    m_array.detach();
    QList<Variant> grown;
    grown.reserve(outer * newLen);
    const Variant zero = zeroOf(m_array->elementType);
    for (qint64 o = 0; o < outer; ++o)
        for (qint64 i = 0; i < newLen; ++i)
            grown.append(i < oldLen ? m_array->elements[o * oldLen + i] : zero);
    m_array->elements = std::move(grown);
    m_array->bounds.last().high = high;
}

bool Variant::sharesArrayWith(const Variant &other) const
{
    return m_array && m_array.constData() == other.m_array.constData();
}

} // namespace bralvo::platform
