// Bands: the common persistent properties.
#include "report/model/trpband.h"

#include "report/model/trpresources.h"

namespace bralvo::report {

const platform::ClassInfo &TrpBand::staticClass()
{
    using T = TrpBand;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpBand", &TrpReportComponent::staticClass(), nullptr, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.object<platform::Font>("Font", &T::Font, &T::SetFont).storedIf([](const T &o) { return !o.ParentFont(); });
            b.floating("Height", &T::Height, &T::SetHeight);
            b.floating("Left", &T::Left, &T::SetLeft);
            b.boolean("ParentFont", &T::ParentFont, &T::SetParentFont, true);
            b.set("Restrictions", restrictionEnum(), &T::Restrictions, &T::SetRestrictions, 0);
            b.floating("Top", &T::Top, &T::SetTop);
            b.boolean("Vertical", &T::Vertical, &T::SetVertical, false);
            b.boolean("Visible", &T::Visible, &T::SetVisible, true);
            b.floating("Width", &T::Width, &T::SetWidth);
            b.string("OnAfterCalcHeight", &T::OnAfterCalcHeight, &T::SetOnAfterCalcHeight);
            b.string("OnAfterPrint", &T::OnAfterPrint, &T::SetOnAfterPrint);
            b.string("OnBeforePrint", &T::OnBeforePrint, &T::SetOnBeforePrint);
        });
    return info;
}

QString TrpBand::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obBand"));
}

const platform::ClassInfo &TrpMasterData::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpMasterData", &TrpBand::staticClass(), [](platform::Component *o) { return new TrpMasterData(o); },
        [](platform::PropertyTable &) {});
    return info;
}

} // namespace bralvo::report
