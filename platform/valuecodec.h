// The binary value codec of form definitions: tagged values as the
// platform's readers and writers store them. Used for "PropData"
// (extra properties of report objects), wide strings and pictures; whole
// window definitions are not read by this system.
//
// Every value starts with one tag byte. Integers are little-endian.
// Strings: short (6, length byte), long (12, 32-bit length), both 8-bit;
// UTF-8 (20, 32-bit byte length); wide (18, 32-bit count of UTF-16 code
// units). A property name is a length byte and its bytes (UTF-8 here).
#pragma once

#include "platform/persistent.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace bralvo::platform {

class Stream;

enum class ValueType : quint8 {
    Null = 0,        // end of a list
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5,    // 80-bit float
    String = 6,
    Ident = 7,
    False = 8,
    True = 9,
    Binary = 10,
    Set = 11,
    LString = 12,
    Nil = 13,
    Collection = 14,
    Single = 15,
    Currency = 16,   // 64-bit integer, value x 10000
    Date = 17,       // double, days since 30.12.1899
    WString = 18,
    Int64 = 19,
    Utf8String = 20,
    Double = 21
};

// 80-bit extended float bytes (little-endian) from a double and back.
QByteArray doubleToExtended(double value);
double extendedToDouble(const QByteArray &bytes);

class ValueWriter {
public:
    explicit ValueWriter(Stream &stream) : m_stream(stream) {}

    void writeValueType(ValueType t);
    void writeListBegin() { writeValueType(ValueType::List); }
    void writeListEnd() { writeValueType(ValueType::Null); }
    // The smallest of Int8, Int16, Int32, Int64 that holds the value.
    void writeInteger(qint64 value);
    void writeFloat(double value);       // Extended
    void writeDouble(double value);      // Double
    void writeSingle(float value);
    void writeCurrency(double value);
    void writeDate(double dayCount);
    void writeBoolean(bool value);
    // Short form up to 255 bytes, else long form; 8-bit bytes as given.
    void writeString8(const QByteArray &bytes);
    void writeLongString8(const QByteArray &bytes); // always long form
    void writeUtf8String(const QString &text);
    void writeWideString(const QString &text);
    // Identifier (False, True and nil get their own tags).
    void writeIdent(const QString &ident);
    void writeBinary(const QByteArray &bytes);
    // Names of the set's elements, ended by an empty name.
    void writeSet(const QStringList &names);
    // A length byte and up to 255 bytes of the name's UTF-8.
    void writePropName(const QString &name);
    void writeRaw(const QByteArray &bytes);

private:
    void writeInt(qint64 value, int bytes);
    // The tag, the byte count in countBytes bytes, then the bytes.
    void writeCounted(ValueType type, const QByteArray &bytes, int countBytes);
    Stream &m_stream;
};

// Reading throws ReadError ("Invalid property value" or "Stream read
// error") on malformed data, never reads past the stream's end.
class ValueReader {
public:
    explicit ValueReader(Stream &stream) : m_stream(stream) {}

    Stream &stream() { return m_stream; }
    bool atEnd() const;
    ValueType readValueType();
    ValueType nextValue();               // peeks without consuming
    bool endOfList();                    // next is Null (not consumed)
    void readListBegin();
    void readListEnd();
    qint64 readInteger();                // Int8/16/32/64
    double readFloat();                  // any float or integer tag
    bool readBoolean();
    // Any string tag. 8-bit strings are decoded as UTF-8 when valid,
    // else Windows-1250.
    QString readString();
    QByteArray readString8Bytes();       // String or LString, raw bytes
    QString readIdent();                 // Ident, False, True, Nil
    QByteArray readBinary();
    QStringList readSet();
    QString readPropName();
    // Skips one value of any type, lists and collections included
    // (nested deeper than 64 levels: ReadError).
    void skipValue(int depth = 0);

private:
    qint64 readInt(int bytes);
    QByteArray readCounted(qint64 length);
    Stream &m_stream;
};

} // namespace bralvo::platform
