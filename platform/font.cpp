// Font values and their property table.
#include "platform/font.h"

#include <cmath>

namespace bralvo::platform {

const EnumInfo &fontStyleEnum()
{
    static const EnumInfo info{QStringLiteral("TFontStyle"),
                               {QStringLiteral("fsBold"), QStringLiteral("fsItalic"),
                                QStringLiteral("fsUnderline"), QStringLiteral("fsStrikeOut")}};
    return info;
}

const ClassInfo &Font::staticClass()
{
    static const ClassInfo info = makeClassInfo("TFont", &Persistent::staticClass(),
                                                [](Component *) { return new Font; }, [](PropertyTable &t) {
        PropertyBuilder<Font> b(t);
        b.integer("Charset", &Font::charset, &Font::setCharset, kDefaultCharset);
        b.integer("Color", &Font::color, &Font::setColor, 0);
        b.integer("Height", &Font::height, &Font::setHeight).storedIf([](const Font &) { return false; });
        b.string("Name", &Font::name, &Font::setName);
        b.integer("Size", &Font::size, &Font::setSize);
        b.set("Style", fontStyleEnum(), &Font::style, &Font::setStyle, 0);
    });
    return info;
}

Font::Font() = default;

void Font::changed()
{
    if (!m_inAssign && m_onChange)
        m_onChange();
}

void Font::setName(const QString &name)
{
    if (name == m_name)
        return;
    m_name = name;
    changed();
}

void Font::setSize(int points)
{
    if (points == m_size)
        return;
    m_size = points;
    changed();
}

int Font::height() const
{
    return -int(std::lround(double(m_size) * m_pixelsPerInch / 72.0));
}

void Font::setHeight(int height)
{
    setSize(int(std::lround(double(std::abs(height)) * 72.0 / m_pixelsPerInch)));
}

void Font::setStyle(int style)
{
    style &= 0xF;
    if (style == m_style)
        return;
    m_style = style;
    changed();
}

void Font::setColor(int color)
{
    if (color == m_color)
        return;
    m_color = color;
    changed();
}

void Font::setCharset(int charset)
{
    if (charset == m_charset)
        return;
    m_charset = charset;
    changed();
}

bool Font::sameAs(const Font &other) const
{
    return m_name == other.m_name && m_size == other.m_size && m_style == other.m_style
        && m_color == other.m_color && m_charset == other.m_charset;
}

void Font::assign(const Persistent &source)
{
    const auto *f = dynamic_cast<const Font *>(&source);
    if (!f) {
        Persistent::assign(source);
        return;
    }
    m_inAssign = true;
    m_name = f->m_name;
    m_size = f->m_size;
    m_style = f->m_style;
    m_color = f->m_color;
    m_charset = f->m_charset;
    m_inAssign = false;
    changed();
}

} // namespace bralvo::platform
