// Named styles.
#include "report/model/trpstyles.h"

#include "report/model/reporterror.h"

namespace bralvo::report {

const platform::ClassInfo &TrpStyleItem::staticClass()
{
    using T = TrpStyleItem;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpStyleItem", &platform::CollectionItem::staticClass(),
        [](platform::Component *) { return new T; }, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.string("Name", &T::Name, &T::SetName);
            b.integer("Color", &T::Color, &T::SetColor, clNone);
            b.object<platform::Font>("Font", &T::Font, &T::SetFont);
            b.object<TrpFrame>("Frame", &T::Frame, &T::SetFrame);
        });
    return info;
}

TrpStyleItem::TrpStyleItem(platform::Collection *collection)
    : platform::CollectionItem(collection), m_font(std::make_unique<platform::Font>()),
      m_frame(std::make_unique<TrpFrame>())
{
}

void TrpStyleItem::SetName(const QString &name)
{
    if (auto *styles = dynamic_cast<TrpStyles *>(collection())) {
        TrpStyleItem *other = styles->Find(name);
        if (other && other != this)
            throw ReportError(QStringLiteral("Duplicate name"));
    }
    m_name = name;
}

void TrpStyleItem::SetFont(const platform::Font *v)
{
    if (v && v != m_font.get())
        m_font->assign(*v);
}

void TrpStyleItem::SetFrame(const TrpFrame *v)
{
    if (v && v != m_frame.get())
        m_frame->assign(*v);
}

void TrpStyleItem::assign(const platform::Persistent &source)
{
    const auto *s = dynamic_cast<const TrpStyleItem *>(&source);
    if (!s) {
        platform::Persistent::assign(source);
        return;
    }
    m_name = s->m_name;
    m_color = s->m_color;
    m_font->assign(*s->m_font);
    m_frame->assign(*s->m_frame);
}

const platform::ClassInfo &TrpStyles::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpStyles", &platform::Collection::staticClass(), nullptr, [](platform::PropertyTable &) {});
    return info;
}

TrpStyles::TrpStyles(TrpReport *report)
    : platform::Collection([](platform::Collection *c) { return new TrpStyleItem(c); }), m_report(report)
{
}

TrpStyleItem *TrpStyles::Find(const QString &name) const
{
    for (int i = 0; i < count(); ++i) {
        if (Items(i)->Name().compare(name, Qt::CaseInsensitive) == 0)
            return Items(i);
    }
    return nullptr;
}

} // namespace bralvo::report
