// Variant: the dynamically typed value of the script engine and of every
// report value, field value and variable. It keeps the platform's kinds and
// VarType codes so that scripts calling VarType() see the familiar numbers.
//
// Storage: numbers and Booleans in place; texts as QString and arrays as a
// shared buffer, both copied cheaply and detached on the first write.
// Host objects are not stored as addresses: they travel as integer handles
// (kind Dispatch or a plain integer), so a stale one cannot crash anything.
//
// Rules that callers rely on (docs/design/platform.md, "Variant rules"):
// - Null in arithmetic gives Null; Null = Null is true; <, <=, >, >= with a
//   Null side are false; converting Null to a number or a Boolean raises.
// - Empty behaves as 0 in arithmetic and as "" in text.
// - True converts to the number -1, False to 0.
// - Integer arithmetic: 32-bit kinds give a 32-bit Integer when the result
//   fits, else an Int64; an Int64 overflow raises "Variant overflow".
// - Implicit float-to-integer conversion rounds halves to even.
// - Texts compare for equality exactly; their ordering uses the Slovak
//   collation. A text against a number compares as numbers.
// Every failure throws VariantError (a bralvo::Error) with the user text.
#pragma once

#include "platform/error.h"

#include <QSharedDataPointer>
#include <QString>
#include <QList>
#include <optional>

namespace bralvo::platform {

// The platform's variant type codes, returned by Variant::varType().
enum VarType : int {
    varEmpty = 0, varNull = 1, varSmallint = 2, varInteger = 3, varSingle = 4,
    varDouble = 5, varCurrency = 6, varDate = 7, varOleStr = 8, varDispatch = 9,
    varError = 10, varBoolean = 11, varVariant = 12, varUnknown = 13,
    varShortInt = 16, varByte = 17, varWord = 18, varLongWord = 19, varInt64 = 20,
    varStrArg = 72, varString = 256, varAny = 257, varTypeMask = 4095,
    varArray = 8192, varByRef = 16384
};

class VariantError : public bralvo::Error {
public:
    using bralvo::Error::Error;
};

class VariantArrayData;

// One dimension of a variant array: inclusive bounds, low <= high + 1.
struct VarArrayBound {
    qint64 low = 0;
    qint64 high = -1;
};

class Variant {
public:
    // The simple constructors and the copies are inline: scripts make and
    // drop a Variant for nearly every value they touch.
    Variant() : m_int(0) {}                                    // Empty
    Variant(bool value) : m_kind(varBoolean), m_bool(value) {} // Boolean
    Variant(int value) : m_kind(varInteger), m_int(value) {}   // Integer (32-bit)
    Variant(qint64 value) : m_kind(varInt64), m_int(value) {}  // Int64
    Variant(double value) : m_kind(varDouble), m_double(value) {} // Double
    Variant(const QString &value) : m_kind(varString), m_int(0), m_text(value) {} // String
    Variant(const char *value);         // String (UTF-8)
    Variant(const Variant &other);
    Variant(Variant &&other) noexcept;
    Variant &operator=(const Variant &other);
    Variant &operator=(Variant &&other) noexcept;
    ~Variant();

    static Variant null();
    static Variant fromCurrency(double value);  // rounded to 4 decimals
    static Variant fromDate(double dayCount);   // days since 30.12.1899
    static Variant fromDispatch(qint64 handle); // host object handle, 0 = none
    static Variant fromError(int code);
    // Typed integers of the smaller kinds; the value is cut to the kind's range
    // by conversion rules (throws "Variant overflow" when it does not fit).
    static Variant fromInteger(qint64 value, VarType kind);
    static Variant fromSingle(float value);
    // A variant array with one entry per dimension; element kind one of the
    // simple kinds or varVariant. Elements start as the kind's zero
    // (Empty for varVariant). Throws on a negative length or an unknown kind.
    static Variant createArray(const QList<VarArrayBound> &bounds, VarType elementType);

    // The kind without flags (varArray is not included; see varType()).
    VarType kind() const { return m_kind; }
    // VarType code as scripts see it: kind, plus varArray for arrays.
    int varType() const;
    bool isEmpty() const { return m_kind == varEmpty && !m_array; }
    bool isNull() const { return m_kind == varNull; }
    bool isArray() const { return bool(m_array); }
    bool isString() const { return !m_array && (m_kind == varString || m_kind == varOleStr); } // or OleStr
    bool isBoolean() const { return m_kind == varBoolean && !m_array; }
    bool isIntegral() const; // any integer kind, Boolean excluded
    bool isFloat() const     // Single, Double, Currency, Date
    {
        return !m_array && (m_kind == varSingle || m_kind == varDouble || m_kind == varCurrency || m_kind == varDate);
    }
    bool isNumeric() const { return isIntegral() || isFloat(); }

    // Conversions. Null raises; a text must hold a number in the regional
    // format (or "$" hexadecimal for integers); a float goes to an integer
    // by rounding halves to even; an array raises.
    qint64 toInt64() const { return plainInteger() ? m_int : toInt64Slow(); }
    int toInt() const;           // raises "Variant overflow" outside 32 bits
    double toDouble() const
    {
        return plainDouble() ? m_double : plainInteger() ? double(m_int) : toDoubleSlow();
    }
    bool toBool() const { return isBoolean() ? m_bool : toBoolSlow(); } // numbers: non-zero; texts: True/False or a number
    // Text form: numbers as FloatToStr, Booleans "True"/"False", Null and
    // Empty "", arrays raise.
    QString toString() const;
    // Converts to the given kind (VarAsType); varString/varOleStr give text.
    Variant asType(VarType kind) const;

    // Arithmetic and logic on two values (rules in the file comment).
    Variant add(const Variant &right) const;
    Variant subtract(const Variant &right) const;
    Variant multiply(const Variant &right) const;
    // The same three, with the result put into target (which may be this
    // or right): no temporary for two Integers or two Doubles.
    void addTo(const Variant &right, Variant &target) const;
    void subtractTo(const Variant &right, Variant &target) const;
    void multiplyTo(const Variant &right, Variant &target) const;
    Variant divide(const Variant &right) const;     // always a float; /0 raises
    Variant intDivide(const Variant &right) const;  // "div"
    Variant modulo(const Variant &right) const;     // "mod"
    Variant logicalAnd(const Variant &right) const; // Booleans logical, integers bitwise
    Variant logicalOr(const Variant &right) const;
    Variant logicalXor(const Variant &right) const;
    Variant shiftLeft(const Variant &right) const;
    Variant shiftRight(const Variant &right) const;
    Variant negate() const;
    Variant logicalNot() const;

    // Comparisons: equal() and the orderings follow the Null rules above.
    bool equals(const Variant &right) const;
    bool notEquals(const Variant &right) const;
    bool less(const Variant &right) const;
    bool lessOrEqual(const Variant &right) const;
    bool greater(const Variant &right) const;
    bool greaterOrEqual(const Variant &right) const;

    // Arrays. Indexes are checked against the bounds ("Variant array index
    // out of bounds"). Writing detaches a shared array first.
    int dimCount() const;                          // 0 for a non-array
    qint64 lowBound(int dim) const;                // dim is 1-based
    qint64 highBound(int dim) const;
    qint64 arrayLength() const;                    // elements of dimension 1
    VarType arrayElementType() const;
    Variant element(const QList<qint64> &index) const;
    void setElement(const QList<qint64> &index, const Variant &value);
    Variant element(qint64 index) const { return element(QList<qint64>{index}); }
    void setElement(qint64 index, const Variant &value) { setElement(QList<qint64>{index}, value); }
    // New high bound of the last dimension; elements that remain are kept.
    void redim(qint64 highBound);
    // Whether two variants share one array buffer (tests of copy-on-write).
    bool sharesArrayWith(const Variant &other) const;

    // Kind name as the conversion errors show it ("String", "Double", ...).
    static QString kindName(VarType kind);

private:
    int compareOrdered(const Variant &right) const; // -1/0/1, both non-null
    // 32-bit Integers and Doubles outside arrays take the fast paths; every
    // other kind goes through the full rules in variant.cpp.
    bool plainInteger() const { return (m_kind == varInteger || m_kind == varInt64) && !m_array; }
    bool plainDouble() const { return m_kind == varDouble && !m_array; }
    static bool intKind(VarType k) { return k == varInteger || k == varInt64; }
    // Integer or Int64 on both sides.
    bool bothInt(const Variant &r) const { return intKind(m_kind) && intKind(r.m_kind) && !m_array && !r.m_array; }
    // Integer, Int64 or Double on both sides and at least one Double.
    bool mixedDouble(const Variant &r) const
    {
        return (m_kind == varDouble || intKind(m_kind)) && (r.m_kind == varDouble || intKind(r.m_kind))
            && (m_kind == varDouble || r.m_kind == varDouble) && !m_array && !r.m_array;
    }
    double numberOf() const { return m_kind == varDouble ? m_double : double(m_int); }
    static int signOf(double d) { return d < 0 ? -1 : d > 0 ? 1 : 0; }
    // An integer result: false when it overflowed (the full rules raise).
    // An Int64 operand keeps the result an Int64.
    static bool intResultOf(bool overflow, qint64 value, bool wide, Variant &target)
    {
        if (overflow || target.m_array || !target.m_text.isNull())
            return false;
        target.m_kind = !wide && value >= -2147483647 - 1 && value <= 2147483647 ? varInteger : varInt64;
        target.m_int = value;
        return true;
    }
    bool wideWith(const Variant &r) const { return m_kind == varInt64 || r.m_kind == varInt64; }
    // -2 when neither fast path applies.
    int fastCompare(const Variant &r) const
    {
        if (bothInt(r))
            return m_int < r.m_int ? -1 : m_int > r.m_int ? 1 : 0;
        if (mixedDouble(r))
            return signOf(numberOf() - r.numberOf());
        return -2;
    }
    qint64 toInt64Slow() const;
    double toDoubleSlow() const;
    bool toBoolSlow() const;
    template <class IntOp, class FloatOp>
    void arithTo(const Variant &r, Variant &target, IntOp intOp, FloatOp floatOp,
                 Variant (Variant::*slow)(const Variant &) const) const;
    Variant addSlow(const Variant &right) const;
    Variant subtractSlow(const Variant &right) const;
    Variant multiplySlow(const Variant &right) const;
    bool equalsSlow(const Variant &right) const;

    VarType m_kind = varEmpty;
    union {
        bool m_bool;
        qint64 m_int;
        double m_double;
    };
    QString m_text;
    QSharedDataPointer<VariantArrayData> m_array;
};

class VariantArrayData : public QSharedData {
public:
    QList<VarArrayBound> bounds;
    VarType elementType = varVariant;
    QList<Variant> elements;
};

inline Variant::Variant(const Variant &other) = default;
inline Variant::Variant(Variant &&other) noexcept = default;
inline Variant &Variant::operator=(const Variant &other) = default;
inline Variant &Variant::operator=(Variant &&other) noexcept = default;
inline Variant::~Variant() = default;

template <class IntOp, class FloatOp>
inline void Variant::arithTo(const Variant &r, Variant &target, IntOp intOp, FloatOp floatOp,
                             Variant (Variant::*slow)(const Variant &) const) const
{
    if (bothInt(r)) {
        qint64 out;
        const bool overflow = intOp(m_int, r.m_int, &out);
        if (intResultOf(overflow, out, wideWith(r), target))
            return;
    } else if (mixedDouble(r) && !target.m_array && target.m_text.isNull()) {
        const double out = floatOp(numberOf(), r.numberOf());
        target.m_kind = varDouble;
        target.m_double = out;
        return;
    }
    target = (this->*slow)(r);
}

inline void Variant::addTo(const Variant &r, Variant &target) const
{
    arithTo(r, target, [](qint64 a, qint64 b, qint64 *out) { return __builtin_add_overflow(a, b, out); },
            [](double a, double b) { return a + b; }, &Variant::addSlow);
}

inline void Variant::subtractTo(const Variant &r, Variant &target) const
{
    arithTo(r, target, [](qint64 a, qint64 b, qint64 *out) { return __builtin_sub_overflow(a, b, out); },
            [](double a, double b) { return a - b; }, &Variant::subtractSlow);
}

inline void Variant::multiplyTo(const Variant &r, Variant &target) const
{
    arithTo(r, target, [](qint64 a, qint64 b, qint64 *out) { return __builtin_mul_overflow(a, b, out); },
            [](double a, double b) { return a * b; }, &Variant::multiplySlow);
}

inline Variant Variant::add(const Variant &r) const
{
    Variant v;
    addTo(r, v);
    return v;
}

inline Variant Variant::subtract(const Variant &r) const
{
    Variant v;
    subtractTo(r, v);
    return v;
}

inline Variant Variant::multiply(const Variant &r) const
{
    Variant v;
    multiplyTo(r, v);
    return v;
}

inline bool Variant::equals(const Variant &r) const
{
    const int c = fastCompare(r);
    return c != -2 ? c == 0 : equalsSlow(r);
}

inline bool Variant::notEquals(const Variant &r) const { return !equals(r); }

inline bool Variant::less(const Variant &r) const
{
    const int c = fastCompare(r);
    return c != -2 ? c < 0 : !isNull() && !r.isNull() && compareOrdered(r) < 0;
}

inline bool Variant::lessOrEqual(const Variant &r) const
{
    const int c = fastCompare(r);
    return c != -2 ? c <= 0 : !isNull() && !r.isNull() && compareOrdered(r) <= 0;
}

inline bool Variant::greater(const Variant &r) const
{
    const int c = fastCompare(r);
    return c != -2 ? c > 0 : !isNull() && !r.isNull() && compareOrdered(r) > 0;
}

inline bool Variant::greaterOrEqual(const Variant &r) const
{
    const int c = fastCompare(r);
    return c != -2 ? c >= 0 : !isNull() && !r.isNull() && compareOrdered(r) >= 0;
}

} // namespace bralvo::platform
