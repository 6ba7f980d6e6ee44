// Frames and frame lines with their property tables.
#include "report/model/trpframe.h"

namespace bralvo::report {

using platform::EnumInfo;
using platform::PropertyBuilder;
using platform::PropertyTable;

const EnumInfo &frameStyleEnum()
{
    static const EnumInfo e{QStringLiteral("TrpFrameStyle"),
                            {QStringLiteral("fsSolid"), QStringLiteral("fsDash"), QStringLiteral("fsDot"),
                             QStringLiteral("fsDashDot"), QStringLiteral("fsDashDotDot"), QStringLiteral("fsDouble")}};
    return e;
}

const EnumInfo &frameTypeEnum()
{
    static const EnumInfo e{QStringLiteral("TrpFrameTypes"),
                            {QStringLiteral("ftLeft"), QStringLiteral("ftRight"), QStringLiteral("ftTop"),
                             QStringLiteral("ftBottom")}};
    return e;
}

const platform::ClassInfo &TrpFrameLine::staticClass()
{
    using T = TrpFrameLine;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpFrameLine", &platform::Persistent::staticClass(), nullptr, [](PropertyTable &t) {
            PropertyBuilder<T> b(t);
            b.integer("Color", &T::Color, &T::SetColor).storedIf([](const T &l) {
                return !l.m_frame || l.m_color != l.m_frame->Color();
            });
            b.enumeration("Style", frameStyleEnum(), &T::Style, &T::SetStyle).storedIf([](const T &l) {
                return !l.m_frame || l.m_style != l.m_frame->Style();
            });
            b.floating("Width", &T::Width, &T::SetWidth).storedIf([](const T &l) {
                return !l.m_frame || l.m_width != l.m_frame->Width();
            });
        });
    return info;
}

void TrpFrameLine::assign(const platform::Persistent &source)
{
    const auto *l = dynamic_cast<const TrpFrameLine *>(&source);
    if (!l) {
        platform::Persistent::assign(source);
        return;
    }
    m_color = l->m_color;
    m_style = l->m_style;
    m_width = l->m_width;
}

const platform::ClassInfo &TrpFrame::staticClass()
{
    using T = TrpFrame;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpFrame", &platform::Persistent::staticClass(), [](platform::Component *) { return new T; },
        [](PropertyTable &t) {
            PropertyBuilder<T> b(t);
            b.integer("Color", &T::Color, &T::SetColor, 0);
            b.boolean("DropShadow", &T::DropShadow, &T::SetDropShadow, false);
            b.integer("ShadowColor", &T::ShadowColor, &T::SetShadowColor, 0);
            b.floating("ShadowWidth", &T::ShadowWidth, &T::SetShadowWidth).storedIf([](const T &f) {
                return f.m_shadowWidth != 4;
            });
            b.enumeration("Style", frameStyleEnum(), &T::Style, &T::SetStyle, fsSolid);
            b.set("Typ", frameTypeEnum(), &T::Typ, &T::SetTyp, 0);
            b.floating("Width", &T::Width, &T::SetWidth).storedIf([](const T &f) { return f.m_width != 1; });
            b.object<TrpFrameLine>("LeftLine", &T::LeftLine, &T::SetLeftLine);
            b.object<TrpFrameLine>("TopLine", &T::TopLine, &T::SetTopLine);
            b.object<TrpFrameLine>("RightLine", &T::RightLine, &T::SetRightLine);
            b.object<TrpFrameLine>("BottomLine", &T::BottomLine, &T::SetBottomLine);
        });
    return info;
}

TrpFrame::TrpFrame()
    : m_left(std::make_unique<TrpFrameLine>(this)), m_top(std::make_unique<TrpFrameLine>(this)),
      m_right(std::make_unique<TrpFrameLine>(this)), m_bottom(std::make_unique<TrpFrameLine>(this))
{
}

void TrpFrame::SetColor(int v)
{
    m_color = v;
    for (TrpFrameLine *l : {m_left.get(), m_top.get(), m_right.get(), m_bottom.get()})
        l->m_color = v;
}

void TrpFrame::SetStyle(TrpFrameStyle v)
{
    m_style = v;
    for (TrpFrameLine *l : {m_left.get(), m_top.get(), m_right.get(), m_bottom.get()})
        l->m_style = v;
}

void TrpFrame::SetWidth(double v)
{
    m_width = v;
    for (TrpFrameLine *l : {m_left.get(), m_top.get(), m_right.get(), m_bottom.get()})
        l->m_width = v;
}

void TrpFrame::assignLine(TrpFrameLine &line, const TrpFrameLine *v)
{
    if (v && v != &line)
        line.assign(*v);
}

void TrpFrame::assign(const platform::Persistent &source)
{
    const auto *f = dynamic_cast<const TrpFrame *>(&source);
    if (!f) {
        platform::Persistent::assign(source);
        return;
    }
    m_color = f->m_color;
    m_dropShadow = f->m_dropShadow;
    m_shadowColor = f->m_shadowColor;
    m_shadowWidth = f->m_shadowWidth;
    m_style = f->m_style;
    m_typ = f->m_typ;
    m_width = f->m_width;
    m_left->assign(*f->m_left);
    m_top->assign(*f->m_top);
    m_right->assign(*f->m_right);
    m_bottom->assign(*f->m_bottom);
}

} // namespace bralvo::report
