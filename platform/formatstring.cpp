// Format: "%" directives filled from a list of arguments.
#include "platform/formatstring.h"

#include "platform/conversionerror.h"
#include "platform/decimaltext.h"
#include "platform/floattext.h"
#include "platform/formatfloat.h"
#include "platform/regionalsettings.h"

#include <algorithm>
#include <cmath>

namespace bralvo::platform {

namespace {

// One directive after its "%" (an index only moves the argument counter).
struct Directive {
    bool leftJustify = false;
    int width = -1;
    int precision = -1;
    QChar type;
};

class Formatter {
public:
    Formatter(const QString &format, const QList<FormatArg> &args, const RegionalSettings &settings)
        : m_format(format), m_args(args), m_settings(settings) {}

    QString run()
    {
        QString out;
        while (m_pos < m_format.size()) {
            const QChar c = m_format.at(m_pos++);
            if (c != u'%') {
                out += c;
            } else if (m_pos < m_format.size() && m_format.at(m_pos) == u'%') {
                out += u'%';
                ++m_pos;
            } else {
                out += directiveText(parseDirective());
            }
        }
        return out;
    }

private:
    [[noreturn]] void invalid() const
    {
        throw FormatError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(m_format));
    }

    const FormatArg &nextArg()
    {
        if (m_next >= m_args.size())
            throw FormatError(QStringLiteral("No argument for format '%1'").arg(m_format));
        return m_args.at(m_next++);
    }

    QChar peek() const { return m_pos < m_format.size() ? m_format.at(m_pos) : QChar(); }

    // A decimal number or "*" (the next argument); -1 when neither is there.
    int readNumber()
    {
        if (peek() == u'*') {
            ++m_pos;
            const FormatArg &arg = nextArg();
            if (!arg.isInteger())
                invalid();
            return int(qBound(qint64(0), arg.integer(), qint64(1) << 20));
        }
        int value = -1;
        while (peek().isDigit() && peek().unicode() < 128) {
            value = qMin((value < 0 ? 0 : value) * 10 + (peek().unicode() - '0'), 1 << 20);
            ++m_pos;
        }
        return value;
    }

    Directive parseDirective()
    {
        Directive d;
        int number = readNumber();
        if (number >= 0 && peek() == u':') {
            ++m_pos;
            m_next = number;
            number = -1;
        }
        if (number < 0) {
            if (peek() == u'-') {
                d.leftJustify = true;
                ++m_pos;
            }
            number = readNumber();
        }
        d.width = number;
        if (peek() == u'.') {
            ++m_pos;
            d.precision = qMax(0, readNumber());
        }
        if (m_pos >= m_format.size())
            invalid();
        d.type = m_format.at(m_pos++).toLower();
        return d;
    }

    QString directiveText(const Directive &d)
    {
        const QString text = valueText(d, nextArg());
        if (d.width <= text.size())
            return text;
        return d.leftJustify ? text.leftJustified(d.width) : text.rightJustified(d.width);
    }

    QString valueText(const Directive &d, const FormatArg &arg) const
    {
        switch (d.type.unicode()) {
        case 'd': return integerText(d, arg);
        case 'u': return unsignedText(d, arg, 10);
        case 'x': return unsignedText(d, arg, 16);
        case 's':
            if (!arg.isText())
                invalid();
            return d.precision >= 0 ? arg.text().left(d.precision) : arg.text();
        case 'f': return fixedText(floatOf(arg), d.precision < 0 ? 2 : d.precision, false);
        case 'n': return fixedText(floatOf(arg), d.precision < 0 ? 2 : d.precision, true);
        case 'm': return moneyText(floatOf(arg), d.precision < 0 ? m_settings.currencyDecimals : d.precision);
        case 'e': return scientificText(floatOf(arg), d.precision < 0 ? 15 : d.precision);
        case 'g': return generalText(floatOf(arg), d.precision < 0 ? 15 : d.precision);
        default: invalid();
        }
    }

    double floatOf(const FormatArg &arg) const
    {
        if (!arg.isFloat())
            invalid();
        return arg.number();
    }

    QString integerText(const Directive &d, const FormatArg &arg) const
    {
        if (!arg.isInteger())
            invalid();
        const qint64 value = arg.integer();
        const quint64 magnitude = value < 0 ? quint64(0) - quint64(value) : quint64(value);
        QString digits = QString::number(magnitude);
        if (d.precision > digits.size())
            digits = digits.rightJustified(d.precision, u'0');
        return value < 0 ? u'-' + digits : digits;
    }

    QString unsignedText(const Directive &d, const FormatArg &arg, int base) const
    {
        if (!arg.isInteger())
            invalid();
        const qint64 value = arg.integer();
        const bool fits32 = value >= INT32_MIN && value < 0;
        const quint64 bits = fits32 ? quint64(quint32(qint32(value))) : quint64(value);
        QString digits = QString::number(bits, base).toUpper();
        if (d.precision > digits.size())
            digits = digits.rightJustified(d.precision, u'0');
        return digits;
    }

    QString fixedText(double value, int decimals, bool grouping) const
    {
        const QString pattern = (grouping ? QStringLiteral("#,##0") : QStringLiteral("0"))
                                + (decimals > 0 ? u'.' + QString(qMin(decimals, 400), u'0') : QString());
        return FormatFloat(pattern, value, m_settings);
    }

    QString scientificText(double value, int digits) const
    {
        const int decimals = qBound(0, digits - 1, 400);
        const QString pattern = QStringLiteral("0") + (decimals > 0 ? u'.' + QString(decimals, u'0') : QString())
                                + QStringLiteral("E+000");
        return FormatFloat(pattern, value, m_settings);
    }

    QString generalText(double value, int digits) const
    {
        if (!std::isfinite(value))
            return FloatToStr(value, m_settings);
        const DecimalDigits d = roundToSignificant(decimalDigits(value), qMax(1, digits));
        if (d.isZero())
            return QStringLiteral("0");
        if (d.exponent > qMax(1, digits) || d.exponent < -3) {
            QString text = d.negative ? QStringLiteral("-") : QString();
            text += d.digits.at(0);
            if (d.digits.size() > 1)
                text += m_settings.decimalSeparator + d.digits.mid(1);
            return text + u'E' + QString::number(d.exponent - 1);
        }
        return toPlainText(d).replace(u'.', m_settings.decimalSeparator);
    }

    QString moneyText(double value, int decimals) const
    {
        if (!std::isfinite(value))
            return FloatToStr(value, m_settings);
        const QString number = fixedText(std::fabs(value), decimals, true);
        const bool shownZero = !std::any_of(number.begin(), number.end(),
                                            [](QChar c) { return c >= u'1' && c <= u'9'; });
        return placeCurrency(number, value < 0 && !shownZero);
    }

    // "$" stands for the currency text and "1" for the number.
    QString placeCurrency(const QString &number, bool negative) const
    {
        static const char *const positive[] = {"$1", "1$", "$ 1", "1 $"};
        static const char *const negatives[] = {"($1)", "-$1", "$-1", "$1-", "(1$)", "-1$", "1-$", "1$-",
                                                "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};
        const char *pattern = negative ? negatives[qBound(0, m_settings.negativeCurrencyFormat, 15)]
                                       : positive[qBound(0, m_settings.currencyFormat, 3)];
        QString text;
        for (const char *p = pattern; *p; ++p) {
            if (*p == '$')
                text += m_settings.currencyString;
            else if (*p == '1')
                text += number;
            else
                text += QChar(*p);
        }
        return text;
    }

    const QString &m_format;
    const QList<FormatArg> &m_args;
    const RegionalSettings &m_settings;
    qsizetype m_pos = 0;
    qsizetype m_next = 0;
};

} // namespace

QString Format(const QString &format, const QList<FormatArg> &args, const RegionalSettings &settings)
{
    return Formatter(format, args, settings).run();
}

} // namespace bralvo::platform
