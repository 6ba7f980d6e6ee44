// The view base and its persistent properties.
#include "report/model/trpview.h"

namespace bralvo::report {

using platform::EnumInfo;

const EnumInfo &alignEnum()
{
    static const EnumInfo e{QStringLiteral("TrpAlign"),
                            {QStringLiteral("baNone"), QStringLiteral("baLeft"), QStringLiteral("baRight"),
                             QStringLiteral("baCenter"), QStringLiteral("baWidth"), QStringLiteral("baBottom"),
                             QStringLiteral("baClient")}};
    return e;
}

const EnumInfo &shiftModeEnum()
{
    static const EnumInfo e{QStringLiteral("TrpShiftMode"),
                            {QStringLiteral("smDontShift"), QStringLiteral("smAlways"),
                             QStringLiteral("smWhenOverlapped")}};
    return e;
}

const platform::ClassInfo &TrpView::staticClass()
{
    using T = TrpView;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpView", &TrpReportComponent::staticClass(), nullptr, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.enumeration("Align", alignEnum(), &T::Align, &T::SetAlign, baNone);
            b.boolean("Printable", &T::Printable, &T::SetPrintable, true);
            b.enumeration("ShiftMode", shiftModeEnum(), &T::ShiftMode, &T::SetShiftMode, smAlways);
            b.floating("Left", &T::Left, &T::SetLeft);
            b.floating("Top", &T::Top, &T::SetTop);
            b.floating("Width", &T::Width, &T::SetWidth);
            b.floating("Height", &T::Height, &T::SetHeight);
            b.integer("GroupIndex", &T::GroupIndex, &T::SetGroupIndex, 0);
            b.set("Restrictions", restrictionEnum(), &T::Restrictions, &T::SetRestrictions, 0);
            b.boolean("Visible", &T::Visible, &T::SetVisible, true);
            b.string("OnAfterData", &T::OnAfterData, &T::SetOnAfterData);
            b.string("OnAfterPrint", &T::OnAfterPrint, &T::SetOnAfterPrint);
            b.string("OnBeforePrint", &T::OnBeforePrint, &T::SetOnBeforePrint);
            b.string("OnPreviewClick", &T::OnPreviewClick, &T::SetOnPreviewClick);
        });
    return info;
}

TrpView::TrpView(platform::Component *owner) : TrpReportComponent(owner), m_frame(std::make_unique<TrpFrame>())
{
    SetComponentStyle(ComponentStyle() | FullTextDiff);
}

void TrpView::SetFrame(const TrpFrame *v)
{
    if (v && v != m_frame.get())
        m_frame->assign(*v);
}

} // namespace bralvo::report
