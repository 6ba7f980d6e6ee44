// Format: "%" directives filled from a list of arguments, the routine
// behind numbered messages ("%s"), script Format and report formats.
//
// Directive: "%" [index ":"] ["-"] [width] ["." precision] type
//   index, width and precision are decimal numbers or "*" (taken from the
//   next argument, which must be an integer); an index sets the argument
//   the directive uses, and the directives after it go on from there;
//   "-" pads on the right instead of the left; width pads with blanks.
//   "%%" writes "%". Type letters are case-insensitive:
//   d  integer; precision = minimum digits (zeros after the sign)
//   u  integer as unsigned (a negative one as its 32-bit two's complement
//      when it fits in 32 bits, else 64-bit)
//   x  integer as upper-case hexadecimal, same rules as u
//   s  text; precision = maximum characters
//   f  float, fixed; precision = decimals (default 2)
//   n  float like f with thousands separators
//   m  float as money with the regional currency text; precision =
//      decimals (default: the regional currency decimals)
//   e  float, scientific "-d.ddddE+ddd"; precision = significant digits
//      (default 15)
//   g  float, the shorter of fixed and scientific; precision =
//      significant digits (default 15), trailing zeros dropped
// Floats use the regional decimal separator and round half away from zero
// on their decimal expansion. An integer argument is never taken as a
// float nor a float as an integer: throws FormatError
// "Format '<format>' invalid or incompatible with argument" for a type
// that does not fit, an unknown type letter or a cut-off directive, and
// "No argument for format '<format>'" when arguments run out.
#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <variant>

namespace bralvo::platform {

struct RegionalSettings;

// One argument of Format: an integer, a float or a text.
class FormatArg {
public:
    FormatArg(int value) : m_value(qint64(value)) {}
    FormatArg(long value) : m_value(qint64(value)) {}
    FormatArg(long long value) : m_value(qint64(value)) {}
    FormatArg(unsigned value) : m_value(qint64(value)) {}
    FormatArg(double value) : m_value(value) {}
    FormatArg(const QString &value) : m_value(value) {}
    FormatArg(const char *utf8) : m_value(QString::fromUtf8(utf8)) {}
    FormatArg(QChar value) : m_value(QString(value)) {}

    bool isInteger() const { return std::holds_alternative<qint64>(m_value); }
    bool isFloat() const { return std::holds_alternative<double>(m_value); }
    bool isText() const { return std::holds_alternative<QString>(m_value); }
    qint64 integer() const { return std::get<qint64>(m_value); }  // only when isInteger()
    double number() const { return std::get<double>(m_value); }   // only when isFloat()
    const QString &text() const { return std::get<QString>(m_value); } // only when isText()

private:
    std::variant<qint64, double, QString> m_value;
};

QString Format(const QString &format, const QList<FormatArg> &args, const RegionalSettings &settings);

} // namespace bralvo::platform
