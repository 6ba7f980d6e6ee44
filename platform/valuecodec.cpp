// Tagged binary values of form definitions.
#include "platform/valuecodec.h"

#include "platform/stream.h"
#include "platform/textcodec.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace bralvo::platform {

namespace {

[[noreturn]] void invalidValue()
{
    throw ReadError(QStringLiteral("Invalid property value"));
}

// Longest counted value we accept; guards against absurd lengths.
constexpr qint64 kMaxCounted = qint64(1) << 30;

} // namespace

QByteArray doubleToExtended(double value)
{
    QByteArray out(10, '\0');
    quint64 mantissa = 0;
    int exponent = 0;
    const bool negative = std::signbit(value);
    if (std::isnan(value)) {
        exponent = 0x7FFF;
        mantissa = quint64(3) << 62;
    } else if (std::isinf(value)) {
        exponent = 0x7FFF;
        mantissa = quint64(1) << 63;
    } else if (value != 0) {
        int e = 0;
        const double frac = std::frexp(std::fabs(value), &e); // [0.5, 1)
        mantissa = quint64(std::ldexp(frac, 64) >= 18446744073709551615.0
                               ? std::numeric_limits<quint64>::max()
                               : quint64(std::ldexp(frac, 64)));
        exponent = e - 1 + 16383;
    }
    for (int i = 0; i < 8; ++i)
        out[i] = char((mantissa >> (8 * i)) & 0xFF);
    const quint16 se = quint16(exponent | (negative ? 0x8000 : 0));
    out[8] = char(se & 0xFF);
    out[9] = char(se >> 8);
    return out;
}

double extendedToDouble(const QByteArray &bytes)
{
    if (bytes.size() < 10)
        invalidValue();
    quint64 mantissa = 0;
    for (int i = 7; i >= 0; --i)
        mantissa = (mantissa << 8) | quint8(bytes[i]);
    const quint16 se = quint16(quint8(bytes[8]) | (quint8(bytes[9]) << 8));
    const bool negative = se & 0x8000;
    const int exponent = se & 0x7FFF;
    double v = 0;
    if (exponent == 0x7FFF)
        v = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                                 : std::numeric_limits<double>::quiet_NaN();
    else if (mantissa != 0)
        v = std::ldexp(double(mantissa), exponent - 16383 - 63);
    return negative ? -v : v;
}

// --- writer

void ValueWriter::writeRaw(const QByteArray &bytes)
{
    m_stream.write(bytes);
}

void ValueWriter::writeInt(qint64 value, int bytes)
{
    char buf[8];
    for (int i = 0; i < bytes; ++i)
        buf[i] = char((quint64(value) >> (8 * i)) & 0xFF);
    m_stream.write(buf, bytes);
}

void ValueWriter::writeValueType(ValueType t)
{
    const char b = char(t);
    m_stream.write(&b, 1);
}

void ValueWriter::writeInteger(qint64 value)
{
    if (value >= -128 && value <= 127) {
        writeValueType(ValueType::Int8);
        writeInt(value, 1);
    } else if (value >= -32768 && value <= 32767) {
        writeValueType(ValueType::Int16);
        writeInt(value, 2);
    } else if (value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max()) {
        writeValueType(ValueType::Int32);
        writeInt(value, 4);
    } else {
        writeValueType(ValueType::Int64);
        writeInt(value, 8);
    }
}

void ValueWriter::writeFloat(double value)
{
    writeValueType(ValueType::Extended);
    writeRaw(doubleToExtended(value));
}

void ValueWriter::writeDouble(double value)
{
    writeValueType(ValueType::Double);
    qint64 bits;
    std::memcpy(&bits, &value, 8);
    writeInt(bits, 8);
}

void ValueWriter::writeSingle(float value)
{
    writeValueType(ValueType::Single);
    qint32 bits;
    std::memcpy(&bits, &value, 4);
    writeInt(bits, 4);
}

void ValueWriter::writeCurrency(double value)
{
    writeValueType(ValueType::Currency);
    writeInt(qint64(std::llround(value * 10000.0)), 8);
}

void ValueWriter::writeDate(double dayCount)
{
    writeValueType(ValueType::Date);
    qint64 bits;
    std::memcpy(&bits, &dayCount, 8);
    writeInt(bits, 8);
}

void ValueWriter::writeBoolean(bool value)
{
    writeValueType(value ? ValueType::True : ValueType::False);
}

void ValueWriter::writeCounted(ValueType type, const QByteArray &bytes, int countBytes)
{
    writeValueType(type);
    writeInt(bytes.size(), countBytes);
    writeRaw(bytes);
}

void ValueWriter::writeString8(const QByteArray &bytes)
{
    if (bytes.size() > 255) {
        writeLongString8(bytes);
        return;
    }
    writeCounted(ValueType::String, bytes, 1);
}

void ValueWriter::writeLongString8(const QByteArray &bytes)
{
    writeCounted(ValueType::LString, bytes, 4);
}

void ValueWriter::writeUtf8String(const QString &text)
{
    writeCounted(ValueType::Utf8String, text.toUtf8(), 4);
}

void ValueWriter::writeWideString(const QString &text)
{
    writeValueType(ValueType::WString);
    writeInt(text.size(), 4);
    for (QChar c : text)
        writeInt(c.unicode(), 2);
}

void ValueWriter::writeIdent(const QString &ident)
{
    if (ident.compare(u"False", Qt::CaseInsensitive) == 0) {
        writeValueType(ValueType::False);
    } else if (ident.compare(u"True", Qt::CaseInsensitive) == 0) {
        writeValueType(ValueType::True);
    } else if (ident.compare(u"nil", Qt::CaseInsensitive) == 0) {
        writeValueType(ValueType::Nil);
    } else {
        writeValueType(ValueType::Ident);
        writePropName(ident);
    }
}

void ValueWriter::writeBinary(const QByteArray &bytes)
{
    writeCounted(ValueType::Binary, bytes, 4);
}

void ValueWriter::writeSet(const QStringList &names)
{
    writeValueType(ValueType::Set);
    for (const QString &n : names)
        writePropName(n);
    writeInt(0, 1);
}

void ValueWriter::writePropName(const QString &name)
{
    const QByteArray bytes = name.toUtf8().left(255);
    writeInt(bytes.size(), 1);
    writeRaw(bytes);
}

// --- reader

bool ValueReader::atEnd() const
{
    return m_stream.position() >= m_stream.size();
}

qint64 ValueReader::readInt(int bytes)
{
    if (m_stream.size() - m_stream.position() < bytes)
        throw ReadError(QStringLiteral("Stream read error"));
    char buf[8];
    m_stream.readExactly(buf, bytes);
    quint64 v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | quint8(buf[i]);
    if (bytes < 8 && (v & (quint64(1) << (8 * bytes - 1))))
        v |= ~quint64(0) << (8 * bytes); // sign-extend
    return qint64(v);
}

QByteArray ValueReader::readCounted(qint64 length)
{
    if (length < 0 || length > kMaxCounted || length > m_stream.size() - m_stream.position())
        invalidValue();
    QByteArray bytes(length, '\0');
    m_stream.readExactly(bytes.data(), length);
    return bytes;
}

ValueType ValueReader::readValueType()
{
    if (atEnd())
        throw ReadError(QStringLiteral("Stream read error"));
    char b;
    m_stream.readExactly(&b, 1);
    if (quint8(b) > quint8(ValueType::Double))
        invalidValue();
    return ValueType(quint8(b));
}

ValueType ValueReader::nextValue()
{
    const qint64 pos = m_stream.position();
    const ValueType t = readValueType();
    m_stream.seek(pos);
    return t;
}

bool ValueReader::endOfList()
{
    return nextValue() == ValueType::Null;
}

void ValueReader::readListBegin()
{
    if (readValueType() != ValueType::List)
        invalidValue();
}

void ValueReader::readListEnd()
{
    if (readValueType() != ValueType::Null)
        invalidValue();
}

qint64 ValueReader::readInteger()
{
    switch (readValueType()) {
    case ValueType::Int8:
        return readInt(1);
    case ValueType::Int16:
        return readInt(2);
    case ValueType::Int32:
        return readInt(4);
    case ValueType::Int64:
        return readInt(8);
    default:
        invalidValue();
    }
}

double ValueReader::readFloat()
{
    const qint64 pos = m_stream.position();
    const ValueType t = readValueType();
    double d;
    float f;
    qint64 bits;
    switch (t) {
    case ValueType::Extended:
        return extendedToDouble(readCounted(10));
    case ValueType::Double:
    case ValueType::Date:
        bits = readInt(8);
        std::memcpy(&d, &bits, 8);
        return d;
    case ValueType::Single: {
        const qint32 b32 = qint32(readInt(4));
        std::memcpy(&f, &b32, 4);
        return f;
    }
    case ValueType::Currency:
        return double(readInt(8)) / 10000.0;
    default:
        m_stream.seek(pos);
        return double(readInteger());
    }
}

bool ValueReader::readBoolean()
{
    const ValueType t = readValueType();
    if (t != ValueType::True && t != ValueType::False)
        invalidValue();
    return t == ValueType::True;
}

QByteArray ValueReader::readString8Bytes()
{
    const ValueType t = readValueType();
    if (t == ValueType::String)
        return readCounted(readInt(1) & 0xFF);
    if (t == ValueType::LString)
        return readCounted(readInt(4));
    invalidValue();
}

QString ValueReader::readString()
{
    const ValueType t = nextValue();
    if (t == ValueType::String || t == ValueType::LString)
        return decodeText(readString8Bytes());
    readValueType();
    if (t == ValueType::Utf8String)
        return QString::fromUtf8(readCounted(readInt(4)));
    if (t != ValueType::WString)
        invalidValue();
    const qint64 n = readInt(4);
    if (n < 0 || n > kMaxCounted / 2)
        invalidValue();
    const QByteArray bytes = readCounted(n * 2);
    QString text(n, Qt::Uninitialized);
    for (qint64 i = 0; i < n; ++i)
        text[i] = QChar(ushort(quint8(bytes[2 * i]) | (quint8(bytes[2 * i + 1]) << 8)));
    return text;
}

QString ValueReader::readIdent()
{
    switch (readValueType()) {
    case ValueType::Ident:
        return readPropName();
    case ValueType::False:
        return QStringLiteral("False");
    case ValueType::True:
        return QStringLiteral("True");
    case ValueType::Nil:
        return QStringLiteral("nil");
    case ValueType::Null:
        return QStringLiteral("Null");
    default:
        invalidValue();
    }
}

QByteArray ValueReader::readBinary()
{
    if (readValueType() != ValueType::Binary)
        invalidValue();
    return readCounted(readInt(4));
}

QStringList ValueReader::readSet()
{
    if (readValueType() != ValueType::Set)
        invalidValue();
    QStringList names;
    for (;;) {
        const QString n = readPropName();
        if (n.isEmpty())
            return names;
        names << n;
    }
}

QString ValueReader::readPropName()
{
    return QString::fromUtf8(readCounted(readInt(1) & 0xFF));
}

void ValueReader::skipValue(int depth)
{
    if (depth > 64)
        invalidValue();
    switch (nextValue()) {
    case ValueType::List:
        readValueType();
        while (!endOfList())
            skipValue(depth + 1);
        readListEnd();
        return;
    case ValueType::Collection:
        readValueType();
        while (!endOfList()) {
            const ValueType t = nextValue();
            if (t == ValueType::Int8 || t == ValueType::Int16 || t == ValueType::Int32)
                readInteger();
            readListBegin();
            while (!endOfList()) {
                readPropName();
                skipValue(depth + 1);
            }
            readListEnd();
        }
        readListEnd();
        return;
    case ValueType::String:
    case ValueType::LString:
    case ValueType::Utf8String:
    case ValueType::WString:
        readString();
        return;
    case ValueType::Ident:
    case ValueType::False:
    case ValueType::True:
    case ValueType::Nil:
    case ValueType::Null:
        readIdent();
        return;
    case ValueType::Binary:
        readBinary();
        return;
    case ValueType::Set:
        readSet();
        return;
    case ValueType::Extended:
    case ValueType::Double:
    case ValueType::Single:
    case ValueType::Currency:
    case ValueType::Date:
        readFloat();
        return;
    default:
        readInteger();
    }
}

} // namespace bralvo::platform
