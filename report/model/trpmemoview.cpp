// Text objects: wide text and the published font.
#include "report/model/trpmemoview.h"

#include "report/model/trpresources.h"

namespace bralvo::report {

const platform::ClassInfo &TrpCustomMemoView::staticClass()
{
    using T = TrpCustomMemoView;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpCustomMemoView", &TrpView::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.object<platform::Font>("Font", &T::Font, &T::SetFont).storedIf([](const T &m) { return !m.ParentFont(); });
            b.boolean("ParentFont", &T::ParentFont, &T::SetParentFont, true);
            b.object<TWideStrings>("Memo", &T::Memo, &T::SetMemo);
        });
    return info;
}

const platform::ClassInfo &TrpMemoView::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpMemoView", &TrpCustomMemoView::staticClass(), [](platform::Component *o) { return new TrpMemoView(o); },
        [](platform::PropertyTable &) {});
    return info;
}

TrpCustomMemoView::TrpCustomMemoView(platform::Component *owner)
    : TrpView(owner), m_memo(std::make_unique<TWideStrings>())
{
}

void TrpCustomMemoView::SetMemo(const TWideStrings *v)
{
    if (v && v != m_memo.get())
        m_memo->assign(*v);
}

QString TrpCustomMemoView::Text() const
{
    QString t = m_memo->Text();
    if (t.endsWith(QStringLiteral("\r\n")))
        t.chop(2);
    return t;
}

void TrpCustomMemoView::SetText(const QString &text)
{
    m_memo->SetText(text);
}

QString TrpCustomMemoView::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obText"));
}

} // namespace bralvo::report
