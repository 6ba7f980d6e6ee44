// Display formats and highlights with their property tables, and the
// formatting of values under a display format.
#include "report/model/trpdisplayformat.h"

#include "platform/formatdatetime.h"
#include "platform/formatfloat.h"
#include "platform/formatstring.h"
#include "platform/regionalsettings.h"
#include "report/model/trpframe.h"

#include <exception>

namespace bralvo::report {

const platform::EnumInfo &formatKindEnum()
{
    static const platform::EnumInfo e{QStringLiteral("TrpFormatKind"),
                                      {QStringLiteral("fkText"), QStringLiteral("fkNumeric"),
                                       QStringLiteral("fkDateTime"), QStringLiteral("fkBoolean")}};
    return e;
}

const platform::ClassInfo &TrpFormat::staticClass()
{
    using T = TrpFormat;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpFormat", &platform::Persistent::staticClass(), [](platform::Component *) { return new T; },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.string("DecimalSeparator", &T::DecimalSeparator, &T::SetDecimalSeparator);
            b.string("FormatStr", &T::FormatStr, &T::SetFormatStr);
            b.enumeration("Kind", formatKindEnum(), &T::Kind, &T::SetKind, fkText);
        });
    return info;
}

void TrpFormat::assign(const platform::Persistent &source)
{
    const auto *f = dynamic_cast<const TrpFormat *>(&source);
    if (!f) {
        platform::Persistent::assign(source);
        return;
    }
    m_decimalSeparator = f->m_decimalSeparator;
    m_formatStr = f->m_formatStr;
    m_kind = f->m_kind;
}

namespace {

// A float pattern whose format names its decimal separator does not
// depend on the process locale: that separator, and the program's blank
// between thousands. Replacing the separator afterwards would also hit a
// thousands separator equal to it ("1,234,50").
platform::RegionalSettings patternSettings(const platform::RegionalSettings &settings, const QString &sep)
{
    if (sep.size() != 1)
        return settings;
    platform::RegionalSettings own = settings;
    own.decimalSeparator = sep.at(0);
    own.thousandSeparator = platform::RegionalSettings::slovak().thousandSeparator;
    return own;
}

QString formatNumeric(const platform::Variant &value, const TrpFormat &format,
                      const platform::RegionalSettings &settings)
{
    const QString f = format.FormatStr();
    const QString sep = format.DecimalSeparator();
    QString s;
    if (f.contains(u'#'))
        s = platform::FormatFloat(f, value.toDouble(), patternSettings(settings, sep));
    else if (f.contains(u'd'))
        s = platform::Format(f, {value.toInt64()}, settings);
    else
        s = platform::Format(f, {value.toDouble()}, settings);
    if (!f.contains(u'#') && sep.size() == 1 && sep.at(0) != settings.decimalSeparator)
        s.replace(settings.decimalSeparator, sep.at(0));
    return s;
}

QString formatBoolean(const platform::Variant &value, const QString &f)
{
    const qsizetype comma = f.indexOf(u',');
    const QString whenFalse = comma < 0 ? QString() : f.left(comma);
    const QString whenTrue = f.mid(comma + 1);
    return value.equals(platform::Variant(true)) ? whenTrue : whenFalse;
}

QString valueText(const platform::Variant &value)
{
    try {
        return value.toString();
    } catch (const std::exception &) {
        return QString();
    }
}

} // namespace

QString FormatDisplayValue(const platform::Variant &value, const TrpFormat &format,
                           const platform::RegionalSettings &settings)
{
    if (value.isNull())
        return QString();
    try {
        switch (format.Kind()) {
        case fkNumeric:
            return formatNumeric(value, format, settings);
        case fkDateTime:
            return platform::FormatDateTime(format.FormatStr(), value.toDouble(), settings);
        case fkBoolean:
            return formatBoolean(value, format.FormatStr());
        case fkText:
            break;
        }
    } catch (const std::exception &) {
        // Formatting never fails: the plain text stands in.
    }
    return valueText(value);
}

QString FormatDisplayValue(const platform::Variant &value, const TrpFormat &format)
{
    return FormatDisplayValue(value, format, platform::regionalSettings());
}

// --- TrpHighlight

const platform::ClassInfo &TrpHighlight::staticClass()
{
    using T = TrpHighlight;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpHighlight", &platform::Persistent::staticClass(), [](platform::Component *) { return new T; },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.boolean("Active", &T::Active, &T::SetActive, false);
            b.object<platform::Font>("Font", &T::Font, &T::SetFont);
            b.integer("Color", &T::Color, &T::SetColor, clNone);
            b.string("Condition", &T::Condition, &T::SetCondition);
        });
    return info;
}

TrpHighlight::TrpHighlight() : m_font(std::make_unique<platform::Font>()), m_color(clNone)
{
    m_font->setName(QStringLiteral("Arial"));
    m_font->setSize(10);
    m_font->setColor(255);
}

void TrpHighlight::SetFont(const platform::Font *v)
{
    if (v && v != m_font.get())
        m_font->assign(*v);
}

void TrpHighlight::assign(const platform::Persistent &source)
{
    const auto *h = dynamic_cast<const TrpHighlight *>(&source);
    if (!h) {
        platform::Persistent::assign(source);
        return;
    }
    m_font->assign(*h->m_font);
    m_color = h->m_color;
    m_condition = h->m_condition;
}

} // namespace bralvo::report
