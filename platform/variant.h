// Variant: the dynamically typed value of the script engine and of every
// report value, field value and variable. It keeps the platform's kinds and
// VarType codes so that scripts calling VarType() see the familiar numbers.
//
// Storage: numbers and Booleans in place; texts as QString and arrays as a
// shared buffer, both copied cheaply and detached on the first write.
// Host objects are not stored as addresses: they travel as integer handles
// (kind Dispatch or a plain integer), so a stale one cannot crash anything.
//
// Rules that callers rely on (docs/ARCHITECTURE.md, "Variant rules"):
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
    Variant();                          // Empty
    Variant(bool value);                // Boolean
    Variant(int value);                 // Integer (32-bit)
    Variant(qint64 value);              // Int64
    Variant(double value);              // Double
    Variant(const QString &value);      // String
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
    bool isString() const;   // String or OleStr
    bool isBoolean() const { return m_kind == varBoolean && !m_array; }
    bool isIntegral() const; // any integer kind, Boolean excluded
    bool isFloat() const;    // Single, Double, Currency, Date
    bool isNumeric() const { return isIntegral() || isFloat(); }

    // Conversions. Null raises; a text must hold a number in the regional
    // format (or "$" hexadecimal for integers); a float goes to an integer
    // by rounding halves to even; an array raises.
    qint64 toInt64() const;
    int toInt() const;           // raises "Variant overflow" outside 32 bits
    double toDouble() const;
    bool toBool() const;         // numbers: non-zero; texts: True/False or a number
    // Text form: numbers as FloatToStr, Booleans "True"/"False", Null and
    // Empty "", arrays raise.
    QString toString() const;
    // Converts to the given kind (VarAsType); varString/varOleStr give text.
    Variant asType(VarType kind) const;

    // Arithmetic and logic on two values (rules in the file comment).
    Variant add(const Variant &right) const;
    Variant subtract(const Variant &right) const;
    Variant multiply(const Variant &right) const;
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

    VarType m_kind = varEmpty;
    union {
        bool m_bool;
        qint64 m_int;
        double m_double;
    };
    QString m_text;
    QSharedDataPointer<VariantArrayData> m_array;
};

} // namespace bralvo::platform
