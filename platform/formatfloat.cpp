// FormatFloat: picture formatting of numbers ("###,###,##0.00", "0.0E+00",
// sections for negative and zero values).
#include "platform/formatfloat.h"

#include "platform/decimaltext.h"
#include "platform/floattext.h"
#include "platform/regionalsettings.h"

#include <cmath>

namespace bralvo::platform {

namespace {

// What a section's placeholders ask for.
struct Layout {
    int intPlaces = 0;    // "0"/"#" before the decimal point
    int minIntDigits = 0; // placeholders from the first "0" to the point
    int decimals = 0;     // "0"/"#" after the point
    int minDecimals = 0;  // up to and including the last "0" after it
    bool grouping = false;
    bool scientific = false;
    bool placeholders = false;
};

// The characters of an exponent specifier at i ("E+00"), or 0.
qsizetype exponentLength(const QString &s, qsizetype i)
{
    if (i + 2 >= s.size() || s.at(i).toUpper() != u'E' || (s.at(i + 1) != u'+' && s.at(i + 1) != u'-')
        || s.at(i + 2) != u'0')
        return 0;
    qsizetype n = 2;
    while (i + n < s.size() && s.at(i + n) == u'0')
        ++n;
    return n;
}

qsizetype quotedLength(const QString &s, qsizetype i)
{
    const qsizetype end = s.indexOf(s.at(i), i + 1);
    return end < 0 ? s.size() - i : end - i + 1;
}

QStringList splitSections(const QString &format)
{
    QStringList sections;
    QString current;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'"' || c == u'\'') {
            const qsizetype n = quotedLength(format, i);
            current += format.mid(i, n);
            i += n - 1;
        } else if (c == u';') {
            sections << current;
            current.clear();
        } else {
            current += c;
        }
    }
    sections << current;
    return sections;
}

void countPlaceholder(Layout &layout, QChar c, bool afterPoint)
{
    layout.placeholders = true;
    if (afterPoint) {
        ++layout.decimals;
        if (c == u'0')
            layout.minDecimals = layout.decimals;
    } else {
        ++layout.intPlaces;
        if (c == u'0' || layout.minIntDigits > 0)
            ++layout.minIntDigits;
    }
}

Layout analyse(const QString &section)
{
    Layout layout;
    bool afterPoint = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section.at(i);
        if (c == u'"' || c == u'\'') {
            i += quotedLength(section, i) - 1;
        } else if (const qsizetype e = exponentLength(section, i); e > 0 && !layout.scientific) {
            layout.scientific = true;
            i += e - 1;
        } else if ((c == u'0' || c == u'#') && !layout.scientific) {
            countPlaceholder(layout, c, afterPoint);
        } else if (c == u'.') {
            afterPoint = true;
        } else if (c == u',' && !afterPoint) {
            layout.grouping = true;
        }
    }
    return layout;
}

// The digits to lay out: integer part, fraction and exponent.
struct Figures {
    QString intDigits;
    QString fraction;
    int exponent = 0;
    bool zero = true;
};

Figures fixedFigures(double magnitude, const Layout &layout)
{
    Figures f;
    const DecimalDigits d = roundToDecimals(decimalDigits(magnitude), layout.decimals);
    f.zero = d.isZero();
    const int intCount = qMax(0, d.exponent);
    f.intDigits = d.digits.left(intCount).leftJustified(intCount, u'0');
    const int leading = qMax(0, -d.exponent);
    f.fraction = (QString(leading, u'0') + d.digits.mid(intCount)).leftJustified(layout.decimals, u'0');
    f.fraction.truncate(layout.decimals);
    if (f.intDigits.size() < layout.minIntDigits)
        f.intDigits = f.intDigits.rightJustified(layout.minIntDigits, u'0');
    return f;
}

Figures scientificFigures(double magnitude, const Layout &layout)
{
    Figures f;
    const int intPlaces = qMax(1, layout.intPlaces);
    const DecimalDigits d = roundToSignificant(decimalDigits(magnitude), intPlaces + layout.decimals);
    f.zero = d.isZero();
    const QString all = d.digits.leftJustified(intPlaces + layout.decimals, u'0');
    f.intDigits = all.left(intPlaces);
    f.fraction = all.mid(intPlaces);
    f.exponent = f.zero ? 0 : d.exponent - intPlaces;
    return f;
}

Figures figuresFor(double magnitude, const Layout &layout)
{
    Figures f = layout.scientific ? scientificFigures(magnitude, layout) : fixedFigures(magnitude, layout);
    while (f.fraction.size() > layout.minDecimals && f.fraction.endsWith(u'0'))
        f.fraction.chop(1);
    return f;
}

// Writes one section with its figures, literals in place.
class SectionWriter {
public:
    SectionWriter(const Layout &layout, const Figures &figures, const RegionalSettings &settings)
        : m_layout(layout), m_figures(figures), m_settings(settings) {}

    QString write(const QString &section)
    {
        for (qsizetype i = 0; i < section.size(); ++i) {
            const QChar c = section.at(i);
            if (c == u'"' || c == u'\'') {
                const qsizetype n = quotedLength(section, i);
                const bool closed = section.indexOf(c, i + 1) >= 0;
                m_out += section.mid(i + 1, closed ? n - 2 : n - 1);
                i += n - 1;
            } else if (const qsizetype e = exponentLength(section, i); e > 0 && !m_exponentDone) {
                writeExponent(section.mid(i, e));
                i += e - 1;
            } else if ((c == u'0' || c == u'#') && !m_exponentDone) {
                m_afterPoint ? writeFractionDigit() : writeIntDigit();
            } else if (c == u'.') {
                writePoint();
            } else if (c != u',') {
                m_out += c;
            }
        }
        if (!m_afterPoint && m_layout.intPlaces == 0)
            writeAllInt();
        return m_out;
    }

private:
    void writeDigitAt(qsizetype index)
    {
        const QString &digits = m_figures.intDigits;
        m_out += digits.at(index);
        const qsizetype remaining = digits.size() - 1 - index;
        if (m_layout.grouping && remaining > 0 && remaining % 3 == 0)
            m_out += m_settings.thousandSeparator;
    }

    void writeIntDigit()
    {
        const qsizetype n = m_figures.intDigits.size();
        const qsizetype index = m_intPlace - (m_layout.intPlaces - n);
        if (m_intPlace == 0) {
            for (qsizetype i = 0; i < index; ++i)
                writeDigitAt(i);
        }
        if (index >= 0)
            writeDigitAt(index);
        ++m_intPlace;
    }

    void writeAllInt()
    {
        for (qsizetype i = 0; i < m_figures.intDigits.size(); ++i)
            writeDigitAt(i);
    }

    void writePoint()
    {
        if (m_afterPoint)
            return;
        if (m_layout.intPlaces == 0)
            writeAllInt();
        m_afterPoint = true;
        if (!m_figures.fraction.isEmpty())
            m_out += m_settings.decimalSeparator;
    }

    void writeFractionDigit()
    {
        if (m_fractionPlace < m_figures.fraction.size())
            m_out += m_figures.fraction.at(m_fractionPlace);
        ++m_fractionPlace;
    }

    void writeExponent(const QString &spec)
    {
        m_exponentDone = true;
        const int exponent = m_figures.exponent;
        m_out += spec.at(0);
        if (exponent < 0)
            m_out += u'-';
        else if (spec.at(1) == u'+')
            m_out += u'+';
        m_out += QString::number(std::abs(exponent)).rightJustified(spec.size() - 2, u'0');
    }

    const Layout &m_layout;
    const Figures &m_figures;
    const RegionalSettings &m_settings;
    QString m_out;
    qsizetype m_intPlace = 0;
    qsizetype m_fractionPlace = 0;
    bool m_afterPoint = false;
    bool m_exponentDone = false;
};

QString formatSection(const QString &section, double magnitude, bool minus, const RegionalSettings &settings)
{
    const Layout layout = analyse(section);
    if (!layout.placeholders)
        return (minus ? QStringLiteral("-") : QString()) + SectionWriter(layout, Figures(), settings).write(section);
    const Figures figures = figuresFor(magnitude, layout);
    const QString text = SectionWriter(layout, figures, settings).write(section);
    return (minus && !figures.zero) ? u'-' + text : text;
}

} // namespace

QString FormatFloat(const QString &format, double value, const RegionalSettings &settings)
{
    if (!std::isfinite(value) || format.isEmpty())
        return FloatToStr(value, settings);
    const QStringList sections = splitSections(format);
    const double magnitude = std::fabs(value);
    const bool zeroInFirst = figuresFor(magnitude, analyse(sections.at(0))).zero;
    if (zeroInFirst && sections.size() > 2 && !sections.at(2).isEmpty())
        return formatSection(sections.at(2), 0.0, false, settings);
    if (value < 0 && sections.size() > 1 && !sections.at(1).isEmpty())
        return formatSection(sections.at(1), magnitude, false, settings);
    return formatSection(sections.at(0), magnitude, value < 0, settings);
}

} // namespace bralvo::platform
